// Layout measures: the windows are laid out in twips, 15 to a pixel at 96 dpi. And the layout's
// light blue.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>

namespace strevo {

inline constexpr int kTwipsPerPixel = 15;

// The picture's background and the load fields'.
inline constexpr QColor kLightBlue(192, 192, 255);

constexpr int Px(double twips) {
  return static_cast<int>(twips / kTwipsPerPixel + 0.5);
}

inline QRect TwipsRect(int left, int top, int width, int height) {
  return QRect(Px(left), Px(top), Px(width), Px(height));
}

// The layout's "MS Sans Serif" (and "Arial"), mapped to the platform's sans font.
inline QFont SansFont(double points, bool bold = false) {
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

}  // namespace strevo
