// The pictures of a design: a combination's diagrams and the envelope, drawn from the lines in
// the results window's style, into a picture recording.
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/analysis/compute_results.h"
#include "core/base/arithmetic_fault.h"
#include "core/base/text_rules.h"
#include "core/design/design_pictures.h"
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

std::vector<RecordedStroke> LinesOf(const PictureRecording& picture, int colour) {
  std::vector<RecordedStroke> lines;
  for (const RecordedStroke& stroke : picture.Strokes()) {
    if (stroke.colour == colour && !stroke.box) {
      lines.push_back(stroke);
    }
  }
  return lines;
}

// A result of one ultimate combination: these loads at factor 1.
DesignResult OneCombination(const InputSet& in, SystemType system) {
  DesignResult result;
  result.portal = PortalOf(in, system);
  CombinationResult c;
  c.combination = {"GZT 3", LimitState::Ultimate, "1,35·G + 1,5·S + 0,9·W→", {{0, false, 1.0}}};
  c.solution = Solve(result.portal, LoadCaseOf(in), &c.values);
  result.combinations.push_back(c);
  return result;
}

// The members' polygons as drawn: each from its axis over its stations back to the axis.
struct Polygons {
  std::vector<RecordedStroke> left, beam, right;
};

Polygons Split(const std::vector<RecordedStroke>& lines, std::size_t beamLines) {
  Polygons p;
  const std::size_t column = (lines.size() - beamLines) / 2;
  p.left.assign(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(column));
  p.beam.assign(lines.begin() + static_cast<std::ptrdiff_t>(column),
                lines.end() - static_cast<std::ptrdiff_t>(column));
  p.right.assign(lines.end() - static_cast<std::ptrdiff_t>(column), lines.end());
  return p;
}

bool HasVertex(const std::vector<RecordedStroke>& lines, float x, float y) {
  return std::any_of(lines.begin(), lines.end(), [&](const RecordedStroke& l) {
    return (std::abs(l.x1 - x) < kTolerance && std::abs(l.y1 - y) < kTolerance) ||
           (std::abs(l.x2 - x) < kTolerance && std::abs(l.y2 - y) < kTolerance);
  });
}

TEST(DesignPictureCombination, OneCaseAtFactorOneHasEveryPointOfTheResultsWindowsDiagram) {
  InputSet in = DefaultInputs();
  in.F = 6;
  in.a = 1.7;
  for (auto system : {SystemType::KinkedBeam, SystemType::TwoHingedFrame, SystemType::FixedFrame}) {
    SCOPED_TRACE(testing::SystemName(system));
    SharedResults r;
    ComputeResults(in, system, r);
    LoggedRecording window;
    DrawSystem(in, system, r, window);
    LoggedRecording diagram;
    ASSERT_EQ(DrawMomentDiagram(in, r, diagram), DiagramOutcome::Drawn);

    const ReportPicture p = CombinationPicture(OneCombination(in, system), 0, ForceKind::Moment);
    EXPECT_EQ(p.note, "");
    const auto mine = LinesOf(p.picture, kMoment);
    // 20 chords a member and the point load's station on the beam, each closed to the axis.
    ASSERT_EQ(mine.size(), 22u + 23u + 22u);
    EXPECT_EQ(mine[0].width, 2);
    for (const RecordedStroke& l : diagram.Lines(kMoment)) {
      EXPECT_TRUE(HasVertex(mine, l.x1, l.y1)) << l.x1 << ", " << l.y1;
      EXPECT_TRUE(HasVertex(mine, l.x2, l.y2)) << l.x2 << ", " << l.y2;
    }
    for (int i = kLabelM1; i <= kLabelM5; ++i) {
      EXPECT_EQ(p.picture.Label(i).caption, diagram.Label(i).caption) << i;
      EXPECT_NEAR(p.picture.Label(i).left, diagram.Label(i).left, kTolerance) << i;
      EXPECT_NEAR(p.picture.Label(i).top, diagram.Label(i).top, kTolerance) << i;
      EXPECT_TRUE(p.picture.Label(i).visible) << i;
    }
    for (int i = kLabelMA; i <= kLabelBH; ++i) {
      EXPECT_EQ(p.picture.Label(i).caption, window.Label(i).caption) << "reaction " << i;
      EXPECT_EQ(p.picture.Label(i).visible, window.Label(i).visible) << "reaction " << i;
    }
    for (int i = kLabelWD; i <= kLabelF; ++i) {
      EXPECT_FALSE(p.picture.Label(i).visible) << "a combination's loads are not drawn";
    }
    for (int i = kLabelQ1; i <= kLabelN5; ++i) {
      EXPECT_FALSE(p.picture.Label(i).visible) << i;
    }
    EXPECT_TRUE(std::none_of(p.picture.Strokes().begin(), p.picture.Strokes().end(),
                             [](const RecordedStroke& s) { return s.box; }))
        << "no load bands";
  }
}

