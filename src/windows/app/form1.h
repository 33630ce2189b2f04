// The main window: system choice, the ten inputs, the live sketch and the menu.
#pragma once

#include <QMainWindow>
#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <set>

#include "core/analysis/inputs.h"
#include "windows/ui/command_guard.h"
#include "windows/ui/file_dialog_service.h"
#include "windows/ui/sketch_frame.h"

class QAction;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace strevo {

// The profile families chosen for the columns and the beam (0 IPE, 1 HE-A, 2 HE-B, −1 none),
// as a project file keeps them.
struct SectionFamilies {
  int column = -1;
  int beam = -1;
};

// What the main window needs from the rest of the program.
class MainWindowHost {
 public:
  virtual ~MainWindowHost() = default;
  virtual CommandGuard& Guard() = 0;
  virtual MessageService& Messages() = 0;
  virtual FileDialogService& FileDialogs() = 0;
  virtual std::filesystem::path ProgramDirectory() const = 0;
  // The cross-section window's families; asking loads it, hidden, on first use.
  virtual SectionFamilies ChosenFamilies() = 0;
  virtual void ChooseFamilies(const SectionFamilies& families) = 0;
  virtual void ShowSectionsWindow() = 0;
  virtual void ShowAboutBox() = 0;
  // "&Schnittgrößen": computes from the fields, read now, and shows the results with the
  // system drawn afresh.
  virtual void ComputeAndDraw() = 0;
  // "Drucken": computes and shows the fresh result lines, leaving the picture as it is.
  virtual void ComputeAndShow() = 0;
  virtual void SystemChosen(SystemType system) = 0;  // the results window shows its supports
  virtual void Quit() = 0;
  virtual void InputsEdited() {}  // a field or the system choice changed
};

class Form1 : public QMainWindow {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(Form1)

 public:
  explicit Form1(MainWindowHost& host);

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
  QLabel* Label4(int index) const { return FootLabel(index == 0 ? Side::Left : Side::Right); }
  QLabel* FootLabel(Side side) const { return side == Side::Left ? footLabelA_ : footLabelB_; }
  QRadioButton* Option1(int index) const { return option1_[index]; }
  QAction* MenuItem(const QString& name) const { return menu_.at(name); }
  SketchFrame* Frame1() const { return frame1_; }
  const LineArray& Line1() const { return line1_; }
  const LineArray& Line2() const { return line2_; }
  const LineArray& Line3() const { return line3_; }
  const LineArray& Line4() const { return line4_; }
  const LineArray& Line5() const { return line5_; }
  const LineArray& Line6() const { return line6_; }
  const LineArray& Line7() const { return line7_; }

  // The results window's fixed-frame set-up hides the hinges here too.
  void SetHingeLineVisible(int index, bool visible);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Every handler runs inside the command guard, however it is called.
  template <class Body>
  void Guarded(Body&& body);
  void BuildMenu();
  void BuildControls();
  void BuildSystemChoice(QWidget* client);
  void BuildInputFields();
  void BuildSignFrame();
  void BuildExplanation(QWidget* client);
  double Field(int index) const;
  void ShowFieldReading(int index);
  bool SpanReadsZero() const;
  void GuardSpan();
  void SetPointLoadControlsVisible(bool visible);

  MainWindowHost& host_;
  LineArray line1_, line2_, line3_, line4_, line5_, line6_, line7_;  // the sketch, twips
  QLabel* label1_ = nullptr;
  QGroupBox* frame2_ = nullptr;
  SketchFrame* frame1_ = nullptr;
  SketchFrame* frame3_ = nullptr;
  QLabel* image1_ = nullptr;
  std::array<QRadioButton*, 3> option1_{};
  QButtonGroup* option1Group_ = nullptr;  // ids are the system indices
  std::array<QLineEdit*, kFieldCount> text1_{};
  std::array<QLabel*, kFieldCount> label2_{};
  std::array<QLabel*, kFieldCount> label3_{};
  QLabel* footLabelA_ = nullptr;  // Label4(0) and (1): A and B beside the feet
  QLabel* footLabelB_ = nullptr;
  std::map<QString, QAction*> menu_;
  CommonDialogSettings commonDialog1_;  // one dialog for open and save: settings carry over
  std::set<int> reportedOverflows_;     // fields whose overflow the change reaction reported
};

}  // namespace strevo
