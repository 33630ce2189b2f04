#include "frame_stability.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "arithmetic_fault.h"
#include "deformations.h"

namespace strevo {
namespace {

constexpr double kPi = std::numbers::pi;

// EI in kNm² of a second moment in cm4: 210000 N/mm² · 1e-8 m4/cm4 · 1000 kN/MN.
double StiffnessOf(double I) {
  return kSteelModulus * 1e3 * I * 1e-8;
}

// The member functions below are power series in x = P·l²/EI (P the compression), which
// converge for any x; near zero they are exact where the trigonometric forms cancel, so they
// are used up to |x| = 1 and the closed forms beyond.
constexpr double kSeriesLimit = 1.0;
constexpr int kSeriesTerms = 14;

// Σ (−x)^n / (2n + offset)! for n ≥ 0.
double EvenSeries(double x, int offset) {
  double term = offset == 2 ? 0.5 : 1.0;  // 1/offset!
  double sum = term;
  for (int n = 1; n < kSeriesTerms; ++n) {
    const double a = 2.0 * n + offset;
    term *= -x / ((a - 1) * a);
    sum += term;
    // The terms fall ever faster; once one no longer shows in the sum, none will.
    if (std::abs(term) <= 1e-17 * std::abs(sum)) {
      break;
    }
  }
  return sum;
}

// cos √z, sin √z / √z and (1 − cos √z)/z, continued to z < 0 as cosh and sinh.
double CosOf(double z) {
  if (std::abs(z) <= kSeriesLimit) {
    return EvenSeries(z, 0);
  }
  return z > 0 ? std::cos(std::sqrt(z)) : std::cosh(std::sqrt(-z));
}
double SinOf(double z) {
  if (std::abs(z) <= kSeriesLimit) {
    return EvenSeries(z, 1);
  }
  const double r = std::sqrt(std::abs(z));
  return z > 0 ? std::sin(r) / r : std::sinh(r) / r;
}
double VersOf(double z) {
  if (std::abs(z) <= kSeriesLimit) {
    return EvenSeries(z, 2);
  }
  return (1 - CosOf(z)) / z;
}

// The bending stiffness of a member under axial force, in units of EI/l: s at the near end,
// c = s·(carry-over factor) to the far end; 4 and 2 without axial force.
struct StabilityFunctions {
  double s, c;
};

StabilityFunctions FunctionsOf(double x) {
  if (std::abs(x) <= kSeriesLimit) {
    // s = Ns/D, c = Nc/D with the series of φ(sin φ − φ cos φ), φ(φ − sin φ) and
    // 2 − 2 cos φ − φ sin φ, each divided by x².
    double ns = 0, nc = 0, d = 0;
    double power = 1, factorial = 6;  // x^(n−1), (2n + 1)! for n = 1
    for (int n = 1; n < kSeriesTerms; ++n) {
      const double sign = n % 2 == 1 ? 1 : -1;
      ns += sign * 2 * n * power / factorial;
      nc += sign * power / factorial;
      // D's term n + 1: (−1)^n (−2n) x^(n−1) / (2n + 2)!
      d += sign * 2 * n * power / (factorial * (2 * n + 2));
      power *= x;
      factorial *= (2.0 * n + 2) * (2.0 * n + 3);
    }
    return {ns / d, nc / d};
  }
  const double phi = std::sqrt(std::abs(x));
  if (x > 0) {
    const double d = 2 - 2 * std::cos(phi) - phi * std::sin(phi);
    return {phi * (std::sin(phi) - phi * std::cos(phi)) / d, phi * (phi - std::sin(phi)) / d};
  }
  const double d = 2 - 2 * std::cosh(phi) + phi * std::sinh(phi);
  return {phi * (phi * std::cosh(phi) - std::sinh(phi)) / d, phi * (std::sinh(phi) - phi) / d};
}

// The fixed-end moment of a uniform load w on a member clamped at both ends: w·l²·g, g = 1/12
// without axial force; g = (1 − u·cot u)/x with u = √x/2.
double FixedEndFactor(double x) {
  if (std::abs(x) <= 4 * kSeriesLimit) {
    const double y = x / 4;
    // (sin u − u cos u)/u³ over 4·sin u/u, both as series in y = u².
    double num = 0, power = 1, factorial = 6;
    for (int n = 1; n < kSeriesTerms; ++n) {
      num += (n % 2 == 1 ? 1 : -1) * 2 * n * power / factorial;
      power *= y;
      factorial *= (2.0 * n + 2) * (2.0 * n + 3);
    }
    return num / (4 * EvenSeries(y, 1));
  }
  const double u = std::sqrt(std::abs(x)) / 2;
  return x > 0 ? (1 - u / std::tan(u)) / x : (u / std::tanh(u) - 1) / -x;
}

// How many buckling loads of the member clamped at both ends lie below x: φ = 2πn
// (symmetric) and tan(φ/2) = φ/2 (antisymmetric).
int ClampedEigenvaluesBelow(double x) {
  if (x <= 0) {
    return 0;
  }
  const double phi = std::sqrt(x);
  int count = static_cast<int>(std::floor(phi / (2 * kPi)));
  const double u = phi / 2;
  const int n = static_cast<int>(std::floor(u / kPi));
  if (n >= 1) {
    count += n - 1;
    const double into = u - n * kPi;
    if (into >= kPi / 2 || std::tan(u) >= u) {
      ++count;
    }
  }
  return count;
}

// A member of the model: its ends' transverse displacement and rotation as global unknowns
// (index and sign, −1 where held), the load across it and its normal force.
struct Dof {
  int index = -1;
  double sign = 1;
  bool Free() const { return index >= 0; }
  std::size_t At() const { return static_cast<std::size_t>(index); }
};

// A small dense square matrix, row by row.
class Matrix {
 public:
  void Reset(std::size_t n) {
    n_ = n;
    a_.assign(n * n, 0.0);
  }
  std::size_t Size() const { return n_; }
  double& operator()(std::size_t i, std::size_t j) { return a_[i * n_ + j]; }
  double operator()(std::size_t i, std::size_t j) const { return a_[i * n_ + j]; }

