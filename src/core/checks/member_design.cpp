#include "core/checks/member_design.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "core/checks/member_checks.h"

namespace strevo {
namespace {

// The table gives cm², cm4 and the forces come in kN and kNm; the classes work in N and mm.
constexpr double kMm2PerCm2 = 1e2, kMm4PerCm4 = 1e4;
constexpr double kNPerKN = 1e3, kNmmPerKNm = 1e6;

int ClassOf(double slenderness, double class1, double class2, double class3) {
  if (slenderness <= class1) {
    return 1;
  }
  if (slenderness <= class2) {
    return 2;
  }
  return slenderness <= class3 ? 3 : 4;
}

// 6.2: plastic resistances for class 1 and 2, elastic stresses for class 3 (and, uncovered,
// class 4).
CrossSectionCheck CrossSection(const SectionProperties& s, double fy, const MemberForces& f,
                               int sectionClass, const DesignCode& code) {
  checks::NumberRun run;
  const checks::CrossSectionInputs<double> in{
      s.A,  s.Avz, s.Iy, s.Wpl,         s.Wel,         s.h,          s.b,
      s.tw, s.tf,  fy,   std::abs(f.N), std::abs(f.Q), std::abs(f.M)};
  const bool plastic = sectionClass <= 2;
  const auto values = plastic ? checks::PlasticCrossSection(run, in, code)
                              : checks::ElasticCrossSection(run, in, code);
  CrossSectionCheck c;
  c.sectionClass = sectionClass;
  c.elastic = !plastic;
  c.NRd = values.NRd;
  c.VRd = values.VRd;
  c.MRd = values.MRd;
  c.rho = values.rho;
  c.eta = values.eta;
  return c;
}

double Compression(const MemberForces& f) {
  return std::max(0.0, -f.N);
}

// Table 6.2, rolled I sections with tf ≤ 40 mm (all sections of the table).
BucklingCurve Curve(char name, const DesignCode& code) {
  return {name, code.imperfection.Of(name)};
}
BucklingCurve CurveY(const SectionProperties& s, const DesignCode& code) {
  return Curve(s.h / s.b > 1.2 ? 'a' : 'b', code);
}
BucklingCurve CurveZ(const SectionProperties& s, const DesignCode& code) {
  return Curve(s.h / s.b > 1.2 ? 'b' : 'c', code);
}
// Table 6.5, rolled I sections.
BucklingCurve CurveLT(const SectionProperties& s, const DesignCode& code) {
  return Curve(s.h / s.b <= 2 ? 'b' : 'c', code);
}

FlexuralBuckling Buckling(const SectionProperties& s, double fy, double Icm4, double Lcr,
                          BucklingCurve curve, double NEd, const DesignCode& code) {
  FlexuralBuckling b;
  b.curve = curve;
  b.Lcr = Lcr;
  b.NEd = NEd;
  checks::NumberRun run;
  const auto values =
      checks::FlexuralBuckling(run, {}, {Icm4, Lcr, s.A * fy / 10, NEd, curve.alpha}, code);
  b.Ncr = values.Ncr;
  b.lambda = values.lambda;
  b.chi = values.chi;
  b.eta = values.eta;
  return b;
}

// The least n with length/n ≤ spacing; a spacing that divides the length exactly must not
// gain a segment from rounding (15/3.75).
int SegmentCount(double length, double spacing) {
  if (!(spacing > 0) || !(length > spacing)) {
    return 1;
  }
  return static_cast<int>(std::ceil(length / spacing * (1 - 1e-9)));
}

double LargestMoment(const MemberDesignForces& f, double start, double end) {
  double largest = std::max(std::abs(f.at(start).M), std::abs(f.at(end).M));
  for (const PlaceForces& p : f.places) {
    if (p.s >= start && p.s <= end) {
      largest = std::max(largest, std::abs(p.forces.M));
    }
  }
  return largest;
}

// Table B.3, always the row for a uniform load: it never lies below the point-load row.
double EquivalentMomentFactor(const MemberDesignForces& f, double start, double end) {
  const double m1 = f.at(start).M, m2 = f.at(end).M;
  const double mh = std::abs(m1) >= std::abs(m2) ? m1 : m2;
  const double other = std::abs(m1) >= std::abs(m2) ? m2 : m1;
  const double psi = mh == 0 ? 1 : other / mh;
  // Ms at the middle, as the table draws it: a peak near an end must not flip the row.
  const double ms = f.at((start + end) / 2).M;
  double cm = 1;  // no moment at all
  if (mh != 0 && std::abs(ms) <= std::abs(mh)) {
    const double as = ms / mh;
    if (as >= 0) {
      cm = 0.2 + 0.8 * as;
    } else {
      cm = psi >= 0 ? 0.1 - 0.8 * as : 0.1 * (1 - psi) - 0.8 * as;
    }
    cm = std::max(0.4, cm);
  } else if (ms != 0) {
    const double ah = mh / ms;
    cm = ah >= 0 || psi >= 0 ? 0.95 + 0.05 * ah : 0.95 + 0.05 * ah * (1 + 2 * psi);
  }
  return std::min(1.0, cm);
}

// The quarter-point formula for C1, at most 2.5.
double MomentFactorC1(const MemberDesignForces& f, double start, double end, double mmax) {
  if (mmax == 0) {
    return 1;
  }
  const double step = (end - start) / 4;
  const double ma = std::abs(f.at(start + step).M), mb = std::abs(f.at(start + 2 * step).M);
  const double mc = std::abs(f.at(start + 3 * step).M);
  return std::min(2.5, 12.5 * mmax / (2.5 * mmax + 3 * ma + 4 * mb + 3 * mc));
}

LateralTorsionalBuckling LateralTorsional(const MemberDesignForces& f, const SectionProperties& s,
                                          double fy, double Wy, double start, double end,
                                          const DesignCode& code) {
  LateralTorsionalBuckling b;
  b.curve = CurveLT(s, code);
  b.start = start;
  b.end = end;
  b.MEd = LargestMoment(f, start, end);
  b.Wy = Wy;
  b.C1 = MomentFactorC1(f, start, end, b.MEd);
  checks::NumberRun run;
  const auto values =
      checks::LateralTorsionalBuckling(run,
                                       {b.C1, end - start, checks::kBendingStiffnessCm4 * s.Iz,
                                        s.Iz, s.Iw, s.It, Wy, fy, b.MEd, b.curve.alpha},
                                       code);
  b.Mcr = values.Mcr;
  b.lambda = values.lambda;
  b.chi = values.chi;
  b.eta = checks::LateralTorsionalUtilisation(run, b.MEd, b.chi, values.MRk, code);
  return b;
}

// 6.61 and 6.62 with Annex B (Table B.2) for one segment.
MemberInteraction Interaction(const FlexuralBuckling& y, const FlexuralBuckling& z,
                              const LateralTorsionalBuckling& lt, double NRk, double MRk,
                              bool plastic, double Cmy, double CmLT, const DesignCode& code) {
  MemberInteraction m;
  m.start = lt.start;
  m.end = lt.end;
  m.lateralTorsional = lt;
  m.bucklingY = y;
  m.bucklingZ = z;
  m.Cmy = Cmy;
  m.CmLT = CmLT;
  checks::NumberRun run;
  const auto values = checks::Interaction(
      run, {y.NEd, NRk, y.chi, z.chi, y.lambda, z.lambda, Cmy, CmLT, lt.MEd, lt.chi, MRk, plastic},
      code);
  m.kyy = values.kyy;
  m.kzy = values.kzy;
  m.eta61 = values.eta61;
  m.eta62 = values.eta62;
  m.eta = std::max(m.eta61, m.eta62);
  return m;
}

}  // namespace

double FlexuralReduction(double lambda, double alpha, const DesignCode& code) {
  checks::NumberRun run;
  return checks::FlexuralReductionOf(run, {}, lambda, 1.0, alpha, code);
}

double LateralTorsionalReduction(double lambda, double alpha, const DesignCode& code) {
  checks::NumberRun run;
  return checks::LateralTorsionalReductionOf(run, lambda, 1.0, alpha, code);
}

int SectionClass(const SectionProperties& s, double fy, double compression, double moment) {
  const double eps = std::sqrt(235 / fy);
  const double outstand = (s.b - s.tw - 2 * s.r) / 2 / s.tf;
  const int flange = ClassOf(outstand, 9 * eps, 10 * eps, 14 * eps);
  const double c = s.h - 2 * s.tf - 2 * s.r;
  const double slenderness = c / s.tw;
  compression = std::max(0.0, compression);
  // Plastic: the compressed share α of the web, the axial force taken by its middle.
  const double alpha = std::min(1.0, 0.5 + compression * kNPerKN / (2 * c * s.tw * fy));
  const bool compressed = alpha > 0.5;
  const double class1 = compressed ? 396 * eps / (13 * alpha - 1) : 36 * eps / alpha;
  const double class2 = compressed ? 456 * eps / (13 * alpha - 1) : 41.5 * eps / alpha;
  // Elastic: ψ from the stresses at the ends of c, compression positive.
  const double axial = compression * kNPerKN / (s.A * kMm2PerCm2);
  const double bending = std::abs(moment) * kNmmPerKNm * (c / 2) / (s.Iy * kMm4PerCm4);
  const double psi = axial + bending > 0 ? (axial - bending) / (axial + bending) : -1;
  const double class3 =
      psi > -1 ? 42 * eps / (0.67 + 0.33 * psi) : 62 * eps * (1 - psi) * std::sqrt(-psi);
  return std::max(flange, ClassOf(slenderness, class1, class2, class3));
}

double MemberVerification::Eta() const {
  return std::max(
      {crossSection.eta, bucklingY.eta, bucklingZ.eta, lateralTorsional.eta, interaction.eta});
}

MemberVerification VerifyMember(const MemberDesignForces& forces, const SectionProperties& section,
                                double fy, double bucklingLengthY, double restraintSpacing,
                                const DesignCode& code) {
  MemberVerification v;
  double NEd = 0;
  const PlaceForces* largestMoment = nullptr;
  bool first = true;
  for (const PlaceForces& p : forces.places) {
    const int sectionClass = SectionClass(section, fy, Compression(p.forces), p.forces.M);
    v.covered = v.covered && sectionClass < 4;
    CrossSectionCheck check = CrossSection(section, fy, p.forces, sectionClass, code);
    if (first || check.eta > v.crossSection.eta) {
      check.s = p.s;
      check.forces = p.forces;
      v.crossSection = check;
      first = false;
    }
    NEd = std::max(NEd, Compression(p.forces));
    if (largestMoment == nullptr || std::abs(p.forces.M) > std::abs(largestMoment->forces.M)) {
      largestMoment = &p;
    }
  }
  // The member's class under its governing moment chooses plastic or elastic resistances.
  const bool plastic =
      largestMoment == nullptr ||
      SectionClass(section, fy, Compression(largestMoment->forces), largestMoment->forces.M) <= 2;
  const double Wy = plastic ? section.Wpl : section.Wel;
  // As the checks' steps write them: cm² · N/mm² are 0.1 kN, cm³ · N/mm² 0.001 kNm.
  const double NRk = section.A * fy / 10, MRk = Wy * fy / 1000;
  // A member that carries no normal force shows some 1e-17 kN of rounding: no compression.
  if (NEd <= 1e-12 * NRk) {
    NEd = 0;
  }

  const int segments = SegmentCount(forces.length, restraintSpacing);
  const double segment = forces.length / segments;
  v.bucklingY =
      Buckling(section, fy, section.Iy, bucklingLengthY, CurveY(section, code), NEd, code);
  v.bucklingZ = Buckling(section, fy, section.Iz, segment, CurveZ(section, code), NEd, code);
  const double Cmy = EquivalentMomentFactor(forces, 0, forces.length);
  for (int i = 0; i < segments; ++i) {
    const double start = i * segment;
    const double end = i + 1 == segments ? forces.length : (i + 1) * segment;
    const LateralTorsionalBuckling lt = LateralTorsional(forces, section, fy, Wy, start, end, code);
    if (i == 0 || lt.eta > v.lateralTorsional.eta) {
      v.lateralTorsional = lt;
    }
    const MemberInteraction interaction =
        Interaction(v.bucklingY, v.bucklingZ, lt, NRk, MRk, plastic, Cmy,
                    EquivalentMomentFactor(forces, start, end), code);
    if (i == 0 || interaction.eta > v.interaction.eta) {
      v.interaction = interaction;
    }
  }
  return v;
}

}  // namespace strevo
