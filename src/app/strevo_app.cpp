#include "strevo_app.h"

#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>

#include "form1.h"

namespace strevo {

StrevoApp::StrevoApp(MessageService& messages, FileDialogService& fileDialogs)
    : messages_(messages),
      fileDialogs_(fileDialogs),
      guard_(messages),
      programDirectory_(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString()),
      form1_(std::make_unique<Form1>(*this)) {}

StrevoApp::~StrevoApp() {
  // The main window's reactions reach the other windows; take them down first.
  about_.reset();
  form4_.reset();
  form2_.reset();
  form1_.reset();
}

void StrevoApp::Start() {
  form1_->Form1_Form_Load();
  form1_->show();
}

Form2& StrevoApp::ResultsWindow() {
  if (!form2_) {
    form2_ = std::make_unique<Form2>(*this);
    form2_->Form_Load();
  }
  return *form2_;
}

void StrevoApp::ShowResultsWindow() {
  Form2& window = ResultsWindow();
  window.show();
  window.raise();
  window.activateWindow();
}

Form4& StrevoApp::SectionsWindow() {
  if (!form4_) {
    form4_ = std::make_unique<Form4>(*this);
    form4_->Form_Load();
  }
  return *form4_;
}

void StrevoApp::ShowSectionsWindow() {
  Form4& window = SectionsWindow();
  window.show();
  window.raise();
  window.activateWindow();
}

FrmAbout& StrevoApp::AboutBox() {
  if (!about_) {
    about_ = std::make_unique<FrmAbout>(form1_.get(), messages_, sysInfoStore_, launcher_,
                                        [this] { about_.release()->deleteLater(); });
    about_->Form_Load();
  }
  return *about_;
}

void StrevoApp::ShowAboutBox() {
  FrmAbout& box = AboutBox();
  box.show();
  box.raise();
  box.activateWindow();
}

void StrevoApp::RunComputation() {
  const ResultLines lines = ComputeResults(ReadInputs(), SelectedSystem(), results_);
  ResultsWindow().WriteResultLines(lines);
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
  form1_->Line2[index].visible = visible;
  form1_->Frame1()->update();
}

void StrevoApp::ResultsWindowClosed() {
  // Unloaded at once: the next use loads a fresh window; this one goes when its close is done.
  form2_.release()->deleteLater();
}

}  // namespace strevo

namespace strevo {

void StrevoApp::SetInputText(int field, const QString& text) {
  form1_->Text1(field)->setText(text);
}

void StrevoApp::SectionsWindowClosed() {
  form4_.release()->deleteLater();
}

}  // namespace strevo
