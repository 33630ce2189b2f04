#include "windows/results/result_list_window.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/design/design_output.h"
#include "core/text/result_list.h"
#include "report/twips.h"
#include "windows/results/rechenweg_view.h"
#include "windows/results/result_exports.h"

namespace strevo {

ResultListWindow::ResultListWindow(ResultListHost& host) : host_(host) {
  setObjectName(QStringLiteral("Ergebnisliste"));
  setWindowTitle(QStringLiteral("Ergebnisliste"));
  setFont(SansFont(8.25));

  auto* layout = new QVBoxLayout(this);
  notice_ = new QLabel(this);
  notice_->setObjectName(QStringLiteral("Hinweis"));
  QPalette noticeColours = notice_->palette();
  noticeColours.setColor(QPalette::WindowText, QColor(160, 0, 0));
  notice_->setPalette(noticeColours);
  notice_->setWordWrap(true);
  layout->addWidget(notice_);
  QVBoxLayout* listPage = BuildTabs(layout);
  BuildTable(listPage);
  BuildCheckControls(listPage);
  BuildCopyAction();
  ShowComputation(nullptr, false);
  FitTo(screen()->availableGeometry());
}

void ResultListWindow::FitTo(const QRect& available) {
  // The frame is not known before the window is shown: room for a title bar and borders.
  const int frame = 2 * fontMetrics().height() + 8;
  const QSize room = available.size() - QSize(frame / 2, frame);
  // Every column whole where the screen has room; the remark at least a line's worth.
  const QFontMetrics metrics = table_->fontMetrics();
  int columns = 0;
  int remark = 60 * metrics.averageCharWidth();
  for (int c = 0; c < 4; ++c) {
    int widest = table_->horizontalHeader()->sectionSizeHint(c);
    for (int r = 0; r < table_->rowCount(); ++r) {
      if (const QTableWidgetItem* item = table_->item(r, c)) {
        widest = std::max(widest,
                          metrics.horizontalAdvance(item->text()) + 2 * metrics.averageCharWidth());
      }
    }
    if (c < 3) {
      columns += widest;
    } else {
      remark = std::max(remark, widest);
    }
  }
  // The table's frame and scroll bar, the tab's and the window's margins.
  columns +=
      remark + table_->verticalScrollBar()->sizeHint().width() + 8 * metrics.averageCharWidth();
  const QSize wanted(std::max(480, columns), 760);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  resize(wanted.boundedTo(room).expandedTo(minimumSizeHint().boundedTo(room)));
  setMaximumSize(available.size());
}

// The list and, beside it, the working that leads to it.
QVBoxLayout* ResultListWindow::BuildTabs(QVBoxLayout* layout) {
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("Reiter"));
  layout->addWidget(tabs_);
  auto* listPage = new QWidget(tabs_);
  tabs_->addTab(listPage, QStringLiteral("Ergebnisliste"));
  rechenweg_ = new RechenwegView(tabs_);
  rechenweg_->setObjectName(QStringLiteral("Rechenweg"));
  rechenweg_->setToolTip(
      QStringLiteral("Klick markiert einen Schritt, Strg+Klick weitere, Umschalt+Klick alle bis "
                     "dorthin. Strg+C kopiert die markierten Schritte als Text, ohne Markierung "
                     "den ganzen Rechenweg."));
  tabs_->addTab(rechenweg_, QStringLiteral("Rechenweg"));
  return new QVBoxLayout(listPage);
}

void ResultListWindow::BuildTable(QVBoxLayout* layout) {
  table_ = new QTableWidget(0, 4, this);
  table_->setObjectName(QStringLiteral("Tabelle"));
  table_->setHorizontalHeaderLabels({QStringLiteral("Größe"), QStringLiteral("Wert"),
                                     QStringLiteral("Einheit"), QStringLiteral("Bemerkung")});
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
  // Symbol, value and unit fit their texts; the remark takes the rest and shows its whole text
  // as a tooltip where it is cut.
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setTabKeyNavigation(false);  // Tab leaves the table for the next control
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setToolTip(
      QStringLiteral("Strg+C kopiert die markierten Zellen, ohne Markierung die "
                     "ganze Liste."));
  layout->addWidget(table_);
  deformationNote_ = new QLabel(this);
  deformationNote_->setObjectName(QStringLiteral("Verformungshinweis"));
  deformationNote_->setWordWrap(true);
  layout->addWidget(deformationNote_);
}

