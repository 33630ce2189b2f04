// The common file dialog behind an interface: its settings persist between uses, as one
// dialog object serves both the open and the save command.
#pragma once

#include <QString>

#include "windows/ui/message_service.h"

class QWidget;

namespace strevo {

inline constexpr int kOverwritePrompt = 2;  // flag: ask before overwriting an existing file

struct CommonDialogSettings {
  QString title;
  QString filter;  // "description|pattern|description|pattern..."
  QString initialDirectory;
  int flags = 0;
  bool cancelError = false;
  int filterIndex = 1;  // the file type chosen in the save dialog, counted from 1
};

class FileDialogService {
 public:
  virtual ~FileDialogService() = default;
  // The chosen file name, or an empty text when the user cancelled.
  virtual QString ShowOpen(QWidget* parent, const CommonDialogSettings& settings) = 0;
  // Also stores the file type the user chose in `settings.filterIndex`.
  virtual QString ShowSave(QWidget* parent, CommonDialogSettings& settings) = 0;
};

class QtFileDialogService : public FileDialogService {
 public:
  QString ShowOpen(QWidget* parent, const CommonDialogSettings& settings) override;
  QString ShowSave(QWidget* parent, CommonDialogSettings& settings) override;
};

// "Dateien (*.stv)|*.stv" as a Qt name filter: "Dateien (*.stv)".
QString QtNameFilters(const QString& filter);

// The file type (from 1) that a dialog's chosen filter names, in any of the forms dialogs
// report it: "SVG-Grafiken (*.svg)", "SVG-Grafiken" or "*.svg"; 0 when it names none.
int FilterIndexOf(const QString& filter, const QString& selected);

// The name that is really written: one ending in a type of the filter stays; any other gets
// the suffix of the type chosen in the dialog ("bild" and "bild.jpg" with SVG chosen become
// "bild.svg" and "bild.jpg.svg").
QString NameOfChosenType(const QString& name, const CommonDialogSettings& settings);

// Asks for the name to save under, with the type the dialog chose; asks again before
// replacing a file that the added suffix names. Empty when the user cancels either question.
QString AskSaveName(QWidget* parent, FileDialogService& dialogs, MessageService& messages,
                    CommonDialogSettings& settings);

}  // namespace strevo
