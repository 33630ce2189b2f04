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

// Requires 0 < a < L, h > 0, I1 > 0, I2 > 0.
PortalReactions SolvePortalByStiffness(const InputSet& in, SystemType system);

}  // namespace strevo::testing
