#include "file_dialog_service.h"

#include <QFileDialog>
#include <QStringList>

namespace strevo {

QString QtNameFilters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    filters << (description.contains(QLatin1Char('('))
                    ? description
                    : QStringLiteral("%1 (%2)").arg(description, parts[i + 1]));
  }
  return filters.join(QStringLiteral(";;"));
}

QString QtFileDialogService::ShowOpen(QWidget* parent, const CommonDialogSettings& settings) {
  return QFileDialog::getOpenFileName(parent, settings.title, settings.initialDirectory,
                                      QtNameFilters(settings.filter));
}

QString QtFileDialogService::ShowSave(QWidget* parent, const CommonDialogSettings& settings) {
  const QFileDialog::Options options = (settings.flags & kOverwritePrompt)
                                           ? QFileDialog::Options()
                                           : QFileDialog::DontConfirmOverwrite;
  return QFileDialog::getSaveFileName(parent, settings.title, settings.initialDirectory,
                                      QtNameFilters(settings.filter), nullptr, options);
}

}  // namespace strevo
