#include "frame_fe.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <stdexcept>
#include <vector>

namespace strevo::testing {
namespace {

using Vec6 = std::array<double, 6>;
using Mat6 = std::array<std::array<double, 6>, 6>;
using Matrix = std::vector<std::vector<double>>;

constexpr double kEIPerCm4 = 2.1;  // kNm² for I = 1 cm4, E = 210000 N/mm²
// EA against EI/length²: large enough that the members' shortening changes nothing in the
// sixth digit, small enough to keep the matrices well conditioned.
constexpr double kAxialRatio = 1e7;

struct Element {
  std::size_t from;  // runs from node `from` to `from + 1`, in the sense of s
  Member member;
  double c, s, l;  // direction and length
  double EI, EA;
  double w;  // transverse load, kN/m, towards the element's local y
};

struct Model {
  std::vector<Element> elements;
  std::array<std::vector<double>, 3> stations;  // of the nodes along each member
  std::size_t corner2 = 0, corner5 = 0, footB = 0;
  std::vector<double> nodalLoads;  // every dof: x, y, rotation of each node
  std::vector<int> freeIndex;      // every dof: its row among the free ones, or −1 where held
  int size = 0, band = 0;
};

std::vector<double> Grid(double length, int n) {
  std::vector<double> s;
  for (int i = 0; i <= n; ++i) {
    s.push_back(length * i / n);
  }
  return s;
}

std::size_t StationIndex(const std::vector<double>& stations, double s) {
  const auto nearest = std::min_element(stations.begin(), stations.end(), [&](double a, double b) {
    return std::abs(a - s) < std::abs(b - s);
  });
  return static_cast<std::size_t>(nearest - stations.begin());
}

Model BuildModel(const Portal& p, const strevo::FrameLoads& loads, int n, bool holdSway) {
  Model m;
  const double EI1 = kEIPerCm4 * p.I1, EI2 = kEIPerCm4 * p.I2;
  const double EA = kAxialRatio * std::max(EI1, EI2) / std::pow(std::min(p.h, p.L), 2);
  m.stations = {Grid(p.h, n), Grid(p.L, n), Grid(p.h, n)};
  std::vector<double>& beam = m.stations[1];
  for (const BeamPointLoad& load : loads.pointLoads) {
    beam.push_back(load.a);
  }
  for (const PartialBeamLoad& load : loads.partialLoads) {
    beam.insert(beam.end(), {std::clamp(load.from, 0.0, p.L), std::clamp(load.to, 0.0, p.L)});
  }
  std::sort(beam.begin(), beam.end());
  beam.erase(
      std::unique(beam.begin(), beam.end(), [&](double a, double b) { return b - a < 1e-9 * p.L; }),
      beam.end());

  // Nodes in one run A → 2 → 5 → B, so that every element couples neighbouring dofs only.
  struct Run {
    Member member;
    double c, s, EI, w;
  };
  const std::array<Run, 3> runs{Run{Member::LeftColumn, 0, 1, EI1, -loads.wD},
                                Run{Member::Beam, 1, 0, EI2, -loads.q},
                                Run{Member::RightColumn, 0, -1, EI1, loads.wS}};
  std::size_t node = 0;
  for (std::size_t k = 0; k < 3; ++k) {
    const std::vector<double>& st = m.stations[k];
    for (std::size_t i = 0; i + 1 < st.size(); ++i) {
      const Run& run = runs[k];
      double w = run.w;
      const double middle = (st[i] + st[i + 1]) / 2;
      for (const PartialBeamLoad& load : loads.partialLoads) {
        if (run.member == Member::Beam && load.from < middle && middle < load.to) {
          w -= load.q;
        }
      }
      m.elements.push_back({node++, run.member, run.c, run.s, st[i + 1] - st[i], run.EI, EA, w});
    }
    (k == 0 ? m.corner2 : k == 1 ? m.corner5 : m.footB) = node;
  }

  std::vector<double>& f = m.nodalLoads;
  f.assign(3 * (m.footB + 1), 0.0);
  for (const BeamPointLoad& load : loads.pointLoads) {
    f[3 * (m.corner2 + StationIndex(beam, load.a)) + 1] -= load.F;
  }
  f[3 * m.corner2 + 1] -= loads.columnWeight;
  f[3 * m.corner5 + 1] -= loads.columnWeight;
  f[3 * m.corner2] += loads.topLeft;
  f[3 * m.corner5] += loads.topRight;
  f[0] += loads.footLeft;
  f[3 * m.footB] += loads.footRight;

  std::vector<std::size_t> held{0, 1, 3 * m.footB + 1};
  if (p.system != SystemType::KinkedBeam) {
    held.push_back(3 * m.footB);
  }
  if (p.system == SystemType::FixedFrame) {
    held.insert(held.end(), {2, 3 * m.footB + 2});
  }
  if (holdSway) {
    held.push_back(3 * m.corner2);
  }
  m.freeIndex.assign(f.size(), 0);
  for (const std::size_t dof : held) {
    m.freeIndex[dof] = -1;
  }
  for (int& index : m.freeIndex) {
    index = index < 0 ? -1 : m.size++;
  }
  for (const Element& e : m.elements) {
    int lo = m.size, hi = -1;
    for (std::size_t i = 0; i < 6; ++i) {
      const int row = m.freeIndex[3 * e.from + i];
      if (row >= 0) {
        lo = std::min(lo, row);
        hi = std::max(hi, row);
      }
    }
    m.band = std::max(m.band, hi - lo);
  }
  return m;
}

// Global → local for sign +1, local → global for sign −1.
Vec6 Rotate(const Element& e, const Vec6& v, double sign) {
  Vec6 out{};
  for (int n = 0; n < 6; n += 3) {
    out[n] = e.c * v[n] + sign * e.s * v[n + 1];
    out[n + 1] = -sign * e.s * v[n] + e.c * v[n + 1];
    out[n + 2] = v[n + 2];
  }
  return out;
}

// The local stiffness: `elastic` times the elastic part plus the geometric part of N.
Mat6 LocalMatrix(const Element& e, double elastic, double N) {
  const double l = e.l, EI = elastic * e.EI;
  Mat6 k{};
  k[0][0] = k[3][3] = elastic * e.EA / l;
  k[0][3] = k[3][0] = -elastic * e.EA / l;
  const double a = 12 * EI / (l * l * l), b = 6 * EI / (l * l), c = 4 * EI / l, d = 2 * EI / l;
  const double bending[4][4] = {{a, b, -a, b}, {b, c, -b, d}, {-a, -b, a, -b}, {b, d, -b, c}};
  const double g = N / (30 * l);
  const double geometric[4][4] = {{36, 3 * l, -36, 3 * l},
                                  {3 * l, 4 * l * l, -3 * l, -l * l},
                                  {-36, -3 * l, 36, -3 * l},
                                  {3 * l, -l * l, -3 * l, 4 * l * l}};
  constexpr std::array<int, 4> kTransverse{1, 2, 4, 5};
  for (std::size_t i = 0; i < 4; ++i) {
    for (std::size_t j = 0; j < 4; ++j) {
      k[kTransverse[i]][kTransverse[j]] = bending[i][j] + g * geometric[i][j];
    }
  }
  return k;
}

Vec6 Times(const Mat6& k, const Vec6& v) {
  Vec6 out{};
  for (std::size_t i = 0; i < 6; ++i) {
    for (std::size_t j = 0; j < 6; ++j) {
      out[i] += k[i][j] * v[j];
    }
  }
  return out;
}

// Consistent nodal loads of the element's transverse load, local.
Vec6 SpanLoads(const Element& e) {
  const double w = e.w, l = e.l;
  return {0, w * l / 2, w * l * l / 12, 0, w * l / 2, -w * l * l / 12};
}

// The free dofs' matrix: `elastic` times K plus Kg of these normal forces (by Member).
Matrix Assemble(const Model& m, const std::array<double, 3>& N, double elastic) {
  Matrix K(static_cast<std::size_t>(m.size), std::vector<double>(m.size, 0.0));
  for (const Element& e : m.elements) {
    const Mat6 k = LocalMatrix(e, elastic, N[static_cast<std::size_t>(e.member)]);
    for (std::size_t j = 0; j < 6; ++j) {
      const int col = m.freeIndex[3 * e.from + j];
      if (col < 0) {
        continue;
      }
      Vec6 unit{};
      unit[j] = 1;
      const Vec6 column = Rotate(e, Times(k, Rotate(e, unit, 1)), -1);
      for (std::size_t i = 0; i < 6; ++i) {
        const int row = m.freeIndex[3 * e.from + i];
        if (row >= 0) {
          K[row][col] += column[i];
        }
      }
    }
  }
  return K;
}

// LDLᵀ in place without pivoting (D on the diagonal, L below it); returns how many pivots are
// not positive, which by Sylvester's law is the count of negative eigenvalues.
int Factorise(Matrix& a, int band) {
  const int n = static_cast<int>(a.size());
  int negative = 0;
  for (int k = 0; k < n; ++k) {
    const double d = a[k][k];
    negative += d <= 0 ? 1 : 0;
    const int last = std::min(n - 1, k + band);
    for (int i = k + 1; i <= last; ++i) {
      for (int j = k + 1; j <= i; ++j) {
        a[i][j] -= a[i][k] * a[j][k] / d;
      }
    }
    for (int i = k + 1; i <= last; ++i) {
      a[i][k] /= d;
    }
  }
  return negative;
}

std::vector<double> Substitute(const Matrix& a, int band, std::vector<double> b) {
  const int n = static_cast<int>(a.size());
  for (int k = 0; k < n; ++k) {
    for (int i = k + 1; i <= std::min(n - 1, k + band); ++i) {
      b[i] -= a[i][k] * b[k];
    }
  }
  for (int k = n - 1; k >= 0; --k) {
    b[k] /= a[k][k];
    for (int i = k + 1; i <= std::min(n - 1, k + band); ++i) {
      b[k] -= a[i][k] * b[i];
    }
  }
  return b;
}

struct State {
  std::vector<double> d;  // every dof
  std::array<double, 3> N{};
};

// Solves with the geometric stiffness of N and reads the members' normal forces back.
State SolveWith(const Model& m, const std::array<double, 3>& N) {
  Matrix K = Assemble(m, N, 1);
  if (Factorise(K, m.band) > 0) {
    throw std::runtime_error("the portal has no stable equilibrium under these loads");
  }
  std::vector<double> f(static_cast<std::size_t>(m.size), 0.0);
  for (std::size_t dof = 0; dof < m.freeIndex.size(); ++dof) {
    if (m.freeIndex[dof] >= 0) {
      f[m.freeIndex[dof]] += m.nodalLoads[dof];
    }
  }
  for (const Element& e : m.elements) {
    const Vec6 span = Rotate(e, SpanLoads(e), -1);
    for (std::size_t i = 0; i < 6; ++i) {
      const int row = m.freeIndex[3 * e.from + i];
      if (row >= 0) {
        f[row] += span[i];
      }
    }
  }
  const std::vector<double> free = Substitute(K, m.band, f);
  State state;
  state.d.assign(m.freeIndex.size(), 0.0);
  for (std::size_t dof = 0; dof < m.freeIndex.size(); ++dof) {
    if (m.freeIndex[dof] >= 0) {
      state.d[dof] = free[m.freeIndex[dof]];
    }
  }
  std::array<int, 3> count{};
  for (const Element& e : m.elements) {
    const Vec6 local = Rotate(e,
                              Vec6{state.d[3 * e.from], state.d[3 * e.from + 1], 0,
                                   state.d[3 * e.from + 3], state.d[3 * e.from + 4], 0},
                              1);
    const auto member = static_cast<std::size_t>(e.member);
    state.N[member] += e.EA * (local[3] - local[0]) / e.l;
    ++count[member];
  }
  for (std::size_t k = 0; k < 3; ++k) {
    state.N[k] /= count[k];
  }
  return state;
}

}  // namespace

FeResponse AnalyseByFe(const Portal& portal, const strevo::FrameLoads& loads, Theory theory,
                       int elementsPerMember) {
  const Model m = BuildModel(portal, loads, elementsPerMember, false);
  std::array<double, 3> N{};  // those the geometric stiffness takes
  FeResponse response;
  State state = SolveWith(m, N);
  while (theory == Theory::SecondOrder) {
    double change = 0, size = 1;
    for (std::size_t k = 0; k < 3; ++k) {
      change = std::max(change, std::abs(state.N[k] - N[k]));
      size = std::max(size, std::abs(state.N[k]));
    }
    if (change <= 1e-9 * size) {
      break;
    }
    if (++response.iterations > 200) {
      throw std::runtime_error("the normal forces do not settle");
    }
    N = state.N;
    state = SolveWith(m, N);
  }

  std::vector<double> residual(m.nodalLoads.size(), 0.0);
  for (const Element& e : m.elements) {
    const auto member = static_cast<std::size_t>(e.member);
    Vec6 d{};
    std::copy_n(state.d.begin() + static_cast<std::ptrdiff_t>(3 * e.from), 6, d.begin());
    Vec6 end = Times(LocalMatrix(e, 1, N[member]), Rotate(e, d, 1));
    const Vec6 span = SpanLoads(e);
    for (std::size_t i = 0; i < 6; ++i) {
      end[i] -= span[i];
    }
    FeMemberMoments& moments = response.moments[member];
    if (moments.M.empty()) {
      moments.M.push_back(-end[2]);
    }
    moments.M.push_back(end[5]);
    const Vec6 global = Rotate(e, end, -1);
    for (std::size_t i = 0; i < 6; ++i) {
      residual[3 * e.from + i] += global[i];
    }
  }
  for (std::size_t k = 0; k < 3; ++k) {
    response.moments[k].s = m.stations[k];
  }
  // What the supports add to the nodal loads to balance the elements' end forces.
  const auto reaction = [&](std::size_t dof) { return residual[dof] - m.nodalLoads[dof]; };
  const std::size_t b = 3 * m.footB;
  response.reactions = {reaction(0),  reaction(1),     -reaction(2),
                        -reaction(b), reaction(b + 1), reaction(b + 2)};
  response.normalForces = {state.N[0], state.N[1], state.N[2]};
  response.sway = state.d[3 * m.corner2];
  return response;
}

double CriticalFactorByFe(const Portal& portal, const NormalForces& forces, bool holdSway,
                          int elementsPerMember) {
  const Model m = BuildModel(portal, {}, elementsPerMember, holdSway);
  const Matrix K = Assemble(m, {0, 0, 0}, 1);
  const Matrix G = Assemble(m, {forces.leftColumn, forces.beam, forces.rightColumn}, 0);
  // The count of eigenvalues of K + λ·Kg = 0 between 0 and λ.
  const auto below = [&](double lambda) {
    Matrix a = K;
    for (std::size_t i = 0; i < a.size(); ++i) {
      for (std::size_t j = 0; j < a.size(); ++j) {
        a[i][j] += lambda * G[i][j];
      }
    }
    return Factorise(a, m.band);
  };
  double lo = 0, hi = 1;
  while (below(hi) == 0) {
    lo = hi;
    hi *= 2;
    if (hi > 2 * kLargestCriticalFactor) {
      return std::numeric_limits<double>::infinity();
    }
  }
  while (hi - lo > 1e-13 * hi) {
    const double mid = (lo + hi) / 2;
    (below(mid) > 0 ? hi : lo) = mid;
  }
  return (lo + hi) / 2;
}

}  // namespace strevo::testing
