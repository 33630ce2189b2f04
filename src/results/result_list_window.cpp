#include "result_list_window.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "result_exports.h"
#include "result_list.h"
#include "twips.h"

namespace strevo {

ResultListWindow::ResultListWindow(ResultListHost& host) : host_(host) {
  setObjectName(QStringLiteral("Ergebnisliste"));
  setWindowTitle(QStringLiteral("Ergebnisliste"));
  setFont(SansFont(8.25));
  resize(360, 600);

  auto* layout = new QVBoxLayout(this);
  notice_ = new QLabel(this);
  notice_->setObjectName(QStringLiteral("Hinweis"));
  QPalette noticeColours = notice_->palette();
  noticeColours.setColor(QPalette::WindowText, QColor(160, 0, 0));
  notice_->setPalette(noticeColours);
  notice_->setWordWrap(true);
  layout->addWidget(notice_);

  table_ = new QTableWidget(0, 3, this);
  table_->setObjectName(QStringLiteral("Tabelle"));
  table_->setHorizontalHeaderLabels(
      {QStringLiteral("Größe"), QStringLiteral("Wert"), QStringLiteral("Einheit")});
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setToolTip(
      QStringLiteral("Strg+C kopiert die markierten Zellen, ohne Markierung die "
                     "ganze Liste."));
  layout->addWidget(table_);
  deformationNote_ = new QLabel(this);
  deformationNote_->setObjectName(QStringLiteral("Verformungshinweis"));
  deformationNote_->setWordWrap(true);
  layout->addWidget(deformationNote_);

  auto* copy = new QAction(QStringLiteral("Kopieren"), this);
  copy->setObjectName(QStringLiteral("Kopieren"));
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WindowShortcut);
  connect(copy, &QAction::triggered, this, &ResultListWindow::Copy);
  addAction(copy);
  table_->addAction(copy);
  table_->setContextMenuPolicy(Qt::ActionsContextMenu);

  ShowComputation(nullptr, false);
}

void ResultListWindow::ShowComputation(const Computation* computation, bool inputsChanged) {
  computation_ = computation;
  table_->clearContents();
  deformationNote_->setText(computation != nullptr
                                ? QString::fromStdString(strevo::DeformationNote(*computation))
                                : QString());
  if (computation == nullptr) {
    table_->setRowCount(0);
    notice_->setText(QStringLiteral("Noch keine Berechnung"));
    notice_->show();
    return;
  }
  const std::vector<ListRow> rows = ResultListRows(*computation);
  table_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const ListRow& row = rows[r];
    const std::string* cells[] = {&row.symbol, &row.value, &row.unit};
    for (int c = 0; c < 3; ++c) {
      auto* item = new QTableWidgetItem(QString::fromStdString(*cells[c]));
      if (c == 1 && r > 0) {
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      }
      table_->setItem(r, c, item);
    }
  }
  table_->resizeColumnsToContents();
  SetInputsChanged(inputsChanged);
}

void ResultListWindow::SetInputsChanged(bool inputsChanged) {
  if (computation_ == nullptr) {
    return;
  }
  notice_->setText(inputsChanged ? QStringLiteral("Eingaben seit der letzten Berechnung geändert")
                                 : QString());
  notice_->setVisible(inputsChanged);
}

void ResultListWindow::Copy() {
  host_.Guard().Run(this, [this] {
    QList<QTableWidgetItem*> selected = table_->selectedItems();
    if (selected.isEmpty()) {
      if (computation_ != nullptr) {
        CopyResultList(*computation_);
      }
      return;
    }
    std::sort(selected.begin(), selected.end(), [](QTableWidgetItem* a, QTableWidgetItem* b) {
      return std::pair(a->row(), a->column()) < std::pair(b->row(), b->column());
    });
    QString text;
    for (int i = 0; i < selected.size(); ++i) {
      text += selected[i]->text();
      const bool rowEnds = i + 1 == selected.size() || selected[i + 1]->row() != selected[i]->row();
      text += rowEnds ? QLatin1Char('\n') : QLatin1Char('\t');
    }
    QGuiApplication::clipboard()->setText(text);
  });
}

void ResultListWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  host_.ResultListClosed();
}

}  // namespace strevo
