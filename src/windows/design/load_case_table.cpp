#include "windows/design/load_case_table.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "core/base/arithmetic_fault.h"
#include "core/base/json.h"
#include "core/base/text_rules.h"

namespace strevo {
namespace {

constexpr std::array kActions = {Action::Permanent, Action::Imposed, Action::Snow, Action::Wind};
constexpr std::array<const char*, 4> kActionCaptions = {"G ständig", "Q Nutzlast", "S Schnee",
                                                        "W Wind"};
constexpr std::array<const char*, 2> kAltitudes = {"≤ 1000 m", "> 1000 m"};
constexpr std::array<double LoadCase::*, 5> kLoads = {&LoadCase::q, &LoadCase::F, &LoadCase::a,
                                                      &LoadCase::wD, &LoadCase::wS};
constexpr QColor kMarked(255, 200, 200);

int ActionIndex(Action action) {
  for (int i = 0; i < static_cast<int>(kActions.size()); ++i) {
    if (kActions[i] == action) {
      return i;
    }
  }
  return 0;
}

// A load as the cell shows it: empty for none, else the shortest text that reads back exactly.
QString LoadText(double value) {
  return value == 0 ? QString() : QString::fromStdString(ShortestNumber(value));
}

// The list of an action or category cell, made when the cell is edited and gone when it is left;
// a choice counts at once, not only when the cell is left.
class ChoiceDelegate : public QStyledItemDelegate {
 public:
  explicit ChoiceDelegate(LoadCaseTable& table) : QStyledItemDelegate(&table), table_(table) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                        const QModelIndex& index) const override {
    auto* box = new QComboBox(parent);
    box->addItems(table_.Choices(index.row(), index.column()));
    box->setCurrentIndex(table_.ChoiceAt(index.row(), index.column()));
    const QPersistentModelIndex cell(index);
    connect(box, &QComboBox::currentIndexChanged, this, [this, box, cell] {
      if (cell.isValid()) {
        table_.Choose(cell.row(), cell.column(), box->currentIndex());
      }
    });
    return box;
  }
  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    auto* box = static_cast<QComboBox*>(editor);
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(table_.ChoiceAt(index.row(), index.column()));
  }
  void setModelData(QWidget* editor, QAbstractItemModel* /*model*/,
                    const QModelIndex& index) const override {
    table_.Choose(index.row(), index.column(), static_cast<QComboBox*>(editor)->currentIndex());
  }

 private:
  LoadCaseTable& table_;
};

}  // namespace

std::optional<double> NumberOfText(const QString& text, QString& why) {
  QString plain = text.trimmed();
  if (plain.isEmpty()) {
    return 0.0;
  }
  plain.replace(QLatin1Char(','), QLatin1Char('.'));
  const std::string number = plain.toStdString();
  if (!IsPlainNumber(number)) {
    why = QStringLiteral("„%1“ ist keine Zahl").arg(text.trimmed());
    return std::nullopt;
  }
  try {
    return FieldValue(number);
  } catch (const ArithmeticFault&) {
    why = QStringLiteral("die Zahl ist zu groß");
    return std::nullopt;
  }
}

const char* LoadCaseTable::KeyOf(Column column) {
  static constexpr std::array<const char*, kColumnCount> kKeys = {
      "name", "action", "category", "q", "F", "a", "wD", "wS", "partial"};
  return kKeys[column];
}

LoadCaseTable::LoadCaseTable(QWidget* parent) : QTableWidget(0, kColumnCount, parent) {
  setObjectName(QStringLiteral("Lastfälle"));
  const struct {
    const char* caption;
    const char* tip;
  } headers[kColumnCount] = {
      {"Name", "Jeder Lastfall braucht einen eigenen Namen."},
      {"Einwirkung", "G ständig, Q Nutzlast, S Schnee, W Wind (von links; von rechts gespiegelt)"},
      {"Kategorie", "Nutzlast: Kategorie A bis H (EN 1990 Tab. A1.1); Schnee: Höhe des Orts"},
      {"q\nkN/m", "Gleichlast auf dem Riegel"},
      {"F\nkN", "Einzellast auf dem Riegel"},
      {"a\nm", "Abstand der Einzellast vom linken Riegelende"},
      {"wD\nkN/m", "Horizontallast auf der linken Stütze"},
      {"wS\nkN/m", "Horizontallast auf der rechten Stütze"},
      {"weitere Lasten",
       "Teilstreckenlasten und weitere Einzellasten auf dem Riegel: Doppelklick, Eingabetaste "
       "oder F2 öffnet sie."},
  };
  for (int c = 0; c < kColumnCount; ++c) {
    auto* header = new QTableWidgetItem(QString::fromUtf8(headers[c].caption));
    header->setToolTip(QString::fromUtf8(headers[c].tip));
    setHorizontalHeaderItem(c, header);
  }
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 10);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  constexpr std::array<int, kColumnCount> kWidths = {90, 86, 86, 50, 50, 50, 50, 50, 130};
  for (int c = 0; c < kColumnCount; ++c) {
    setColumnWidth(c, kWidths[c]);
  }
  horizontalHeader()->setStretchLastSection(true);
  // A long name is cut with "…", whole in the case and in the file.
  setWordWrap(false);
  setTextElideMode(Qt::ElideRight);
  auto* lists = new ChoiceDelegate(*this);
  setItemDelegateForColumn(kAction, lists);
  setItemDelegateForColumn(kCategory, lists);
  // A click opens a list at once, as a combo box in the cell would.
  connect(this, &QTableWidget::cellClicked, this, [this](int row, int column) {
    if ((column == kAction || column == kCategory) &&
        (item(row, column)->flags() & Qt::ItemIsEditable)) {
      editItem(item(row, column));
    }
  });
  connect(this, &QTableWidget::itemChanged, this, [this] {
    if (!quiet_) {
      emit CasesEdited();
    }
  });
  connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
    if (column == kFurther) {
      emit FurtherLoadsRequested(row);
    }
  });
}

