#include "windows/design/load_case_table.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
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

QComboBox* LoadCaseTable::ActionBox(int row) const {
  return qobject_cast<QComboBox*>(cellWidget(row, kAction));
}

QComboBox* LoadCaseTable::CategoryBox(int row) const {
  return qobject_cast<QComboBox*>(cellWidget(row, kCategory));
}

int LoadCaseTable::RowOf(const QWidget* cell) const {
  for (int row = 0; row < rowCount(); ++row) {
    if (cellWidget(row, kAction) == cell || cellWidget(row, kCategory) == cell) {
      return row;
    }
  }
  return -1;
}

void LoadCaseTable::SetCases(const std::vector<DesignCase>& cases) {
  quiet_ = true;
  setRowCount(0);
  quiet_ = false;
  for (const DesignCase& loadCase : cases) {
    AddCase(loadCase);
  }
  if (!cases.empty()) {
    setCurrentCell(0, kName);
  }
}

void LoadCaseTable::AddCase(const DesignCase& loadCase) {
  const int row = rowCount();
  quiet_ = true;
  insertRow(row);
  for (int c = 0; c < kColumnCount; ++c) {
    setItem(row, c, new QTableWidgetItem);
  }
  item(row, kFurther)->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  auto* action = new QComboBox;
  for (const char* caption : kActionCaptions) {
    action->addItem(QString::fromUtf8(caption));
  }
  setCellWidget(row, kAction, action);
  setCellWidget(row, kCategory, new QComboBox);
  FillRow(row, loadCase);
  quiet_ = false;
  connect(action, &QComboBox::currentIndexChanged, this, [this, action] {
    if (!quiet_) {
      ActionChosen(RowOf(action));
      emit CasesEdited();
    }
  });
  QComboBox* category = CategoryBox(row);
  connect(category, &QComboBox::currentIndexChanged, this, [this] {
    if (!quiet_) {
      emit CasesEdited();
    }
  });
  setCurrentCell(row, kName);
}

void LoadCaseTable::FillRow(int row, const DesignCase& loadCase) {
  item(row, kName)->setText(QString::fromStdString(loadCase.name));
  for (int c = kQ; c <= kWS; ++c) {
    item(row, c)->setText(LoadText(loadCase.loads.*kLoads[c - kQ]));
  }
  SetFurtherLoads(row, FurtherLoadsOf(loadCase));
  ActionBox(row)->setCurrentIndex(ActionIndex(loadCase.action));
  ActionChosen(row);
  QComboBox* category = CategoryBox(row);
  if (loadCase.action == Action::Imposed) {
    category->setCurrentIndex(category->findData(QChar(QLatin1Char(loadCase.category))));
  } else if (loadCase.action == Action::Snow) {
    category->setCurrentIndex(loadCase.over1000m ? 1 : 0);
  }
}

void LoadCaseTable::ActionChosen(int row) {
  const bool wasQuiet = std::exchange(quiet_, true);
  QComboBox* category = CategoryBox(row);
  category->clear();
  switch (kActions[ActionBox(row)->currentIndex()]) {
    case Action::Imposed:
      for (char c = 'A'; c <= 'H'; ++c) {
        category->addItem(QString(QLatin1Char(c)), QChar(QLatin1Char(c)));
      }
      break;
    case Action::Snow:
      for (const char* altitude : kAltitudes) {
        category->addItem(QString::fromUtf8(altitude));
      }
      break;
    case Action::Permanent:
    case Action::Wind:
      break;
  }
  category->setPlaceholderText(QStringLiteral("—"));
  category->setEnabled(category->count() > 0);
  quiet_ = wasQuiet;
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
  struct Typed {
    std::array<QString, kColumnCount> texts;
    int action, category;
    FurtherLoads further;
  };
  const auto take = [this](int r) {
    Typed typed{
        {}, ActionBox(r)->currentIndex(), CategoryBox(r)->currentIndex(), FurtherLoadsAt(r)};
    for (int c = 0; c < kColumnCount; ++c) {
      typed.texts[c] = item(r, c)->text();
    }
    return typed;
  };
  const auto put = [this](int r, const Typed& typed) {
    for (int c = 0; c < kColumnCount; ++c) {
      item(r, c)->setText(typed.texts[c]);
    }
    ActionBox(r)->setCurrentIndex(typed.action);
    ActionChosen(r);
    CategoryBox(r)->setCurrentIndex(typed.category);
    SetFurtherLoads(r, typed.further);
  };
  const Typed first = take(row);
  const Typed second = take(other);
  const int column = std::max(currentColumn(), 0);
  quiet_ = true;
  put(row, second);
  put(other, first);
  quiet_ = false;
  setCurrentCell(other, column);
  emit CasesEdited();
}

LoadCaseTable::Reading LoadCaseTable::Read() const {
  Reading reading;
  for (int row = 0; row < rowCount(); ++row) {
    DesignCase loadCase;
    loadCase.name = item(row, kName)->text().trimmed().toStdString();
    loadCase.action = kActions[ActionBox(row)->currentIndex()];
    const QComboBox* category = CategoryBox(row);
    if (loadCase.action == Action::Imposed) {
      loadCase.category = static_cast<char>(category->currentData().toChar().toLatin1());
    } else if (loadCase.action == Action::Snow) {
      loadCase.over1000m = category->currentIndex() == 1;
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
  if (QWidget* widget = cellWidget(row, column)) {
    widget->setToolTip(tip);
  }
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
      if (QWidget* widget = cellWidget(row, c)) {
        widget->setToolTip(QString());
      }
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
