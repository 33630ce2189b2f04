// The member checks of EN 1993-1-1 against hand calculations (numbers in the comments, from the
// section table's values) and against the table's own cross-section classes.
#include <cmath>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "core/checks/member_design.h"

namespace strevo {
namespace {

const SectionProperties& Section(const std::string& designation) {
  const SectionProperties* s = FindSection(designation);
  EXPECT_NE(s, nullptr) << designation;
  return *s;
}

// A member with a constant N and the moment line M(s), Q = dM/ds, looked at in 41 places.
MemberDesignForces Forces(double length, double N, const std::function<double(double)>& M,
                          const std::function<double(double)>& Q) {
  MemberDesignForces f;
  f.length = length;
  f.at = [=](double s) { return MemberForces{M(s), Q(s), N}; };
  for (int i = 0; i <= 40; ++i) {
    const double s = length * i / 40;
    f.places.push_back({s, f.at(s)});
  }
  return f;
}
MemberDesignForces Linear(double length, double N, double M0, double M1) {
  return Forces(
      length, N, [=](double s) { return M0 + (M1 - M0) * s / length; },
      [=](double) { return (M1 - M0) / length; });
}

TEST(MemberDesign, ReductionFactorsFollowTheirCurves) {
  // Table 6.1 at λ̄ = 1; Φ = 0.5·(1 + α·0.8 + 1).
  EXPECT_NEAR(FlexuralReduction(1, 0.21), 0.6656, 5e-5);
  EXPECT_NEAR(FlexuralReduction(1, 0.34), 0.5970, 5e-5);
  EXPECT_NEAR(FlexuralReduction(1, 0.49), 0.5399, 5e-5);
  EXPECT_EQ(FlexuralReduction(0.2, 0.49), 1);
  // 6.57, curve b: λ̄LT = 1: Φ = 0.5·(1 + 0.34·0.6 + 0.75) = 0.977,
  // χLT = 1/(0.977 + √(0.977² − 0.75)) = 0.69967.
  EXPECT_NEAR(LateralTorsionalReduction(1, 0.34), 0.69967, 5e-5);
  EXPECT_EQ(LateralTorsionalReduction(0.4, 0.49), 1);
  // λ̄LT = 3: Φ = 4.317, χLT = 0.1288 but at most 1/9.
  EXPECT_DOUBLE_EQ(LateralTorsionalReduction(3, 0.34), 1.0 / 9);
}

TEST(MemberDesign, ClassesInPureBendingAndCompressionAreTheTables) {
  const double grades[3] = {235, 275, 355};
  for (const SectionProperties& s : kSectionProperties) {
    for (int g = 0; g < 3; ++g) {
      const double squash = s.A * grades[g] / 10;  // kN: the whole web yields in compression
      EXPECT_EQ(SectionClass(s, grades[g], 0, 100), s.classBending[g]) << s.designation;
      EXPECT_EQ(SectionClass(s, grades[g], squash, 0), s.classCompression[g]) << s.designation;
    }
  }
}

TEST(MemberDesign, PlasticCrossSectionReducedForShearAndAxialForce) {
  const SectionProperties& ipe = Section("IPE 300");  // class 1 in bending, S235
  // Vpl = 25.68·235/√3/10 = 348.42 kN; V = 0.75·Vpl: ρ = 0.25; Aw = 278.6·7.1 = 1978.06 mm²,
  // Aw²/(4·tw) = 137.77 cm³; Mpl,V = (628.4 − 0.25·137.77)·0.235 = 139.58 kNm.
  const double Vpl = 348.419;
  MemberDesignForces shear = Forces(
      0.5, 0, [=](double s) { return 120 - 0.75 * Vpl * s; }, [=](double) { return -0.75 * Vpl; });
  MemberVerification v = VerifyMember(shear, ipe, 235, 0.5, 0.5);
  EXPECT_NEAR(v.crossSection.rho, 0.25, 1e-5);
  EXPECT_NEAR(v.crossSection.MRd, 139.58, 0.01);
  EXPECT_NEAR(v.crossSection.eta, 120 / 139.58, 1e-4);
  EXPECT_EQ(v.crossSection.s, 0);
  // N = 400 kN > 0.25·Npl = 316.1 kN: n = 400/1264.3 = 0.31638, a = (5380 − 3210)/5380 =
  // 0.40335, MN = 147.674·(1 − n)/(1 − a/2) = 126.46 kNm; tension reduces alike.
  for (const double N : {-400.0, 400.0}) {
    v = VerifyMember(Linear(2, N, 100, 100), ipe, 235, 2, 2);
    EXPECT_NEAR(v.crossSection.MRd, 126.46, 0.01) << N;
    EXPECT_NEAR(v.crossSection.eta, 100 / 126.46, 1e-4) << N;
    EXPECT_FALSE(v.crossSection.elastic);
  }
  // Beyond Npl the check fails, with a finite η.
  v = VerifyMember(Linear(2, -1300, 10, 10), ipe, 235, 2, 2);
  EXPECT_GT(v.crossSection.eta, 1);
  EXPECT_TRUE(std::isfinite(v.crossSection.eta));
}

// Shear beyond half of Vpl,Rd with N present: 6.2.10 takes (1 − ρ)·fy on the web for both
// resistances, so N is measured against Npl,V and M against Mpl,V.
TEST(MemberDesign, HighShearReducesTheAxialAndTheBendingResistanceTogether) {
  const SectionProperties& ipe = Section("IPE 300");  // S235
  // Vpl = 25.68·235/√3/10 = 348.419 kN, V = 0.75·Vpl: ρ = (1.5 − 1)² = 0.25.
  // Aw = (300 − 2·10.7)·7.1 = 1978.06 mm²: Npl,V = (5380 − 0.25·1978.06)·0.235 = 1148.089 kN,
  // Mpl,V = (628.4 − 0.25·137.772)·0.235 = 139.580 kNm. N = 400 kN > 0.25·1264.3 = 316.1 kN:
  // n = 400/1148.089 = 0.348405, a = (5380 − 2·150·10.7)/5380 = 0.403346,
  // MN,V = 139.580·(1 − 0.348405)/(1 − 0.201673) = 113.925 kNm (119.52 with Npl unreduced).
  // Web in compression: α = 0.5 + 400e3/(2·248.6·7.1·235) = 0.982, c/t = 35.0 ≤
  // 456/(13α − 1) = 38.75: class 2; in tension class 1. Plastic either way.
  const double Vpl = 348.419;
  for (const double N : {-400.0, 400.0}) {
    const MemberVerification v =
        VerifyMember(Forces(
                         0.5, N, [=](double s) { return 100 - 0.75 * Vpl * s; },
                         [=](double) { return -0.75 * Vpl; }),
                     ipe, 235, 0.5, 0.5);
    EXPECT_EQ(v.crossSection.sectionClass, N < 0 ? 2 : 1) << N;
    EXPECT_FALSE(v.crossSection.elastic) << N;
    EXPECT_DOUBLE_EQ(v.crossSection.s, 0) << N;
    EXPECT_NEAR(v.crossSection.rho, 0.25, 1e-5) << N;
    EXPECT_NEAR(v.crossSection.MRd, 113.925, 0.005) << N;
    EXPECT_NEAR(v.crossSection.eta, 100 / 113.925, 1e-4) << N;
  }
}

// 6.2.8(2) neglects shear below half of Vpl,Rd; at exactly half ρ = (2·0.5 − 1)² is 0 itself,
// so the reduction sets in without a jump and either reading of the boundary gives Mpl.
TEST(MemberDesign, ShearUpToHalfOfVplLeavesTheResistancesWhole) {
  const SectionProperties& ipe = Section("IPE 300");  // S235: Mpl = 628.4·0.235 = 147.674 kNm
  const auto shear = [&](double V, double N) {
    return VerifyMember(
               Forces(
                   0.5, N, [=](double s) { return 50 - V * s; }, [=](double) { return -V; }),
               ipe, 235, 0.5, 0.5)
        .crossSection;
  };
  const double VRd = shear(0, 0).VRd;
  ASSERT_NEAR(VRd, 348.419, 0.001);  // 25.68·235/√3/10
  // Halving is exact: the place sits on the boundary to the last bit.
  CrossSectionCheck c = shear(0.5 * VRd, 0);
  EXPECT_EQ(c.rho, 0);
  EXPECT_NEAR(c.MRd, 147.674, 1e-3);
  // Below half: a rule reducing from 0.45·Vpl on would give ρ = 0.01 there, one from 0.49·Vpl
  // ρ = 0.0004.
  for (const double share : {0.25, 0.45, 0.49}) {
    c = shear(share * VRd, 0);
    EXPECT_EQ(c.rho, 0) << share;
    EXPECT_NEAR(c.MRd, 147.674, 1e-3) << share;
  }
  // 0.6·Vpl: ρ = 0.2² = 0.04, Mpl,V = (628.4 − 0.04·137.772)·0.235 = 146.379 kNm.
  c = shear(0.6 * VRd, 0);
  EXPECT_NEAR(c.rho, 0.04, 1e-9);
  EXPECT_NEAR(c.MRd, 146.379, 1e-3);
  // At half of Vpl with N = 400 kN: Npl stays 1264.3 kN, n = 0.316381,
  // MN = 147.674·(1 − n)/(1 − 0.201673) = 126.46 kNm, as without shear.
  c = shear(0.5 * VRd, -400);
  EXPECT_EQ(c.rho, 0);
  EXPECT_NEAR(c.MRd, 126.46, 0.01);
}

// Shear beyond Vpl,Rd: (2·1.2 − 1)² = 1.96 is taken as ρ = 1, the whole web given to shear:
// Mpl,V = (628.4 − 137.772)·0.235 = 115.298 kNm, and V/Vpl,Rd = 1.2 governs.
TEST(MemberDesign, ShearBeyondVplTakesTheWholeWeb) {
  const SectionProperties& ipe = Section("IPE 300");  // S235
  const double Vpl = 348.419;
  const CrossSectionCheck c = VerifyMember(Forces(
                                               0.1, 0, [=](double s) { return 50 - 1.2 * Vpl * s; },
                                               [=](double) { return -1.2 * Vpl; }),
                                           ipe, 235, 0.1, 0.1)
                                  .crossSection;
  EXPECT_EQ(c.rho, 1);
  EXPECT_NEAR(c.MRd, 115.298, 1e-3);
  EXPECT_NEAR(c.eta, 1.2, 1e-5);
}

// 6.34 alone: N = 280 kN lies below 0.25·Npl = 316.1 kN but above 0.5·hw·tw·fy =
// 0.5·1978.06·0.235 = 232.42 kN. n = 280/1264.3 = 0.221466, MN = 147.674·0.778534/0.798327 =
// 144.013 kNm. At N = 240 kN, n = 0.189828 lies below a/2 = 0.201673: 6.36 gives 149.865 kNm,
// above Mpl, which bounds it (147.674 kNm).
TEST(MemberDesign, WebLimitAloneReducesTheMomentAndMplBoundsIt) {
  const SectionProperties& ipe = Section("IPE 300");  // S235, in tension class 1
  CrossSectionCheck c = VerifyMember(Linear(2, 280, 100, 100), ipe, 235, 2, 2).crossSection;
  EXPECT_NEAR(c.MRd, 144.013, 1e-3);
  EXPECT_NEAR(c.eta, 100 / 144.013, 1e-5);
  c = VerifyMember(Linear(2, 240, 100, 100), ipe, 235, 2, 2).crossSection;
  EXPECT_NEAR(c.MRd, 147.674, 1e-3);
  EXPECT_NEAR(c.eta, 100 / 147.674, 1e-5);
}

// Beyond Npl: n = 1300/1264.3 = 1.028237, no moment is left (MRd = 0) and η = n + M/Mpl =
// 1.028237 + 10/147.674 = 1.095954.
TEST(MemberDesign, NormalForceBeyondNplLeavesNoMoment) {
  const CrossSectionCheck c =
      VerifyMember(Linear(2, 1300, 10, 10), Section("IPE 300"), 235, 2, 2).crossSection;
  EXPECT_EQ(c.MRd, 0);
  EXPECT_NEAR(c.eta, 1.095954, 1e-6);
}

// The resistances divide by the code's γM0: with 1.1, NRd = 1264.3/1.1 = 1149.364 kN,
// VRd = 348.419/1.1 = 316.745 kN, MRd = 147.674/1.1 = 134.249 kNm.
TEST(MemberDesign, CrossSectionResistancesFollowTheCodesGammaM0) {
  DesignCode other = GermanAnnex();
  other.gammaM0 = 1.1;
  const CrossSectionCheck c =
      VerifyMember(Linear(2, 0, 50, 50), Section("IPE 300"), 235, 2, 2, other).crossSection;
  EXPECT_NEAR(c.NRd, 1149.364, 1e-3);
  EXPECT_NEAR(c.VRd, 316.745, 1e-3);
  EXPECT_NEAR(c.MRd, 134.249, 1e-3);
  EXPECT_NEAR(c.eta, 50 / 134.249, 1e-5);
}

TEST(MemberDesign, ElasticCrossSectionForClassThree) {
  // HE 260 A in S355: flange c/t = 102.25/12.5 = 8.18 > 10ε = 8.14, class 3. M = 250 kNm,
  // V = 200 kN: σj = 250e6·112.5/10450e4 = 269.14, τj = 200e3·260·12.5·237.5/2/(10450e4·7.5) =
  // 98.48 N/mm², √(269.14² + 3·98.48²) = 318.64 above the edge σ 299.04 and √3·τmax 203.27.
  const SectionProperties& hea = Section("HE-A 260");
  const MemberVerification v =
      VerifyMember(Forces(
                       1, 0, [](double s) { return 250 - 200 * s; }, [](double) { return -200.0; }),
                   hea, 355, 1, 1);
  EXPECT_EQ(v.crossSection.sectionClass, 3);
  EXPECT_TRUE(v.crossSection.elastic);
  EXPECT_NEAR(v.crossSection.eta, 318.64 / 355, 1e-4);
  EXPECT_TRUE(v.covered);
  // IPE 300 in S355 is class 4 in compression: not covered, yet checked elastically.
  const MemberVerification slender =
      VerifyMember(Linear(1, -1500, 0, 0), Section("IPE 300"), 355, 1, 1);
  EXPECT_FALSE(slender.covered);
  EXPECT_NEAR(slender.crossSection.eta, 1500 * 10 / 53.8 / 355, 1e-9);
}

TEST(MemberDesign, CriticalMomentAndMomentFactors) {
  // IPE 300, 5 m, constant moment (C1 = 1): π²·E·Iz/L² = π²·210000·603.8e4/5000² = 500578 N,
  // Iw/Iz = 20917.5 mm², L²·G·It/(π²·E·Iz) = 32556.7 mm²: Mcr = 500578·231.245 = 115.76 kNm.
  const SectionProperties& ipe = Section("IPE 300");
  MemberVerification v = VerifyMember(Linear(5, 0, 50, 50), ipe, 235, 5, 5);
  EXPECT_DOUBLE_EQ(v.lateralTorsional.C1, 1);
  EXPECT_NEAR(v.lateralTorsional.Mcr, 115.76, 0.01);
  EXPECT_DOUBLE_EQ(v.interaction.CmLT, 1);
  // Linear to zero: 12.5/(2.5 + 3·0.75 + 4·0.5 + 3·0.25) = 12.5/7.5; Cm = 0.6 + 0.4·0.
  v = VerifyMember(Linear(5, 0, 50, 0), ipe, 235, 5, 5);
  EXPECT_NEAR(v.lateralTorsional.C1, 12.5 / 7.5, 1e-12);
  EXPECT_NEAR(v.interaction.CmLT, 0.6, 1e-12);
  // Simply supported under a uniform load: 12.5/(2.5 + 3·0.75 + 4 + 3·0.75) = 1.136;
  // Table B.3 with Mh = 0: αh = 0, Cm = 0.95.
  v = VerifyMember(
      Forces(
          5, 0, [](double s) { return 4 * s * (5 - s); }, [](double s) { return 20 - 8 * s; }),
      ipe, 235, 5, 5);
  EXPECT_NEAR(v.lateralTorsional.C1, 12.5 / 11, 1e-12);
  EXPECT_NEAR(v.lateralTorsional.MEd, 25, 1e-12);
  EXPECT_NEAR(v.interaction.CmLT, 0.95, 1e-12);
  // 15 m with restraints every 3.75 m: four segments, not five.
  v = VerifyMember(Linear(15, 0, 50, 50), ipe, 235, 15, 3.75);
  EXPECT_DOUBLE_EQ(v.bucklingZ.Lcr, 3.75);
  EXPECT_DOUBLE_EQ(v.lateralTorsional.end - v.lateralTorsional.start, 3.75);
}

TEST(MemberDesign, ColumnWithCompressionAndLinearMoment) {
  // IPE 300, S235, 5 m, N = −300 kN, M from 0 at the foot to 80 kNm at the top, restrained at
  // mid-height. NRk = 1264.3 kN, MRk = Wpl·fy = 147.674 kNm.
  const MemberVerification v =
      VerifyMember(Linear(5, -300, 0, 80), Section("IPE 300"), 235, 5, 2.5);
  // Top: web α = 0.5 + 300e3/(2·248.6·7.1·235) = 0.862, c/t = 35.0 ≤ 396ε/(13α − 1) = 38.8:
  // class 1. N > 0.5·hw·tw·fy = 232.4 kN: n = 0.23729, MN = 141.086, η = 80/141.086 = 0.56703.
  EXPECT_EQ(v.crossSection.sectionClass, 1);
  EXPECT_DOUBLE_EQ(v.crossSection.s, 5);
  EXPECT_NEAR(v.crossSection.eta, 0.56703, 1e-5);
  // y (curve a): Ncr = π²·E·8356e4/5000² = 6927.5 kN, λ̄ = 0.42721, Φ = 0.61511, χ = 0.94548,
  // η = 300/(0.94548·1264.3/1.1) = 0.27606.
  EXPECT_EQ(v.bucklingY.curve.name, 'a');
  EXPECT_NEAR(v.bucklingY.chi, 0.94548, 1e-5);
  EXPECT_NEAR(v.bucklingY.eta, 0.27606, 1e-5);
  // z (curve b) over 2.5 m: Ncr = 2002.3 kN, λ̄ = 0.79462, Φ = 0.91680, χ = 0.72777, η = 0.35865.
  EXPECT_EQ(v.bucklingZ.curve.name, 'b');
  EXPECT_NEAR(v.bucklingZ.chi, 0.72777, 1e-5);
  EXPECT_NEAR(v.bucklingZ.eta, 0.35865, 1e-5);
  // Upper segment, 40 to 80 kNm: C1 = 1000/(200 + 150 + 240 + 210) = 1.25; Mcr = 1.25·2002314 N
  // ·√(20917.5 + 8139.2) mm = 426.64 kNm; h/b = 2: curve b; λ̄LT = 0.58833, Φ = 0.66181,
  // χLT = 0.92235, η = 80/(0.92235·147.674/1.1) = 0.64608. (Lower: 40/568.9 ≤ 0.16, χLT = 1.)
  EXPECT_DOUBLE_EQ(v.lateralTorsional.start, 2.5);
  EXPECT_EQ(v.lateralTorsional.curve.name, 'b');
  EXPECT_NEAR(v.lateralTorsional.Mcr, 426.64, 0.01);
  EXPECT_NEAR(v.lateralTorsional.eta, 0.64608, 1e-5);
  // Cmy = 0.6 + 0.4·0 = 0.6, CmLT = 0.2 + 0.8·60/80 = 0.8; ny = 0.27606, nz = 0.35865;
  // kyy = 0.6·(1 + 0.22721·0.27606) = 0.63763; kzy = 1 − 0.1·0.79462·0.35865/0.55 = 0.94818;
  // η61 = 0.27606 + 0.63763·0.64608 = 0.68803, η62 = 0.35865 + 0.94818·0.64608 = 0.97125.
  EXPECT_NEAR(v.interaction.Cmy, 0.6, 1e-12);
  EXPECT_NEAR(v.interaction.CmLT, 0.8, 1e-12);
  EXPECT_NEAR(v.interaction.kyy, 0.63763, 1e-5);
  EXPECT_NEAR(v.interaction.kzy, 0.94818, 1e-5);
  EXPECT_NEAR(v.interaction.eta61, 0.68803, 1e-5);
  EXPECT_NEAR(v.interaction.eta62, 0.97125, 1e-5);
  EXPECT_DOUBLE_EQ(v.Eta(), v.interaction.eta62);
  EXPECT_TRUE(v.covered);
}

// IPE 400 in S235 is class 1 in bending, but under N = 800 kN its whole web is compressed
// (α = 0.5 + 800e3/(2·331·8.6·235) = 1.098, at most 1) and c/t = 38.49 > 456/(13 − 1) = 38.0,
// while 42/(0.67 + 0.33ψ) = 58.7 with ψ = (94.67 − 71.55)/(94.67 + 71.55) = 0.139 (N/A and
// M·c/2/Iy at M = 100 kNm): class 3. Table B.1 then takes kyy = Cmy·(1 + 0.6·λ̄y·ny), at most
// Cmy·(1 + 0.6·ny); Cmy = 0.6 for the moment from 0 to 100 kNm.
TEST(MemberDesign, ClassThreeMemberTakesTheElasticKyyAndItsCap) {
  const SectionProperties& ipe = Section("IPE 400");
  const auto column = [&](double bucklingLengthY) {
    return VerifyMember(Linear(5, -800, 0, 100), ipe, 235, bucklingLengthY, 2.5);
  };
  // Lcr,y = 6 m: Ncr = π²·210000·23130e4/6000² = 13316.6 kN, λ̄y = √(1985.75/13316.6) =
  // 0.386159, curve a: Φ = 0.594106, χy = 0.956392, ny = 800/(0.956392·1985.75/1.1) = 0.463364;
  // kyy = 0.6·(1 + 0.6·0.386159·0.463364) = 0.664416 below 0.6·(1 + 0.6·0.463364) = 0.766811
  // (the class 1/2 rule would give 0.651756).
  MemberVerification v = column(6);
  EXPECT_EQ(v.crossSection.sectionClass, 3);
  EXPECT_TRUE(v.crossSection.elastic);
  EXPECT_NEAR(v.lateralTorsional.Wy, 1156, 1e-9);
  EXPECT_NEAR(v.interaction.Cmy, 0.6, 1e-12);
  EXPECT_NEAR(v.bucklingY.lambda, 0.386159, 1e-6);
  EXPECT_NEAR(v.bucklingY.eta, 0.463364, 1e-6);
  EXPECT_NEAR(v.interaction.kyy, 0.664416, 1e-6);
  // Lcr,y = 20 m: Ncr = 1198.49 kN, λ̄y = 1.287197, Φ = 1.442593, χy = 0.477578,
  // ny = 0.927927; 0.6·(1 + 0.6·1.287197·0.927927) = 1.029993 is capped at
  // 0.6·(1 + 0.6·0.927927) = 0.934054 (the class 1/2 rule would give 1.045405).
  v = column(20);
  EXPECT_EQ(v.crossSection.sectionClass, 3);
  EXPECT_NEAR(v.bucklingY.lambda, 1.287197, 1e-6);
  EXPECT_NEAR(v.bucklingY.eta, 0.927927, 1e-6);
  EXPECT_NEAR(v.interaction.kyy, 0.934054, 1e-6);
}

// The web under compression and bending by Table 5.2, each limit approached from both sides by
// the normal force (α for 1 and 2, ψ for 3). The flanges stay class 1 throughout.
TEST(MemberDesign, WebClassUnderNormalForceAndMomentSwitchesAtItsLimits) {
  // IPE 300, S235: c = 300 − 2·10.7 − 2·15 = 248.6 mm, c/t = 248.6/7.1 = 35.014;
  // α = 0.5 + N/(2·c·tw·fy) = 0.5 + N/829.58 kN. Class 1 while 396/(13α − 1) ≥ 35.014, i.e.
  // α ≤ 0.946903, N ≤ 370.74 kN. N = 365: α = 0.939983, limit 35.295, class 1. N = 375:
  // α = 0.952037, limit 34.809 but 456/(13α − 1) = 40.083, class 2.
  const SectionProperties& ipe300 = Section("IPE 300");
  EXPECT_EQ(SectionClass(ipe300, 235, 365, 50), 1);
  EXPECT_EQ(SectionClass(ipe300, 235, 375, 50), 2);
  // IPE 400, S235: c = 331 mm, c/t = 38.488; α = 0.5 + N/1337.90 kN. Class 2 while
  // 456/(13α − 1) ≥ 38.488, i.e. α ≤ 0.988287, N ≤ 653.28 kN. N = 645: α = 0.982098, limit
  // 38.752, class 2. N = 660: α = 0.993310, limit 38.277; ψ = 0.372, 42/(0.67 + 0.33ψ) =
  // 52.99: class 3.
  const SectionProperties& ipe400 = Section("IPE 400");
  EXPECT_EQ(SectionClass(ipe400, 235, 645, 50), 2);
  EXPECT_EQ(SectionClass(ipe400, 235, 660, 50), 3);
  // IPE 300, S355 (ε = 0.813617), N = 1000 kN: the whole web compressed (α = 1), beyond class 2
  // (456ε/12 = 30.92). Class 3 while 42ε/(0.67 + 0.33ψ) ≥ 35.014, i.e. ψ ≤ 0.927112. N/A =
  // 185.874 N/mm², M·(c/2)/Iy = M·1.48756 N/mm² per kNm: ψ = 0.927112 at M = 4.726 kNm.
  // M = 4.5: ψ = 0.930476, limit 34.974, class 4. M = 5: ψ = 0.923049, limit 35.062, class 3.
  EXPECT_EQ(SectionClass(ipe300, 355, 1000, 4.5), 4);
  EXPECT_EQ(SectionClass(ipe300, 355, 1000, 5), 3);
  EXPECT_EQ(SectionClass(ipe300, 355, 1000, -5), 3) << "the moment's sign does not count";
}

// 6.3.1.2(4): buckling may be ignored where NEd/Ncr ≤ 0.04, the limit itself included.
TEST(MemberDesign, FlexuralBucklingIsIgnoredUpToAndIncludingFourPercentOfNcr) {
  // IPE 300, S235, Lcr,y = 13 m: Ncr = π²·210000·8356e4/13000² = 1024.780 kN, λ̄y =
  // √(1264.3/1024.78) = 1.110733, curve a: Φ = 1.212491, χ = 0.588683. 0.04·Ncr = 40.99 kN.
  const SectionProperties& ipe = Section("IPE 300");
  const auto strut = [&](double NEd) {
    return VerifyMember(Linear(5, -NEd, 0, 0), ipe, 235, 13, 5).bucklingY;
  };
  const double Ncr = strut(1).Ncr;
  ASSERT_NEAR(Ncr, 1024.780, 1e-3);
  // The largest NEd whose quotient is 0.04 as the program compares it, and the next above.
  double atLimit = 0.04 * Ncr;
  while (atLimit / Ncr > 0.04) {
    atLimit = std::nextafter(atLimit, 0.0);
  }
  while (std::nextafter(atLimit, HUGE_VAL) / Ncr <= 0.04) {
    atLimit = std::nextafter(atLimit, HUGE_VAL);
  }
  EXPECT_NEAR(atLimit, 40.991, 1e-3);
  FlexuralBuckling b = strut(atLimit);
  EXPECT_EQ(b.chi, 1);
  EXPECT_NEAR(b.eta, 40.991 / (1264.3 / 1.1), 1e-6);
  b = strut(std::nextafter(atLimit, HUGE_VAL));
  EXPECT_NEAR(b.chi, 0.588683, 1e-6);
  EXPECT_NEAR(b.eta, 40.991 / (0.588683 * 1264.3 / 1.1), 1e-6);
  // Plainly below and above: 40 kN (3.9 %) and 42 kN (4.1 %).
  EXPECT_EQ(strut(40).chi, 1);
  EXPECT_NEAR(strut(42).chi, 0.588683, 1e-6);
}

}  // namespace
}  // namespace strevo
