// Whether the chosen steel sections carry the computed internal forces (elastic cross-section
// check) and whether the frame stays stiff enough (sway and deflection limits).
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis/computation.h"
#include "core/sections/section_properties.h"
#include "core/text/rechenweg.h"
#include "core/text/result_list.h"

namespace strevo {

enum class SteelGrade { S235, S275, S355 };

struct CheckSettings {
  SteelGrade grade = SteelGrade::S235;
  int swayLimit = 150;        // u ≤ h / nh
  int deflectionLimit = 300;  // w ≤ L / nL
  bool operator==(const CheckSettings&) const = default;
};

double YieldStrength(SteelGrade grade);  // fy, N/mm²
const char* GradeName(SteelGrade grade);

inline constexpr const char* kCheckStatement =
    "Elastischer Querschnittsnachweis; Stabilitätsnachweise (Biegeknicken, Biegedrillknicken) "
    "sind nicht enthalten.";

struct MemberCheck {
  const SectionProperties* section;
  double sigma;  // largest |N|/A + |M|/Wel,y of the member, N/mm²
  std::string sigmaPlace;
  double tau;  // largest mean web shear |Q| / (tw·(h − 2·tf)), N/mm²
  std::string tauPlace;
  double etaSigma, etaTau;  // σ / (fy/γM0), τ / (fy/(√3·γM0))
  double selfWeight;        // kN/m, not in the loads
  double N, M;              // |N| kN and |M| kNm where σ governs
  double Q;                 // |Q| kN where τ governs
  // Why σ, τ and η could not be computed (an overflow with absurd loads); then they are 0.
  std::string fault;
  double Eta() const { return etaSigma >= etaTau ? etaSigma : etaTau; }
  const std::string& EtaPlace() const { return etaSigma >= etaTau ? sigmaPlace : tauPlace; }
};

struct LimitCheck {
  double ratio;  // length / displacement: the n of "1/n"; 0 where the displacement shows as 0.00 mm
  bool met;
};

struct SectionCheck {
  CheckSettings settings;                    // the grade and limits checked against
  std::optional<MemberCheck> columns, beam;  // none: no section chosen for the member
  std::optional<LimitCheck> sway, deflection;
};

// The section's check on the members' lines of any loads (N may vary along a member): σ at
// the place where |N|/A + |M|/Wel,y is largest, τ where |Q| is. A step that overflows throws
// ArithmeticFault.
MemberCheck CheckMemberOn(const PortalLines& lines, double h, double L,
                          const SectionProperties& section, std::initializer_list<Member> members,
                          double fy);

// A limit u ≤ length/n; the ratio is 0 where the displacement shows as 0.00 mm.
LimitCheck LimitOf(double lengthM, double displacementMm, int n);
// "1/n" of a limit, n rounded down: whole from 10 up, two significant digits below ("1/2.5");
// "—" where the displacement shows as 0.00 mm.
std::string RatioText(const LimitCheck& limit);

// The computation's sections (its columnSection and beamSection) against its internal forces.
SectionCheck CheckSections(const Computation& computation, const CheckSettings& settings);

// The check as list rows, when a section was chosen for a member (none otherwise): grade, per
// member σ, τ, η and self-weight with where each governs, then the serviceability limits.
std::vector<ListRow> CheckRows(const Computation& computation, const SectionCheck& check);
// The working of the check for each member with a section: its properties, the governing
// forces and σ, τ and η with the numbers put in.
std::vector<RechenwegStep> CheckRechenweg(const Computation& computation,
                                          const SectionCheck& check);

}  // namespace strevo
