#include <algorithm>
#include <cmath>

#include "drawing_frame.h"
#include "drawings.h"
#include "text_rules.h"

namespace strevo {
namespace {

constexpr int kMomentColour = 12;

}  // namespace

DiagramOutcome DrawMomentDiagram(const InputSet& in, const SharedResults& r, Canvas& canvas) {
  const double Mmax =
      std::max({std::abs(r.M1), std::abs(r.M3), std::abs(r.M4), std::abs(r.MA), std::abs(r.MB)});
  if (const DiagramOutcome scale = ScaleOutcome(r.Lmax, Mmax); scale != DiagramOutcome::Drawn) {
    return scale;
  }
  const DiagramPen pen(canvas, kMomentColour);
  const CoordinateCheck& check = pen.check();
  const auto line = [&](double x1, double y1, double x2, double y2) { pen.Line(x1, y1, x2, y2); };
  canvas.SetLabelCaption(13, FormatFixed2(r.M3));
  canvas.SetLabelLeft(13, check.Single(480 - (in.L - 2 * r.X3) * 250 / r.Lmax));
  canvas.SetLabelTop(13, check.Single(720 - in.h * 500 / r.Lmax));

  const DrawingFrame f = MakeDrawingFrame(in, r.Lmax, check);
  const double c = check(100 / Mmax);

  // Left column, from the foot A up to the corner.
  double V = -r.AH, M0 = r.MA, x0 = 0;
  line(f.xL, kFootY, f.xL + M0 * c, kFootY);
  for (int i = 1; i <= 10; ++i) {
    const double x = check(in.h * i / 10);
    const double M = check(M0 + (x - x0) * V - (x - x0) * (x - x0) * in.wD / 2);
    line(f.xL + M0 * c, kFootY - x0 * f.s, f.xL + M * c, kFootY - x * f.s);
    V = check(V - (x - x0) * in.wD);
    x0 = x;
    M0 = M;
  }
  line(f.xL + M0 * c, kFootY - x0 * f.s, f.xL, kFootY - x0 * f.s);

  // Beam, from its left end to its right end; the point load enters once, at the start of the
  // first step whose end station it does not lie beyond, and that step is then run again.
  M0 = r.M1;
  V = r.Q2;
  x0 = 0;
  bool inserted = false;
  const auto station = [&](double x, double M) {
    return std::pair{f.BeamX(x, in.L, check), check(f.yB + M * c)};
  };
  line(f.xL, f.yB, f.xL, f.yB + r.M1 * c);
  for (int j = 1; j <= 10;) {
    const bool insertLoad = !inserted && in.F != 0 && in.a <= j * in.L / 10;
    const double x = insertLoad ? in.a : check(in.L * j / 10);
    const double M = check(M0 + (x - x0) * V - (x - x0) * (x - x0) * in.q / 2);
    const auto [fromX, fromY] = station(x0, M0);
    const auto [toX, toY] = station(x, M);
    line(fromX, fromY, toX, toY);
    V = check(V - (x - x0) * in.q - (insertLoad ? in.F : 0.0));
    x0 = x;
    M0 = M;
    if (insertLoad) {
      inserted = true;
    } else {
      ++j;
    }
  }
  line(f.xR, f.yB, f.xR, f.yB + r.M4 * c);

  // Right column, from the corner down to the foot B.
  M0 = r.M5;
  V = r.Q5;
  x0 = 0;
  line(f.xR, f.yB, f.xR - M0 * c, f.yB);
  for (int i = 1; i <= 10; ++i) {
    const double x = check(in.h * i / 10);
    const double M = check(M0 + (x - x0) * V + (x - x0) * (x - x0) * in.wS / 2);
    line(f.xR - M0 * c, kFootY - (in.h - x0) * f.s, f.xR - M * c, kFootY - (in.h - x) * f.s);
    V = check(V + (x - x0) * in.wS);
    x0 = x;
    M0 = M;
  }
  line(f.xR - M0 * c, kFootY, f.xR, kFootY);

  for (int i = 11; i <= 15; ++i) {
    canvas.SetLabelVisible(i, true);
  }
  PlaceCornerLabels({11, 12, 14, 15}, {r.M1, r.M2, r.M4, r.M5}, f, canvas, check);
  return DiagramOutcome::Drawn;
}

}  // namespace strevo
