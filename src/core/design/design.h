// A design ("Bemessung"): one portal with its sections, steel grade, limits and characteristic
// load cases, as the design file holds it and the design window edits it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/analysis/inputs.h"
#include "core/analysis/solution.h"
#include "core/checks/design_code.h"
#include "core/checks/section_check.h"
#include "core/sections/section_properties.h"

namespace strevo {

// EN 1990: permanent, imposed, snow, wind.
enum class Action { Permanent, Imposed, Snow, Wind };

// "G", "Q", "S", "W", as the design file and the labels write them.
const char* ActionLetter(Action action);

struct DesignCase {
  std::string name;
  Action action = Action::Permanent;
  char category = 'A';     // imposed loads only: EN 1990 Table A1.1, 'A' to 'H'
  bool over1000m = false;  // snow only: a site over 1000 m above sea level
  LoadCase loads;          // wind as from the left
  // Further beam loads beside loads.q and loads.F: uniform over part of the span, and point
  // loads, any number of each.
  std::vector<PartialBeamLoad> partial{};
  std::vector<BeamPointLoad> points{};
  bool operator==(const DesignCase&) const = default;
};

// ψ0 of EN 1990 Table A1.1 (recommended values); 1 for a permanent case.
double Psi0(const DesignCase& loadCase, const DesignCode& code = GermanAnnex());

// A member's stiffness: a section of the table by its published designation ("HE 300 A"), or a
// bare second moment of area (then no section check and no self-weight).
struct MemberChoice {
  std::string section;  // empty: the bare I
  double I = 0;         // cm4, when there is no section
  bool operator==(const MemberChoice&) const = default;
};

struct ProjectHeader {
  std::string title, position, author;
  bool operator==(const ProjectHeader&) const = default;
};

// Spacing of lateral restraints, m; none: the member's length.
struct Restraints {
  std::optional<double> columns, beam;
  bool operator==(const Restraints&) const = default;
};

struct Design {
  ProjectHeader project;
  SystemType system = SystemType::TwoHingedFrame;
  double h = 0, L = 0;  // m
  MemberChoice columns, beam;
  CheckSettings settings;  // steel grade, sway and deflection limits
  bool selfWeight = true;
  Restraints restraints;
  std::vector<DesignCase> loadCases;
  bool operator==(const Design&) const = default;
};

// The section of a member, none for a bare I or a designation the table does not hold.
const SectionProperties* SectionOf(const MemberChoice& member);
// I of a member, cm4: the section's Iy or the bare value.
double SecondMomentOf(const MemberChoice& member);
// The portal the design describes.
Portal PortalOf(const Design& design);

// Self-weight of a member with a section, kN/m (mass · 9.81 / 1000); 0 for a bare I.
double SelfWeightOf(const MemberChoice& member);

inline constexpr const char* kSelfWeightCaseName = "Eigengewicht";

// A mistake in a design that keeps it from being computed: where it is, and what is wrong.
struct DesignProblem {
  std::string key;      // as the design file names it: "h", "columns", "limits.sway"
  int loadCase = -1;    // the load case's index, -1 outside the table of load cases
  std::string message;  // German, naming the key and the case: "„a“ (Lager): …"
};

// Every mistake, in the order of the design file; none for a design that can be computed.
// Names must be unique and not "Eigengewicht" (when the self-weight is on), h and L above 0,
// a section must be in the table and a bare I above 0, a point load must stand on the beam,
// every number finite, a category 'A' to 'H', limits above 0, restraint spacings above 0; a
// partial load lies on the beam with from < to, a further point load on the beam. Further
// loads are named by their path from 0: "partial[0].to", "points[1].a".
std::vector<DesignProblem> ProblemsOf(const Design& design);

}  // namespace strevo
