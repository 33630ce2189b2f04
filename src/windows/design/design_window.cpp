#include "windows/design/design_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <memory>

#include "core/analysis/input_table.h"
#include "core/base/arithmetic_fault.h"
#include "core/base/json.h"
#include "core/base/text_rules.h"
#include "core/design/design_file.h"
#include "core/design/section_search.h"
#include "report/design_report.h"
#include "report/report_file.h"
#include "report/save_file.h"
#include "report/twips.h"
#include "windows/design/background_work.h"
#include "windows/design/design_result_view.h"
#include "windows/design/load_case_table.h"
#include "windows/design/section_search_window.h"

namespace strevo {
namespace {

// A progress bar counts in int.
int ProgressCount(std::uint64_t n) {
  return static_cast<int>(std::min<std::uint64_t>(n, INT_MAX));
}

constexpr QColor kMarked(255, 200, 200);
constexpr QColor kNotMet(220, 0, 0);

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

QString Metres(double value) {
  return Text(FormatFixed2(value)) + QStringLiteral(" m");
}

}  // namespace

PortalChoice PortalChoiceOf(const Design& design) {
  return {design.system, design.h, design.L, design.columns, design.beam};
}

DesignWindow::DesignWindow(DesignHost& host) : host_(host) {
  setObjectName(QStringLiteral("Bemessung"));
  setWindowTitle(QStringLiteral("Bemessung"));
  setFont(SansFont(8.25));
  resize(1400, 860);
  work_ = new BackgroundWork(this);

  auto* layout = new QVBoxLayout(this);
  BuildMenu();
  layout->setMenuBar(menuBar_);
  auto* splitter = new QSplitter(Qt::Horizontal, this);
  // However many cases and however small the screen: the inputs scroll, the window fits.
  auto* inputs = new QScrollArea(splitter);
  inputs->setWidgetResizable(true);
  inputs->setFrameShape(QFrame::NoFrame);
  inputs->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  inputs->setWidget(BuildInputs());
  inputs->setMinimumWidth(inputs->widget()->minimumWidth() +
                          inputs->verticalScrollBar()->sizeHint().width());
  splitter->addWidget(inputs);
  results_ = new DesignResultView(this);
  splitter->addWidget(results_);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  layout->addWidget(splitter);
  ConnectEdits();
  connect(work_, &BackgroundWork::RunningChanged, this, &DesignWindow::ComputingChanged);
  connect(work_, &BackgroundWork::Progressed, this, [this](std::size_t done, std::size_t total) {
    progress_->setRange(0, ProgressCount(total));
    progress_->setValue(ProgressCount(done));
  });
  ComputingChanged();
}

void DesignWindow::BuildMenu() {
  menuBar_ = new QMenuBar(this);
  QMenu* file = menuBar_->addMenu(QStringLiteral("&Datei"));
  const struct {
    const char* name;
    const char* caption;
    QKeySequence keys;
    void (DesignWindow::*handler)();
  } entries[] = {
      {"mnuNeu", "&Neu", QKeySequence::New, &DesignWindow::mnuNeu_Click},
      {"mnuOeffnen", "Ö&ffnen…", QKeySequence::Open, &DesignWindow::mnuOeffnen_Click},
      {"mnuSpeichern", "&Speichern", QKeySequence::Save, &DesignWindow::mnuSpeichern_Click},
      {"mnuSpeichernUnter", "Speichern &unter…", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
       &DesignWindow::mnuSpeichernUnter_Click},
      {"mnuBerichtSpeichern", "&Bericht speichern…", QKeySequence(Qt::CTRL | Qt::Key_R),
       &DesignWindow::mnuBerichtSpeichern_Click},
      {"mnuSchliessen", "S&chließen", QKeySequence(Qt::CTRL | Qt::Key_W),
       &DesignWindow::mnuSchliessen_Click},
  };
  for (const auto& entry : entries) {
    QAction* action = file->addAction(QString::fromUtf8(entry.caption));
    action->setObjectName(QString::fromUtf8(entry.name));
    action->setShortcut(entry.keys);
    connect(action, &QAction::triggered, this, entry.handler);
    menu_.push_back(action);
    if (entry.handler == &DesignWindow::mnuSpeichernUnter_Click) {
      file->addSeparator();
    }
  }
}

QAction* DesignWindow::MenuItem(const QString& name) const {
  const auto found = std::find_if(menu_.begin(), menu_.end(), [&](const QAction* action) {
    return action->objectName() == name;
  });
  return found != menu_.end() ? *found : nullptr;
}

// The project header: title, position, author.
QGroupBox* DesignWindow::BuildProjectBox(QWidget* inputs) {
  auto* project = new QGroupBox(QStringLiteral("Projekt"), inputs);
  auto* projectForm = new QFormLayout(project);
  const struct {
    const char* name;
    const char* caption;
    const char* key;
  } projectFields[] = {{"Titel", "Titel", "project.title"},
                       {"Position", "Position", "project.position"},
                       {"Bearbeiter", "Bearbeiter", "project.author"}};
  for (int i = 0; i < 3; ++i) {
    project_[i] = new QLineEdit(project);
    project_[i]->setObjectName(QString::fromUtf8(projectFields[i].name));
    projectForm->addRow(QString::fromUtf8(projectFields[i].caption), project_[i]);
    markables_.push_back({projectFields[i].key, project_[i], {}});
  }
  return project;
}

// The portal as taken from the main window, shown, not edited.
QGroupBox* DesignWindow::BuildPortalBox(QWidget* inputs) {
  auto* portal = new QGroupBox(QStringLiteral("Rahmen"), inputs);
  auto* portalForm = new QFormLayout(portal);
  const struct {
    const char* name;
    const char* caption;
    const char* key;
  } portalRows[] = {{"System", "System", "system"},
                    {"Hoehe", "Stützenhöhe h", "h"},
                    {"Spannweite", "Spannweite L", "L"},
                    {"Stuetzen", "Stützen", "columns"},
                    {"Riegel", "Riegel", "beam"}};
  for (int i = 0; i < 5; ++i) {
    portalValues_[i] = new QLabel(portal);
    portalValues_[i]->setObjectName(QString::fromUtf8(portalRows[i].name));
    portalValues_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    portalForm->addRow(QString::fromUtf8(portalRows[i].caption), portalValues_[i]);
    markables_.push_back({portalRows[i].key, portalValues_[i], {}});
  }
  takeOver_ = new QPushButton(QStringLiteral("Vom Hauptfenster übernehmen"), portal);
  takeOver_->setObjectName(QStringLiteral("Uebernehmen"));
  takeOver_->setToolTip(
      QStringLiteral("Übernimmt System, h, L und die Querschnitte (oder I1, I2) so, wie das "
                     "Hauptfenster sie jetzt zeigt."));
  portalForm->addRow(takeOver_);
  return portal;
}

// The grade, the limits, the self-weight and the restraints.
QGroupBox* DesignWindow::BuildChecksBox(QWidget* inputs) {
  auto* checks = new QGroupBox(QStringLiteral("Nachweise"), inputs);
  auto* checkForm = new QFormLayout(checks);
  grade_ = new QComboBox(checks);
  grade_->setObjectName(QStringLiteral("Stahlsorte"));
  for (const SteelGrade grade : {SteelGrade::S235, SteelGrade::S275, SteelGrade::S355}) {
    grade_->addItem(QString::fromUtf8(GradeName(grade)));
  }
  swayLimit_ = new QSpinBox(checks);
  swayLimit_->setObjectName(QStringLiteral("GrenzeU"));
  deflectionLimit_ = new QSpinBox(checks);
  deflectionLimit_->setObjectName(QStringLiteral("GrenzeW"));
  for (QSpinBox* limit : {swayLimit_, deflectionLimit_}) {
    limit->setRange(1, 100000);
    limit->setPrefix(QStringLiteral("1/"));
  }
  selfWeight_ = new QCheckBox(QStringLiteral("Eigengewicht der Profile mitrechnen"), checks);
  selfWeight_->setObjectName(QStringLiteral("Eigengewicht"));
  selfWeight_->setToolTip(
      QStringLiteral("Als ständiger Lastfall „Eigengewicht“: der Riegel als Gleichlast, die "
                     "Stützen in ihrer Normalkraft. Ein Stab ohne Profil wiegt nichts."));
  checkForm->addRow(QStringLiteral("Stahlsorte"), grade_);
  checkForm->addRow(QStringLiteral("Verschiebung u ≤ h/n"), swayLimit_);
  checkForm->addRow(QStringLiteral("Durchbiegung w ≤ L/n"), deflectionLimit_);
  checkForm->addRow(selfWeight_);
  const char* restraintNames[] = {"HalterungStuetzen", "HalterungRiegel"};
  const char* restraintCaptions[] = {"Halterungsabstand Stützen [m]",
                                     "Halterungsabstand Riegel [m]"};
  for (int i = 0; i < 2; ++i) {
    restraints_[i] = new QLineEdit(checks);
    restraints_[i]->setObjectName(QString::fromUtf8(restraintNames[i]));
    restraints_[i]->setPlaceholderText(QStringLiteral("Stablänge"));
    restraints_[i]->setToolTip(
        QStringLiteral("Abstand der seitlichen Halterungen; leer: die Länge des Stabs."));
    checkForm->addRow(QString::fromUtf8(restraintCaptions[i]), restraints_[i]);
  }
  markables_.push_back({"steel", grade_, {}});
  markables_.push_back({"limits.sway", swayLimit_, {}});
  markables_.push_back({"limits.deflection", deflectionLimit_, {}});
  markables_.push_back({"selfWeight", selfWeight_, selfWeight_->toolTip()});
  markables_.push_back({"restraints.columns", restraints_[0], restraints_[0]->toolTip()});
  markables_.push_back({"restraints.beam", restraints_[1], restraints_[1]->toolTip()});
  return checks;
}

// The load cases and the buttons that edit their list.
QGroupBox* DesignWindow::BuildCasesBox(QWidget* inputs) {
  auto* caseBox = new QGroupBox(QStringLiteral("Lastfälle (charakteristisch)"), inputs);
  auto* caseColumn = new QVBoxLayout(caseBox);
  cases_ = new LoadCaseTable(caseBox);
  cases_->setMinimumHeight(150);
  caseColumn->addWidget(cases_);
  markables_.push_back({"loadCases", cases_, {}});
  auto* caseButtons = new QHBoxLayout;
  const struct {
    const char* name;
    const char* caption;
    void (DesignWindow::*handler)();
  } buttons[] = {
      {"Hinzufuegen", "Hinzufügen", &DesignWindow::Hinzufuegen_Click},
      {"Entfernen", "Entfernen", &DesignWindow::Entfernen_Click},
      {"NachOben", "Nach oben", &DesignWindow::NachOben_Click},
      {"NachUnten", "Nach unten", &DesignWindow::NachUnten_Click},
      {"Hauptfensterlasten", "Lasten des Hauptfensters", &DesignWindow::Hauptfensterlasten_Click}};
  for (const auto& b : buttons) {
    auto* button = new QPushButton(QString::fromUtf8(b.caption), caseBox);
    button->setObjectName(QString::fromUtf8(b.name));
    connect(button, &QPushButton::clicked, this, b.handler);
    caseButtons->addWidget(button);
  }
  caseButtons->itemAt(caseButtons->count() - 1)
      ->widget()
      ->setToolTip(
          QStringLiteral("Fügt q, F, a, wD und wS des Hauptfensters als neuen Lastfall an."));
  caseColumn->addLayout(caseButtons);
  return caseBox;
}

// Berechnen, Querschnitte bemessen, the progress of a computation and the file's name.
QHBoxLayout* DesignWindow::BuildComputeRow(QWidget* inputs) {
  auto* computeRow = new QHBoxLayout;
  compute_ = new QPushButton(QStringLiteral("Berechnen"), inputs);
  compute_->setObjectName(QStringLiteral("Berechnen"));
  compute_->setToolTip(QStringLiteral(
      "Jede Änderung rechnet sofort neu; „Berechnen“ nennt dazu jeden Fehler einzeln."));
  connect(compute_, &QPushButton::clicked, this, &DesignWindow::Berechnen_Click);
  searchButton_ = new QPushButton(QStringLiteral("Querschnitte bemessen"), inputs);
  searchButton_->setObjectName(QStringLiteral("QuerschnitteBemessen"));
  searchButton_->setToolTip(
      QStringLiteral("Sucht die leichtesten Profile für Stützen und Riegel, die alle Nachweise "
                     "erfüllen."));
  connect(searchButton_, &QPushButton::clicked, this, &DesignWindow::QuerschnitteBemessen_Click);
  progress_ = new QProgressBar(inputs);
  progress_->setObjectName(QStringLiteral("Fortschritt"));
  progress_->setFormat(QStringLiteral("%v von %m Kombinationen"));
  cancel_ = new QPushButton(QStringLiteral("Abbrechen"), inputs);
  cancel_->setObjectName(QStringLiteral("Abbrechen"));
  cancel_->setToolTip(
      QStringLiteral("Bricht die laufende Berechnung ab; die nächste Änderung "
                     "oder „Berechnen“ rechnet neu."));
  connect(cancel_, &QPushButton::clicked, this, &DesignWindow::Abbrechen_Click);
  fileLabel_ = new QLabel(inputs);
  fileLabel_->setObjectName(QStringLiteral("Datei"));
  computeRow->addWidget(compute_);
  computeRow->addWidget(searchButton_);
  computeRow->addWidget(progress_, 1);
  computeRow->addWidget(cancel_);
  computeRow->addWidget(fileLabel_, 1);
  return computeRow;
}

QWidget* DesignWindow::BuildInputs() {
  auto* inputs = new QWidget(this);
  auto* column = new QVBoxLayout(inputs);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(BuildProjectBox(inputs));
  column->addWidget(BuildPortalBox(inputs));
  column->addWidget(BuildChecksBox(inputs));
  column->addWidget(BuildCasesBox(inputs), 1);
  column->addLayout(BuildComputeRow(inputs));
  status_ = new QLabel(inputs);
  status_->setObjectName(QStringLiteral("Hinweis"));
  status_->setWordWrap(true);
  status_->setMinimumHeight(2 * status_->fontMetrics().height());
  column->addWidget(status_);
  inputs->setMinimumWidth(600);
  return inputs;
}

void DesignWindow::ConnectEdits() {
  for (QLineEdit* edit : project_) {
    connect(edit, &QLineEdit::textChanged, this, &DesignWindow::Edited);
  }
  for (QLineEdit* edit : restraints_) {
    connect(edit, &QLineEdit::textChanged, this, &DesignWindow::Edited);
  }
  connect(grade_, &QComboBox::currentIndexChanged, this, &DesignWindow::Edited);
  connect(swayLimit_, &QSpinBox::valueChanged, this, &DesignWindow::Edited);
  connect(deflectionLimit_, &QSpinBox::valueChanged, this, &DesignWindow::Edited);
  connect(selfWeight_, &QCheckBox::toggled, this, &DesignWindow::Edited);
  connect(cases_, &LoadCaseTable::CasesEdited, this, &DesignWindow::Edited);
  connect(cases_, &LoadCaseTable::FurtherLoadsRequested, this, &DesignWindow::WeitereLasten_Click);
  connect(takeOver_, &QPushButton::clicked, this, &DesignWindow::Uebernehmen_Click);
}

void DesignWindow::Form_Load() {
  host_.Guard().Run(this, [this] {
    Design design;
    const PortalChoice portal = host_.MainPortal();
    design.system = portal.system;
    design.h = portal.h;
    design.L = portal.L;
    design.columns = portal.columns;
    design.beam = portal.beam;
    design.loadCases.push_back({"Lastfall 1", Action::Permanent, 'A', false, host_.MainLoads()});
    ShowDesign(design, QString());
  });
}

void DesignWindow::ShowDesign(const Design& design, const QString& fileName) {
  filling_ = true;
  const std::string* projectTexts[] = {&design.project.title, &design.project.position,
                                       &design.project.author};
  for (int i = 0; i < 3; ++i) {
    project_[i]->setText(Text(*projectTexts[i]));
  }
  portal_ = PortalChoiceOf(design);
  ShowPortal();
  grade_->setCurrentIndex(static_cast<int>(design.settings.grade));
  swayLimit_->setValue(design.settings.swayLimit);
  deflectionLimit_->setValue(design.settings.deflectionLimit);
  selfWeight_->setChecked(design.selfWeight);
  const std::optional<double>* spacings[] = {&design.restraints.columns, &design.restraints.beam};
  for (int i = 0; i < 2; ++i) {
    restraints_[i]->setText(*spacings[i] ? Text(ShortestNumber(**spacings[i])) : QString());
  }
  cases_->SetCases(design.loadCases);
  filling_ = false;
  fileName_ = fileName;
  modified_ = false;
  ShowFileName();
  KeepWithinScreen();
  Recompute(true);
}

// Never taller than the screen, however many cases: the table scrolls.
void DesignWindow::KeepWithinScreen() {
  const QRect room = screen()->availableGeometry();
  setMaximumHeight(room.height());
  if (height() > room.height()) {
    resize(width(), room.height());
  }
}

void DesignWindow::ShowPortal() {
  portalValues_[0]->setText(QString::fromUtf8(kSystemCaptions[static_cast<int>(portal_.system)]));
  portalValues_[1]->setText(Metres(portal_.h));
  portalValues_[2]->setText(Metres(portal_.L));
  portalValues_[3]->setText(MemberChoiceText(portal_.columns));
  portalValues_[4]->setText(MemberChoiceText(portal_.beam));
}

void DesignWindow::ShowFileName() {
  QString text =
      fileName_.isEmpty() ? QStringLiteral("Neue Bemessung") : QFileInfo(fileName_).fileName();
  if (modified_) {
    text += QStringLiteral(" (geändert)");
  }
  fileLabel_->setText(text);
  fileLabel_->setToolTip(fileName_);
}

DesignWindow::Reading DesignWindow::Read() const {
  Reading reading;
  Design& design = reading.design;
  design.project = {project_[0]->text().toStdString(), project_[1]->text().toStdString(),
                    project_[2]->text().toStdString()};
  design.system = portal_.system;
  design.h = portal_.h;
  design.L = portal_.L;
  design.columns = portal_.columns;
  design.beam = portal_.beam;
  design.settings = {static_cast<SteelGrade>(grade_->currentIndex()), swayLimit_->value(),
                     deflectionLimit_->value()};
  design.selfWeight = selfWeight_->isChecked();
  const char* restraintKeys[] = {"restraints.columns", "restraints.beam"};
  std::optional<double>* spacings[] = {&design.restraints.columns, &design.restraints.beam};
  for (int i = 0; i < 2; ++i) {
    if (restraints_[i]->text().trimmed().isEmpty()) {
      continue;
    }
    QString why;
    if (const std::optional<double> value = NumberOfText(restraints_[i]->text(), why)) {
      *spacings[i] = *value;
    } else {
      reading.problems.push_back({restraintKeys[i], -1,
                                  QStringLiteral("„%1“: %2.")
                                      .arg(QString::fromUtf8(restraintKeys[i]), why)
                                      .toStdString()});
    }
  }
  LoadCaseTable::Reading cases = cases_->Read();
  design.loadCases = std::move(cases.cases);
  reading.problems.insert(reading.problems.end(), cases.problems.begin(), cases.problems.end());
  return reading;
}

std::vector<DesignProblem> DesignWindow::Problems() const {
  return ProblemsIn(Read());
}

std::vector<DesignProblem> DesignWindow::ProblemsIn(const Reading& reading) {
  std::vector<DesignProblem> problems = reading.problems;
  for (const DesignProblem& problem : ProblemsOf(reading.design)) {
    // A text that is no number reads as 0; what the core says of that 0 is beside the point.
    const bool known = std::any_of(problems.begin(), problems.end(), [&](const DesignProblem& p) {
      return p.key == problem.key && p.loadCase == problem.loadCase;
    });
    if (!known) {
      problems.push_back(problem);
    }
  }
  return problems;
}

void DesignWindow::MarkProblems(const std::vector<DesignProblem>& problems) {
  for (const Markable& markable : markables_) {
    QStringList messages;
    for (const DesignProblem& problem : problems) {
      if (problem.loadCase < 0 && problem.key == markable.key) {
        messages << Text(problem.message);
      }
    }
    QWidget* widget = markable.widget;
    const bool marked = !messages.isEmpty();
    widget->setProperty("fehler", marked);
    widget->setToolTip(marked ? messages.join(QLatin1Char('\n')) : markable.tip);
    QPalette colours = widget->palette();
    const QPalette::ColorRole role =
        qobject_cast<QLabel*>(widget) != nullptr ? QPalette::Window : QPalette::Base;
    colours.setColor(role, marked ? kMarked : palette().color(role));
    widget->setPalette(colours);
    widget->setAutoFillBackground(marked);
  }
  cases_->MarkProblems(problems);
}

void DesignWindow::Recompute(bool report) {
  const Reading reading = Read();
  const std::vector<DesignProblem> problems = ProblemsIn(reading);
  MarkProblems(problems);
  searchable_ = problems.empty();
  if (!problems.empty()) {
    work_->Cancel();  // its design is gone
    QString why = QStringLiteral("Nicht berechnet: %1").arg(Text(problems.front().message));
    if (problems.size() > 1) {
      why += QStringLiteral(" Dazu %1 weitere Fehler, alle rot markiert.")
                 .arg(static_cast<int>(problems.size()) - 1);
    }
    ClearResults(why);
    ComputingChanged();
    return;
  }
  SetStatus(QStringLiteral("Wird berechnet …"), false);
  // The worker has the design as a copy; the window is touched only by what it hands back.
  work_->Start(
      [this, design = reading.design](Cancellation& token) -> BackgroundWork::Delivery {
        auto result = std::make_shared<DesignResult>(ComputeDesign(design, &token));
        return [this, result] { Computed(std::move(*result)); };
      },
      [this, report](const std::exception_ptr& fault) { Faulted(fault, report); });
  ComputingChanged();
  // The count is known before the first combination: the bar shows its whole at once.
  progress_->setRange(0, ProgressCount(CombinationCount(CasesOf(reading.design))));
  progress_->setValue(0);
}

void DesignWindow::Computed(DesignResult result) {
  ShowResult(host_.TakeDesign(std::move(result)));
}

void DesignWindow::Faulted(const std::exception_ptr& fault, bool report) {
  QString why;
  try {
    std::rethrow_exception(fault);
  } catch (const ArithmeticFault& arithmetic) {
    why = QStringLiteral("Laufzeitfehler: %1").arg(Text(FaultText(arithmetic)));
  } catch (const std::exception& other) {
    why = QString::fromUtf8(other.what());
  }
  ClearResults(QStringLiteral("Nicht berechnet: %1").arg(why));
  if (report) {
    host_.Guard().Run(this, [&] { std::rethrow_exception(fault); });
  }
}

bool DesignWindow::IsComputing() const {
  return work_->IsRunning();
}

const DesignResult* DesignWindow::ShownResult() const {
  return IsComputing() ? nullptr : results_->Shown();
}

void DesignWindow::ComputingChanged() {
  const bool running = work_->IsRunning();
  progress_->setVisible(running);
  cancel_->setVisible(running);
  cancel_->setEnabled(running);
  compute_->setEnabled(!running);
  results_->setEnabled(!running);  // for the design before: greyed
  searchButton_->setEnabled(!running && searchable_);
  MenuItem(QStringLiteral("mnuBerichtSpeichern"))->setEnabled(!running);
  if (!running) {
    progress_->reset();
  }
}

void DesignWindow::Abbrechen_Click() {
  if (!work_->IsRunning()) {
    return;
  }
  work_->Cancel();
  ClearResults(
      QStringLiteral("Nicht berechnet: abgebrochen. Die nächste Änderung oder "
                     "„Berechnen“ rechnet neu."));
}

void DesignWindow::Edited() {
  if (filling_) {
    return;
  }
  modified_ = true;
  ShowFileName();
  // A fault is said in the status line; "Berechnen" reports it as well.
  host_.Guard().Run(this, [this] { Recompute(false); });
}

void DesignWindow::WeitereLasten_Click(int row) {
  if (row < 0 || row >= cases_->rowCount()) {
    return;
  }
  host_.Guard().Run(this, [this, row] {
    QString name = cases_->item(row, LoadCaseTable::kName)->text().trimmed();
    if (name.isEmpty()) {
      name = QStringLiteral("Lastfall %1").arg(row + 1);
    }
    if (const std::optional<FurtherLoads> loads =
            host_.FurtherLoadsDialogs().Edit(this, name, cases_->FurtherLoadsAt(row))) {
      cases_->SetFurtherLoads(row, *loads);  // an edit when they changed
    }
  });
}

void DesignWindow::Berechnen_Click() {
  host_.Guard().Run(this, [this] {
    Recompute(true);
    const std::vector<DesignProblem> problems = Problems();
    if (problems.empty()) {
      return;
    }
    QStringList lines;
    for (const DesignProblem& problem : problems) {
      lines << QStringLiteral("• ") + Text(problem.message);
    }
    host_.Messages().Show(this,
                          {QStringLiteral("Die Bemessung kann so nicht berechnet werden:\n") +
                               lines.join(QLatin1Char('\n')),
                           QStringLiteral("Bemessung"), MessageIcon::Warning, MessageButtons::Ok});
  });
}

void DesignWindow::QuerschnitteBemessen_Click() {
  if (searchWindow_ == nullptr) {
    searchWindow_ = new SectionSearchWindow(*this);
  }
  searchWindow_->Open();
}

// As a design file opened: the main window takes the portal with its new sections.
void DesignWindow::TakeSections(const SectionProperties& columns, const SectionProperties& beam) {
  host_.Guard().Run(this, [&] {
    const Design design = WithSections(CurrentDesign(), columns, beam);
    portal_.columns = design.columns;
    portal_.beam = design.beam;
    host_.ApplyPortal(portal_);
    ShowPortal();
    Edited();
  });
}

void DesignWindow::ClearResults(const QString& why) {
  results_->Clear();
  SetStatus(why, true);
}

void DesignWindow::ShowResult(const DesignResult& result) {
  results_->Show(result);
  const auto& combinations = result.combinations;
  const auto ultimate = std::count_if(
      combinations.begin(), combinations.end(), [](const CombinationResult& combination) {
        return combination.combination.state == LimitState::Ultimate;
      });
  SetStatus(QStringLiteral("Berechnet: %1 Kombinationen, %2 im Grenzzustand der Tragfähigkeit "
                           "(GZT), %3 der Gebrauchstauglichkeit (GZG). %4")
                .arg(combinations.size())
                .arg(ultimate)
                .arg(static_cast<qsizetype>(combinations.size()) - ultimate)
                .arg(result.checks.AllMet() ? QStringLiteral("Alle Nachweise sind erfüllt.")
                                            : QStringLiteral("Nicht alle Nachweise sind erfüllt.")),
            false);
}

void DesignWindow::SetStatus(const QString& text, bool bad) {
  status_->setText(text);
  QPalette colours = status_->palette();
  colours.setColor(QPalette::WindowText, bad ? kNotMet : palette().color(QPalette::WindowText));
  status_->setPalette(colours);
}

bool DesignWindow::MayDiscard() {
  if (!modified_) {
    return true;
  }
  return host_.Messages().Show(
             this, {QStringLiteral("Die Bemessung ist geändert und nicht gespeichert.\nÄnderungen "
                                   "verwerfen?"),
                    QStringLiteral("Bemessung"), MessageIcon::Question,
                    MessageButtons::OkCancel}) == MessageAnswer::Ok;
}

void DesignWindow::mnuNeu_Click() {
  if (MayDiscard()) {
    Form_Load();
  }
}

void DesignWindow::mnuOeffnen_Click() {
  if (!MayDiscard()) {
    return;
  }
  host_.Guard().Run(this, [this] {
    designDialog_.title = QStringLiteral("Bemessung öffnen");
    designDialog_.filter = QStringLiteral("Bemessungen (*.strevo)|*.strevo");
    const QString name = host_.FileDialogs().ShowOpen(this, designDialog_);
    if (name.isEmpty()) {
      return;
    }
    designDialog_.initialDirectory = QFileInfo(name).absolutePath();
    // Read and checked whole before anything changes.
    const Design design = ReadDesignFile(QFile::encodeName(name).toStdString());
    host_.ApplyPortal(PortalChoiceOf(design));
    ShowDesign(design, name);
  });
}

void DesignWindow::mnuSpeichern_Click() {
  if (fileName_.isEmpty()) {
    mnuSpeichernUnter_Click();
    return;
  }
  host_.Guard().Run(this, [this] {
    if (!SaveRefused()) {
      SaveTo(fileName_);
    }
  });
}

void DesignWindow::mnuSpeichernUnter_Click() {
  host_.Guard().Run(this, [this] {
    if (SaveRefused()) {
      return;
    }
    designDialog_.title = QStringLiteral("Bemessung speichern");
    designDialog_.filter = QStringLiteral("Bemessungen (*.strevo)|*.strevo");
    const QString name = AskSaveName(designDialog_);
    if (!name.isEmpty()) {
      SaveTo(name);
    }
  });
}

// A design with a mistake is not saved: the file would not open again.
bool DesignWindow::SaveRefused() {
  const std::vector<DesignProblem> problems = Problems();
  if (problems.empty()) {
    return false;
  }
  QString text = QStringLiteral("Die Bemessung wird nicht gespeichert, solange sie Fehler hat:\n") +
                 Text(problems.front().message);
  if (problems.size() > 1) {
    text += QStringLiteral("\nDazu %1 weitere, alle rot markiert.").arg(problems.size() - 1);
  }
  host_.Messages().Show(this, {text, QStringLiteral("Bemessung speichern"), MessageIcon::Warning,
                               MessageButtons::Ok});
  return true;
}

void DesignWindow::SaveTo(const QString& name) {
  const QByteArray text = QByteArray::fromStdString(WriteDesign(CurrentDesign()));
  SaveFile(name, [&](QIODevice& device) { WriteAll(device, text, name); });
  fileName_ = name;
  modified_ = false;
  ShowFileName();
}

void DesignWindow::mnuBerichtSpeichern_Click() {
  host_.Guard().Run(this, [this] {
    if (ShownResult() == nullptr) {
      host_.Messages().Show(
          this,
          {QStringLiteral("Ohne berechnete Bemessung gibt es keinen Bericht.\n") + status_->text(),
           QStringLiteral("Bericht speichern"), MessageIcon::Information, MessageButtons::Ok});
      return;
    }
    reportDialog_.title = QStringLiteral("Bericht speichern");
    reportDialog_.filter = QStringLiteral("PDF-Dokumente (*.pdf)|*.pdf");
    const QString name = AskSaveName(reportDialog_);
    if (name.isEmpty()) {
      return;
    }
    // The report must not replace the design it comes from, by whatever name the dialog gave.
    if (!fileName_.isEmpty()) {
      CheckReportTarget(QFile::encodeName(name).toStdString(),
                        QFile::encodeName(fileName_).toStdString());
    }
    const DesignResult& result = *ShownResult();
    SaveFile(name, [&](QIODevice& device) {
      WriteDesignReport(device, result, {QDateTime::currentDateTime(), false});
    });
  });
}

QString DesignWindow::AskSaveName(CommonDialogSettings& settings) {
  return strevo::AskSaveName(this, host_.FileDialogs(), host_.Messages(), settings);
}

void DesignWindow::mnuSchliessen_Click() {
  close();
}

void DesignWindow::Uebernehmen_Click() {
  host_.Guard().Run(this, [this] {
    portal_ = host_.MainPortal();
    ShowPortal();
    Edited();
  });
}

// A name no case has yet: "Lastfall 3", or the base with a number.
void DesignWindow::Hinzufuegen_Click() {
  const std::vector<DesignCase> cases = CurrentDesign().loadCases;
  int n = static_cast<int>(cases.size()) + 1;
  const auto taken = [&](const std::string& name) {
    return std::any_of(cases.begin(), cases.end(),
                       [&](const DesignCase& c) { return c.name == name; });
  };
  while (taken("Lastfall " + std::to_string(n))) {
    ++n;
  }
  cases_->AddCase({"Lastfall " + std::to_string(n), Action::Permanent, 'A', false, {}});
  Edited();
}

void DesignWindow::Entfernen_Click() {
  cases_->RemoveCase(cases_->currentRow());
}

void DesignWindow::NachOben_Click() {
  const int row = cases_->currentRow();
  cases_->SwapCases(row, row - 1);
}

void DesignWindow::NachUnten_Click() {
  const int row = cases_->currentRow();
  cases_->SwapCases(row, row + 1);
}

void DesignWindow::Hauptfensterlasten_Click() {
  host_.Guard().Run(this, [this] {
    const LoadCase loads = host_.MainLoads();
    const std::vector<DesignCase> cases = CurrentDesign().loadCases;
    std::string name = "Hauptfenster";
    for (int n = 2; std::any_of(cases.begin(), cases.end(),
                                [&](const DesignCase& c) { return c.name == name; });
         ++n) {
      name = "Hauptfenster " + std::to_string(n);
    }
    cases_->AddCase({name, Action::Permanent, 'A', false, loads});
    Edited();
  });
}

void DesignWindow::closeEvent(QCloseEvent* event) {
  if (!host_.Quitting() && !MayDiscard()) {
    event->ignore();
    return;
  }
  event->accept();
  work_->Cancel();
  host_.DesignWindowClosed();
}

}  // namespace strevo
