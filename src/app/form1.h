// The main window: system choice, the ten inputs, the live sketch and the menu.
#pragma once

#include <QMainWindow>
#include <array>
#include <map>
#include <optional>

#include "file_dialog_service.h"
#include "inputs.h"
#include "sketch_frame.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace strevo {

class StrevoApp;

class Form1 : public QMainWindow {
 public:
  explicit Form1(StrevoApp& app);

  void Form1_Form_Load();
  void Option1_Click(int index);
  void Text1_Change(int index);

  void mnuneu_Click();
  void mnuoeffnen_Click();
  void mnuspeichern_Click();
  void mnudrucken_Click();
  void mnuquerschnitte_Click();
  void mnuschnittgroessen_Click();
  void mnuhilfe_Click();
  void mnuinfo_Click();
  void mnubeenden_Click();

  FieldTexts Texts() const;
  InputSet ReadInputs() const { return strevo::ReadInputs(Texts()); }
  std::optional<SystemType> SelectedSystem() const;

  QLineEdit* Text1(int index) const { return text1_[index]; }
  QLabel* Label2(int index) const { return label2_[index]; }
  QLabel* Label3(int index) const { return label3_[index]; }
  QLabel* Label4(int index) const { return label4_[index]; }
  QRadioButton* Option1(int index) const { return option1_[index]; }
  QAction* MenuItem(const QString& name) const { return menu_.at(name); }
  SketchFrame* Frame1() const { return frame1_; }

  LineArray Line1, Line2, Line3, Line4, Line5, Line6, Line7;  // the sketch, twips

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Every handler runs inside the command guard, however it is called.
  template <class Body>
  void Guarded(Body&& body);
  void BuildMenu();
  void BuildControls();
  double Field(int index) const;
  void SetPointLoadControlsVisible(bool visible);

  StrevoApp& app_;
  QLabel* label1_ = nullptr;
  QGroupBox* frame2_ = nullptr;
  SketchFrame* frame1_ = nullptr;
  SketchFrame* frame3_ = nullptr;
  QLabel* image1_ = nullptr;
  std::array<QRadioButton*, 3> option1_{};
  std::array<QLineEdit*, kFieldCount> text1_{};
  std::array<QLabel*, kFieldCount> label2_{};
  std::array<QLabel*, kFieldCount> label3_{};
  std::array<QLabel*, 2> label4_{};
  std::map<QString, QAction*> menu_;
  CommonDialogSettings commonDialog1_;  // one dialog for open and save: settings carry over
};

}  // namespace strevo