TEST(DesignPictureCombination, MomentStationsLieOnTheParabolaAtTheFramesScale) {
  const InputSet in = DefaultInputs();  // q = 2 on L = 5, h = 4: xL 250, xR 750, yB 300
  const ReportPicture p =
      CombinationPicture(OneCombination(in, SystemType::TwoHingedFrame), 0, ForceKind::Moment);
  const Polygons m = Split(LinesOf(p.picture, kMoment), 22);
  ASSERT_EQ(m.left.size(), 22u);
  const double AH = 2.0 * 25 / (5.4 * 16), M1 = -AH * 4, M3 = 6.25 + M1, c = 100 / M3;
  for (int i = 0; i <= 20; ++i) {
    const double s = 5.0 * i / 20;
    EXPECT_NEAR(m.beam[i].x2, 250 + 100 * s, kTolerance) << i;
    EXPECT_NEAR(m.beam[i].y2, 300 + (M1 + 2 * s * (5 - s) / 2) * c, kTolerance) << i;
    const double y = 4.0 * i / 20;
    EXPECT_NEAR(m.left[i].x2, 250 - AH * y * c, kTolerance) << i;
    EXPECT_NEAR(m.left[i].y2, 700 - 100 * y, kTolerance) << i;
    EXPECT_NEAR(m.right[i].x2, 750 + AH * (4 - y) * c, kTolerance) << i;
  }
  ExpectLine(m.beam[21], 750, 300 + M1 * c, 750, 300, "closed at the right end");
  ExpectLine(m.right[21], 750, 700, 750, 700, "hinged foot B: a closing line of length zero");
}

TEST(DesignPictureCombination, ShearStepsByThePointLoad) {
  InputSet in = DefaultInputs();
  in.F = 10;  // at a = 3: AV = 5 + 10 · 2/5 = 9, BV = 5 + 10 · 3/5 = 11
  ReportPicture p =
      CombinationPicture(OneCombination(in, SystemType::KinkedBeam), 0, ForceKind::Shear);
  const double c = 100 / 11.0;
  Polygons q = Split(LinesOf(p.picture, kShear), 23);  // 21 stations, a twice, two closings
  ASSERT_EQ(q.beam.size(), 23u);
  ExpectLine(q.beam[0], 250, 300, 250, 300 + 9 * c);
  int steps = 0;
  for (std::size_t i = 1; i + 1 < q.beam.size(); ++i) {
    const RecordedStroke& l = q.beam[i];
    const double s = (l.x2 - 250) / 100;
    const double Q = s < 3 || (s == 3 && l.y2 > 300) ? 9 - 2 * s : -7 - 2 * (s - 3);
    EXPECT_NEAR(l.y2, 300 + Q * c, kTolerance) << "at s = " << s;
    if (l.x1 == l.x2) {
      ++steps;
      ExpectLine(l, 550, 300 + 3 * c, 550, 300 - 7 * c, "the step by F under the load");
    }
  }
  EXPECT_EQ(steps, 1);
  ExpectLine(q.beam.back(), 750, 300 - 11 * c, 750, 300);
  EXPECT_EQ(p.picture.Label(kLabelQ2).caption, "9.00");
  EXPECT_EQ(p.picture.Label(kLabelQ4).caption, "-11.00");

  in.a = 0;  // on the corner: the beam starts at Q2 = AV = 15 and steps down by F there
  p = CombinationPicture(OneCombination(in, SystemType::KinkedBeam), 0, ForceKind::Shear);
  const double cc = 100 / 15.0;
  q = Split(LinesOf(p.picture, kShear), 23);
  ExpectLine(q.beam[0], 250, 300, 250, 300 + 15 * cc, "the beam's start at Q2");
  ExpectLine(q.beam[1], 250, 300 + 15 * cc, 250, 300 + 5 * cc, "the step by F at a = 0");
  ExpectLine(q.beam[2], 250, 300 + 5 * cc, 275, 300 + 4.5 * cc);
  EXPECT_EQ(p.picture.Label(kLabelQ2).caption, "15.00");
}

