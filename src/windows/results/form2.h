// The results window: the picture with the system drawing and the diagrams, the drawing
// buttons, and the hidden frame that holds the result lines.
#pragma once

#include <QWidget>
#include <array>
#include <optional>

#include "core/analysis/computation.h"
#include "core/analysis/compute_results.h"
#include "core/design/design_result.h"
#include "core/drawing/drawings.h"
#include "core/project/taken_computation.h"
#include "windows/results/printer_service.h"
#include "windows/ui/command_guard.h"
#include "windows/ui/file_dialog_service.h"
#include "windows/ui/sketch_frame.h"

class QLabel;
class QPushButton;

namespace strevo {

class PictureBox;

// What the results window needs from the rest of the program.
class ResultsHost {
 public:
  virtual ~ResultsHost() = default;
  virtual std::optional<SystemType> SelectedSystem() const = 0;
  virtual InputSet ReadInputs() const = 0;  // the main window's fields, read now
  virtual SharedResults& Results() = 0;
  virtual CommandGuard& Guard() = 0;
  virtual MessageService& Messages() = 0;
  virtual PrinterService& Printers() = 0;
  virtual void SetMainHingeLineVisible(int index, bool visible) = 0;
  virtual void ResultsWindowClosed() = 0;  // closed through its title bar: unload it

  // What the picture, its tooltip and the right-click commands show once a computation is
  // taken; a host without one offers none, and the picture is drawn from the fields.
  virtual const TakenComputation* LastComputation() const { return nullptr; }
  virtual bool InputsChangedSinceComputation() const { return false; }
  virtual FileDialogService* ExportDialogs() { return nullptr; }
  virtual void ShowResultList() {}
  virtual void ShowDesignWindow() {}
  // The design last computed in the design window; its rows follow the computation's in the
  // copied and saved list.
  virtual const DesignResult* LastDesign() const { return nullptr; }
};

class Form2 : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(Form2)

 public:
  explicit Form2(ResultsHost& host);

  void Form_Load();
  void Command1_Click();  // OK
  void Command2_Click();  // Hilfe
  void Command3_Click();  // Drucken (the button stays disabled)
  void Command4_Click();  // System
  void Command5_Click();  // Moment
  void Command6_Click();  // Normalkraft
  void Command7_Click();  // Querkraft

  // The right-click menu of the picture and the free client area, with their keys.
  void mnuErgebnisliste_Click();        // F4
  void mnuKopieren_Click();             // Ctrl+C
  void mnuErgebnisseSpeichern_Click();  // Ctrl+S
  void mnuBildSpeichern_Click();        // Ctrl+B
  void mnuBerichtSpeichern_Click();     // Ctrl+R
  void mnuVerformung_Click();           // Ctrl+D
  void mnuBemessung_Click();            // F5
  // The values at a point of the picture (widget pixels), as its tooltip shows them.
  std::optional<QString> PictureReadout(const QPoint& pixel) const;

  void HideDiagramLabels();  // Label3(11) to (23), in index order
  void WriteResultLines(const ResultLines& lines);
  void DrawSystem();
  // The system's supports in the hidden sketch and which reaction lines it has.
  void ShowSystemSymbols(SystemType system);

  QLabel* Label1() const { return label1_; }
  QLabel* Label2(int index) const { return label2_[index]; }
  PictureBox* Picture1() const { return picture_; }
  QPushButton* Command(int number) const { return commands_[number]; }
  SketchFrame* Frame1() const { return frame1_; }
  const LineArray& Line2() const { return line2_; }
  const LineArray& Line3() const { return line3_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void DrawDiagram(DiagramOutcome (*draw)(const InputSet&, const SharedResults&, Canvas&),
                   const QString& what);
  // What the picture is drawn from: the last computation when there is one, else the fields.
  struct Drawn {
    InputSet inputs;
    std::optional<SystemType> system;
    SharedResults results;
  };
  Drawn WhatToDraw() const;
  void HideDeformationLabels();
  void BuildContextMenu();
  // Runs `body` on the last computation; says so when there is none.
  template <class Body>
  void WithComputation(Body&& body);
  // The list as it is copied and saved: the computation's rows, then the design's.
  std::vector<ListRow> ExportRows(const TakenComputation& taken) const;
  // Asks for a file name with these settings; empty when cancelled. A name without a type of
  // the filter gets the chosen type's suffix, and is asked about again when that file exists.
  QString AskSaveName(CommonDialogSettings& settings);

  ResultsHost& host_;
  LineArray line1_, line2_, line3_;  // the hidden frame's sketch, twips
  QLabel* label1_ = nullptr;
  PictureBox* picture_ = nullptr;
  SketchFrame* frame1_ = nullptr;
  std::array<QLabel*, kResultLineCount> label2_{};
  std::array<QPushButton*, 8> commands_{};  // Command1 to Command7; [0] unused
  CommonDialogSettings csvDialog_, pictureDialog_, reportDialog_;
  std::optional<Drawn> drawnFrom_;  // what the picture was last drawn from
};

}  // namespace strevo
