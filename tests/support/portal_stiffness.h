// An independent reference for the closed forms: the portal solved by the direct stiffness
// method (Euler-Bernoulli elements, members inextensible, the beam split at the point load).
#pragma once

#include <vector>

#include "core/analysis/inputs.h"

namespace strevo::testing {

struct PortalReactions {
  double AH, AV, BH, BV;
  double MA;  // clockwise moment reaction at A on the structure
  double MB;  // counter-clockwise moment reaction at B on the structure
};

// Nodal displacements for EI = I (E = 1): m and rad, x to the right, y up, counter-clockwise.
struct PortalDisplacements {
  double sway;                 // the beam's horizontal displacement
  double thetaA, thetaB;       // at the feet
  double theta1, theta2;       // at the left and right corner
  double thetaP, deflectionP;  // at the point load, its vertical displacement upwards
};

// Requires 0 < a < L, h > 0, I1 > 0, I2 > 0.
PortalReactions SolvePortalByStiffness(const InputSet& in, SystemType system);
PortalDisplacements SolvePortalDisplacements(const InputSet& in, SystemType system);

// Any number of point loads on the beam, each strictly between its ends, and beam stations
// where the deflection is wanted (also strictly inside).
struct PointLoad {
  double a, F;
};
struct FrameLoads {
  double h, L, I1, I2;
  double q, wD, wS;
  std::vector<PointLoad> pointLoads;
  std::vector<double> stations;
};
struct FrameResponse {
  PortalReactions reactions;
  double sway;                             // m for EI = I
  std::vector<double> stationDeflections;  // upwards, m for EI = I
};
FrameResponse SolveFrameByStiffness(const FrameLoads& loads, SystemType system);

}  // namespace strevo::testing