TEST(DesignPictureCombination, NothingToDrawIsStatedOverThePortal) {
  InputSet in = DefaultInputs();
  in.q = 0;
  const DesignResult result = OneCombination(in, SystemType::FixedFrame);
  const char* what[] = {"Momente", "Querkräfte", "Normalkräfte"};
  const int colours[] = {kMoment, kShear, kNormal};
  const ForceKind kinds[] = {ForceKind::Moment, ForceKind::Shear, ForceKind::Normal};
  for (int k = 0; k < 3; ++k) {
    const ReportPicture p = CombinationPicture(result, 0, kinds[k]);
    EXPECT_EQ(p.title, std::string(what[k]) + " GZT 3: 1,35·G + 1,5·S + 0,9·W→");
    EXPECT_EQ(p.note, NothingToDrawNote(what[k]));
    EXPECT_TRUE(LinesOf(p.picture, colours[k]).empty()) << what[k];
    EXPECT_GE(LinesOf(p.picture, kForegroundColour).size(), 3u) << "the portal stays";
    for (int i = kLabelM1; i < kValueLabelCount; ++i) {
      EXPECT_FALSE(p.picture.Label(i).visible) << what[k] << " " << i;
    }
  }
}

TEST(DesignPictureCombination, FaultsAndRange) {
  DesignResult result = OneCombination(DefaultInputs(), SystemType::TwoHingedFrame);
  EXPECT_THROW(CombinationPicture(result, 1, ForceKind::Moment), std::out_of_range);

  PortalLines& lines = result.combinations[0].solution.lines;
  lines = Superposed(lines, 1e308, lines, 1e308);  // lines beyond the double range
  for (auto kind : {ForceKind::Moment, ForceKind::Shear}) {
    EXPECT_THROW(CombinationPicture(result, 0, kind), ArithmeticFault);
  }

  InputSet tiny = DefaultInputs();
  tiny.q = 1e-310;  // its scale 100 / Mmax overflows
  EXPECT_THROW(
      CombinationPicture(OneCombination(tiny, SystemType::TwoHingedFrame), 0, ForceKind::Moment),
      ArithmeticFault);
}

// An envelope by hand on the defaults' portal (h = 4, L = 5): the corners hog between -2 and
// -8, the field sags between 1 and 6, the hinged feet carry nothing.
DesignResult HandEnvelope() {
  DesignResult result = OneCombination(DefaultInputs(), SystemType::TwoHingedFrame);
  auto& e = result.envelope;
  e[0].M = {{{0, 0, 0, 0, 0}, {4, -2, -8, 0, 0}}, {-2, 4, 0}, {-8, 4, 0}};
  e[1].M = {{{0, -2, -8, 0, 0}, {2.5, 6, 1, 0, 0}, {5, -2, -8, 0, 0}}, {6, 2.5, 0}, {-8, 0, 0}};
  e[2].M = {{{0, -2, -8, 0, 0}, {4, 0, 0, 0, 0}}, {0, 4, 0}, {-8, 0, 0}};
  return result;
}