void LoadCaseTable::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (currentColumn() == kFurther && currentRow() >= 0 &&
      (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2)) {
    emit FurtherLoadsRequested(currentRow());
    event->accept();
    return;
  }
  QTableWidget::keyPressEvent(event);
}

FurtherLoads LoadCaseTable::FurtherLoadsAt(int row) const {
  return item(row, kFurther)->data(Qt::UserRole).value<FurtherLoads>();
}

void LoadCaseTable::SetFurtherLoads(int row, const FurtherLoads& loads) {
  QTableWidgetItem* cell = item(row, kFurther);
  const bool changed = FurtherLoadsAt(row) != loads;
  const bool wasQuiet = std::exchange(quiet_, true);
  cell->setData(Qt::UserRole, QVariant::fromValue(loads));
  cell->setText(FurtherLoadsSummary(loads));
  quiet_ = wasQuiet;
  if (changed && !quiet_) {
    emit CasesEdited();
  }
}

QStringList LoadCaseTable::Choices(int row, int column) const {
  QStringList choices;
  if (column == kAction) {
    for (const char* caption : kActionCaptions) {
      choices << QString::fromUtf8(caption);
    }
  } else if (column == kCategory) {
    const int action = ChoiceAt(row, kAction);
    if (action >= 0 && kActions[action] == Action::Imposed) {
      for (char c = 'A'; c <= 'H'; ++c) {
        choices << QString(QLatin1Char(c));
      }
    } else if (action >= 0 && kActions[action] == Action::Snow) {
      for (const char* altitude : kAltitudes) {
        choices << QString::fromUtf8(altitude);
      }
    }
  }
  return choices;
}

int LoadCaseTable::ChoiceAt(int row, int column) const {
  const QTableWidgetItem* cell = item(row, column);
  if (cell == nullptr) {
    return -1;  // between the halves of a swap
  }
  const QVariant chosen = cell->data(Qt::UserRole);
  return chosen.isValid() ? chosen.toInt() : -1;
}

void LoadCaseTable::SetChoice(int row, int column, int index) {
  const bool wasQuiet = std::exchange(quiet_, true);
  const QStringList choices = Choices(row, column);
  QTableWidgetItem* cell = item(row, column);
  cell->setData(Qt::UserRole, index >= 0 ? QVariant(index) : QVariant());
  cell->setText(index >= 0 ? choices.value(index) : QStringLiteral("—"));
  quiet_ = wasQuiet;
}

void LoadCaseTable::Choose(int row, int column, int index) {
  if (row < 0 || row >= rowCount() || (column != kAction && column != kCategory) || index < -1 ||
      index >= Choices(row, column).size() || index == ChoiceAt(row, column)) {
    return;
  }
  SetChoice(row, column, index);
  if (column == kAction) {
    ActionChosen(row);
  }
  if (!quiet_) {
    emit CasesEdited();
  }
}

void LoadCaseTable::SetCases(const std::vector<DesignCase>& cases) {
  quiet_ = true;
  setRowCount(0);
  setRowCount(static_cast<int>(cases.size()));
  for (int row = 0; row < rowCount(); ++row) {
    FillRow(row, cases[row]);
  }
  quiet_ = false;
  if (!cases.empty()) {
    setCurrentCell(0, kName);
  }
}

void LoadCaseTable::AddCase(const DesignCase& loadCase) {
  const int row = rowCount();
  quiet_ = true;
  insertRow(row);
  FillRow(row, loadCase);
  quiet_ = false;
  setCurrentCell(row, kName);
}

