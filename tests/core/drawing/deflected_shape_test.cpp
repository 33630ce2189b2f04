// The deflected shape into a picture recording and the values read at points of the picture.
#include <cmath>

#include <gtest/gtest.h>

#include "core/base/text_rules.h"
#include "core/drawing/deflected_shape.h"
#include "core/drawing/drawing_frame.h"
#include "logged_recording.h"
#include "test_inputs.h"

namespace strevo {
namespace {

Computation Computed(const InputSet& in, SystemType system) {
  SharedResults shared;
  return Compute(in, system, shared);
}

TEST(DeflectedShape, MagentaWidthTwoLargestOffsetSixtyUnitsAndItsLabels) {
  for (const SystemType system :
       {SystemType::KinkedBeam, SystemType::TwoHingedFrame, SystemType::FixedFrame}) {
    const Computation c = Computed(testing::AllLoads(), system);
    testing::LoggedRecording canvas;
    ASSERT_EQ(DrawDeflectedShape(c, canvas), DiagramOutcome::Drawn);
    const CoordinateCheck check;
    const DrawingFrame f = MakeDrawingFrame(c.inputs, std::max(c.inputs.h, c.inputs.L), check);
    // 24 even strokes a member, one more where the member's extreme falls inside a stroke.
    std::size_t line = 0;
    double largest = 0;
    for (const Member member : {Member::LeftColumn, Member::Beam, Member::RightColumn}) {
      const double length = MemberLength(c.inputs, member);
      const double extreme = LargestDisplacementOf(*c.deformation, member).s;
      const double stroke = extreme / length * 24;
      const std::size_t count = 24 + (extreme > 0 && stroke != std::floor(stroke) ? 1 : 0);
      for (std::size_t i = 0; i < count; ++i, ++line) {
        ASSERT_LT(line, canvas.Strokes().size());
        const RecordedStroke& l = canvas.Strokes()[line];
        EXPECT_EQ(l.colour, 13);
        EXPECT_EQ(l.width, 2);
        const double offset = member == Member::LeftColumn ? std::abs(l.x2 - f.xL)
                              : member == Member::Beam     ? std::abs(l.y2 - f.yB)
                                                           : std::abs(l.x2 - f.xR);
        largest = std::max(largest, offset);
        if (member == Member::Beam && i == 0) {
          largest = std::max(largest, std::abs(l.x1 - f.xL));  // the beam's sway
        }
      }
    }
    EXPECT_EQ(line, canvas.Strokes().size());
    EXPECT_NEAR(largest, 60, 1e-3) << "the largest displacement is 60 units";
    const int u = kFirstDeformationLabel;
    EXPECT_EQ(canvas.Label(u).caption, "u = " + FormatFixed2(c.deformation->u) + " mm");
    EXPECT_EQ(canvas.Label(u + 1).caption, "w = " + FormatFixed2(c.deformation->w) + " mm");
    // I1 = 1 and I2 = 1.5 taken as cm4: w is metres, and the material label gives way to the
    // hint; with sections of 10⁴ cm4 the material stands.
    EXPECT_EQ(canvas.Label(u + 2).caption,
              "Stahl; I1, I2 in cm4 gerechnet – Profile: Querschnittsauswahl");
    InputSet stiff = testing::AllLoads();
    stiff.I1 = stiff.I2 = 1e4;
    testing::LoggedRecording stiffCanvas;
    DrawDeflectedShape(Computed(stiff, system), stiffCanvas);
    EXPECT_EQ(stiffCanvas.Label(u + 2).caption, "Stahl, E = 210000 N/mm²");
    for (int label = u; label < u + 3; ++label) {
      EXPECT_TRUE(canvas.Label(label).visible);
    }
    EXPECT_EQ(canvas.refreshes, 0) << "drawn over the picture";
  }
}

TEST(DeflectedShape, NothingMovesNothingIsDrawn) {
  InputSet in = testing::DefaultInputs();
  in.q = 0;
  const Computation c = Computed(in, SystemType::FixedFrame);
  testing::LoggedRecording canvas;
  EXPECT_EQ(DrawDeflectedShape(c, canvas), DiagramOutcome::NothingToDraw);
  EXPECT_TRUE(canvas.Strokes().empty());
}

TEST(Readout, NamesTheMemberThePositionAndTheValuesThere) {
  const Computation c = Computed(testing::AllLoads(), SystemType::TwoHingedFrame);
  const CoordinateCheck check;
  const DrawingFrame f = MakeDrawingFrame(c.inputs, 5, check);
  // On the beam at x = 2.40 m, a little below its axis.
  const auto beam = ReadoutAt(c, f.xL + 2.4 * f.unitsPerMetre, f.yB + 3, 5);
  ASSERT_TRUE(beam.has_value());
  const MemberForces at = ForcesOn(*c.forces, Member::Beam, 2.4);
  EXPECT_EQ(*beam,
            "Riegel, x = 2.40 m ab Punkt 2\nM = " + FormatFixed2(at.M) +
                " kNm\nQ = " + FormatFixed2(at.Q) + " kN\nN = " + FormatFixed2(at.N) +
                " kN\nw = " + FormatFixed2(DisplacementAt(*c.deformation, Member::Beam, 2.4)) +
                " mm (Stahl, E = 210000 N/mm²)");
  // Each column from its own foot, as the section check names its places.
  const auto right = ReadoutAt(c, f.xR - 2, f.yB + 1 * f.unitsPerMetre, 5);
  ASSERT_TRUE(right.has_value());
  EXPECT_EQ(right->rfind("rechte Stütze, 3.00 m über B\nM = ", 0), 0u) << *right;
  EXPECT_NE(right->find("\nu = "), std::string::npos);
  const auto foot = ReadoutAt(c, f.xL, kFootY + 2, 5);
  ASSERT_TRUE(foot.has_value());
  EXPECT_EQ(foot->rfind("linke Stütze, 0.00 m über A\nM = 0.00 kNm\nQ = ", 0), 0u) << *foot;
  EXPECT_FALSE(ReadoutAt(c, 500, 500, 5).has_value()) << "inside the portal, off the members";
  EXPECT_FALSE(ReadoutAt(c, f.xL + 6, 500, 5).has_value()) << "beyond the reach";
}

// Within reach of the point load the read-out stands on it and gives Q on both sides: at a = 0
// left of F is the corner's AV (the list's Q2), at a = L right of F is −BV.
class ReadoutAtTheLoad : public ::testing::TestWithParam<double> {};

TEST_P(ReadoutAtTheLoad, GivesTheShearLeftAndRightOfF) {
  InputSet in = testing::AllLoads();
  in.a = GetParam();
  in.b = in.L - in.a;
  const Computation c = Computed(in, SystemType::FixedFrame);
  const SharedResults& r = c.results;
  const auto Q = [&](double s) {
    return FormatFixed2(ForcesOn(PortalLinesOf(in, r), Member::Beam, s).Q);
  };
  const std::string left = in.a > 0 ? Q(in.a - 1e-9) : FormatFixed2(r.AV);
  const std::string right = in.a < in.L ? Q(in.a + 1e-9) : FormatFixed2(-r.BV);
  // A few picture units from the load along the beam, just below it.
  const DrawingFrame f = MakeDrawingFrame(in, 5, CoordinateCheck());
  const auto At = [&](const Computation& of, double units) {
    const double x = f.xL + in.a * f.unitsPerMetre + (in.a < in.L ? units : -units);
    return ReadoutAt(of, x, f.yB + 1, 5).value_or("");
  };
  const std::string readout = At(c, 3);
  EXPECT_EQ(readout.rfind("Riegel, x = " + FormatFixed2(in.a) + " m ab Punkt 2\nM = " +
                              FormatFixed2(ForcesOn(PortalLinesOf(in, r), Member::Beam, in.a).M) +
                              " kNm\nQ = " + left + " kN links von F, " + right +
                              " kN rechts von F\nN = ",
                          0),
            0u)
      << readout;
  EXPECT_NE(At(c, 8).find(" kN\nN = "), std::string::npos) << "out of reach: one value";
  in.F = 0;
  EXPECT_NE(At(Computed(in, SystemType::FixedFrame), 3).find(" kN\nN = "), std::string::npos)
      << "no point load: one value";
}

INSTANTIATE_TEST_SUITE_P(Readout, ReadoutAtTheLoad, ::testing::Values(0.0, 3.0, 5.0));

}  // namespace
}  // namespace strevo
