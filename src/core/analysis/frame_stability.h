// The portal's view of the frame analysis (frame_analysis.h): its loads, reactions and lines by
// the names the results use. Members are axially rigid; the steel is kSteelModulus. Forces keep
// the signs of member_forces.h: M positive with tension on the inside, Q = dM/ds, N positive in
// tension; s runs along each member as there.
#pragma once

#include <array>

#include "core/analysis/frame_analysis.h"
#include "core/analysis/solution.h"
#include "core/model/portal.h"

namespace strevo {

struct NormalForces {
  double leftColumn = 0, beam = 0, rightColumn = 0;  // kN, tension positive
};

// αcr of the portal for these normal forces (constant along each member). Throws
// ArithmeticFault for a portal without length or stiffness.
CriticalLoad CriticalLoadOf(const Portal& portal, const NormalForces& forces);

using ExactLines = std::array<ExactLine, 3>;  // by Member

struct FrameResponse {
  Reactions reactions;  // kN and kNm, as Solution's
  ExactLines lines;
  // Those the stiffness took (second order: converged); each column's at its foot, its weight
  // taken at its top.
  NormalForces normalForces;
  double sway = 0;  // the beam's horizontal displacement, m, positive to the right
  // Point loads over the left and the right corner (within a millionth of the span), kN: they
  // go straight into the columns, and the beam's line does not hold them.
  std::array<double, 2> cornerLoads{};
  int iterations = 0;  // of the normal forces (first order: 0)
};

// The portal under these loads, analysed as its frame model. Throws ArithmeticFault for a
// portal without length or stiffness, and UnstableFrame where second order finds no
// equilibrium.
FrameResponse AnalyseFrame(const Portal& portal, const FrameLoads& loads, Theory theory);

}  // namespace strevo
