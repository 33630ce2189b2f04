#include "core/analysis/member_forces.h"

#include <algorithm>

#include "core/base/text_rules.h"

namespace strevo {

double MemberLength(const InputSet& in, Member member) {
  return member == Member::Beam ? in.L : in.h;
}

const char* MemberName(Member member) {
  switch (member) {
    case Member::LeftColumn:
      return "linke Stütze";
    case Member::Beam:
      return "Riegel";
    case Member::RightColumn:
      break;
  }
  return "rechte Stütze";
}

std::string PositionOn(const InputSet& in, Member member, double s) {
  switch (member) {
    case Member::LeftColumn:
      return FormatFixed2(s) + " m über A";
    case Member::Beam:
      return "x = " + FormatFixed2(s) + " m ab Punkt 2";
    case Member::RightColumn:
      break;
  }
  return FormatFixed2(in.h - s) + " m über B";
}

const LinePiece& ForceLine::PieceAt(double s) const {
  const LinePiece* piece = &pieces.front();
  for (const LinePiece& p : pieces) {
    if (s > p.start) {
      piece = &p;
    }
  }
  return *piece;
}

namespace {

ForceLine Constant(double length, double value) {
  return {{{0, length, value, 0, 0}}};
}

ForceLine Derivative(const ForceLine& line) {
  ForceLine derivative;
  derivative.pieces.reserve(line.pieces.size());
  for (const LinePiece& p : line.pieces) {
    derivative.pieces.push_back(p.Derivative());
  }
  return derivative;
}

// Both lines cut at every start of either, then summed piece by piece.
ForceLine Sum(const ForceLine& first, double firstFactor, const ForceLine& second,
              double secondFactor) {
  std::vector<double> cuts;
  for (const ForceLine* line : {&first, &second}) {
    for (const LinePiece& p : line->pieces) {
      cuts.push_back(p.start);
    }
  }
  std::sort(cuts.begin(), cuts.end());
  cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
  const double end = first.pieces.back().end;
  ForceLine sum;
  for (std::size_t i = 0; i < cuts.size(); ++i) {
    const double start = cuts[i], stop = i + 1 < cuts.size() ? cuts[i + 1] : end;
    const double mid = start + (stop - start) / 2;
    const LinePiece& p = first.PieceAt(mid);
    const LinePiece& q = second.PieceAt(mid);
    // Each polynomial moved to the new start: c0 + c1 (d + t) + c2 (d + t)².
    const auto moved = [start](const LinePiece& piece, double factor) {
      const double d = start - piece.start;
      return std::array<double, 3>{factor * piece.At(start), factor * (piece.c1 + 2 * piece.c2 * d),
                                   factor * piece.c2};
    };
    const auto a = moved(p, firstFactor), b = moved(q, secondFactor);
    sum.pieces.push_back({start, stop, a[0] + b[0], a[1] + b[1], a[2] + b[2]});
  }
  return sum;
}

}  // namespace

ForceLine MomentLineOf(const InputSet& in, const SharedResults& r, Member member) {
  ForceLine line;
  line.pieces.reserve(2);
  ForEachMomentPiece(in, r, member, [&](const LinePiece& piece) { line.pieces.push_back(piece); });
  return line;
}

MemberLines MemberLinesOf(const InputSet& in, const SharedResults& r, Member member) {
  MemberLines lines{MomentLineOf(in, r, member), {}, {}};
  lines.Q = Derivative(lines.M);
  switch (member) {
    case Member::LeftColumn:
      lines.N = Constant(in.h, -r.AV);
      break;
    case Member::RightColumn:
      lines.N = Constant(in.h, -r.BV);
      break;
    case Member::Beam:
      lines.N = Constant(in.L, r.N2);
      break;
  }
  return lines;
}

PortalLines PortalLinesOf(const InputSet& in, const SharedResults& r) {
  return {MemberLinesOf(in, r, Member::LeftColumn), MemberLinesOf(in, r, Member::Beam),
          MemberLinesOf(in, r, Member::RightColumn)};
}

PortalLines Superposed(const PortalLines& first, double firstFactor, const PortalLines& second,
                       double secondFactor) {
  PortalLines sum;
  for (std::size_t m = 0; m < sum.size(); ++m) {
    sum[m].M = Sum(first[m].M, firstFactor, second[m].M, secondFactor);
    sum[m].Q = Sum(first[m].Q, firstFactor, second[m].Q, secondFactor);
    sum[m].N = Sum(first[m].N, firstFactor, second[m].N, secondFactor);
  }
  return sum;
}

MemberForces ForcesOn(const PortalLines& lines, Member member, double s) {
  const MemberLines& along = lines[static_cast<std::size_t>(member)];
  return {along.M.At(s), along.Q.At(s), along.N.At(s)};
}

}  // namespace strevo
