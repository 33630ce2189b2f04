// One solution of the portal: what it is (the system and its members) apart from what loads it,
// and everything the loads cause: reactions, each member's force lines and the deformations.
#pragma once

#include <optional>
#include <string>

#include "core/analysis/deformations.h"
#include "core/analysis/inputs.h"
#include "core/analysis/member_forces.h"
#include "core/analysis/shared_results.h"

namespace strevo {

struct LoadCase {
  double q = 0;           // on the beam, kN/m
  double F = 0, a = 0;    // point load, kN, at a from point 2, m
  double wD = 0, wS = 0;  // on the left and the right column, kN/m
  bool operator==(const LoadCase&) const = default;
};

struct Reactions {
  double AH = 0, AV = 0, MA = 0, BH = 0, BV = 0, MB = 0;  // kN and kNm
};

struct Solution {
  Reactions reactions;
  PortalLines lines;
  // None when a member has no stiffness; `deformationFault` then names the fault.
  std::optional<Deformation> deformation;
  std::string deformationFault;
};

Portal PortalOf(const InputSet& in, SystemType system);
LoadCase LoadCaseOf(const InputSet& in);
InputSet InputsOf(const Portal& portal, const LoadCase& loads);

// The closed forms for these loads; a fault in them throws ArithmeticFault. `values`, when
// given, receives k and every value the engine stores (the field point among them).
Solution Solve(const Portal& portal, const LoadCase& loads, SharedResults* values = nullptr);

// The solution that the stored results of a run give: lines and deformations follow from them.
Solution SolutionOf(const InputSet& in, SystemType system, const SharedResults& r);

// Loads act linearly: factor₁·first + factor₂·second is the solution of the loads summed so.
// The deformations are integrated anew on the summed lines.
Solution Superposed(const Portal& portal, const Solution& first, double firstFactor,
                    const Solution& second, double secondFactor);

}  // namespace strevo
