// The deflected shape of a computation over the picture, and the values at a point of the
// picture: both in the drawing frame of the system drawing.
#pragma once

#include <optional>
#include <string>

#include "canvas.h"
#include "computation.h"
#include "drawings.h"

namespace strevo {

inline constexpr double kLargestShapeOffset = 60;  // picture units for the largest displacement

// Draws over what the picture shows: the members displaced, in magenta, width 2, scaled so the
// largest displacement is kLargestShapeOffset units; labels "u = … mm", "w = … mm" and the
// material. NothingToDraw when nothing moves. The computation must have its deformation.
DiagramOutcome DrawDeflectedShape(const Computation& computation, Canvas& canvas);

// The member nearest to a point of the picture (picture units) within `reach`, the position on
// it and the values there: "Riegel, s = 2.40 m", then M, Q, N and the displacement.
std::optional<std::string> ReadoutAt(const Computation& computation, double x, double y,
                                     double reach);

}  // namespace strevo
