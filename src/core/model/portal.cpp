#include "core/model/portal.h"

namespace strevo {

FrameModel PortalFrame(const Portal& portal) {
  // EI in kNm² of I in cm4: 210000 N/mm² · 1e-8 m4/cm4 · 1000 kN/MN.
  const double EI1 = kSteelModulus * 1e-5 * portal.I1, EI2 = kSteelModulus * 1e-5 * portal.I2;
  FrameModel model;
  model.nodes = {{0, 0}, {0, portal.h}, {portal.L, portal.h}, {portal.L, 0}};
  // Clockwise round the portal: each member's right side is the inside.
  model.members = {
      {kFootA, kCornerLeft, EI1}, {kCornerLeft, kCornerRight, EI2}, {kCornerRight, kFootB, EI1}};
  switch (portal.system) {
    case SystemType::KinkedBeam:
      model.supports = {{kFootA, true, true, false}, {kFootB, false, true, false}};
      model.swayRestraint = {{kFootB, Direction::X, 1}, {kCornerLeft, Direction::X, -2}};
      break;
    case SystemType::TwoHingedFrame:
      model.supports = {{kFootA, true, true, false}, {kFootB, true, true, false}};
      model.swayRestraint = {{kCornerLeft, Direction::X, 1}};
      break;
    case SystemType::FixedFrame:
      model.supports = {{kFootA, true, true, true}, {kFootB, true, true, true}};
      model.swayRestraint = {{kCornerLeft, Direction::X, 1}};
      break;
  }
  return model;
}

FrameLoading PortalLoading(const Portal& portal, const FrameLoads& loads) {
  FrameLoading loading;
  loading.members.resize(3);
  // The left column's n points to the left, the beam's up, the right column's to the right.
  MemberLoads& left = loading.members[IdOf(Member::LeftColumn).index];
  MemberLoads& beam = loading.members[IdOf(Member::Beam).index];
  MemberLoads& right = loading.members[IdOf(Member::RightColumn).index];
  left.w = -loads.wD;
  right.w = loads.wS;
  beam.w = -loads.q;
  for (const PartialBeamLoad& p : loads.partialLoads) {
    beam.partial.push_back({-p.q, p.from, p.to});
  }
  for (const BeamPointLoad& p : loads.pointLoads) {
    beam.points.push_back({-p.F, p.a});
  }
  // The weight points down: against the left column's direction, along the right one's.
  if (portal.h > 0) {
    left.axial = -loads.columnWeight / portal.h;
    right.axial = loads.columnWeight / portal.h;
  }
  loading.nodal = {{kCornerLeft, loads.topLeft},
                   {kCornerRight, loads.topRight},
                   {kFootA, loads.footLeft},
                   {kFootB, loads.footRight}};
  return loading;
}

}  // namespace strevo