// The section check's settings: they change what is checked, not what was computed.
void ResultListWindow::BuildCheckControls(QVBoxLayout* layout) {
  auto* check = new QFormLayout;
  grade_ = new QComboBox(this);
  grade_->setObjectName(QStringLiteral("Stahlsorte"));
  for (const SteelGrade grade : {SteelGrade::S235, SteelGrade::S275, SteelGrade::S355}) {
    grade_->addItem(QString::fromUtf8(GradeName(grade)), static_cast<int>(grade));
  }
  swayLimit_ = new QSpinBox(this);
  swayLimit_->setObjectName(QStringLiteral("GrenzeU"));
  deflectionLimit_ = new QSpinBox(this);
  deflectionLimit_->setObjectName(QStringLiteral("GrenzeW"));
  for (QSpinBox* limit : {swayLimit_, deflectionLimit_}) {
    limit->setRange(1, 10000);
    limit->setPrefix(QStringLiteral("1/"));
  }
  const CheckSettings settings = host_.CheckSettingsInUse();
  grade_->setCurrentIndex(static_cast<int>(settings.grade));
  swayLimit_->setValue(settings.swayLimit);
  deflectionLimit_->setValue(settings.deflectionLimit);
  check->addRow(QStringLiteral("Stahlsorte"), grade_);
  check->addRow(QStringLiteral("Grenze u / h"), swayLimit_);
  check->addRow(QStringLiteral("Grenze w / L"), deflectionLimit_);
  layout->addLayout(check);
  statement_ = new QLabel(QString::fromUtf8(kCheckStatement), this);
  statement_->setObjectName(QStringLiteral("Nachweishinweis"));
  statement_->setWordWrap(true);
  layout->addWidget(statement_);
  connect(grade_, &QComboBox::currentIndexChanged, this, &ResultListWindow::CheckChanged);
  connect(swayLimit_, &QSpinBox::valueChanged, this, &ResultListWindow::CheckChanged);
  connect(deflectionLimit_, &QSpinBox::valueChanged, this, &ResultListWindow::CheckChanged);
}

void ResultListWindow::BuildCopyAction() {
  auto* copy = new QAction(QStringLiteral("Kopieren"), this);
  copy->setObjectName(QStringLiteral("Kopieren"));
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WindowShortcut);
  connect(copy, &QAction::triggered, this, &ResultListWindow::Copy);
  addAction(copy);
  table_->addAction(copy);
  table_->setContextMenuPolicy(Qt::ActionsContextMenu);
  rechenweg_->addAction(copy);
  rechenweg_->setContextMenuPolicy(Qt::ActionsContextMenu);
  // Esc and Ctrl+W close the window, as they close a dialog and a document.
  auto* close = new QAction(QStringLiteral("Schließen"), this);
  close->setObjectName(QStringLiteral("Schliessen"));
  close->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
  close->setShortcutContext(Qt::WindowShortcut);
  connect(close, &QAction::triggered, this, &QWidget::close);
  addAction(close);
}

void ResultListWindow::CheckChanged() {
  host_.UseCheckSettings({static_cast<SteelGrade>(grade_->currentIndex()), swayLimit_->value(),
                          deflectionLimit_->value()});
  Fill();
}

void ResultListWindow::ShowComputation(const TakenComputation* taken, bool inputsChanged) {
  taken_ = taken;
  Fill();
  if (taken != nullptr) {
    SetInputsChanged(inputsChanged);
  }
}

