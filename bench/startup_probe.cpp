// The real program's start, from process start to a shown main window, then straight back
// out: what bench/startup.sh times and weighs.
#include <QApplication>
#include <QTimer>

#include "windows/app/strevo_app.h"
#include "windows/ui/file_dialog_service.h"
#include "windows/ui/german_translation.h"
#include "windows/ui/message_service.h"

int main(int /*argc*/, char** argv) {
  int programNameOnly = 1;
  QApplication application(programNameOnly, argv);
  strevo::InstallGermanTranslation(application);
  strevo::QtMessageService messages;
  strevo::QtFileDialogService fileDialogs;
  strevo::StrevoApp strevo(messages, fileDialogs);
  strevo.Start();
  QTimer::singleShot(0, &application, &QApplication::quit);
  return application.exec();
}
