#include "core/design/section_search.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <string_view>

#include "core/base/arithmetic_fault.h"
#include "core/design/design_output.h"
#include "core/design/design_result.h"

namespace strevo {
namespace {

std::vector<const SectionProperties*> Allowed(const std::array<bool, 3>& families) {
  std::vector<const SectionProperties*> sections;
  for (const SectionProperties& s : kSectionProperties) {
    for (std::size_t f = 0; f < kSectionFamilies.size(); ++f) {
      if (families[f] && std::string_view(s.family) == kSectionFamilies[f]) {
        sections.push_back(&s);
      }
    }
  }
  return sections;
}

std::string MemberFailure(const char* members, const MemberDesign& m) {
  if (m.unstable) {
    return std::string(members) + ", Rahmen instabil (αcr ≤ 1)";
  }
  if (!m.verification.covered) {
    return std::string(members) + ", Querschnittsklasse 4 (nicht abgedeckt)";
  }
  return std::string(members) + ", " + CheckName(GoverningCheck(m)) + " η = " + EtaText(m.Eta());
}

std::string LimitFailure(const char* what, const LimitCheck& check, int limit) {
  return std::string(what) + " " + RatioText(check) + " (Grenze 1/" + std::to_string(limit) + ")";
}

// Why a combination of a computed design fails, in words.
std::string FailureOf(const DesignResult& result, std::size_t index) {
  const CombinationResult& c = result.combinations[index];
  const std::string id = c.combination.id + ": ";
  if (c.columns && !c.columns->Met()) {
    return id + MemberFailure("Stützen", *c.columns);
  }
  if (c.beam && !c.beam->Met()) {
    return id + MemberFailure("Riegel", *c.beam);
  }
  const CheckSettings& s = result.design.settings;
  if (c.check.sway && !c.check.sway->met) {
    return id + LimitFailure("Verschiebung", *c.check.sway, s.swayLimit);
  }
  return id + LimitFailure("Durchbiegung", *c.check.deflection, s.deflectionLimit);
}

// A pair decided failing, described by its first combination (in the design's order) with a
// check not met: the search's own order depends on which core decided what before. A pair
// whose design cannot be computed at all is described by the fault.
TriedPair Described(const Design& design, TriedPair pair, const Cancellation* cancel) {
  Cancellation part(cancel);
  DesignResult result;
  try {
    result = ComputeDesign(WithSections(design, *pair.columns, *pair.beam), &part);
  } catch (const ArithmeticFault& fault) {
    pair.failure = "Rechenfehler (" + FaultText(fault) + ")";
    return pair;
  }
  for (std::size_t i = 0; i < result.combinations.size(); ++i) {
    if (!CombinationMet(result.combinations[i])) {
      pair.failure = FailureOf(result, i);
      break;
    }
  }
  return pair;
}

TriedPair Passing(const Design& design, TriedPair pair, const Cancellation* cancel) {
  Cancellation part(cancel);
  const DesignResult result = ComputeDesign(WithSections(design, *pair.columns, *pair.beam), &part);
  pair.passes = true;
  pair.etaColumns = result.checks.columns->check.Eta();
  pair.etaBeam = result.checks.beam->check.Eta();
  pair.sway = result.checks.sway ? result.checks.sway->check.ratio : 0;
  pair.deflection = result.checks.deflection ? result.checks.deflection->check.ratio : 0;
  return pair;
}

std::vector<std::string> SuggestionsFor(const Design& design, const AllowedFamilies& families) {
  std::vector<std::string> suggestions;
  if (design.settings.grade != SteelGrade::S355) {
    suggestions.emplace_back("eine höhere Stahlsorte wählen (S355)");
  }
  suggestions.emplace_back("die seitlichen Halterungen von Stützen und Riegel enger setzen");
  if (design.system != SystemType::FixedFrame) {
    suggestions.emplace_back("die Stützenfüße einspannen (eingespannter Rahmen)");
  }
  const auto all = [](const std::array<bool, 3>& f) { return f[0] && f[1] && f[2]; };
  if (!all(families.columns) || !all(families.beam)) {
    suggestions.emplace_back("weitere Profilreihen zulassen");
  }
  return suggestions;
}

// The allowed pairs by mass; the table's order among pairs of equal mass.
std::vector<TriedPair> PairsByMass(const Design& design, const AllowedFamilies& families) {
  std::vector<TriedPair> pairs;
  for (const SectionProperties* c : Allowed(families.columns)) {
    for (const SectionProperties* b : Allowed(families.beam)) {
      TriedPair pair;
      pair.columns = c;
      pair.beam = b;
      pair.mass = 2 * design.h * c->mass + design.L * b->mass;
      pairs.push_back(std::move(pair));
    }
  }
  std::stable_sort(pairs.begin(), pairs.end(),
                   [](const TriedPair& a, const TriedPair& b) { return a.mass < b.mass; });
  return pairs;
}

}  // namespace

std::size_t PairCount(const AllowedFamilies& families) {
  return Allowed(families.columns).size() * Allowed(families.beam).size();
}

Design WithSections(Design design, const SectionProperties& columns,
                    const SectionProperties& beam) {
  design.columns = {columns.designation, 0};
  design.beam = {beam.designation, 0};
  return design;
}

SectionSearch SearchSections(const Design& design, const AllowedFamilies& families,
                             Cancellation* cancel) {
  SectionSearch search;
  search.settings = design.settings;
  const std::vector<TriedPair> pairs = PairsByMass(design, families);
  search.pairs = pairs.size();
  if (pairs.empty()) {
    return search;
  }
  // Sections from the table change nothing a problem could lie in: one look decides for all.
  const Design first = WithSections(design, *pairs[0].columns, *pairs[0].beam);
  if (const std::vector<DesignProblem> problems = ProblemsOf(first); !problems.empty()) {
    throw std::invalid_argument(problems.front().message);
  }
  // The combinations are the same for every pair: the self-weight case stays, only its load
  // changes.
  const std::vector<Combination> combinations = CombinationsOf(CasesOf(first));
  std::vector<std::size_t> failed;  // the last few pairs before the first passing one
  std::vector<std::size_t> order(combinations.size());
  std::iota(order.begin(), order.end(), 0);
  Cancellation part(cancel);  // a pair's combinations: its steps are not the search's
  if (cancel != nullptr) {
    cancel->Begin(pairs.size());
  }
  for (std::size_t i = 0; i < pairs.size() && search.passing.size() < 5; ++i) {
    if (cancel != nullptr) {
      cancel->Step();
    }
    const std::optional<std::size_t> failing = FirstFailingCombination(
        WithSections(design, *pairs[i].columns, *pairs[i].beam), combinations, order, &part);
    ++search.decided;
    if (!failing) {
      search.passing.push_back(Passing(design, pairs[i], cancel));
      continue;
    }
    // The combination that failed this pair most likely fails the next one too.
    const auto at = std::find(order.begin(), order.end(), *failing);
    std::rotate(order.begin(), at, at + 1);
    if (search.passing.empty()) {
      failed.push_back(i);
      if (failed.size() > 3) {
        failed.erase(failed.begin());
      }
    }
  }
  if (search.passing.empty() && !failed.empty()) {
    failed.erase(failed.begin(), failed.end() - 1);  // the heaviest pair of all
    search.suggestions = SuggestionsFor(design, families);
  }
  // The heaviest first.
  std::reverse(failed.begin(), failed.end());
  for (const std::size_t f : failed) {
    search.lighterFailing.push_back(Described(design, pairs[f], cancel));
  }
  return search;
}

}  // namespace strevo
