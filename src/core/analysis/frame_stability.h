// The portal in its plane with the normal forces in its members: the exact stiffness of a
// member under axial force (stability functions, compression and tension), the lowest critical
// load factor and the analysis by second-order theory. Members are axially rigid; the steel is
// kSteelModulus. Forces keep the signs of member_forces.h: M positive with tension on the
// inside, Q = dM/ds, N positive in tension; s runs along each member as there.
#pragma once

#include <array>
#include <vector>

#include "member_forces.h"
#include "solution.h"

namespace strevo {

struct BeamPointLoad {
  double a;  // m from point 2
  double F;  // kN, downwards
};

// Everything that loads a portal at once, as one combination of loads brings it.
struct FrameLoads {
  double q = 0;  // on the beam, kN/m, downwards
  std::vector<BeamPointLoad> pointLoads;
  double wD = 0, wS = 0;  // on the left and the right column, kN/m, positive to the right
  // Horizontal forces at the column tops and feet, kN, positive to the right (the sway
  // imperfection's equivalent forces). A force at a held foot goes straight into the support.
  double topLeft = 0, topRight = 0, footLeft = 0, footRight = 0;
  // Each column's own weight, kN. The analysis takes it at the column's top (on the safe side);
  // the normal-force line it reports grows from the top to the foot as the weight does.
  double columnWeight = 0;
};

struct NormalForces {
  double leftColumn = 0, beam = 0, rightColumn = 0;  // kN, tension positive
};

enum class BucklingMode { Sway, Symmetric };

struct CriticalLoad {
  // αcr: the lowest factor on the normal forces at which the portal loses its stiffness; +inf
  // where it does not up to kLargestCriticalFactor (no member compressed, or hardly).
  double factor;
  BucklingMode mode;  // sway: the beam moves sideways in the mode; symmetric: it does not
};
inline constexpr double kLargestCriticalFactor = 1e6;

// αcr for these normal forces (constant along each member), all modes searched: the
// Wittrick–Williams count of eigenvalues below a trial factor brackets the lowest one, which is
// then found to the last few digits. Throws ArithmeticFault for a portal without length or
// stiffness.
CriticalLoad CriticalLoadOf(const Portal& portal, const NormalForces& forces);

// A stretch of a member with one normal force and one distributed load, exact:
// M'' + k2·M = w with k2 = −N/EI, from M and Q = M' at its start.
struct ExactPiece {
  double start, end;  // m along the member
  double k2;          // 1/m²; positive in compression
  double w;           // kN/m, the load term in the member's own sense
  double M0, Q0;      // kNm, kN at start
  double n0, dn;      // the normal force reported, n0 + dn·(s − start), kN
  double M(double s) const;
  double Q(double s) const;
  double N(double s) const { return n0 + dn * (s - start); }
};

struct ExactLine {
  std::vector<ExactPiece> pieces;  // in order of s; the beam is cut under each point load
  // The forces at s; at a cut the piece that starts there (right of a point load).
  MemberForces At(double s) const;
};
using ExactLines = std::array<ExactLine, 3>;  // by Member

enum class Theory { FirstOrder, SecondOrder };

struct FrameResponse {
  Reactions reactions;  // kN and kNm, as Solution's
  ExactLines lines;
  NormalForces normalForces;  // those the stiffness took (second order: converged)
  double sway = 0;            // the beam's horizontal displacement, m, positive to the right
  // Point loads over the left and the right corner (within a millionth of the span), kN: they
  // go straight into the columns, and the beam's line does not hold them.
  std::array<double, 2> cornerLoads{};
  int iterations = 0;  // of the normal forces (first order: 0)
};

// The portal under these loads. First order: equilibrium on the undeformed portal (the same
// as Solve's closed forms). Second order: equilibrium on the deformed portal with the members'
// normal forces iterated until they no longer change. Throws ArithmeticFault for a portal
// without length or stiffness, and UnstableFrame where second order finds no equilibrium.
FrameResponse AnalyseFrame(const Portal& portal, const FrameLoads& loads, Theory theory);

struct UnstableFrame {};

}  // namespace strevo
