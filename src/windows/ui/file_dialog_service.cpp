#include "file_dialog_service.h"

#include <QFileDialog>
#include <QFileInfo>
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

namespace {

// The suffixes of the filter's types in their order: "PNG (*.png)|*.png|SVG|*.svg" gives
// png and svg.
QStringList FilterSuffixes(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList suffixes;
  for (qsizetype i = 1; i < parts.size(); i += 2) {
    suffixes << parts[i].section(QLatin1Char('.'), -1);
  }
  return suffixes;
}

}  // namespace

QString NameOfChosenType(const QString& name, const CommonDialogSettings& settings) {
  const QStringList suffixes = FilterSuffixes(settings.filter);
  const QString suffix = QFileInfo(name).suffix();
  if (suffixes.isEmpty() || suffixes.contains(suffix, Qt::CaseInsensitive)) {
    return name;
  }
  const qsizetype chosen = settings.filterIndex - 1;
  return name + QLatin1Char('.') +
         suffixes.value(chosen >= 0 && chosen < suffixes.size() ? chosen : 0);
}

QString AskSaveName(QWidget* parent, FileDialogService& dialogs, MessageService& messages,
                    CommonDialogSettings& settings) {
  settings.flags = kOverwritePrompt;
  const QString asked = dialogs.ShowSave(parent, settings);
  if (asked.isEmpty()) {
    return {};
  }
  settings.initialDirectory = QFileInfo(asked).absolutePath();
  QString name = NameOfChosenType(asked, settings);
  // The dialog asked about the name typed; a suffix added since names another file.
  if (name != asked && QFileInfo::exists(name)) {
    const MessageAnswer answer = messages.Show(
        parent, {QStringLiteral("„%1“ ist bereits vorhanden.\nSoll die Datei ersetzt werden?")
                     .arg(QFileInfo(name).fileName()),
                 settings.title, MessageIcon::Question, MessageButtons::OkCancel});
    if (answer != MessageAnswer::Ok) {
      return {};
    }
  }
  return name;
}

QString QtFileDialogService::ShowOpen(QWidget* parent, const CommonDialogSettings& settings) {
  return QFileDialog::getOpenFileName(parent, settings.title, settings.initialDirectory,
                                      QtNameFilters(settings.filter));
}

QString QtFileDialogService::ShowSave(QWidget* parent, CommonDialogSettings& settings) {
  const QFileDialog::Options options = (settings.flags & kOverwritePrompt)
                                           ? QFileDialog::Options()
                                           : QFileDialog::DontConfirmOverwrite;
  const QStringList filters = QtNameFilters(settings.filter).split(QStringLiteral(";;"));
  QString selected = filters.value(settings.filterIndex - 1);
  QString name =
      QFileDialog::getSaveFileName(parent, settings.title, settings.initialDirectory,
                                   filters.join(QStringLiteral(";;")), &selected, options);
  if (!name.isEmpty()) {
    settings.filterIndex = static_cast<int>(filters.indexOf(selected)) + 1;
  }
  return name;
}

}  // namespace strevo
