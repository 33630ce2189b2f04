// The member checks of EN 1993-1-1, written once. Each rule is a template on a run of steps, as
// the portal's statics are (portal_statics.h): the checks run it on numbers, the Rechenweg on
// formulas (each step in symbols, with the numbers put in). Both compute and show the same
// thing in the same order; the code's constants enter as numbers, its factors by name.
//
// A run gives: `Value`; `Step(target, unit, formula)` stores a value and gives it back as later
// steps read it; `Stated(target, unit, number)` a value no formula of the run gives;
// `Factor(name, number)` a factor of the code (γM1, φ0, π); `Number(value)` a value as a
// number, for the run's decisions; `Least`/`Greatest` of two bounds, as the rule bounds them;
// `Capped(target, formula, bound)` the bound where it lies below the formula. `Least` takes the
// target's unit where it has one.
#pragma once

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>

#include "core/checks/design_code.h"

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
  static double Step(const std::string& /*name*/, const char* /*unit*/, double value) {
    return value;
  }
  static double Stated(const std::string& /*name*/, const char* /*unit*/, double value) {
    return value;
  }
  static double Factor(const char* /*name*/, double value) { return value; }
  static double Number(double value) { return value; }
  static double Least(const std::string& /*name*/, double a, double b, const char* /*unit*/ = "") {
    return std::min(a, b);
  }
  static double Greatest(const std::string& /*name*/, double a, double b) { return std::max(a, b); }
  static double Capped(const std::string& /*name*/, double /*value*/, double bound) {
    return bound;
  }
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

// Table B.2, class 1 and 2: kzy takes its second row from this λ̄z on.
inline constexpr double kInteractionLambdaZ = 0.4;

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
    kzy = run.Number(in.lambdaZ) >= kInteractionLambdaZ
              ? run.Greatest("kzy", k1, V(1) - V(0.1) * nz / c)
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

// 6.2: the cross-section of a rolled I section under its forces (magnitudes). The steps work
// in the section table's units (cm², cm³, cm4, mm) and in kN and kNm: cm² · N/mm² are 0.1 kN,
// cm³ · N/mm² 0.001 kNm.
template <class V>
struct CrossSectionInputs {
  V A, Avz, Iy, Wpl, Wel;  // cm², cm², cm4, cm³, cm³
  V h, b, tw, tf;          // mm
  V fy;                    // N/mm²
  V N, Vz, M;              // kN, kN, kNm, as magnitudes
};
template <class V>
struct CrossSectionValues {
  V NRd, VRd, MRd, rho, eta;
};

// 6.2.8(2): shear below this share of Vpl,Rd leaves the resistances whole.
inline constexpr double kHighShear = 0.5;
// 6.2.9.1(4), 6.33: N up to this share of Npl,Rd leaves Mpl,Rd whole …
inline constexpr double kAxialShare = 0.25;
// … 6.34: as does N up to this share of the web's resistance hw·tw·fy/γM0.
inline constexpr double kAxialWebShare = 0.5;
// 6.2.9.1(5), 6.36: the web's share a of the area is taken at most this.
inline constexpr double kWebShareMax = 0.5;

// 6.2.3 and 6.2.6: NRd = A·fy/γM0 (class 1 to 3) and Vpl,Rd = Avz·fy/(√3·γM0).
template <class Run, class V = typename Run::Value>
std::pair<V, V> CrossSectionResistances(Run& run, const CrossSectionInputs<V>& in,
                                        const DesignCode& code) {
  const V gammaM0 = run.Factor("γM0", code.gammaM0);
  const V NRd = run.Step("NRd", "kN", in.A * in.fy / V(10) / gammaM0);
  const V VRd = run.Step("VRd", "kN", in.Avz * in.fy / (V(10) * Sqrt(V(3)) * gammaM0));
  return {NRd, VRd};
}

// 6.36 under N beyond the limits of 6.33 and 6.34, from the resistances reduced for shear.
template <class Run, class V = typename Run::Value>
V AxialReducedMoment(Run& run, const CrossSectionInputs<V>& in, const V& rho, const V& Aw,
                     const V& MplV, const V& gammaM0, V& n) {
  const V area = V(100) * in.A;  // mm²
  const V NplV = run.Step("Npl,V", "kN", (area - rho * Aw) * in.fy / V(1000) / gammaM0);
  n = run.Step("n", "", in.N / NplV);
  if (run.Number(n) >= 1) {
    return run.Stated("MRd", "kNm", 0);  // N alone exhausts the section
  }
  const V a = run.Least("a", (area - V(2) * in.b * in.tf) / area, V(kWebShareMax));
  return run.Least("MRd", MplV * (V(1) - n) / (V(1) - V(0.5) * a), MplV, "kNm");
}

