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

int MomentPieces(const InputSet& in, const SharedResults& r, Member member, MomentPiece* pieces) {
  const double h = in.h;
  switch (member) {
    case Member::LeftColumn:
      pieces[0] = {0, h, r.MA, -r.AH, -in.wD / 2};
      return 1;
    case Member::RightColumn:
      // From point 5 down: y = h - s above B, M = MB - BH·y + wS·y²/2.
      pieces[0] = {0, h, r.MB - r.BH * h + in.wS * h * h / 2, r.BH - in.wS * h, in.wS / 2};
      return 1;
    case Member::Beam:
      break;
  }
  const double corner = r.MA - h * r.AH - h * h * in.wD / 2;  // M2
  const double load = std::clamp(in.a, 0.0, std::max(in.L, 0.0));
  int count = 0;
  if (load > 0) {
    pieces[count++] = {0, load, corner, r.AV, -in.q / 2};
  }
  if (load < in.L) {
    // Right of the load: M = M2 + AV·x - q·x²/2 - (x - a)·F, taken from x = load on.
    const double atLoad = corner + r.AV * load - in.q * load * load / 2 - (load - in.a) * in.F;
    pieces[count++] = {load, in.L, atLoad, r.AV - in.q * load - in.F, -in.q / 2};
  }
  if (count == 0) {  // a beam without length
    pieces[count++] = {0, in.L, corner, r.AV, -in.q / 2};
  }
  return count;
}

MemberForces ForcesAt(const InputSet& in, const SharedResults& r, Member member, double s) {
  MomentPiece pieces[2];
  const int count = MomentPieces(in, r, member, pieces);
  const MomentPiece* piece = &pieces[0];
  for (int i = 1; i < count; ++i) {
    if (s > pieces[i].start) {
      piece = &pieces[i];
    }
  }
  const double t = s - piece->start;
  MemberForces forces{piece->m0 + (piece->m1 + piece->m2 * t) * t, piece->m1 + 2 * piece->m2 * t,
                      0};
  switch (member) {
    case Member::LeftColumn:
      forces.N = -r.AV;
      break;
    case Member::Beam:
      forces.N = -r.AH - in.h * in.wD;
      break;
    case Member::RightColumn:
      forces.N = -r.BV;
      break;
  }
  return forces;
}

}  // namespace strevo
