#include "windows/design/section_search_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <memory>

#include "core/checks/section_check.h"
#include "core/design/design_output.h"
#include "report/twips.h"
#include "windows/design/background_work.h"
#include "windows/design/design_window.h"

namespace strevo {
namespace {

constexpr QColor kNotMet(220, 0, 0);

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

QString Kilograms(double mass) {
  return QString::number(mass, 'f', 0);
}

// "HE 240 A / IPE 400 (2345 kg)"
QString PairText(const TriedPair& pair) {
  return QStringLiteral("%1 / %2 (%3 kg)")
      .arg(QString::fromUtf8(pair.columns->designation), QString::fromUtf8(pair.beam->designation),
           Kilograms(pair.mass));
}

QString Ratio(double n) {
  return Text(RatioText({n, true}));
}

}  // namespace

// The allowed families of the columns and of the beam, all ticked at first.
QGroupBox* SectionSearchWindow::BuildFamilies() {
  auto* allowed = new QGroupBox(QStringLiteral("Zulässige Profilreihen"), this);
  auto* grid = new QGridLayout(allowed);
  const char* members[] = {"Stützen", "Riegel"};
  const char* names[] = {"Stuetzen", "Riegel"};
  for (int m = 0; m < 2; ++m) {
    grid->addWidget(new QLabel(QString::fromUtf8(members[m]), allowed), m, 0);
    for (int f = 0; f < 3; ++f) {
      auto* box = new QCheckBox(QString::fromUtf8(kSectionFamilies[f]), allowed);
      box->setObjectName(QString::fromUtf8(names[m]) + QString::fromUtf8(kSectionFamilies[f]));
      box->setChecked(true);
      connect(box, &QCheckBox::toggled, this, &SectionSearchWindow::FamiliesChanged);
      families_[m][f] = box;
      grid->addWidget(box, m, f + 1);
    }
  }
  grid->setColumnStretch(4, 1);
  return allowed;
}

// The passing pairs, lightest first.
void SectionSearchWindow::BuildPassingTable() {
  passing_ = new QTableWidget(0, 7, this);
  passing_->setObjectName(QStringLiteral("Profilpaare"));
  passing_->setHorizontalHeaderLabels({QStringLiteral("Stützen"), QStringLiteral("Riegel"),
                                       QStringLiteral("Masse [kg]"), QStringLiteral("η Stützen"),
                                       QStringLiteral("η Riegel"), QStringLiteral("h/u"),
                                       QStringLiteral("L/w")});
  passing_->horizontalHeaderItem(2)->setToolTip(
      QStringLiteral("Stahl beider Stützen und des Riegels: 2·h·m + L·m"));
  passing_->verticalHeader()->hide();
  passing_->verticalHeader()->setDefaultSectionSize(passing_->fontMetrics().height() + 6);
  passing_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  passing_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  passing_->setSelectionBehavior(QAbstractItemView::SelectRows);
  passing_->setSelectionMode(QAbstractItemView::SingleSelection);
  connect(passing_, &QTableWidget::itemSelectionChanged, this,
          &SectionSearchWindow::SelectionChanged);
}

// Bemessen, and while it searches its progress and Abbrechen.
QHBoxLayout* SectionSearchWindow::BuildSearchRow() {
  auto* searchRow = new QHBoxLayout;
  search_ = new QPushButton(QStringLiteral("Bemessen"), this);
  search_->setObjectName(QStringLiteral("Bemessen"));
  search_->setToolTip(
      QStringLiteral("Sucht die leichtesten Paare aus Stützen- und Riegelprofil, die alle "
                     "Nachweise der Bemessung erfüllen, mit dem Eigengewicht der Profile, wenn "
                     "die Bemessung es mitrechnet."));
  connect(search_, &QPushButton::clicked, this, &SectionSearchWindow::Bemessen_Click);
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("Fortschritt"));
  progress_->setFormat(QStringLiteral("%v von %m Profilpaaren"));
  cancel_ = new QPushButton(QStringLiteral("Abbrechen"), this);
  cancel_->setObjectName(QStringLiteral("Abbrechen"));
  cancel_->setToolTip(QStringLiteral("Bricht die Suche ab; die Bemessung bleibt, wie sie ist."));
  connect(cancel_, &QPushButton::clicked, this, &SectionSearchWindow::Abbrechen_Click);
  searchRow->addWidget(search_);
  searchRow->addWidget(progress_, 1);
  searchRow->addWidget(cancel_);
  searchRow->addStretch(1);
  return searchRow;
}

