// Layout measures: the windows are laid out in twips, 15 to a pixel at 96 dpi.
#pragma once

#include <QFont>
#include <QRect>

namespace strevo {

inline constexpr int kTwipsPerPixel = 15;

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
