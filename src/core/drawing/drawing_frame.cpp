#include "core/drawing/drawing_frame.h"

#include "core/base/text_rules.h"

namespace strevo {

double DrawingFrame::BeamX(double d, double L, const CoordinateCheck& check) const {
  return check(500 - (L - 2 * d) * 250 / Lmax);
}

DiagramPen::DiagramPen(Canvas& canvas, int colour) : canvas_(canvas), colour_(colour) {
  canvas_.SetScale(0, 0, kPictureUnits, kPictureUnits);
  canvas_.SetLineWidth(2);
}

void DiagramPen::Line(double x1, double y1, double x2, double y2) const {
  canvas_.Line(check_.Single(x1), check_.Single(y1), check_.Single(x2), check_.Single(y2), colour_);
}

DrawingFrame MakeDrawingFrame(const InputSet& in, double Lmax, const CoordinateCheck& check) {
  DrawingFrame frame{};
  frame.Lmax = Lmax;
  frame.span = check(in.L * 250 / Lmax);
  frame.rise = check(in.h * 500 / Lmax);
  frame.xL = check(500 - frame.span);
  frame.xR = check(500 + frame.span);
  frame.yB = check(kFootY - frame.rise);
  frame.unitsPerMetre = check(500 / Lmax);
  return frame;
}

void PlaceCornerLabels(const std::array<int, 4>& indices, const std::array<double, 4>& values,
                       const DrawingFrame& f, Canvas& canvas, const CoordinateCheck& check) {
  const std::array<double, 4> lefts = {320 - f.span, 480 - f.span, 480 + f.span, 620 + f.span};
  const std::array<double, 4> tops = {680 - f.rise, 580 - f.rise, 580 - f.rise, 680 - f.rise};
  for (std::size_t i = 0; i < indices.size(); ++i) {
    canvas.SetLabelCaption(indices[i], FormatFixed2(values[i]));
    canvas.SetLabelLeft(indices[i], check.Single(lefts[i]));
    canvas.SetLabelTop(indices[i], check.Single(tops[i]));
  }
}

}  // namespace strevo