SectionSearchWindow::SectionSearchWindow(DesignWindow& designWindow)
    : QWidget(&designWindow, Qt::Window), designWindow_(designWindow) {
  setObjectName(QStringLiteral("QuerschnitteBemessen"));
  setWindowTitle(QStringLiteral("Querschnitte bemessen"));
  setWindowModality(Qt::WindowModal);
  setFont(SansFont(8.25));
  resize(760, 560);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildFamilies());

  layout->addLayout(BuildSearchRow());

  verdict_ = new QLabel(this);
  verdict_->setObjectName(QStringLiteral("Ergebnis"));
  verdict_->setWordWrap(true);
  verdict_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(verdict_);

  BuildPassingTable();
  layout->addWidget(passing_, 1);

  notesHeading_ = new QLabel(this);
  notesHeading_->setObjectName(QStringLiteral("HinweiseTitel"));
  layout->addWidget(notesHeading_);
  notes_ = new QListWidget(this);
  notes_->setObjectName(QStringLiteral("Hinweise"));
  notes_->setMaximumHeight(6 * (notes_->fontMetrics().height() + 4));
  layout->addWidget(notes_);
  count_ = new QLabel(this);
  count_->setObjectName(QStringLiteral("Anzahl"));
  layout->addWidget(count_);

  auto* buttons = new QHBoxLayout;
  apply_ = new QPushButton(QStringLiteral("Übernehmen"), this);
  apply_->setObjectName(QStringLiteral("Uebernehmen"));
  apply_->setToolTip(
      QStringLiteral("Setzt das gewählte Paar als Stützen und Riegel der Bemessung und des "
                     "Hauptfensters."));
  connect(apply_, &QPushButton::clicked, this, &SectionSearchWindow::Uebernehmen_Click);
  auto* close = new QPushButton(QStringLiteral("Schließen"), this);
  close->setObjectName(QStringLiteral("Schliessen"));
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  buttons->addStretch(1);
  buttons->addWidget(apply_);
  buttons->addWidget(close);
  layout->addLayout(buttons);
  work_ = new BackgroundWork(this);
  connect(work_, &BackgroundWork::RunningChanged, this, &SectionSearchWindow::SearchingChanged);
  connect(work_, &BackgroundWork::Progressed, this, [this](std::size_t done, std::size_t total) {
    const auto count = [](std::size_t n) {
      return static_cast<int>(std::min<std::size_t>(n, INT_MAX));
    };
    progress_->setRange(0, count(total));
    progress_->setValue(count(done));
  });
  Clear();
  SearchingChanged();
}

void SectionSearchWindow::Open() {
  if (searched_ && *searched_ != designWindow_.CurrentDesign()) {
    Clear();
  }
  show();
  raise();
  activateWindow();
}

AllowedFamilies SectionSearchWindow::Allowed() const {
  AllowedFamilies allowed;
  for (int f = 0; f < 3; ++f) {
    allowed.columns[f] = families_[0][f]->isChecked();
    allowed.beam[f] = families_[1][f]->isChecked();
  }
  return allowed;
}

// Each member needs a family to choose from.
void SectionSearchWindow::FamiliesChanged() {
  const AllowedFamilies allowed = Allowed();
  const auto any = [](const std::array<bool, 3>& f) { return f[0] || f[1] || f[2]; };
  search_->setEnabled(!IsSearching() && any(allowed.columns) && any(allowed.beam));
}

bool SectionSearchWindow::IsSearching() const {
  return work_->IsRunning();
}

void SectionSearchWindow::SearchingChanged() {
  const bool running = work_->IsRunning();
  progress_->setVisible(running);
  cancel_->setVisible(running);
  cancel_->setEnabled(running);
  for (const auto& member : families_) {
    for (QCheckBox* family : member) {
      family->setEnabled(!running);
    }
  }
  FamiliesChanged();
  if (!running) {
    progress_->reset();
  }
}

void SectionSearchWindow::Clear() {
  shown_.reset();
  searched_.reset();
  passing_->setRowCount(0);
  notes_->clear();
  notesHeading_->clear();
  notesHeading_->hide();
  notes_->hide();
  verdict_->setText(
      QStringLiteral("Profilreihen wählen und „Bemessen“ drücken: gesucht wird das leichteste "
                     "Paar, das alle Nachweise erfüllt."));
  verdict_->setPalette(palette());
  count_->clear();
  apply_->setEnabled(false);
}