 private:
  std::size_t n_ = 0;
  std::vector<double> a_;
};
struct Element {
  Member member;
  double start, length;  // m along the member
  double EI;
  std::array<Dof, 4> dofs;  // v1, θ1, v2, θ2 in the member's own axes
  double w = 0;             // kN/m in the member's transverse sense
};

// The unknowns: the beam's sway, the corners' rotations, then per point load its deflection and
// rotation, then what the feet leave free.
class Model {
 public:
  Model(const Portal& portal, const std::vector<double>& beamNodes) : portal_(portal) {
    if (!(portal.h > 0) || !(portal.L > 0) || !(portal.I1 > 0) || !(portal.I2 > 0) ||
        !std::isfinite(portal.h + portal.L + portal.I1 + portal.I2)) {
      throw ArithmeticFault(FaultKind::DivisionByZero);
    }
    const double EI1 = StiffnessOf(portal.I1), EI2 = StiffnessOf(portal.I2);
    const Dof sway{0, 1}, left{1, 1}, right{2, 1};
    count_ = 3;
    const bool fixed = portal.system == SystemType::FixedFrame;
    const Dof footA = fixed ? Dof{} : Dof{count_++, 1};
    const Dof footB = fixed ? Dof{} : Dof{count_++, 1};
    // Only the kinked beam's roller lets B move sideways.
    slideB_ = portal.system == SystemType::KinkedBeam ? Dof{count_++, 1} : Dof{};
    // Left column, A up to 2: its transverse axis points to the left.
    elements_.push_back(
        {Member::LeftColumn, 0, portal.h, EI1, {Dof{}, footA, Dof{sway.index, -1}, left}});
    Dof previousV{}, previousTheta = left;
    double previous = 0;
    for (const double a : beamNodes) {
      const Dof v{count_++, 1}, theta{count_++, 1};
      beamDeflections_.push_back(v);
      elements_.push_back(
          {Member::Beam, previous, a - previous, EI2, {previousV, previousTheta, v, theta}});
      previousV = v;
      previousTheta = theta;
      previous = a;
    }
    elements_.push_back({Member::Beam,
                         previous,
                         portal.L - previous,
                         EI2,
                         {previousV, previousTheta, Dof{}, right}});
    // Right column, from its top down to B: its transverse axis points to the right.
    elements_.push_back({Member::RightColumn, 0, portal.h, EI1, {sway, right, slideB_, footB}});
  }