TEST(DesignPictureEnvelope, BothLinesAtTheScaleOfTheLargerExtreme) {
  const ReportPicture p = EnvelopePicture(HandEnvelope(), ForceKind::Moment);
  EXPECT_EQ(p.title, "Umhüllende der Momente (GZT)");
  EXPECT_EQ(p.note, "");
  const double c = 100 / 8.0;
  const auto upper = LinesOf(p.picture, kEnvelopeMaxColour);
  const auto lower = LinesOf(p.picture, kEnvelopeMinColour);
  ASSERT_EQ(upper.size(), 3u + 4u + 3u);
  ASSERT_EQ(lower.size(), upper.size());
  ExpectLine(upper[1], 250, 700, 250 - 2 * c, 300, "left column's max");
  ExpectLine(lower[1], 250, 700, 250 - 8 * c, 300, "left column's min");
  ExpectLine(upper[4], 250 - 0, 300 - 2 * c, 500, 300 + 6 * c, "beam's max");
  ExpectLine(lower[4], 250, 300 - 8 * c, 500, 300 + 1 * c, "beam's min");
  ExpectLine(lower[8], 850, 300, 750, 700, "right column's min, drawn outward");

  // -8 at both corners (once each, though column and beam both reach it), then 6 in the field.
  const auto& labels = p.picture.Labels();
  EXPECT_EQ(labels[11].caption, "-8.00");
  EXPECT_NEAR(labels[11].left, 150 - 10 - 5 * 17, kTolerance) << "left of the left column's line";
  EXPECT_NEAR(labels[11].top, 300 - 18, kTolerance);
  EXPECT_EQ(labels[12].caption, "-8.00");
  EXPECT_NEAR(labels[12].left, 850 + 10, kTolerance) << "right of the right column's line";
  EXPECT_EQ(labels[13].caption, "6.00");
  EXPECT_NEAR(labels[13].left, 500 - 2 * 17, kTolerance) << "centred under the field's peak";
  EXPECT_NEAR(labels[13].top, 375 + 5, kTolerance);
  for (int i = 11; i <= 13; ++i) {
    EXPECT_TRUE(labels[i].visible) << i;
  }
  for (int i = 14; i < kValueLabelCount; ++i) {
    EXPECT_FALSE(labels[i].visible) << i;
  }
  for (int i = kLabelMA; i <= kLabelBH; ++i) {
    EXPECT_FALSE(labels[i].visible) << "an envelope has no one reaction: " << i;
  }
  EXPECT_TRUE(labels[kLabelL].visible);
}

TEST(DesignPictureEnvelope, AJumpIsAStepInBothLinesAndLabelsAreCapped) {
  DesignResult result = HandEnvelope();
  // The beam's shear, jumping at 3 m; the columns' shear of either sign.
  result.envelope[1].Q = {
      {{0, 9, 4, 0, 0}, {3, 3, 1, 0, 0}, {3, -7, -9, 0, 0}, {5, -11, -13, 0, 0}},
      {9, 0, 0},
      {-13, 5, 0}};
  result.envelope[0].Q = {{{0, 2, -1, 0, 0}, {4, 2, -1, 0, 0}}, {2, 0, 0}, {-1, 0, 0}};
  result.envelope[2].Q = {{{0, 1, -2, 0, 0}, {4, 1, -2, 0, 0}}, {1, 0, 0}, {-2, 0, 0}};
  const ReportPicture p = EnvelopePicture(result, ForceKind::Shear);
  EXPECT_EQ(p.title, "Umhüllende der Querkräfte (GZT)");
  const double c = 100 / 13.0;
  const auto upper = LinesOf(p.picture, kEnvelopeMaxColour);
  const auto lower = LinesOf(p.picture, kEnvelopeMinColour);
  ASSERT_EQ(upper.size(), 3u + 5u + 3u);
  ExpectLine(upper[5], 550, 300 + 3 * c, 550, 300 - 7 * c, "the max line's step");
  ExpectLine(lower[5], 550, 300 + 1 * c, 550, 300 - 9 * c, "the min line's step");
  // Six extremes, four labels: the largest four by size.
  const auto& labels = p.picture.Labels();
  EXPECT_EQ(labels[16].caption, "-13.00");
  EXPECT_EQ(labels[17].caption, "9.00");
  EXPECT_EQ(labels[18].caption, "2.00");
  EXPECT_EQ(labels[19].caption, "-2.00");
  EXPECT_NEAR(labels[16].top, 300 - 13 * c - 40, kTolerance) << "above a line drawn above";
  EXPECT_NEAR(labels[18].left, 250 + 2 * c + 10, kTolerance);
  EXPECT_NEAR(labels[19].left, 750 + 2 * c + 10, kTolerance);
  for (int i = 11; i <= 15; ++i) {
    EXPECT_FALSE(labels[i].visible) << i;
  }
}

