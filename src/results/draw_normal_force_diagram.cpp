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
  if (r.Lmax == 0) {
    return DiagramOutcome::NoSystemDrawing;
  }
  if (Nmax == 0) {
    return DiagramOutcome::NothingToDraw;
  }
  canvas.SetScale(0, 0, 1000, 1000);
  canvas.SetLineWidth(2);

  const CoordinateCheck check;
  const auto line = [&](double x1, double y1, double x2, double y2) {
    canvas.Line(check.Single(x1), check.Single(y1), check.Single(x2), check.Single(y2),
                kNormalForceColour);
  };
  const DrawingFrame f = MakeDrawingFrame(in, r.Lmax, check);
  const double c = check(100 / Nmax);

  line(f.xL, kFootY, f.xL - r.AV * c, kFootY);
  line(f.xL - r.AV * c, kFootY, f.xL + r.N1 * c, f.yB);
  line(f.xL + r.N1 * c, f.yB, f.xL, f.yB);

  line(f.xL, f.yB, f.xL, f.yB + r.N2 * c);
  line(f.xL, f.yB + r.N2 * c, f.xR, f.yB + r.N4 * c);
  line(f.xR, f.yB, f.xR, f.yB + r.N4 * c);

  // The foot value -BV is drawn inwards from the right axis as xR - (-BV)·c.
  line(f.xR, kFootY, f.xR + r.BV * c, kFootY);
  line(f.xR + r.BV * c, kFootY, f.xR - r.N5 * c, f.yB);
  line(f.xR - r.N5 * c, f.yB, f.xR, f.yB);

  for (int i = 20; i <= 23; ++i) {
    canvas.SetLabelVisible(i, true);
  }
  PlaceCornerLabels({20, 21, 22, 23}, {r.N1, r.N2, r.N4, r.N5}, in, r.Lmax, canvas, check);
  return DiagramOutcome::Drawn;
}

}  // namespace strevo
