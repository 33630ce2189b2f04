#include "portal_stiffness.h"

#include <algorithm>
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
  // Each beam node's rotation and vertical displacement upwards, in order of x.
  std::vector<double> beamRotations, beamDeflections;
};

struct BeamNode {
  double x, F;
};

Solution SolveFrame(const FrameLoads& loads, const std::vector<BeamNode>& beamNodes,
                    SystemType system) {
  // Nodes: A, top of the left column, the beam's inner nodes, top of the right column, B.
  const int inner = static_cast<int>(beamNodes.size());
  const int corner2 = inner + 2, footB = inner + 3, nodeCount = inner + 4;
  std::vector<Node> nodes{{0, 0}, {0, loads.h}};
  for (const BeamNode& n : beamNodes) {
    nodes.push_back({n.x, loads.h});
  }
  nodes.push_back({loads.L, loads.h});
  nodes.push_back({loads.L, 0});
  std::vector<Element> elements{{0, 1, loads.I1, loads.wD, 0}};
  for (int i = 1; i < corner2; ++i) {
    elements.push_back({i, i + 1, loads.I2, 0, -loads.q});
  }
  elements.push_back({footB, corner2, loads.I1, loads.wS, 0});

  // Reduced unknowns: sway, the beam nodes' rotations and the inner ones' deflections, then
  // what the supports free.
  int count = 0;
  const int sway = count++;
  std::vector<int> theta(nodeCount, -1), deflection(nodeCount, -1);
  for (int i = 1; i <= corner2; ++i) {
    theta[i] = count++;
  }
  for (int i = 2; i < corner2; ++i) {
    deflection[i] = count++;
  }
  if (system != SystemType::FixedFrame) {
    theta[0] = count++;
    theta[footB] = count++;
  }
  const int slideB = system == SystemType::KinkedBeam ? count++ : -1;

  // Full degree of freedom (node * 3 + u/v/theta) as a combination of reduced unknowns.
  const int dofs = nodeCount * 3;
  Matrix T(dofs, std::vector<double>(count, 0.0));
  const auto set = [&](int node, int dof, int reduced) {
    if (reduced >= 0) {
      T[node * 3 + dof][reduced] = 1;
    }
  };
  for (int i = 0; i < nodeCount; ++i) {
    set(i, 2, theta[i]);
    set(i, 1, deflection[i]);
    if (i >= 1 && i <= corner2) {
      set(i, 0, sway);
    }
  }
  set(footB, 0, slideB);

  Matrix K(dofs, std::vector<double>(dofs, 0.0));
  std::vector<double> f(dofs, 0.0);
  std::vector<Mat6> Ke(elements.size());
  std::vector<Vec6> spanLoads(elements.size());
  const auto mapOf = [](const Element& el) {
    return std::array<int, 6>{el.from * 3, el.from * 3 + 1, el.from * 3 + 2,
                              el.to * 3,   el.to * 3 + 1,   el.to * 3 + 2};
  };
  for (std::size_t e = 0; e < elements.size(); ++e) {
    const Element& el = elements[e];
    ElementMatrices(nodes[el.from], nodes[el.to], el, Ke[e], spanLoads[e]);
    const std::array<int, 6> map = mapOf(el);
    for (int i = 0; i < 6; ++i) {
      f[map[i]] += spanLoads[e][i];
      for (int j = 0; j < 6; ++j) {
        K[map[i]][map[j]] += Ke[e][i][j];
      }
    }
  }
  for (int i = 0; i < inner; ++i) {
    f[(i + 2) * 3 + 1] -= beamNodes[i].F;
  }

  Matrix Kr(count, std::vector<double>(count, 0.0));
  std::vector<double> fr(count, 0.0);
  for (int r = 0; r < count; ++r) {
    for (int i = 0; i < dofs; ++i) {
      if (T[i][r] == 0) {
        continue;
      }
      fr[r] += T[i][r] * f[i];
      for (int j = 0; j < dofs; ++j) {
        for (int c = 0; c < count; ++c) {
          Kr[r][c] += T[i][r] * K[i][j] * T[j][c];
        }
      }
    }
  }
  const std::vector<double> dr = Solve(Kr, fr);
  std::vector<double> d(dofs, 0.0);
  for (int i = 0; i < dofs; ++i) {
    for (int r = 0; r < count; ++r) {
      d[i] += T[i][r] * dr[r];
    }
  }

  // Forces that the nodes exert on each element: stiffness forces less the span loads.
  std::vector<Vec6> endForces(elements.size());
  for (std::size_t e = 0; e < elements.size(); ++e) {
    const std::array<int, 6> map = mapOf(elements[e]);
    for (int i = 0; i < 6; ++i) {
      double sum = -spanLoads[e][i];
      for (int j = 0; j < 6; ++j) {
        sum += Ke[e][i][j] * d[map[j]];
      }
      endForces[e][i] = sum;
    }
  }
  // Column axial forces are constraint forces the element forces do not carry; the vertical
  // reactions are the beam's end shears, which the unloaded (vertically) columns pass down.
  const std::size_t last = elements.size() - 1;
  PortalReactions r{};
  r.AH = endForces[0][0];
  r.MA = -endForces[0][2];
  r.AV = endForces[1][1];
  r.BV = endForces[last - 1][4];
  r.BH = -endForces[last][0];
  r.MB = endForces[last][2];
  Solution solution{r, {d[3], d[2], d[footB * 3 + 2], d[5], d[corner2 * 3 + 2], 0, 0}, {}, {}};
  for (int i = 1; i <= corner2; ++i) {
    solution.beamRotations.push_back(d[i * 3 + 2]);
    solution.beamDeflections.push_back(d[i * 3 + 1]);
  }
  return solution;
}

Solution SolvePortal(const InputSet& in, SystemType system) {
  Solution solution =
      SolveFrame({in.h, in.L, in.I1, in.I2, in.q, in.wD, in.wS, {}, {}}, {{in.a, in.F}}, system);
  solution.displacements.thetaP = solution.beamRotations[1];
  solution.displacements.deflectionP = solution.beamDeflections[1];
  return solution;
}

}  // namespace

PortalReactions SolvePortalByStiffness(const InputSet& in, SystemType system) {
  return SolvePortal(in, system).reactions;
}

PortalDisplacements SolvePortalDisplacements(const InputSet& in, SystemType system) {
  return SolvePortal(in, system).displacements;
}

FrameResponse SolveFrameByStiffness(const FrameLoads& loads, SystemType system) {
  std::vector<BeamNode> nodes;
  for (const PointLoad& p : loads.pointLoads) {
    nodes.push_back({p.a, p.F});
  }
  for (const double x : loads.stations) {
    nodes.push_back({x, 0});
  }
  std::sort(nodes.begin(), nodes.end(),
            [](const BeamNode& a, const BeamNode& b) { return a.x < b.x; });
  // Loads at one place act at one node.
  std::vector<BeamNode> merged;
  for (const BeamNode& n : nodes) {
    if (!merged.empty() && merged.back().x == n.x) {
      merged.back().F += n.F;
    } else {
      merged.push_back(n);
    }
  }
  const Solution solution = SolveFrame(loads, merged, system);
  FrameResponse response{solution.reactions, solution.displacements.sway, {}};
  for (const double x : loads.stations) {
    const auto at =
        std::find_if(merged.begin(), merged.end(), [&](const BeamNode& n) { return n.x == x; });
    response.stationDeflections.push_back(
        solution.beamDeflections[static_cast<std::size_t>(at - merged.begin()) + 1]);
  }
  return response;
}

}  // namespace strevo::testing
