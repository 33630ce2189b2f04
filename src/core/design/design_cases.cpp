#include <algorithm>

#include "core/analysis/portal_statics.h"
#include "core/base/arithmetic_fault.h"
#include "core/design/design_computation.h"

namespace strevo {
namespace {

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

double LengthOf(const Portal& portal, std::size_t member) {
  return member == static_cast<std::size_t>(Member::Beam) ? portal.L : portal.h;
}

}  // namespace

CaseSolutions::CaseSolutions(const DesignResult& result) : result_(result) {
  if (result.cases.size() > result.design.loadCases.size()) {
    selfWeightCase_ = result.cases.size() - 1;
    columnWeight_ =
        (result.design.selfWeight ? SelfWeightOf(result.design.columns) : 0) * result.design.h;
  }
}

// A case's loads; the self-weight case's with the columns' weight.
FrameLoads CaseSolutions::CaseLoads(std::size_t i) const {
  FrameLoads loads = LoadsOfCase(result_.cases[i]);
  if (selfWeightCase_ && i == *selfWeightCase_) {
    loads.columnWeight = columnWeight_;
  }
  return loads;
}

FrameLoads CaseSolutions::LoadsOf(const Combination& combination) const {
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

// The case alone, to first order: characteristic cases superpose.
CaseSolutions::Case CaseSolutions::SolveCase(const FrameLoads& loads) const {
  const FrameResponse response = AnalyseFrame(result_.portal, loads, Theory::FirstOrder);
  Case c{{}, ValuesOf(result_.portal, response), {}};
  c.solution.reactions = response.reactions;
  c.solution.lines = LinesOf(response.lines);
  return c;
}

void CaseSolutions::SolveCases() {
  if (!solutions_.empty()) {
    return;
  }
  for (std::size_t i = 0; i < result_.cases.size(); ++i) {
    std::array<std::optional<Case>, 2> both;
    both[0] = SolveCase(CaseLoads(i));
    if (result_.cases[i].action == Action::Wind) {
      both[1] = SolveCase(Mirrored(CaseLoads(i), result_.portal.L));
    }
    solutions_.push_back(std::move(both));
  }
  CutAlike();
}

void CaseSolutions::CutAlike() {
  for (std::size_t m = 0; m < 3; ++m) {
    std::vector<double>& cuts = cuts_[m];
    cuts.push_back(0);
    for (const auto& both : solutions_) {
      for (const std::optional<Case>& c : both) {
        for (std::size_t k = 0; c && k < 3; ++k) {
          for (const LinePiece& p : (c->solution.lines[m].*kForces[k]).pieces) {
            cuts.push_back(p.start);
          }
        }
      }
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    for (auto& both : solutions_) {
      for (std::optional<Case>& c : both) {
        for (std::size_t k = 0; c && k < 3; ++k) {
          const ForceLine& line = c->solution.lines[m].*kForces[k];
          for (const LinePiece& p : CutAt(line, cuts, LengthOf(result_.portal, m))) {
            c->cut.insert(c->cut.end(), {p.c0, p.c1, p.c2});
          }
        }
      }
    }
  }
}

CombinationResult CaseSolutions::Combine(Combination combination) {
  SolveCases();
  const Portal& portal = result_.portal;
  CombinationResult r{std::move(combination), {}, {}, {}, {}, {}, {}};
  sum_.assign(solutions_.front()[0]->cut.size(), 0.0);
  Reactions& sum = r.solution.reactions;
  for (const CaseFactor& f : r.combination.factors) {
    const Case& c = *solutions_[f.loadCase][f.mirrored ? 1 : 0];
    for (std::size_t j = 0; j < sum_.size(); ++j) {
      sum_[j] += f.factor * c.cut[j];
    }
    for (const StoredValue& v : kStoredValues) {
      r.values.*v.member += f.factor * c.values.*v.member;
    }
    for (double Reactions::*reaction : {&Reactions::AH, &Reactions::AV, &Reactions::MA,
                                        &Reactions::BH, &Reactions::BV, &Reactions::MB}) {
      sum.*reaction += f.factor * c.solution.reactions.*reaction;
    }
  }
  std::size_t j = 0;
  for (std::size_t m = 0; m < 3; ++m) {
    const std::vector<double>& cuts = cuts_[m];
    for (ForceLine MemberLines::*force : kForces) {
      std::vector<LinePiece>& pieces = (r.solution.lines[m].*force).pieces;
      pieces.resize(cuts.size());
      for (std::size_t i = 0; i < cuts.size(); ++i, j += 3) {
        const double end = i + 1 < cuts.size() ? cuts[i + 1] : LengthOf(portal, m);
        pieces[i] = {cuts[i], end, sum_[j], sum_[j + 1], sum_[j + 2]};
      }
    }
  }
  // Not summed: k is the portal's, the field point the combination's own.
  r.values.k = solutions_.front()[0]->values.k;
  const MemberLines& beam = r.solution.lines[static_cast<std::size_t>(Member::Beam)];
  r.values.X3 = FieldPointOf(ExactLineOf(beam.M, beam.N));
  const FaultWatch watch;
  r.values.M3 = watch(beam.M.At(r.values.X3));
  r.solution.deformation =
      DeformationOf(portal.system, portal.L, portal.I1, portal.I2,
                    {r.solution.lines[0].M, r.solution.lines[1].M, r.solution.lines[2].M});
  r.check.settings = result_.design.settings;
  if (r.combination.state == LimitState::Serviceability) {
    const Deformation& d = *r.solution.deformation;
    r.check.sway = LimitOf(portal.h, d.u, r.check.settings.swayLimit);
    r.check.deflection = LimitOf(portal.L, d.w, r.check.settings.deflectionLimit);
  }
  return r;
}

}  // namespace strevo
