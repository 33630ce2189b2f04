#include "design_result.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "arithmetic_fault.h"
#include "portal_statics.h"
#include "text_rules.h"

namespace strevo {
namespace {

// A case's solution, from the left and (wind) mirrored.
struct CaseSolution {
  Solution solution;
  SharedResults values;
  FrameLoads loads;
  // Its lines cut where any case's lines are cut, their coefficients c0, c1, c2 in one row:
  // member by member, M, Q and N, piece by piece.
  std::vector<double> cut;
};

// Wind from the right: the same case seen in a mirror, computed on the same portal.
FrameLoads Mirrored(FrameLoads loads, double L) {
  for (PartialBeamLoad& p : loads.partialLoads) {
    p = {p.q, L - p.to, L - p.from};
  }
  for (BeamPointLoad& p : loads.pointLoads) {
    p.a = L - p.a;
  }
  const double wD = loads.wD;
  loads.wD = -loads.wS;
  loads.wS = -wD;
  return loads;
}

// A case's loads on the portal: q, F at a and the further beam loads, the columns' loads.
FrameLoads LoadsOfCase(const DesignCase& c) {
  FrameLoads loads;
  loads.q = c.loads.q;
  loads.wD = c.loads.wD;
  loads.wS = c.loads.wS;
  if (c.loads.F != 0) {
    loads.pointLoads.push_back({c.loads.a, c.loads.F});
  }
  loads.pointLoads.insert(loads.pointLoads.end(), c.points.begin(), c.points.end());
  loads.partialLoads = c.partial;
  return loads;
}

// The first-order lines as polynomials: without normal force an exact piece is one.
PortalLines LinesOf(const ExactLines& exact) {
  PortalLines lines;
  for (std::size_t m = 0; m < 3; ++m) {
    for (const ExactPiece& p : exact[m].pieces) {
      lines[m].M.pieces.push_back({p.start, p.end, p.M0, p.Q0, p.w / 2});
      lines[m].Q.pieces.push_back({p.start, p.end, p.Q0, p.w, 0});
      lines[m].N.pieces.push_back({p.start, p.end, p.n0, p.dn, 0});
    }
  }
  return lines;
}

// The value a line takes just right of s: the piece that starts at s, where one does.
const LinePiece& PieceFrom(const ForceLine& line, double s) {
  const LinePiece* piece = &line.pieces.front();
  for (const LinePiece& p : line.pieces) {
    if (s >= p.start) {
      piece = &p;
    }
  }
  return *piece;
}

constexpr std::array<ForceLine MemberLines::*, 3> kForces = {&MemberLines::M, &MemberLines::Q,
                                                             &MemberLines::N};

// A line cut at `cuts` (sorted, from 0) up to `end`: each piece's polynomial taken from where
// it starts, so that lines cut alike add piece by piece.
std::vector<LinePiece> CutAt(const ForceLine& line, const std::vector<double>& cuts, double end) {
  std::vector<LinePiece> pieces;
  pieces.reserve(cuts.size());
  for (std::size_t i = 0; i < cuts.size(); ++i) {
    const double start = cuts[i];
    const LinePiece& p = PieceFrom(line, start);
    pieces.push_back({start, i + 1 < cuts.size() ? cuts[i + 1] : end, p.At(start),
                      p.c1 + 2 * p.c2 * (start - p.start), p.c2});
  }
  return pieces;
}

class DesignComputation {
 public:
  explicit DesignComputation(const Design& design)
      : columnSection_(SectionOf(design.columns)), beamSection_(SectionOf(design.beam)) {
    result_.design = design;
    result_.portal = PortalOf(design);
    result_.cases = CasesOf(design);
    if (result_.cases.size() > design.loadCases.size()) {
      selfWeightCase_ = result_.cases.size() - 1;
      columnWeight_ = (design.selfWeight ? SelfWeightOf(design.columns) : 0) * design.h;
    }
  }