void ResultListWindow::ShowDesign(const DesignResult* design) {
  design_ = design;
  Fill();
}

void ResultListWindow::Fill() {
  // The working ends with the section check, which follows the grade and the limits.
  rechenweg_->SetSteps(taken_ != nullptr ? taken_->Rechenweg() : std::vector<RechenwegStep>());
  table_->clearContents();
  deformationNote_->setText(taken_ != nullptr ? QString::fromStdString(taken_->DeformationNote())
                                              : QString());
  // Grade and limits only mean something where a section is checked.
  const bool checked = taken_ != nullptr && !taken_->CheckRows().empty();
  for (QWidget* control : {static_cast<QWidget*>(grade_), static_cast<QWidget*>(swayLimit_),
                           static_cast<QWidget*>(deflectionLimit_)}) {
    control->setEnabled(checked);
  }
  if (taken_ == nullptr) {
    statement_->hide();
    FillTable(ShownRows());
    notice_->setText(QStringLiteral("Noch keine Berechnung"));
    notice_->show();
    return;
  }
  statement_->setVisible(checked);
  FillTable(ShownRows());
}

std::vector<ListRow> ResultListWindow::ShownRows() const {
  return WithDesignRows(taken_ != nullptr ? taken_->ListRows() : std::vector<ListRow>(), design_);
}

void ResultListWindow::FillTable(const std::vector<ListRow>& rows) {
  table_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const ListRow& row = rows[r];
    const std::string* cells[] = {&row.symbol, &row.value, &row.unit, &row.remark};
    for (int c = 0; c < 4; ++c) {
      auto* item = new QTableWidgetItem(QString::fromStdString(*cells[c]));
      if (c == 1 && row.number) {
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      }
      if (c == 3) {
        item->setToolTip(item->text());  // the whole remark where the column cuts it
      }
      if (c == 3 && row.verdict != Verdict::None) {
        item->setForeground(row.verdict == Verdict::Met ? QColor(0, 128, 0) : QColor(220, 0, 0));
      }
      table_->setItem(r, c, item);
    }
  }
  if (!isVisible()) {
    FitTo(screen()->availableGeometry());  // opened anew: as wide as these rows need
  }
}

void ResultListWindow::SetInputsChanged(bool inputsChanged) {
  if (taken_ == nullptr) {
    return;
  }
  notice_->setText(inputsChanged ? QString::fromUtf8(kInputsChangedNote) : QString());
  notice_->setVisible(inputsChanged);
}

void ResultListWindow::ShowRechenweg() {
  tabs_->setCurrentWidget(rechenweg_);
}

void ResultListWindow::Copy() {
  host_.Guard().Run(this, [this] {
    if (tabs_->currentWidget() == rechenweg_) {
      if (taken_ != nullptr) {
        QGuiApplication::clipboard()->setText(QString::fromStdString(rechenweg_->CopyText()));
      }
      return;
    }
    QList<QTableWidgetItem*> selected = table_->selectedItems();
    if (selected.isEmpty()) {
      const std::vector<ListRow> rows = WithDesignRows(
          taken_ != nullptr ? WithChangeNote(taken_->ListRows(), !notice_->isHidden())
                            : std::vector<ListRow>(),
          design_);
      if (!rows.empty()) {
        CopyResultList(rows);
      }
      return;
    }
    // The cells go out with the list's own number forms.
    const std::vector<ListRow> rows = ShownRows();
    std::vector<ListCell> cells;
    cells.reserve(static_cast<std::size_t>(selected.size()));
    for (const QTableWidgetItem* item : selected) {
      cells.push_back({static_cast<std::size_t>(item->row()), item->column()});
    }
    std::sort(cells.begin(), cells.end(), [](const ListCell& a, const ListCell& b) {
      return std::pair(a.row, a.column) < std::pair(b.row, b.column);
    });
    CopyListCells(rows, cells);
  });
}

void ResultListWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  host_.ResultListClosed();
}

}  // namespace strevo
