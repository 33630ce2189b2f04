// One analysis of a frame model: equilibrium to first order or, with the members' normal forces
// iterated, to second order; and the lowest critical load factor with its mode. A member's
// bending stiffness under axial force is exact (stability functions, compression and tension).
// The forces come back as one line type per member, exact pieces cut at every load
// discontinuity. Signs as frame_model.h: M positive with tension on the member's right side,
// Q = dM/ds, N positive in tension.
#pragma once

#include <array>
#include <vector>

#include "core/analysis/member_forces.h"
#include "core/base/arithmetic_fault.h"
#include "core/model/frame_model.h"

namespace strevo {

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
  // dQ/ds = w − k2·M.
  double Slope(double s) const { return w - k2 * M(s); }
};

struct ExactLine {
  std::vector<ExactPiece> pieces;  // in order of s; cut at every point load and partial load's end
  // The forces at s; at a cut the piece that starts there (right of a point load).
  MemberForces At(double s) const;
};

// The same line read as exact pieces without normal force: what first order gives.
ExactLine ExactLineOf(const ForceLine& M, const ForceLine& N);

// Where Q = 0 between two places of a piece where its sign differs.
double ShearZero(const ExactPiece& piece, double low, double high);

// The places of a piece where its forces are read, in order: its ends and eight places between;
// and where the moment turns (the shear changes its sign between two of them), that place too,
// with `turns` true.
inline constexpr int kPlacesPerPiece = 8;
template <class Visit>
void ForEachPlace(const ExactPiece& p, Visit&& visit) {
  double previous = p.start, previousQ = p.Q(p.start);
  visit(previous, false);
  for (int j = 1; j <= kPlacesPerPiece; ++j) {
    const double next = p.start + (p.end - p.start) * j / kPlacesPerPiece, nextQ = p.Q(next);
    if ((previousQ < 0) != (nextQ < 0)) {
      visit(ShearZero(p, previous, next), true);
    }
    visit(next, false);
    previous = next;
    previousQ = nextQ;
  }
}

// The beam's field point X3: of the places where the shear changes its sign (inside a piece,
// jumping through zero at a point load or turning at a partial load's end), the one of largest
// |M|, the first on a tie; where the shear is zero along a stretch, the stretch's first point.
// Without any: under the point load of largest |M| when the beam carries no distributed load,
// midspan when it carries nothing, else the end where the load leaves the moment largest.
double FieldPointOf(const ExactLine& beam);

enum class Theory { FirstOrder, SecondOrder };

struct SupportReaction {
  double Fx = 0, Fy = 0;  // kN, the support's forces on the frame, to the right and up
  double M = 0;           // kNm, counter-clockwise
};

struct NodeDisplacement {
  double x = 0, y = 0;  // m
  double rotation = 0;  // rad, counter-clockwise
};

struct FrameAnalysis {
  std::vector<ExactLine> lines;  // by member
  // By member, kN: the normal force its stiffness took (second order: converged); where a
  // member carries a load along itself, the force at the end that load runs to.
  std::vector<double> normalForces;
  std::vector<SupportReaction> reactions;       // by support, in the model's order
  std::vector<NodeDisplacement> displacements;  // by node of the model
  // By member, kN along n: the point loads within a millionth of its length of its start and of
  // its end. The nodes take them, and the member's line does not hold them.
  std::vector<std::array<double, 2>> endLoads;
  int iterations = 0;  // of the normal forces (first order: 0)
};

// Thrown where second order finds no equilibrium, or the frame is a mechanism. The stability
// checks catch it as the frame's instability; anywhere else it is an arithmetic fault like any.
class UnstableFrame : public ArithmeticFault {
 public:
  UnstableFrame() : ArithmeticFault(FaultKind::NoEquilibrium) {}
};

// The frame under these loads. First order: equilibrium on the undeformed frame. Second order:
// equilibrium on the deformed frame with the members' normal forces iterated until they no
// longer change. Throws ArithmeticFault for a member without length or stiffness, and
// UnstableFrame where there is no equilibrium.
FrameAnalysis Analyse(const FrameModel& model, const FrameLoading& loading, Theory theory);

enum class BucklingMode { Sway, Symmetric };

struct CriticalLoad {
  // αcr: the lowest factor on the normal forces at which the frame loses its stiffness; +inf
  // where it does not up to kLargestCriticalFactor (no member compressed, or hardly).
  double factor;
  // Sway: held by the model's sway restraint, the frame would not buckle at αcr; symmetric: it
  // would (the mode needs no sway).
  BucklingMode mode;
};
inline constexpr double kLargestCriticalFactor = 1e6;

// αcr for these normal forces (by member, constant along each), all modes searched: the
// Wittrick–Williams count of eigenvalues below a trial factor brackets the lowest one, which is
// then found to the last few digits. Throws ArithmeticFault for a member without length or
// stiffness.
CriticalLoad CriticalLoadOf(const FrameModel& model, const std::vector<double>& normalForces);

}  // namespace strevo
