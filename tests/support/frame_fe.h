// The tests' own finite-element model of the portal in its plane, as a check on the exact
// stability analysis: cubic beam-column elements with the consistent geometric stiffness, many
// to a member, the members all but axially rigid. Results keep the signs of member_forces.h.
#pragma once

#include <array>
#include <vector>

#include "core/analysis/frame_stability.h"
#include "core/analysis/solution.h"

namespace strevo::testing {

// The moment at each node of a member, at stations s in the member's own sense.
struct FeMemberMoments {
  std::vector<double> s, M;
};

struct FeResponse {
  Reactions reactions;
  std::array<FeMemberMoments, 3> moments;  // by Member
  NormalForces normalForces;               // each member's, constant along it
  double sway = 0;                         // of the left corner, m, positive to the right
  int iterations = 0;                      // of the normal forces (first order: 0)
};

// First order: K·d = f. Second order: (K + Kg(N))·d = f with N iterated from the elements until
// it settles. Point loads on the beam sit on nodes of their own. Throws std::runtime_error when
// K + Kg loses its positive definiteness (the loads are beyond the critical load).
FeResponse AnalyseByFe(const Portal& portal, const strevo::FrameLoads& loads, Theory theory,
                       int elementsPerMember = 24);

// The lowest λ > 0 at which K + λ·Kg(forces) turns singular, by counting negative pivots and
// bisecting; +inf when there is none up to kLargestCriticalFactor. `holdSway` adds a horizontal
// support at the left corner, so that only modes without sway remain.
double CriticalFactorByFe(const Portal& portal, const NormalForces& forces, bool holdSway = false,
                          int elementsPerMember = 20);

}  // namespace strevo::testing
