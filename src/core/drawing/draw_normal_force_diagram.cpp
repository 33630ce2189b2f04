#include <algorithm>
#include <cmath>

#include "drawing_frame.h"
#include "drawings.h"

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

  // The foot values are the normal forces at A and B: -AV and -BV.
  DrawMemberEnds(pen, f, {-r.AV, r.N1, r.N2, r.N4, -r.BV, r.N5}, c,
                 [&] { pen.Line(f.xL, f.yB + r.N2 * c, f.xR, f.yB + r.N4 * c); });

  for (int i = 20; i <= 23; ++i) {
    canvas.SetLabelVisible(i, true);
  }
  PlaceCornerLabels({20, 21, 22, 23}, {r.N1, r.N2, r.N4, r.N5}, f, canvas, check);
  return DiagramOutcome::Drawn;
}

}  // namespace strevo
