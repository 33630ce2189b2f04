// The layout's titled frames: the border starts at the frame's top, half a text line down, and
// the title interrupts it there. Qt's Fusion style draws the border a whole line lower, under
// the title.
#pragma once

#include <QGroupBox>

namespace strevo {

inline void StyleTitledFrame(QGroupBox& frame) {
  // A style sheet would otherwise drop the font the frame inherited from the window.
  const QFont font = frame.font();
  frame.setStyleSheet(
      QStringLiteral("QGroupBox { border: 1px solid palette(mid); margin-top: 0.5em; }"
                     "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
                     " left: 6px; padding: 0px 2px; }"));
  frame.setFont(font);
}

}  // namespace strevo