TEST(DesignPictureEnvelope, NothingToDraw) {
  DesignResult result = HandEnvelope();
  EXPECT_EQ(EnvelopePicture(result, ForceKind::Normal).note,
            "Es gibt nichts zu zeichnen: keine Kombination im Grenzzustand der Tragfähigkeit.");
  for (auto& member : result.envelope) {
    member.N = {{{0, 0, 0, 0, 0}, {1, 0, 0, 0, 0}}, {0, 0, 0}, {0, 0, 0}};
  }
  const ReportPicture p = EnvelopePicture(result, ForceKind::Normal);
  EXPECT_EQ(p.note, NothingToDrawNote("Normalkräfte"));
  EXPECT_TRUE(LinesOf(p.picture, kEnvelopeMaxColour).empty());
  EXPECT_TRUE(LinesOf(p.picture, kEnvelopeMinColour).empty());
  EXPECT_FALSE(LinesOf(p.picture, kForegroundColour).empty());

  result.envelope[1].N.stations[1].min = 1e308;
  result.envelope[1].N.stations[1].max = HUGE_VAL;
  EXPECT_THROW(EnvelopePicture(result, ForceKind::Normal), ArithmeticFault);
}

// The design file's example: G, S, W and a category E point load on a two-hinged frame with
// sections, so the self-weight is on.
Design HalleNord() {
  Design d;
  d.system = SystemType::TwoHingedFrame;
  d.h = 6;
  d.L = 15;
  d.columns.section = "HE 300 A";
  d.beam.section = "IPE 450";
  d.loadCases = {{"Dach", Action::Permanent, 'A', false, {4, 0, 0, 0, 0}},
                 {"Schnee", Action::Snow, 'A', false, {8, 0, 0, 0, 0}},
                 {"Wind", Action::Wind, 'A', false, {-1.2, 0, 0, 3, 1.5}},
                 {"Lager", Action::Imposed, 'E', false, {0, 40, 5, 0, 0}}};
  return d;
}

std::vector<double> ShownValues(const PictureRecording& picture, int first, int count) {
  std::vector<double> values;
  for (int i = first; i < first + count; ++i) {
    if (picture.Label(i).visible) {
      values.push_back(std::stod(picture.Label(i).caption));
    }
  }
  return values;
}

