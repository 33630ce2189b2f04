// The moment, shear-force and normal-force diagrams into a picture recording.
#include <algorithm>
#include <cmath>

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
constexpr int kMoment = 12, kShear = 2, kNormal = 8;

// Computes and draws the system as "&Schnittgrößen" does, then starts a fresh recording.
struct Session {
  explicit Session(const InputSet& inputs, SystemType system) : in(inputs) {
    ComputeResults(in, system, results);
    LoggedRecording systemCanvas;
    DrawSystem(in, system, results, systemCanvas);
  }
  InputSet in;
  SharedResults results;
  LoggedRecording canvas;
};

// The moment diagram's lines by member: 12 on each column, 12 or 13 on the beam.
struct MomentLines {
  std::vector<RecordedStroke> left, beam, right;
};

MomentLines SplitMoment(const std::vector<RecordedStroke>& lines) {
  MomentLines m;
  m.left.assign(lines.begin(), lines.begin() + 12);
  m.right.assign(lines.end() - 12, lines.end());
  m.beam.assign(lines.begin() + 12, lines.end() - 12);
  return m;
}

TEST(MomentDiagram, TwoHingedDefaultsByHand) {
  Session s(DefaultInputs(), SystemType::TwoHingedFrame);
  ASSERT_EQ(DrawMomentDiagram(s.in, s.results, s.canvas), DiagramOutcome::Drawn);
  const auto lines = s.canvas.Lines(kMoment);
  ASSERT_EQ(lines.size(), 36u);
  EXPECT_EQ(lines[0].width, 2);
  // Mmax = |M3| = 3.9352 (q L^2/8 less the thrust moment); c = 100 / Mmax.
  const double AH = 2.0 * 25 / (5.4 * 16), M1 = -AH * 4, M3 = 6.25 + M1;
  const double c = 100 / M3;
  const MomentLines m = SplitMoment(lines);
  ExpectLine(m.left[0], 250, 700, 250, 700, "hinged foot: closing line of length zero");
  ExpectLine(m.left[1], 250, 700, 250 - AH * 0.4 * c, 660);
  ExpectLine(m.left[11], 250 + M1 * c, 300, 250, 300, "corner closing line");
  ExpectLine(m.beam[0], 250, 300, 250, 300 + M1 * c);
  // The beam's middle station: M(L/2) = M1 + q L^2 / 8 = M3.
  ExpectLine(m.beam[5], 450, 300 + (M1 + 2 * 2 * 2.5 - 4) * c, 500, 300 + M3 * c);
  ExpectLine(m.beam[11], 750, 300, 750, 300 + M1 * c, "right end from the stored M4");
  ExpectLine(m.right[0], 750, 300, 750 - M1 * c, 300);
  ExpectLine(m.right[11], 750, 700, 750, 700, "hinged foot B");

  const auto& labels = s.canvas.Labels();
  EXPECT_EQ(labels[13].caption, "3.94");
  EXPECT_NEAR(labels[13].left, 480, kTolerance);
  EXPECT_NEAR(labels[13].top, 320, kTolerance);
  EXPECT_EQ(labels[11].caption, "-2.31");
  EXPECT_NEAR(labels[11].left, 70, kTolerance);
  EXPECT_NEAR(labels[11].top, 280, kTolerance);
  EXPECT_NEAR(labels[12].left, 230, kTolerance);
  EXPECT_NEAR(labels[12].top, 180, kTolerance);
  EXPECT_NEAR(labels[14].left, 730, kTolerance);
  EXPECT_NEAR(labels[15].left, 870, kTolerance);
  EXPECT_NEAR(labels[15].top, 280, kTolerance);
  for (int i = 11; i <= 15; ++i) {
    EXPECT_TRUE(labels[i].visible) << i;
  }
  const std::vector<std::string> order(s.canvas.events.begin(), s.canvas.events.begin() + 6);
  EXPECT_EQ(order, (std::vector<std::string>{"caption 13", "show 11", "show 12", "show 13",
                                             "show 14", "show 15"}));
}

