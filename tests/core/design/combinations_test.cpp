// The combinations EN 1990 allows, counted and written out by hand for small sets of cases.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/design/design_result.h"

namespace strevo {
namespace {

DesignCase Case(const std::string& name, Action action, char category = 'A') {
  DesignCase c;
  c.name = name;
  c.action = action;
  c.category = category;
  return c;
}

std::vector<std::string> Labels(const std::vector<Combination>& all, LimitState state) {
  std::vector<std::string> labels;
  for (const Combination& c : all) {
    if (c.state == state) {
      labels.push_back(c.label);
    }
  }
  return labels;
}

const std::vector<DesignCase> kHall = {Case("Dach", Action::Permanent),
                                       Case("Schnee", Action::Snow), Case("Wind", Action::Wind)};

TEST(Combinations, PermanentSnowAndWindGiveSixteenUltimateAndEightCharacteristic) {
  const std::vector<Combination> all = CombinationsOf(kHall);
  const std::vector<std::string> ultimate = {"1,35·G",
                                             "1,35·G + 1,5·S",
                                             "1,35·G + 1,5·S + 0,9·W→",
                                             "1,35·G + 1,5·S + 0,9·W←",
                                             "1,35·G + 1,5·W→",
                                             "1,35·G + 1,5·W→ + 0,75·S",
                                             "1,35·G + 1,5·W←",
                                             "1,35·G + 1,5·W← + 0,75·S",
                                             "G",
                                             "G + 1,5·S",
                                             "G + 1,5·S + 0,9·W→",
                                             "G + 1,5·S + 0,9·W←",
                                             "G + 1,5·W→",
                                             "G + 1,5·W→ + 0,75·S",
                                             "G + 1,5·W←",
                                             "G + 1,5·W← + 0,75·S"};
  EXPECT_EQ(Labels(all, LimitState::Ultimate), ultimate);
  const std::vector<std::string> characteristic = {
      "G",      "G + S",          "G + S + 0,6·W→", "G + S + 0,6·W←",
      "G + W→", "G + W→ + 0,5·S", "G + W←",         "G + W← + 0,5·S"};
  EXPECT_EQ(Labels(all, LimitState::Serviceability), characteristic);
  ASSERT_EQ(all.size(), 24u);
  EXPECT_EQ(all[0].id, "GZT 1");
  EXPECT_EQ(all[15].id, "GZT 16");
  EXPECT_EQ(all[16].id, "GZG 1");
  EXPECT_EQ(all[23].id, "GZG 8");
}

TEST(Combinations, FactorsNameEachCaseAndTheWindsSide) {
  const std::vector<Combination> all = CombinationsOf(kHall);
  // Permanent first, then the variable cases in case order, the leading one among them.
  const std::vector<CaseFactor> gzt3 = {{0, false, 1.35}, {1, false, 1.5}, {2, false, 0.9}};
  EXPECT_EQ(all[2].factors, gzt3);
  const std::vector<CaseFactor> gzt8 = {{0, false, 1.35}, {1, false, 0.75}, {2, true, 1.5}};
  EXPECT_EQ(all[7].factors, gzt8);
  const std::vector<CaseFactor> gzg4 = {{0, false, 1.0}, {1, false, 1.0}, {2, true, 0.6}};
  EXPECT_EQ(all[19].factors, gzg4);
}

TEST(Combinations, PsiZeroOfTheCategoriesAndOfSnowHigherUp) {
  DesignCase snow = Case("Schnee", Action::Snow);
  snow.over1000m = true;
  const std::vector<Combination> all =
      CombinationsOf({Case("G", Action::Permanent), Case("Lager", Action::Imposed, 'E'), snow});
  const std::vector<std::string> ultimate = {
      "1,35·G",           "1,35·G + 1,5·Q",         "1,35·G + 1,5·Q + 1,05·S",
      "1,35·G + 1,5·S",   "1,35·G + 1,5·S + 1,5·Q", "G",
      "G + 1,5·Q",        "G + 1,5·Q + 1,05·S",     "G + 1,5·S",
      "G + 1,5·S + 1,5·Q"};
  EXPECT_EQ(Labels(all, LimitState::Ultimate), ultimate);
  EXPECT_EQ(all[2].factors[2].factor, 1.05);  // the decimal, not 1.5·0.7 in binary
  EXPECT_EQ(Psi0(Case("Büro", Action::Imposed, 'B')), 0.7);
  EXPECT_EQ(Psi0(Case("Dach", Action::Imposed, 'H')), 0.0);
  EXPECT_EQ(Psi0(Case("Wind", Action::Wind)), 0.6);
}

TEST(Combinations, RoofImposedLoadsNeverMeetSnowOrWindAndAccompanyNothing) {
  const std::vector<DesignCase> cases = {
      Case("G", Action::Permanent), Case("Büro", Action::Imposed, 'B'),
      Case("Dach", Action::Imposed, 'H'), Case("S", Action::Snow)};
  const std::vector<Combination> all = CombinationsOf(cases);
  // Per set: none; Büro leading alone or with S; Dach leading alone or with Büro; S leading
  // alone or with Büro.
  EXPECT_EQ(Labels(all, LimitState::Ultimate).size(), 14u);
  EXPECT_EQ(Labels(all, LimitState::Serviceability).size(), 7u);
  for (const Combination& c : all) {
    const auto has = [&](std::size_t i) {
      return std::any_of(c.factors.begin(), c.factors.end(),
                         [&](const CaseFactor& f) { return f.loadCase == i; });
    };
    EXPECT_FALSE(has(2) && has(3)) << c.label;
  }
  EXPECT_EQ(all[1].label, "1,35·G + 1,5·Q (Büro)");
}

TEST(Combinations, TwoWindCasesBlowFromOneSide) {
  const std::vector<Combination> all = CombinationsOf(
      {Case("G", Action::Permanent), Case("Druck", Action::Wind), Case("Sog", Action::Wind)});
  // none, then each wind case leading from either side, alone or with the other from its side.
  EXPECT_EQ(Labels(all, LimitState::Ultimate).size(), 18u);
  for (const Combination& c : all) {
    const bool mixed = std::adjacent_find(c.factors.begin() + 1, c.factors.end(),
                                          [](const CaseFactor& a, const CaseFactor& b) {
                                            return a.mirrored != b.mirrored;
                                          }) != c.factors.end();
    EXPECT_FALSE(mixed) << c.label;
  }
  EXPECT_EQ(all[2].label, "1,35·G + 1,5·W (Druck)→ + 0,9·W (Sog)→");
}

TEST(Combinations, WithoutPermanentCasesOneUltimateSetAndNoEmptyCombination) {
  const std::vector<Combination> all = CombinationsOf({Case("Schnee", Action::Snow)});
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].label, "1,5·S");
  EXPECT_EQ(all[1].label, "S");
  EXPECT_EQ(all[1].id, "GZG 1");
  EXPECT_TRUE(CombinationsOf({}).empty());
}

