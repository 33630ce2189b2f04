#include "windows/ui/file_dialog_service.h"

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

int FilterIndexOf(const QString& filter, const QString& selected) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  const QString trimmed = selected.trimmed();
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString qtFilter = QtNameFilters(parts[i] + QLatin1Char('|') + parts[i + 1]);
    const QString description = parts[i].section(QStringLiteral(" ("), 0, 0);
    if (trimmed == qtFilter || trimmed == parts[i] || trimmed == description ||
        trimmed == parts[i + 1]) {
      return static_cast<int>(i / 2) + 1;
    }
  }
  return 0;
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
  const QString filters = QtNameFilters(settings.filter);
  QFileDialog dialog(parent, settings.title, settings.initialDirectory, filters);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  if (!(settings.flags & kOverwritePrompt)) {
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
  }
  dialog.selectNameFilter(filters.split(QStringLiteral(";;")).value(settings.filterIndex - 1));
  // The type as the user picks it: some platforms' dialogs report the chosen filter in another
  // form after closing, or not at all.
  int picked = settings.filterIndex;
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
    if (const int index = FilterIndexOf(settings.filter, filter); index > 0) {
      picked = index;
    }
  });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return {};
  }
  const int reported = FilterIndexOf(settings.filter, dialog.selectedNameFilter());
  settings.filterIndex = reported > 0 ? reported : picked;
  return dialog.selectedFiles().constFirst();
}

}  // namespace strevo
