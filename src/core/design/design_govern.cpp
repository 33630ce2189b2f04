#include "core/design/design_computation.h"

namespace strevo {
namespace {

// The worst of each check; the first combination on a tie. Values that differ only by
// rounding are a tie: a symmetric load adds a residue of some 1e-15 to the sway.
bool Exceeds(double value, double largest) {
  return value > largest * (1 + 1e-12);
}

}  // namespace

DesignChecks GoverningChecks(const std::vector<CombinationResult>& combinations) {
  DesignChecks checks;
  const auto member = [](std::optional<GoverningMember>& worst,
                         const std::optional<MemberDesign>& check, std::size_t i) {
    if (!check) {
      return;
    }
    if (!worst || Exceeds(check->Eta(), worst->check.Eta())) {
      GoverningMember next{*check, i, {}, {}, {}, {}, {}};
      if (worst) {
        next.crossSection = worst->crossSection;
        next.bucklingY = worst->bucklingY;
        next.bucklingZ = worst->bucklingZ;
        next.lateralTorsional = worst->lateralTorsional;
        next.interaction = worst->interaction;
      }
      worst = std::move(next);
    }
    const MemberVerification& v = check->verification;
    const auto largest = [i](GoverningMember::Largest& to, double eta) {
      if (eta > to.eta) {
        to = {eta, i};
      }
    };
    largest(worst->crossSection, v.crossSection.eta);
    largest(worst->bucklingY, v.bucklingY.eta);
    largest(worst->bucklingZ, v.bucklingZ.eta);
    largest(worst->lateralTorsional, v.lateralTorsional.eta);
    largest(worst->interaction, v.interaction.eta);
  };
  const auto limit = [](std::optional<GoverningLimit>& worst,
                        const std::optional<LimitCheck>& check, double moved, double& largest,
                        std::size_t i) {
    if (check && (!worst || Exceeds(std::abs(moved), largest))) {
      worst = GoverningLimit{*check, i};
      largest = std::abs(moved);
    }
  };
  double sway = 0, deflection = 0;
  for (std::size_t i = 0; i < combinations.size(); ++i) {
    const CombinationResult& c = combinations[i];
    member(checks.columns, c.columns, i);
    member(checks.beam, c.beam, i);
    limit(checks.sway, c.check.sway, c.solution.deformation->u, sway, i);
    limit(checks.deflection, c.check.deflection, c.solution.deformation->w, deflection, i);
  }
  return checks;
}

}  // namespace strevo
