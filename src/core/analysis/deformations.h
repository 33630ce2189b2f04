// How far the portal moves: rotations, the sway of the beam and the deflections at any point,
// exact for the closed forms' model (Euler-Bernoulli members, axially rigid, rigid corners).
#pragma once

#include <array>
#include <optional>
#include <span>
#include <vector>

#include "core/analysis/member_forces.h"

namespace strevo {

struct Deformation {
  double phiA, phi2, phi4, phiB;  // rotations at A, the corners and B, rad, counter-clockwise
  double u;                       // sway of the beam, mm, positive to the right
  double w;                       // the beam deflection of largest magnitude, mm, downwards
  double xw;                      // where it occurs, m from point 2
  // Each member's moment line and where its deflection line starts.
  struct Piece {
    LinePiece moment;
    double EI;
    double phi0, v0;  // rotation and transverse displacement (left of the walking direction)
  };
  // The members' pieces from A to B, in one list: member m holds those from first[m] on, up to
  // first[m + 1].
  std::vector<Piece> pieces;
  std::array<std::size_t, 4> first;
  std::span<const Piece> PiecesOf(Member member) const {
    const auto m = static_cast<std::size_t>(member);
    return {pieces.data() + first[m], pieces.data() + first[m + 1]};
  }
};

// Integrates the moment lines from A along the members with the support conditions of the
// system. A step that divides by zero (I1 or I2 of 0), overflows or is invalid throws
// ArithmeticFault; nothing is returned then.
using MomentLines = std::array<ForceLine, 3>;  // by Member
Deformation DeformationOf(SystemType system, double L, double I1, double I2,
                          const MomentLines& moments);
// The same for the moment lines of a run's stored results.
Deformation ComputeDeformation(const InputSet& in, SystemType system, const SharedResults& r);

// The displacement at s of a member, mm: horizontal (to the right) on the columns, downwards
// on the beam.
double DisplacementAt(const Deformation& d, Member member, double s);
// The rotation at s of a member, rad, counter-clockwise.
double RotationAt(const Deformation& d, Member member, double s);

// The member's displacement of largest magnitude (mm, signed as DisplacementAt) and where it
// lies; the first such place when there are several.
struct LargestDisplacement {
  double value;
  double s;
};
LargestDisplacement LargestDisplacementOf(const Deformation& d, Member member);

}  // namespace strevo