// Catches sign errors in the stepping: every member's polygon must end on the stored end value.
TEST(MomentDiagram, PolygonsCloseOnTheStoredEndValues) {
  InputSet in = DefaultInputs();
  in.wD = 1.5;
  in.wS = -0.7;
  in.F = 6;
  in.a = 1.7;
  for (auto system : {SystemType::KinkedBeam, SystemType::TwoHingedFrame, SystemType::FixedFrame}) {
    Session s(in, system);
    DrawMomentDiagram(s.in, s.results, s.canvas);
    const auto lines = s.canvas.Lines(kMoment);
    ASSERT_EQ(lines.size(), 37u);
    const SharedResults& r = s.results;
    const double c = 100 / std::max({std::abs(r.M1), std::abs(r.M3), std::abs(r.M4), std::abs(r.MA),
                                     std::abs(r.MB)});
    const MomentLines m = SplitMoment(lines);
    EXPECT_NEAR(m.left[10].x2, 250 + r.M1 * c, kTolerance) << "left column top";
    EXPECT_NEAR(m.beam[11].y2, 300 + r.M4 * c, kTolerance) << "beam right end";
    EXPECT_NEAR(m.beam[12].y2, 300 + r.M4 * c, kTolerance);
    EXPECT_NEAR(m.right[10].x2, 750 - r.MB * c, kTolerance) << "right column foot";
    EXPECT_NEAR(m.left[0].x2 - m.left[0].x1, r.MA * c, kTolerance) << "left foot closing line";
  }
}

TEST(MomentDiagram, PointLoadInsertion) {
  InputSet in = DefaultInputs();
  in.F = 10;
  in.a = 2.5;  // on station 5: inserted at step 5, then a chord of length zero
  Session onStation(in, SystemType::FixedFrame);
  DrawMomentDiagram(onStation.in, onStation.results, onStation.canvas);
  const MomentLines m = SplitMoment(onStation.canvas.Lines(kMoment));
  ASSERT_EQ(m.beam.size(), 13u);
  EXPECT_NEAR(m.beam[5].x2, 500, kTolerance);  // the load chord ends at a
  EXPECT_NEAR(m.beam[6].x1, m.beam[6].x2, kTolerance);
  EXPECT_NEAR(m.beam[6].y1, m.beam[6].y2, kTolerance);
  EXPECT_NEAR(m.beam[4].x2, 450, kTolerance) << "step 4 is ordinary";

  in.a = 6;  // beyond the span: never inserted
  Session beyond(in, SystemType::FixedFrame);
  DrawMomentDiagram(beyond.in, beyond.results, beyond.canvas);
  EXPECT_EQ(beyond.canvas.Lines(kMoment).size(), 36u);

  in.a = 0;  // at the left end: inserted in step 1 with a chord of length zero
  Session atStart(in, SystemType::FixedFrame);
  DrawMomentDiagram(atStart.in, atStart.results, atStart.canvas);
  const MomentLines z = SplitMoment(atStart.canvas.Lines(kMoment));
  ASSERT_EQ(z.beam.size(), 13u);
  ExpectLine(z.beam[1], z.beam[0].x2, z.beam[0].y2, z.beam[0].x2, z.beam[0].y2, "zero chord");

  in.a = -1;  // left of the beam: inserted in step 1, the chord runs back outside the beam
  Session before(in, SystemType::FixedFrame);
  DrawMomentDiagram(before.in, before.results, before.canvas);
  const MomentLines b = SplitMoment(before.canvas.Lines(kMoment));
  ASSERT_EQ(b.beam.size(), 13u);
  EXPECT_NEAR(b.beam[1].x1, 250, kTolerance);
  EXPECT_NEAR(b.beam[1].x2, 150, kTolerance);
  EXPECT_NEAR(b.beam[2].x1, 150, kTolerance);
  EXPECT_NEAR(b.beam[2].x2, 300, kTolerance);
}

TEST(MomentDiagram, NoPointLoadGivesTenBeamChords) {
  Session s(DefaultInputs(), SystemType::KinkedBeam);
  DrawMomentDiagram(s.in, s.results, s.canvas);
  EXPECT_EQ(SplitMoment(s.canvas.Lines(kMoment)).beam.size(), 12u);
}

TEST(MomentDiagram, ChangedInputsUseNewGeometryWithOldEndValues) {
  Session s(DefaultInputs(), SystemType::TwoHingedFrame);
  s.in.h = 2;  // typed after the computation
  DrawMomentDiagram(s.in, s.results, s.canvas);
  const MomentLines m = SplitMoment(s.canvas.Lines(kMoment));
  EXPECT_NEAR(m.left[10].y2, 700 - 2 * 100, kTolerance);
  const double c = 100 / std::abs(s.results.M3);
  EXPECT_NEAR(m.beam[0].y1, 500, kTolerance);
  EXPECT_NEAR(m.beam[0].y2, 500 + s.results.M1 * c, kTolerance);
  EXPECT_GT(std::abs(m.left[10].x2 - (250 + s.results.M1 * c)), 1)
      << "the polygon need not meet the stored corner value";
}