  std::size_t Count() const { return static_cast<std::size_t>(count_); }
  std::vector<Element>& Elements() { return elements_; }
  const std::vector<Element>& Elements() const { return elements_; }
  Dof SlideB() const { return slideB_; }
  // The unknown deflection under each of the beam's nodes, in the order given.
  const std::vector<Dof>& BeamDeflections() const { return beamDeflections_; }

  static double AxialOf(const NormalForces& n, Member m) {
    switch (m) {
      case Member::LeftColumn:
        return n.leftColumn;
      case Member::Beam:
        return n.beam;
      case Member::RightColumn:
        return n.rightColumn;
    }
    return 0;
  }

  // The stiffness matrix with the members' normal forces times `factor`.
  void Stiffness(const NormalForces& n, double factor, Matrix& K) const {
    K.Reset(Count());
    for (const Element& e : elements_) {
      Add(e, ElementStiffness(e, factor * AxialOf(n, e.member)), K);
    }
  }

  // An element's stiffness into the matrix at its unknowns.
  static void Add(const Element& e, const std::array<double, 16>& k, Matrix& K) {
    for (std::size_t i = 0; i < 4; ++i) {
      for (std::size_t j = 0; j < 4 && e.dofs[i].Free(); ++j) {
        if (e.dofs[j].Free()) {
          K(e.dofs[i].At(), e.dofs[j].At()) += e.dofs[i].sign * e.dofs[j].sign * k[i * 4 + j];
        }
      }
    }
  }

  // How many clamped-member buckling loads lie below `factor`.
  int ClampedCount(const NormalForces& n, double factor) const {
    int count = 0;
    for (const Element& e : elements_) {
      count += ClampedEigenvaluesBelow(-factor * AxialOf(n, e.member) * e.length * e.length / e.EI);
    }
    return count;
  }

  static std::array<double, 16> ElementStiffness(const Element& e, double N) {
    const double l = e.length, x = -N * l * l / e.EI;
    const StabilityFunctions f = FunctionsOf(x);
    const double a = f.s * e.EI / l, b = f.c * e.EI / l, c = (f.s + f.c) * e.EI / (l * l),
                 d = (2 * (f.s + f.c) - x) * e.EI / (l * l * l);
    return {d, c, -d, c, c, a, -c, b, -d, -c, d, -c, c, b, -c, a};
  }

  // The element's end forces from its uniform load when both ends are held (v1, θ1, v2, θ2).
  static std::array<double, 4> FixedEndForces(const Element& e, double N) {
    const double l = e.length, x = -N * l * l / e.EI;
    const double m = e.w * l * l * FixedEndFactor(x);
    return {-e.w * l / 2, -m, -e.w * l / 2, m};
  }

