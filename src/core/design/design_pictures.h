// The pictures of a design in the results window's style: a combination's moment, shear-force
// and normal-force diagrams, and the envelope of the ultimate combinations as two lines (max
// and min) per diagram.
#pragma once

#include <cstddef>

#include "core/design/design_result.h"
#include "core/drawing/report_pictures.h"

namespace strevo {

enum class ForceKind { Moment, Shear, Normal };

// The envelope's two lines in palette colours: the largest values red, the smallest blue.
inline constexpr int kEnvelopeMaxColour = 12;
inline constexpr int kEnvelopeMinColour = 9;

// Each picture is the portal with its supports and span, and the diagram over it at the scale
// of the results window (the largest |value| 100 units off the axis), drawn from the lines at
// 20 chords a member and at every kink or jump. A combination's picture shows its reactions
// and the diagram's corner (and field) values; the envelope's shows the largest and smallest
// values of each member, as many as the diagram has labels. `note` says why nothing is drawn
// (all values zero). A step that overflows or divides by zero throws ArithmeticFault; a
// combination out of range throws std::out_of_range.
ReportPicture CombinationPicture(const DesignResult& result, std::size_t combination,
                                 ForceKind kind);
// The diagram of the design forces the members are checked with: with the sway imperfection,
// and second order where αcr < 10. A combination without them (serviceability, unstable) gives
// its CombinationPicture. The title is short ("Momente GZT 3"): a report names the factors.
ReportPicture DesignForcePicture(const DesignResult& result, std::size_t combination,
                                 ForceKind kind);
ReportPicture EnvelopePicture(const DesignResult& result, ForceKind kind);

}  // namespace strevo
