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
  if (r.Lmax == 0) {
    return DiagramOutcome::NoSystemDrawing;
  }
  if (Qmax == 0) {
    return DiagramOutcome::NothingToDraw;
  }
  canvas.SetScale(0, 0, 1000, 1000);
  canvas.SetLineWidth(2);

  const CoordinateCheck check;
  const auto line = [&](double x1, double y1, double x2, double y2) {
    canvas.Line(check.Single(x1), check.Single(y1), check.Single(x2), check.Single(y2),
                kShearColour);
  };
  const DrawingFrame f = MakeDrawingFrame(in, r.Lmax, check);
  const double c = check(100 / Qmax);

  // The foot values are the shear forces at A and B: -AH and BH.
  line(f.xL, kFootY, f.xL - r.AH * c, kFootY);
  line(f.xL - r.AH * c, kFootY, f.xL + r.Q1 * c, f.yB);
  line(f.xL + r.Q1 * c, f.yB, f.xL, f.yB);

  line(f.xL, f.yB, f.xL, f.yB + r.Q2 * c);
  if (in.F == 0) {
    line(f.xL, f.yB + r.Q2 * c, f.xR, f.yB + r.Q4 * c);
  } else {
    const double xa = f.BeamX(in.a, in.L, check);
    const double left = check(r.Q2 - in.a * in.q);
    const double right = check(left - in.F);
    line(f.xL, f.yB + r.Q2 * c, xa, f.yB + left * c);
    line(xa, f.yB + left * c, xa, f.yB + right * c);
    line(xa, f.yB + right * c, f.xR, f.yB + r.Q4 * c);
  }
  line(f.xR, f.yB, f.xR, f.yB + r.Q4 * c);

  line(f.xR, kFootY, f.xR - r.BH * c, kFootY);
  line(f.xR - r.BH * c, kFootY, f.xR - r.Q5 * c, f.yB);
  line(f.xR - r.Q5 * c, f.yB, f.xR, f.yB);

  for (int i = 16; i <= 19; ++i) {
    canvas.SetLabelVisible(i, true);
  }
  PlaceCornerLabels({16, 17, 18, 19}, {r.Q1, r.Q2, r.Q4, r.Q5}, in, r.Lmax, canvas, check);
  return DiagramOutcome::Drawn;
}

}  // namespace strevo
