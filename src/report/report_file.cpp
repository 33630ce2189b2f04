#include "report/report_file.h"

#include <QByteArray>
#include <QDateTime>
#include <QGuiApplication>
#include <QIODevice>
#include <cstdio>

#include "report/design_report.h"
#include "report/save_file.h"

namespace strevo {
namespace {

// Qt's notes on the session (no runtime folder, no session bus) concern windows, which the
// report has none of; only what keeps it from being written is said.
void QuietNotes(QtMsgType type, const QMessageLogContext& /*context*/, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "strevo-cli: %s\n", qPrintable(message));
  }
}

}  // namespace

void SaveDesignReport(const DesignResult& result, const std::string& path) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  qInstallMessageHandler(QuietNotes);
  // Qt reads options from the command line; the program's own arguments are none of them.
  int argc = 1;
  char name[] = "strevo-cli";
  char* argv[] = {name, nullptr};
  const QGuiApplication application(argc, argv);
  const ReportFacts facts{QDateTime::currentDateTime(), false};
  SaveFile(QByteArray::fromStdString(path),
           [&](QIODevice& device) { WriteDesignReport(device, result, facts); });
}

void CheckReportTarget(const std::string& path, const std::string& design) {
  CheckSaveTarget(QByteArray::fromStdString(path), QByteArray::fromStdString(design));
}

}  // namespace strevo
