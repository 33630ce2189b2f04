// The window "Bemessung": one design (the portal of the main window, steel, limits and the
// characteristic load cases) edited, opened and saved as a design file, and its result shown:
// the combinations with their values and diagrams, the envelope and the checks (the result
// view). Every change recomputes at once; a design with a mistake shows where it is and no
// result.
#pragma once

#include <QWidget>
#include <array>
#include <exception>
#include <optional>
#include <vector>

#include "core/design/design.h"
#include "core/design/design_result.h"
#include "windows/design/design_result_view.h"
#include "windows/design/further_loads_dialog.h"
#include "windows/ui/command_guard.h"
#include "windows/ui/file_dialog_service.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QSpinBox;

class QGroupBox;
class QHBoxLayout;

namespace strevo {

class BackgroundWork;
class LoadCaseTable;
class SectionSearchWindow;

// The portal of a design: what the main window's system choice, fields and chosen sections say.
struct PortalChoice {
  SystemType system = SystemType::TwoHingedFrame;
  double h = 0, L = 0;
  MemberChoice columns, beam;
  bool operator==(const PortalChoice&) const = default;
};

PortalChoice PortalChoiceOf(const Design& design);

// What the design window needs from the rest of the program.
class DesignHost {
 public:
  virtual ~DesignHost() = default;
  virtual CommandGuard& Guard() = 0;
  virtual MessageService& Messages() = 0;
  virtual FileDialogService& FileDialogs() = 0;
  virtual FurtherLoadsService& FurtherLoadsDialogs() = 0;
  // The main window's portal, its fields read now: for each member the section chosen for it
  // while the field holds that section's value, else the field as a bare I.
  virtual PortalChoice MainPortal() const = 0;
  virtual LoadCase MainLoads() const = 0;  // the main window's loads, read now
  // Sets the main window's system, fields and chosen sections to this portal.
  virtual void ApplyPortal(const PortalChoice& portal) = 0;
  // Keeps the design window's newest computed design as the last one; returns it as kept.
  virtual const DesignResult& TakeDesign(DesignResult result) = 0;
  virtual void DesignWindowClosed() = 0;  // closed through its title bar: unload it
  // The program is ending: the window closes without asking about unsaved changes.
  virtual bool Quitting() const { return false; }
};

class DesignWindow : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(DesignWindow)

 public:
  explicit DesignWindow(DesignHost& host);

  // A new design: the main window's portal and loads as the first case.
  void Form_Load();

  void mnuNeu_Click();
  void mnuOeffnen_Click();
  void mnuSpeichern_Click();
  void mnuSpeichernUnter_Click();
  void mnuBerichtSpeichern_Click();
  void mnuSchliessen_Click();
  void Uebernehmen_Click();  // "Vom Hauptfenster übernehmen"
  void Hinzufuegen_Click();
  void Entfernen_Click();
  void NachOben_Click();
  void NachUnten_Click();
  void Hauptfensterlasten_Click();
  void Berechnen_Click();
  void Abbrechen_Click();             // the running computation: no result, until the next edit
  void QuerschnitteBemessen_Click();  // opens "Querschnitte bemessen"
  // Opens the further loads of a row's case; OK takes them into the case as an edit.
  void WeitereLasten_Click(int row);

  // Sets the portal's columns and beam, in the main window as well, and recomputes.
  void TakeSections(const SectionProperties& columns, const SectionProperties& beam);
  CommandGuard& Guard() const { return host_.Guard(); }

  // The design as the controls read now; a cell that is no number reads as 0.
  Design CurrentDesign() const { return Read().design; }
  // Every mistake the controls hold, those that are no number first.
  std::vector<DesignProblem> Problems() const;
  // The result the window shows; none while the design has a mistake or faulted, and none while
  // it computes (the one before stays greyed until the new one replaces it).
  const DesignResult* ShownResult() const;
  const QString& FileName() const { return fileName_; }
  bool IsModified() const { return modified_; }

