#include <algorithm>
#include <cmath>

#include "core/base/text_rules.h"
#include "core/drawing/drawing_frame.h"
#include "core/drawing/drawings.h"

namespace strevo {
namespace {

constexpr int kLoadColour = 1;

// Reference for the load thicknesses: the largest load by magnitude, so that every non-zero
// load gets a finite thickness 50·w/m with its sign (a plain maximum is 0 or negative when
// the only loads are negative, and would divide by zero or flip the thicknesses).
double LoadReference(const InputSet& in) {
  return std::max({std::abs(in.wD), std::abs(in.q), std::abs(in.wS)});
}

class SystemPainter : public SymbolPen {
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
  // The supports' strokes all have the width in force.
  void Stroke(PicturePoint from, PicturePoint to, bool /*heavy*/) override {
    Line(from.x, from.y, to.x, to.y);
  }

 private:
  Canvas& canvas_;
  const CoordinateCheck& check_;
};

// The supports of the system, and the reaction labels that it has.
void DrawSupports(std::optional<SystemType> system, const PortalNodes& nodes, SystemPainter& paint,
                  Canvas& canvas) {
  if (!system) {
    return;
  }
  for (const Side side : kSides) {
    DrawSupportSymbol(*system, side, nodes, kDrawingSymbolPictureUnits, paint);
  }
  const bool clamped = system == SystemType::FixedFrame;
  canvas.SetLabelVisible(kLabelMA, clamped);
  canvas.SetLabelVisible(kLabelMB, clamped);
  canvas.SetLabelVisible(kLabelBH, system != SystemType::KinkedBeam);
}

// Each load that is not zero: a band as thick as its share of the largest load, or the arrow.
void DrawLoads(const InputSet& in, const DrawingFrame& f, const CoordinateCheck& check,
               SystemPainter& paint, Canvas& canvas) {
  const double m = LoadReference(in);
  if (in.wD != 0) {
    paint.Box(f.xL - 20 - check(50 * in.wD / m), kFootY, f.xL - 20, f.yB);
    canvas.SetLabelVisible(kLabelWD, true);
  }
  if (in.q != 0) {
    paint.Box(f.xL, f.yB - 20 - check(50 * in.q / m), f.xR, f.yB - 20);
    canvas.SetLabelVisible(kLabelQ, true);
  }
  if (in.wS != 0) {
    paint.Box(f.xR + 20, kFootY, f.xR + 20 + check(50 * in.wS / m), f.yB);
    canvas.SetLabelVisible(kLabelWS, true);
  }
  const double xF = f.BeamX(in.a, in.L, check);
  if (in.F != 0) {
    paint.Line(xF, f.yB - 20, xF, f.yB - 120, kLoadColour);
    paint.Line(xF - 10, f.yB - 40, xF, f.yB - 20, kLoadColour);
    paint.Line(xF, f.yB - 20, xF + 10, f.yB - 40, kLoadColour);
    canvas.SetLabelVisible(kLabelF, true);
  }
}

void PlaceLabels(const InputSet& in, const SharedResults& results, const DrawingFrame& f,
                 const CoordinateCheck& check, Canvas& canvas) {
  canvas.SetLabelCaption(kLabelL, FormatFixed2(in.L));
  for (int j = kLabelMA; j <= kLabelAH; ++j) {  // the reactions at A, and opposite those at B
    canvas.SetLabelLeft(j, check.Single(280 - f.span));
    canvas.SetLabelLeft(j + 3, check.Single(530 + f.span));
  }
  canvas.SetLabelLeft(kLabelWD, check.Single(320 - f.span));
  canvas.SetLabelTop(kLabelQ, check.Single(580 - f.rise));
  canvas.SetLabelTop(kLabelF, check.Single(530 - f.rise));
  canvas.SetLabelLeft(kLabelWS, check.Single(580 + f.span));
  canvas.SetLabelLeft(kLabelF, check.Single(f.BeamX(in.a, in.L, check)));

  canvas.SetLabelCaption(kLabelAH, "AH = " + FormatFixed2(results.AH) + " kN");
  canvas.SetLabelCaption(kLabelAV, "AV = " + FormatFixed2(results.AV) + " kN");
  canvas.SetLabelCaption(kLabelMA, "MA = " + FormatFixed2(results.MA) + " kNm");
  canvas.SetLabelCaption(kLabelBH, "BH = " + FormatFixed2(results.BH) + " kN");
  canvas.SetLabelCaption(kLabelBV, "BV = " + FormatFixed2(results.BV) + " kN");
  canvas.SetLabelCaption(kLabelMB, "MB = " + FormatFixed2(results.MB) + " kNm");
  canvas.SetLabelCaption(kLabelWD, FormatFixed2(in.wD));
  canvas.SetLabelCaption(kLabelQ, FormatFixed2(in.q));
  canvas.SetLabelCaption(kLabelWS, FormatFixed2(in.wS));
  canvas.SetLabelCaption(kLabelF, FormatFixed2(in.F));
}

}  // namespace

void DrawSystem(const InputSet& in, std::optional<SystemType> system, SharedResults& results,
                Canvas& canvas) {
  for (int i = kLabelWD; i <= kLabelF; ++i) {
    canvas.SetLabelVisible(i, false);
  }
  results.Lmax = ReferenceLength(in);
  canvas.Refresh();
  canvas.SetScale(0, 0, kPictureUnits, kPictureUnits);
  canvas.SetLineWidth(2);

  const CoordinateCheck check;
  SystemPainter paint(canvas, check);
  const DrawingFrame f = MakeDrawingFrame(in, results.Lmax, check);
  const PortalNodes nodes = f.NodesInPictureUnits();
  for (const MemberStroke& member : MemberStrokes(nodes)) {
    paint.Line(member.from.x, member.from.y, member.to.x, member.to.y);
  }
  canvas.SetLineWidth(1);
  DrawSupports(system, nodes, paint, canvas);

  paint.Line(f.xL - 20, 900, f.xR + 20, 900);  // the dimension line of L
  paint.Line(f.xL, 910, f.xL, 880);
  paint.Line(f.xR, 910, f.xR, 880);
  DrawLoads(in, f, check, paint, canvas);
  PlaceLabels(in, results, f, check, canvas);
}

}  // namespace strevo