  // The first of these combinations, in this order, with a check not met. An ultimate one
  // needs no case solved: its first-order normal forces and sway come from the frame analysis
  // of its loads as a whole, and its checks are the same.
  std::optional<std::size_t> FirstFailing(const std::vector<Combination>& combinations,
                                          const std::vector<std::size_t>& order) {
    for (const std::size_t i : order) {
      const Combination& c = combinations[i];
      if (c.state == LimitState::Ultimate) {
        const FrameResponse first = AnalyseFrame(result_.portal, LoadsOf(c), Theory::FirstOrder);
        const ExactLines& lines = first.lines;
        CombinationResult r{c, {}, {}, {}, {}, {}, {}};
        Stability(r, {lines[0].At(0).N, lines[1].At(0).N, lines[2].At(result_.portal.h).N},
                  first.sway * 1000, false);
        if (!CombinationMet(r)) {
          return i;
        }
        continue;
      }
      SolveCases();
      Combine(c);
      if (!CombinationMet(result_.combinations.back())) {
        return i;
      }
      result_.combinations.pop_back();
    }
    return std::nullopt;
  }

  DesignResult Compute() {
    SolveCases();
    std::vector<Combination> combinations = CombinationsOf(result_.cases);
    result_.combinations.reserve(combinations.size());
    for (Combination& combination : combinations) {
      Combine(std::move(combination));
    }
    Govern();
    Envelope();
    return std::move(result_);
  }

 private:
  // Each case once, wind also mirrored, the columns' weight in the self-weight case, all cut
  // alike; once only.
  void SolveCases() {
    if (!solutions_.empty()) {
      return;
    }
    for (std::size_t i = 0; i < result_.cases.size(); ++i) {
      const DesignCase& c = result_.cases[i];
      std::array<std::optional<CaseSolution>, 2> both;
      both[0] = SolveCase(CaseLoads(i));
      if (c.action == Action::Wind) {
        both[1] = SolveCase(Mirrored(CaseLoads(i), result_.portal.L));
      }
      solutions_.push_back(std::move(both));
    }
    CutAlike();
  }

  // A case's loads; the self-weight case's with the columns' weight.
  FrameLoads CaseLoads(std::size_t i) const {
    FrameLoads loads = LoadsOfCase(result_.cases[i]);
    if (selfWeightCase_ && i == *selfWeightCase_) {
      loads.columnWeight = columnWeight_;
    }
    return loads;
  }

  // The case alone, to first order: characteristic cases superpose.
  CaseSolution SolveCase(const FrameLoads& loads) const {
    const FrameResponse response = AnalyseFrame(result_.portal, loads, Theory::FirstOrder);
    CaseSolution c{{}, DesignValuesOf(response), loads, {}};
    c.solution.reactions = response.reactions;
    c.solution.lines = LinesOf(response.lines);
    return c;
  }

  // Every case's lines cut at one set of places per member, so that a combination sums them
  // piece by piece and every combination's line has the same pieces.
  void CutAlike() {
    for (std::size_t m = 0; m < 3; ++m) {
      std::vector<double>& cuts = cuts_[m];
      for (const auto& both : solutions_) {
        for (const std::optional<CaseSolution>& c : both) {
          for (std::size_t k = 0; c && k < 3; ++k) {
            for (const LinePiece& p : (c->solution.lines[m].*kForces[k]).pieces) {
              cuts.push_back(p.start);
            }
          }
        }
      }
      cuts.push_back(0);
      std::sort(cuts.begin(), cuts.end());
      cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
      const double end = m == 1 ? result_.portal.L : result_.portal.h;
      for (auto& both : solutions_) {
        for (std::optional<CaseSolution>& c : both) {
          for (std::size_t k = 0; c && k < 3; ++k) {
            for (const LinePiece& p : CutAt(c->solution.lines[m].*kForces[k], cuts, end)) {
              c->cut.insert(c->cut.end(), {p.c0, p.c1, p.c2});
            }
          }
        }
      }
    }
  }

