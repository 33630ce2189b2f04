#include "strevo_app.h"

#include <QCoreApplication>

#include "form1.h"

namespace strevo {

StrevoApp::StrevoApp(MessageService& messages)
    : messages_(messages), guard_(messages), form1_(std::make_unique<Form1>(*this)) {}

StrevoApp::~StrevoApp() {
  // The main window's reactions reach the results window; take it down first.
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
