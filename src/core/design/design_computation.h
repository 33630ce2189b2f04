// The parts of a design's computation, one file each: the cases solved once and combined
// (design_cases.cpp), an ultimate combination's stability and member checks
// (design_stability.cpp), the governing checks (design_govern.cpp) and the envelope
// (design_envelope.cpp). design_result.cpp runs them in order.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "core/design/design_result.h"

namespace strevo {

// Each case's first-order solution, wind also mirrored, every line cut at one set of places per
// member so that a combination sums them piece by piece.
class CaseSolutions {
 public:
  // For the result's portal and cases (the self-weight case last, when there is one).
  explicit CaseSolutions(const DesignResult& result);

  // The combination's loads as one load on the portal: each case's loads times its factor.
  FrameLoads LoadsOf(const Combination& combination) const;

  // The combination's first-order solution (the cases solved on first use): its reactions and
  // lines summed, its field point and deformations, and for a serviceability combination its
  // limits.
  CombinationResult Combine(Combination combination);

 private:
  struct Case {
    Solution solution;
    SharedResults values;
    // The lines cut alike, their coefficients c0, c1, c2 in one row: member by member, M, Q
    // and N, piece by piece.
    std::vector<double> cut;
  };
  FrameLoads CaseLoads(std::size_t i) const;
  Case SolveCase(const FrameLoads& loads) const;
  void SolveCases();
  void CutAlike();

  const DesignResult& result_;
  std::optional<std::size_t> selfWeightCase_;
  double columnWeight_ = 0;                                    // kN, each column's own weight
  std::vector<std::array<std::optional<Case>, 2>> solutions_;  // from the left, mirrored
  std::array<std::vector<double>, 3> cuts_;                    // by member
  std::vector<double> sum_;  // a combination's coefficients, as Case::cut
};

// The result values of a frame response, named as the first-order ones.
SharedResults ValuesOf(const Portal& portal, const FrameResponse& response);

// αcr, the sway imperfection, the design forces and the member checks of ultimate combinations.
class UltimateChecks {
 public:
  explicit UltimateChecks(const DesignResult& result);
  // `loads`: the combination's; `first` its first-order normal forces, each column's at its
  // foot; `swayMm` its first-order sway. Not `shown`: only whether the checks are met counts,
  // so the design values and the places' names are left out.
  void operator()(CombinationResult& r, FrameLoads loads, const NormalForces& first, double swayMm,
                  bool shown) const;

 private:
  CombinationStability StabilityOf(FrameLoads loads, const NormalForces& first, double swayMm,
                                   bool shown) const;
  MemberDesign MemberDesignOf(const CombinationStability& st, const SectionProperties& section,
                              std::initializer_list<Member> members, double spacing,
                              bool named) const;

  const DesignResult& result_;
  const SectionProperties* columnSection_;
  const SectionProperties* beamSection_;
};

// The worst of each check over the combinations.
DesignChecks GoverningChecks(const std::vector<CombinationResult>& combinations);

// The envelope of the ultimate combinations' first-order lines.
PortalEnvelope EnvelopeOf(const std::vector<CombinationResult>& combinations, const Portal& portal);

}  // namespace strevo