  void Combine(Combination combination) {
    const Portal& portal = result_.portal;
    CombinationResult r{std::move(combination), {}, {}, {}, {}, {}, {}};
    sum_.assign(solutions_.front()[0]->cut.size(), 0.0);
    for (const CaseFactor& f : r.combination.factors) {
      const CaseSolution& c = *solutions_[f.loadCase][f.mirrored ? 1 : 0];
      for (std::size_t j = 0; j < sum_.size(); ++j) {
        sum_[j] += f.factor * c.cut[j];
      }
      for (const StoredValue& v : kStoredValues) {
        r.values.*v.member += f.factor * c.values.*v.member;
      }
      const Reactions& a = c.solution.reactions;
      Reactions& sum = r.solution.reactions;
      sum.AH += f.factor * a.AH;
      sum.AV += f.factor * a.AV;
      sum.MA += f.factor * a.MA;
      sum.BH += f.factor * a.BH;
      sum.BV += f.factor * a.BV;
      sum.MB += f.factor * a.MB;
    }
    std::size_t j = 0;
    for (std::size_t m = 0; m < 3; ++m) {
      const std::vector<double>& cuts = cuts_[m];
      const double end = m == 1 ? portal.L : portal.h;
      for (ForceLine MemberLines::*force : kForces) {
        std::vector<LinePiece>& pieces = (r.solution.lines[m].*force).pieces;
        pieces.resize(cuts.size());
        for (std::size_t i = 0; i < cuts.size(); ++i, j += 3) {
          pieces[i] = {cuts[i], i + 1 < cuts.size() ? cuts[i + 1] : end, sum_[j], sum_[j + 1],
                       sum_[j + 2]};
        }
      }
    }
    // Not summed: k is the portal's, the field point the combination's own.
    r.values.k = solutions_.front()[0]->values.k;
    const MemberLines& beam = r.solution.lines[static_cast<std::size_t>(Member::Beam)];
    r.values.X3 = FieldPointOf(ExactLineOf(beam.M, beam.N));
    r.values.M3 = beam.M.At(r.values.X3);
    const FaultWatch watch;
    r.values.M3 = watch(r.values.M3);
    Deformation d =
        DeformationOf(portal.system, portal.L, portal.I1, portal.I2,
                      {r.solution.lines[0].M, r.solution.lines[1].M, r.solution.lines[2].M});
    r.check.settings = result_.design.settings;
    if (r.combination.state == LimitState::Ultimate) {
      const PortalLines& lines = r.solution.lines;
      Stability(r, {lines[0].N.At(0), lines[1].N.At(0), lines[2].N.At(portal.h)}, d.u, true);
    } else {
      r.check.sway = LimitOf(portal.h, d.u, r.check.settings.swayLimit);
      r.check.deflection = LimitOf(portal.L, d.w, r.check.settings.deflectionLimit);
    }
    r.solution.deformation = std::move(d);
    result_.combinations.push_back(std::move(r));
  }

  // The combination's loads as one load on the portal: each case's loads times its factor.
  FrameLoads LoadsOf(const Combination& combination) const {
    FrameLoads loads;
    for (const CaseFactor& f : combination.factors) {
      const FrameLoads entered = CaseLoads(f.loadCase);
      const FrameLoads c = f.mirrored ? Mirrored(entered, result_.portal.L) : entered;
      loads.q += f.factor * c.q;
      loads.wD += f.factor * c.wD;
      loads.wS += f.factor * c.wS;
      loads.columnWeight += f.factor * c.columnWeight;
      for (const PartialBeamLoad& p : c.partialLoads) {
        loads.partialLoads.push_back({f.factor * p.q, p.from, p.to});
      }
      for (const BeamPointLoad& p : c.pointLoads) {
        if (f.factor * p.F != 0) {
          loads.pointLoads.push_back({p.a, f.factor * p.F});
        }
      }
    }
    return loads;
  }

