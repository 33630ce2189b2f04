#include <QApplication>

#include "file_dialog_service.h"
#include "german_translation.h"
#include "message_service.h"
#include "strevo_app.h"

int main(int /*argc*/, char** argv) {
  // The program reads no command line: toolkit options such as -reverse are not honoured.
  int programNameOnly = 1;
  QApplication application(programNameOnly, argv);
  strevo::InstallGermanTranslation(application);
  strevo::QtMessageService messages;
  strevo::QtFileDialogService fileDialogs;
  strevo::StrevoApp strevo(messages, fileDialogs);
  strevo.Start();
  return QApplication::exec();
}
