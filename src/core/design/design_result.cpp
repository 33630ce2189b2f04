#include "core/design/design_result.h"

#include <cmath>
#include <stdexcept>

#include "core/analysis/frame_analysis.h"
#include "core/base/arithmetic_fault.h"
#include "core/design/design_computation.h"

namespace strevo {
namespace {

// The design computed in order: the cases once, each combination summed from them, the
// ultimate ones' stability and member checks, then the governing checks and the envelope.
class DesignComputation {
 public:
  DesignComputation(const Design& design, Cancellation* cancel)
      : result_(Base(design)), cases_(result_), cancel_(cancel) {}

  // The first of these combinations, in this order, with a check not met. A combination the
  // analysis finds no answer for (no equilibrium, a value out of range) fails as well: the
  // search that asks goes on to the next pair instead of stopping at one absurd pair.
  std::optional<std::size_t> FirstFailing(const std::vector<Combination>& combinations,
                                          const std::vector<std::size_t>& order) {
    const UltimateChecks ultimate(result_);
    for (const std::size_t i : order) {
      if (cancel_ != nullptr) {
        cancel_->Check();
      }
      try {
        if (!Met(combinations[i], ultimate)) {
          return i;
        }
      } catch (const ArithmeticFault&) {
        return i;
      }
    }
    return std::nullopt;
  }

  DesignResult Compute() {
    const UltimateChecks ultimate(result_);
    std::vector<Combination> combinations = CombinationsOf(result_.cases);
    result_.combinations.reserve(combinations.size());
    if (cancel_ != nullptr) {
      cancel_->Begin(combinations.size());
    }
    for (Combination& combination : combinations) {
      if (cancel_ != nullptr) {
        cancel_->Step();
      }
      CombinationResult r = cases_.Combine(std::move(combination));
      if (r.combination.state == LimitState::Ultimate) {
        const PortalLines& lines = r.solution.lines;
        const NormalForces first{lines[0].N.At(0), lines[1].N.At(0),
                                 lines[2].N.At(result_.portal.h)};
        ultimate(r, cases_.LoadsOf(r.combination), first, r.solution.deformation->u, true);
      }
      result_.combinations.push_back(std::move(r));
    }
    result_.checks = GoverningChecks(result_.combinations);
    result_.envelope = EnvelopeOf(result_.combinations, result_.portal);
    return std::move(result_);
  }

 private:
  static DesignResult Base(const Design& design) {
    DesignResult result;
    result.design = design;
    result.portal = PortalOf(design);
    result.cases = CasesOf(design);
    return result;
  }

  // An ultimate combination needs no case solved: its first-order normal forces and sway come
  // from the frame analysis of its loads as a whole, and its checks are the same.
  bool Met(const Combination& c, const UltimateChecks& ultimate) {
    if (c.state != LimitState::Ultimate) {
      return CombinationMet(cases_.Combine(c));
    }
    const FrameLoads loads = cases_.LoadsOf(c);
    const FrameResponse first = AnalyseFrame(result_.portal, loads, Theory::FirstOrder);
    CombinationResult r{c, {}, {}, {}, {}, {}, {}};
    const ExactLines& lines = first.lines;
    ultimate(r, loads, {lines[0].At(0).N, lines[1].At(0).N, lines[2].At(result_.portal.h).N},
             first.sway * 1000, false);
    return CombinationMet(r);
  }

  DesignResult result_;
  CaseSolutions cases_;
  Cancellation* cancel_;
};

}  // namespace

double MemberDesign::Eta() const {
  return unstable ? HUGE_VAL : verification.Eta();
}

bool MemberDesign::Met() const {
  return !unstable && verification.covered && Eta() <= 1;
}

bool DesignChecks::AllMet() const {
  const auto eta = [](const std::optional<GoverningMember>& g) { return !g || g->check.Met(); };
  const auto limit = [](const std::optional<GoverningLimit>& g) { return !g || g->check.met; };
  return eta(columns) && eta(beam) && limit(sway) && limit(deflection);
}

bool CombinationMet(const CombinationResult& c) {
  const auto met = [](const std::optional<MemberDesign>& m) { return !m || m->Met(); };
  const auto limit = [](const std::optional<LimitCheck>& l) { return !l || l->met; };
  return met(c.columns) && met(c.beam) && limit(c.check.sway) && limit(c.check.deflection);
}

std::vector<DesignCase> CasesOf(const Design& design) {
  std::vector<DesignCase> cases = design.loadCases;
  if (design.selfWeight && (SelfWeightOf(design.beam) > 0 || SelfWeightOf(design.columns) > 0)) {
    DesignCase self{kSelfWeightCaseName, Action::Permanent, 'A', false, {}, {}, {}};
    self.loads.q = SelfWeightOf(design.beam);
    cases.push_back(self);
  }
  return cases;
}

std::optional<std::size_t> FirstFailingCombination(const Design& design,
                                                   const std::vector<Combination>& combinations,
                                                   const std::vector<std::size_t>& order,
                                                   Cancellation* cancel) {
  return DesignComputation(design, cancel).FirstFailing(combinations, order);
}

DesignResult ComputeDesign(const Design& design, Cancellation* cancel) {
  if (const std::vector<DesignProblem> problems = ProblemsOf(design); !problems.empty()) {
    throw std::invalid_argument(problems.front().message);
  }
  return DesignComputation(design, cancel).Compute();
}

}  // namespace strevo
