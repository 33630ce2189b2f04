#include <algorithm>
#include <cmath>

#include "drawing_frame.h"
#include "drawings.h"
#include "member_forces.h"
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
  canvas.SetLabelCaption(kLabelM3, FormatFixed2(r.M3));
  canvas.SetLabelLeft(kLabelM3, check.Single(480 - (in.L - 2 * r.X3) * 250 / r.Lmax));
  canvas.SetLabelTop(kLabelM3, check.Single(720 - in.h * 500 / r.Lmax));

  const DrawingFrame f = MakeDrawingFrame(in, r.Lmax, check);
  const double c = check(100 / Mmax);
  const PortalLines lines = PortalLinesOf(in, r);
  const auto moment = [&](Member member, double x) {
    return check(lines[static_cast<std::size_t>(member)].M.At(x));
  };

  // Left column, from the foot A up to the corner, in ten chords.
  double x0 = 0, M0 = moment(Member::LeftColumn, 0);
  line(f.xL, kFootY, f.xL + M0 * c, kFootY);
  for (int i = 1; i <= 10; ++i) {
    const double x = check(in.h * i / 10);
    const double M = moment(Member::LeftColumn, x);
    line(f.xL + M0 * c, kFootY - x0 * f.unitsPerMetre, f.xL + M * c, kFootY - x * f.unitsPerMetre);
    x0 = x;
    M0 = M;
  }
  line(f.xL + M0 * c, kFootY - x0 * f.unitsPerMetre, f.xL, kFootY - x0 * f.unitsPerMetre);

  // Beam, from its left end to its right end in ten chords; the point load's kink enters as a
  // station of its own, at the start of the first chord whose end it does not lie beyond.
  const auto station = [&](double x) {
    return std::pair{f.BeamX(x, in.L, check), check(f.yB + moment(Member::Beam, x) * c)};
  };
  x0 = 0;
  bool inserted = false;
  line(f.xL, f.yB, f.xL, f.yB + moment(Member::Beam, 0) * c);
  for (int j = 1; j <= 10;) {
    const bool insertLoad = !inserted && in.F != 0 && in.a <= j * in.L / 10;
    const double x = insertLoad ? in.a : check(in.L * j / 10);
    const auto [fromX, fromY] = station(x0);
    const auto [toX, toY] = station(x);
    line(fromX, fromY, toX, toY);
    x0 = x;
    if (insertLoad) {
      inserted = true;
    } else {
      ++j;
    }
  }
  line(f.xR, f.yB, f.xR, f.yB + moment(Member::Beam, in.L) * c);

  // Right column, from the corner down to the foot B.
  x0 = 0;
  M0 = moment(Member::RightColumn, 0);
  line(f.xR, f.yB, f.xR - M0 * c, f.yB);
  for (int i = 1; i <= 10; ++i) {
    const double x = check(in.h * i / 10);
    const double M = moment(Member::RightColumn, x);
    line(f.xR - M0 * c, kFootY - (in.h - x0) * f.unitsPerMetre, f.xR - M * c,
         kFootY - (in.h - x) * f.unitsPerMetre);
    x0 = x;
    M0 = M;
  }
  line(f.xR - M0 * c, kFootY, f.xR, kFootY);

  for (int i = kLabelM1; i <= kLabelM5; ++i) {
    canvas.SetLabelVisible(i, true);
  }
  PlaceCornerLabels({kLabelM1, kLabelM2, kLabelM4, kLabelM5}, {r.M1, r.M2, r.M4, r.M5}, f, canvas,
                    check);
  return DiagramOutcome::Drawn;
}

}  // namespace strevo
