// The mapping of the portal into the picture's 1000 x 1000 units, shared by all drawings.
#pragma once

#include <array>

#include "core/analysis/inputs.h"
#include "core/base/arithmetic_fault.h"
#include "core/drawing/canvas.h"
#include "core/drawing/drawings.h"
#include "core/drawing/portal_geometry.h"

namespace strevo {

inline constexpr double kFootY = 700;  // level of the feet A and B

// Every coordinate is checked before it reaches the canvas as a single-precision value.
using CoordinateCheck = FaultWatch;

struct DrawingFrame {
  double Lmax;  // the longer of h and L, m
  double unitsPerMetre;
  double span;  // half the span, L·250/Lmax
  double rise;  // the column height, h·500/Lmax
  double xL;    // axis of the left column
  double xR;    // axis of the right column
  double yB;    // axis of the beam
  // The point of the beam axis at distance d from the left column's axis.
  double BeamX(double d, double L, const CoordinateCheck& check) const;
  // A, 2, 4 and B in picture units.
  PortalNodes NodesInPictureUnits() const {
    return {{xL, kFootY}, {xL, yB}, {xR, yB}, {xR, kFootY}};
  }
};

DrawingFrame MakeDrawingFrame(const InputSet& in, double Lmax, const CoordinateCheck& check);

// Whether a diagram has a scale: the system must have been drawn (Lmax > 0) and one of the
// diagram's reference values must not be 0. Drawn when it can be drawn.
inline DiagramOutcome ScaleOutcome(double Lmax, double reference) {
  if (Lmax == 0) {
    return DiagramOutcome::NoSystemDrawing;
  }
  return reference == 0 ? DiagramOutcome::NothingToDraw : DiagramOutcome::Drawn;
}

// What every diagram starts with: the 1000-unit scale, line width 2, checked lines in one colour.
class DiagramPen {
 public:
  DiagramPen(Canvas& canvas, int colour);
  void Line(double x1, double y1, double x2, double y2) const;
  const CoordinateCheck& check() const { return check_; }

 private:
  Canvas& canvas_;
  int colour_;
  CoordinateCheck check_;
};

// The end values of a diagram drawn as straight lines between the member ends (shear and
// normal force). Feet are measured from the column axes, ends inward positive.
struct MemberEndValues {
  double leftFoot, leftTop;    // left column: foot and top, drawn right of the axis
  double beamLeft, beamRight;  // beam: drawn below the axis
  double rightFoot, rightTop;  // right column: drawn left of the axis
};

// Draws the nine lines; `beamLine` draws what lies between the beam's two closing lines.
template <class BeamLine>
void DrawMemberEnds(const DiagramPen& pen, const DrawingFrame& f, const MemberEndValues& v,
                    double c, BeamLine&& beamLine) {
  pen.Line(f.xL, kFootY, f.xL + v.leftFoot * c, kFootY);
  pen.Line(f.xL + v.leftFoot * c, kFootY, f.xL + v.leftTop * c, f.yB);
  pen.Line(f.xL + v.leftTop * c, f.yB, f.xL, f.yB);
  pen.Line(f.xL, f.yB, f.xL, f.yB + v.beamLeft * c);
  beamLine();
  pen.Line(f.xR, f.yB, f.xR, f.yB + v.beamRight * c);
  pen.Line(f.xR, kFootY, f.xR - v.rightFoot * c, kFootY);
  pen.Line(f.xR - v.rightFoot * c, kFootY, f.xR - v.rightTop * c, f.yB);
  pen.Line(f.xR - v.rightTop * c, f.yB, f.xR, f.yB);
}

// The four corner labels the diagrams share: outside the left corner, above the beam's ends,
// outside the right corner; sets each caption and position in turn.
void PlaceCornerLabels(const std::array<int, 4>& indices, const std::array<double, 4>& values,
                       const DrawingFrame& f, Canvas& canvas, const CoordinateCheck& check);

}  // namespace strevo
