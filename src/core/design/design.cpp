#include "core/design/design.h"

namespace strevo {

const char* ActionLetter(Action action) {
  switch (action) {
    case Action::Permanent:
      return "G";
    case Action::Imposed:
      return "Q";
    case Action::Snow:
      return "S";
    case Action::Wind:
      break;
  }
  return "W";
}

double Psi0(const DesignCase& loadCase, const DesignCode& code) {
  const CombinationFactors& psi = code.psi0;
  switch (loadCase.action) {
    case Action::Permanent:
      return 1;
    case Action::Imposed:
      return loadCase.category == 'E'   ? psi.imposedStorage
             : loadCase.category == 'H' ? psi.imposedRoof
                                        : psi.imposed;
    case Action::Snow:
      return loadCase.over1000m ? psi.snowHigh : psi.snow;
    case Action::Wind:
      break;
  }
  return psi.wind;
}

const SectionProperties* SectionOf(const MemberChoice& member) {
  if (member.section.empty()) {
    return nullptr;
  }
  for (const SectionProperties& section : kSectionProperties) {
    if (member.section == section.designation) {
      return &section;
    }
  }
  return nullptr;
}

double SecondMomentOf(const MemberChoice& member) {
  const SectionProperties* section = SectionOf(member);
  return section != nullptr ? section->Iy : member.I;
}

double SelfWeightOf(const MemberChoice& member) {
  constexpr double kGravity = 9.81;
  const SectionProperties* section = SectionOf(member);
  return section != nullptr ? section->mass * kGravity / 1000 : 0;
}

Portal PortalOf(const Design& design) {
  return {design.system, design.h, design.L, SecondMomentOf(design.columns),
          SecondMomentOf(design.beam)};
}

}  // namespace strevo
