#include "windows/ui/message_service.h"

#include <QMessageBox>

namespace strevo {

MessageAnswer QtMessageService::Show(QWidget* parent, const Message& message) {
  QMessageBox box(parent);
  box.setWindowTitle(message.title);
  box.setText(message.text);
  switch (message.icon) {
    case MessageIcon::None:
      box.setIcon(QMessageBox::NoIcon);
      break;
    case MessageIcon::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case MessageIcon::Warning:
      box.setIcon(QMessageBox::Warning);
      break;
    case MessageIcon::Question:
      box.setIcon(QMessageBox::Question);
      break;
    case MessageIcon::Critical:
      box.setIcon(QMessageBox::Critical);
      break;
  }
  if (message.buttons == MessageButtons::OkCancel) {
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Ok);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
  }
  return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

}  // namespace strevo
