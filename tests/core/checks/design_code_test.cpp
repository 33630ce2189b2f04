// The design code's values against the standards and the national annex, and a second code's
// values carried through the member checks as the hand formulas say.
#include <gtest/gtest.h>

#include "core/checks/design_code.h"
#include "core/checks/member_design.h"

namespace strevo {
namespace {

TEST(DesignCode, GermanAnnexHoldsTheStandardsValues) {
  const DesignCode& c = GermanAnnex();
  EXPECT_STREQ(c.name, "EN 1993-1-1 mit deutschem Nationalen Anhang");
  struct Row {
    const char* clause;
    double value, expected;
  };
  const Row rows[] = {
      {"EN 1990 Table A1.2(B) with NA: γG,sup", c.gammaGSup, 1.35},
      {"EN 1990 Table A1.2(B) with NA: γG,inf", c.gammaGInf, 1.00},
      {"EN 1990 Table A1.2(B) with NA: γQ", c.gammaQ, 1.5},
      {"EN 1990 Table A1.1: ψ0 categories A–D", c.psi0.imposed, 0.7},
      {"EN 1990 Table A1.1: ψ0 category E", c.psi0.imposedStorage, 1.0},
      {"EN 1990 Table A1.1: ψ0 category H", c.psi0.imposedRoof, 0.0},
      {"EN 1990 Table A1.1: ψ0 snow ≤ 1000 m", c.psi0.snow, 0.5},
      {"EN 1990 Table A1.1: ψ0 snow > 1000 m", c.psi0.snowHigh, 0.7},
      {"EN 1990 Table A1.1: ψ0 wind", c.psi0.wind, 0.6},
      {"EN 1993-1-1 6.1(1) NA: γM0", c.gammaM0, 1.0},
      {"EN 1993-1-1 6.1(1) NA: γM1", c.gammaM1, 1.1},
      {"EN 1993-1-8 2.2(2) NA: γM2", c.gammaM2, 1.25},
      {"EN 1992-1-1 2.4.2.4 NA: γc", c.gammaC, 1.5},
      {"EN 1992-1-1 3.1.6(1) NA: αcc", c.alphaCC, 0.85},
      {"EN 1993-1-1 5.3.2(3): φ0", c.phi0, 1.0 / 200},
      {"EN 1993-1-1 5.3.2(3): αh ≥ 2/3", c.alphaHMin, 2.0 / 3},
      {"EN 1993-1-1 5.3.2(3): αh ≤ 1", c.alphaHMax, 1.0},
      {"EN 1993-1-1 5.2.1(3): αcr ≥ 10 first order", c.alphaCrFirstOrder, 10},
      {"EN 1993-1-1 Table 6.1: α curve a0", c.imperfection.Of('o'), 0.13},
      {"EN 1993-1-1 Table 6.1: α curve a", c.imperfection.Of('a'), 0.21},
      {"EN 1993-1-1 Table 6.1: α curve b", c.imperfection.Of('b'), 0.34},
      {"EN 1993-1-1 Table 6.1: α curve c", c.imperfection.Of('c'), 0.49},
      {"EN 1993-1-1 Table 6.1: α curve d", c.imperfection.Of('d'), 0.76},
      {"EN 1993-1-1 6.3.1.2(4): λ̄0", c.lambda0, 0.2},
      {"EN 1993-1-1 6.3.1.2(4): NEd/Ncr", c.bucklingNegligible, 0.04},
      {"EN 1993-1-1 6.3.2.3(1) NA: λ̄LT,0", c.lambdaLT0, 0.4},
      {"EN 1993-1-1 6.3.2.3(1) NA: β", c.betaLT, 0.75},
      {"EN 1993-1-1 6.3.2.2(4): MEd/Mcr", c.lateralTorsionalNegligible, 0.16},
  };
  for (const Row& row : rows) {
    EXPECT_DOUBLE_EQ(row.value, row.expected) << row.clause;
  }
}

// IPE 300, S235, 4 m, N = −300 kN, no moment, restrained at 4 m: NRk = 53.8·23.5 = 1264.3 kN.
// About z (curve b): Ncr = π²·210000·603.8e4/4000² = 782.154 kN, λ̄ = 1.27139, Φ = 1.49035,
// χ = 0.440919. About y: Ncr = 10824.2 kN, NEd/Ncr = 0.0277 ≤ 0.04: χ = 1.
TEST(DesignCode, AnotherCodesFactorsReachTheMemberChecks) {
  const SectionProperties* ipe = FindSection("IPE 300");
  ASSERT_NE(ipe, nullptr);
  MemberDesignForces f;
  f.length = 4;
  f.at = [](double) { return MemberForces{0, 0, -300}; };
  f.places = {{0, f.at(0)}, {4, f.at(4)}};
  const MemberVerification german = VerifyMember(f, *ipe, 235, 4, 4);
  EXPECT_NEAR(german.bucklingZ.chi, 0.440919, 1e-6);
  EXPECT_NEAR(german.bucklingZ.eta, 300 / (0.440919 * 1264.3 / 1.1), 1e-5);
  EXPECT_EQ(german.bucklingY.chi, 1);
  EXPECT_NEAR(german.bucklingY.eta, 300 / (1264.3 / 1.1), 1e-9);

  // γM1 = 1.0 and buckling never neglected: χy from curve a, λ̄y = 0.341764, Φ = 0.573287,
  // χy = 0.967526; η divided by 1.1; γM0 alone sets the cross-section.
  DesignCode other = GermanAnnex();
  other.gammaM1 = 1.0;
  other.phi0 = 1.0 / 300;
  other.bucklingNegligible = 0;
  const MemberVerification v = VerifyMember(f, *ipe, 235, 4, 4, other);
  EXPECT_NEAR(v.bucklingZ.eta, 300 / (0.440919 * 1264.3), 1e-5);
  EXPECT_NEAR(v.bucklingY.chi, 0.967526, 1e-6);
  EXPECT_NEAR(v.bucklingY.eta, 300 / (0.967526 * 1264.3), 1e-5);
  EXPECT_DOUBLE_EQ(v.crossSection.eta, german.crossSection.eta);
}

// 6.57 with the recommended λ̄LT,0 = 0.2 and β = 1 in place of the annex's 0.4 and 0.75:
// λ̄LT = 1, curve b: Φ = 0.5·(1 + 0.34·0.8 + 1) = 1.136, χLT = 1/(1.136 + √(1.136² − 1)) =
// 0.5970 (the flexural curve).
TEST(DesignCode, AnotherCodesPlateauAndBetaReachTheLateralTorsionalCurve) {
  DesignCode recommended = GermanAnnex();
  recommended.lambdaLT0 = 0.2;
  recommended.betaLT = 1;
  EXPECT_NEAR(LateralTorsionalReduction(1, 0.34, recommended), 0.5970, 5e-5);
  EXPECT_EQ(LateralTorsionalReduction(0.2, 0.34, recommended), 1);
  EXPECT_LT(LateralTorsionalReduction(0.3, 0.34, recommended), 1);
}

}  // namespace
}  // namespace strevo
