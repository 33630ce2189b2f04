// The "Ergebnisliste" window: the last computation as a table Größe / Wert / Einheit, and after
// it the last computed design, following each new one while it is open.
#pragma once

#include <QWidget>

#include "core/design/design_result.h"
#include "core/project/taken_computation.h"
#include "windows/ui/command_guard.h"

class QComboBox;
class QLabel;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class QVBoxLayout;

namespace strevo {

class RechenwegView;

// What the list window needs from the rest of the program.
class ResultListHost {
 public:
  virtual ~ResultListHost() = default;
  virtual CommandGuard& Guard() = 0;
  virtual void ResultListClosed() = 0;  // closed through its title bar: unload it
  // The section check's grade and limits: chosen here, used by every export.
  virtual CheckSettings CheckSettingsInUse() const = 0;
  // Checks the last computation against these settings before the list shows it again.
  virtual void UseCheckSettings(const CheckSettings& settings) = 0;
};

class ResultListWindow : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ResultListWindow)

 public:
  explicit ResultListWindow(ResultListHost& host);

  // `taken` may be none (nothing computed yet); `inputsChanged`: the fields no longer hold what
  // it read.
  void ShowComputation(const TakenComputation* taken, bool inputsChanged);
  void SetInputsChanged(bool inputsChanged);
  // `design` may be none (no design computed yet); its rows follow the computation's.
  void ShowDesign(const DesignResult* design);
  // On the list: the selected cells as tab-separated lines, or the whole list when nothing is
  // selected. On the Rechenweg: the chosen steps as plain text, three lines a step, or all of
  // them when none is chosen.
  void Copy();
  // A size that fits in `available` (a screen's free area), the window's frame included.
  void FitTo(const QRect& available);
  void ShowRechenweg();  // brings its tab to the front

  QLabel* Notice() const { return notice_; }
  QLabel* DeformationNote() const { return deformationNote_; }
  QComboBox* Grade() const { return grade_; }
  QTableWidget* Table() const { return table_; }
  RechenwegView* Rechenweg() const { return rechenweg_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QVBoxLayout* BuildTabs(QVBoxLayout* layout);  // gives the list page's layout
  void BuildTable(QVBoxLayout* layout);
  void BuildCheckControls(QVBoxLayout* layout);
  void BuildCopyAction();
  void CheckChanged();
  void Fill();
  void FillTable(const std::vector<ListRow>& rows);
  // The rows the table shows, in its order: the computation's, then the design's.
  std::vector<ListRow> ShownRows() const;

  ResultListHost& host_;
  QComboBox* grade_ = nullptr;
  QSpinBox* swayLimit_ = nullptr;
  QSpinBox* deflectionLimit_ = nullptr;
  QLabel* statement_ = nullptr;
  QLabel* notice_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QTableWidget* table_ = nullptr;
  RechenwegView* rechenweg_ = nullptr;
  QLabel* deformationNote_ = nullptr;
  const TakenComputation* taken_ = nullptr;
  const DesignResult* design_ = nullptr;
};

}  // namespace strevo
