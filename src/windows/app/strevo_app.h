// The application object: owns the last computation, the shared result values, the command
// guard and every window, each a single instance loaded on first use (the window registry). A
// computation runs here only, and here each window is told of it.
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "core/analysis/shared_results.h"
#include "core/design/design_result.h"
#include "core/project/taken_computation.h"
#include "windows/about/frm_about.h"
#include "windows/about/sys_info.h"
#include "windows/app/form1.h"
#include "windows/design/design_window.h"
#include "windows/help/handbook_window.h"
#include "windows/results/form2.h"
#include "windows/results/printer_service.h"
#include "windows/results/result_list_window.h"
#include "windows/sections/form4.h"
#include "windows/ui/command_guard.h"
#include "windows/ui/file_dialog_service.h"

namespace strevo {

class StrevoApp : public MainWindowHost,
                  public ResultsHost,
                  public SectionsHost,
                  public ResultListHost,
                  public DesignHost {
 public:
  StrevoApp(MessageService& messages, FileDialogService& fileDialogs);
  ~StrevoApp() override;

  void Start();  // loads and shows the main window

  Form1& MainWindow() { return *form1_; }
  bool IsResultsWindowLoaded() const { return form2_ != nullptr; }
  bool IsSectionsWindowLoaded() const { return form4_ != nullptr; }
  bool IsAboutBoxLoaded() const { return about_ != nullptr; }
  bool IsResultListLoaded() const { return list_ != nullptr; }
  bool IsDesignWindowLoaded() const { return design_ != nullptr; }
  Form2& ResultsWindow();          // loads it, hidden, on first use
  ResultListWindow& ResultList();  // loads it on first use
  DesignWindow& DesignForm();      // loads it on first use
  // The design last computed in the design window; none before the first.
  const DesignResult* LastDesign() const override { return lastDesign_ ? &*lastDesign_ : nullptr; }
  FrmAbout& AboutBox();  // loads it on first use
  bool IsHandbookLoaded() const { return handbook_ != nullptr; }
  HandbookWindow& Handbook();  // loads it on first use
  // F1 in every window: the handbook, shown and brought to the front.
  void ShowHandbook();
  // Where the profile table is looked for; the program's own directory unless changed.
  void SetProgramDirectory(const std::filesystem::path& directory) {
    programDirectory_ = directory;
  }

  bool QuitRequested() const { return quitRequested_; }

  // MainWindowHost
  Form4& SectionsWindow();  // loads it, hidden, on first use
  SectionFamilies ChosenFamilies() override;
  void ChooseFamilies(const SectionFamilies& families) override;
  void ShowSectionsWindow() override;
  FileDialogService& FileDialogs() override { return fileDialogs_; }
  void ShowAboutBox() override;
  void ComputeAndDraw() override;
  void ComputeAndShow() override;
  void SystemChosen(SystemType system) override;
  // Closes every window, loaded or hidden, and ends the event loop.
  void Quit() override;
  void InputsEdited() override;

  // ResultsHost
  std::optional<SystemType> SelectedSystem() const override;
  InputSet ReadInputs() const override;
  SharedResults& Results() override { return results_; }
  CommandGuard& Guard() override { return guard_; }
  MessageService& Messages() override { return messages_; }
  PrinterService& Printers() override { return printers_; }
  void SetMainHingeLineVisible(int index, bool visible) override;
  void ResultsWindowClosed() override;
  const TakenComputation* LastComputation() const override;
  bool InputsChangedSinceComputation() const override;
  FileDialogService* ExportDialogs() override { return &fileDialogs_; }
  void ShowResultList() override;
  void ShowDesignWindow() override;

  // ResultListHost
  void ResultListClosed() override;
  CheckSettings CheckSettingsInUse() const override { return check_; }
  void UseCheckSettings(const CheckSettings& settings) override;

  // SectionsHost
  void SetInputText(int field, const QString& text) override;
  std::filesystem::path ProgramDirectory() const override { return programDirectory_; }
  void SectionsWindowClosed() override;
  void SectionChosen(int field, const QString& designation) override;

  // DesignHost
  FurtherLoadsService& FurtherLoadsDialogs() override { return furtherLoads_; }
  PortalChoice MainPortal() const override;
  LoadCase MainLoads() const override;
  void ApplyPortal(const PortalChoice& portal) override;
  const DesignResult& TakeDesign(DesignResult result) override;
  void DesignWindowClosed() override;
  bool Quitting() const override { return quitting_; }

 private:
  void ShowResultsWindow();
  // Runs the engine on the fields, read now, keeps what it gives with the chosen sections and
  // tells the results window and the list; a fault leaves the last computation as it was.
  void TakeComputation();
  // Sets I1 (member 0) or I2 to a member of a design: a section as the cross-section window
  // chooses it, a bare I as typed.
  void ApplyMember(int member, const MemberChoice& choice);

  MessageService& messages_;
  FileDialogService& fileDialogs_;
  CommandGuard guard_;
  std::filesystem::path programDirectory_;
  DefaultPrinterService printers_;
  QtFurtherLoadsService furtherLoads_{messages_};
  PlatformKeyValueStore sysInfoStore_;
  DetachedLauncher launcher_;
  SharedResults results_;
  std::optional<TakenComputation> last_;    // the last successful computation
  std::optional<DesignResult> lastDesign_;  // the last design computed
  CheckSettings check_;
  // The section last chosen for I1 and I2 and the value it wrote; a member keeps its section
  // while its field reads that value.
  struct ChosenSection {
    std::string designation;
    double value = 0;
  };
  std::array<std::optional<ChosenSection>, 2> chosen_;
  std::unique_ptr<Form1> form1_;
  std::unique_ptr<Form2> form2_;
  std::unique_ptr<Form4> form4_;
  std::unique_ptr<FrmAbout> about_;
  std::unique_ptr<ResultListWindow> list_;
  std::unique_ptr<DesignWindow> design_;
  std::unique_ptr<HandbookWindow> handbook_;
  HandbookKey handbookKey_{[this] { ShowHandbook(); }};
  bool quitting_ = false;
  bool quitRequested_ = false;
};

}  // namespace strevo
