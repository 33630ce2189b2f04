// Small helpers for window tests.
#pragma once

#include <QWidget>

namespace strevo::testing {

// The next widget the Tab key can reach, in focus-chain order.
inline QWidget* NextTabStop(QWidget* widget) {
  QWidget* next = widget->nextInFocusChain();
  while (next != widget && !(next->focusPolicy() & Qt::TabFocus)) {
    next = next->nextInFocusChain();
  }
  return next;
}

}  // namespace strevo::testing
