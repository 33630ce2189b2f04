// A design computed: its combinations (EN 1990, Eq. 6.10 and 6.14b), each one's solution, the
// envelope of the ultimate ones and every check, governing combination named. Computed once
// when taken; whatever shows or writes it only lays it out.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis/frame_stability.h"
#include "core/analysis/shared_results.h"
#include "core/analysis/solution.h"
#include "core/checks/member_design.h"
#include "core/checks/section_check.h"
#include "core/design/cancellation.h"
#include "core/design/design.h"
#include "core/text/rechenweg.h"

namespace strevo {

enum class LimitState { Ultimate, Serviceability };

// "GZT", "GZG".
const char* LimitStateName(LimitState state);

struct CaseFactor {
  std::size_t loadCase;   // index into DesignResult::cases
  bool mirrored = false;  // wind from the right (only wind cases)
  double factor = 0;
  bool operator==(const CaseFactor&) const = default;
};

struct Combination {
  std::string id;  // "GZT 3", "GZG 1"
  LimitState state = LimitState::Ultimate;
  std::string label;                // "1,35·G + 1,5·S + 0,9·W→"
  std::vector<CaseFactor> factors;  // permanent cases first, then the variable ones in case order
  bool operator==(const Combination&) const = default;
};

// The combinations the rules allow for these cases (the design's cases, and the self-weight
// case when there is one): every ultimate one (γG 1.35, then 1.00), then every serviceability
// one.
std::vector<Combination> CombinationsOf(const std::vector<DesignCase>& cases);
// How many those are, counted without making them (the largest std::uint64_t where they are
// more).
std::uint64_t CombinationCount(const std::vector<DesignCase>& cases);
// The most combinations a design may have: each is computed and kept, and a search of sections
// computes them again for every pair it tries.
inline constexpr std::uint64_t kMostCombinations = 2700;

// The portal's stability in one ultimate combination and the forces its members are designed
// for (EN 1993-1-1, 5.2 and 5.3).
struct CombinationStability {
  // The first-order normal forces, the columns' weight taken at their tops.
  NormalForces normalForces;
  CriticalLoad critical;
  // Lcr = π·√(EI1/(αcr·N)) of the left and the right column; none where it is not compressed.
  std::array<std::optional<double>, 2> columnBucklingLength;
  double imperfection = 0;  // φ = φ0·αh·αm
  // φ·N at the top of the left and the right column, kN, positive to the right (−φ·N at the
  // foot).
  std::array<double, 2> imperfectionForces{};
  bool secondOrder = false;    // αcr < 10
  bool unstable = false;       // αcr ≤ 1: no design forces; every member check fails
  FrameResponse design;        // the design forces (empty when unstable)
  SharedResults designValues;  // AH … Q5, X3 and M3 of the design forces; u, w, xw are not set
};

// A member's verification in one combination: for the columns the worse column's of each check.
struct MemberDesign {
  MemberVerification verification;
  // Where each check governs, as the results name places; "" where a check does not apply.
  std::string crossSectionPlace, bucklingPlace, lateralTorsionalPlace, interactionPlace;
  // The member whose check this is (the left or the right column for the columns).
  Member crossSectionMember = Member::Beam, bucklingMember = Member::Beam,
         lateralTorsionalMember = Member::Beam, interactionMember = Member::Beam;
  bool unstable = false;  // the portal is unstable in this combination
  double Eta() const;     // the largest utilisation; +inf when unstable
  bool Met() const;       // η ≤ 1, the section covered and the portal stable
};

struct CombinationResult {
  Combination combination;
  Solution solution;  // the factored sum of the cases' solutions, deformations integrated anew
  // AH … Q5 as the list names them, X3 and M3 found on the combination's own beam line.
  SharedResults values;
  // The limits (GZG) of this combination alone; its settings are the design's.
  SectionCheck check;
  std::optional<CombinationStability> stability;  // ultimate combinations
  std::optional<MemberDesign> columns, beam;      // ultimate combinations; none for a bare I
};

// Along a member: the largest and the smallest value over all ultimate combinations at each
// station, with the combination (index into DesignResult::combinations) that gives it. The
// stations divide the member in ten and add every place where a line kinks or jumps (a point
// load) and where the envelope has its extremes; where a line jumps (the shear under a point
// load) the station appears twice, left and right value.
struct EnvelopeStation {
  double s;  // m along the member, as member_forces.h measures it
  double max, min;
  std::size_t maxBy, minBy;
};
// The envelope's extreme on a member, exact (not only at the stations).
struct EnvelopeExtreme {
  double value;
  double s;
  std::size_t by;  // the combination
};
struct ForceEnvelope {
  std::vector<EnvelopeStation> stations;
  EnvelopeExtreme max, min;
};
struct MemberEnvelope {
  ForceEnvelope M, Q, N;
};
using PortalEnvelope = std::array<MemberEnvelope, 3>;  // by Member

// The worst of a check over its combinations, and which combination that is.
struct GoverningMember {
  MemberDesign check;  // of the combination with the largest utilisation
  std::size_t combination;
  // The largest of each check over all ultimate combinations (and both columns), each with its
  // combination.
  struct Largest {
    double eta = 0;
    std::size_t combination = 0;
  };
  Largest crossSection, bucklingY, bucklingZ, lateralTorsional, interaction;
};
struct GoverningLimit {
  LimitCheck check;
  std::size_t combination;
};

struct DesignChecks {
  std::optional<GoverningMember> columns, beam;    // over the ultimate ones; none for a bare I
  std::optional<GoverningLimit> sway, deflection;  // over the serviceability ones
  bool AllMet() const;
};

struct DesignResult {
  Design design;
  Portal portal;
  std::vector<DesignCase> cases;  // the design's, then "Eigengewicht" when it has self-weight
  std::vector<CombinationResult> combinations;  // ultimate first, then serviceability
  PortalEnvelope envelope;                      // over the ultimate combinations
  DesignChecks checks;
};

// The working of each member's governing combination, captioned "Stützen, HE 300 A, GZT 3":
// αcr, the buckling lengths, the sway imperfection and the theory, the cross-section, flexural
// and lateral-torsional buckling and the interaction, each step with its numbers; it ends in
// the member's η ("ηS", "ηR"). Written in design_rechenweg.cpp.
std::vector<RechenwegStep> GoverningCheckRechenweg(const DesignResult& result);

// Whether a combination meets its checks: the members' (GZT), the limits (GZG).
bool CombinationMet(const CombinationResult& combination);

// The design's load cases, then "Eigengewicht" when it has self-weight (the beam's as q).
std::vector<DesignCase> CasesOf(const Design& design);

// Whether the design meets every check of these combinations (CombinationsOf its cases),
// deciding as early as it can: the combinations are computed one by one in the order given
// (indices into `combinations`) and the first with a check not met ends it. Returns that index,
// none when every check is met. For a design without problems (ProblemsOf), which it does not
// check again: a search tries many alike. A combination whose computation raises an
// ArithmeticFault (UnstableFrame among them) fails; a cancelled token throws Cancelled before
// the next combination.
std::optional<std::size_t> FirstFailingCombination(const Design& design,
                                                   const std::vector<Combination>& combinations,
                                                   const std::vector<std::size_t>& order,
                                                   Cancellation* cancel = nullptr);

// Computes the design whole. A design with problems (ProblemsOf) is not computed: that throws
// std::invalid_argument. A step that overflows or divides by zero throws ArithmeticFault, an
// analysis without equilibrium outside the stability checks UnstableFrame (one of them). With a
// token its steps are the combinations, and a cancelled one throws Cancelled.
DesignResult ComputeDesign(const Design& design, Cancellation* cancel = nullptr);

// For the message of an arithmetic fault of ComputeDesign: what it comes from. The portal itself
// when it fails with every load cut to a magnitude of 1 as well ("Ursache ist der Rahmen selbst,
// nicht seine Lasten: h = 1e+200 m, …"), else the load of largest magnitude by its key and case
// ("größter Lastwert: „q“ („Dach“) = 1e+300"); empty for a design without loads.
std::string FaultCauseOf(const Design& design);

}  // namespace strevo
