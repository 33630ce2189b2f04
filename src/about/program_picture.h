// The program's picture: a portal frame on two hinges under a beam load, drawn in code.
#pragma once

#include <QImage>
#include <QSize>

namespace strevo {

inline constexpr QSize kAboutPictureSize(97, 100);
inline constexpr QSize kSplashPictureSize(194, 200);

QImage ProgramPicture(QSize size);

}  // namespace strevo
