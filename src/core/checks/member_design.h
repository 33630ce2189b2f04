// The checks of a rolled I member for its design forces (EN 1993-1-1, the partial factors and
// constants from a DesignCode, by default the German annex): the cross-section at every place,
// flexural buckling about both axes, lateral-torsional buckling between lateral restraints and the
// interaction of compression and bending (6.61, 6.62, Annex B).
#pragma once

#include <functional>
#include <vector>

#include "core/analysis/member_forces.h"
#include "core/checks/design_code.h"
#include "core/sections/section_properties.h"

namespace strevo {

inline constexpr double kShearModulus = 81000;  // N/mm²

// A member's design forces as the checks read them.
struct PlaceForces {
  double s;  // m along the member
  MemberForces forces;
};
struct MemberDesignForces {
  double length = 0;  // m
  // The places where the cross-section is checked, in order of s: both ends, both sides of
  // every jump, every extreme of M and enough places between that nothing larger lies between.
  std::vector<PlaceForces> places;
  // The forces at any s (M is continuous; Q and N right of a jump).
  std::function<MemberForces(double)> at;
};

// Table 6.1/6.2 and 6.5: the buckling curve and its imperfection factor α.
struct BucklingCurve {
  char name;  // 'a', 'b', 'c', 'd'
  double alpha;
};
// χ of 6.49 for λ̄ (1 up to λ̄0).
double FlexuralReduction(double lambda, double alpha, const DesignCode& code = GermanAnnex());
// χLT of 6.57 (the code's λ̄LT,0 and β), at most 1 and 1/λ̄LT².
double LateralTorsionalReduction(double lambda, double alpha,
                                 const DesignCode& code = GermanAnnex());

// The class (1 to 4) of the section under this compression (kN, ≥ 0) and bending, by Table 5.2:
// the flange outstand in compression, the web in bending and compression.
int SectionClass(const SectionProperties& section, double fy, double compression, double moment);

struct CrossSectionCheck {
  int sectionClass = 1;
  bool elastic = false;  // class 3: von Mises at the web–flange junction (6.1)
  double eta = 0;
  double s = 0;  // where it governs
  MemberForces forces{};
  double NRd = 0, VRd = 0, MRd = 0;  // kN, kNm; MRd reduced for V and N where they reduce it
  double rho = 0;                    // 6.2.8: (2·VEd/Vpl,Rd − 1)², 0 below half of Vpl,Rd
};

struct FlexuralBuckling {
  BucklingCurve curve{};
  double Lcr = 0;  // m
  double Ncr = 0;  // kN
  double lambda = 0, chi = 1;
  double NEd = 0;  // largest compression, kN
  double eta = 0;  // NEd / (χ·A·fy/γM1); 0 without compression
};

struct LateralTorsionalBuckling {
  BucklingCurve curve{};
  double start = 0, end = 0;  // the governing segment between restraints, m
  double C1 = 1;              // 12.5·Mmax / (2.5·Mmax + 3·MA + 4·MB + 3·MC), at most 2.5
  double Mcr = 0;             // kNm
  double lambda = 0, chi = 1;
  double MEd = 0;  // largest |M| in the segment, kNm
  double Wy = 0;   // cm³: Wpl,y for a member of class 1 or 2 under its largest moment, else Wel,y
  double eta = 0;  // MEd / (χLT·Wy·fy/γM1)
};

struct MemberInteraction {
  double start = 0, end = 0;                  // the governing segment
  LateralTorsionalBuckling lateralTorsional;  // of that segment: its MEd, χLT and Wy enter
  // Of the member it is checked on: its NEd, λ̄ and χ enter. (The columns' worse buckling
  // may be the other column's.)
  FlexuralBuckling bucklingY, bucklingZ;
  double Cmy = 1, CmLT = 1;  // Table B.3
  double kyy = 0, kzy = 0;   // Table B.2 (members susceptible to torsional deformation)
  double eta61 = 0, eta62 = 0;
  double eta = 0;  // the larger
};

struct MemberVerification {
  CrossSectionCheck crossSection;
  FlexuralBuckling bucklingY, bucklingZ;
  LateralTorsionalBuckling lateralTorsional;
  MemberInteraction interaction;
  // Class 4 somewhere: the effective section is not covered, so the member is not verified.
  bool covered = true;
  double Eta() const;
};

// The member's checks by `code`. Buckling is left out (χ = 1) where NEd/Ncr ≤ 0.04 (6.3.1.2(4))
// and lateral-torsional buckling where MEd/Mcr ≤ 0.16 (6.3.2.2(4)). Cmy and CmLT follow Table B.3's
// row for a uniform load (never below the point-load row) with Mh the larger end moment and Ms
// the moment at the middle. Buckling about y takes `bucklingLengthY` (the system length when the
// forces hold the global effects); about z and lateral-torsional buckling take the segments
// between lateral restraints: the member in n equal segments, n the least with length/n ≤
// `restraintSpacing`, fork supports, load at the shear centre.
MemberVerification VerifyMember(const MemberDesignForces& forces, const SectionProperties& section,
                                double fy, double bucklingLengthY, double restraintSpacing,
                                const DesignCode& code = GermanAnnex());

}  // namespace strevo
