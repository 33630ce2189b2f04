#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/design/design_computation.h"

namespace strevo {
namespace {

// Where a member's cross-section is checked: each piece's places (a cut's both sides).
std::vector<PlaceForces> PlacesOf(const ExactLine& line) {
  std::vector<PlaceForces> places;
  for (const ExactPiece& p : line.pieces) {
    ForEachPlace(p, [&places, &p](double s, bool) {
      places.push_back({s, {p.M(s), p.Q(s), p.N(s)}});
    });
  }
  return places;
}

std::string SegmentText(const InputSet& in, Member member, double start, double end) {
  if (start <= 0 && end >= MemberLength(in, member)) {
    return MemberName(member);
  }
  return std::string(MemberName(member)) + " zwischen " + PositionOn(in, member, start) + " und " +
         PositionOn(in, member, end);
}

// Takes a member's verification into the members' design where it is worse, check by check,
// each named with its place where `named`.
class WorseOf {
 public:
  WorseOf(MemberDesign& design, const InputSet& in, bool named)
      : design_(design), in_(in), named_(named) {}

  void Take(Member m, const MemberVerification& v) {
    MemberVerification& to = design_.verification;
    if (first_ || v.crossSection.eta > to.crossSection.eta) {
      to.crossSection = v.crossSection;
      design_.crossSectionMember = m;
      Name(design_.crossSectionPlace, [&] { return PositionOn(in_, m, v.crossSection.s); });
    }
    if (first_ ||
        std::max(v.bucklingY.eta, v.bucklingZ.eta) > std::max(to.bucklingY.eta, to.bucklingZ.eta)) {
      to.bucklingY = v.bucklingY;
      to.bucklingZ = v.bucklingZ;
      design_.bucklingMember = m;
      Name(design_.bucklingPlace, [m] { return std::string(MemberName(m)); });
    }
    if (first_ || v.lateralTorsional.eta > to.lateralTorsional.eta) {
      to.lateralTorsional = v.lateralTorsional;
      design_.lateralTorsionalMember = m;
      Name(design_.lateralTorsionalPlace,
           [&] { return SegmentText(in_, m, v.lateralTorsional.start, v.lateralTorsional.end); });
    }
    if (first_ || v.interaction.eta > to.interaction.eta) {
      to.interaction = v.interaction;
      design_.interactionMember = m;
      Name(design_.interactionPlace,
           [&] { return SegmentText(in_, m, v.interaction.start, v.interaction.end); });
    }
    to.covered = (first_ || to.covered) && v.covered;
    first_ = false;
  }

 private:
  template <class Text>
  void Name(std::string& place, Text&& text) const {
    if (named_) {
      place = text();
    }
  }