TEST(DesignPictureDesign, EveryCombinationIsDrawnAndTheColumnsCarryTheirWeight) {
  const DesignResult result = ComputeDesign(HalleNord());
  ASSERT_GT(result.combinations.size(), 10u);
  const double g = 88.3 * 9.81 / 1000;  // HE 300 A, kN/m
  for (std::size_t i = 0; i < result.combinations.size(); ++i) {
    const CombinationResult& c = result.combinations[i];
    for (auto [kind, what] :
         {std::pair{ForceKind::Moment, "Momente"}, std::pair{ForceKind::Shear, "Querkräfte"},
          std::pair{ForceKind::Normal, "Normalkräfte"}}) {
      const ReportPicture p = CombinationPicture(result, i, kind);
      EXPECT_EQ(p.title, std::string(what) + " " + c.combination.id + ": " + c.combination.label);
      EXPECT_EQ(p.note, "") << p.title;
    }
    // The left column's normal force runs from N1 at the top to -AV at the foot, AV holding
    // the column's weight g h besides.
    const ReportPicture n = CombinationPicture(result, i, ForceKind::Normal);
    const auto left = Split(LinesOf(n.picture, kNormal), 22).left;
    const double foot = left.front().x2 - left.front().x1, top = left.back().x1 - left.back().x2;
    EXPECT_NEAR(foot / top, -c.values.AV / c.values.N1, 1e-4) << c.combination.id;
    const auto self = std::find_if(
        c.combination.factors.begin(), c.combination.factors.end(),
        [&](const CaseFactor& f) { return result.cases[f.loadCase].name == kSelfWeightCaseName; });
    ASSERT_NE(self, c.combination.factors.end());
    EXPECT_NEAR(c.values.AV + c.values.N1, self->factor * g * 6, 0.01) << c.combination.id;
  }
}

// The report draws what the members are checked with. GZT 3 of the example has αcr < 10: its
// second-order beam moments, read back from the drawn polygon, stand to each other as the
// design values do, and they are not the first-order ones.
TEST(DesignPictureDesign, TheDesignForcesAreDrawnWhereTheCombinationHasThem) {
  const DesignResult result = ComputeDesign(HalleNord());
  const auto gzt3 =
      std::find_if(result.combinations.begin(), result.combinations.end(),
                   [](const CombinationResult& c) { return c.combination.id == "GZT 3"; });
  ASSERT_NE(gzt3, result.combinations.end());
  ASSERT_TRUE(gzt3->stability && gzt3->stability->secondOrder);
  const SharedResults& design = gzt3->stability->designValues;
  const auto index = static_cast<std::size_t>(gzt3 - result.combinations.begin());
  const ReportPicture p = DesignForcePicture(result, index, ForceKind::Moment);
  EXPECT_EQ(p.title, "Momente GZT 3");
  EXPECT_EQ(p.picture.Label(kLabelM3).caption, FormatFixed2(design.M3));
  EXPECT_NE(FormatFixed2(design.M3), FormatFixed2(gzt3->values.M3));
  EXPECT_EQ(p.picture.Label(kLabelM1).caption, FormatFixed2(design.M1));
  // Columns: one piece each, 21 stations and the way back; the beam the rest.
  const auto lines = LinesOf(p.picture, kMoment);
  const Polygons members = Split(lines, lines.size() - 2 * 22);
  const float axis = members.beam.front().y1;
  std::vector<float> offsets;
  for (std::size_t i = 0; i + 1 < members.beam.size(); ++i) {
    offsets.push_back(members.beam[i].y2 - axis);
  }
  const float field = *std::max_element(offsets.begin(), offsets.end());
  EXPECT_NEAR(offsets.back() / offsets.front(), design.M4 / design.M2, 1e-4);
  // The field's largest station lies within a chord (0,75 m) of X3: below M3 by at most
  // q·c²/8 ≈ 18,5·0,75²/8 = 1,3 kNm, 0,005 of |M2| = 294 kNm.
  EXPECT_NEAR(field / offsets.front(), design.M3 / design.M2, 5e-3);

  // A serviceability combination has no design forces: its picture is the combination's.
  const std::size_t last = result.combinations.size() - 1;
  ASSERT_EQ(result.combinations[last].combination.state, LimitState::Serviceability);
  EXPECT_EQ(LinesOf(DesignForcePicture(result, last, ForceKind::Shear).picture, kShear).size(),
            LinesOf(CombinationPicture(result, last, ForceKind::Shear).picture, kShear).size());
}

