// The member checks of EN 1993-1-1, written once. Each rule is a template on a run of steps, as
// the portal's statics are (portal_statics.h): the checks run it on numbers, the Rechenweg on
// formulas (each step in symbols, with the numbers put in). Both compute and show the same
// thing in the same order; the code's constants enter as numbers, its factors by name.
//
// A run gives: `Value`; `Step(target, unit, formula)` stores a value and gives it back as later
// steps read it; `Stated(target, unit, number)` a value no formula of the run gives;
// `Factor(name, number)` a factor of the code (γM1, φ0, π); `Number(value)` a value as a
// number, for the run's decisions; `Least`/`Greatest` of two bounds, as the rule bounds them;
// `Capped(target, formula, bound)` the bound where it lies below the formula.
#pragma once

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "design_code.h"

namespace strevo::checks {

inline double Sq(double x) {
  return x * x;
}
inline double Sqrt(double x) {
  return std::sqrt(x);
}

// The run on numbers: each step is its value.
struct NumberRun {
  using Value = double;
  double Step(const std::string&, const char*, double value) { return value; }
  double Stated(const std::string&, const char*, double value) { return value; }
  double Factor(const char*, double value) { return value; }
  double Number(double value) const { return value; }
  double Least(const std::string&, double a, double b) { return std::min(a, b); }
  double Greatest(const std::string&, double a, double b) { return std::max(a, b); }
  double Capped(const std::string&, double, double bound) { return bound; }
};

// 6.3.1: flexural buckling about one axis. The names carry the axis ("Ncr,y", "χz").
struct BucklingNames {
  std::string EI, I, Lcr, Ncr, lambda, alpha, phi, chi, eta;
};
inline BucklingNames BucklingNamesOf(const std::string& axis) {
  return {"EI" + axis, "I" + axis, "Lcr," + axis, "Ncr," + axis, "λ̄" + axis,
          "α" + axis,  "Φ" + axis, "χ" + axis,    "ηBK," + axis};
}

template <class V>
struct BucklingInputs {
  V I;    // cm4
  V Lcr;  // m
  V NRk;  // kN
  V NEd;  // kN, compression ≥ 0
  double alpha;
};
template <class V>
struct BucklingValues {
  V Ncr, lambda, chi, eta;
};

inline constexpr double kBendingStiffnessCm4 = 2.1;  // E = 210000 N/mm² (3.2.6): kNm² per cm4

// χ of 6.49; 1 up to λ̄0 or for NEd/Ncr up to the negligible ratio (6.3.1.2(4)).
template <class Run, class V = typename Run::Value>
V FlexuralReductionOf(Run& run, const BucklingNames& n, const V& lambda, double ratio, double alpha,
                      const DesignCode& code) {
  if (run.Number(lambda) <= code.lambda0 || ratio <= code.bucklingNegligible) {
    return run.Stated(n.chi, "", 1);
  }
  const V a = run.Stated(n.alpha, "", alpha);
  const V phi = run.Step(n.phi, "", V(0.5) * (V(1) + a * (lambda - V(code.lambda0)) + Sq(lambda)));
  return run.Step(n.chi, "", V(1) / (phi + Sqrt(Sq(phi) - Sq(lambda))));
}

template <class Run, class V = typename Run::Value>
BucklingValues<V> FlexuralBuckling(Run& run, const BucklingNames& n, const BucklingInputs<V>& in,
                                   const DesignCode& code) {
  const V pi = run.Factor("π", std::numbers::pi);
  const V EI = run.Step(n.EI, "kNm²", V(kBendingStiffnessCm4) * in.I);
  const V Ncr = run.Step(n.Ncr, "kN", Sq(pi) * EI / Sq(in.Lcr));
  const V lambda = run.Step(n.lambda, "", Sqrt(in.NRk / Ncr));
  if (run.Number(in.NEd) == 0) {
    return {Ncr, lambda, V(1), run.Stated(n.eta, "", 0)};
  }
  const V chi = FlexuralReductionOf(run, n, lambda, run.Number(in.NEd / Ncr), in.alpha, code);
  const V eta = run.Step(n.eta, "", in.NEd / (chi * in.NRk / run.Factor("γM1", code.gammaM1)));
  return {Ncr, lambda, chi, eta};
}

// 6.3.2: lateral-torsional buckling of a segment from C1 (SN003: fork supports, load at the
// shear centre, C2 drops out), with 6.57 and 6.3.2.2(4).
template <class V>
struct LateralTorsionalInputs {
  V C1, Ls, EIz, Iz, Iw, It;  // –, m, kNm², cm4, cm6, cm4
  V Wy, fy, MEd;              // cm³, N/mm², kNm
  double alpha;
};
template <class V>
struct LateralTorsionalValues {
  V Mcr, MRk, lambda, chi;
};

inline constexpr double kShearModulusKN = 81000 / 1e5;  // G (3.2.6): kNm² per cm4

// χLT of 6.57 with the code's λ̄LT,0 and β, 1 where 6.3.2.2(4) lets it be; at most 1 and
// 1/λ̄LT² (6.58).
template <class Run, class V = typename Run::Value>
V LateralTorsionalReductionOf(Run& run, const V& lambda, double ratio, double alpha,
                              const DesignCode& code) {
  if (run.Number(lambda) <= code.lambdaLT0 || ratio <= code.lateralTorsionalNegligible) {
    return run.Stated("χLT", "", 1);
  }
  const V a = run.Stated("αLT", "", alpha);
  const V beta = V(code.betaLT);
  const V phi =
      run.Step("ΦLT", "", V(0.5) * (V(1) + a * (lambda - V(code.lambdaLT0)) + beta * Sq(lambda)));
  const V chi = V(1) / (phi + Sqrt(Sq(phi) - beta * Sq(lambda)));
  const double bound = std::min(1.0, 1 / Sq(run.Number(lambda)));
  if (bound < run.Number(chi) * (1 - 1e-9)) {
    return run.Capped("χLT", chi, bound);
  }
  return run.Step("χLT", "", chi);
}

template <class Run, class V = typename Run::Value>
LateralTorsionalValues<V> LateralTorsionalBuckling(Run& run, const LateralTorsionalInputs<V>& in,
                                                   const DesignCode& code) {
  const V pi = run.Factor("π", std::numbers::pi);
  const V GIt = run.Step("GIt", "kNm²", V(kShearModulusKN) * in.It);
  // cm6 / cm4 are 10⁻⁴ m².
  const V Mcr = run.Step("Mcr", "kNm",
                         in.C1 * Sq(pi) * in.EIz / Sq(in.Ls) *
                             Sqrt(in.Iw / in.Iz / V(10000) + Sq(in.Ls) * GIt / (Sq(pi) * in.EIz)));
  const V MRk = run.Step("My,Rk", "kNm", in.Wy * in.fy / V(1000));
  const V lambda = run.Step("λ̄LT", "", Sqrt(MRk / Mcr));
  const V chi = LateralTorsionalReductionOf(run, lambda, run.Number(in.MEd / Mcr), in.alpha, code);
  return {Mcr, MRk, lambda, chi};
}

// The utilisation of 6.54.
template <class Run, class V = typename Run::Value>
V LateralTorsionalUtilisation(Run& run, const V& MEd, const V& chi, const V& MRk,
                              const DesignCode& code) {
  return run.Step("ηBDK", "", MEd / (chi * MRk / run.Factor("γM1", code.gammaM1)));
}

// 6.61 and 6.62 with Annex B, Table B.2 (members susceptible to torsional deformations).
template <class V>
struct InteractionInputs {
  V NEd, NRk, chiY, chiZ, lambdaY, lambdaZ;
  V Cmy, CmLT;
  V MEd, chiLT, MRk;
  bool plastic;  // class 1 or 2
};
template <class V>
struct InteractionValues {
  V kyy, kzy, eta61, eta62;
};

template <class Run, class V = typename Run::Value>
InteractionValues<V> Interaction(Run& run, const InteractionInputs<V>& in, const DesignCode& code) {
  const V gammaM1 = run.Factor("γM1", code.gammaM1);
  const V ny = run.Step("ny", "", in.NEd / (in.chiY * in.NRk / gammaM1));
  const V nz = run.Step("nz", "", in.NEd / (in.chiZ * in.NRk / gammaM1));
  const V& Cmy = in.Cmy;
  const V c = in.CmLT - V(0.25);
  V kyy = V(0), kzy = V(0);
  // Table B.2's coefficients.
  if (in.plastic) {
    kyy = run.Least("kyy", Cmy * (V(1) + (in.lambdaY - V(0.2)) * ny), Cmy * (V(1) + V(0.8) * ny));
    const V k1 = V(1) - V(0.1) * in.lambdaZ * nz / c;
    kzy = run.Number(in.lambdaZ) >= 0.4 ? run.Greatest("kzy", k1, V(1) - V(0.1) * nz / c)
                                        : run.Least("kzy", V(0.6) + in.lambdaZ, k1);
  } else {
    kyy = run.Least("kyy", Cmy * (V(1) + V(0.6) * in.lambdaY * ny), Cmy * (V(1) + V(0.6) * ny));
    kzy = run.Greatest("kzy", V(1) - V(0.05) * in.lambdaZ * nz / c, V(1) - V(0.05) * nz / c);
  }
  const V bending = in.MEd / (in.chiLT * in.MRk / gammaM1);
  const V eta61 = run.Step("η6.61", "", ny + kyy * bending);
  const V eta62 = run.Step("η6.62", "", nz + kzy * bending);
  return {kyy, kzy, eta61, eta62};
}

// 5.3.2(3): the sway imperfection φ = φ0·αh·αm of m columns of height h (m), αh bounded.
template <class V>
struct SwayValues {
  V alphaH, alphaM, phi;
};
template <class Run, class V = typename Run::Value>
SwayValues<V> SwayImperfection(Run& run, const V& h, const V& m, const DesignCode& code) {
  const V twoOverRootH = V(2) / Sqrt(h);
  const double alphaH = run.Number(twoOverRootH);
  const V aH = alphaH >= code.alphaHMin && alphaH <= code.alphaHMax
                   ? run.Step("αh", "", twoOverRootH)
                   : run.Stated("αh", "", std::clamp(alphaH, code.alphaHMin, code.alphaHMax));
  const V aM = run.Step("αm", "", Sqrt(V(0.5) * (V(1) + V(1) / m)));
  const V phi = run.Step("φ", "", run.Factor("φ0", code.phi0) * aH * aM);
  return {aH, aM, phi};
}

// 5.2.1(3): whether the design forces must come from second order.
inline bool SecondOrderNeeded(double alphaCr, const DesignCode& code) {
  return alphaCr < code.alphaCrFirstOrder;
}

}  // namespace strevo::checks
