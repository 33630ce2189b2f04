#include <algorithm>
#include <cmath>

#include "core/analysis/member_forces.h"
#include "core/base/text_rules.h"
#include "core/drawing/drawing_frame.h"
#include "core/drawing/drawings.h"

namespace strevo {
namespace {

constexpr int kMomentColour = 12;

// The three members' moment lines as polygons of chords, each member's moment drawn off its
// axis at 100/Mmax picture units per kNm.
class MomentPolygons {
 public:
  MomentPolygons(const InputSet& in, const SharedResults& r, const DiagramPen& pen, double Mmax)
      : in_(in),
        pen_(pen),
        check_(pen.check()),
        f_(MakeDrawingFrame(in, r.Lmax, check_)),
        c_(check_(100 / Mmax)),
        lines_(PortalLinesOf(in, r)) {}

  // From the foot A up to the corner, in ten chords.
  void LeftColumn() const {
    const double c = c_;
    double x0 = 0, M0 = Moment(Member::LeftColumn, 0);
    Line(f_.xL, kFootY, f_.xL + M0 * c, kFootY);
    for (int i = 1; i <= 10; ++i) {
      const double x = check_(in_.h * i / 10);
      const double M = Moment(Member::LeftColumn, x);
      Line(f_.xL + M0 * c, kFootY - x0 * f_.unitsPerMetre, f_.xL + M * c,
           kFootY - x * f_.unitsPerMetre);
      x0 = x;
      M0 = M;
    }
    Line(f_.xL + M0 * c, kFootY - x0 * f_.unitsPerMetre, f_.xL, kFootY - x0 * f_.unitsPerMetre);
  }

  // From the left end to the right end in ten chords; the point load's kink enters as a
  // station of its own, at the start of the first chord whose end it does not lie beyond.
  void Beam() const {
    double x0 = 0;
    bool inserted = false;
    Line(f_.xL, f_.yB, f_.xL, f_.yB + Moment(Member::Beam, 0) * c_);
    for (int j = 1; j <= 10;) {
      const bool insertLoad = !inserted && in_.F != 0 && in_.a <= j * in_.L / 10;
      const double x = insertLoad ? in_.a : check_(in_.L * j / 10);
      const double fromX = f_.BeamX(x0, in_.L, check_), fromY = BeamY(x0);
      const double toX = f_.BeamX(x, in_.L, check_), toY = BeamY(x);
      Line(fromX, fromY, toX, toY);
      x0 = x;
      if (insertLoad) {
        inserted = true;
      } else {
        ++j;
      }
    }
    Line(f_.xR, f_.yB, f_.xR, f_.yB + Moment(Member::Beam, in_.L) * c_);
  }

  // From the corner down to the foot B.
  void RightColumn() const {
    const double c = c_, h = in_.h;
    double x0 = 0, M0 = Moment(Member::RightColumn, 0);
    Line(f_.xR, f_.yB, f_.xR - M0 * c, f_.yB);
    for (int i = 1; i <= 10; ++i) {
      const double x = check_(h * i / 10);
      const double M = Moment(Member::RightColumn, x);
      Line(f_.xR - M0 * c, kFootY - (h - x0) * f_.unitsPerMetre, f_.xR - M * c,
           kFootY - (h - x) * f_.unitsPerMetre);
      x0 = x;
      M0 = M;
    }
    Line(f_.xR - M0 * c, kFootY, f_.xR, kFootY);
  }

  const DrawingFrame& Frame() const { return f_; }

 private:
  double Moment(Member member, double x) const {
    return check_(lines_[static_cast<std::size_t>(member)].M.At(x));
  }
  double BeamY(double x) const { return check_(f_.yB + Moment(Member::Beam, x) * c_); }
  void Line(double x1, double y1, double x2, double y2) const { pen_.Line(x1, y1, x2, y2); }

  const InputSet& in_;
  const DiagramPen& pen_;
  const CoordinateCheck& check_;
  DrawingFrame f_;
  double c_;
  PortalLines lines_;
};

}  // namespace

DiagramOutcome DrawMomentDiagram(const InputSet& in, const SharedResults& r, Canvas& canvas) {
  const double Mmax =
      std::max({std::abs(r.M1), std::abs(r.M3), std::abs(r.M4), std::abs(r.MA), std::abs(r.MB)});
  if (const DiagramOutcome scale = ScaleOutcome(r.Lmax, Mmax); scale != DiagramOutcome::Drawn) {
    return scale;
  }
  const DiagramPen pen(canvas, kMomentColour);
  const CoordinateCheck& check = pen.check();
  canvas.SetLabelCaption(kLabelM3, FormatFixed2(r.M3));
  canvas.SetLabelLeft(kLabelM3, check.Single(480 - (in.L - 2 * r.X3) * 250 / r.Lmax));
  canvas.SetLabelTop(kLabelM3, check.Single(720 - in.h * 500 / r.Lmax));

  const MomentPolygons polygons(in, r, pen, Mmax);
  polygons.LeftColumn();
  polygons.Beam();
  polygons.RightColumn();

  for (int i = kLabelM1; i <= kLabelM5; ++i) {
    canvas.SetLabelVisible(i, true);
  }
  PlaceCornerLabels({kLabelM1, kLabelM2, kLabelM4, kLabelM5}, {r.M1, r.M2, r.M4, r.M5},
                    polygons.Frame(), canvas, check);
  return DiagramOutcome::Drawn;
}

}  // namespace strevo