  MemberDesign& design_;
  const InputSet& in_;
  bool named_;
  bool first_ = true;
};

}  // namespace

// The result values of the design forces, named as the first-order ones: Q2 and Q4 with a point
// load over a corner counted on the beam (the analysis takes it straight into the column),
// X3/M3 by the field-point rule.
SharedResults ValuesOf(const Portal& portal, const FrameResponse& response) {
  SharedResults v;
  v.AH = response.reactions.AH;
  v.AV = response.reactions.AV;
  v.MA = response.reactions.MA;
  v.BH = response.reactions.BH;
  v.BV = response.reactions.BV;
  v.MB = response.reactions.MB;
  const auto take = [](const MemberForces& at, double& M, double& N, double& Q) {
    M = at.M;
    N = at.N;
    Q = at.Q;
  };
  const ExactLine& beam = response.lines[static_cast<std::size_t>(Member::Beam)];
  take(response.lines[0].At(portal.h), v.M1, v.N1, v.Q1);
  take(beam.At(0), v.M2, v.N2, v.Q2);
  take(beam.At(portal.L), v.M4, v.N4, v.Q4);
  take(response.lines[2].At(0), v.M5, v.N5, v.Q5);
  v.Q2 += response.cornerLoads[0];
  v.Q4 -= response.cornerLoads[1];
  v.k = portal.I2 / portal.I1 * (portal.h / portal.L);
  v.X3 = FieldPointOf(beam);
  v.M3 = beam.At(v.X3).M;
  return v;
}

UltimateChecks::UltimateChecks(const DesignResult& result)
    : result_(result),
      columnSection_(SectionOf(result.design.columns)),
      beamSection_(SectionOf(result.design.beam)) {}

void UltimateChecks::operator()(CombinationResult& r, FrameLoads loads, const NormalForces& first,
                                double swayMm, bool shown) const {
  CombinationStability st = StabilityOf(std::move(loads), first, swayMm, shown);
  const Portal& portal = result_.portal;
  const Restraints& restraints = result_.design.restraints;
  if (const SectionProperties* s = columnSection_) {
    r.columns = MemberDesignOf(st, *s, {Member::LeftColumn, Member::RightColumn},
                               restraints.columns.value_or(portal.h), shown);
  }
  if (const SectionProperties* s = beamSection_) {
    r.beam = MemberDesignOf(st, *s, {Member::Beam}, restraints.beam.value_or(portal.L), shown);
  }
  r.stability = std::move(st);
}

// αcr, the sway imperfection and the design forces (second order where αcr < 10).
CombinationStability UltimateChecks::StabilityOf(FrameLoads loads, const NormalForces& first,
                                                 double swayMm, bool shown) const {
  const Portal& portal = result_.portal;
  CombinationStability st;
  st.normalForces = first;
  st.critical = CriticalLoadOf(portal, st.normalForces);
  const double EI1 = kSteelModulus * 1e-5 * portal.I1;  // kNm²
  const std::array<double, 2> columns{st.normalForces.leftColumn, st.normalForces.rightColumn};
  for (std::size_t i = 0; i < 2; ++i) {
    if (columns[i] < 0 && std::isfinite(st.critical.factor)) {
      st.columnBucklingLength[i] =
          std::numbers::pi * std::sqrt(EI1 / (st.critical.factor * -columns[i]));
    }
  }
  // 5.3.2: φ = φ0·αh·αm, m = 2 columns, in the direction the combination sways.
  const DesignCode& code = GermanAnnex();
  const double alphaH = std::clamp(2 / std::sqrt(portal.h), code.alphaHMin, code.alphaHMax);
  st.imperfection = code.phi0 * alphaH * std::sqrt(0.5 * (1 + 1.0 / 2));
  // Rounding leaves a symmetric portal a sway of some 1e-15 mm: that is no sway, to the right.
  const double direction = swayMm < -1e-9 ? -1 : 1;
  for (std::size_t i = 0; i < 2; ++i) {
    st.imperfectionForces[i] = direction * st.imperfection * std::max(0.0, -columns[i]);
  }
  loads.topLeft = st.imperfectionForces[0];
  loads.footLeft = -st.imperfectionForces[0];
  loads.topRight = st.imperfectionForces[1];
  loads.footRight = -st.imperfectionForces[1];
  st.secondOrder = st.critical.factor < code.alphaCrFirstOrder;
  st.unstable = st.critical.factor <= 1;
  if (!st.unstable) {
    try {
      st.design =
          AnalyseFrame(portal, loads, st.secondOrder ? Theory::SecondOrder : Theory::FirstOrder);
      if (shown) {
        st.designValues = ValuesOf(portal, st.design);
      }
    } catch (const UnstableFrame&) {
      st.unstable = true;
    }
  }
  return st;
}

// The members' checks on the design forces; for the columns the worse column's of each.
MemberDesign UltimateChecks::MemberDesignOf(const CombinationStability& st,
                                            const SectionProperties& section,
                                            std::initializer_list<Member> members, double spacing,
                                            bool named) const {
  MemberDesign design;
  if (st.unstable) {
    design.unstable = true;
    return design;
  }
  const InputSet in = InputsOf(result_.portal, {});
  const double fy = YieldStrength(result_.design.settings.grade);
  WorseOf worse(design, in, named);
  for (const Member m : members) {
    const ExactLine& line = st.design.lines[static_cast<std::size_t>(m)];
    const double length = MemberLength(in, m);
    MemberDesignForces forces{length, PlacesOf(line), [&line](double s) { return line.At(s); }};
    worse.Take(m, VerifyMember(forces, section, fy, length, spacing));
  }
  return design;
}

}  // namespace strevo
