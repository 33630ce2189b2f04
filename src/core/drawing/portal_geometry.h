// The portal as every picture draws it: the nodes A, 2, 4 and B in the picture's own units, the
// members between them, and the support under each foot with its one symbol. The main window's
// sketch (twips), the system drawing (picture units) and the report's sketch (sketch units) are
// each drawn from it.
#pragma once

#include <array>

#include "core/analysis/inputs.h"

namespace strevo {

// A point in a picture's own units: x to the right, y downwards (as a painter's).
struct PicturePoint {
  double x = 0, y = 0;
  bool operator==(const PicturePoint&) const = default;
};

struct PortalNodes {
  PicturePoint A, corner2, corner4, B;

  PicturePoint Foot(Side side) const { return side == Side::Left ? A : B; }
  PicturePoint Corner(Side side) const { return side == Side::Left ? corner2 : corner4; }
};

struct MemberStroke {
  PicturePoint from, to;
};

// Left column A to 2, beam 2 to 4, right column B to 4: the columns are drawn from the foot up.
std::array<MemberStroke, 3> MemberStrokes(const PortalNodes& nodes);

enum class Support { Pinned, Roller, Fixed };

// The kinked beam stands on a hinge and a roller, the two-hinged frame on two hinges, the fixed
// frame on two clamps.
Support SupportOf(SystemType system, Side side);

// One picture's proportions of the support symbols, in its own units.
struct SupportSymbolSize {
  double legHalf, legDepth;  // the hinge's two legs from the foot
  double baseHalf;           // the line under a hinge's legs
  // A roller: the line under the legs, the gap the rollers stand in, the ground line under it.
  double rollerTopHalf, rollerGap, rollerGroundHalf;
  double hingeRadius;       // the hinge's circle at the foot; 0: none
  double groundHatchDepth;  // hatching under a hinge's lowest line; 0: none
  double clampHalf;         // a clamp's ground line either side of the foot
  // Four hatch strokes: the first's top from the foot, their spacing, how far each leans to
  // the left, and a clamp's hatch depth.
  double hatchFirst, hatchStep, hatchLean, clampHatchDepth;
};

// Where a symbol goes: each stroke as it is drawn, and the hinge's circle.
class SymbolPen {
 public:
  virtual ~SymbolPen() = default;
  // heavy: a clamp's ground line, which a picture with line widths draws thicker
  virtual void Stroke(PicturePoint from, PicturePoint to, bool heavy) = 0;
  virtual void HingeCircle(PicturePoint /*centre*/, double /*radius*/) {}
};

// The symbol of `support` under `foot`: a hinge's legs, the line under them (and a roller's
// ground line), or a clamp's four hatch strokes and its ground line. Returns how far it reaches
// below the foot.
double DrawSupportSymbol(Support support, PicturePoint foot, const SupportSymbolSize& size,
                         SymbolPen& pen);

// The support of `system` on `side`, under that side's foot.
inline double DrawSupportSymbol(SystemType system, Side side, const PortalNodes& nodes,
                                const SupportSymbolSize& size, SymbolPen& pen) {
  return DrawSupportSymbol(SupportOf(system, side), nodes.Foot(side), size, pen);
}

// The main window's sketch in twips inside the frame "System", both windows' sketches alike.
PortalNodes MainSketchPortalTwips();
extern const SupportSymbolSize kMainSketchSymbolTwips;

// The system drawing's symbols in picture units (0..1000).
extern const SupportSymbolSize kDrawingSymbolPictureUnits;

// The report's dimensioned sketch's symbols in sketch units (the portal about 0..100).
extern const SupportSymbolSize kReportSketchSymbolUnits;

}  // namespace strevo
