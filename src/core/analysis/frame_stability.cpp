#include "core/analysis/frame_stability.h"

#include <cmath>

#include "core/base/arithmetic_fault.h"

namespace strevo {
namespace {

std::size_t Index(Member member) {
  return IdOf(member).index;
}

}  // namespace

CriticalLoad CriticalLoadOf(const Portal& portal, const NormalForces& forces) {
  return CriticalLoadOf(PortalFrame(portal), {forces.leftColumn, forces.beam, forces.rightColumn});
}

FrameResponse AnalyseFrame(const Portal& portal, const FrameLoads& loads, Theory theory) {
  const FrameAnalysis a = Analyse(PortalFrame(portal), PortalLoading(portal, loads), theory);
  FrameResponse response;
  for (const Member m : {Member::LeftColumn, Member::Beam, Member::RightColumn}) {
    response.lines[Index(m)] = a.lines[Index(m)];
  }
  response.normalForces = {a.normalForces[Index(Member::LeftColumn)],
                           a.normalForces[Index(Member::Beam)],
                           a.normalForces[Index(Member::RightColumn)]};
  response.sway = a.displacements[kCornerLeft.index].x;
  // The beam's n points up: a downward load is −P.
  const std::array<double, 2>& beamEnds = a.endLoads[Index(Member::Beam)];
  response.cornerLoads = {-beamEnds[0], -beamEnds[1]};
  response.iterations = a.iterations;
  // The supports in the builder's order, A then B. AH to the right, BH to the left, MA
  // clockwise, MB counter-clockwise, as the closed forms give them.
  const SupportReaction& A = a.reactions[0];
  const SupportReaction& B = a.reactions[1];
  response.reactions = {A.Fx, A.Fy, -A.M, -B.Fx, B.Fy, B.M};
  return response;
}

}  // namespace strevo
