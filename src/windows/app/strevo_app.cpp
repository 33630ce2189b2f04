#include "strevo_app.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QIcon>
#include <QLineEdit>
#include <QPixmap>
#include <utility>

#include "input_table.h"
#include "program_picture.h"

namespace strevo {

StrevoApp::StrevoApp(MessageService& messages, FileDialogService& fileDialogs)
    : messages_(messages),
      fileDialogs_(fileDialogs),
      guard_(messages),
      programDirectory_(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString()),
      form1_(std::make_unique<Form1>(*this)) {}

StrevoApp::~StrevoApp() {
  // The main window's reactions reach the other windows; take them down first.
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

}  // namespace strevo