TEST(MomentDiagram, DrawnTwiceDrawsTwice) {
  Session s(DefaultInputs(), SystemType::FixedFrame);
  DrawMomentDiagram(s.in, s.results, s.canvas);
  const auto labelsAfterFirst = s.canvas.Labels();
  DrawMomentDiagram(s.in, s.results, s.canvas);
  EXPECT_EQ(s.canvas.Lines(kMoment).size(), 72u);
  for (int i = 11; i <= 15; ++i) {
    EXPECT_EQ(s.canvas.Label(i).caption, labelsAfterFirst[i].caption);
  }
}

TEST(Diagrams, UndefinedScalesDrawNothing) {
  LoggedRecording canvas;
  SharedResults computedOnly;
  ComputeResults(DefaultInputs(), SystemType::FixedFrame, computedOnly);
  EXPECT_EQ(DrawMomentDiagram(DefaultInputs(), computedOnly, canvas),
            DiagramOutcome::NoSystemDrawing);
  EXPECT_EQ(DrawShearDiagram(DefaultInputs(), computedOnly, canvas),
            DiagramOutcome::NoSystemDrawing);
  EXPECT_EQ(DrawNormalForceDiagram(DefaultInputs(), computedOnly, canvas),
            DiagramOutcome::NoSystemDrawing);

  InputSet unloaded = DefaultInputs();
  unloaded.q = 0;
  Session s(unloaded, SystemType::FixedFrame);
  EXPECT_EQ(DrawMomentDiagram(s.in, s.results, s.canvas), DiagramOutcome::NothingToDraw);
  EXPECT_EQ(DrawShearDiagram(s.in, s.results, s.canvas), DiagramOutcome::NothingToDraw);
  EXPECT_EQ(DrawNormalForceDiagram(s.in, s.results, s.canvas), DiagramOutcome::NothingToDraw);
  EXPECT_TRUE(canvas.Strokes().empty() && s.canvas.Strokes().empty());
  EXPECT_TRUE(canvas.events.empty() && s.canvas.events.empty());
  EXPECT_EQ(canvas.scaleCalls + s.canvas.scaleCalls, 0);
}

TEST(Diagrams, AFaultKeepsWhatWasDrawn) {
  Session s(DefaultInputs(), SystemType::FixedFrame);
  s.in.wD = 1e300;  // typed after the computation: the column's moment line overflows
  EXPECT_THROW(DrawMomentDiagram(s.in, s.results, s.canvas), ArithmeticFault);
  EXPECT_EQ(s.canvas.Lines(kMoment).size(), 1u);
  EXPECT_FALSE(std::any_of(s.canvas.events.begin(), s.canvas.events.end(),
                           [](const std::string& e) { return e.rfind("show", 0) == 0; }));
}

TEST(ShearDiagram, TwoHingedDefaultsByHand) {
  Session s(DefaultInputs(), SystemType::TwoHingedFrame);
  ASSERT_EQ(DrawShearDiagram(s.in, s.results, s.canvas), DiagramOutcome::Drawn);
  const auto lines = s.canvas.Lines(kShear);
  ASSERT_EQ(lines.size(), 9u);
  const double AH = 50 / 86.4, c = 100 / 5.0;  // Qmax = |Q2| = |Q4| = 5
  ExpectLine(lines[0], 250, 700, 250 - AH * c, 700);
  ExpectLine(lines[1], 250 - AH * c, 700, 250 - AH * c, 300);  // Q1 = -AH
  ExpectLine(lines[2], 250 - AH * c, 300, 250, 300);
  ExpectLine(lines[3], 250, 300, 250, 400);
  ExpectLine(lines[4], 250, 400, 750, 200);
  ExpectLine(lines[5], 750, 300, 750, 200);
  ExpectLine(lines[6], 750, 700, 750 - AH * c, 700);
  ExpectLine(lines[7], 750 - AH * c, 700, 750 - AH * c, 300);  // Q5 = AH
  ExpectLine(lines[8], 750 - AH * c, 300, 750, 300);
  const auto& labels = s.canvas.Labels();
  EXPECT_EQ(labels[16].caption, "-0.58");
  EXPECT_EQ(labels[17].caption, "5.00");
  EXPECT_EQ(labels[18].caption, "-5.00");
  EXPECT_EQ(labels[19].caption, "0.58");
  EXPECT_NEAR(labels[16].left, 70, kTolerance);
  EXPECT_NEAR(labels[18].top, 180, kTolerance);
  for (int i = 16; i <= 19; ++i) {
    EXPECT_TRUE(labels[i].visible);
  }
}