void SectionSearchWindow::Bemessen_Click() {
  if (IsSearching()) {
    return;
  }
  const Design design = designWindow_.CurrentDesign();
  const AllowedFamilies allowed = Allowed();
  Clear();
  verdict_->setText(QStringLiteral("Sucht …"));
  // The worker has the design as a copy; the window is touched only by what it hands back.
  work_->Start(
      [this, design, allowed](Cancellation& token) -> BackgroundWork::Delivery {
        auto found = std::make_shared<SectionSearch>(SearchSections(design, allowed, &token));
        return [this, found, design] {
          Show(*found);
          searched_ = design;
        };
      },
      [this](const std::exception_ptr& fault) {
        Clear();
        designWindow_.Guard().Run(this, [&] { std::rethrow_exception(fault); });
      });
  // The count is known before the first pair: the bar shows its whole at once.
  progress_->setRange(0, static_cast<int>(std::min<std::size_t>(PairCount(allowed), INT_MAX)));
  progress_->setValue(0);
}

void SectionSearchWindow::Abbrechen_Click() {
  if (!IsSearching()) {
    return;
  }
  work_->Cancel();
  Clear();
  verdict_->setText(QStringLiteral("Abgebrochen: nichts gefunden, die Bemessung ist unverändert."));
}

void SectionSearchWindow::hideEvent(QHideEvent* event) {
  Abbrechen_Click();
  QWidget::hideEvent(event);
}

void SectionSearchWindow::Show(const SectionSearch& search) {
  shown_ = search;
  passing_->setRowCount(static_cast<int>(search.passing.size()));
  for (int row = 0; row < passing_->rowCount(); ++row) {
    const TriedPair& pair = search.passing[row];
    const QString cells[] = {QString::fromUtf8(pair.columns->designation),
                             QString::fromUtf8(pair.beam->designation),
                             Kilograms(pair.mass),
                             Text(EtaText(pair.etaColumns)),
                             Text(EtaText(pair.etaBeam)),
                             Ratio(pair.sway),
                             Ratio(pair.deflection)};
    for (int column = 0; column < 7; ++column) {
      auto* item = new QTableWidgetItem(cells[column]);
      if (column >= 2) {
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      }
      passing_->setItem(row, column, item);
    }
  }

  QPalette colours = palette();
  if (search.passing.empty()) {
    colours.setColor(QPalette::WindowText, kNotMet);
    QString text = QStringLiteral("Kein Profilpaar erfüllt alle Nachweise.");
    if (!search.lighterFailing.empty()) {
      const TriedPair& heaviest = search.lighterFailing.front();
      text += QStringLiteral(" Auch das schwerste, %1, besteht nicht: %2.")
                  .arg(PairText(heaviest), Text(heaviest.failure));
    }
    verdict_->setText(text);
    for (const std::string& suggestion : search.suggestions) {
      notes_->addItem(QStringLiteral("Abhilfe: ") + Text(suggestion));
    }
  } else {
    verdict_->setText(
        QStringLiteral("Das leichteste Paar, das alle Nachweise erfüllt: %1. Gewählt wird mit "
                       "„Übernehmen“.")
            .arg(PairText(search.passing.front())));
    notesHeading_->setText(search.lighterFailing.empty()
                               ? QStringLiteral("Schon das leichteste zugelassene Paar besteht.")
                               : QStringLiteral("Leichtere Paare, die nicht bestehen:"));
    notesHeading_->show();
    for (const TriedPair& pair : search.lighterFailing) {
      notes_->addItem(QStringLiteral("%1: %2").arg(PairText(pair), Text(pair.failure)));
    }
    passing_->selectRow(0);
  }
  verdict_->setPalette(colours);
  notes_->setVisible(notes_->count() > 0);
  count_->setText(QStringLiteral("Entschieden: %1 von %2 zugelassenen Paaren%3.")
                      .arg(search.decided)
                      .arg(search.pairs)
                      .arg(search.decided < search.pairs
                               ? QStringLiteral(" (die übrigen sind schwerer als das fünfte "
                                                "bestehende)")
                               : QString()));
  SelectionChanged();
}

void SectionSearchWindow::SelectionChanged() {
  const int row = passing_->currentRow();
  apply_->setEnabled(shown_ && row >= 0 && row < static_cast<int>(shown_->passing.size()) &&
                     passing_->item(row, 0)->isSelected());
}

void SectionSearchWindow::Uebernehmen_Click() {
  const int row = passing_->currentRow();
  if (!shown_ || row < 0 || row >= static_cast<int>(shown_->passing.size())) {
    return;
  }
  const TriedPair pair = shown_->passing[row];
  close();
  designWindow_.TakeSections(*pair.columns, *pair.beam);
}

}  // namespace strevo
