// The program's picture: a portal frame on two hinges under a beam load, drawn in code.
#pragma once

#include <QImage>
#include <QSize>

class QPainter;

namespace strevo {

inline constexpr QSize kAboutPictureSize(97, 100);
inline constexpr QSize kSplashPictureSize(194, 200);

QImage ProgramPicture(QSize size);
// Paints the picture into a square of `side` units at the painter's origin (for vector output).
void PaintProgramPicture(QPainter& painter, qreal side);

}  // namespace strevo