// A new row's items, filled with the case.
void LoadCaseTable::FillRow(int row, const DesignCase& loadCase) {
  for (int c = 0; c < kColumnCount; ++c) {
    setItem(row, c, new QTableWidgetItem);
  }
  item(row, kFurther)->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  item(row, kName)->setText(QString::fromStdString(loadCase.name));
  for (int c = kQ; c <= kWS; ++c) {
    item(row, c)->setText(LoadText(loadCase.loads.*kLoads[c - kQ]));
  }
  SetFurtherLoads(row, FurtherLoadsOf(loadCase));
  SetChoice(row, kAction, ActionIndex(loadCase.action));
  ActionChosen(row);
  if (loadCase.action == Action::Imposed) {
    const bool known = loadCase.category >= 'A' && loadCase.category <= 'H';
    SetChoice(row, kCategory, known ? loadCase.category - 'A' : -1);
  } else if (loadCase.action == Action::Snow) {
    SetChoice(row, kCategory, loadCase.over1000m ? 1 : 0);
  }
}

void LoadCaseTable::ActionChosen(int row) {
  SetChoice(row, kCategory, -1);
  QTableWidgetItem* category = item(row, kCategory);
  const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  category->setFlags(Choices(row, kCategory).isEmpty() ? flags : flags | Qt::ItemIsEditable);
}

void LoadCaseTable::RemoveCase(int row) {
  if (row < 0 || row >= rowCount()) {
    return;
  }
  quiet_ = true;
  removeRow(row);
  quiet_ = false;
  if (rowCount() > 0) {
    setCurrentCell(std::min(row, rowCount() - 1), kName);
  }
  emit CasesEdited();
}

void LoadCaseTable::SwapCases(int row, int other) {
  if (row < 0 || other < 0 || row >= rowCount() || other >= rowCount() || row == other) {
    return;
  }
  const int column = std::max(currentColumn(), 0);
  quiet_ = true;
  for (int c = 0; c < kColumnCount; ++c) {
    QTableWidgetItem* first = takeItem(row, c);
    QTableWidgetItem* second = takeItem(other, c);
    setItem(row, c, second);
    setItem(other, c, first);
  }
  quiet_ = false;
  setCurrentCell(other, column);
  emit CasesEdited();
}

LoadCaseTable::Reading LoadCaseTable::Read() const {
  Reading reading;
  for (int row = 0; row < rowCount(); ++row) {
    DesignCase loadCase;
    loadCase.name = item(row, kName)->text().trimmed().toStdString();
    loadCase.action = kActions[std::max(ChoiceAt(row, kAction), 0)];
    const int category = ChoiceAt(row, kCategory);
    if (loadCase.action == Action::Imposed) {
      loadCase.category = category >= 0 ? static_cast<char>('A' + category) : '\0';
    } else if (loadCase.action == Action::Snow) {
      loadCase.over1000m = category == 1;
    }
    const QString caseName = loadCase.name.empty() ? QStringLiteral("Lastfall %1").arg(row + 1)
                                                   : QString::fromStdString(loadCase.name);
    for (int c = kQ; c <= kWS; ++c) {
      QString why;
      if (const std::optional<double> value = NumberOfText(item(row, c)->text(), why)) {
        loadCase.loads.*kLoads[c - kQ] = *value;
      } else {
        const char* key = KeyOf(static_cast<Column>(c));
        reading.problems.push_back(
            {key, row, QStringLiteral("„%1“ (%2): %3.").arg(key, caseName, why).toStdString()});
      }
    }
    const FurtherLoads further = FurtherLoadsAt(row);
    loadCase.partial = further.partial;
    loadCase.points = further.points;
    reading.cases.push_back(loadCase);
  }
  return reading;
}

void LoadCaseTable::Mark(int row, int column, const QString& message) {
  QTableWidgetItem* cell = item(row, column);
  const QString tip = cell->toolTip().isEmpty() ? message : cell->toolTip() + '\n' + message;
  cell->setBackground(kMarked);
  cell->setToolTip(tip);
}

bool LoadCaseTable::IsMarked(int row, int column) const {
  return item(row, column)->data(Qt::BackgroundRole).isValid();
}

void LoadCaseTable::MarkProblems(const std::vector<DesignProblem>& problems) {
  quiet_ = true;
  for (int row = 0; row < rowCount(); ++row) {
    for (int c = 0; c < kColumnCount; ++c) {
      item(row, c)->setData(Qt::BackgroundRole, QVariant());
      item(row, c)->setToolTip(QString());
    }
  }
  for (const DesignProblem& problem : problems) {
    if (problem.loadCase < 0 || problem.loadCase >= rowCount()) {
      continue;
    }
    int column = kName;
    for (int c = 0; c < kColumnCount; ++c) {
      if (problem.key == KeyOf(static_cast<Column>(c))) {
        column = c;
      }
    }
    if (problem.key == "altitude") {
      column = kCategory;
    } else if (problem.key.starts_with("partial[") || problem.key.starts_with("points[")) {
      column = kFurther;
    }
    Mark(problem.loadCase, column, QString::fromStdString(problem.message));
  }
  quiet_ = false;
}

}  // namespace strevo
