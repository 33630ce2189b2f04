// The "Ergebnisliste" window: the last computation as a table Größe / Wert / Einheit, following
// each new computation while it is open.
#pragma once

#include <QWidget>

#include "command_guard.h"
#include "computation.h"

class QLabel;
class QTableWidget;

namespace strevo {

// What the list window needs from the rest of the program.
class ResultListHost {
 public:
  virtual ~ResultListHost() = default;
  virtual CommandGuard& Guard() = 0;
  virtual void ResultListClosed() = 0;  // closed through its title bar: unload it
};

class ResultListWindow : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ResultListWindow)

 public:
  explicit ResultListWindow(ResultListHost& host);

  // `computation` may be none (nothing computed yet); `inputsChanged`: the fields no longer
  // hold what it read.
  void ShowComputation(const Computation* computation, bool inputsChanged);
  void SetInputsChanged(bool inputsChanged);
  // The selected cells as tab-separated lines, or the whole list when nothing is selected.
  void Copy();

  QLabel* Notice() const { return notice_; }
  QLabel* DeformationNote() const { return deformationNote_; }
  QTableWidget* Table() const { return table_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  ResultListHost& host_;
  QLabel* notice_ = nullptr;
  QTableWidget* table_ = nullptr;
  QLabel* deformationNote_ = nullptr;
  const Computation* computation_ = nullptr;
};

}  // namespace strevo
