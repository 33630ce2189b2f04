// The search for the lightest sections against trying every pair, by mass, with the design's
// own checks.
#include "core/design/section_search.h"

#include <algorithm>
#include <random>
#include <string_view>

#include <gtest/gtest.h>

#include "core/analysis/frame_analysis.h"
#include "core/base/arithmetic_fault.h"
#include "core/design/design_result.h"
#include "test_designs.h"

namespace strevo {
namespace {

using testing::LoadCaseNamed;

struct Pair {
  const SectionProperties* columns;
  const SectionProperties* beam;
  double mass;
};

// Every pair of IPE columns and IPE or HE-A beams, by mass, each computed whole.
std::vector<Pair> PairsByMass(const Design& d, const char* beamFamily) {
  std::vector<Pair> pairs;
  for (const SectionProperties& c : kSectionProperties) {
    for (const SectionProperties& b : kSectionProperties) {
      if (std::string_view(c.family) == "IPE" && std::string_view(b.family) == beamFamily) {
        pairs.push_back({&c, &b, 2 * d.h * c.mass + d.L * b.mass});
      }
    }
  }
  std::stable_sort(pairs.begin(), pairs.end(),
                   [](const Pair& a, const Pair& b) { return a.mass < b.mass; });
  return pairs;
}

Design RandomHall(std::mt19937& random) {
  std::uniform_real_distribution<double> u(0, 1);
  Design d = testing::HallDesign();
  d.system = static_cast<SystemType>(std::uniform_int_distribution(0, 2)(random));
  d.h = 3 + 4 * u(random);
  d.L = 8 + 10 * u(random);
  d.settings.grade = static_cast<SteelGrade>(std::uniform_int_distribution(0, 2)(random));
  d.restraints = {d.h / 2, d.L / 4};
  d.loadCases = {LoadCaseNamed("Dach", Action::Permanent, {1 + 4 * u(random), 0, 0, 0, 0}),
                 LoadCaseNamed("Schnee", Action::Snow, {6 * u(random), 0, 0, 0, 0}),
                 LoadCaseNamed("Wind", Action::Wind, {0, 0, 0, 2 * u(random), u(random)})};
  return d;
}

// Restricted to IPE columns and IPE or HE-A beams, few load cases: every pair can be computed.
TEST(SectionSearch, FindsWhatTryingEveryPairFinds) {
  std::mt19937 random(22);
  int found = 0;
  for (int n = 0; n < 6; ++n) {
    const Design d = RandomHall(random);
    const char* beamFamily = n % 2 == 0 ? "IPE" : "HE-A";
    AllowedFamilies families;
    families.columns = {true, false, false};
    families.beam = n % 2 == 0 ? std::array{true, false, false} : std::array{false, true, false};
    const SectionSearch search = SearchSections(d, families);
    std::vector<const Pair*> passing;
    const std::vector<Pair> pairs = PairsByMass(d, beamFamily);
    ASSERT_EQ(search.pairs, pairs.size());
    for (const Pair& p : pairs) {
      if (passing.size() < 5 &&
          ComputeDesign(WithSections(d, *p.columns, *p.beam)).checks.AllMet()) {
        passing.push_back(&p);
      }
    }
    ASSERT_EQ(search.passing.size(), passing.size()) << n;
    for (std::size_t i = 0; i < passing.size(); ++i) {
      EXPECT_EQ(search.passing[i].columns, passing[i]->columns) << n << " " << i;
      EXPECT_EQ(search.passing[i].beam, passing[i]->beam) << n << " " << i;
      EXPECT_DOUBLE_EQ(search.passing[i].mass, passing[i]->mass);
      EXPECT_LE(std::max(search.passing[i].etaColumns, search.passing[i].etaBeam), 1);
    }
    // The lighter pairs shown fail, and are the heaviest ones below the lightest passing pair.
    if (!passing.empty()) {
      ++found;
      const auto first = static_cast<std::size_t>(passing.front() - pairs.data());
      ASSERT_EQ(search.lighterFailing.size(), std::min<std::size_t>(3, first));
      for (std::size_t i = 0; i < search.lighterFailing.size(); ++i) {
        EXPECT_EQ(search.lighterFailing[i].columns, pairs[first - 1 - i].columns);
        EXPECT_EQ(search.lighterFailing[i].failure.rfind("GZ", 0), 0u)
            << search.lighterFailing[i].failure;
      }
      EXPECT_TRUE(search.suggestions.empty());
    }
  }
  EXPECT_GE(found, 4);
}

// Loads no section can carry: the heaviest pair says why, and the user learns what to change.
TEST(SectionSearch, SaysWhyNothingPassesAndWhatToChange) {
  Design d = testing::HallDesign();
  d.settings.grade = SteelGrade::S235;
  d.loadCases = {LoadCaseNamed("Dach", Action::Permanent, {400, 0, 0, 0, 0})};
  AllowedFamilies families;
  families.beam = {true, false, false};
  const SectionSearch search = SearchSections(d, families);
  EXPECT_TRUE(search.passing.empty());
  EXPECT_EQ(search.decided, search.pairs);
  ASSERT_EQ(search.lighterFailing.size(), 1u);
  EXPECT_STREQ(search.lighterFailing[0].columns->designation, "HE 1000 B");
  EXPECT_STREQ(search.lighterFailing[0].beam->designation, "IPE 600");
  EXPECT_EQ(search.lighterFailing[0].failure.rfind("GZT 1: ", 0), 0u)
      << search.lighterFailing[0].failure;
  EXPECT_EQ(search.suggestions,
            (std::vector<std::string>{"eine höhere Stahlsorte wählen (S355)",
                                      "die seitlichen Halterungen von Stützen und Riegel enger "
                                      "setzen",
                                      "die Stützenfüße einspannen (eingespannter Rahmen)",
                                      "weitere Profilreihen zulassen"}));
}

// Absurd dimensions: the analysis of the frame finds no equilibrium (h = 1e158 m) or a value
// out of range (h = 1e100 m). Each pair fails with that reason, and the search ends normally.
TEST(SectionSearch, APairThatCannotBeComputedFailsWithTheFault) {
  for (const auto& [h, reason] : {std::pair{1e158, "Rechenfehler (Rahmen ohne Gleichgewicht)"},
                                  std::pair{1e100, "Rechenfehler (Ungültige Rechenoperation)"}}) {
    Design d = testing::HallDesign();
    d.h = h;
    EXPECT_THROW(ComputeDesign(d), ArithmeticFault);
    const std::vector<Combination> combinations = CombinationsOf(CasesOf(d));
    EXPECT_EQ(FirstFailingCombination(d, combinations, {2, 0, 1}), std::optional<std::size_t>(2));
    AllowedFamilies families;
    families.columns = {true, false, false};
    families.beam = {true, false, false};
    const SectionSearch search = SearchSections(d, families);
    EXPECT_TRUE(search.passing.empty());
    EXPECT_EQ(search.decided, search.pairs);
    ASSERT_EQ(search.lighterFailing.size(), 1u);
    EXPECT_EQ(search.lighterFailing[0].failure, reason);
  }
  Design d = testing::HallDesign();
  d.h = 1e158;
  try {
    ComputeDesign(d);
    ADD_FAILURE() << "computed";
  } catch (const UnstableFrame& fault) {
    EXPECT_EQ(fault.kind(), FaultKind::NoEquilibrium);
    EXPECT_STREQ(fault.what(), "Rahmen ohne Gleichgewicht");
  }
}

// A token counts the search's pairs and the design's combinations as it goes, changes nothing
// found, and stops either before its next step once cancelled, also through a part's token.
TEST(SectionSearch, ATokenCountsItsStepsAndStopsItWhenCancelled) {
  const Design hall = testing::HallDesign();
  const AllowedFamilies families;
  Cancellation token;
  const SectionSearch counted = SearchSections(hall, families, &token);
  const SectionSearch plain = SearchSections(hall, families);
  EXPECT_EQ(token.Total(), plain.pairs);
  EXPECT_EQ(token.Done(), plain.decided) << "the passing and failing pairs' designs not counted";
  ASSERT_FALSE(plain.passing.empty());
  ASSERT_EQ(counted.passing.size(), plain.passing.size());
  EXPECT_EQ(counted.passing[0].columns, plain.passing[0].columns);
  EXPECT_EQ(counted.decided, plain.decided);

  Cancellation designToken;
  const DesignResult result = ComputeDesign(hall, &designToken);
  EXPECT_EQ(designToken.Total(), result.combinations.size());
  EXPECT_EQ(designToken.Done(), result.combinations.size());

  Cancellation cancelled;
  cancelled.Cancel();
  EXPECT_THROW(SearchSections(hall, families, &cancelled), Cancelled);
  EXPECT_EQ(cancelled.Done(), 0u);
  EXPECT_THROW(ComputeDesign(hall, &cancelled), Cancelled);
  Cancellation part(&cancelled);
  EXPECT_TRUE(part.IsCancelled());
  const std::vector<Combination> combinations = CombinationsOf(CasesOf(hall));
  EXPECT_THROW(FirstFailingCombination(hall, combinations, {0, 1}, &part), Cancelled);
}

}  // namespace
}  // namespace strevo
