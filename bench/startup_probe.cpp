// The real program's start, from process start to a shown main window, then straight back
// out: what bench/startup.sh times and weighs.
#include <QApplication>
#include <QTimer>

#include "file_dialog_service.h"
#include "message_service.h"
#include "strevo_app.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  strevo::QtMessageService messages;
  strevo::QtFileDialogService fileDialogs;
  strevo::StrevoApp strevo(messages, fileDialogs);
  strevo.Start();
  QTimer::singleShot(0, &application, &QApplication::quit);
  return application.exec();
}
