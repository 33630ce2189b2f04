#include "portal_stiffness.h"

#include <array>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace strevo::testing {
namespace {

using Vec6 = std::array<double, 6>;
using Mat6 = std::array<std::array<double, 6>, 6>;
using Matrix = std::vector<std::vector<double>>;

struct Element {
  int from, to;
  double I;
  double wx, wy;  // uniform load per length in global directions
};

struct Node {
  double x, y;
};

// Global stiffness and equivalent nodal loads of one frame element (E = 1; the axial stiffness
// is arbitrary because no member changes length under the constraints below).
void ElementMatrices(const Node& p, const Node& r, const Element& e, Mat6& K, Vec6& load) {
  const double dx = r.x - p.x, dy = r.y - p.y;
  const double l = std::hypot(dx, dy);
  const double c = dx / l, s = dy / l;
  const double EA = 1.0, EI = e.I;
  Mat6 k{};
  k[0][0] = k[3][3] = EA / l;
  k[0][3] = k[3][0] = -EA / l;
  const double k1 = 12 * EI / (l * l * l), k2 = 6 * EI / (l * l), k3 = 4 * EI / l, k4 = 2 * EI / l;
  k[1][1] = k[4][4] = k1;
  k[1][4] = k[4][1] = -k1;
  k[1][2] = k[2][1] = k[1][5] = k[5][1] = k2;
  k[4][2] = k[2][4] = k[4][5] = k[5][4] = -k2;
  k[2][2] = k[5][5] = k3;
  k[2][5] = k[5][2] = k4;
  Mat6 T{};
  for (int n = 0; n < 2; ++n) {
    T[3 * n][3 * n] = c;
    T[3 * n][3 * n + 1] = s;
    T[3 * n + 1][3 * n] = -s;
    T[3 * n + 1][3 * n + 1] = c;
    T[3 * n + 2][3 * n + 2] = 1;
  }
  for (int i = 0; i < 6; ++i) {
    for (int j = 0; j < 6; ++j) {
      double sum = 0;
      for (int m = 0; m < 6; ++m) {
        for (int n = 0; n < 6; ++n) {
          sum += T[m][i] * k[m][n] * T[n][j];
        }
      }
      K[i][j] = sum;
    }
  }
  const double wa = c * e.wx + s * e.wy;   // along the member
  const double wt = -s * e.wx + c * e.wy;  // across it
  const Vec6 local{wa * l / 2, wt * l / 2, wt * l * l / 12,
                   wa * l / 2, wt * l / 2, -wt * l * l / 12};
  for (int i = 0; i < 6; ++i) {
    load[i] = 0;
    for (int m = 0; m < 6; ++m) {
      load[i] += T[m][i] * local[m];
    }
  }
}

std::vector<double> Solve(Matrix A, std::vector<double> b) {
  const std::size_t n = b.size();
  for (std::size_t col = 0; col < n; ++col) {
    std::size_t pivot = col;
    for (std::size_t row = col + 1; row < n; ++row) {
      if (std::abs(A[row][col]) > std::abs(A[pivot][col])) {
        pivot = row;
      }
    }
    if (A[pivot][col] == 0) {
      throw std::runtime_error("singular portal stiffness");
    }
    std::swap(A[pivot], A[col]);
    std::swap(b[pivot], b[col]);
    for (std::size_t row = col + 1; row < n; ++row) {
      const double f = A[row][col] / A[col][col];
      for (std::size_t j = col; j < n; ++j) {
        A[row][j] -= f * A[col][j];
      }
      b[row] -= f * b[col];
    }
  }
  std::vector<double> x(n);
  for (std::size_t i = n; i-- > 0;) {
    double sum = b[i];
    for (std::size_t j = i + 1; j < n; ++j) {
      sum -= A[i][j] * x[j];
    }
    x[i] = sum / A[i][i];
  }
  return x;
}

struct Solution {
  PortalReactions reactions;
  PortalDisplacements displacements;
};

Solution SolvePortal(const InputSet& in, SystemType system) {
  // Nodes: A, top of the left column, load point P, top of the right column, B.
  const std::array<Node, 5> nodes{{{0, 0}, {0, in.h}, {in.a, in.h}, {in.L, in.h}, {in.L, 0}}};
  const std::array<Element, 4> elements{{{0, 1, in.I1, in.wD, 0},
                                         {1, 2, in.I2, 0, -in.q},
                                         {2, 3, in.I2, 0, -in.q},
                                         {4, 3, in.I1, in.wS, 0}}};
  // Reduced unknowns: sway, rotations at 1, P, 2, deflection at P, then what the supports free.
  enum { kSway, kTheta1, kThetaP, kTheta2, kDeflP, kFixedCount };
  int count = kFixedCount;
  const bool fixed = system == SystemType::FixedFrame;
  const int thetaA = fixed ? -1 : count++;
  const int thetaB = fixed ? -1 : count++;
  const int slideB = system == SystemType::KinkedBeam ? count++ : -1;

  // Full degree of freedom (node * 3 + u/v/theta) as a combination of reduced unknowns.
  Matrix T(15, std::vector<double>(count, 0.0));
  const auto set = [&](int node, int dof, int reduced) {
    if (reduced >= 0) {
      T[node * 3 + dof][reduced] = 1;
    }
  };
  set(0, 2, thetaA);
  set(1, 0, kSway);
  set(1, 2, kTheta1);
  set(2, 0, kSway);
  set(2, 1, kDeflP);
  set(2, 2, kThetaP);
  set(3, 0, kSway);
  set(3, 2, kTheta2);
  set(4, 0, slideB);
  set(4, 2, thetaB);

  Matrix K(15, std::vector<double>(15, 0.0));
  std::vector<double> f(15, 0.0);
  std::array<Mat6, 4> Ke{};
  std::array<Vec6, 4> loads{};
  for (std::size_t e = 0; e < elements.size(); ++e) {
    const Element& el = elements[e];
    ElementMatrices(nodes[el.from], nodes[el.to], el, Ke[e], loads[e]);
    const std::array<int, 6> map{el.from * 3, el.from * 3 + 1, el.from * 3 + 2,
                                 el.to * 3,   el.to * 3 + 1,   el.to * 3 + 2};
    for (int i = 0; i < 6; ++i) {
      f[map[i]] += loads[e][i];
      for (int j = 0; j < 6; ++j) {
        K[map[i]][map[j]] += Ke[e][i][j];
      }
    }
  }
  f[2 * 3 + 1] -= in.F;

  Matrix Kr(count, std::vector<double>(count, 0.0));
  std::vector<double> fr(count, 0.0);
  for (int r = 0; r < count; ++r) {
    for (int i = 0; i < 15; ++i) {
      fr[r] += T[i][r] * f[i];
      for (int j = 0; j < 15; ++j) {
        for (int c = 0; c < count; ++c) {
          Kr[r][c] += T[i][r] * K[i][j] * T[j][c];
        }
      }
    }
  }
  const std::vector<double> dr = Solve(Kr, fr);
  std::vector<double> d(15, 0.0);
  for (int i = 0; i < 15; ++i) {
    for (int r = 0; r < count; ++r) {
      d[i] += T[i][r] * dr[r];
    }
  }

  // Forces that the nodes exert on each element: stiffness forces less the span loads.
  std::array<Vec6, 4> endForces{};
  for (std::size_t e = 0; e < elements.size(); ++e) {
    const Element& el = elements[e];
    const std::array<int, 6> map{el.from * 3, el.from * 3 + 1, el.from * 3 + 2,
                                 el.to * 3,   el.to * 3 + 1,   el.to * 3 + 2};
    for (int i = 0; i < 6; ++i) {
      double sum = -loads[e][i];
      for (int j = 0; j < 6; ++j) {
        sum += Ke[e][i][j] * d[map[j]];
      }
      endForces[e][i] = sum;
    }
  }
  // Column axial forces are constraint forces the element forces do not carry; the vertical
  // reactions are the beam's end shears, which the unloaded (vertically) columns pass down.
  PortalReactions r{};
  r.AH = endForces[0][0];
  r.MA = -endForces[0][2];
  r.AV = endForces[1][1];
  r.BV = endForces[2][4];
  r.BH = -endForces[3][0];
  r.MB = endForces[3][2];
  const PortalDisplacements u{d[1 * 3 + 0], d[0 * 3 + 2], d[4 * 3 + 2], d[1 * 3 + 2],
                              d[3 * 3 + 2], d[2 * 3 + 2], d[2 * 3 + 1]};
  return {r, u};
}

}  // namespace

PortalReactions SolvePortalByStiffness(const InputSet& in, SystemType system) {
  return SolvePortal(in, system).reactions;
}

PortalDisplacements SolvePortalDisplacements(const InputSet& in, SystemType system) {
  return SolvePortal(in, system).displacements;
}

}  // namespace strevo::testing
