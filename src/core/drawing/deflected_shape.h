// The deflected shape of a computation over the picture, and the values at a point of the
// picture: both in the drawing frame of the system drawing.
#pragma once

#include <optional>
#include <string>

#include "core/analysis/computation.h"
#include "core/drawing/canvas.h"
#include "core/drawing/drawings.h"

namespace strevo {

inline constexpr double kLargestShapeOffset = 60;  // picture units for the largest displacement

// Draws over what the picture shows: the members displaced, in magenta, width 2, scaled so the
// largest displacement is kLargestShapeOffset units; labels "u = … mm", "w = … mm" and the
// material, which gives way to the cm4 hint where the displacements exceed 1/50 of their
// lengths. NothingToDraw when nothing moves. The computation must have its deformation.
DiagramOutcome DrawDeflectedShape(const Computation& computation, Canvas& canvas);

// The member nearest to a point of the picture (picture units) within `reach`, the position on
// it and the values there: "Riegel, x = 2.40 m ab Punkt 2", then M, Q (on both sides of the
// point load when it is within reach), N and the displacement.
std::optional<std::string> ReadoutAt(const Computation& computation, double x, double y,
                                     double reach);

}  // namespace strevo