// Every mix of up to four variable cases of six kinds (ψ0 = 0 among them, and a case over
// 1000 m), with and without a permanent case: the count is the enumeration's size.
TEST(Combinations, CountedAsManyAsEnumerated) {
  DesignCase high = Case("S hoch", Action::Snow);
  high.over1000m = true;
  const std::vector<DesignCase> kinds = {Case("B", Action::Imposed, 'B'),
                                         Case("E", Action::Imposed, 'E'),
                                         Case("H", Action::Imposed, 'H'),
                                         Case("S", Action::Snow),
                                         high,
                                         Case("W", Action::Wind)};
  std::size_t mixes = 0;
  for (std::size_t n = 0; n <= 4; ++n) {
    std::vector<std::size_t> pick(n, 0);
    do {
      std::vector<DesignCase> cases;
      for (std::size_t k = 0; k < n; ++k) {
        cases.push_back(kinds[pick[k]]);
        cases.back().name += std::to_string(k);
      }
      for (const bool permanent : {false, true}) {
        if (permanent) {
          cases.insert(cases.begin() + static_cast<std::ptrdiff_t>(n / 2),
                       Case("G", Action::Permanent));
        }
        ASSERT_EQ(CombinationCount(cases), CombinationsOf(cases).size()) << n << " " << mixes;
        ++mixes;
      }
      std::size_t k = 0;  // the next mix, as an odometer
      while (k < n && ++pick[k] == kinds.size()) {
        pick[k++] = 0;
      }
      if (k == n) {
        break;
      }
    } while (true);
  }
  EXPECT_EQ(mixes, 2u * (1 + 6 + 36 + 216 + 1296));
}

TEST(Combinations, CountOfManyCasesWithoutMakingThem) {
  std::vector<DesignCase> cases = {Case("G", Action::Permanent)};
  for (int i = 0; i < 12; ++i) {
    cases.push_back(Case(std::string(1, static_cast<char>('a' + i)), Action::Wind));
  }
  // Per set: none, and each of 12 winds leading from either side with any subset of the other
  // 11 from its side.
  EXPECT_EQ(CombinationCount(cases), 3u * (1 + 12 * 2 * 2048));
  cases.resize(1);
  for (int i = 0; i < 70; ++i) {
    cases.push_back(Case(std::to_string(i), Action::Imposed, 'B'));
  }
  EXPECT_EQ(CombinationCount(cases), std::numeric_limits<std::uint64_t>::max());
}

}  // namespace
}  // namespace strevo
