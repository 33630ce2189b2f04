#include "core/analysis/deformations.h"

#include <cmath>
#include <string>

#include "core/base/arithmetic_fault.h"
#include "core/base/text_rules.h"

namespace strevo {
namespace {

using Piece = Deformation::Piece;

// Walking along a member, the rotation grows by M/EI (tension inside turns the walker left)
// and the displacement to the left of the walker by the rotation.
double PieceRotation(const Piece& p, double t) {
  const LinePiece& m = p.moment;
  return p.phi0 + t * (m.c0 + t * (m.c1 / 2 + t * m.c2 / 3)) / p.EI;
}

double PieceDisplacement(const Piece& p, double t) {
  const LinePiece& m = p.moment;
  return p.v0 + p.phi0 * t + t * t * (m.c0 / 2 + t * (m.c1 / 6 + t * m.c2 / 12)) / p.EI;
}

const Piece& PieceAt(const Deformation& d, Member member, double s) {
  const std::span<const Piece> pieces = d.PiecesOf(member);
  const Piece* piece = &pieces.front();
  for (const Piece& p : pieces) {
    if (s > p.moment.start) {
      piece = &p;
    }
  }
  return *piece;
}

// Marches from A to B with the rotation phiA at A; returns the beam's vertical displacement
// at its right end.
double March(Deformation& d, double phiA) {
  double phi = phiA, v = 0, beamEnd = 0;
  for (std::size_t member = 0; member < 3; ++member) {
    if (member == 1) {
      d.phi2 = phi;
      d.u = -v;  // the left column's transverse displacement is -u
      v = 0;     // the column does not shorten: the corner stays at its height
    } else if (member == 2) {
      d.phi4 = phi;
      beamEnd = v;
      v = d.u;  // the beam does not lengthen: the right corner sways as the left one
    }
    for (std::size_t i = d.first[member]; i < d.first[member + 1]; ++i) {
      Piece& p = d.pieces[i];
      p.phi0 = phi;
      p.v0 = v;
      const double length = p.moment.end - p.moment.start;
      phi = PieceRotation(p, length);
      v = PieceDisplacement(p, length);
    }
  }
  d.phiB = phi;
  return beamEnd;
}

// The moment's roots inside the piece, in order, between 0 and the piece's length: the places
// where its rotation may turn. Returns how many cuts (from 0 on) precede `length` in `cuts`.
int MomentRoots(const LinePiece& m, double length, double (&cuts)[4]) {
  cuts[0] = 0;
  int count = 1;
  if (m.c2 != 0) {
    const double disc = m.c1 * m.c1 - 4 * m.c2 * m.c0;
    if (disc > 0) {
      const double q = -(m.c1 + std::copysign(std::sqrt(disc), m.c1)) / 2;
      double r1 = q / m.c2, r2 = q != 0 ? m.c0 / q : r1;
      if (r1 > r2) {
        std::swap(r1, r2);
      }
      for (double r : {r1, r2}) {
        if (r > cuts[count - 1] && r < length) {
          cuts[count++] = r;
        }
      }
    }
  } else if (m.c1 != 0) {
    const double r = -m.c0 / m.c1;
    if (r > 0 && r < length) {
      cuts[count++] = r;
    }
  }
  cuts[count] = length;
  return count;
}

// The zero of the rotation between lo and hi, where it changes its sign: Newton's method on
// the rotation, whose slope is M/EI, kept inside the bracket (a bisection step where it would
// leave it, and every fourth step), to the last representable step: tolerance-free on a
// monotone part, and a few steps where bisection takes fifty.
double RotationZero(const Piece& p, double lo, double hi) {
  double flo = PieceRotation(p, lo);
  double x = lo + (hi - lo) / 2;
  for (int step = 1;; ++step) {
    const double fx = PieceRotation(p, x);
    if (fx == 0) {
      return x;
    }
    if ((fx < 0) == (flo < 0)) {
      lo = x;
      flo = fx;
    } else {
      hi = x;
    }
    const double slope = p.moment.At(p.moment.start + x) / p.EI;
    double next = x - fx / slope;
    if (step % 4 == 0 || !(next > lo && next < hi)) {
      next = lo + (hi - lo) / 2;
    }
    if (next <= lo || next >= hi || next == x) {
      break;
    }
    x = next;
  }
  return std::abs(PieceRotation(p, lo)) <= std::abs(PieceRotation(p, hi)) ? lo : hi;
}

// Where the rotation of a beam piece is zero: the moment's roots split the piece into parts on
// which the rotation is monotone, each holding at most one zero.
template <class Visit>
void RotationZeros(const Piece& p, Visit&& visit) {
  const double length = p.moment.end - p.moment.start;
  double cuts[4];
  const int count = MomentRoots(p.moment, length, cuts);
  for (int i = 0; i < count; ++i) {
    const double lo = cuts[i], hi = cuts[i + 1];
    const double flo = PieceRotation(p, lo), fhi = PieceRotation(p, hi);
    if (flo == 0) {
      visit(lo);
      continue;
    }
    if ((flo < 0) != (fhi < 0)) {
      visit(RotationZero(p, lo, hi));
    }
  }
}

}  // namespace

namespace {

// A member without stiffness cannot be integrated; the fault names the field and the value
// read from it ("I2 = 0"), which may differ from the text typed ("0,5" reads 0).
double Stiffness(const FaultWatch& check, double I, const char* symbol) {
  try {
    const double EI = check(kBendingStiffnessPerCm4 * I);
    check(1 / EI);
    return EI;
  } catch (const ArithmeticFault& fault) {
    throw ArithmeticFault(fault.kind(), std::string(symbol) + " = " + ShortestNumber(I));
  }
}

// The members' stiffness checked, their pieces filled in by `fill(member, EI, pieces)`, then the
// march from A with the rotation there that the supports allow.
template <class Fill>
Deformation Integrated(SystemType system, double L, double I1, double I2, const Fill& fill) {
  const FaultWatch check;
  Deformation d{};
  const double columnEI = Stiffness(check, I1, "I1");
  const double beamEI = Stiffness(check, I2, "I2");
  d.pieces.reserve(4);  // a single load case: one piece a column, two on the beam
  for (const Member member : {Member::LeftColumn, Member::Beam, Member::RightColumn}) {
    d.first[static_cast<std::size_t>(member)] = d.pieces.size();
    fill(member, member == Member::Beam ? beamEI : columnEI, d.pieces);
  }
  d.first[3] = d.pieces.size();
  // A clamped foot does not turn; a pinned one turns until the right corner stays at its
  // height (its column does not shorten): that vertical displacement is linear in phiA.
  double phiA = 0;
  if (system != SystemType::FixedFrame) {
    phiA = check(-March(d, 0) / L);
  }
  March(d, phiA);
  d.phiA = phiA;
  check(d.phi2);
  check(d.phi4);
  check(d.phiB);
  check(d.u);

  d.u = check(d.u * 1000);
  const LargestDisplacement largest = LargestDisplacementOf(d, Member::Beam);
  d.w = check(largest.value);
  d.xw = check(largest.s);
  return d;
}

}  // namespace

Deformation DeformationOf(SystemType system, double L, double I1, double I2,
                          const MomentLines& moments) {
  return Integrated(system, L, I1, I2, [&](Member member, double EI, std::vector<Piece>& pieces) {
    for (const LinePiece& moment : moments[static_cast<std::size_t>(member)].pieces) {
      pieces.push_back({moment, EI, 0, 0});
    }
  });
}

Deformation ComputeDeformation(const InputSet& in, SystemType system, const SharedResults& r) {
  return Integrated(system, in.L, in.I1, in.I2,
                    [&](Member member, double EI, std::vector<Piece>& pieces) {
                      ForEachMomentPiece(in, r, member, [&](const LinePiece& moment) {
                        pieces.push_back({moment, EI, 0, 0});
                      });
                    });
}

// A member's extremes lie at its ends or where its rotation is zero.
LargestDisplacement LargestDisplacementOf(const Deformation& d, Member member) {
  LargestDisplacement largest{0, 0};
  const auto consider = [&](double s) {
    const double value = DisplacementAt(d, member, s);
    if (std::abs(value) > std::abs(largest.value)) {
      largest = {value, s};
    }
  };
  for (const Piece& p : d.PiecesOf(member)) {
    consider(p.moment.start);
    RotationZeros(p, [&](double t) { consider(p.moment.start + t); });
    consider(p.moment.end);
  }
  return largest;
}

double DisplacementAt(const Deformation& d, Member member, double s) {
  const Piece& p = PieceAt(d, member, s);
  const double v = PieceDisplacement(p, s - p.moment.start) * 1000;
  return member == Member::RightColumn ? v : -v;
}

double RotationAt(const Deformation& d, Member member, double s) {
  const Piece& p = PieceAt(d, member, s);
  return PieceRotation(p, s - p.moment.start);
}

}  // namespace strevo
