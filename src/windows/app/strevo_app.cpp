#include "windows/app/strevo_app.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QIcon>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QRadioButton>
#include <stdexcept>
#include <utility>

#include "core/analysis/input_table.h"
#include "core/project/project_file.h"
#include "core/sections/profile_table.h"
#include "core/sections/section_properties.h"
#include "windows/about/program_picture.h"

namespace strevo {

StrevoApp::StrevoApp(MessageService& messages, FileDialogService& fileDialogs)
    : messages_(messages),
      fileDialogs_(fileDialogs),
      guard_(messages),
      programDirectory_(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString()),
      form1_(std::make_unique<Form1>(*this)) {
  QCoreApplication::instance()->installEventFilter(&handbookKey_);
}

StrevoApp::~StrevoApp() {
  // The main window's reactions reach the other windows; take them down first.
  handbook_.reset();
  design_.reset();
  list_.reset();
  about_.reset();
  form4_.reset();
  form2_.reset();
  form1_.reset();
}

void StrevoApp::Start() {
  QApplication::setWindowIcon(QIcon(QPixmap::fromImage(ProgramPicture(QSize(256, 256)))));
  form1_->Form1_Form_Load();
  form1_->show();
}

namespace {

// Every window is a single instance, created and loaded on first use.
template <class Window>
concept Loadable = requires(Window& window) {
  window.Form_Load();
};

template <class Window, class Make>
Window& LoadOnFirstUse(std::unique_ptr<Window>& slot, Make&& make) {
  if (!slot) {
    slot = make();
    if constexpr (Loadable<Window>) {
      slot->Form_Load();
    }
  }
  return *slot;
}

void ShowModeless(QWidget& window) {
  window.show();
  window.raise();
  window.activateWindow();
}

// Unloaded at once: the next use loads a fresh window; this one goes when its close is done.
template <class Window>
void Unload(std::unique_ptr<Window>& slot) {
  slot.release()->deleteLater();
}

}  // namespace

Form2& StrevoApp::ResultsWindow() {
  return LoadOnFirstUse(form2_, [this] { return std::make_unique<Form2>(*this); });
}

void StrevoApp::ShowResultsWindow() {
  ShowModeless(ResultsWindow());
}

Form4& StrevoApp::SectionsWindow() {
  return LoadOnFirstUse(form4_, [this] { return std::make_unique<Form4>(*this); });
}

SectionFamilies StrevoApp::ChosenFamilies() {
  const Form4& sections = SectionsWindow();
  return {sections.ColumnFamily(), sections.BeamFamily()};
}

void StrevoApp::ChooseFamilies(const SectionFamilies& families) {
  Form4& sections = SectionsWindow();
  sections.SetColumnFamily(families.column);
  sections.SetBeamFamily(families.beam);
}

void StrevoApp::ShowSectionsWindow() {
  ShowModeless(SectionsWindow());
}

FrmAbout& StrevoApp::AboutBox() {
  return LoadOnFirstUse(about_, [this] {
    return std::make_unique<FrmAbout>(form1_.get(), messages_, sysInfoStore_, launcher_,
                                      [this] { Unload(about_); });
  });
}

void StrevoApp::ShowAboutBox() {
  ShowModeless(AboutBox());
}

HandbookWindow& StrevoApp::Handbook() {
  return LoadOnFirstUse(handbook_, [] { return std::make_unique<HandbookWindow>(); });
}

void StrevoApp::ShowHandbook() {
  ShowModeless(Handbook());
}

void StrevoApp::TakeComputation() {
  const InputSet in = ReadInputs();
  Computation computation = Compute(in, SelectedSystem(), results_);
  const auto section = [&](int member, double value) {
    const std::optional<ChosenSection>& chosen = chosen_[member];
    return chosen && chosen->value == value ? chosen->designation : std::string();
  };
  computation.columnSection = section(0, in.I1);
  computation.beamSection = section(1, in.I2);
  last_ = TakenComputation(std::move(computation), check_);
  ResultsWindow().WriteResultLines(last_->Snapshot().lines);
  if (list_) {
    list_->ShowComputation(&*last_, false);
  }
}

// The window shows first and its old diagram labels go, so that a computation that faults
// leaves the results window open over the drawing it had.
void StrevoApp::ComputeAndDraw() {
  ShowResultsWindow();
  Form2& results = ResultsWindow();
  results.HideDiagramLabels();
  TakeComputation();
  results.DrawSystem();
}

void StrevoApp::ComputeAndShow() {
  TakeComputation();
  ShowResultsWindow();
}

void StrevoApp::SystemChosen(SystemType system) {
  ResultsWindow().ShowSystemSymbols(system);
}

void StrevoApp::UseCheckSettings(const CheckSettings& settings) {
  check_ = settings;
  if (last_) {
    last_->Recheck(settings);
  }
}

const TakenComputation* StrevoApp::LastComputation() const {
  return last_ ? &*last_ : nullptr;
}

bool StrevoApp::InputsChangedSinceComputation() const {
  if (!last_) {
    return false;
  }
  try {
    return !InputsMatch(last_->Snapshot(), ReadInputs(), SelectedSystem());
  } catch (const ArithmeticFault&) {
    return true;  // a field that no longer reads as a number has changed
  }
}

void StrevoApp::InputsEdited() {
  if (list_) {
    list_->SetInputsChanged(InputsChangedSinceComputation());
  }
}

ResultListWindow& StrevoApp::ResultList() {
  return LoadOnFirstUse(list_, [this] {
    auto window = std::make_unique<ResultListWindow>(*this);
    window->ShowComputation(LastComputation(), InputsChangedSinceComputation());
    window->ShowDesign(LastDesign());
    return window;
  });
}

void StrevoApp::ShowResultList() {
  ShowModeless(ResultList());
}

void StrevoApp::ResultListClosed() {
  Unload(list_);
}

void StrevoApp::Quit() {
  if (quitting_) {
    return;
  }
  quitting_ = true;
  if (form2_) {
    form2_->close();
  }
  if (form4_) {
    form4_->close();
  }
  if (about_) {
    about_->close();
  }
  if (list_) {
    list_->close();
  }
  if (design_) {
    design_->close();
  }
  if (handbook_) {
    handbook_->close();
  }
  form1_->close();
  quitRequested_ = true;
  QCoreApplication::quit();
}

std::optional<SystemType> StrevoApp::SelectedSystem() const {
  return form1_->SelectedSystem();
}

InputSet StrevoApp::ReadInputs() const {
  return form1_->ReadInputs();
}

void StrevoApp::SetMainHingeLineVisible(int index, bool visible) {
  form1_->SetHingeLineVisible(index, visible);
}

void StrevoApp::ResultsWindowClosed() {
  Unload(form2_);
}

void StrevoApp::SetInputText(int field, const QString& text) {
  form1_->Text1(field)->setText(text);
}

void StrevoApp::SectionChosen(int field, const QString& designation) {
  const int member = field == kFieldI1 ? 0 : 1;
  chosen_[member] = ChosenSection{designation.trimmed().toStdString(),
                                  FieldValueOf(form1_->Text1(field)->text().toStdString(), field)};
}

void StrevoApp::SectionsWindowClosed() {
  Unload(form4_);
}

DesignWindow& StrevoApp::DesignForm() {
  return LoadOnFirstUse(design_, [this] { return std::make_unique<DesignWindow>(*this); });
}

void StrevoApp::ShowDesignWindow() {
  ShowModeless(DesignForm());
}

void StrevoApp::DesignWindowClosed() {
  Unload(design_);
}

namespace {

// The number as the main window's field shows it: exact, without the file's leading blank.
QString FieldText(double value) {
  return QString::fromStdString(NumberToText(value)).trimmed();
}

}  // namespace

PortalChoice StrevoApp::MainPortal() const {
  const std::optional<SystemType> system = SelectedSystem();
  if (!system) {
    throw std::runtime_error("Im Hauptfenster ist kein System gewählt.");
  }
  const InputSet in = ReadInputs();
  const auto member = [&](int m, double value) {
    const std::optional<ChosenSection>& chosen = chosen_[m];
    if (chosen && chosen->value == value) {
      if (const SectionProperties* section = FindSection(chosen->designation)) {
        return MemberChoice{section->designation, 0};
      }
    }
    return MemberChoice{"", value};
  };
  return {*system, in.h, in.L, member(0, in.I1), member(1, in.I2)};
}

LoadCase StrevoApp::MainLoads() const {
  return LoadCaseOf(ReadInputs());
}

void StrevoApp::ApplyPortal(const PortalChoice& portal) {
  form1_->Option1(static_cast<int>(portal.system))->setChecked(true);
  SetInputText(kFieldH, FieldText(portal.h));
  SetInputText(kFieldL, FieldText(portal.L));
  ApplyMember(0, portal.columns);
  ApplyMember(1, portal.beam);
}

void StrevoApp::ApplyMember(int member, const MemberChoice& choice) {
  const int field = member == 0 ? kFieldI1 : kFieldI2;
  const SectionProperties* section = SectionOf(choice);
  if (section == nullptr) {
    SetInputText(field, FieldText(choice.I));
    chosen_[member].reset();
    return;
  }
  const QString designation = QString::fromStdString(ProgramDesignation(*section));
  Form4& sections = SectionsWindow();
  QListWidget* list = sections.List(member + 1);
  for (int family = 0; family < static_cast<int>(kProfileFamilies.size()); ++family) {
    const QString prefix = QString::fromUtf8(kProfileFamilies[family].prefix);
    if (!designation.startsWith(prefix)) {
      continue;
    }
    member == 0 ? sections.SetColumnFamily(family) : sections.SetBeamFamily(family);
    // The family's list is fresh, without a current row: choosing the row writes the field.
    for (int row = 0; row < list->count(); ++row) {
      if (prefix + list->item(row)->text().trimmed() == designation) {
        list->setCurrentRow(row);
        return;
      }
    }
  }
  // A table without the section: its published I, and the section kept as chosen.
  SetInputText(field, FieldText(section->Iy));
  SectionChosen(field, designation);
}

const DesignResult& StrevoApp::TakeDesign(DesignResult result) {
  lastDesign_ = std::move(result);
  if (list_) {
    list_->ShowDesign(&*lastDesign_);
  }
  return *lastDesign_;
}

}  // namespace strevo
