// A FileDialogService that answers with scripted file names and records the settings it saw.
#pragma once

#include <deque>
#include <vector>

#include "windows/ui/file_dialog_service.h"

namespace strevo::testing {

class ScriptedFileDialogs : public FileDialogService {
 public:
  QString ShowOpen(QWidget*, const CommonDialogSettings& settings) override {
    return Answer(settings, false);
  }
  QString ShowSave(QWidget*, CommonDialogSettings& settings) override {
    if (!filterIndices.empty()) {
      settings.filterIndex = filterIndices.front();
      filterIndices.pop_front();
    }
    return Answer(settings, true);
  }

  struct Use {
    CommonDialogSettings settings;
    bool save;
  };
  std::vector<Use> uses;
  std::deque<QString> names;      // empty text: the user cancelled
  std::deque<int> filterIndices;  // the file types the user chooses; none: as it was

 private:
  QString Answer(const CommonDialogSettings& settings, bool save) {
    uses.push_back({settings, save});
    if (names.empty()) {
      return {};
    }
    QString name = names.front();
    names.pop_front();
    return name;
  }
};

}  // namespace strevo::testing
