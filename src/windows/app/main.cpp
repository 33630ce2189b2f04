#include <QApplication>
#include <cstdio>

#include "windows/app/strevo_app.h"
#include "windows/ui/file_dialog_service.h"
#include "windows/ui/german_translation.h"
#include "windows/ui/message_service.h"

namespace {

// STREVO_SMOKE_TEST: every message goes to the error output and counts as a failure.
class ReportingMessages : public strevo::MessageService {
 public:
  strevo::MessageAnswer Show(QWidget* /*parent*/, const strevo::Message& message) override {
    std::fprintf(stderr, "%s: %s\n", qPrintable(message.title), qPrintable(message.text));
    ++shown;
    return strevo::MessageAnswer::Cancel;
  }
  int shown = 0;
};

}  // namespace

int main(int /*argc*/, char** argv) {
  // The program reads no command line: toolkit options such as -reverse are not honoured.
  int programNameOnly = 1;
  QApplication application(programNameOnly, argv);
  strevo::InstallGermanTranslation(application);
  const bool smokeTest = qEnvironmentVariableIsSet("STREVO_SMOKE_TEST");
  strevo::QtMessageService boxes;
  ReportingMessages reported;
  strevo::QtFileDialogService fileDialogs;
  strevo::StrevoApp strevo(smokeTest ? static_cast<strevo::MessageService&>(reported) : boxes,
                           fileDialogs);
  strevo.Start();
  if (smokeTest) {
    // Started, shown, and the profile table read from beside the program: the package check.
    strevo.SectionsWindow();
    return reported.shown == 0 && strevo.MainWindow().isVisible() ? 0 : 1;
  }
  return QApplication::exec();
}
