// The member checks' working against the checks themselves, on several designs: every number the
// working shows as a check's value is that value, and every step's formula gives, from the
// numbers it puts in, the result it prints.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/checks/member_checks.h"
#include "core/design/design_file.h"
#include "core/design/design_result.h"
#include "test_designs.h"

namespace strevo {
namespace {

using testing::HallDesign;
using testing::LoadCaseNamed;

std::vector<Design> Designs() {
  std::vector<Design> designs{ReadDesignFile(STREVO_DESIGN_EXAMPLE)};
  designs.push_back(testing::SegmentedInteractionDesign());
  Design d = HallDesign();  // the kinked beam in S275
  d.system = SystemType::KinkedBeam;
  d.columns.section = "HE 240 B";
  d.beam.section = "IPE 500";
  d.settings.grade = SteelGrade::S275;
  designs.push_back(d);
  d = HallDesign();  // slender columns in S355 under a heavy roof: class 3, elastic
  d.h = 4;
  d.L = 10;
  d.columns.section = "IPE 400";
  d.beam.section = "HE 400 B";
  d.settings.grade = SteelGrade::S355;
  d.loadCases[0].loads = {60, 0, 0, 0, 0};
  designs.push_back(d);
  // A short frame under a heavy roof in S355: the HE 260 A beam is class 3 by its flanges
  // (elastic), the columns' N lies above the limits of 6.2.9.1.
  d.L = 8;
  d.columns.section = "HE 200 A";
  d.beam.section = "HE 260 A";
  designs.push_back(d);
  // Fixed, with light sections: the IPE 200 beam's shear exceeds Vpl,Rd (ρ at its bound 1)
  // together with N above the limits of 6.2.9.1.
  d.system = SystemType::FixedFrame;
  d.columns.section = "HE 160 A";
  d.beam.section = "IPE 200";
  designs.push_back(d);
  return designs;
}

// The names under which the working prints a check's own value.
std::vector<std::pair<std::string, double>> PrintedChecks(const MemberVerification& v) {
  return {{"NRd", v.crossSection.NRd},      {"VRd", v.crossSection.VRd},
          {"Ncr,y", v.bucklingY.Ncr},       {"Ncr,z", v.bucklingZ.Ncr},
          {"λ̄y", v.bucklingY.lambda},       {"λ̄z", v.bucklingZ.lambda},
          {"χy", v.bucklingY.chi},          {"χz", v.bucklingZ.chi},
          {"ηBK,y", v.bucklingY.eta},       {"ηBK,z", v.bucklingZ.eta},
          {"ηBDK", v.lateralTorsional.eta}, {"η6.61", v.interaction.eta61},
          {"η6.62", v.interaction.eta62},   {"kyy", v.interaction.kyy},
          {"kzy", v.interaction.kzy},       {"ηQuerschnitt", v.crossSection.eta},
          {"ρ", v.crossSection.rho},        {"MRd", v.crossSection.MRd}};
}

void ExpectWorkingMatchesChecks(const std::vector<Design>& designs) {
  int designNumber = 0, kinds = 0;
  for (const Design& design : designs) {
    ++designNumber;
    const DesignResult result = ComputeDesign(design);
    const std::vector<RechenwegStep> steps = GoverningCheckRechenweg(result);
    ASSERT_FALSE(steps.empty()) << designNumber;
    // The columns' steps end in ηS, the beam's follow.
    std::size_t columnsEnd = 0;
    while (columnsEnd < steps.size() && steps[columnsEnd].target != "ηS") {
      ++columnsEnd;
    }
    ASSERT_LT(columnsEnd, steps.size()) << designNumber;
    for (const RechenwegStep& s : steps) {
      if (s.formula) {
        EXPECT_NEAR(s.value, s.shown, 1e-9 * std::max(1.0, std::abs(s.shown)))
            << designNumber << " " << s.target << ": " << s.numbers << " → " << s.result;
      }
    }
    const auto check = [&](std::size_t from, std::size_t to, const MemberVerification& v) {
      for (const auto& [target, value] : PrintedChecks(v)) {
        for (std::size_t i = from; i < to; ++i) {
          if (steps[i].target == target) {
            ++kinds;
            EXPECT_NEAR(steps[i].shown, value, 1e-12 * std::max(1.0, std::abs(value)))
                << designNumber << " " << target;
            break;  // the first: a second segment's interaction has its own values
          }
        }
      }
    };
    check(0, columnsEnd + 1, result.checks.columns->check.verification);
    check(columnsEnd + 1, steps.size(), result.checks.beam->check.verification);
    EXPECT_EQ(steps[columnsEnd].shown, result.checks.columns->check.Eta()) << designNumber;
    EXPECT_EQ(steps.back().shown, result.checks.beam->check.Eta()) << designNumber;
  }
  EXPECT_GT(kinds, static_cast<int>(designs.size()) * 2 * 10);  // most kinds, every member
}

TEST(CheckWorking, EveryStepGivesItsPrintedResultAndEveryCheckValueIsTheChecks) {
  ExpectWorkingMatchesChecks(Designs());
}

// The designs above show every branch of the cross-section check in some working: ρ from its
// formula and at its bound, N reducing the moment (6.36) and the elastic check of class 3.
TEST(CheckWorking, TheDesignsShowEveryBranchOfTheCrossSectionCheck) {
  bool shear = false, bound = false, axial = false, elastic = false;
  for (const Design& design : Designs()) {
    for (const RechenwegStep& s : GoverningCheckRechenweg(ComputeDesign(design))) {
      shear = shear || (s.target == "ρ" && s.formula && s.shown > 0);
      bound = bound || (s.target == "ρ" && !s.formula && s.shown == 1);
      axial = axial || (s.target == "MRd" && s.formula && s.symbols.find("n") != std::string::npos);
      elastic = elastic || s.target == "σv";
    }
  }
  EXPECT_TRUE(shear);
  EXPECT_TRUE(bound);
  EXPECT_TRUE(axial);
  EXPECT_TRUE(elastic);
}

// Light sections in S355: the columns' interaction comes from the other column than their
// buckling; the working once put the buckling column's ny, nz into the interaction's kyy.
TEST(CheckWorking, TheColumnsInteractionReadsItsOwnColumnsBuckling) {
  Design d = HallDesign();
  d.columns.section = "HE 200 A";
  d.beam.section = "IPE 360";
  d.settings.grade = SteelGrade::S355;
  Design narrow = HallDesign();  // a short narrow frame under a heavy point load
  narrow.h = 4;
  narrow.L = 6;
  narrow.columns.section = "HE 160 A";
  narrow.beam.section = "IPE 200";
  narrow.loadCases[3].loads = {0, 200, 0.3, 0, 0};
  ExpectWorkingMatchesChecks({d, narrow});
}

// 5.3.2 on numbers with a code of φ0 = 1/300: h = 6 m, αh = 2/√6 = 0.8165, m = 2,
// αm = √(0.5·1.5) = 0.8660, φ = 0.8165·0.8660/300 = 0.0023570; h = 2 m bounds αh to 1, h = 16 m
// to 2/3.
TEST(CheckWorking, SwayImperfectionFollowsTheCodesPhi0AndBounds) {
  checks::NumberRun run;
  DesignCode other = GermanAnnex();
  other.phi0 = 1.0 / 300;
  EXPECT_NEAR(checks::SwayImperfection(run, 6.0, 2.0, other).phi, 0.0023570, 5e-8);
  EXPECT_NEAR(checks::SwayImperfection(run, 6.0, 2.0, GermanAnnex()).phi, 0.0035355, 5e-8);
  EXPECT_EQ(checks::SwayImperfection(run, 2.0, 2.0, other).alphaH, 1);
  EXPECT_DOUBLE_EQ(checks::SwayImperfection(run, 16.0, 2.0, other).alphaH, 2.0 / 3);
  EXPECT_TRUE(checks::SecondOrderNeeded(9.99, GermanAnnex()));
  EXPECT_FALSE(checks::SecondOrderNeeded(10, GermanAnnex()));
}

}  // namespace
}  // namespace strevo