TEST(DesignPictureDesign, TheEnvelopesMaxLineLiesOnOrAboveItsMinLine) {
  const DesignResult result = ComputeDesign(HalleNord());
  for (auto kind : {ForceKind::Moment, ForceKind::Shear, ForceKind::Normal}) {
    const ReportPicture p = EnvelopePicture(result, kind);
    ASSERT_EQ(p.note, "") << p.title;
    const auto upper = LinesOf(p.picture, kEnvelopeMaxColour);
    const auto lower = LinesOf(p.picture, kEnvelopeMinColour);
    ASSERT_EQ(upper.size(), lower.size());
    std::size_t at = 0;
    for (const Member member : {Member::LeftColumn, Member::Beam, Member::RightColumn}) {
      const auto& envelope = result.envelope[static_cast<std::size_t>(member)];
      const auto& stations = kind == ForceKind::Moment  ? envelope.M.stations
                             : kind == ForceKind::Shear ? envelope.Q.stations
                                                        : envelope.N.stations;
      ASSERT_GT(stations.size(), 10u);
      for (std::size_t j = 0; j <= stations.size(); ++j, ++at) {
        // Inside is to the right of the left column, below the beam, left of the right column.
        const RecordedStroke &u = upper[at], &l = lower[at];
        switch (member) {
          case Member::LeftColumn:
            EXPECT_GE(u.x2, l.x2 - kTolerance) << p.title << " left column " << j;
            break;
          case Member::Beam:
            EXPECT_GE(u.y2, l.y2 - kTolerance) << p.title << " beam " << j;
            break;
          case Member::RightColumn:
            EXPECT_LE(u.x2, l.x2 + kTolerance) << p.title << " right column " << j;
            break;
        }
      }
    }
    EXPECT_EQ(at, upper.size());
  }
}

TEST(DesignPictureDesign, EnvelopeLabelsShowTheLargestAndSmallestValueOfAnyCombination) {
  const DesignResult result = ComputeDesign(HalleNord());
  struct Kind {
    ForceKind kind;
    ForceLine MemberLines::*line;
    int first, count;
  };
  for (const Kind k : {Kind{ForceKind::Moment, &MemberLines::M, kLabelM1, 5},
                       Kind{ForceKind::Shear, &MemberLines::Q, kLabelQ1, 4},
                       Kind{ForceKind::Normal, &MemberLines::N, kLabelN1, 4}}) {
    // Sampled finely over every ultimate combination's own lines, both sides of each boundary.
    double largest = -HUGE_VAL, smallest = HUGE_VAL;
    for (const CombinationResult& c : result.combinations) {
      if (c.combination.state != LimitState::Ultimate) {
        continue;
      }
      for (const MemberLines& member : c.solution.lines) {
        for (const LinePiece& piece : (member.*k.line).pieces) {
          for (int i = 0; i <= 2000; ++i) {
            const double value = piece.At(piece.start + (piece.end - piece.start) * i / 2000);
            largest = std::max(largest, value);
            smallest = std::min(smallest, value);
          }
        }
      }
    }
    const ReportPicture p = EnvelopePicture(result, k.kind);
    const std::vector<double> shown = ShownValues(p.picture, k.first, k.count);
    ASSERT_FALSE(shown.empty()) << p.title;
    // A side the diagram never reaches (no tension anywhere) has no label.
    const double top = *std::max_element(shown.begin(), shown.end());
    const double bottom = *std::min_element(shown.begin(), shown.end());
    if (largest > 0) {
      EXPECT_NEAR(top, largest, 0.006) << p.title;
    } else {
      EXPECT_LT(top, 0) << p.title;
    }
    if (smallest < 0) {
      EXPECT_NEAR(bottom, smallest, 0.006) << p.title;
    } else {
      EXPECT_GT(bottom, 0) << p.title;
    }
  }
}

}  // namespace
}  // namespace strevo
