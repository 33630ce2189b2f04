// Internal forces at any point of the portal's three members, with the signs of the result
// values: M positive with tension on the inside, Q = dM/ds, N positive in tension.
#pragma once

#include <string>

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

// From the stored reactions by the statics of a cut. The point load acts on the beam where
// a lies on it (0 <= a <= L); at s = X3 the beam moment is M3.
MemberForces ForcesAt(const InputSet& in, const SharedResults& r, Member member, double s);

// The moment line of a member piece as a quadratic in the distance t from the piece's start.
struct MomentPiece {
  double start, end;  // s of the piece's ends
  double m0, m1, m2;  // M = m0 + m1 t + m2 t²
};

// The member's moment line: one piece for a column, up to two on the beam (split at the load).
int MomentPieces(const InputSet& in, const SharedResults& r, Member member, MomentPiece* pieces);

double MemberLength(const InputSet& in, Member member);

// "linke Stütze", "Riegel", "rechte Stütze".
const char* MemberName(Member member);

// Where s lies on a member, as the results name a place: "1.20 m über A" on the left column,
// "x = 2.40 m ab Punkt 2" on the beam, "0.80 m über B" on the right column (h − s), so that
// each column is measured from its own foot.
std::string PositionOn(const InputSet& in, Member member, double s);

}  // namespace strevo
