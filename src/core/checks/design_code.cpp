#include "core/checks/design_code.h"

namespace strevo {

double ImperfectionFactors::Of(char curve) const {
  switch (curve) {
    case 'o':
      return a0;
    case 'a':
      return a;
    case 'b':
      return b;
    case 'c':
      return c;
    default:
      break;
  }
  return d;
}

namespace {

DesignCode German() {
  DesignCode code;
  code.name = "EN 1993-1-1 mit deutschem Nationalen Anhang";
  // DIN EN 1990/NA Table NA.A.1.2(B).
  code.gammaGSup = 1.35;
  code.gammaGInf = 1.00;
  code.gammaQ = 1.5;
  // EN 1990 Table A1.1 (recommended, taken over by DIN EN 1990/NA Table NA.A.1.1).
  code.psi0 = {.imposed = 0.7,
               .imposedStorage = 1.0,
               .imposedRoof = 0.0,
               .snow = 0.5,
               .snowHigh = 0.7,
               .wind = 0.6};
  // DIN EN 1993-1-1/NA NDP 6.1(1) and DIN EN 1993-1-8/NA NDP 2.2(2).
  code.gammaM0 = 1.0;
  code.gammaM1 = 1.1;
  code.gammaM2 = 1.25;
  // DIN EN 1992-1-1/NA NDP 2.4.2.4(1) and 3.1.6(1)P.
  code.gammaC = 1.5;
  code.alphaCC = 0.85;
  // EN 1993-1-1 5.3.2(3) a) and b).
  code.phi0 = 1.0 / 200;
  code.alphaHMin = 2.0 / 3;
  code.alphaHMax = 1.0;
  // EN 1993-1-1 5.2.1(3), Eq. 5.1, elastic analysis.
  code.alphaCrFirstOrder = 10;
  // EN 1993-1-1 Table 6.1.
  code.imperfection = {.a0 = 0.13, .a = 0.21, .b = 0.34, .c = 0.49, .d = 0.76};
  // EN 1993-1-1 6.3.1.2(4).
  code.lambda0 = 0.2;
  code.bucklingNegligible = 0.04;
  // DIN EN 1993-1-1/NA NDP 6.3.2.3(1) for rolled sections: λ̄LT,0 = 0.4, β = 0.75.
  code.lambdaLT0 = 0.4;
  code.betaLT = 0.75;
  // EN 1993-1-1 6.3.2.2(4): (λ̄LT,0)² = 0.16.
  code.lateralTorsionalNegligible = 0.16;
  return code;
}

}  // namespace

const DesignCode& GermanAnnex() {
  static const DesignCode code = German();
  return code;
}

}  // namespace strevo