// 6.2.8(3): ρ = (2·VEd/Vpl,Rd − 1)² above half of Vpl,Rd, else 0. At most 1, the whole web
// taken by shear: beyond Vpl,Rd the check fails on V already.
template <class Run, class V = typename Run::Value>
V ShearReduction(Run& run, const V& Vz, const V& VRd) {
  if (run.Number(Vz) <= kHighShear * run.Number(VRd)) {
    return run.Stated("ρ", "", 0);
  }
  const V rho = Sq(V(2) * Vz / VRd - V(1));
  return run.Number(rho) <= 1 ? run.Step("ρ", "", rho) : run.Stated("ρ", "", 1);
}

// 6.2 for class 1 and 2: the plastic resistances, for high shear with (1 − ρ)·fy on the web
// (6.2.8(3), 6.30, 6.2.10), for N by 6.2.9.1; η the largest of N, V and M over theirs (beyond
// Npl,V: n + M/Mpl,V, finite and above 1).
template <class Run, class V = typename Run::Value>
CrossSectionValues<V> PlasticCrossSection(Run& run, const CrossSectionInputs<V>& in,
                                          const DesignCode& code) {
  const auto [NRd, VRd] = CrossSectionResistances(run, in, code);
  const V gammaM0 = run.Factor("γM0", code.gammaM0);
  const V rho = ShearReduction(run, in.Vz, VRd);
  const V Aw = run.Step("Aw", "mm²", (in.h - V(2) * in.tf) * in.tw);
  const V MplV =
      run.Step("Mpl,V", "kNm",
               (in.Wpl - rho * Sq(Aw) / (V(4) * in.tw) / V(1000)) * in.fy / V(1000) / gammaM0);
  const double N = run.Number(in.N);
  const bool axial = N > kAxialShare * run.Number(NRd) ||
                     N > kAxialWebShare * run.Number(Aw * in.fy / gammaM0) / 1000;
  V n = V(0);
  const V MRd =
      axial ? AxialReducedMoment(run, in, rho, Aw, MplV, gammaM0, n) : run.Step("MRd", "kNm", MplV);
  const V etaN = run.Step("ηN", "", in.N / NRd);
  const V etaV = run.Step("ηV", "", in.Vz / VRd);
  const V etaM = run.Step("ηM", "", run.Number(MRd) > 0 ? in.M / MRd : n + in.M / MplV);
  const double eta = std::max({run.Number(etaN), run.Number(etaV), run.Number(etaM)});
  return {NRd, VRd, MRd, rho, run.Stated("ηQuerschnitt", "", eta)};
}

// 6.1(5) and 6.2.1(7) for class 3: the elastic stresses against fy/γM0, von Mises at the
// web–flange junction, the edge stress and the largest shear stress (6.2.6(4)).
template <class Run, class V = typename Run::Value>
CrossSectionValues<V> ElasticCrossSection(Run& run, const CrossSectionInputs<V>& in,
                                          const DesignCode& code) {
  const auto [NRd, VRd] = CrossSectionResistances(run, in, code);
  const V gammaM0 = run.Factor("γM0", code.gammaM0);
  // kN/cm² are 10 N/mm², kNm/cm³ 1000 N/mm², kNm·mm/cm4 100 N/mm².
  const V sigma = run.Step("σ", "N/mm²", V(10) * in.N / in.A + V(1000) * in.M / in.Wel);
  const V sigmaJ =
      run.Step("σj", "N/mm²", V(10) * in.N / in.A + V(100) * in.M * (in.h / V(2) - in.tf) / in.Iy);
  // The flange's first moment b·tf·(h − tf)/2 (mm³) and, for τmax, Wpl,y/2.
  const V tauJ =
      run.Step("τj", "N/mm²", in.Vz * in.b * in.tf * (in.h - in.tf) / (V(20) * in.Iy * in.tw));
  const V tauMax = run.Step("τmax", "N/mm²", V(50) * in.Vz * in.Wpl / (in.Iy * in.tw));
  const V sigmaV = run.Step("σv", "N/mm²", Sqrt(Sq(sigmaJ) + V(3) * Sq(tauJ)));
  const double largest =
      std::max({run.Number(sigma), run.Number(sigmaV), run.Number(Sqrt(V(3)) * tauMax)});
  const V eta = run.Stated("ηQuerschnitt", "", largest / run.Number(in.fy / gammaM0));
  return {NRd, VRd, in.Wel * in.fy / V(1000) / gammaM0, V(0), eta};
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
