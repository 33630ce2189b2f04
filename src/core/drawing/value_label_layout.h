// Where the kValueLabelCount value labels Label3(0..26) stand in the layout and in which colour
// they write.
#pragma once

#include "core/drawing/canvas.h"

namespace strevo {

inline constexpr int kPictureTwips = 5295;  // the picture is square in the layout

struct ValueLabelLayout {
  int left, top, width, height;  // twips inside the picture
  Rgb colour;
  bool rightAligned;
};

inline ValueLabelLayout ValueLabelLayoutOf(int index) {
  constexpr Rgb kBlack{0, 0, 0}, kRed{255, 0, 0}, kBlue{0, 0, 192}, kGreen{0, 128, 0},
      kGrey{128, 128, 128};
  if (index >= kFirstDeformationLabel) {
    return {0, 0, 495, 195, kPalette[kDeformationColour], false};
  }
  switch (index) {
    case 0:
      return {2400, 4440, 855, 200, kBlack, false};
    case 1:
    case 2:
    case 3:
      return {600, 4320 - 240 * (index - 1), 975, 195, kRed, true};
    case 4:
    case 5:
    case 6:
      return {3480, 4320 - 240 * (index - 4), 975, 195, kRed, false};
    case 7:
      return {360, 2760, 495, 195, kBlue, true};
    case 8:
      return {2400, 960, 495, 195, kBlue, false};
    case 9:
      return {4200, 2760, 495, 195, kBlue, false};
    case 10:
      return {4080, 720, 495, 195, kBlue, false};
    default:
      break;
  }
  return {0, 0, 495, 195, index <= 15 ? kRed : index <= 19 ? kGreen : kGrey, false};
}

// A label's layout position in picture units.
inline double LabelLayoutUnits(int twips) {
  return static_cast<double>(twips) * kPictureUnits / kPictureTwips;
}

}  // namespace strevo
