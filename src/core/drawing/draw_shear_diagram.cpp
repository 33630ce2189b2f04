#include <algorithm>
#include <cmath>

#include "core/analysis/member_forces.h"
#include "core/drawing/drawing_frame.h"
#include "core/drawing/drawings.h"

namespace strevo {
namespace {

constexpr int kShearColour = 2;

}  // namespace

DiagramOutcome DrawShearDiagram(const InputSet& in, const SharedResults& r, Canvas& canvas) {
  const double Qmax = std::max({std::abs(r.Q1), std::abs(r.Q2), std::abs(r.Q3), std::abs(r.Q4),
                                std::abs(r.Q5), std::abs(r.AH), std::abs(r.BH)});
  if (const DiagramOutcome scale = ScaleOutcome(r.Lmax, Qmax); scale != DiagramOutcome::Drawn) {
    return scale;
  }
  const DiagramPen pen(canvas, kShearColour);
  const CoordinateCheck& check = pen.check();
  const DrawingFrame f = MakeDrawingFrame(in, r.Lmax, check);
  const double c = check(100 / Qmax);

  const PortalLines lines = PortalLinesOf(in, r);
  const ForceLine& left = lines[static_cast<std::size_t>(Member::LeftColumn)].Q;
  const ForceLine& beam = lines[static_cast<std::size_t>(Member::Beam)].Q;
  const ForceLine& right = lines[static_cast<std::size_t>(Member::RightColumn)].Q;
  const auto at = [&](const ForceLine& line, double s) { return check(line.At(s)); };
  // The beam starts at Q2 = AV: at a = 0 the line holds only what lies right of the load.
  const double beamStart = check(r.Q2), beamEnd = at(beam, in.L);
  // The right column's line runs down from point 5: its foot is at s = h.
  DrawMemberEnds(pen, f,
                 {at(left, 0), at(left, in.h), beamStart, beamEnd, at(right, in.h), at(right, 0)},
                 c, [&] {
                   if (in.F == 0) {
                     pen.Line(f.xL, f.yB + beamStart * c, f.xR, f.yB + beamEnd * c);
                     return;
                   }
                   // The point load's step: the shear just left of it, then less F.
                   const double xa = f.BeamX(in.a, in.L, check);
                   const double beforeLoad = in.a > 0 ? at(beam, in.a) : beamStart;
                   const double afterLoad = check(beforeLoad - in.F);
                   pen.Line(f.xL, f.yB + beamStart * c, xa, f.yB + beforeLoad * c);
                   pen.Line(xa, f.yB + beforeLoad * c, xa, f.yB + afterLoad * c);
                   pen.Line(xa, f.yB + afterLoad * c, f.xR, f.yB + beamEnd * c);
                 });

  for (int i = kLabelQ1; i <= kLabelQ5; ++i) {
    canvas.SetLabelVisible(i, true);
  }
  PlaceCornerLabels({kLabelQ1, kLabelQ2, kLabelQ4, kLabelQ5}, {r.Q1, r.Q2, r.Q4, r.Q5}, f, canvas,
                    check);
  return DiagramOutcome::Drawn;
}

}  // namespace strevo
