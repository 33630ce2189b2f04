// The mapping of the portal into the picture's 1000 x 1000 units, shared by all drawings.
#pragma once

#include <array>

#include "arithmetic_fault.h"
#include "canvas.h"
#include "inputs.h"

namespace strevo {

inline constexpr double kFootY = 700;  // level of the feet A and B

// Every coordinate is checked before it reaches the canvas as a single-precision value.
using CoordinateCheck = FaultWatch;

struct DrawingFrame {
  double Lmax;  // the longer of h and L, m
  double s;     // picture units per metre
  double xL;    // axis of the left column
  double xR;    // axis of the right column
  double yB;    // axis of the beam
  // The point of the beam axis at distance d from the left column's axis.
  double BeamX(double d, double L, const CoordinateCheck& check) const;
};

DrawingFrame MakeDrawingFrame(const InputSet& in, double Lmax, const CoordinateCheck& check);

// The four corner labels the diagrams share: outside the left corner, above the beam's ends,
// outside the right corner; sets each caption and position in turn.
void PlaceCornerLabels(const std::array<int, 4>& indices, const std::array<double, 4>& values,
                       const InputSet& in, double Lmax, Canvas& canvas,
                       const CoordinateCheck& check);

}  // namespace strevo
