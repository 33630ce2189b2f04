// The one painter of a recorded picture: the results window paints its strokes with it (and so
// do the PNG and the SVG, which render the window), the report its four pictures whole.
#pragma once

#include <QColor>
#include <QtGlobal>

#include "core/drawing/picture_recording.h"
#include "core/drawing/value_label_layout.h"
#include "report/picture_viewport.h"
#include "report/twips.h"

class QFont;
class QPainter;
class QRectF;

namespace strevo {

// The results window's picture, 353 pixels square; the report keeps its proportions.
inline constexpr qreal kPicturePixels = static_cast<qreal>(kPictureTwips) / kTwipsPerPixel;

constexpr QColor ToQColor(Rgb rgb) {
  return {rgb.r, rgb.g, rgb.b};
}

// A drawing's colour (palette index or kForegroundColour) as it is painted.
constexpr QColor PaletteColour(int colour) {
  return ToQColor(PaletteRgb(colour));
}

// The strokes through `viewport`, each pen `penScale` times its recorded width; the caller sets
// the clip.
void PaintStrokes(QPainter& painter, const PictureViewport& viewport,
                  const PictureRecording& picture, qreal penScale = 1);

// The whole picture into `target` as the results window shows it: background, strokes, the
// visible value labels in their colours (in `labelFont`'s family) and a frame.
void PaintRecording(QPainter& painter, const QRectF& target, const PictureRecording& picture,
                    const QFont& labelFont);

}  // namespace strevo