 private:
  Portal portal_;
  int count_ = 0;
  Dof slideB_;
  std::vector<Dof> beamDeflections_;
  std::vector<Element> elements_;
};

// The symmetric matrix's LDLᵀ (no pivoting): how many eigenvalues lie below zero (negative
// pivots) and the determinant (their product). Works on K in place.
struct Inertia {
  int negative = 0;
  double determinant = 1;
};
Inertia InertiaOf(Matrix& K) {
  Inertia inertia;
  const std::size_t n = K.Size();
  for (std::size_t j = 0; j < n; ++j) {
    const double pivot = K(j, j);
    inertia.determinant *= pivot;
    if (pivot <= 0) {
      // A zero pivot is singular here: count it as passed, the search brackets it either way.
      ++inertia.negative;
      if (pivot == 0) {
        continue;
      }
    }
    for (std::size_t i = j + 1; i < n; ++i) {
      const double f = K(i, j) / pivot;
      for (std::size_t k = j + 1; k < n; ++k) {
        K(i, k) -= f * K(j, k);
      }
    }
  }
  return inertia;
}

// Solves K·d = f by elimination with partial pivoting; false when K is singular.
bool SolveLinear(Matrix K, std::vector<double>& f) {
  const std::size_t n = K.Size();
  for (std::size_t j = 0; j < n; ++j) {
    std::size_t p = j;
    for (std::size_t i = j + 1; i < n; ++i) {
      if (std::abs(K(i, j)) > std::abs(K(p, j))) {
        p = i;
      }
    }
    if (K(p, j) == 0) {
      return false;
    }
    if (p != j) {
      for (std::size_t k = 0; k < n; ++k) {
        std::swap(K(p, k), K(j, k));
      }
      std::swap(f[p], f[j]);
    }
    for (std::size_t i = j + 1; i < n; ++i) {
      const double m = K(i, j) / K(j, j);
      for (std::size_t k = j; k < n && m != 0; ++k) {
        K(i, k) -= m * K(j, k);
      }
      f[i] -= m * f[j];
    }
  }
  for (std::size_t j = n; j-- > 0;) {
    double sum = f[j];
    for (std::size_t k = j + 1; k < n; ++k) {
      sum -= K(j, k) * f[k];
    }
    f[j] = sum / K(j, j);
  }
  return true;
}

double At(const std::vector<double>& d, Dof dof) {
  return dof.Free() ? dof.sign * d[dof.At()] : 0.0;
}

}  // namespace

double ExactPiece::M(double s) const {
  const double t = s - start, z = k2 * t * t;
  return M0 * CosOf(z) + Q0 * t * SinOf(z) + w * t * t * VersOf(z);
}

double ExactPiece::Q(double s) const {
  const double t = s - start, z = k2 * t * t;
  return (w - k2 * M0) * t * SinOf(z) + Q0 * CosOf(z);
}

MemberForces ExactLine::At(double s) const {
  const auto after =
      std::find_if(pieces.begin(), pieces.end(), [s](const ExactPiece& p) { return p.start > s; });
  const ExactPiece& p = after == pieces.begin() ? pieces.front() : *std::prev(after);
  return {p.M(s), p.Q(s), p.N(s)};
}

CriticalLoad CriticalLoadOf(const Portal& portal, const NormalForces& forces) {
  const Model model(portal, {});
  if (!(std::min({forces.leftColumn, forces.beam, forces.rightColumn}) < 0)) {
    return {HUGE_VAL, BucklingMode::Sway};
  }
  Matrix K;
  const auto count = [&](double factor) {
    model.Stiffness(forces, factor, K);
    return model.ClampedCount(forces, factor) + InertiaOf(K).negative;
  };
  // Bracket the lowest eigenvalue between a factor with none below and one with one or more.
  double low = 0, high = 1;
  while (count(high) == 0) {
    low = high;
    high *= 4;
    if (high > kLargestCriticalFactor) {
      return {HUGE_VAL, BucklingMode::Sway};
    }
  }
  // Halve until the bracket holds the one eigenvalue and no clamped member's pole; then the
  // determinant changes its sign once in it and is continuous, and the Illinois rule finds
  // the root in a few steps.
  while (high - low > 1e-13 * high) {
    const double middle = (low + high) / 2;
    if (middle <= low || middle >= high) {
      break;
    }
    const int passed = count(middle);
    (passed == 0 ? low : high) = middle;
    if (passed == 1 && model.ClampedCount(forces, low) == model.ClampedCount(forces, high)) {
      break;
    }
  }
  const auto determinant = [&](double factor) {
    model.Stiffness(forces, factor, K);
    return InertiaOf(K).determinant;
  };
  double dLow = determinant(low), dHigh = determinant(high);
  int side = 0;
  for (int i = 0; i < 100 && high - low > 1e-13 * high && dLow * dHigh < 0; ++i) {
    double next = (low * dHigh - high * dLow) / (dHigh - dLow);
    if (!(next > low && next < high)) {
      next = (low + high) / 2;
    }
    const double dNext = determinant(next);
    if (dNext * dLow > 0) {
      low = next;
      dLow = dNext;
      if (side == -1) {
        dHigh /= 2;
      }
      side = -1;
    } else {
      high = next;
      dHigh = dNext;
      if (side == 1) {
        dLow /= 2;
      }
      side = 1;
    }
    if (dNext == 0) {
      low = high = next;
    }
  }
  // The mode: held sideways (the columns may not lean alike: the beam held for the frames, the
  // beam's sway half the roller's slide for the kinked beam), does the portal still buckle at
  // αcr? Then its mode needs no sway. Counting decides it, as it found αcr.
  const double critical = (low + high) / 2, above = critical * (1 + 1e-6);
  model.Stiffness(forces, above, K);
  // The held unknowns z: all but the sway (frames) or the slide (kinked beam), x = T·z, so
  // the held matrix is TᵀKT: the frames drop the sway's row and column; the kinked beam's
  // slide is twice the sway, its row and column folded into the sway's.
  const std::size_t n = model.Count();
  const Dof slide = model.SlideB();
  const std::size_t dropped = slide.Free() ? slide.At() : 0;
  const auto full = [dropped](std::size_t a) { return a < dropped ? a : a + 1; };
  Matrix held;
  held.Reset(n - 1);
  for (std::size_t a = 0; a + 1 < n; ++a) {
    for (std::size_t b = 0; b + 1 < n; ++b) {
      double sum = K(full(a), full(b));
      if (slide.Free()) {
        const std::size_t i = slide.At();
        sum += (a == 0 ? 2 * K(i, full(b)) : 0) + (b == 0 ? 2 * K(full(a), i) : 0) +
               (a == 0 && b == 0 ? 4 * K(i, i) : 0);
      }
      held(a, b) = sum;
    }
  }
  const bool stillBuckles = model.ClampedCount(forces, above) + InertiaOf(held).negative > 0;
  return {critical, stillBuckles ? BucklingMode::Symmetric : BucklingMode::Sway};
}

FrameResponse AnalyseFrame(const Portal& portal, const FrameLoads& loads, Theory theory) {
  // A load within a millionth of the span of a corner or of another load shares its node: a
  // shorter piece of beam would leave the stiffness too ill-conditioned to converge.
  const double near = 1e-6 * portal.L;
  std::vector<double> beamNodes;
  FrameResponse response;
  double& atLeft = response.cornerLoads[0];
  double& atRight = response.cornerLoads[1];
  for (const BeamPointLoad& p : loads.pointLoads) {
    if (p.a <= near) {
      atLeft += p.F;
    } else if (p.a >= portal.L - near) {
      atRight += p.F;
    } else {
      beamNodes.push_back(p.a);
    }
  }
  std::sort(beamNodes.begin(), beamNodes.end());
  beamNodes.erase(std::unique(beamNodes.begin(), beamNodes.end(),
                              [near](double a, double b) { return b - a <= near; }),
                  beamNodes.end());
  Model model(portal, beamNodes);
  for (Element& e : model.Elements()) {
    e.w = e.member == Member::LeftColumn ? -loads.wD
          : e.member == Member::Beam     ? -loads.q
                                         : loads.wS;
  }
  // The loads on the unknowns: the horizontal forces at the tops on the sway, the point loads
  // on their deflections, the right foot's force where it may slide.
  std::vector<double> nodal(model.Count(), 0.0);
  nodal[0] = loads.topLeft + loads.topRight;
  if (model.SlideB().Free()) {
    nodal[model.SlideB().At()] += loads.footRight;
  }
  for (const BeamPointLoad& p : loads.pointLoads) {
    const auto node = std::find_if(beamNodes.begin(), beamNodes.end(),
                                   [&p, near](double a) { return std::abs(a - p.a) <= near; });
    if (p.a > near && p.a < portal.L - near && node != beamNodes.end()) {
      nodal[model.BeamDeflections()[static_cast<std::size_t>(node - beamNodes.begin())].At()] -=
          p.F;
    }
  }

  Matrix K;
  std::vector<double> d;
  std::vector<std::array<double, 4>> ends(model.Elements().size());
  // Each element's stiffness and fixed-end forces, computed once an iteration.
  std::vector<std::array<double, 16>> stiffness(model.Elements().size());
  const auto solve = [&](const NormalForces& axial) {
    K.Reset(model.Count());
    for (std::size_t j = 0; j < model.Elements().size(); ++j) {
      const Element& e = model.Elements()[j];
      const double N = Model::AxialOf(axial, e.member);
      stiffness[j] = Model::ElementStiffness(e, N);
      ends[j] = Model::FixedEndForces(e, N);
      Model::Add(e, stiffness[j], K);
    }
    d = nodal;
    for (std::size_t j = 0; j < model.Elements().size(); ++j) {
      const Element& e = model.Elements()[j];
      for (std::size_t i = 0; i < 4; ++i) {
        if (e.dofs[i].Free()) {
          d[e.dofs[i].At()] -= e.dofs[i].sign * ends[j][i];
        }
      }
    }
    if (!SolveLinear(K, d)) {
      throw UnstableFrame{};
    }
    // Each element's end forces on it: K·d plus the fixed-end forces.
    for (std::size_t j = 0; j < model.Elements().size(); ++j) {
      const Element& e = model.Elements()[j];
      for (std::size_t r = 0; r < 4; ++r) {
        for (std::size_t c = 0; c < 4; ++c) {
          ends[j][r] += stiffness[j][r * 4 + c] * At(d, e.dofs[c]);
        }
      }
    }
    // The normal forces from the joints: the beam's from the left corner's horizontal balance,
    // the columns' from the corners' vertical balance.
    const std::array<double, 4>& column = ends.front();
    const std::array<double, 4>& first = ends[1];
    const std::array<double, 4>& last = ends[ends.size() - 2];
    NormalForces next;
    next.beam = -column[2] - loads.topLeft;
    next.leftColumn = -atLeft - loads.columnWeight - first[0];
    next.rightColumn = -atRight - loads.columnWeight - last[2];
    return next;
  };

  NormalForces axial = solve(NormalForces{});
  if (theory == Theory::SecondOrder) {
    double previous = HUGE_VAL;
    for (int i = 1;; ++i) {
      const NormalForces next = solve(axial);
      const double change =
          std::max({std::abs(next.leftColumn - axial.leftColumn), std::abs(next.beam - axial.beam),
                    std::abs(next.rightColumn - axial.rightColumn)});
      const double size = std::max(
          {std::abs(next.leftColumn), std::abs(next.beam), std::abs(next.rightColumn), 1.0});
      axial = next;
      response.iterations = i;
      // Converged; or near enough that only rounding still moves the forces.
      if (change <= 1e-11 * size || (change <= 1e-7 * size && change >= previous)) {
        // An equilibrium only where the stiffness under these forces is still positive: past
        // its critical load the portal has none, whatever the iteration settled on.
        model.Stiffness(axial, 1, K);
        if (model.ClampedCount(axial, 1) + InertiaOf(K).negative > 0) {
          throw UnstableFrame{};
        }
        break;
      }
      previous = change;
      if (i == 100) {
        throw UnstableFrame{};
      }
    }
  }
  response.normalForces = axial;
  response.sway = d[0];

  const FaultWatch watch;
  for (std::size_t j = 0; j < model.Elements().size(); ++j) {
    const Element& e = model.Elements()[j];
    const double N = theory == Theory::SecondOrder ? Model::AxialOf(axial, e.member) : 0.0;
    ExactPiece p{};
    p.start = e.start;
    p.end = e.start + e.length;
    p.k2 = -N / e.EI;
    p.w = e.w;
    p.M0 = -ends[j][1];
    p.Q0 = ends[j][0] + N * At(d, e.dofs[1]);
    const double reported = Model::AxialOf(axial, e.member);
    // The columns' weight, taken at their tops, grows along them in the reported line.
    if (e.member == Member::LeftColumn) {
      p.n0 = reported;
      p.dn = loads.columnWeight / portal.h;
    } else if (e.member == Member::RightColumn) {
      p.n0 = reported + loads.columnWeight;
      p.dn = -loads.columnWeight / portal.h;
    } else {
      p.n0 = reported;
      p.dn = 0;
    }
    watch(p.M0 + p.Q0 + p.n0);
    response.lines[static_cast<std::size_t>(e.member)].pieces.push_back(p);
  }
  const std::array<double, 4>& left = ends.front();
  const std::array<double, 4>& right = ends.back();
  Reactions& r = response.reactions;
  r.AH = -left[0] - loads.footLeft;
  r.AV = -axial.leftColumn;
  r.MA = -left[1];
  const bool slides = model.SlideB().index >= 0;
  r.BH = slides ? 0.0 : loads.footRight - right[2];  // positive to the left, as Solve gives it
  r.BV = -axial.rightColumn;
  r.MB = right[3];
  watch(r.AH + r.BH + r.AV + r.BV + r.MA + r.MB);
  return response;
}

}  // namespace strevo
