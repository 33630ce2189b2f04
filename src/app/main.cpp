#include <QApplication>

#include "file_dialog_service.h"
#include "message_service.h"
#include "strevo_app.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  strevo::QtMessageService messages;
  strevo::QtFileDialogService fileDialogs;
  strevo::StrevoApp strevo(messages, fileDialogs);
  strevo.Start();
  return QApplication::exec();
}
