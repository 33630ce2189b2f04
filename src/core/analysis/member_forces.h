// Internal forces at any point of the portal's three members, with the signs of the result
// values: M positive with tension on the inside, Q = dM/ds, N positive in tension.
#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/analysis/inputs.h"
#include "core/analysis/shared_results.h"

namespace strevo {

struct MemberForces {
  double M;  // kNm
  double Q;  // kN
  double N;  // kN
};

// A piece of a force line: c0 + c1·t + c2·t² at t = s − start. Evaluated outside its ends it
// continues the same polynomial.
struct LinePiece {
  double start, end;
  double c0, c1, c2;
  double At(double s) const {
    const double t = s - start;
    return c0 + (c1 + c2 * t) * t;
  }
  LinePiece Derivative() const { return {start, end, c1, 2 * c2, 0}; }
};

// A force line along a member: pieces in order of s, any number of them.
struct ForceLine {
  std::vector<LinePiece> pieces;
  // The piece that holds s: the last one starting before it, else the first.
  const LinePiece& PieceAt(double s) const;
  double At(double s) const { return PieceAt(s).At(s); }
};

// M, Q and N of a member; Q = dM/ds.
struct MemberLines {
  ForceLine M, Q, N;
};
using PortalLines = std::array<MemberLines, 3>;  // by Member

// A member's lines from the stored results and these loads, by the statics of a cut: each
// column from its stored end values, the beam from point 2 with the point load's kink at a
// (held to the beam). Loads typed after a computation change the lines' shape, not where they
// start.
MemberLines MemberLinesOf(const InputSet& in, const SharedResults& r, Member member);
ForceLine MomentLineOf(const InputSet& in, const SharedResults& r, Member member);

// Hands each piece of the member's moment line to `add`, in order of s: what MomentLineOf
// collects, for a caller that keeps the pieces in a list of its own.
template <class Add>
void ForEachMomentPiece(const InputSet& in, const SharedResults& r, Member member, Add&& add) {
  const double h = in.h;
  switch (member) {
    case Member::LeftColumn:
      add(LinePiece{0, h, r.MA, -r.AH, -in.wD / 2});
      return;
    case Member::RightColumn:
      // From point 5 down: y = h − s above B, M = MB − BH·y + wS·y²/2.
      add(LinePiece{0, h, r.MB - r.BH * h + in.wS * h * h / 2, r.BH - in.wS * h, in.wS / 2});
      return;
    case Member::Beam:
      break;
  }
  // From point 2 (M2, Q2 = AV), with the kink under the point load.
  const double load = std::clamp(in.a, 0.0, std::max(in.L, 0.0));
  if (load > 0) {
    add(LinePiece{0, load, r.M2, r.Q2, -in.q / 2});
  }
  if (load < in.L) {
    // Right of the load: M = M2 + Q2·x − q·x²/2 − (x − a)·F, taken from x = load on.
    const double atLoad = r.M2 + r.Q2 * load - in.q * load * load / 2 - (load - in.a) * in.F;
    add(LinePiece{load, in.L, atLoad, r.Q2 - in.q * load - in.F, -in.q / 2});
  }
  if (!(load > 0) && !(load < in.L)) {  // a beam without length
    add(LinePiece{0, in.L, r.M2, r.Q2, -in.q / 2});
  }
}
PortalLines PortalLinesOf(const InputSet& in, const SharedResults& r);

// The lines of loads acting together: factor·lines summed, each piece cut where any of the
// summands has a kink.
PortalLines Superposed(const PortalLines& first, double firstFactor, const PortalLines& second,
                       double secondFactor);

// The forces at s of a member, from its lines; at s = X3 on the beam the moment is M3.
MemberForces ForcesOn(const PortalLines& lines, Member member, double s);

double MemberLength(const InputSet& in, Member member);

// "linke Stütze", "Riegel", "rechte Stütze".
const char* MemberName(Member member);

// Where s lies on a member, as the results name a place: "1.20 m über A" on the left column,
// "x = 2.40 m ab Punkt 2" on the beam, "0.80 m über B" on the right column (h − s), so that
// each column is measured from its own foot.
std::string PositionOn(const InputSet& in, Member member, double s);

}  // namespace strevo
