// The portal's one geometry: which support stands on which side, and one symbol per support
// whose strokes scale with the picture's proportions.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "portal_geometry.h"

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
    circles.push_back({centre, {centre.x + radius, centre.y}, false});
  }
  std::vector<Drawn> strokes, circles;  // a circle as its centre and a point on it
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

// A clamp's ground line is its only heavy stroke and runs through the foot; a hinge's legs meet
// at the foot, where the report's sketch alone draws its circle.
TEST(PortalGeometry, AClampsGroundRunsThroughTheFootAHingesLegsMeetThere) {
  const PicturePoint foot{10, 20};
  RecordingPen clamp, hinge;
  DrawSupportSymbol(Support::Fixed, foot, kReportSketchSymbolUnits, clamp);
  ASSERT_FALSE(clamp.strokes.empty());
  const Drawn& ground = clamp.strokes.back();
  EXPECT_TRUE(ground.heavy);
  EXPECT_EQ(ground.from.y, foot.y);
  EXPECT_LT(ground.from.x, foot.x);
  EXPECT_GT(ground.to.x, foot.x);
  for (std::size_t i = 0; i + 1 < clamp.strokes.size(); ++i) {
    EXPECT_FALSE(clamp.strokes[i].heavy) << i;
  }
  DrawSupportSymbol(Support::Pinned, foot, kReportSketchSymbolUnits, hinge);
  ASSERT_GE(hinge.strokes.size(), 2u);
  EXPECT_EQ(hinge.strokes[0].to, foot);
  EXPECT_EQ(hinge.strokes[1].from, foot);
  ASSERT_EQ(hinge.circles.size(), 1u);
  EXPECT_EQ(hinge.circles[0].from, foot);
  RecordingPen drawing;
  DrawSupportSymbol(Support::Pinned, foot, kDrawingSymbolPictureUnits, drawing);
  EXPECT_TRUE(drawing.circles.empty());
}

}  // namespace
}  // namespace strevo
