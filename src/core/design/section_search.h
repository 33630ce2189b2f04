// "Querschnitte bemessen": the lightest pair of column and beam sections for which a design
// meets every check in every combination, with the self-weight of the sections tried.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/design/cancellation.h"
#include "core/design/design.h"
#include "core/sections/section_properties.h"

namespace strevo {

// The families a member may take its section from, in the table's order: IPE, HE-A, HE-B.
inline constexpr std::array<const char*, 3> kSectionFamilies{"IPE", "HE-A", "HE-B"};
struct AllowedFamilies {
  std::array<bool, 3> columns{true, true, true}, beam{true, true, true};
};

struct TriedPair {
  const SectionProperties* columns = nullptr;
  const SectionProperties* beam = nullptr;
  double mass = 0;  // kg: 2·h·m of the columns + L·m of the beam
  bool passes = false;
  // Passing: the governing utilisations of columns and beam and the ratios n of h/u and L/w.
  double etaColumns = 0, etaBeam = 0, sway = 0, deflection = 0;
  // Failing: the combination and the check it fails first, in words
  // ("GZT 5: Stützen, Biegedrillknicken η = 1.23").
  std::string failure;
};

struct SectionSearch {
  std::vector<TriedPair> passing;  // the lightest passing pair first, then up to four more
  // The last pairs decided before the lightest passing one (up to three, the heaviest first;
  // none heavier, some may weigh the same), each with why it fails; without a passing pair,
  // the heaviest pair of all.
  std::vector<TriedPair> lighterFailing;
  // Without a passing pair: what the user can change.
  std::vector<std::string> suggestions;
  CheckSettings settings;   // the design's grade and limits
  std::size_t pairs = 0;    // allowed pairs
  std::size_t decided = 0;  // pairs decided by the checks
};

// The design with this pair of sections (self-weight as the design has it).
Design WithSections(Design design, const SectionProperties& columns, const SectionProperties& beam);

// How many pairs the families allow: the steps of a search before it may stop early.
std::size_t PairCount(const AllowedFamilies& families);

// Visits the allowed pairs by increasing mass and decides each by the design's checks,
// combination by combination, trying first the combination that failed last; it stops once
// five pairs pass. Exact: every lighter pair is decided by the full checks. A pair whose
// computation faults (no equilibrium, a value out of range) fails, the fault its reason. Throws
// as ComputeDesign for a design with problems. With a token its steps are the allowed pairs (it
// may stop early), and a cancelled one throws Cancelled before the next pair or combination.
SectionSearch SearchSections(const Design& design, const AllowedFamilies& families,
                             Cancellation* cancel = nullptr);

}  // namespace strevo
