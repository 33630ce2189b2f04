#include <algorithm>
#include <cmath>

#include "drawing_frame.h"
#include "drawings.h"

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

  // The foot values are the shear forces at A and B: -AH and BH.
  DrawMemberEnds(pen, f, {-r.AH, r.Q1, r.Q2, r.Q4, r.BH, r.Q5}, c, [&] {
    if (in.F == 0) {
      pen.Line(f.xL, f.yB + r.Q2 * c, f.xR, f.yB + r.Q4 * c);
      return;
    }
    const double xa = f.BeamX(in.a, in.L, check);
    const double left = check(r.Q2 - in.a * in.q);
    const double right = check(left - in.F);
    pen.Line(f.xL, f.yB + r.Q2 * c, xa, f.yB + left * c);
    pen.Line(xa, f.yB + left * c, xa, f.yB + right * c);
    pen.Line(xa, f.yB + right * c, f.xR, f.yB + r.Q4 * c);
  });

  for (int i = 16; i <= 19; ++i) {
    canvas.SetLabelVisible(i, true);
  }
  PlaceCornerLabels({16, 17, 18, 19}, {r.Q1, r.Q2, r.Q4, r.Q5}, f, canvas, check);
  return DiagramOutcome::Drawn;
}

}  // namespace strevo
