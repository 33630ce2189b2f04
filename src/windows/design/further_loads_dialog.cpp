#include "windows/design/further_loads_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>
#include <utility>

#include "core/base/text_rules.h"
#include "windows/design/load_case_table.h"

namespace strevo {
namespace {

QString CellText(double value) {
  return QString::fromStdString(ShortestNumber(value));
}

void SetRow(QTableWidget* table, int row, std::initializer_list<double> values) {
  int column = 0;
  for (const double value : values) {
    table->setItem(row, column++, new QTableWidgetItem(CellText(value)));
  }
}

}  // namespace

FurtherLoads FurtherLoadsOf(const DesignCase& loadCase) {
  return {loadCase.partial, loadCase.points};
}

QString FurtherLoadsSummary(const FurtherLoads& loads) {
  QStringList parts;
  if (const auto n = static_cast<int>(loads.partial.size()); n > 0) {
    parts << (n == 1 ? QStringLiteral("1 Teillast") : QStringLiteral("%1 Teillasten").arg(n));
  }
  if (const auto n = static_cast<int>(loads.points.size()); n > 0) {
    parts << (n == 1 ? QStringLiteral("1 Einzellast") : QStringLiteral("%1 Einzellasten").arg(n));
  }
  return parts.join(QStringLiteral(", "));
}

FurtherLoadsDialog::FurtherLoadsDialog(const QString& caseName, const FurtherLoads& loads,
                                       MessageService& messages, QWidget* parent)
    : QDialog(parent), messages_(messages), loads_(loads) {
  setObjectName(QStringLiteral("WeitereLasten"));
  setWindowTitle(QStringLiteral("Weitere Lasten – %1").arg(caseName));
  auto* layout = new QVBoxLayout(this);
  auto* hint = new QLabel(
      QStringLiteral("Lasten auf dem Riegel neben q und F, nach unten positiv; Abstände in m "
                     "von Punkt 2 (linkes Riegelende). Wind von rechts wird gespiegelt."),
      this);
  hint->setWordWrap(true);
  layout->addWidget(hint);
  partial_ =
      AddTable(QStringLiteral("Teilstreckenlasten"),
               {QStringLiteral("q\nkN/m"), QStringLiteral("von\nm"), QStringLiteral("bis\nm")},
               QStringLiteral("Teillast"));
  points_ =
      AddTable(QStringLiteral("Einzellasten"), {QStringLiteral("F\nkN"), QStringLiteral("a\nm")},
               QStringLiteral("Einzellast"));
  for (const PartialBeamLoad& load : loads.partial) {
    partial_->insertRow(partial_->rowCount());
    SetRow(partial_, partial_->rowCount() - 1, {load.q, load.from, load.to});
  }
  for (const BeamPointLoad& load : loads.points) {
    points_->insertRow(points_->rowCount());
    SetRow(points_, points_->rowCount() - 1, {load.F, load.a});
  }
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (const char* caption : {"OK", "Abbrechen"}) {
    auto* button = new QPushButton(QString::fromUtf8(caption), this);
    button->setObjectName(QString::fromUtf8(caption));
    buttons->addWidget(button);
  }
  Button(QStringLiteral("OK"))->setDefault(true);
  connect(Button(QStringLiteral("OK")), &QPushButton::clicked, this, &FurtherLoadsDialog::accept);
  connect(Button(QStringLiteral("Abbrechen")), &QPushButton::clicked, this, &QDialog::reject);
  layout->addLayout(buttons);
  resize(420, 420);
}

QTableWidget* FurtherLoadsDialog::AddTable(const QString& title, const QStringList& headers,
                                           const QString& name) {
  auto* caption = new QLabel(title, this);
  layout()->addWidget(caption);
  auto* table = new QTableWidget(0, static_cast<int>(headers.size()), this);
  table->setObjectName(title);
  table->setHorizontalHeaderLabels(headers);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->horizontalHeader()->setStretchLastSection(true);
  layout()->addWidget(table);
  auto* row = new QHBoxLayout;
  const struct {
    const char* suffix;
    const char* caption;
    void (*handler)(QTableWidget*);
  } buttons[] = {{"Hinzufuegen", "Hinzufügen", &FurtherLoadsDialog::AddRow},
                 {"Entfernen", "Entfernen", &FurtherLoadsDialog::RemoveRow}};
  for (const auto& b : buttons) {
    auto* button = new QPushButton(QString::fromUtf8(b.caption), this);
    button->setObjectName(name + QString::fromUtf8(b.suffix));
    connect(button, &QPushButton::clicked, this, [table, handler = b.handler] { handler(table); });
    row->addWidget(button);
  }
  row->addStretch(1);
  qobject_cast<QVBoxLayout*>(layout())->addLayout(row);
  return table;
}

QPushButton* FurtherLoadsDialog::Button(const QString& name) const {
  return findChild<QPushButton*>(name);
}

void FurtherLoadsDialog::AddRow(QTableWidget* table) {
  const int row = table->rowCount();
  table->insertRow(row);
  for (int c = 0; c < table->columnCount(); ++c) {
    table->setItem(row, c, new QTableWidgetItem);
  }
  table->setCurrentCell(row, 0);
}

// The current row goes; the one below it, or the last, becomes current.
void FurtherLoadsDialog::RemoveRow(QTableWidget* table) {
  const int row = table->currentRow();
  if (row < 0) {
    return;
  }
  table->removeRow(row);
  if (table->rowCount() > 0) {
    table->setCurrentCell(std::min(row, table->rowCount() - 1), table->currentColumn());
  }
}

std::optional<double> FurtherLoadsDialog::Read(QTableWidget* table, int row, int column,
                                               const QString& whose) {
  const QTableWidgetItem* cell = table->item(row, column);
  QString why;
  if (const std::optional<double> value = NumberOfText(cell ? cell->text() : QString(), why)) {
    return value;
  }
  const QString header =
      table->horizontalHeaderItem(column)->text().section(QLatin1Char('\n'), 0, 0);
  table->setCurrentCell(row, column);
  table->setFocus();
  messages_.Show(this,
                 {QStringLiteral("„%1“ (%2 %3): %4.").arg(header, whose).arg(row + 1).arg(why),
                  QStringLiteral("Weitere Lasten"), MessageIcon::Warning, MessageButtons::Ok});
  return std::nullopt;
}

void FurtherLoadsDialog::accept() {
  FurtherLoads loads;
  for (int row = 0; row < partial_->rowCount(); ++row) {
    PartialBeamLoad load{};
    const std::pair<int, double*> cells[] = {{kQ, &load.q}, {kFrom, &load.from}, {kTo, &load.to}};
    for (const auto& [column, value] : cells) {
      const std::optional<double> number = Read(partial_, row, column, QStringLiteral("Teillast"));
      if (!number) {
        return;
      }
      *value = *number;
    }
    loads.partial.push_back(load);
  }
  for (int row = 0; row < points_->rowCount(); ++row) {
    BeamPointLoad load{};
    const std::pair<int, double*> cells[] = {{kF, &load.F}, {kA, &load.a}};
    for (const auto& [column, value] : cells) {
      const std::optional<double> number = Read(points_, row, column, QStringLiteral("Einzellast"));
      if (!number) {
        return;
      }
      *value = *number;
    }
    loads.points.push_back(load);
  }
  loads_ = std::move(loads);
  QDialog::accept();
}

std::optional<FurtherLoads> QtFurtherLoadsService::Edit(QWidget* parent, const QString& caseName,
                                                        const FurtherLoads& loads) {
  FurtherLoadsDialog dialog(caseName, loads, messages_, parent);
  if (dialog.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  return dialog.Loads();
}

}  // namespace strevo