  // αcr, the sway imperfection, the design forces (second order where αcr < 10) and the member
  // checks of an ultimate combination.
  // `first`: the first-order normal forces, each column's at its foot (its weight taken at the
  // top); `swayMm` the first-order sway. Not `shown`: only whether the checks are met counts,
  // so the design values and the places' names are left out.
  void Stability(CombinationResult& r, const NormalForces& first, double swayMm, bool shown) const {
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
    FrameLoads loads = LoadsOf(r.combination);
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
          st.designValues = DesignValuesOf(st.design);
        }
      } catch (const UnstableFrame&) {
        st.unstable = true;
      }
    }
    const double fy = YieldStrength(result_.design.settings.grade);
    const Restraints& restraints = result_.design.restraints;
    if (const SectionProperties* s = columnSection_) {
      r.columns = MemberDesignOf(st, *s, fy, {Member::LeftColumn, Member::RightColumn},
                                 restraints.columns.value_or(portal.h), shown);
    }
    if (const SectionProperties* s = beamSection_) {
      r.beam =
          MemberDesignOf(st, *s, fy, {Member::Beam}, restraints.beam.value_or(portal.L), shown);
    }
    r.stability = std::move(st);
  }

  // The result values of the design forces, named as the first-order ones: Q2 and Q4 with a
  // point load over a corner counted on the beam (the analysis takes it straight into the
  // column), X3/M3 by the field-point rule.
  SharedResults DesignValuesOf(const FrameResponse& f) const {
    const double h = result_.portal.h, L = result_.portal.L;
    SharedResults v;
    v.AH = f.reactions.AH;
    v.AV = f.reactions.AV;
    v.MA = f.reactions.MA;
    v.BH = f.reactions.BH;
    v.BV = f.reactions.BV;
    v.MB = f.reactions.MB;
    const auto take = [](const MemberForces& at, double& M, double& N, double& Q) {
      M = at.M;
      N = at.N;
      Q = at.Q;
    };
    const ExactLine& beam = f.lines[static_cast<std::size_t>(Member::Beam)];
    take(f.lines[0].At(h), v.M1, v.N1, v.Q1);
    take(beam.At(0), v.M2, v.N2, v.Q2);
    take(beam.At(L), v.M4, v.N4, v.Q4);
    take(f.lines[2].At(0), v.M5, v.N5, v.Q5);
    v.Q2 += f.cornerLoads[0];
    v.Q4 -= f.cornerLoads[1];
    const Portal& portal = result_.portal;
    v.k = portal.I2 / portal.I1 * (portal.h / portal.L);
    v.X3 = FieldPointOf(beam);
    v.M3 = beam.At(v.X3).M;
    return v;
  }

  // Where a member's cross-section is checked: each piece's places (a cut's both sides).
  static std::vector<PlaceForces> PlacesOf(const ExactLine& line) {
    std::vector<PlaceForces> places;
    for (const ExactPiece& p : line.pieces) {
      ForEachPlace(p, [&places, &p](double s, bool) {
        places.push_back({s, {p.M(s), p.Q(s), p.N(s)}});
      });
    }
    return places;
  }

  std::string SegmentText(Member member, double start, double end) const {
    const InputSet in = InputsOf(result_.portal, {});
    if (start <= 0 && end >= MemberLength(in, member)) {
      return MemberName(member);
    }
    return std::string(MemberName(member)) + " zwischen " + PositionOn(in, member, start) +
           " und " + PositionOn(in, member, end);
  }

  // The members' checks on the design forces; for the columns the worse column's of each, each
  // named with its place where `named`.
  MemberDesign MemberDesignOf(const CombinationStability& st, const SectionProperties& section,
                              double fy, std::initializer_list<Member> members, double spacing,
                              bool named) const {
    MemberDesign design;
    if (st.unstable) {
      design.unstable = true;
      return design;
    }
    const InputSet in = InputsOf(result_.portal, {});
    const auto name = [named](std::string& place, auto&& text) {
      if (named) {
        place = text();
      }
    };
    bool first = true;
    for (const Member m : members) {
      const ExactLine& line = st.design.lines[static_cast<std::size_t>(m)];
      const double length = MemberLength(in, m);
      MemberDesignForces forces{length, PlacesOf(line), [&line](double s) { return line.At(s); }};
      const MemberVerification v = VerifyMember(forces, section, fy, length, spacing);
      MemberVerification& to = design.verification;
      if (first || v.crossSection.eta > to.crossSection.eta) {
        to.crossSection = v.crossSection;
        design.crossSectionMember = m;
        name(design.crossSectionPlace, [&] { return PositionOn(in, m, v.crossSection.s); });
      }
      if (first || std::max(v.bucklingY.eta, v.bucklingZ.eta) >
                       std::max(to.bucklingY.eta, to.bucklingZ.eta)) {
        to.bucklingY = v.bucklingY;
        to.bucklingZ = v.bucklingZ;
        design.bucklingMember = m;
        name(design.bucklingPlace, [m] { return std::string(MemberName(m)); });
      }
      if (first || v.lateralTorsional.eta > to.lateralTorsional.eta) {
        to.lateralTorsional = v.lateralTorsional;
        design.lateralTorsionalMember = m;
        name(design.lateralTorsionalPlace,
             [&] { return SegmentText(m, v.lateralTorsional.start, v.lateralTorsional.end); });
      }
      if (first || v.interaction.eta > to.interaction.eta) {
        to.interaction = v.interaction;
        design.interactionMember = m;
        name(design.interactionPlace,
             [&] { return SegmentText(m, v.interaction.start, v.interaction.end); });
      }
      to.covered = (first || to.covered) && v.covered;
      first = false;
    }
    return design;
  }

  // The worst of each check; the first combination on a tie. Values that differ only by
  // rounding are a tie: a symmetric load adds a residue of some 1e-15 to the sway.
  static bool Exceeds(double value, double largest) { return value > largest * (1 + 1e-12); }

  void Govern() {
    DesignChecks& checks = result_.checks;
    const auto member = [](std::optional<GoverningMember>& worst,
                           const std::optional<MemberDesign>& check, std::size_t i) {
      if (!check) {
        return;
      }
      if (!worst || Exceeds(check->Eta(), worst->check.Eta())) {
        GoverningMember next{*check, i, {}, {}, {}, {}, {}};
        if (worst) {
          next.crossSection = worst->crossSection;
          next.bucklingY = worst->bucklingY;
          next.bucklingZ = worst->bucklingZ;
          next.lateralTorsional = worst->lateralTorsional;
          next.interaction = worst->interaction;
        }
        worst = std::move(next);
      }
      const MemberVerification& v = check->verification;
      const auto largest = [i](GoverningMember::Largest& to, double eta) {
        if (eta > to.eta) {
          to = {eta, i};
        }
      };
      largest(worst->crossSection, v.crossSection.eta);
      largest(worst->bucklingY, v.bucklingY.eta);
      largest(worst->bucklingZ, v.bucklingZ.eta);
      largest(worst->lateralTorsional, v.lateralTorsional.eta);
      largest(worst->interaction, v.interaction.eta);
    };
    const auto limit = [](std::optional<GoverningLimit>& worst,
                          const std::optional<LimitCheck>& check, double moved, double& largest,
                          std::size_t i) {
      if (check && (!worst || Exceeds(std::abs(moved), largest))) {
        worst = GoverningLimit{*check, i};
        largest = std::abs(moved);
      }
    };
    double sway = 0, deflection = 0;
    for (std::size_t i = 0; i < result_.combinations.size(); ++i) {
      const CombinationResult& c = result_.combinations[i];
      member(checks.columns, c.columns, i);
      member(checks.beam, c.beam, i);
      limit(checks.sway, c.check.sway, c.solution.deformation->u, sway, i);
      limit(checks.deflection, c.check.deflection, c.solution.deformation->w, deflection, i);
    }
  }

  void Envelope() {
    std::vector<std::size_t> ultimate;
    for (std::size_t i = 0; i < result_.combinations.size(); ++i) {
      if (result_.combinations[i].combination.state == LimitState::Ultimate) {
        ultimate.push_back(i);
      }
    }
    if (ultimate.empty()) {
      return;
    }
    for (std::size_t m = 0; m < 3; ++m) {
      const double length = m == 1 ? result_.portal.L : result_.portal.h;
      using Kind = std::pair<ForceLine MemberLines::*, ForceEnvelope MemberEnvelope::*>;
      for (const auto& [line, envelope] :
           {Kind{&MemberLines::M, &MemberEnvelope::M}, Kind{&MemberLines::Q, &MemberEnvelope::Q},
            Kind{&MemberLines::N, &MemberEnvelope::N}}) {
        result_.envelope[m].*envelope = EnvelopeOf(ultimate, m, line, length);
      }
    }
  }

  ForceEnvelope EnvelopeOf(const std::vector<std::size_t>& ultimate, std::size_t m,
                           ForceLine MemberLines::*which, double length) const {
    const auto line = [&](std::size_t i) -> const ForceLine& {
      return result_.combinations[i].solution.lines[m].*which;
    };
    ForceEnvelope envelope{{}, {-HUGE_VAL, 0, 0}, {HUGE_VAL, 0, 0}};
    const auto extreme = [&](double value, double s, std::size_t i) {
      if (value > envelope.max.value) {
        envelope.max = {value, s, i};
      }
      if (value < envelope.min.value) {
        envelope.min = {value, s, i};
      }
    };
    // Exact: a line's extremes lie at its pieces' ends and where a quadratic piece turns.
    for (const std::size_t i : ultimate) {
      for (const LinePiece& p : line(i).pieces) {
        extreme(p.At(p.start), p.start, i);
        extreme(p.At(p.end), p.end, i);
        if (p.c2 != 0) {
          const double t = -p.c1 / (2 * p.c2);
          if (t > 0 && p.start + t < p.end) {
            extreme(p.At(p.start + t), p.start + t, i);
          }
        }
      }
    }
    // Every combination's line is cut at the member's cuts: a station's piece is the same in
    // all of them.
    const std::vector<double>& cuts = cuts_[m];
    std::vector<double> stations{envelope.max.s, envelope.min.s};
    for (int j = 0; j <= 10; ++j) {
      stations.push_back(length * j / 10);
    }
    stations.insert(stations.end(), cuts.begin(), cuts.end());
    std::sort(stations.begin(), stations.end());
    stations.erase(std::unique(stations.begin(), stations.end()), stations.end());
    // The piece left and right of each station (one where the station is no cut).
    const std::size_t count = stations.size();
    std::vector<std::size_t> left(count), right(count);
    for (std::size_t k = 0; k < count; ++k) {
      const auto from = std::upper_bound(cuts.begin(), cuts.end(), stations[k]);
      right[k] = static_cast<std::size_t>(from - cuts.begin()) - 1;
      left[k] = right[k] > 0 && cuts[right[k]] == stations[k] ? right[k] - 1 : right[k];
    }
    std::vector<EnvelopeStation> before(count), after(count);
    for (std::size_t k = 0; k < count; ++k) {
      before[k] = after[k] = {stations[k], -HUGE_VAL, HUGE_VAL, 0, 0};
    }
    std::vector<char> jumps(count, 0);
    // Combination by combination, so that each one's pieces are read while they are at hand.
    for (const std::size_t i : ultimate) {
      const std::vector<LinePiece>& pieces = line(i).pieces;
      for (std::size_t k = 0; k < count; ++k) {
        const double s = stations[k];
        const double valueBefore = pieces[left[k]].At(s);
        Take(before[k], valueBefore, i);
        if (left[k] != right[k]) {
          const double valueAfter = pieces[right[k]].At(s);
          Take(after[k], valueAfter, i);
          // Where a line runs on through a cut its two pieces meet but for rounding.
          if (std::abs(valueBefore - valueAfter) > 1e-9 * (1 + std::abs(valueBefore))) {
            jumps[k] = 1;
          }
        }
      }
    }
    for (std::size_t k = 0; k < count; ++k) {
      envelope.stations.push_back(before[k]);
      if (jumps[k] != 0) {
        envelope.stations.push_back(after[k]);
      }
    }
    return envelope;
  }

  static void Take(EnvelopeStation& station, double value, std::size_t i) {
    if (value > station.max) {
      station.max = value;
      station.maxBy = i;
    }
    if (value < station.min) {
      station.min = value;
      station.minBy = i;
    }
  }

  DesignResult result_;
  std::vector<std::array<std::optional<CaseSolution>, 2>> solutions_;
  std::array<std::vector<double>, 3> cuts_;  // by member
  std::vector<double> sum_;                  // a combination's coefficients, as CaseSolution::cut
  const SectionProperties* columnSection_;
  const SectionProperties* beamSection_;
  std::optional<std::size_t> selfWeightCase_;
  double columnWeight_ = 0;  // kN, each column's own weight
};

}  // namespace

