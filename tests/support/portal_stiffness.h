// An independent reference for the closed forms: the portal solved by the direct stiffness
// method (Euler-Bernoulli elements, members inextensible, the beam split at the point load).
#pragma once

#include "inputs.h"

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

}  // namespace strevo::testing
