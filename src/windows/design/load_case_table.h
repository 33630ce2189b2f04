// The design window's table of load cases: a row a case, its action and category chosen from
// lists, its name and loads as typed. The table is the cases' only store: reading it gives the
// cases and every cell that does not read as a number. A list is a combo box only while its
// cell is edited: thousands of cases open at once, and a long name is cut with "…" in its cell.
#pragma once

#include <QTableWidget>
#include <optional>
#include <vector>

#include "core/design/design.h"
#include "windows/design/further_loads_dialog.h"

namespace strevo {

// The number a cell or field holds, 0 for an empty one; a decimal comma reads as a point. None,
// with the reason, for a text that is no number.
std::optional<double> NumberOfText(const QString& text, QString& why);

class LoadCaseTable : public QTableWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(LoadCaseTable)

 public:
  // kFurther summarises the case's partial and further point loads; they are edited in a
  // dialog, not in the cell.
  enum Column { kName, kAction, kCategory, kQ, kF, kA, kWD, kWS, kFurther, kColumnCount };

  explicit LoadCaseTable(QWidget* parent = nullptr);

  void SetCases(const std::vector<DesignCase>& cases);
  void AddCase(const DesignCase& loadCase);  // at the end, made the current row
  void RemoveCase(int row);
  // Swaps two rows, texts as typed; the current row follows its case.
  void SwapCases(int row, int other);

  struct Reading {
    std::vector<DesignCase> cases;
    std::vector<DesignProblem> problems;  // cells that are no number; they read as 0
  };
  Reading Read() const;

  // Marks each problem of a load case at its cell (the name's for a key without a column) with
  // the message as tooltip; marks of earlier problems go.
  void MarkProblems(const std::vector<DesignProblem>& problems);
  bool IsMarked(int row, int column) const;

  FurtherLoads FurtherLoadsAt(int row) const;
  // Sets a row's further loads and their summary; a change is an edit (CasesEdited).
  void SetFurtherLoads(int row, const FurtherLoads& loads);

  // The lists of kAction and kCategory: the entries a cell offers (a category only for imposed
  // loads and snow), and the one chosen, -1 for none.
  QStringList Choices(int row, int column) const;
  int ChoiceAt(int row, int column) const;
  // Chooses an entry as the user does in the cell's list: an edit when it changed; a new action
  // leaves the category to be chosen.
  void Choose(int row, int column, int index);

  // The key the design file gives a column's value ("name", "q", "category"); kFurther holds
  // those under "partial" and "points" and is named by the first.
  static const char* KeyOf(Column column);

 signals:
  void CasesEdited();  // by the user: a cell, an action or a category changed
  // The user asks for a row's further loads: a double click, Enter or F2 on its kFurther cell.
  void FurtherLoadsRequested(int row);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void FillRow(int row, const DesignCase& loadCase);
  void SetChoice(int row, int column, int index);  // its text too; no edit
  void ActionChosen(int row);  // no category chosen yet, editable where there is a list
  void Mark(int row, int column, const QString& message);

  bool quiet_ = false;  // filled or marked from code: no edit to report
};

}  // namespace strevo