  QAction* MenuItem(const QString& name) const;
  QLineEdit* ProjectField(int index) const { return project_[index]; }  // title, position, author
  // System, h, L, columns, beam as the window shows the portal.
  QLabel* PortalValue(int index) const { return portalValues_[index]; }
  QComboBox* Grade() const { return grade_; }
  QSpinBox* SwayLimit() const { return swayLimit_; }
  QSpinBox* DeflectionLimit() const { return deflectionLimit_; }
  QCheckBox* SelfWeight() const { return selfWeight_; }
  QLineEdit* Restraint(int index) const { return restraints_[index]; }  // columns, beam
  LoadCaseTable* Cases() const { return cases_; }
  QLabel* Status() const { return status_; }
  // "Berechnen", and "Querschnitte bemessen" (with no mistake in the design): enabled while
  // nothing is computed.
  QPushButton* ComputeButton() const { return compute_; }
  QPushButton* SearchButton() const { return searchButton_; }
  // While a computation runs: how many combinations it has done, and "Abbrechen".
  QProgressBar* Progress() const { return progress_; }
  QPushButton* CancelButton() const { return cancel_; }
  bool IsComputing() const;
  // The window it opens, none before the first time.
  SectionSearchWindow* SearchWindow() const { return searchWindow_; }
  QLabel* FileLabel() const { return fileLabel_; }
  DesignResultView* Results() const { return results_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  struct Reading {
    Design design;
    std::vector<DesignProblem> problems;  // texts that are no number
  };
  Reading Read() const;
  static std::vector<DesignProblem> ProblemsIn(const Reading& reading);

  void BuildMenu();
  QWidget* BuildInputs();
  QGroupBox* BuildProjectBox(QWidget* inputs);
  QGroupBox* BuildPortalBox(QWidget* inputs);
  QGroupBox* BuildChecksBox(QWidget* inputs);
  QGroupBox* BuildCasesBox(QWidget* inputs);
  QHBoxLayout* BuildComputeRow(QWidget* inputs);
  void ConnectEdits();
  // Shows a design in the controls, as opened or new; recomputes.
  void ShowDesign(const Design& design, const QString& fileName);
  void ShowPortal();
  void Edited();  // a control changed: recompute, faults only said in the status line
  // Marks the mistakes and starts the computation, or says why there is none. `report`: a
  // fault of the computation is reported as well as said in the status line.
  void Recompute(bool report);
  void Computed(DesignResult result);
  void Faulted(const std::exception_ptr& fault, bool report);
  void ComputingChanged();  // the controls that depend on it
  void KeepWithinScreen();
  void MarkProblems(const std::vector<DesignProblem>& problems);
  void ClearResults(const QString& why);
  void ShowResult(const DesignResult& result);
  void SetStatus(const QString& text, bool bad);
  void ShowFileName();
  bool MayDiscard();   // asks when the design has unsaved changes
  bool SaveRefused();  // says why a design with a mistake is not saved
  void SaveTo(const QString& name);
  QString AskSaveName(CommonDialogSettings& settings);

  DesignHost& host_;
  PortalChoice portal_;
  QString fileName_;
  bool modified_ = false;
  bool filling_ = false;     // controls set from code: no edit
  bool searchable_ = false;  // no mistake in the design
  CommonDialogSettings designDialog_, reportDialog_;

  QMenuBar* menuBar_ = nullptr;
  std::vector<QAction*> menu_;
  std::array<QLineEdit*, 3> project_{};
  std::array<QLabel*, 5> portalValues_{};
  QPushButton* takeOver_ = nullptr;
  QComboBox* grade_ = nullptr;
  QSpinBox* swayLimit_ = nullptr;
  QSpinBox* deflectionLimit_ = nullptr;
  QCheckBox* selfWeight_ = nullptr;
  std::array<QLineEdit*, 2> restraints_{};
  LoadCaseTable* cases_ = nullptr;
  QPushButton* compute_ = nullptr;
  QPushButton* searchButton_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* cancel_ = nullptr;
  BackgroundWork* work_ = nullptr;
  SectionSearchWindow* searchWindow_ = nullptr;
  QLabel* status_ = nullptr;
  QLabel* fileLabel_ = nullptr;
  DesignResultView* results_ = nullptr;
  // The widgets a mistake outside the table is marked at, by the design file's key, with the
  // tooltip each has without one.
  struct Markable {
    const char* key;
    QWidget* widget;
    QString tip;
  };
  std::vector<Markable> markables_;
};

}  // namespace strevo
