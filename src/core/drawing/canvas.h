// The picture area as the drawings see it: a square user scale of kPictureUnits, lines and
// boxes in palette colours, and the value labels Label3(0..26) placed in the same units.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace strevo {

inline constexpr int kForegroundColour = -1;  // the picture's foreground (black)
inline constexpr int kValueLabelCount = 27;
// Label3(24) to (26) belong to the deflected shape (u, w and the material); they start hidden.
inline constexpr int kFirstDeformationLabel = 24;
inline constexpr int kDeformationColour = 13;  // magenta
inline constexpr float kPictureUnits = 1000;   // the drawings' scale: 0..1000 both ways

struct Rgb {
  std::uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

// The fixed 16-colour palette the drawings name their colours from.
inline constexpr std::array<Rgb, 16> kPalette = {{{0, 0, 0},
                                                  {0, 0, 128},
                                                  {0, 128, 0},
                                                  {0, 128, 128},
                                                  {128, 0, 0},
                                                  {128, 0, 128},
                                                  {128, 128, 0},
                                                  {192, 192, 192},
                                                  {128, 128, 128},
                                                  {0, 0, 255},
                                                  {0, 255, 0},
                                                  {0, 255, 255},
                                                  {255, 0, 0},
                                                  {255, 0, 255},
                                                  {255, 255, 0},
                                                  {255, 255, 255}}};

// A drawing's colour as it is painted: the foreground, and any index the palette lacks, black.
constexpr Rgb PaletteRgb(int colour) {
  if (colour < 0 || colour >= static_cast<int>(kPalette.size())) {
    return kPalette[0];
  }
  return kPalette[colour];
}

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void Refresh() = 0;  // back to the bare background
  virtual void SetScale(float left, float top, float right, float bottom) = 0;
  virtual void SetLineWidth(int pixels) = 0;
  // colour: a palette index, or kForegroundColour
  virtual void Line(float x1, float y1, float x2, float y2, int colour) = 0;
  virtual void Box(float x1, float y1, float x2, float y2, int colour) = 0;

  virtual void SetLabelCaption(int index, const std::string& caption) = 0;
  virtual void SetLabelLeft(int index, float left) = 0;
  virtual void SetLabelTop(int index, float top) = 0;
  virtual void SetLabelVisible(int index, bool visible) = 0;
};

}  // namespace strevo
