// The portal and its support symbols as both windows' sketches draw them, in twips.
#pragma once

#include "sketch_frame.h"

namespace strevo {

// Left column, beam, right column.
inline LineArray PortalMembers() {
  return {{2280, 3720, 2280, 1680}, {2280, 1680, 4800, 1680}, {4800, 3720, 4800, 1680}};
}

// Hinge triangles under A (0 to 2) and B (3 to 5), the roller line under B (6).
inline LineArray HingeLines() {
  return {{2160, 3840, 2280, 3720}, {2280, 3720, 2400, 3840}, {2160, 3840, 2400, 3840},
          {4680, 3840, 4800, 3720}, {4800, 3720, 4920, 3840}, {4680, 3840, 4920, 3840},
          {4680, 3960, 4920, 3960}};
}

// Ground line and four hatch strokes at A (0 to 4), then at B (5 to 9).
inline LineArray ClampLines() {
  return {{2040, 3720, 2520, 3720}, {2040, 3840, 2160, 3720}, {2160, 3840, 2280, 3720},
          {2280, 3840, 2400, 3720}, {2400, 3840, 2520, 3720}, {4560, 3720, 5040, 3720},
          {4560, 3840, 4680, 3720}, {4680, 3840, 4800, 3720}, {4800, 3840, 4920, 3720},
          {4920, 3840, 5040, 3720}};
}

}  // namespace strevo
