// The main window's sketch: line arrays Line1 to Line7 in twips inside their frames.
#pragma once

#include <array>

#include "core/base/arithmetic_fault.h"
#include "windows/ui/portal_sketch.h"

namespace strevo {

// Members (0 to 2) and the dashed inner fibre 120 twips inside them (3 to 5).
inline LineArray MainLine1() {
  LineArray lines = PortalMembers();
  lines.push_back({4680, 3600, 4680, 1800, true, true});
  lines.push_back({2400, 1800, 4680, 1800, true, true});
  lines.push_back({2400, 3600, 2400, 1800, true, true});
  return lines;
}

// Load bands: wD on the left column (0 to 6), q on the beam (7 to 13), wS on the right
// column (14 to 20); each four edges, then three strokes across the band.
inline LineArray MainLine4() {
  LineArray lines = {{2040, 1680, 2040, 3720},
                     {1800, 1680, 1800, 3720},
                     {1800, 1680, 2040, 1680},
                     {1800, 3720, 2040, 3720}};
  for (int y : {3240, 3120, 3000}) {
    lines.push_back({1800.0, double(y), 2040.0, double(y)});
  }
  lines.insert(lines.end(), {{2280, 1440, 4800, 1440},
                             {2280, 1200, 4800, 1200},
                             {4800, 1200, 4800, 1440},
                             {2280, 1200, 2280, 1440}});
  for (int x : {2880, 3000, 3120}) {
    lines.push_back({double(x), 1200.0, double(x), 1440.0});
  }
  lines.insert(lines.end(), {{5280, 1680, 5280, 3720},
                             {5040, 1680, 5040, 3720},
                             {5040, 1680, 5280, 1680},
                             {5040, 3720, 5280, 3720}});
  for (int y : {2520, 2400, 2280}) {
    lines.push_back({5040.0, double(y), 5280.0, double(y)});
  }
  return lines;
}

// The point-load arrow: shaft, then the two head strokes; x follows a and L.
inline LineArray MainLine5() {
  return {{4080, 960, 4080, 1680}, {3960, 1560, 4080, 1680}, {4200, 1560, 4080, 1680}};
}

// Where the sketch's beam lies, in twips inside the frame "System".
inline constexpr double kSketchBeamLeftTwips = 2280;
inline constexpr double kSketchBeamLengthTwips = 2520;
inline constexpr double kArrowHeadHalfTwips = 90;  // the head strokes' reach either side

struct PointLoadArrow {
  double shaftX;  // shaft and the head's tip
  double leftHeadX, rightHeadX;
};

// The arrow stands at a on the sketch's beam drawn as L long; it follows a and L without limit.
inline PointLoadArrow PlacePointLoadArrow(double a, double L) {
  const FaultWatch check;
  const double offset = check(a * kSketchBeamLengthTwips / L);
  return {check.Single(offset + kSketchBeamLeftTwips),
          check.Single(offset + kSketchBeamLeftTwips - kArrowHeadHalfTwips),
          check.Single(offset + kSketchBeamLeftTwips + kArrowHeadHalfTwips)};
}

// Dimension chains: a/b (0 to 4, with the division 15 and 16), h (5 to 9), L (10 to 14).
inline LineArray MainLine6() {
  return {{2160, 4680, 4920, 4680}, {2280, 4800, 2280, 4440}, {4800, 4800, 4800, 4440},
          {2160, 4800, 2400, 4560}, {4680, 4800, 4920, 4560}, {6600, 3720, 6960, 3720},
          {6600, 1800, 6960, 1800}, {6840, 3840, 6840, 1680}, {6720, 3840, 6960, 3600},
          {6720, 1920, 6960, 1680}, {2160, 5280, 4920, 5280}, {2280, 5400, 2280, 5040},
          {4800, 5400, 4800, 5040}, {2160, 5400, 2400, 5160}, {4680, 5400, 4920, 5160},
          {4080, 4800, 4080, 4440}, {3960, 4800, 4200, 4560}};
}

// The lines of MainLine6 that dimension a and b: they stand only while there is a point load.
inline constexpr std::array<int, 7> kPointLoadChainLines = {0, 1, 2, 3, 4, 15, 16};

// The sign-convention axes inside the frame "Vorzeichen": down and to the right.
inline LineArray MainLine7() {
  return {{360, 480, 360, 960}, {360, 480, 840, 480}, {240, 840, 360, 960},
          {480, 840, 360, 960}, {720, 360, 840, 480}, {720, 600, 840, 480}};
}

}  // namespace strevo