TEST(ShearDiagram, PointLoadStep) {
  InputSet in = DefaultInputs();
  in.F = 10;
  Session s(in, SystemType::KinkedBeam);
  DrawShearDiagram(s.in, s.results, s.canvas);
  const auto lines = s.canvas.Lines(kShear);
  ASSERT_EQ(lines.size(), 11u);
  const double c = 100 / 11.0;  // Qmax = |Q4| = BV = 11
  ExpectLine(lines[4], 250, 300 + 9 * c, 550, 300 + 3 * c);
  ExpectLine(lines[5], 550, 300 + 3 * c, 550, 300 - 7 * c, "the step by F at X(a)");
  ExpectLine(lines[6], 550, 300 - 7 * c, 750, 300 - 11 * c);
  ExpectLine(lines[8], 750, 700, 750, 700, "kinked beam: BH = 0, closing line of length zero");

  s.in.a = 7;
  LoggedRecording outside;
  DrawShearDiagram(s.in, s.results, outside);
  EXPECT_NEAR(outside.Lines(kShear)[5].x1, 950, kTolerance) << "step outside the span";
  EXPECT_NEAR(outside.Lines(kShear)[6].x2, 750, kTolerance);

  in.a = 0;  // on the corner: the beam starts at Q2 = AV and steps down by F there
  Session corner(in, SystemType::KinkedBeam);
  DrawShearDiagram(corner.in, corner.results, corner.canvas);
  const auto atCorner = corner.canvas.Lines(kShear);
  const double Q2 = corner.results.Q2, cc = 100 / Q2;  // Qmax = Q2 = AV = 15
  ExpectLine(atCorner[3], 250, 300, 250, 300 + Q2 * cc, "the beam's start at Q2");
  ExpectLine(atCorner[5], 250, 300 + Q2 * cc, 250, 300 + (Q2 - 10) * cc, "the step by F at a = 0");
}

TEST(NormalForceDiagram, FixedDefaultsByHand) {
  Session s(DefaultInputs(), SystemType::FixedFrame);
  ASSERT_EQ(DrawNormalForceDiagram(s.in, s.results, s.canvas), DiagramOutcome::Drawn);
  const auto lines = s.canvas.Lines(kNormal);
  ASSERT_EQ(lines.size(), 9u);
  const SharedResults& r = s.results;
  const double c = 100 / 5.0;  // Nmax = AV = BV = 5
  ExpectLine(lines[0], 250, 700, 150, 700);
  ExpectLine(lines[1], 150, 700, 150, 300, "N1 = -AV: parallel to the column, outside");
  ExpectLine(lines[3], 250, 300, 250, 300 + r.N2 * c);
  ExpectLine(lines[4], 250, 300 + r.N2 * c, 750, 300 + r.N4 * c);
  ExpectLine(lines[6], 750, 700, 850, 700, "right foot to xR + BV c");
  ExpectLine(lines[7], 850, 700, 850, 300);
  ExpectLine(lines[8], 850, 300, 750, 300);
  EXPECT_EQ(s.canvas.Label(20).caption, "-5.00");
  EXPECT_EQ(s.canvas.Label(21).caption, "-0.98");
  EXPECT_EQ(s.canvas.Label(23).caption, "-5.00");
  EXPECT_NEAR(s.canvas.Label(23).left, 870, kTolerance);

  InputSet pointLoad = DefaultInputs();
  pointLoad.F = 3;
  Session p(pointLoad, SystemType::KinkedBeam);
  DrawNormalForceDiagram(p.in, p.results, p.canvas);
  EXPECT_EQ(p.canvas.Lines(kNormal).size(), 9u) << "always 9 lines";
}

}  // namespace
}  // namespace strevo
