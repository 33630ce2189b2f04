// A design's combinations against the tests' own stiffness solver applied to each
// combination's summed loads, and the checks and envelope against their definitions.
#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <stdexcept>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/analysis/computation.h"
#include "core/analysis/portal_statics.h"
#include "core/base/arithmetic_fault.h"
#include "core/checks/section_check.h"
#include "core/design/design_result.h"
#include "portal_stiffness.h"
#include "test_designs.h"
#include "test_inputs.h"

namespace strevo {
namespace {

using testing::LoadCaseNamed;

constexpr std::array<SystemType, 3> kSystems = {SystemType::KinkedBeam, SystemType::TwoHingedFrame,
                                                SystemType::FixedFrame};

// The loads a combination puts on the portal, summed case by case, wind mirrored where it
// blows from the right, and the columns' self-weight that only their feet feel.
struct SummedLoads {
  testing::FrameLoads frame;
  double footLoad = 0;  // kN added to AV and to BV
};

SummedLoads SummedLoadsOf(const DesignResult& result, const Combination& combination) {
  const Design& d = result.design;
  SummedLoads sum{{d.h, d.L, result.portal.I1, result.portal.I2, 0, 0, 0, {}, {}}, 0};
  for (const CaseFactor& f : combination.factors) {
    const DesignCase& c = result.cases[f.loadCase];
    const LoadCase& l = c.loads;
    sum.frame.q += f.factor * l.q;
    sum.frame.wD += f.factor * (f.mirrored ? -l.wS : l.wD);
    sum.frame.wS += f.factor * (f.mirrored ? -l.wD : l.wS);
    if (l.F != 0) {
      sum.frame.pointLoads.push_back({f.mirrored ? d.L - l.a : l.a, f.factor * l.F});
    }
    if (c.name == kSelfWeightCaseName) {
      sum.footLoad += f.factor * SelfWeightOf(d.columns) * d.h;
    }
  }
  return sum;
}

Design RandomDesign(std::mt19937& random, SystemType system) {
  std::uniform_real_distribution<double> load(-10, 10), length(2, 15), fraction(0.05, 0.95);
  std::uniform_int_distribution<std::size_t> section(0, kSectionProperties.size() - 1);
  Design d;
  d.system = system;
  d.h = length(random);
  d.L = length(random);
  d.columns.section = kSectionProperties[section(random)].designation;
  d.beam.section = kSectionProperties[section(random)].designation;
  d.selfWeight = random() % 2 == 0;
  d.loadCases = {
      LoadCaseNamed("G", Action::Permanent,
                    {std::abs(load(random)), load(random), d.L * fraction(random), 0, 0}),
      LoadCaseNamed("S", Action::Snow, {std::abs(load(random)), 0, 0, 0, 0}),
      LoadCaseNamed(
          "W", Action::Wind,
          {load(random), load(random), d.L * fraction(random), load(random), load(random)}),
      LoadCaseNamed("Q", Action::Imposed, {0, load(random), d.L * fraction(random), 0, 0})};
  d.loadCases[3].category = "ABCDEFGH"[random() % 8];
  return d;
}

TEST(DesignResult, EveryCombinationAgreesWithTheStiffnessSolverOnItsSummedLoads) {
  std::mt19937 random(2107);
  int compared = 0;
  for (const SystemType system : kSystems) {
    for (int run = 0; run < 15; ++run) {
      const DesignResult result = ComputeDesign(RandomDesign(random, system));
      for (const CombinationResult& c : result.combinations) {
        SummedLoads loads = SummedLoadsOf(result, c.combination);
        const double xw = c.solution.deformation->xw;
        const bool inside = xw > 1e-6 && xw < result.portal.L - 1e-6;
        if (inside) {
          loads.frame.stations.push_back(xw);
        }
        const testing::FrameResponse ref = testing::SolveFrameByStiffness(loads.frame, system);
        const double scale =
            std::abs(loads.frame.q) * result.portal.L +
            (std::abs(loads.frame.wD) + std::abs(loads.frame.wS)) * result.portal.h + 10 +
            loads.footLoad;
        const auto near = [&](double value, double reference, const char* name) {
          EXPECT_NEAR(value, reference, 1e-7 * scale * std::max(result.portal.L, result.portal.h))
              << name << " " << c.combination.id << " " << c.combination.label;
        };
        near(c.values.AH, ref.reactions.AH, "AH");
        near(c.values.AV, ref.reactions.AV + loads.footLoad, "AV");
        near(c.values.MA, ref.reactions.MA, "MA");
        near(c.values.BH, ref.reactions.BH, "BH");
        near(c.values.BV, ref.reactions.BV + loads.footLoad, "BV");
        near(c.values.MB, ref.reactions.MB, "MB");
        near(c.solution.reactions.AV, c.values.AV, "reaction AV");
        // The solver has EI = I; the portal's steel EI = 2.1·I kNm² and displacements in mm.
        const double toMm = 1000 / kBendingStiffnessPerCm4;
        const Deformation& d = *c.solution.deformation;
        EXPECT_NEAR(d.u, ref.sway * toMm, 1e-6 * std::max(1.0, std::abs(d.u))) << c.combination.id;
        if (inside) {
          EXPECT_NEAR(d.w, -ref.stationDeflections[0] * toMm, 1e-5 * std::max(1.0, std::abs(d.w)))
              << c.combination.id;
        }
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 1000);
}

TEST(DesignResult, ACaseAloneIsTheComputationOfItsLoadsTimesItsFactor) {
  for (const SystemType system : kSystems) {
    const InputSet in = testing::AllLoads();
    Design d;
    d.system = system;
    d.h = in.h;
    d.L = in.L;
    d.columns.I = 4000;
    d.beam.I = 9000;
    d.loadCases = {LoadCaseNamed("Alles", Action::Permanent, LoadCaseOf(in))};
    const DesignResult result = ComputeDesign(d);
    ASSERT_EQ(result.combinations.size(), 3u);  // 1.35·G, G, G (characteristic)
    SharedResults alone;
    const Solution solution = Solve(result.portal, LoadCaseOf(in), &alone);
    const CombinationResult& factored = result.combinations[0];
    for (const StoredValue& v : kStoredValues) {
      const double expected = v.member == &SharedResults::X3 || v.member == &SharedResults::k
                                  ? alone.*v.member
                                  : 1.35 * alone.*v.member;
      EXPECT_NEAR(factored.values.*v.member, expected, 1e-9) << v.symbol;
      EXPECT_NEAR(result.combinations[2].values.*v.member, alone.*v.member, 1e-9) << v.symbol;
    }
    EXPECT_NEAR(factored.solution.deformation->u, 1.35 * solution.deformation->u, 1e-9);
    EXPECT_NEAR(factored.solution.deformation->xw, solution.deformation->xw, 1e-9);
  }
}

TEST(DesignResult, OnlyTheColumnsWeightCompressesTheColumnsAndBendsNothing) {
  Design with = testing::HallDesign();
  with.beam = {"", 33740};  // no beam self-weight
  Design without = with;
  without.selfWeight = false;
  const DesignResult a = ComputeDesign(with), b = ComputeDesign(without);
  ASSERT_EQ(a.cases.back().name, "Eigengewicht");
  EXPECT_EQ(a.cases.back().loads.q, 0);
  const double gh = SelfWeightOf(with.columns) * with.h;
  EXPECT_NEAR(gh, 0.882 * 9.81 / 1000 * 100 * 6, 0.01);  // HE 300 A: 88.3 kg/m
  // The same combinations but for the extra case: the first is 1.35 (Dach + Eigengewicht).
  const CombinationResult& ca = a.combinations[0];
  const CombinationResult& cb = b.combinations[0];
  EXPECT_NEAR(ca.values.AV, cb.values.AV + 1.35 * gh, 1e-9);
  EXPECT_NEAR(ca.values.BV, cb.values.BV + 1.35 * gh, 1e-9);
  for (auto value : {&SharedResults::N1, &SharedResults::N5, &SharedResults::M1, &SharedResults::MA,
                     &SharedResults::M3, &SharedResults::AH}) {
    EXPECT_NEAR(ca.values.*value, cb.values.*value, 1e-9);
  }
  const ForceLine& N = ca.solution.lines[0].N;
  EXPECT_NEAR(N.At(0), cb.values.N1 - 1.35 * gh, 1e-9);  // at the foot
  EXPECT_NEAR(N.At(6), cb.values.N1, 1e-9);
  EXPECT_NEAR(ca.solution.lines[2].N.At(6), cb.values.N5 - 1.35 * gh, 1e-9);
}

TEST(DesignResult, EnvelopeHoldsEveryUltimateCombinationAndTouchesIt) {
  const DesignResult result = ComputeDesign(testing::HallDesign());
  for (std::size_t m = 0; m < 3; ++m) {
    for (auto [line, envelope] : {std::pair{&MemberLines::M, &MemberEnvelope::M},
                                  std::pair{&MemberLines::Q, &MemberEnvelope::Q},
                                  std::pair{&MemberLines::N, &MemberEnvelope::N}}) {
      const ForceEnvelope& e = result.envelope[m].*envelope;
      ASSERT_GE(e.stations.size(), 11u);
      for (const EnvelopeStation& st : e.stations) {
        EXPECT_NEAR((result.combinations[st.maxBy].solution.lines[m].*line).At(st.s), st.max,
                    std::abs(st.max) * 1e-12 + 50)  // a jump's right value reads the left piece
        ;
        EXPECT_LE(st.min, st.max);
        EXPECT_LE(e.min.value, st.min + 1e-9);
        EXPECT_GE(e.max.value, st.max - 1e-9);
      }
      // Dense sampling never finds a value beyond the exact extremes.
      for (const CombinationResult& c : result.combinations) {
        if (c.combination.state != LimitState::Ultimate) {
          continue;
        }
        const double length = m == 1 ? 15.0 : 6.0;
        for (int i = 0; i <= 600; ++i) {
          const double value = (c.solution.lines[m].*line).At(length * i / 600);
          EXPECT_LE(value, e.max.value + 1e-9);
          EXPECT_GE(value, e.min.value - 1e-9);
        }
      }
      EXPECT_EQ(result.combinations[e.max.by].combination.state, LimitState::Ultimate);
    }
  }
}

TEST(DesignResult, GoverningChecksAreTheWorstCombinations) {
  const DesignResult result = ComputeDesign(testing::HallDesign());
  double column = 0, beam = 0, sway = 0, deflection = 0;
  std::array<double, 5> largest{};  // each check over both members' ultimate combinations
  for (const CombinationResult& c : result.combinations) {
    if (c.combination.state == LimitState::Ultimate) {
      ASSERT_TRUE(c.stability && c.columns && c.beam);
      EXPECT_FALSE(c.check.sway);
      column = std::max(column, c.columns->Eta());
      beam = std::max(beam, c.beam->Eta());
      const MemberVerification& v = c.columns->verification;
      for (const auto& [i, eta] : {std::pair{0, v.crossSection.eta},
                                   {1, v.bucklingY.eta},
                                   {2, v.bucklingZ.eta},
                                   {3, v.lateralTorsional.eta},
                                   {4, v.interaction.eta}}) {
        largest[static_cast<std::size_t>(i)] = std::max(largest[static_cast<std::size_t>(i)], eta);
      }
    } else {
      ASSERT_TRUE(c.check.sway && c.check.deflection);
      EXPECT_FALSE(c.stability || c.columns || c.beam);
      sway = std::max(sway, std::abs(c.solution.deformation->u));
      deflection = std::max(deflection, std::abs(c.solution.deformation->w));
    }
  }
  const DesignChecks& checks = result.checks;
  EXPECT_EQ(checks.columns->check.Eta(), column);
  EXPECT_EQ(checks.beam->check.Eta(), beam);
  const GoverningMember& g = *checks.columns;
  EXPECT_EQ(g.crossSection.eta, largest[0]);
  EXPECT_EQ(g.bucklingY.eta, largest[1]);
  EXPECT_EQ(g.bucklingZ.eta, largest[2]);
  EXPECT_EQ(g.lateralTorsional.eta, largest[3]);
  EXPECT_EQ(g.interaction.eta, largest[4]);
  EXPECT_EQ(result.combinations[g.interaction.combination].columns->verification.interaction.eta,
            largest[4]);
  // Sways that differ only by rounding are a tie, which the first combination takes.
  EXPECT_NEAR(std::abs(result.combinations[checks.sway->combination].solution.deformation->u), sway,
              1e-12 * sway);
  EXPECT_EQ(checks.deflection->check.ratio, 15000 / deflection);
  EXPECT_EQ(checks.AllMet(),
            column <= 1 && beam <= 1 && checks.sway->check.met && checks.deflection->check.met);
}

// The hall as the main window checks it with the loads typed in (q = 4 + 8, wind 3 / 1.5, no
// self-weight): 0.69 in the elastic cross-section. Designed with the stability of the portal and
// its members, the same wind from the left still governs the columns.
TEST(DesignResult, TheHallsColumnsAsTypedAndAsDesigned) {
  Design d = testing::HallDesign();
  d.loadCases = {LoadCaseNamed("Dach", Action::Permanent, {4, 0, 0, 0, 0}),
                 LoadCaseNamed("Schnee", Action::Snow, {8, 0, 0, 0, 0}),
                 LoadCaseNamed("Wind", Action::Wind, {0, 0, 0, 3, 1.5})};
  const DesignResult result = ComputeDesign(d);
  const CombinationResult& governing = result.combinations[result.checks.columns->combination];
  EXPECT_EQ(governing.combination.label, "1,35·G + 1,5·S + 0,9·W→");
  EXPECT_GT(result.checks.columns->check.Eta(), 1);
  EXPECT_FALSE(result.checks.AllMet());

  InputSet typed;
  typed.q = 12;
  typed.wD = 3;
  typed.wS = 1.5;
  typed.h = 6;
  typed.L = 15;
  typed.I1 = 18260;
  typed.I2 = 33740;
  SharedResults r;
  Computation computation = Compute(typed, SystemType::TwoHingedFrame, r);
  computation.columnSection = "HE-A 300";
  computation.beamSection = "IPE 450";
  const SectionCheck asTyped = CheckSections(computation, {});
  EXPECT_NEAR(asTyped.columns->Eta(), 0.69, 0.005);
}

// Every ultimate combination: αcr of its own normal forces, φ = 1/200 · 2/√6 · √0.75 for h = 6 m,
// its forces φ·N at the column tops in the direction it sways, and second order below 10.
TEST(DesignResult, EachUltimateCombinationCarriesItsStability) {
  const DesignResult result = ComputeDesign(testing::HallDesign());
  bool first = false, second = false;
  for (const CombinationResult& c : result.combinations) {
    if (!c.stability) {
      continue;
    }
    const CombinationStability& st = *c.stability;
    EXPECT_EQ(st.critical.factor, CriticalLoadOf(result.portal, st.normalForces).factor);
    EXPECT_NEAR(st.imperfection, 2 / std::sqrt(6.0) * std::sqrt(0.75) / 200, 1e-15);
    const double direction = c.solution.deformation->u < -1e-9 ? -1 : 1;
    EXPECT_NEAR(st.imperfectionForces[0], -direction * st.imperfection * st.normalForces.leftColumn,
                1e-12);
    EXPECT_EQ(st.secondOrder, st.critical.factor < 10);
    (st.secondOrder ? second : first) = true;
    // The design forces hold the imperfection: the horizontal reactions balance the wind alone.
    double wind = 0;
    for (const CaseFactor& f : c.combination.factors) {
      const LoadCase& loads = result.cases[f.loadCase].loads;
      wind += f.factor * (f.mirrored ? -(loads.wD + loads.wS) : loads.wD + loads.wS) * 6;
    }
    EXPECT_NEAR(st.designValues.AH - st.designValues.BH, -wind, 1e-9 * (1 + std::abs(wind)));
    EXPECT_NEAR(st.designValues.AV + st.designValues.BV, c.values.AV + c.values.BV, 1e-9);
  }
  EXPECT_TRUE(first && second);
}

// A slender frame whose loads pass its critical load: no equilibrium, every member fails.
TEST(DesignResult, AnUnstableCombinationFailsItsChecks) {
  Design d = testing::HallDesign();
  d.h = 12;
  d.columns.section = "IPE 200";
  d.loadCases = {LoadCaseNamed("Dach", Action::Permanent, {60, 0, 0, 0, 0})};
  const DesignResult result = ComputeDesign(d);
  const CombinationResult& c = result.combinations.front();
  ASSERT_TRUE(c.stability);
  EXPECT_LE(c.stability->critical.factor, 1);
  EXPECT_TRUE(c.stability->unstable);
  EXPECT_TRUE(c.columns->unstable && c.beam->unstable);
  EXPECT_FALSE(c.columns->Met());
  EXPECT_FALSE(result.checks.AllMet());
}

// η ≤ 1 meets the check, η = 1 itself included. An IPE 300 in S235, 1 mm long, under exactly
// its shear resistance Vpl,Rd = 25.68·235/√3/10 = 348.419 kN: η = VEd/Vpl,Rd = 1 at both ends;
// the moment, at most 0.35 kNm against Mpl,V = (628.4 − 137.772)·0.235 = 115.30 kNm (ρ = 1),
// and the buckling checks stay far below.
TEST(DesignResult, AMemberAtExactlyItsResistanceMeetsItsCheck) {
  const SectionProperties* ipe = FindSection("IPE 300");
  ASSERT_NE(ipe, nullptr);
  const auto member = [&](double V) {
    MemberDesignForces f;
    f.length = 0.001;
    f.at = [=](double s) { return MemberForces{V * s, V, 0}; };
    f.places = {{0, f.at(0)}, {f.length, f.at(f.length)}};
    MemberDesign d;
    d.verification = VerifyMember(f, *ipe, 235, f.length, f.length);
    return d;
  };
  const double VRd = member(1).verification.crossSection.VRd;
  ASSERT_NEAR(VRd, 348.419, 0.001);
  // The resistance to the last bit, so that η is 1 exactly.
  const MemberDesign at = member(VRd);
  EXPECT_EQ(at.Eta(), 1);
  EXPECT_TRUE(at.Met());
  const MemberDesign above = member(std::nextafter(VRd, HUGE_VAL));
  EXPECT_GT(above.Eta(), 1);
  EXPECT_FALSE(above.Met());
}

// The working shows the governing combination's forces and reaches its η.
TEST(DesignResult, TheGoverningChecksWorkingEndsInTheirUtilisation) {
  const DesignResult result = ComputeDesign(testing::HallDesign());
  const std::vector<RechenwegStep> steps = GoverningCheckRechenweg(result);
  const auto eta = [&](const std::string& target) {
    const auto step = std::find_if(steps.begin(), steps.end(),
                                   [&](const RechenwegStep& s) { return s.target == target; });
    return step == steps.end() ? -1.0 : step->value;
  };
  EXPECT_NEAR(eta("ηS"), result.checks.columns->check.Eta(), 1e-9);
  EXPECT_NEAR(eta("ηR"), result.checks.beam->check.Eta(), 1e-9);
  const std::string id = result.combinations[result.checks.columns->combination].combination.id;
  EXPECT_NE(RechenwegText(steps).find("Stützen, HE 300 A, " + id), std::string::npos);
}

// A fixed frame whose beam's interaction governs in another segment than its lateral-torsional
// buckling: the working takes that segment's own C1, Mcr and χLT and still ends in the η of
// 6.61 and 6.62.
TEST(DesignResult, TheWorkingFollowsTheInteractionIntoItsOwnSegment) {
  const DesignResult result = ComputeDesign(testing::SegmentedInteractionDesign());
  const MemberVerification& v = result.checks.beam->check.verification;
  ASSERT_NE(v.interaction.start, v.lateralTorsional.start);
  const std::vector<RechenwegStep> steps = GoverningCheckRechenweg(result);
  const auto last = [&](const std::string& target) {
    const auto step = std::find_if(steps.rbegin(), steps.rend(),
                                   [&](const RechenwegStep& s) { return s.target == target; });
    return step == steps.rend() ? -1.0 : step->value;
  };
  EXPECT_NEAR(last("Mcr"), v.interaction.lateralTorsional.Mcr,
              1e-9 * v.interaction.lateralTorsional.Mcr);
  EXPECT_NEAR(last("η6.61"), v.interaction.eta61, 1e-9);
  EXPECT_NEAR(last("η6.62"), v.interaction.eta62, 1e-9);
  EXPECT_NEAR(last("ηR"), result.checks.beam->check.Eta(), 1e-9);
}

// The design values are named as the first-order ones: point loads over a corner count in the
// beam's end shear, and the field point follows the same rule, also where every member is in
// tension (no imperfection, first order: the values are the first-order ones). A load a
// ten-millionth of the span from a corner stays stable and converges.
TEST(DesignResult, DesignValuesAreNamedAsTheFirstOrderOnes) {
  Design d = testing::HallDesign();
  d.system = SystemType::FixedFrame;
  d.selfWeight = false;
  d.loadCases = {LoadCaseNamed("Sog", Action::Wind, {-6, 0, 0, 2, 1})};
  for (const CombinationResult& c : ComputeDesign(d).combinations) {
    if (c.stability) {
      EXPECT_EQ(c.stability->critical.factor, HUGE_VAL);
      EXPECT_NEAR(c.stability->designValues.X3, c.values.X3, 1e-9);
      EXPECT_NEAR(c.stability->designValues.M3, c.values.M3, 1e-9);
    }
  }
  d.loadCases = {LoadCaseNamed("Dach", Action::Permanent, {4, 0, 0, 0, 0}),
                 LoadCaseNamed("Links", Action::Imposed, {0, 200, 0, 0, 0}),
                 LoadCaseNamed("Rechts", Action::Imposed, {0, 200, 15, 0, 0}),
                 LoadCaseNamed("Fast", Action::Imposed, {0, 50, 15e-7, 0, 0})};
  for (DesignCase& c : d.loadCases) {
    c.category = 'E';
  }
  const DesignResult result = ComputeDesign(d);
  for (const CombinationResult& c : result.combinations) {
    if (!c.stability) {
      continue;
    }
    ASSERT_FALSE(c.stability->unstable) << c.combination.label;
    // The imperfection and second order move the end shears by a few percent of a column's
    // force, never by a corner's load of 300 kN.
    const SharedResults& design = c.stability->designValues;
    EXPECT_NEAR(design.Q2, c.values.Q2, 0.02 * std::abs(c.values.AV)) << c.combination.label;
    EXPECT_NEAR(design.Q4, c.values.Q4, 0.02 * std::abs(c.values.BV)) << c.combination.label;
  }
}

// The hall as a fixed frame without self-weight, so that wind makes every reaction count. Each of
// one combination's six reactions is its cases' reactions times their factors (the wind case
// solved on its own mirrored loads), and together they hold the combination's loads.
TEST(DesignResult, ACombinationsReactionsAreItsCasesSummedAndHoldItsLoads) {
  Design d = testing::HallDesign();
  d.system = SystemType::FixedFrame;
  d.selfWeight = false;
  const DesignResult result = ComputeDesign(d);
  const auto found = std::find_if(
      result.combinations.begin(), result.combinations.end(), [](const CombinationResult& c) {
        return c.combination.label == "1,35·G + 1,5·W← + 0,75·S + 1,5·Q";
      });
  ASSERT_NE(found, result.combinations.end());
  const CombinationResult& c = *found;

  Reactions sum;
  for (const CaseFactor& f : c.combination.factors) {
    LoadCase loads = result.cases[f.loadCase].loads;
    if (f.mirrored) {
      loads = {loads.q, loads.F, d.L - loads.a, -loads.wS, -loads.wD};
    }
    const Reactions r = Solve(result.portal, loads).reactions;
    sum.AH += f.factor * r.AH;
    sum.AV += f.factor * r.AV;
    sum.MA += f.factor * r.MA;
    sum.BH += f.factor * r.BH;
    sum.BV += f.factor * r.BV;
    sum.MB += f.factor * r.MB;
  }
  const Reactions& got = c.solution.reactions;
  const std::pair<const char*, std::array<double, 3>> rows[] = {
      {"AH", {got.AH, c.values.AH, sum.AH}}, {"AV", {got.AV, c.values.AV, sum.AV}},
      {"MA", {got.MA, c.values.MA, sum.MA}}, {"BH", {got.BH, c.values.BH, sum.BH}},
      {"BV", {got.BV, c.values.BV, sum.BV}}, {"MB", {got.MB, c.values.MB, sum.MB}}};
  for (const auto& [name, values] : rows) {
    EXPECT_GT(std::abs(values[2]), 1) << name;
    EXPECT_NEAR(values[0], values[2], 1e-9 * (1 + std::abs(values[2]))) << name;
    EXPECT_NEAR(values[1], values[2], 1e-9 * (1 + std::abs(values[2]))) << name;
  }

  // The loads by hand: q = 1.35·4 + 1.5·(−1.2) + 0.75·8 = 9.6 kN/m on L = 15 m, F = 1.5·40 =
  // 60 kN at a = 5 m; the wind from the right, 1.5·1.5 and 1.5·3 kN/m, gives wD = −2.25 and
  // wS = −4.5 kN/m on h = 6 m (positive to the right).
  // ΣH, AH counted to the right and BH to the left: AH − BH = −(wD + wS)·h = 6.75·6 = 40.5 kN.
  // ΣV: AV + BV = q·L + F = 144 + 60 = 204 kN.
  // ΣM about A, counter-clockwise (MA acts clockwise, MB counter-clockwise on the frame):
  // BV·L − MA + MB = q·L²/2 + F·a + (wD + wS)·h²/2 = 1080 + 300 − 121.5 = 1258.5 kNm.
  EXPECT_NEAR(got.AH - got.BH, 40.5, 1e-9);
  EXPECT_NEAR(got.AV + got.BV, 204, 1e-9);
  EXPECT_NEAR(got.BV * 15 - got.MA + got.MB, 1258.5, 1e-8);
}

TEST(DesignResult, ADesignWithProblemsOrAbsurdLoadsIsNotComputed) {
  Design d = testing::HallDesign();
  d.h = 0;
  EXPECT_THROW(ComputeDesign(d), std::invalid_argument);
  // Nothing to check is no design that meets every check.
  d = testing::HallDesign();
  d.loadCases.clear();
  d.selfWeight = false;
  ASSERT_EQ(ProblemsOf(d).size(), 1u);
  EXPECT_EQ(ProblemsOf(d)[0].key, "loadCases");
  EXPECT_THROW(ComputeDesign(d), std::invalid_argument);
  d.selfWeight = true;
  EXPECT_EQ(ComputeDesign(d).combinations.size(), 3u);  // the self-weight alone

  d = testing::HallDesign();
  d.loadCases[0].loads.q = 1e305;
  EXPECT_THROW(ComputeDesign(d), ArithmeticFault);
}

}  // namespace
}  // namespace strevo
