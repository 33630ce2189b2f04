// The portal's one geometry: which support stands on which side, and one symbol per support
// whose strokes scale with the picture's proportions.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/drawing/portal_geometry.h"

namespace strevo {
namespace {

struct Drawn {
  PicturePoint from, to;
  bool heavy;
};

struct RecordingPen : SymbolPen {
  void Stroke(PicturePoint from, PicturePoint to, bool heavy) override {
    strokes.push_back({from, to, heavy});
  }
  void HingeCircle(PicturePoint centre, double radius) override {
    circles.push_back({centre, {centre.x + radius, centre.y}, false});  // centre, a point on it
  }
  std::vector<Drawn> strokes, circles;
};

SupportSymbolSize Scaled(SupportSymbolSize s, double k) {
  for (double* d : {&s.legHalf, &s.legDepth, &s.baseHalf, &s.rollerTopHalf, &s.rollerGap,
                    &s.rollerGroundHalf, &s.hingeRadius, &s.groundHatchDepth, &s.clampHalf,
                    &s.hatchFirst, &s.hatchStep, &s.hatchLean, &s.clampHatchDepth}) {
    *d *= k;
  }
  return s;
}

TEST(PortalGeometry, KinkedBeamRollsAtBTheFixedFrameIsClampedOnBothSides) {
  EXPECT_EQ(SupportOf(SystemType::KinkedBeam, Side::Left), Support::Pinned);
  EXPECT_EQ(SupportOf(SystemType::KinkedBeam, Side::Right), Support::Roller);
  for (const Side side : kSides) {
    EXPECT_EQ(SupportOf(SystemType::TwoHingedFrame, side), Support::Pinned);
    EXPECT_EQ(SupportOf(SystemType::FixedFrame, side), Support::Fixed);
  }
}

TEST(PortalGeometry, TheSymbolScalesWithThePicturesProportions) {
  constexpr double k = 3;
  const PicturePoint foot{40, 70}, scaledFoot{foot.x * k, foot.y * k};
  for (const SupportSymbolSize* size :
       {&kMainSketchSymbolTwips, &kDrawingSymbolPictureUnits, &kReportSketchSymbolUnits}) {
    for (const Support support : {Support::Pinned, Support::Roller, Support::Fixed}) {
      RecordingPen pen, scaled;
      const double reach = DrawSupportSymbol(support, foot, *size, pen);
      const double scaledReach = DrawSupportSymbol(support, scaledFoot, Scaled(*size, k), scaled);
      EXPECT_NEAR(scaledReach, reach * k, 1e-9);
      ASSERT_EQ(scaled.strokes.size(), pen.strokes.size());
      ASSERT_EQ(scaled.circles.size(), pen.circles.size());
      double deepest = foot.y;
      for (std::size_t i = 0; i < pen.strokes.size(); ++i) {
        const Drawn &a = pen.strokes[i], &b = scaled.strokes[i];
        EXPECT_NEAR(b.from.x, a.from.x * k, 1e-9) << i;
        EXPECT_NEAR(b.from.y, a.from.y * k, 1e-9) << i;
        EXPECT_NEAR(b.to.x, a.to.x * k, 1e-9) << i;
        EXPECT_NEAR(b.to.y, a.to.y * k, 1e-9) << i;
        EXPECT_EQ(b.heavy, a.heavy);
        EXPECT_GE(std::min(a.from.y, a.to.y), foot.y) << "nothing above the foot";
        deepest = std::max({deepest, a.from.y, a.to.y});
      }
      EXPECT_DOUBLE_EQ(reach, deepest - foot.y) << "the reach is the deepest stroke";
    }
  }
}

}  // namespace
}  // namespace strevo