double MemberDesign::Eta() const {
  return unstable ? HUGE_VAL : verification.Eta();
}

bool MemberDesign::Met() const {
  return !unstable && verification.covered && Eta() <= 1;
}

bool DesignChecks::AllMet() const {
  const auto eta = [](const std::optional<GoverningMember>& g) { return !g || g->check.Met(); };
  const auto limit = [](const std::optional<GoverningLimit>& g) { return !g || g->check.met; };
  return eta(columns) && eta(beam) && limit(sway) && limit(deflection);
}

bool CombinationMet(const CombinationResult& c) {
  const auto met = [](const std::optional<MemberDesign>& m) { return !m || m->Met(); };
  const auto limit = [](const std::optional<LimitCheck>& l) { return !l || l->met; };
  return met(c.columns) && met(c.beam) && limit(c.check.sway) && limit(c.check.deflection);
}

std::vector<DesignCase> CasesOf(const Design& design) {
  std::vector<DesignCase> cases = design.loadCases;
  if (design.selfWeight && (SelfWeightOf(design.beam) > 0 || SelfWeightOf(design.columns) > 0)) {
    DesignCase self{kSelfWeightCaseName, Action::Permanent, 'A', false, {}, {}, {}};
    self.loads.q = SelfWeightOf(design.beam);
    cases.push_back(self);
  }
  return cases;
}

std::optional<std::size_t> FirstFailingCombination(const Design& design,
                                                   const std::vector<Combination>& combinations,
                                                   const std::vector<std::size_t>& order) {
  return DesignComputation(design).FirstFailing(combinations, order);
}

DesignResult ComputeDesign(const Design& design) {
  if (const std::vector<DesignProblem> problems = ProblemsOf(design); !problems.empty()) {
    throw std::invalid_argument(problems.front().message);
  }
  return DesignComputation(design).Compute();
}

}  // namespace strevo
