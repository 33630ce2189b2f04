// A label as the layouts place them: named after its control, at its twip position.
#pragma once

#include <QLabel>

namespace strevo {

inline QLabel* MakeLabel(const QString& name, const QString& text, QWidget* parent,
                         const QRect& rect) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(rect);
  return label;
}

}  // namespace strevo
