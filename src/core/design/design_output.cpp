#include "core/design/design_output.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "core/analysis/member_forces.h"
#include "core/base/text_rules.h"
#include "core/design/design_output_parts.h"

namespace strevo {

// AH … Q5 with X3 and M3, as every form names them.
std::vector<ResultValue> SharedValuesOf(const SharedResults& r) {
  return {{"AH", "kN", r.AH}, {"AV", "kN", r.AV},  {"MA", "kNm", r.MA}, {"BH", "kN", r.BH},
          {"BV", "kN", r.BV}, {"MB", "kNm", r.MB}, {"M1", "kNm", r.M1}, {"N1", "kN", r.N1},
          {"Q1", "kN", r.Q1}, {"M2", "kNm", r.M2}, {"N2", "kN", r.N2},  {"Q2", "kN", r.Q2},
          {"X3", "m", r.X3},  {"M3", "kNm", r.M3}, {"M4", "kNm", r.M4}, {"N4", "kN", r.N4},
          {"Q4", "kN", r.Q4}, {"M5", "kNm", r.M5}, {"N5", "kN", r.N5},  {"Q5", "kN", r.Q5}};
}

const std::string& IdOf(const DesignResult& result, std::size_t combination) {
  return result.combinations[combination].combination.id;
}

std::array<LimitEntry, 2> LimitEntries(const DesignResult& result) {
  const CheckSettings& settings = result.design.settings;
  return {{{"sway", "Verschiebung h/u", "h/u", result.checks.sway, settings.swayLimit},
           {"deflection", "Durchbiegung L/w", "L/w", result.checks.deflection,
            settings.deflectionLimit}}};
}
std::array<MemberEntry, 2> MemberEntries(const DesignResult& result) {
  return {{{"columns", "Stützen", "ηS", result.checks.columns},
           {"beam", "Riegel", "ηR", result.checks.beam}}};
}

const char* EtaKey(MemberCheckKind kind) {
  switch (kind) {
    case MemberCheckKind::CrossSection:
      return "etaCrossSection";
    case MemberCheckKind::BucklingY:
      return "etaBucklingY";
    case MemberCheckKind::BucklingZ:
      return "etaBucklingZ";
    case MemberCheckKind::LateralTorsional:
      return "etaLTB";
    case MemberCheckKind::Interaction:
      break;
  }
  return "etaInteraction";
}

// The member's checks in a combination.
const std::optional<MemberDesign>& MemberOf(const DesignResult& result, const MemberEntry& member,
                                            std::size_t combination) {
  const CombinationResult& c = result.combinations[combination];
  return std::string_view(member.key) == "columns" ? c.columns : c.beam;
}

// Which check governs and where: "Biegedrillknicken, Riegel zwischen … und …"; why there is no
// utilisation where the portal is unstable.
std::string GoverningText(const MemberDesign& check) {
  if (check.unstable) {
    return "Rahmen instabil (αcr ≤ 1)";
  }
  const MemberCheckKind kind = GoverningCheck(check);
  std::string text = std::string(CheckName(kind)) + ", " + CheckPlace(check, kind);
  if (!check.verification.covered) {
    text += "; Querschnittsklasse 4: nicht abgedeckt";
  }
  return text;
}

bool HasEnvelope(const DesignResult& result) {
  return std::any_of(
      result.combinations.begin(), result.combinations.end(),
      [](const CombinationResult& c) { return c.combination.state == LimitState::Ultimate; });
}

const char* CheckName(MemberCheckKind kind) {
  switch (kind) {
    case MemberCheckKind::CrossSection:
      return "Querschnitt";
    case MemberCheckKind::BucklingY:
      return "Biegeknicken y";
    case MemberCheckKind::BucklingZ:
      return "Biegeknicken z";
    case MemberCheckKind::LateralTorsional:
      return "Biegedrillknicken";
    case MemberCheckKind::Interaction:
      break;
  }
  return "Interaktion";
}

double CheckEta(const MemberVerification& v, MemberCheckKind kind) {
  switch (kind) {
    case MemberCheckKind::CrossSection:
      return v.crossSection.eta;
    case MemberCheckKind::BucklingY:
      return v.bucklingY.eta;
    case MemberCheckKind::BucklingZ:
      return v.bucklingZ.eta;
    case MemberCheckKind::LateralTorsional:
      return v.lateralTorsional.eta;
    case MemberCheckKind::Interaction:
      break;
  }
  return v.interaction.eta;
}

const std::string& CheckPlace(const MemberDesign& design, MemberCheckKind kind) {
  switch (kind) {
    case MemberCheckKind::CrossSection:
      return design.crossSectionPlace;
    case MemberCheckKind::BucklingY:
    case MemberCheckKind::BucklingZ:
      return design.bucklingPlace;
    case MemberCheckKind::LateralTorsional:
      return design.lateralTorsionalPlace;
    case MemberCheckKind::Interaction:
      break;
  }
  return design.interactionPlace;
}

MemberCheckKind GoverningCheck(const MemberDesign& design) {
  MemberCheckKind governing = MemberCheckKind::CrossSection;
  for (const MemberCheckKind kind : kMemberCheckKinds) {
    if (CheckEta(design.verification, kind) > CheckEta(design.verification, governing)) {
      governing = kind;
    }
  }
  return governing;
}

const GoverningMember::Largest& LargestOf(const GoverningMember& governing, MemberCheckKind kind) {
  switch (kind) {
    case MemberCheckKind::CrossSection:
      return governing.crossSection;
    case MemberCheckKind::BucklingY:
      return governing.bucklingY;
    case MemberCheckKind::BucklingZ:
      return governing.bucklingZ;
    case MemberCheckKind::LateralTorsional:
      return governing.lateralTorsional;
    case MemberCheckKind::Interaction:
      break;
  }
  return governing.interaction;
}

const char* ModeName(BucklingMode mode) {
  return mode == BucklingMode::Sway ? "Seitenverschiebung" : "symmetrisch";
}

const char* TheoryName(const CombinationStability& stability) {
  return stability.secondOrder ? "Theorie II. Ordnung" : "Theorie I. Ordnung";
}

std::string ImperfectionText(double phi) {
  return "1/" + std::to_string(std::lround(1 / phi));
}

std::vector<ResultValue> DesignValuesOf(const CombinationStability& stability) {
  if (stability.unstable) {
    return {};
  }
  std::vector<ResultValue> values = SharedValuesOf(stability.designValues);
  values.push_back({"u", "mm", stability.design.sway * 1000});
  return values;
}

std::vector<ResultValue> ResultValuesOf(const CombinationResult& combination) {
  std::vector<ResultValue> values = SharedValuesOf(combination.values);
  const std::optional<Deformation>& d = combination.solution.deformation;
  values.push_back({"u", "mm", d ? std::optional(d->u) : std::nullopt});
  values.push_back({"w", "mm", d ? std::optional(d->w) : std::nullopt});
  values.push_back({"xw", "m", d ? std::optional(d->xw) : std::nullopt});
  return values;
}

std::string ActionText(const DesignCase& loadCase) {
  const std::string psi0 = ", ψ0 = " + FormatFixed2(Psi0(loadCase));
  switch (loadCase.action) {
    case Action::Permanent:
      return "ständig (G)";
    case Action::Imposed:
      return std::string("Nutzlast (Q), Kategorie ") + loadCase.category + psi0;
    case Action::Snow:
      return std::string("Schnee (S)") + (loadCase.over1000m ? " über 1000 m" : "") + psi0;
    case Action::Wind:
      break;
  }
  return "Wind (W) von links" + psi0;
}

std::string EtaText(double eta) {
  if (!std::isfinite(eta)) {
    return "∞";
  }
  // The factor keeps a product such as 0.5·100 from rounding up past its own hundredth.
  return FormatFixed2(std::ceil(eta * 100 * (1 - 1e-12)) / 100);
}

int ExitStatusOf(const DesignResult& result) {
  return result.checks.AllMet() ? 0 : 1;
}

}  // namespace strevo
