#include "core/analysis/frame_analysis.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <optional>
#include <stdexcept>
#include <utility>

#include "core/base/arithmetic_fault.h"

namespace strevo {
namespace {

constexpr double kPi = std::numbers::pi;

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
  if (!(x > 0)) {
    return 0;
  }
  // Beyond this many modes the count only has to say "above": saturated, it stays an int when
  // summed over every element even for absurd dimensions (h = 1e158 m gives x of 1e300 and more).
  constexpr int kMostCounted = 1 << 16;
  const double phi = std::sqrt(x);
  if (!(phi < 2 * kPi * kMostCounted)) {
    return kMostCounted;
  }
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

// Solves K·d = f by elimination with partial pivoting, K left eliminated; false when K is
// singular.
bool SolveLinear(Matrix& K, std::vector<double>& f) {
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

// The unknowns the constraints leave free: d = T·z, d every node's displacements (x, y and
// rotation, three a node), z the free ones. The constraints are rows c·d = 0: a held
// displacement, a member that keeps its length.
class Reduction {
 public:
  // `rows`: the constraints' coefficients, `full` to a row, one row after another.
  Reduction(std::size_t full, std::vector<double> rows) : full_(full), rows_(rows) {
    // Gauss–Jordan with complete pivoting: each row makes one displacement depend on the others.
    const std::size_t m = rows.size() / full;
    const auto at = [&rows, full](std::size_t r, std::size_t c) -> double& {
      return rows[r * full + c];
    };
    std::vector<std::size_t> pivots;
    std::vector<char> dependent(full, 0);
    for (std::size_t i = 0; i < m; ++i) {
      std::size_t row = i, column = 0;
      double largest = 0;
      for (std::size_t r = i; r < m; ++r) {
        for (std::size_t c = 0; c < full; ++c) {
          if (dependent[c] == 0 && std::abs(at(r, c)) > largest) {
            largest = std::abs(at(r, c));
            row = r;
            column = c;
          }
        }
      }
      if (!(largest > 1e-12)) {
        // The rows left say again what the others said (a restraint where a support already
        // holds): they hold nothing more.
        redundant_ = m - i;
        break;
      }
      for (std::size_t c = 0; c < full; ++c) {
        std::swap(at(i, c), at(row, c));
      }
      const double pivot = at(i, column);
      for (std::size_t c = 0; c < full; ++c) {
        at(i, c) /= pivot;
      }
      for (std::size_t r = 0; r < m; ++r) {
        const double f = at(r, column);
        if (r != i && f != 0) {
          for (std::size_t c = 0; c < full; ++c) {
            at(r, c) -= f * at(i, c);
          }
        }
      }
      pivots.push_back(column);
      dependent[column] = 1;
    }
    for (std::size_t c = 0; c < full; ++c) {
      if (dependent[c] == 0) {
        free_.push_back(c);
      }
    }
    T_.assign(full * free_.size(), 0.0);
    for (std::size_t k = 0; k < free_.size(); ++k) {
      T_[free_[k] * free_.size() + k] = 1;
      for (std::size_t i = 0; i < pivots.size(); ++i) {
        T_[pivots[i] * free_.size() + k] = -at(i, free_[k]);
      }
    }
  }

  std::size_t Free() const { return free_.size(); }
  // Row `displacement` of T: how that displacement follows from the free ones.
  const double* Row(std::size_t displacement) const { return &T_[displacement * free_.size()]; }
  std::size_t Constraints() const { return rows_.size() / full_; }
  // Constraint a's coefficients, Full() of them.
  const double* Constraint(std::size_t a) const { return &rows_[a * full_]; }
  std::size_t Full() const { return full_; }
  // How many constraints said again what others said.
  std::size_t Redundant() const { return redundant_; }

 private:
  std::size_t full_, redundant_ = 0;
  std::vector<double> rows_;
  std::vector<std::size_t> free_;
  std::vector<double> T_;  // full × free, row by row
};

std::size_t Dof(std::size_t node, Direction direction) {
  return 3 * node + static_cast<std::size_t>(direction);
}

// A stretch of a member between two nodes of the analysis (the model's and those under loads).
struct Element {
  std::size_t member;
  std::size_t startNode, endNode;
  double start, length;  // m along the member
  double EI, EA;
  double cx, cy;  // the member's direction
  // The element's own displacements (u1, v1, θ1, u2, v2, θ2) from the free unknowns: each
  // nonzero coefficient (few: a portal's are ±1) with its row and unknown.
  struct Entry {
    std::size_t row, unknown;
    double coefficient;
  };
  std::vector<Entry> map;
};

// The elements of a frame, its constraints and what reduces them to the free unknowns.
class Discretisation {
 public:
  // `cuts` by member: places (beside the ends) where an element ends.
  Discretisation(const FrameModel& model, const std::vector<std::vector<double>>& cuts)
      : nodeCount_(model.nodes.size()), rigid_(model.axiallyRigid) {
    for (std::size_t m = 0; m < model.members.size(); ++m) {
      AddElements(model, m, cuts[m]);
    }
    reduction_.emplace(3 * nodeCount_, ConstraintRows(model));
    MapElements();
  }

  std::vector<Element>& Elements() { return elements_; }
  const std::vector<Element>& Elements() const { return elements_; }
  const Reduction& Reduced() const { return *reduction_; }
  std::size_t NodeCount() const { return nodeCount_; }
  std::size_t SupportRows() const { return supportRows_; }
  bool Rigid() const { return rigid_; }

 private:
  // The member's elements, cut at `cuts`; a node of the analysis at each cut.
  void AddElements(const FrameModel& model, std::size_t m, const std::vector<double>& cuts) {
    const FaultWatch watch;
    const FrameMember& member = model.members[m];
    const FrameNode& a = model.nodes[member.start.index];
    const FrameNode& b = model.nodes[member.end.index];
    const double length = LengthOf(model, MemberId{m});
    if (!(length > 0) || !(member.EI > 0) || !std::isfinite(length + member.EI) ||
        (!rigid_ && !(member.EA > 0 && std::isfinite(member.EA)))) {
      throw ArithmeticFault(FaultKind::DivisionByZero);
    }
    watch(length + member.EI);
    std::size_t previous = member.start.index;
    double from = 0;
    const auto add = [&](double to, std::size_t node) {
      elements_.push_back({m,
                           previous,
                           node,
                           from,
                           to - from,
                           member.EI,
                           member.EA,
                           (b.x - a.x) / length,
                           (b.y - a.y) / length,
                           {}});
      previous = node;
      from = to;
    };
    for (const double s : cuts) {
      add(s, nodeCount_++);
    }
    add(length, member.end.index);
  }

  // The constraints, a row each: the supports' held displacements, then (rigid members) each
  // element's length.
  std::vector<double> ConstraintRows(const FrameModel& model) {
    const std::size_t full = 3 * nodeCount_;
    std::vector<double> rows;
    const auto row = [&rows, full] {
      rows.resize(rows.size() + full, 0.0);
      return rows.end() - static_cast<std::ptrdiff_t>(full);
    };
    for (const FrameSupport& support : model.supports) {
      for (const auto& [held, direction] :
           {std::pair{support.x, Direction::X}, std::pair{support.y, Direction::Y},
            std::pair{support.rotation, Direction::Rotation}}) {
        if (held) {
          row()[static_cast<std::ptrdiff_t>(Dof(support.node.index, direction))] = 1;
        }
      }
    }
    supportRows_ = rows.size() / full;
    for (const Element& e : elements_) {
      if (rigid_) {
        const auto r = row();
        r[static_cast<std::ptrdiff_t>(Dof(e.startNode, Direction::X))] = -e.cx;
        r[static_cast<std::ptrdiff_t>(Dof(e.startNode, Direction::Y))] = -e.cy;
        r[static_cast<std::ptrdiff_t>(Dof(e.endNode, Direction::X))] = e.cx;
        r[static_cast<std::ptrdiff_t>(Dof(e.endNode, Direction::Y))] = e.cy;
      }
    }
    return rows;
  }

  // Each element's own displacements from the free unknowns.
  void MapElements() {
    const std::size_t n = reduction_->Free();
    for (Element& e : elements_) {
      for (std::size_t end = 0; end < 2; ++end) {
        const std::size_t node = end == 0 ? e.startNode : e.endNode;
        const double* x = reduction_->Row(Dof(node, Direction::X));
        const double* y = reduction_->Row(Dof(node, Direction::Y));
        const double* r = reduction_->Row(Dof(node, Direction::Rotation));
        for (std::size_t k = 0; k < n; ++k) {
          const std::array<double, 3> row{e.cx * x[k] + e.cy * y[k], -e.cy * x[k] + e.cx * y[k],
                                          r[k]};
          // A rigid element's stiffness has no axial terms: its axial rows would add zeros.
          for (std::size_t p = rigid_ ? 1 : 0; p < 3; ++p) {
            if (row[p] != 0) {
              e.map.push_back({3 * end + p, k, row[p]});
            }
          }
        }
      }
    }
  }

  std::size_t nodeCount_;
  bool rigid_;
  std::vector<Element> elements_;
  std::optional<Reduction> reduction_;
  std::size_t supportRows_ = 0;
};

// The discretisation of a model with these cuts, kept for the next calls on the same frame: a
// design analyses one portal, with few sets of cuts, under many combinations. Per thread, so that
// the window's worker and a search never share one.
std::shared_ptr<const Discretisation> DiscretisationOf(
    const FrameModel& model, const std::vector<std::vector<double>>& cuts) {
  struct Kept {
    FrameModel model;
    std::vector<std::vector<double>> cuts;
    std::shared_ptr<const Discretisation> frame;
  };
  thread_local std::array<Kept, 4> kept;
  thread_local std::size_t next = 0;
  for (const Kept& k : kept) {
    if (k.frame && k.cuts == cuts && k.model == model) {
      return k.frame;
    }
  }
  Kept& slot = kept[next];
  next = (next + 1) % kept.size();
  slot = {model, cuts, std::make_shared<const Discretisation>(model, cuts)};
  return slot.frame;
}

// The element's stiffness in its own displacements (u1, v1, θ1, u2, v2, θ2) under the normal
// force N; the axial terms only where the members are not rigid.
std::array<double, 36> ElementStiffness(const Element& e, double N, bool rigid) {
  const double l = e.length, x = -N * l * l / e.EI;
  const StabilityFunctions f = FunctionsOf(x);
  const double a = f.s * e.EI / l, b = f.c * e.EI / l, c = (f.s + f.c) * e.EI / (l * l),
               d = (2 * (f.s + f.c) - x) * e.EI / (l * l * l);
  const double k = rigid ? 0 : e.EA / l;
  return {k,  0,  0,  -k, 0,  0,   //
          0,  d,  c,  0,  -d, c,   //
          0,  c,  a,  0,  -c, b,   //
          -k, 0,  0,  k,  0,  0,   //
          0,  -d, -c, 0,  d,  -c,  //
          0,  c,  b,  0,  -c, a};
}

// The end forces of a uniform load w on the element with both ends held.
std::array<double, 6> FixedEndForces(const Element& e, double w, double N) {
  const double l = e.length, x = -N * l * l / e.EI;
  const double m = w * l * l * FixedEndFactor(x);
  return {0, -w * l / 2, -m, 0, -w * l / 2, m};
}

// Adds eᵀ·k·e for the element's map e to the free unknowns' matrix.
void AddStiffness(const Element& e, const std::array<double, 36>& k, Matrix& K) {
  for (const Element::Entry& x : e.map) {
    for (const Element::Entry& y : e.map) {
      K(x.unknown, y.unknown) += x.coefficient * y.coefficient * k[x.row * 6 + y.row];
    }
  }
}

// Each element's normal force times `factor` into the stiffness of the free unknowns.
void Stiffness(const Discretisation& frame, const std::vector<double>& N, double factor,
               Matrix& K) {
  const std::size_t n = frame.Reduced().Free();
  K.Reset(n);
  const std::vector<Element>& elements = frame.Elements();
  for (std::size_t j = 0; j < elements.size(); ++j) {
    AddStiffness(elements[j], ElementStiffness(elements[j], factor * N[j], frame.Rigid()), K);
  }
}

// The stiffness with one more constraint r·d = 0 on the displacements: in the free unknowns
// r·T·z = 0 makes the unknown of largest coefficient follow from the rest, z = S·y, and the
// held matrix is SᵀKS. Where r holds nothing the supports do not hold already, K itself.
Matrix Held(const Discretisation& frame, const std::vector<DisplacementTerm>& restraint,
            const Matrix& K) {
  const std::size_t n = K.Size();
  std::vector<double> r(n, 0.0);
  for (const DisplacementTerm& t : restraint) {
    const double* row = frame.Reduced().Row(Dof(t.node.index, t.direction));
    for (std::size_t k = 0; k < n; ++k) {
      r[k] += t.coefficient * row[k];
    }
  }
  const auto pivot = static_cast<std::size_t>(
      std::max_element(r.begin(), r.end(),
                       [](double a, double b) { return std::abs(a) < std::abs(b); }) -
      r.begin());
  if (!(std::abs(r[pivot]) > 1e-12)) {
    return K;
  }
  // S: the identity without the pivot's column; the pivot's row −r/r[pivot].
  const auto full = [pivot](std::size_t a) { return a < pivot ? a : a + 1; };
  const auto S = [&](std::size_t row, std::size_t column) {
    return row == pivot ? -r[full(column)] / r[pivot] : (row == full(column) ? 1.0 : 0.0);
  };
  Matrix held;
  held.Reset(n - 1);
  for (std::size_t a = 0; a + 1 < n; ++a) {
    for (std::size_t b = 0; b + 1 < n; ++b) {
      held(a, b) = K(full(a), full(b)) + S(pivot, a) * K(pivot, full(b)) +
                   K(full(a), pivot) * S(pivot, b) + S(pivot, a) * K(pivot, pivot) * S(pivot, b);
    }
  }
  return held;
}

// How many clamped-element buckling loads lie below `factor`.
int ClampedCount(const Discretisation& frame, const std::vector<double>& N, double factor) {
  int count = 0;
  const std::vector<Element>& elements = frame.Elements();
  for (std::size_t j = 0; j < elements.size(); ++j) {
    const Element& e = elements[j];
    count += ClampedEigenvaluesBelow(-factor * N[j] * e.length * e.length / e.EI);
  }
  return count;
}

// Where a member is cut: under its point loads and at its partial loads' ends, each place once
// (within a millionth of its length); none at its ends.
std::vector<double> CutsOf(const MemberLoads& loads, double length) {
  const double near = 1e-6 * length;
  std::vector<double> cuts;
  for (const MemberPointLoad& p : loads.points) {
    cuts.push_back(p.s);
  }
  for (const PartialMemberLoad& p : loads.partial) {
    cuts.push_back(p.from);
    cuts.push_back(p.to);
  }
  std::erase_if(cuts, [&](double s) { return !(s > near && s < length - near); });
  std::sort(cuts.begin(), cuts.end());
  cuts.erase(
      std::unique(cuts.begin(), cuts.end(), [near](double a, double b) { return b - a <= near; }),
      cuts.end());
  return cuts;
}

const MemberLoads& LoadsOn(const FrameLoading& loading, std::size_t member) {
  static const MemberLoads kNone;
  return member < loading.members.size() ? loading.members[member] : kNone;
}

// The analysis of one frame under one loading: the stiffness for trial normal forces, the
// solution, the end forces, and the normal forces that equilibrium then gives.
class Solver {
 public:
  Solver(const FrameModel& model, const FrameLoading& loading)
      : model_(model),
        loading_(loading),
        shared_(DiscretisationOf(model, CutsOfAll(model, loading))),
        frame_(*shared_) {
    if (frame_.Reduced().Redundant() > 0) {
      // Supports and rigid members that hold one displacement twice leave the reactions and
      // normal forces undetermined.
      throw std::invalid_argument("frame model with redundant constraints");
    }
    nodal_.assign(3 * frame_.NodeCount(), 0.0);
    endLoads_.assign(model.members.size(), {0.0, 0.0});
    for (const NodalLoad& p : loading.nodal) {
      nodal_[Dof(p.node.index, Direction::X)] += p.Fx;
      nodal_[Dof(p.node.index, Direction::Y)] += p.Fy;
      nodal_[Dof(p.node.index, Direction::Rotation)] += p.M;
    }
    const std::vector<Element>& elements = frame_.Elements();
    for (const Element& e : elements) {
      const MemberLoads& loads = LoadsOn(loading, e.member);
      const double middle = e.start + e.length / 2;
      double& w = w_.emplace_back(loads.w);
      for (const PartialMemberLoad& p : loads.partial) {
        if (p.from < middle && middle < p.to) {
          w += p.w;
        }
      }
    }
    for (std::size_t m = 0; m < model.members.size(); ++m) {
      AddMemberNodalLoads(m);
    }
    ends_.resize(elements.size());
    stiffness_.resize(elements.size());
    local_.resize(elements.size());
  }

  const Discretisation& Frame() const { return frame_; }
  // The uniform load on element j, kN/m along n.
  double W(std::size_t j) const { return w_[j]; }

  // Solves for the elements' normal forces N; returns those equilibrium gives back.
  const std::vector<double>& Solve(const std::vector<double>& N) {
    const std::size_t n = frame_.Reduced().Free();
    const std::vector<Element>& elements = frame_.Elements();
    K_.Reset(n);
    if (reducedNodal_.empty()) {
      reducedNodal_.assign(n, 0.0);
      for (std::size_t i = 0; i < nodal_.size(); ++i) {
        const double* row = frame_.Reduced().Row(i);
        for (std::size_t k = 0; k < n && nodal_[i] != 0; ++k) {
          reducedNodal_[k] += row[k] * nodal_[i];
        }
      }
    }
    z_ = reducedNodal_;
    for (std::size_t j = 0; j < elements.size(); ++j) {
      const Element& e = elements[j];
      stiffness_[j] = ElementStiffness(e, N[j], frame_.Rigid());
      ends_[j] = FixedEndForces(e, w_[j], N[j]);
      AddStiffness(e, stiffness_[j], K_);
      for (const Element::Entry& x : e.map) {
        z_[x.unknown] -= x.coefficient * ends_[j][x.row];
      }
    }
    if (!SolveLinear(K_, z_)) {
      throw UnstableFrame{};
    }
    for (std::size_t j = 0; j < elements.size(); ++j) {
      const Element& e = elements[j];
      local_[j] = {};
      for (const Element::Entry& x : e.map) {
        local_[j][x.row] += x.coefficient * z_[x.unknown];
      }
      for (std::size_t p = 0; p < 6; ++p) {
        for (std::size_t q = 0; q < 6; ++q) {
          ends_[j][p] += stiffness_[j][p * 6 + q] * local_[j][q];
        }
      }
    }
    return NormalForcesFromEquilibrium();
  }

  // After Solve: the element's end forces (on it, in its own axes) and displacements.
  const std::array<double, 6>& Ends(std::size_t j) const { return ends_[j]; }
  const std::array<double, 6>& Local(std::size_t j) const { return local_[j]; }
  const std::vector<double>& Multipliers() const { return multipliers_; }
  const std::vector<std::array<double, 2>>& EndLoads() const { return endLoads_; }
  double Displacement(std::size_t dof) const {
    double sum = 0;
    const double* row = frame_.Reduced().Row(dof);
    for (std::size_t k = 0; k < z_.size(); ++k) {
      sum += row[k] * z_[k];
    }
    return sum;
  }

 private:
  static std::vector<std::vector<double>> CutsOfAll(const FrameModel& model,
                                                    const FrameLoading& loading) {
    std::vector<std::vector<double>> cuts;
    for (std::size_t m = 0; m < model.members.size(); ++m) {
      cuts.push_back(CutsOf(LoadsOn(loading, m), LengthOf(model, MemberId{m})));
    }
    return cuts;
  }

  // A member's point loads onto its nodes (those near an end onto the end's node), and its load
  // along itself whole onto the end it comes from.
  void AddMemberNodalLoads(std::size_t m) {
    const MemberLoads& loads = LoadsOn(loading_, m);
    const std::vector<Element>& elements = frame_.Elements();
    const auto first = std::find_if(elements.begin(), elements.end(),
                                    [m](const Element& e) { return e.member == m; });
    const auto last =
        std::find_if(first, elements.end(), [m](const Element& e) { return e.member != m; });
    const double length = LengthOf(model_, MemberId{m});
    const double near = 1e-6 * length;
    const double cx = first->cx, cy = first->cy;
    const auto push = [&](std::size_t node, double P) {
      nodal_[Dof(node, Direction::X)] -= cy * P;
      nodal_[Dof(node, Direction::Y)] += cx * P;
    };
    for (const MemberPointLoad& p : loads.points) {
      if (p.s <= near) {
        endLoads_[m][0] += p.P;
        push(first->startNode, p.P);
        continue;
      }
      if (p.s >= length - near) {
        endLoads_[m][1] += p.P;
        push(std::prev(last)->endNode, p.P);
        continue;
      }
      // The node whose place lies nearest the load: the one the cuts put there.
      auto e = first;
      while (std::next(e) != last &&
             std::abs(std::next(e)->start - p.s) < std::abs(e->start + e->length - p.s) - near) {
        ++e;
      }
      while (e != last && std::abs(e->start + e->length - p.s) > near) {
        ++e;
      }
      push(e->endNode, p.P);
    }
    if (loads.axial != 0) {
      const std::size_t from = loads.axial > 0 ? first->startNode : std::prev(last)->endNode;
      nodal_[Dof(from, Direction::X)] += cx * loads.axial * length;
      nodal_[Dof(from, Direction::Y)] += cy * loads.axial * length;
    }
  }

  // The constraint forces g = Σ elements' end forces − loads, g = Cᵀ·μ: the supports' reactions
  // and the rigid members' normal forces (μ = −N).
  const std::vector<double>& NormalForcesFromEquilibrium() {
    const Reduction& r = frame_.Reduced();
    const std::vector<Element>& elements = frame_.Elements();
    g_.assign(r.Full(), 0.0);
    for (std::size_t i = 0; i < nodal_.size(); ++i) {
      g_[i] = -nodal_[i];
    }
    for (std::size_t j = 0; j < elements.size(); ++j) {
      const Element& e = elements[j];
      for (std::size_t end = 0; end < 2; ++end) {
        const std::size_t node = end == 0 ? e.startNode : e.endNode;
        const double axial = ends_[j][3 * end], transverse = ends_[j][3 * end + 1];
        g_[Dof(node, Direction::X)] += e.cx * axial - e.cy * transverse;
        g_[Dof(node, Direction::Y)] += e.cy * axial + e.cx * transverse;
        g_[Dof(node, Direction::Rotation)] += ends_[j][3 * end + 2];
      }
    }
    const std::size_t m = r.Constraints();
    if (order_.size() != m) {
      FactorGram();
    }
    multipliers_.assign(m, 0.0);
    for (std::size_t a = 0; a < m; ++a) {
      for (const auto& [i, c] : sparse_[a]) {
        multipliers_[a] += c * g_[i];
      }
    }
    SolveGram(multipliers_);
    std::vector<double>& N = normalForces_;
    N.assign(elements.size(), 0.0);
    for (std::size_t j = 0; j < elements.size(); ++j) {
      N[j] = frame_.Rigid() ? -multipliers_[frame_.SupportRows() + j] : ends_[j][3];
    }
    return N;
  }

  // C·Cᵀ factored once (LU, rows exchanged as the pivots chose) for all iterations.
  void FactorGram() {
    const Reduction& r = frame_.Reduced();
    const std::size_t m = r.Constraints();
    // Each row holds a few displacements only (a support one, a rigid member four).
    sparse_.assign(m, {});
    for (std::size_t a = 0; a < m; ++a) {
      for (std::size_t i = 0; i < r.Full(); ++i) {
        if (r.Constraint(a)[i] != 0) {
          sparse_[a].push_back({i, r.Constraint(a)[i]});
        }
      }
    }
    gram_.Reset(m);
    for (std::size_t a = 0; a < m; ++a) {
      for (std::size_t b = 0; b < m; ++b) {
        for (const auto& [i, c] : sparse_[a]) {
          gram_(a, b) += c * r.Constraint(b)[i];
        }
      }
    }
    order_.resize(m);
    for (std::size_t j = 0; j < m; ++j) {
      order_[j] = j;
    }
    for (std::size_t j = 0; j < m; ++j) {
      std::size_t p = j;
      for (std::size_t i = j + 1; i < m; ++i) {
        if (std::abs(gram_(i, j)) > std::abs(gram_(p, j))) {
          p = i;
        }
      }
      for (std::size_t k = 0; k < m; ++k) {
        std::swap(gram_(p, k), gram_(j, k));
      }
      std::swap(order_[p], order_[j]);
      for (std::size_t i = j + 1; i < m; ++i) {
        gram_(i, j) /= gram_(j, j);
        for (std::size_t k = j + 1; k < m; ++k) {
          gram_(i, k) -= gram_(i, j) * gram_(j, k);
        }
      }
    }
  }

  // μ from C·Cᵀ·μ = b with the factors.
  void SolveGram(std::vector<double>& b) const {
    const std::size_t m = order_.size();
    std::vector<double>& x = scratch_;
    x.resize(m);
    for (std::size_t i = 0; i < m; ++i) {
      double sum = b[order_[i]];
      for (std::size_t k = 0; k < i; ++k) {
        sum -= gram_(i, k) * x[k];
      }
      x[i] = sum;
    }
    for (std::size_t i = m; i-- > 0;) {
      double sum = x[i];
      for (std::size_t k = i + 1; k < m; ++k) {
        sum -= gram_(i, k) * x[k];
      }
      x[i] = sum / gram_(i, i);
    }
    b.swap(x);
  }

  const FrameModel& model_;
  const FrameLoading& loading_;
  std::shared_ptr<const Discretisation> shared_;
  const Discretisation& frame_;
  std::vector<double> w_;      // by element
  std::vector<double> nodal_;  // the loads on every displacement, kN and kNm
  std::vector<std::array<double, 2>> endLoads_;
  std::vector<std::array<double, 36>> stiffness_;
  std::vector<std::array<double, 6>> ends_, local_;
  std::vector<double> reducedNodal_, z_, g_, multipliers_, normalForces_;
  mutable std::vector<double> scratch_;
  std::vector<std::size_t> order_;
  std::vector<std::vector<std::pair<std::size_t, double>>> sparse_;  // C's nonzeros by row
  Matrix K_, gram_;
};

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

ExactLine ExactLineOf(const ForceLine& M, const ForceLine& N) {
  ExactLine line;
  for (const LinePiece& m : M.pieces) {
    const LinePiece& n = N.PieceAt(m.start);
    line.pieces.push_back({m.start, m.end, 0, 2 * m.c2, m.c0, m.c1, n.At(m.start), n.c1});
  }
  return line;
}

double ShearZero(const ExactPiece& p, double low, double high) {
  // Newton's method on Q' = w − k2·M, kept inside the bracket.
  const bool rising = p.Q(low) < 0;
  double s = (low + high) / 2;
  for (int k = 0; k < 50 && high - low > 1e-13 * (1 + std::abs(high)); ++k) {
    const double q = p.Q(s);
    if (q == 0) {
      return s;
    }
    ((q < 0) == rising ? low : high) = s;
    const double slope = p.Slope(s);
    const double next = slope != 0 ? s - q / slope : low;
    s = next > low && next < high ? next : (low + high) / 2;
  }
  return s;
}

namespace {

int Sign(double value) {
  return (value > 0) - (value < 0);
}

// The field point's candidates on a beam line, in order of s.
class ShearTurns {
 public:
  explicit ShearTurns(const ExactLine& beam) {
    for (const ExactPiece& p : beam.pieces) {
      scale_ = std::max({scale_, std::abs(p.Q(p.start)), std::abs(p.Q(p.end))});
    }
    bool stretch = false;
    // An unloaded beam has no shear to change its sign.
    for (std::size_t i = 0; scale_ > 0 && i < beam.pieces.size(); ++i) {
      const ExactPiece& p = beam.pieces[i];
      const bool zero = ZeroAlong(p);
      if (zero && !stretch) {
        turns_.push_back(p.start);
      }
      if (!zero) {
        ForEachPlace(p, [this](double s, bool turns) {
          if (turns) {
            turns_.push_back(s);
          }
        });
      }
      stretch = zero;
      if (i + 1 < beam.pieces.size() && !zero && !ZeroAlong(beam.pieces[i + 1])) {
        const ExactPiece& next = beam.pieces[i + 1];
        // A zero on one side counts with the sign the shear takes just beside it.
        const double left = p.Q(p.end), right = next.Q(next.start);
        const int signLeft = IsZero(left) ? -Sign(p.Slope(p.end)) : Sign(left);
        const int signRight = IsZero(right) ? Sign(next.Slope(next.start)) : Sign(right);
        if (signLeft * signRight < 0) {
          turns_.push_back(p.end);
        }
      }
    }
  }
  const std::vector<double>& Places() const { return turns_; }

 private:
  bool IsZero(double Q) const { return std::abs(Q) <= 1e-12 * scale_; }
  bool ZeroAlong(const ExactPiece& p) const {
    return IsZero(p.Q(p.start)) && IsZero(p.Q(p.end)) && p.w == 0 &&
           IsZero(p.Q((p.start + p.end) / 2));
  }

  double scale_ = 0;
  std::vector<double> turns_;
};

}  // namespace

double FieldPointOf(const ExactLine& beam) {
  const double L = beam.pieces.back().end;
  const auto moment = [&beam](double s) { return beam.At(s).M; };
  double chosen = 0, largest = -1;
  const auto consider = [&](double s) {
    if (const double size = std::abs(moment(s)); size > largest) {
      largest = size;
      chosen = s;
    }
  };
  const ShearTurns turns(beam);
  for (const double s : turns.Places()) {
    consider(s);
  }
  double load = 0;
  for (const ExactPiece& p : beam.pieces) {
    load += p.w * (p.end - p.start);
  }
  const bool distributed = std::any_of(beam.pieces.begin(), beam.pieces.end(),
                                       [](const ExactPiece& p) { return p.w != 0; });
  if (largest < 0 && !distributed) {
    // The point loads: where the shear jumps (a line summed from several keeps a rounding
    // residue where it runs on).
    for (std::size_t i = 0; i + 1 < beam.pieces.size(); ++i) {
      const ExactPiece& p = beam.pieces[i];
      const double left = p.Q(p.end), right = beam.pieces[i + 1].Q0;
      if (std::abs(left - right) > 1e-9 * std::max(std::abs(left), std::abs(right))) {
        consider(p.end);
      }
    }
  }
  if (largest >= 0) {
    return chosen;
  }
  if (!distributed) {
    return L / 2;
  }
  // A downward load (w < 0 along the beam's n) makes the moment larger where it ends up larger.
  const double start = moment(0), end = moment(L);
  return (load < 0 ? end > start : end < start) ? L : 0.0;
}

namespace {

// Second order: the normal forces iterated from first order's until they no longer change.
// Returns how many iterations that took.
int Iterate(Solver& solver, std::vector<double>& axial) {
  Matrix K;
  double previous = HUGE_VAL;
  for (int i = 1;; ++i) {
    const std::vector<double>& next = solver.Solve(axial);
    double change = 0, size = 1;
    for (std::size_t j = 0; j < next.size(); ++j) {
      change = std::max(change, std::abs(next[j] - axial[j]));
      size = std::max(size, std::abs(next[j]));
    }
    axial = next;
    // Converged; or near enough that only rounding still moves the forces.
    if (change <= 1e-11 * size || (change <= 1e-7 * size && change >= previous)) {
      // An equilibrium only where the stiffness under these forces is still positive: past its
      // critical load the frame has none, whatever the iteration settled on.
      Stiffness(solver.Frame(), axial, 1, K);
      if (ClampedCount(solver.Frame(), axial, 1) + InertiaOf(K).negative > 0) {
        throw UnstableFrame{};
      }
      return i;
    }
    previous = change;
    if (i == 100) {
      throw UnstableFrame{};
    }
  }
}

// Each member's line from its elements' end forces.
void LinesInto(FrameAnalysis& analysis, const FrameModel& model, const FrameLoading& loading,
               const Solver& solver, const std::vector<double>& axial, Theory theory) {
  const FaultWatch watch;
  const std::vector<Element>& elements = solver.Frame().Elements();
  analysis.lines.resize(model.members.size());
  analysis.normalForces.assign(model.members.size(), 0.0);
  for (std::size_t j = 0; j < elements.size(); ++j) {
    const Element& e = elements[j];
    const double N = theory == Theory::SecondOrder ? axial[j] : 0.0;
    const std::array<double, 6>& ends = solver.Ends(j);
    ExactPiece p{};
    p.start = e.start;
    p.end = e.start + e.length;
    p.k2 = -N / e.EI;
    p.w = solver.W(j);
    p.M0 = -ends[2];
    p.Q0 = ends[1] + N * solver.Local(j)[2];
    // A load along the member enters whole at the end it comes from: the force the stiffness
    // took is the one at the other end, and the line grows towards it.
    const double t = LoadsOn(loading, e.member).axial;
    const double length = LengthOf(model, MemberId{e.member});
    p.dn = -t;
    p.n0 = axial[j] + (t > 0 ? t * (length - e.start) : -t * e.start);
    watch(p.M0 + p.Q0 + p.n0);
    analysis.lines[e.member].pieces.push_back(p);
    analysis.normalForces[e.member] = axial[j];
  }
}

}  // namespace

FrameAnalysis Analyse(const FrameModel& model, const FrameLoading& loading, Theory theory) {
  Solver solver(model, loading);
  std::vector<double> axial = solver.Solve(std::vector<double>(solver.Frame().Elements().size()));
  FrameAnalysis analysis;
  if (theory == Theory::SecondOrder) {
    analysis.iterations = Iterate(solver, axial);
  }
  LinesInto(analysis, model, loading, solver, axial, theory);
  const FaultWatch watch;
  const std::vector<double>& reactions = solver.Multipliers();
  std::size_t row = 0;
  for (const FrameSupport& support : model.supports) {
    SupportReaction& r = analysis.reactions.emplace_back();
    r.Fx = support.x ? reactions[row++] : 0.0;
    r.Fy = support.y ? reactions[row++] : 0.0;
    r.M = support.rotation ? reactions[row++] : 0.0;
    watch(r.Fx + r.Fy + r.M);
  }
  for (std::size_t node = 0; node < model.nodes.size(); ++node) {
    analysis.displacements.push_back({solver.Displacement(Dof(node, Direction::X)),
                                      solver.Displacement(Dof(node, Direction::Y)),
                                      solver.Displacement(Dof(node, Direction::Rotation))});
  }
  analysis.endLoads = solver.EndLoads();
  return analysis;
}

namespace {

// The lowest eigenvalue of the frame's stiffness under factor·N, found by counting: the
// Wittrick–Williams count of eigenvalues below a trial factor brackets it, then the Illinois
// rule on the determinant finds it to the last few digits.
class EigenvalueSearch {
 public:
  EigenvalueSearch(const Discretisation& frame, const std::vector<double>& N)
      : frame_(frame), N_(N) {}

  // Between a factor with none below and one with one or more; false where there is none up to
  // kLargestCriticalFactor.
  bool Bracket() {
    while (Count(high_) == 0) {
      low_ = high_;
      high_ *= 4;
      if (high_ > kLargestCriticalFactor) {
        return false;
      }
    }
    // Halve until the bracket holds the one eigenvalue and no clamped element's pole; then the
    // determinant changes its sign once in it and is continuous.
    while (high_ - low_ > 1e-13 * high_) {
      const double middle = (low_ + high_) / 2;
      if (middle <= low_ || middle >= high_) {
        break;
      }
      const int passed = Count(middle);
      (passed == 0 ? low_ : high_) = middle;
      if (passed == 1 && ClampedCount(frame_, N_, low_) == ClampedCount(frame_, N_, high_)) {
        break;
      }
    }
    return true;
  }

  double Refine() {
    double dLow = Determinant(low_), dHigh = Determinant(high_);
    int side = 0;
    for (int i = 0; i < 100 && high_ - low_ > 1e-13 * high_ && dLow * dHigh < 0; ++i) {
      double next = (low_ * dHigh - high_ * dLow) / (dHigh - dLow);
      if (!(next > low_ && next < high_)) {
        next = (low_ + high_) / 2;
      }
      const double dNext = Determinant(next);
      if (dNext * dLow > 0) {
        low_ = next;
        dLow = dNext;
        dHigh /= side == -1 ? 2 : 1;
        side = -1;
      } else {
        high_ = next;
        dHigh = dNext;
        dLow /= side == 1 ? 2 : 1;
        side = 1;
      }
      if (dNext == 0) {
        low_ = high_ = next;
      }
    }
    return (low_ + high_) / 2;
  }

  // Held by the restraint as well, does the frame still buckle just above `critical`?
  bool BucklesHeld(const std::vector<DisplacementTerm>& restraint, double critical) {
    const double above = critical * (1 + 1e-6);
    Stiffness(frame_, N_, above, K_);
    Matrix held = Held(frame_, restraint, K_);
    return ClampedCount(frame_, N_, above) + InertiaOf(held).negative > 0;
  }

 private:
  int Count(double factor) {
    Stiffness(frame_, N_, factor, K_);
    return ClampedCount(frame_, N_, factor) + InertiaOf(K_).negative;
  }
  double Determinant(double factor) {
    Stiffness(frame_, N_, factor, K_);
    return InertiaOf(K_).determinant;
  }

  const Discretisation& frame_;
  const std::vector<double>& N_;
  Matrix K_;
  double low_ = 0, high_ = 1;
};

}  // namespace

CriticalLoad CriticalLoadOf(const FrameModel& model, const std::vector<double>& normalForces) {
  const std::shared_ptr<const Discretisation> shared =
      DiscretisationOf(model, std::vector<std::vector<double>>(model.members.size()));
  const Discretisation& frame = *shared;
  if (!(*std::min_element(normalForces.begin(), normalForces.end()) < 0)) {
    return {HUGE_VAL, BucklingMode::Sway};
  }
  EigenvalueSearch search(frame, normalForces);
  if (!search.Bracket()) {
    return {HUGE_VAL, BucklingMode::Sway};
  }
  const double critical = search.Refine();
  // The mode: held against sway, does the frame still buckle at αcr? Then its mode needs no
  // sway. Counting decides it, as it found αcr.
  const bool stillBuckles =
      !model.swayRestraint.empty() && search.BucklesHeld(model.swayRestraint, critical);
  return {critical, stillBuckles ? BucklingMode::Symmetric : BucklingMode::Sway};
}

}  // namespace strevo
