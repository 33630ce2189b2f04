#include <algorithm>
#include <cmath>

#include "drawing_frame.h"
#include "drawings.h"
#include "text_rules.h"

namespace strevo {
namespace {

constexpr int kLoadColour = 1;

// Reference for the load thicknesses: the largest load by magnitude, so that every non-zero
// load gets a finite thickness 50·w/m with its sign (a plain maximum is 0 or negative when
// the only loads are negative, and would divide by zero or flip the thicknesses).
double LoadReference(const InputSet& in) {
  return std::max({std::abs(in.wD), std::abs(in.q), std::abs(in.wS)});
}

class SystemPainter {
 public:
  SystemPainter(Canvas& canvas, const CoordinateCheck& check) : canvas_(canvas), check_(check) {}

  void Line(double x1, double y1, double x2, double y2, int colour = kForegroundColour) {
    canvas_.Line(check_.Single(x1), check_.Single(y1), check_.Single(x2), check_.Single(y2),
                 colour);
  }
  void Box(double x1, double y1, double x2, double y2) {
    canvas_.Box(check_.Single(x1), check_.Single(y1), check_.Single(x2), check_.Single(y2),
                kLoadColour);
  }
  void Hinge(double x0) {
    Line(x0 - 20, 730, x0, 700);
    Line(x0, 700, x0 + 20, 730);
    Line(x0 - 20, 730, x0 + 20, 730);
  }
  void Clamp(double x0) {
    Line(x0 - 40, 720, x0 - 20, 700);
    Line(x0 - 20, 720, x0, 700);
    Line(x0, 720, x0 + 20, 700);
    Line(x0 + 20, 720, x0 + 40, 700);
    Line(x0 - 40, 700, x0 + 40, 700);
  }

 private:
  Canvas& canvas_;
  const CoordinateCheck& check_;
};

}  // namespace

void DrawSystem(const InputSet& in, std::optional<SystemType> system, SharedResults& results,
                Canvas& canvas) {
  for (int i = 7; i <= 10; ++i) {
    canvas.SetLabelVisible(i, false);
  }
  results.Lmax = ReferenceLength(in);
  const double m = LoadReference(in);
  canvas.Refresh();
  canvas.SetScale(0, 0, kPictureUnits, kPictureUnits);
  canvas.SetLineWidth(2);

  const CoordinateCheck check;
  SystemPainter paint(canvas, check);
  const DrawingFrame f = MakeDrawingFrame(in, results.Lmax, check);
  paint.Line(f.xL, kFootY, f.xL, f.yB);
  paint.Line(f.xL, f.yB, f.xR, f.yB);
  paint.Line(f.xR, kFootY, f.xR, f.yB);
  canvas.SetLineWidth(1);

  if (system == SystemType::KinkedBeam) {
    paint.Hinge(f.xL);
    paint.Hinge(f.xR);
    paint.Line(f.xR - 20, 740, f.xR + 20, 740);
    canvas.SetLabelVisible(1, false);
    canvas.SetLabelVisible(4, false);
    canvas.SetLabelVisible(6, false);
  }
  if (system == SystemType::TwoHingedFrame) {
    paint.Hinge(f.xL);
    paint.Hinge(f.xR);
    canvas.SetLabelVisible(1, false);
    canvas.SetLabelVisible(4, false);
    canvas.SetLabelVisible(6, true);
  }
  if (system == SystemType::FixedFrame) {
    paint.Clamp(f.xL);
    paint.Clamp(f.xR);
    canvas.SetLabelVisible(1, true);
    canvas.SetLabelVisible(4, true);
    canvas.SetLabelVisible(6, true);
  }

  paint.Line(f.xL - 20, 900, f.xR + 20, 900);
  paint.Line(f.xL, 910, f.xL, 880);
  paint.Line(f.xR, 910, f.xR, 880);

  if (in.wD != 0) {
    paint.Box(f.xL - 20 - check(50 * in.wD / m), kFootY, f.xL - 20, f.yB);
    canvas.SetLabelVisible(7, true);
  }
  if (in.q != 0) {
    paint.Box(f.xL, f.yB - 20 - check(50 * in.q / m), f.xR, f.yB - 20);
    canvas.SetLabelVisible(8, true);
  }
  if (in.wS != 0) {
    paint.Box(f.xR + 20, kFootY, f.xR + 20 + check(50 * in.wS / m), f.yB);
    canvas.SetLabelVisible(9, true);
  }
  const double xF = f.BeamX(in.a, in.L, check);
  if (in.F != 0) {
    paint.Line(xF, f.yB - 20, xF, f.yB - 120, kLoadColour);
    paint.Line(xF - 10, f.yB - 40, xF, f.yB - 20, kLoadColour);
    paint.Line(xF, f.yB - 20, xF + 10, f.yB - 40, kLoadColour);
    canvas.SetLabelVisible(10, true);
  }

  canvas.SetLabelCaption(0, FormatFixed2(in.L));
  for (int j = 1; j <= 3; ++j) {
    canvas.SetLabelLeft(j, check.Single(280 - f.span));
    canvas.SetLabelLeft(j + 3, check.Single(530 + f.span));
  }
  canvas.SetLabelLeft(7, check.Single(320 - f.span));
  canvas.SetLabelTop(8, check.Single(580 - f.rise));
  canvas.SetLabelTop(10, check.Single(530 - f.rise));
  canvas.SetLabelLeft(9, check.Single(580 + f.span));
  canvas.SetLabelLeft(10, check.Single(xF));

  canvas.SetLabelCaption(3, "AH = " + FormatFixed2(results.AH) + " kN");
  canvas.SetLabelCaption(2, "AV = " + FormatFixed2(results.AV) + " kN");
  canvas.SetLabelCaption(1, "MA = " + FormatFixed2(results.MA) + " kNm");
  canvas.SetLabelCaption(6, "BH = " + FormatFixed2(results.BH) + " kN");
  canvas.SetLabelCaption(5, "BV = " + FormatFixed2(results.BV) + " kN");
  canvas.SetLabelCaption(4, "MB = " + FormatFixed2(results.MB) + " kNm");
  canvas.SetLabelCaption(7, FormatFixed2(in.wD));
  canvas.SetLabelCaption(8, FormatFixed2(in.q));
  canvas.SetLabelCaption(9, FormatFixed2(in.wS));
  canvas.SetLabelCaption(10, FormatFixed2(in.F));
}

}  // namespace strevo
