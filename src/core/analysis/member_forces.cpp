#include "member_forces.h"

#include <algorithm>

#include "text_rules.h"

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

// The beam from point 2 (M2, Q2 = AV), with its kink under the point load.
ForceLine BeamMoment(const InputSet& in, const SharedResults& r) {
  const double load = std::clamp(in.a, 0.0, std::max(in.L, 0.0));
  ForceLine line;
  line.pieces.reserve(2);
  if (load > 0) {
    line.pieces.push_back({0, load, r.M2, r.Q2, -in.q / 2});
  }
  if (load < in.L) {
    // Right of the load: M = M2 + Q2·x − q·x²/2 − (x − a)·F, taken from x = load on.
    const double atLoad = r.M2 + r.Q2 * load - in.q * load * load / 2 - (load - in.a) * in.F;
    line.pieces.push_back({load, in.L, atLoad, r.Q2 - in.q * load - in.F, -in.q / 2});
  }
  if (line.pieces.empty()) {  // a beam without length
    line.pieces.push_back({0, in.L, r.M2, r.Q2, -in.q / 2});
  }
  return line;
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
  const double h = in.h;
  switch (member) {
    case Member::LeftColumn:
      return {{{0, h, r.MA, -r.AH, -in.wD / 2}}};
    case Member::RightColumn:
      // From point 5 down: y = h − s above B, M = MB − BH·y + wS·y²/2.
      return {{{0, h, r.MB - r.BH * h + in.wS * h * h / 2, r.BH - in.wS * h, in.wS / 2}}};
    case Member::Beam:
      break;
  }
  return BeamMoment(in, r);
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
