// The design code's parameters as data: the partial factors, the combination factors ψ0, the
// imperfections and the constants of the member checks. Every check reads them from one
// DesignCode; another national annex is another value of it.
#pragma once

namespace strevo {

// ψ0 of EN 1990 Table A1.1 for the actions a design knows.
struct CombinationFactors {
  double imposed = 0;         // categories A–D (and F, G)
  double imposedStorage = 0;  // category E
  double imposedRoof = 0;     // category H
  double snow = 0;            // sites up to 1000 m above sea level
  double snowHigh = 0;        // sites above 1000 m
  double wind = 0;
};

// The imperfection factors α of the buckling curves (EN 1993-1-1 Table 6.1, used for LTB by
// Table 6.3).
struct ImperfectionFactors {
  double a0 = 0, a = 0, b = 0, c = 0, d = 0;
  double Of(char curve) const;  // 'o' for a0, else 'a' … 'd'
};

struct DesignCode {
  const char* name = "";  // as the report names the standard

  // EN 1990 Table A1.2(B): permanent actions unfavourable and favourable, leading variable.
  double gammaGSup = 0, gammaGInf = 0, gammaQ = 0;
  CombinationFactors psi0;

  // EN 1993-1-1 6.1(1): cross-sections, members (instability); EN 1993-1-8 2.2: joints.
  double gammaM0 = 0, gammaM1 = 0, gammaM2 = 0;
  // EN 1992-1-1 2.4.2.4 and 3.1.6(1): concrete of the bases.
  double gammaC = 0, alphaCC = 0;

  // EN 1993-1-1 5.3.2(3): φ = φ0·αh·αm with αh = 2/√h bounded.
  double phi0 = 0;
  double alphaHMin = 0, alphaHMax = 0;
  // EN 1993-1-1 5.2.1(3), Eq. 5.1: first-order analysis suffices from this αcr on.
  double alphaCrFirstOrder = 0;

  ImperfectionFactors imperfection;
  // EN 1993-1-1 6.3.1.2(4): no flexural buckling up to this λ̄ …
  double lambda0 = 0;
  // … or for NEd/Ncr up to this.
  double bucklingNegligible = 0;
  // EN 1993-1-1 6.3.2.3(1), Eq. 6.57, for rolled sections: the plateau λ̄LT,0 and β.
  double lambdaLT0 = 0, betaLT = 0;
  // EN 1993-1-1 6.3.2.2(4): no lateral-torsional buckling for MEd/Mcr up to this.
  double lateralTorsionalNegligible = 0;
};

// EN 1990 and EN 1993-1-1 with the German national annexes (DIN EN 1990/NA, DIN EN 1993-1-1/NA).
const DesignCode& GermanAnnex();

}  // namespace strevo
