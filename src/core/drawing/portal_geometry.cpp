#include "core/drawing/portal_geometry.h"

namespace strevo {
namespace {

// Four strokes leaning to the left under the line at `top`, each drawn from its foot up.
void Hatch(PicturePoint foot, double top, double depth, const SupportSymbolSize& size,
           SymbolPen& pen) {
  for (int i = 0; i < 4; ++i) {
    const double offset = size.hatchFirst + i * size.hatchStep;
    pen.Stroke({foot.x + (offset - size.hatchLean), top + depth}, {foot.x + offset, top}, false);
  }
}

void Across(SymbolPen& pen, PicturePoint foot, double half, double y, bool heavy = false) {
  pen.Stroke({foot.x - half, y}, {foot.x + half, y}, heavy);
}

}  // namespace

std::array<MemberStroke, 3> MemberStrokes(const PortalNodes& nodes) {
  return {{{nodes.A, nodes.corner2}, {nodes.corner2, nodes.corner4}, {nodes.B, nodes.corner4}}};
}

Support SupportOf(SystemType system, Side side) {
  switch (system) {
    case SystemType::KinkedBeam:
      return side == Side::Left ? Support::Pinned : Support::Roller;
    case SystemType::TwoHingedFrame:
      return Support::Pinned;
    case SystemType::FixedFrame:
      break;
  }
  return Support::Fixed;
}

double DrawSupportSymbol(Support support, PicturePoint foot, const SupportSymbolSize& size,
                         SymbolPen& pen) {
  if (support == Support::Fixed) {
    Hatch(foot, foot.y, size.clampHatchDepth, size, pen);
    Across(pen, foot, size.clampHalf, foot.y, true);
    return size.clampHatchDepth;
  }
  double ground = foot.y + size.legDepth;
  pen.Stroke({foot.x - size.legHalf, ground}, foot, false);
  pen.Stroke(foot, {foot.x + size.legHalf, ground}, false);
  if (size.hingeRadius > 0) {
    pen.HingeCircle(foot, size.hingeRadius);
  }
  if (support == Support::Roller) {
    Across(pen, foot, size.rollerTopHalf, ground);
    ground += size.rollerGap;  // the rollers stand between the two lines
    Across(pen, foot, size.rollerGroundHalf, ground);
  } else {
    Across(pen, foot, size.baseHalf, ground);
  }
  if (size.groundHatchDepth > 0) {
    Hatch(foot, ground, size.groundHatchDepth, size, pen);
  }
  return ground + size.groundHatchDepth - foot.y;
}

PortalNodes MainSketchPortalTwips() {
  return {{2280, 3720}, {2280, 1680}, {4800, 1680}, {4800, 3720}};
}

const SupportSymbolSize kMainSketchSymbolTwips = {
    .legHalf = 120,
    .legDepth = 120,
    .baseHalf = 120,
    .rollerTopHalf = 120,
    .rollerGap = 120,
    .rollerGroundHalf = 120,
    .hingeRadius = 0,
    .groundHatchDepth = 0,
    .clampHalf = 240,
    .hatchFirst = -120,
    .hatchStep = 120,
    .hatchLean = 120,
    .clampHatchDepth = 120,
};

const SupportSymbolSize kDrawingSymbolPictureUnits = {
    .legHalf = 20,
    .legDepth = 30,
    .baseHalf = 20,
    .rollerTopHalf = 20,
    .rollerGap = 10,
    .rollerGroundHalf = 20,
    .hingeRadius = 0,
    .groundHatchDepth = 0,
    .clampHalf = 40,
    .hatchFirst = -20,
    .hatchStep = 20,
    .hatchLean = 20,
    .clampHatchDepth = 20,
};

const SupportSymbolSize kReportSketchSymbolUnits = {
    .legHalf = 5,
    .legDepth = 8,
    .baseHalf = 8,
    .rollerTopHalf = 7,
    .rollerGap = 3,
    .rollerGroundHalf = 8,
    .hingeRadius = 1.5,
    .groundHatchDepth = 3,
    .clampHalf = 9,
    .hatchFirst = -5,
    .hatchStep = 4,
    .hatchLean = 3,
    .clampHatchDepth = 4,
};

}  // namespace strevo
