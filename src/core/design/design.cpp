#include "design.h"

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

double Psi0(const DesignCase& loadCase) {
  switch (loadCase.action) {
    case Action::Permanent:
      return 1;
    case Action::Imposed:
      // Table A1.1: storage (E) stays whole, roofs (H) accompany nothing.
      return loadCase.category == 'E' ? 1.0 : loadCase.category == 'H' ? 0.0 : 0.7;
    case Action::Snow:
      return loadCase.over1000m ? 0.7 : 0.5;
    case Action::Wind:
      break;
  }
  return 0.6;
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
