// The system drawing into a picture recording: frame, supports, loads and labels.
#include <gtest/gtest.h>

#include "core/analysis/compute_results.h"
#include "core/base/arithmetic_fault.h"
#include "core/drawing/drawings.h"
#include "logged_recording.h"
#include "test_inputs.h"

namespace strevo {
namespace {

using testing::DefaultInputs;
using testing::ExpectLine;
using testing::LoggedRecording;

constexpr float kTolerance = testing::kCanvasTolerance;

struct Drawn {
  LoggedRecording canvas;
  SharedResults results;
};

Drawn Draw(const InputSet& in, std::optional<SystemType> system) {
  Drawn d;
  if (system) {
    ComputeResults(in, system, d.results);
  }
  DrawSystem(in, system, d.results, d.canvas);
  return d;
}

TEST(DrawSystem, DefaultFrameAndBeamLoad) {
  const Drawn d = Draw(DefaultInputs(), SystemType::TwoHingedFrame);
  EXPECT_EQ(d.results.Lmax, 5);
  EXPECT_EQ(d.canvas.refreshes, 1);
  const auto black = d.canvas.Lines(kForegroundColour);
  ASSERT_GE(black.size(), 3u);
  ExpectLine(black[0], 250, 700, 250, 300);
  ExpectLine(black[1], 250, 300, 750, 300);
  ExpectLine(black[2], 750, 700, 750, 300);
  EXPECT_EQ(black[0].width, 2);
  EXPECT_EQ(black[3].width, 1);
  // Two hinge triangles, then the span dimension.
  ASSERT_EQ(black.size(), 3u + 6u + 3u);
  ExpectLine(black[3], 230, 730, 250, 700);
  ExpectLine(black[6], 730, 730, 750, 700);
  ExpectLine(black[9], 230, 900, 770, 900);
  ExpectLine(black[10], 250, 910, 250, 880);
  ExpectLine(black[11], 750, 910, 750, 880);

  const auto boxes = d.canvas.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  ExpectLine(boxes[0], 250, 230, 750, 280);
  EXPECT_EQ(boxes[0].colour, 1);

  const auto& labels = d.canvas.Labels();
  EXPECT_EQ(labels[8].caption, "2.00");
  EXPECT_NEAR(labels[8].top, 180, kTolerance);
  EXPECT_TRUE(labels[8].visible);
  EXPECT_FALSE(labels[7].visible);
  EXPECT_FALSE(labels[9].visible);
  EXPECT_FALSE(labels[10].visible);
  EXPECT_EQ(labels[0].caption, "5.00");
  EXPECT_EQ(labels[3].caption, "AH = 0.58 kN");
  EXPECT_EQ(labels[2].caption, "AV = 5.00 kN");
  EXPECT_EQ(labels[1].caption, "MA = 0.00 kNm");
  EXPECT_EQ(labels[6].caption, "BH = 0.58 kN");
  EXPECT_EQ(labels[5].caption, "BV = 5.00 kN");
  EXPECT_EQ(labels[4].caption, "MB = 0.00 kNm");
  for (int j = 1; j <= 3; ++j) {
    EXPECT_NEAR(labels[j].left, 30, kTolerance);
    EXPECT_NEAR(labels[j + 3].left, 780, kTolerance);
  }
  EXPECT_NEAR(labels[7].left, 70, kTolerance);
  EXPECT_NEAR(labels[9].left, 830, kTolerance);
  EXPECT_NEAR(labels[10].top, 130, kTolerance);
}

TEST(DrawSystem, TheLongerOfHeightAndSpanSpans500Units) {
  InputSet tall = DefaultInputs();
  tall.h = 8;
  tall.L = 4;
  const Drawn t = Draw(tall, SystemType::FixedFrame);
  EXPECT_EQ(t.results.Lmax, 8);
  ExpectLine(t.canvas.Lines(kForegroundColour)[1], 375, 200, 625, 200);

  InputSet square = DefaultInputs();
  square.h = 5;
  const Drawn s = Draw(square, SystemType::FixedFrame);
  EXPECT_EQ(s.results.Lmax, 5);
  ExpectLine(s.canvas.Lines(kForegroundColour)[0], 250, 700, 250, 200);
  ExpectLine(s.canvas.Lines(kForegroundColour)[2], 750, 700, 750, 200);
}

TEST(DrawSystem, LoadThicknessesFollowTheLargestLoad) {
  InputSet in = DefaultInputs();
  in.wD = 1;
  in.wS = 0.5;
  const Drawn d = Draw(in, SystemType::TwoHingedFrame);
  const auto boxes = d.canvas.Boxes();
  ASSERT_EQ(boxes.size(), 3u);
  ExpectLine(boxes[0], 205, 700, 230, 300);     // wD: 25 units, 20 left of the column
  ExpectLine(boxes[1], 250, 230, 750, 280);     // q: 50 units
  ExpectLine(boxes[2], 770, 700, 782.5f, 300);  // wS: 12.5 units
  EXPECT_TRUE(d.canvas.Label(7).visible);
  EXPECT_TRUE(d.canvas.Label(9).visible);
  EXPECT_EQ(d.canvas.Label(7).caption, "1.00");
  EXPECT_EQ(d.canvas.Label(9).caption, "0.50");
}

// Guards against the load reference taken as the plain largest load: wind from the right alone
// (wD -1, q = wS = 0) would divide by 0; now it is drawn 50 units thick on the other side.
TEST(DrawSystem, NegativeLoadAloneIsDrawnWithItsSign) {
  InputSet in = DefaultInputs();
  in.wD = -1;
  in.q = 0;
  const Drawn d = Draw(in, SystemType::KinkedBeam);
  const auto boxes = d.canvas.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  ExpectLine(boxes[0], 280, 700, 230, 300);

  InputSet mixed = DefaultInputs();
  mixed.q = -2;
  mixed.wS = 1;
  const Drawn m = Draw(mixed, SystemType::KinkedBeam);
  ExpectLine(m.canvas.Boxes()[0], 250, 330, 750, 280);  // q: -50 units, below its edge
  ExpectLine(m.canvas.Boxes()[1], 770, 700, 795, 300);  // wS: 25 units
}

TEST(DrawSystem, PointLoadArrow) {
  InputSet in = DefaultInputs();
  in.F = 10;
  const Drawn d = Draw(in, SystemType::TwoHingedFrame);
  const auto arrow = d.canvas.Lines(1);
  ASSERT_EQ(arrow.size(), 3u);
  ExpectLine(arrow[0], 550, 280, 550, 180);
  ExpectLine(arrow[1], 540, 260, 550, 280);
  ExpectLine(arrow[2], 550, 280, 560, 260);
  EXPECT_NEAR(d.canvas.Label(10).left, 550, kTolerance);
  EXPECT_NEAR(d.canvas.Label(10).top, 130, kTolerance);
  EXPECT_EQ(d.canvas.Label(10).caption, "10.00");
  EXPECT_TRUE(d.canvas.Label(10).visible);

  in.a = 7;  // outside the span: nothing limits the arrow
  const Drawn outside = Draw(in, SystemType::TwoHingedFrame);
  EXPECT_NEAR(outside.canvas.Lines(1)[0].x1, 950, kTolerance);
}

TEST(DrawSystem, NoLoadsNoSymbols) {
  InputSet in = DefaultInputs();
  in.q = 0;
  const Drawn d = Draw(in, SystemType::TwoHingedFrame);
  EXPECT_TRUE(d.canvas.Boxes().empty());
  EXPECT_TRUE(d.canvas.Lines(1).empty());
  for (int i = 7; i <= 10; ++i) {
    EXPECT_FALSE(d.canvas.Label(i).visible) << i;
  }
}

TEST(DrawSystem, SupportsAndReactionLabelsPerSystem) {
  const Drawn kinked = Draw(DefaultInputs(), SystemType::KinkedBeam);
  const auto k = kinked.canvas.Lines(kForegroundColour);
  ASSERT_EQ(k.size(), 3u + 7u + 3u);
  ExpectLine(k[9], 730, 740, 770, 740);  // the roller line under B
  EXPECT_FALSE(kinked.canvas.Label(1).visible);
  EXPECT_FALSE(kinked.canvas.Label(4).visible);
  EXPECT_FALSE(kinked.canvas.Label(6).visible);

  const Drawn hinged = Draw(DefaultInputs(), SystemType::TwoHingedFrame);
  EXPECT_FALSE(hinged.canvas.Label(1).visible);
  EXPECT_FALSE(hinged.canvas.Label(4).visible);
  EXPECT_TRUE(hinged.canvas.Label(6).visible);

  const Drawn fixed = Draw(DefaultInputs(), SystemType::FixedFrame);
  const auto f = fixed.canvas.Lines(kForegroundColour);
  ASSERT_EQ(f.size(), 3u + 10u + 3u);
  ExpectLine(f[3], 210, 720, 230, 700);
  ExpectLine(f[7], 210, 700, 290, 700);
  ExpectLine(f[12], 710, 700, 790, 700);
  EXPECT_TRUE(fixed.canvas.Label(1).visible);
  EXPECT_TRUE(fixed.canvas.Label(4).visible);
  EXPECT_TRUE(fixed.canvas.Label(6).visible);
  EXPECT_EQ(fixed.canvas.Label(1).caption, "MA = 1.30 kNm");

  const Drawn none = Draw(DefaultInputs(), std::nullopt);
  EXPECT_EQ(none.canvas.Lines(kForegroundColour).size(), 3u + 3u);
  EXPECT_TRUE(none.canvas.Label(1).visible) << "labels 1, 4, 6 keep their state";
  for (int i : {2, 3, 5}) {
    EXPECT_EQ(std::count(none.canvas.events.begin(), none.canvas.events.end(),
                         "hide " + std::to_string(i)),
              0);
  }
}

TEST(DrawSystem, CaptionsAreSetInTheirOrder) {
  const Drawn d = Draw(DefaultInputs(), SystemType::FixedFrame);
  std::vector<std::string> captions;
  for (const auto& e : d.canvas.events) {
    if (e.rfind("caption", 0) == 0) {
      captions.push_back(e.substr(8));
    }
  }
  EXPECT_EQ(captions,
            (std::vector<std::string>{"0", "3", "2", "1", "6", "5", "4", "7", "8", "9", "10"}));
}

TEST(DrawSystem, ZeroHeightAndSpanFaultAfterLmaxIsStored) {
  InputSet in = DefaultInputs();
  in.h = 0;
  in.L = 0;
  LoggedRecording canvas;
  SharedResults results;
  results.Lmax = 5;
  EXPECT_THROW(DrawSystem(in, SystemType::TwoHingedFrame, results, canvas), ArithmeticFault);
  EXPECT_EQ(results.Lmax, 0);
  EXPECT_EQ(canvas.refreshes, 1);
  EXPECT_TRUE(canvas.Strokes().empty());
  EXPECT_EQ(canvas.Label(0).caption, "Label3") << "no label update after the fault";
}

}  // namespace
}  // namespace strevo
