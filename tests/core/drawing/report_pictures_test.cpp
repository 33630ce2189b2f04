// The report's four pictures: each drawn on its own canvas as the results window draws it, and
// a picture that cannot be drawn says why in its place.
#include <gtest/gtest.h>

#include <utility>

#include "core/drawing/drawings.h"
#include "core/drawing/report_pictures.h"
#include "logged_recording.h"
#include "test_inputs.h"

namespace strevo {
namespace {

using testing::LoggedRecording;

Computation TwoHingedDefaults() {
  SharedResults shared;
  return Compute(testing::DefaultInputs(), SystemType::TwoHingedFrame, shared);
}

std::vector<int> VisibleLabels(const PictureRecording& picture) {
  std::vector<int> visible;
  for (int i = 0; i < kValueLabelCount; ++i) {
    if (picture.Label(i).visible) {
      visible.push_back(i);
    }
  }
  return visible;
}

TEST(ReportPictures, EachPictureIsTheSystemWithItsDiagramOver) {
  const Computation computation = TwoHingedDefaults();
  const auto pictures = DrawReportPictures(computation);

  SharedResults shared = computation.results;
  LoggedRecording system;
  DrawSystem(computation.inputs, computation.system, shared, system);
  const std::size_t systemStrokes = system.Strokes().size();
  ASSERT_GT(systemStrokes, 5u);

  const char* titles[] = {"System", "Momente", "Querkräfte", "Normalkräfte"};
  const int colours[] = {-2, 12, 2, 8};  // the diagrams' palette colours
  for (std::size_t i = 0; i < 4; ++i) {
    const ReportPicture& p = pictures[i];
    EXPECT_EQ(p.title, titles[i]);
    EXPECT_EQ(p.note, "") << p.title;
    const auto& strokes = p.picture.Strokes();
    ASSERT_GE(strokes.size(), systemStrokes) << p.title;
    std::size_t diagram = 0;
    for (std::size_t s = systemStrokes; s < strokes.size(); ++s) {
      diagram += strokes[s].colour == colours[i] ? 1 : 0;
    }
    EXPECT_EQ(diagram, strokes.size() - systemStrokes) << p.title << ": one colour over the system";
    EXPECT_EQ(diagram > 0, i > 0) << p.title;
  }
  EXPECT_EQ(pictures[0].picture.Label(3).caption, "AH = 0.58 kN");
  EXPECT_EQ(pictures[1].picture.Label(13).caption, "3.94");
  EXPECT_EQ(pictures[1].picture.Label(11).caption, "-2.31");
  for (int i = 11; i < kValueLabelCount; ++i) {
    EXPECT_FALSE(pictures[0].picture.Label(i).visible)
        << "the system picture shows no diagram label";
  }
  const std::vector<int> shear = VisibleLabels(pictures[2].picture);
  EXPECT_TRUE(std::find(shear.begin(), shear.end(), 16) != shear.end());
  EXPECT_TRUE(std::find(shear.begin(), shear.end(), 13) == shear.end())
      << "the moment labels stay hidden in the shear picture";
}

TEST(ReportPictures, AnUndefinedScaleIsStatedAndTheOthersAreDrawn) {
  InputSet in = testing::DefaultInputs();
  in.q = 0;  // no load: every internal force is zero
  SharedResults shared;
  const auto pictures = DrawReportPictures(Compute(in, SystemType::FixedFrame, shared));
  EXPECT_EQ(pictures[0].note, "");
  EXPECT_FALSE(pictures[0].picture.Strokes().empty());
  EXPECT_EQ(pictures[1].note, "Es gibt nichts zu zeichnen: alle Momente sind Null.");
  EXPECT_EQ(pictures[2].note, "Es gibt nichts zu zeichnen: alle Querkräfte sind Null.");
  EXPECT_EQ(pictures[3].note, "Es gibt nichts zu zeichnen: alle Normalkräfte sind Null.");
}

TEST(ReportPictures, AFaultIsStatedInItsPicture) {
  Computation computation = TwoHingedDefaults();
  computation.inputs.h = 0;  // a picture without height and span has no scale: 0/0
  computation.inputs.L = 0;
  const auto pictures = DrawReportPictures(computation);
  for (const ReportPicture& p : pictures) {
    EXPECT_EQ(p.note, "Laufzeitfehler: Ungültige Rechenoperation") << p.title;
  }
}

TEST(ReportPictures, TheReportWritesADecimalCommaAndTheUnit) {
  EXPECT_EQ(ReportCaption(kLabelM3, "3.94"), "3,94 kNm");
  EXPECT_EQ(ReportCaption(kFirstDeformationLabel, "u = 1.25 mm"), "u = 1,25 mm");
  // Each reaction after the arrow of its positive direction, as the sketch draws it.
  EXPECT_EQ(ReportCaption(kLabelAH, "AH = -0.58 kN"), "→ AH = -0,58 kN");
  EXPECT_EQ(ReportCaption(kLabelBH, "BH = 0.58 kN"), "← BH = 0,58 kN");
  EXPECT_EQ(ReportCaption(kLabelAV, "AV = 5.00 kN"), "↑ AV = 5,00 kN");
  EXPECT_EQ(ReportCaption(kLabelBV, "BV = 5.00 kN"), "↑ BV = 5,00 kN");
  EXPECT_EQ(ReportCaption(kLabelMA, "MA = 1.00 kNm"), "↻ MA = 1,00 kNm");
  EXPECT_EQ(ReportCaption(kLabelMB, "MB = 1.00 kNm"), "↺ MB = 1,00 kNm");
  // The window's bare numbers, each in its unit; the reactions and the shape name their own.
  const std::pair<int, const char*> expected[] = {
      {kLabelL, "m"},     {kLabelAH, ""},    {kLabelMA, ""},
      {kLabelWD, "kN/m"}, {kLabelQ, "kN/m"}, {kLabelWS, "kN/m"},
      {kLabelF, "kN"},    {kLabelM1, "kNm"}, {kLabelM3, "kNm"},
      {kLabelM5, "kNm"},  {kLabelQ1, "kN"},  {kLabelQ5, "kN"},
      {kLabelN1, "kN"},   {kLabelN5, "kN"},  {kFirstDeformationLabel, ""}};
  for (const auto& [label, unit] : expected) {
    EXPECT_EQ(ValueLabelUnit(label), unit) << label;
  }
}

}  // namespace
}  // namespace strevo
