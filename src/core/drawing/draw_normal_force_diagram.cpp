#include <algorithm>
#include <cmath>

#include "core/analysis/member_forces.h"
#include "core/drawing/drawing_frame.h"
#include "core/drawing/drawings.h"

namespace strevo {
namespace {

constexpr int kNormalForceColour = 8;

}  // namespace

DiagramOutcome DrawNormalForceDiagram(const InputSet& in, const SharedResults& r, Canvas& canvas) {
  const double Nmax = std::max({std::abs(r.N1), std::abs(r.N2), std::abs(r.N3), std::abs(r.N4),
                                std::abs(r.N5), std::abs(r.AV), std::abs(r.BV)});
  if (const DiagramOutcome scale = ScaleOutcome(r.Lmax, Nmax); scale != DiagramOutcome::Drawn) {
    return scale;
  }
  const DiagramPen pen(canvas, kNormalForceColour);
  const CoordinateCheck& check = pen.check();
  const DrawingFrame f = MakeDrawingFrame(in, r.Lmax, check);
  const double c = check(100 / Nmax);

  // Each member's normal force is constant along it.
  const PortalLines lines = PortalLinesOf(in, r);
  const auto along = [&](Member member) {
    return check(lines[static_cast<std::size_t>(member)].N.At(0));
  };
  const double left = along(Member::LeftColumn), beam = along(Member::Beam),
               right = along(Member::RightColumn);
  DrawMemberEnds(pen, f, {left, left, beam, beam, right, right}, c,
                 [&] { pen.Line(f.xL, f.yB + beam * c, f.xR, f.yB + beam * c); });

  for (int i = kLabelN1; i <= kLabelN5; ++i) {
    canvas.SetLabelVisible(i, true);
  }
  PlaceCornerLabels({kLabelN1, kLabelN2, kLabelN4, kLabelN5}, {r.N1, r.N2, r.N4, r.N5}, f, canvas,
                    check);
  return DiagramOutcome::Drawn;
}

}  // namespace strevo
