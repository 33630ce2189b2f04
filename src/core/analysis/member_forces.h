// Internal forces at any point of the portal's three members, with the signs of the result
// values: M positive with tension on the inside, Q = dM/ds, N positive in tension.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "inputs.h"
#include "shared_results.h"

namespace strevo {

// s runs from A up the left column, from point 2 along the beam, from point 5 down the right
// column; each member is h or L long.
enum class Member { LeftColumn, Beam, RightColumn };

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
