#include "windows/results/form2.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QToolTip>
#include <vector>

#include "core/design/design_output.h"
#include "core/drawing/deflected_shape.h"
#include "core/drawing/system_symbols.h"
#include "core/drawing/value_label_layout.h"
#include "report/twips.h"
#include "windows/results/picture_box.h"
#include "windows/results/result_exports.h"
#include "windows/ui/make_label.h"
#include "windows/ui/portal_sketch.h"

namespace strevo {
namespace {

struct ResultLineLayout {
  int left, top;
  bool bold;
  Qt::Alignment alignment;
};

ResultLineLayout LineLayout(int index) {
  static constexpr int kLefts[7] = {360, 5160, 600, 1680, 2760, 4080, 5040};
  static constexpr int kTops[7][3] = {{3600, 3960, 4320}, {3600, 3960, 4320}, {1680, 1920, 2160},
                                      {840, 1080, 1320},  {1920, 2160, 2400}, {840, 1080, 1320},
                                      {1680, 1920, 2160}};
  const int group = index / 3;
  Qt::Alignment alignment = Qt::AlignLeft;
  if (group == 0) {
    alignment = Qt::AlignRight;
  } else if (index == 12 || index == 13) {
    alignment = Qt::AlignHCenter;
  }
  return {kLefts[group], kTops[group][index % 3], group <= 1, alignment};
}

}  // namespace

Form2::Form2(ResultsHost& host)
    : host_(host), line1_(PortalMembers()), line2_(HingeLines()), line3_(ClampLines()) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("Schnittgrößen"));
  setFixedSize(Px(9375), Px(7920));
  setFont(SansFont(8.25));

  label1_ = MakeLabel(QStringLiteral("Label1"), QStringLiteral("Label1"), this,
                      TwipsRect(720, 360, 6135, 375));
  label1_->setFont(SansFont(9.75));

  frame1_ = new SketchFrame(QStringLiteral("System"), this);
  frame1_->setObjectName(QStringLiteral("Frame1"));
  frame1_->setGeometry(TwipsRect(720, 1440, 7935, 5055));
  frame1_->AddLines(&line1_);
  frame1_->AddLines(&line2_);
  frame1_->AddLines(&line3_);
  frame1_->hide();
  for (int i = 0; i < kResultLineCount; ++i) {
    const ResultLineLayout layout = LineLayout(i);
    QLabel* label = MakeLabel(QStringLiteral("Label2(%1)").arg(i), QStringLiteral("Label2"),
                              frame1_, TwipsRect(layout.left, layout.top, 1575, 255));
    label->setFont(SansFont(8.25, layout.bold));
    label->setAlignment(layout.alignment | Qt::AlignTop);
    label2_[i] = label;
  }

  picture_ = new PictureBox(this);
  picture_->setObjectName(QStringLiteral("Picture1"));
  picture_->setGeometry(TwipsRect(600, 1200, kPictureTwips, kPictureTwips));

  const struct {
    int number;
    const char* caption;
    int left, top;
  } buttons[] = {{1, "OK", 6000, 7200},       {2, "Hilfe", 7440, 7200},
                 {3, "Drucken", 720, 7200},   {4, "System", 7080, 2160},
                 {5, "Moment", 7080, 2880},   {6, "Normalkraft", 7080, 3600},
                 {7, "Querkraft", 7080, 4320}};
  for (const auto& b : buttons) {
    auto* button = new QPushButton(QString::fromUtf8(b.caption), this);
    button->setObjectName(QStringLiteral("Command%1").arg(b.number));
    button->setGeometry(TwipsRect(b.left, b.top, 1215, 375));
    commands_[b.number] = button;
  }
  commands_[3]->setEnabled(false);
  for (int n = 1; n < 7; ++n) {
    setTabOrder(commands_[n], commands_[n + 1]);
  }
  setTabOrder(commands_[7], picture_);

  connect(commands_[1], &QPushButton::clicked, this, &Form2::Command1_Click);
  connect(commands_[2], &QPushButton::clicked, this, &Form2::Command2_Click);
  connect(commands_[3], &QPushButton::clicked, this, &Form2::Command3_Click);
  connect(commands_[4], &QPushButton::clicked, this, &Form2::Command4_Click);
  connect(commands_[5], &QPushButton::clicked, this, &Form2::Command5_Click);
  connect(commands_[6], &QPushButton::clicked, this, &Form2::Command6_Click);
  connect(commands_[7], &QPushButton::clicked, this, &Form2::Command7_Click);
  BuildContextMenu();
}

void Form2::BuildContextMenu() {
  const struct {
    const char* name;
    const char* caption;
    QKeySequence keys;
    void (Form2::*handler)();
  } entries[] = {
      {"Ergebnisliste", "Ergebnisliste", QKeySequence(Qt::Key_F4), &Form2::mnuErgebnisliste_Click},
      {"Kopieren", "Kopieren", QKeySequence::Copy, &Form2::mnuKopieren_Click},
      {"ErgebnisseSpeichern", "Ergebnisse speichern…", QKeySequence(Qt::CTRL | Qt::Key_S),
       &Form2::mnuErgebnisseSpeichern_Click},
      {"BildSpeichern", "Bild speichern…", QKeySequence(Qt::CTRL | Qt::Key_B),
       &Form2::mnuBildSpeichern_Click},
      {"BerichtSpeichern", "Bericht speichern…", QKeySequence(Qt::CTRL | Qt::Key_R),
       &Form2::mnuBerichtSpeichern_Click},
      {"Verformung", "Verformung", QKeySequence(Qt::CTRL | Qt::Key_D), &Form2::mnuVerformung_Click},
      {"Bemessung", "Bemessung…", QKeySequence(Qt::Key_F5), &Form2::mnuBemessung_Click},
  };
  for (const auto& entry : entries) {
    auto* action = new QAction(QString::fromUtf8(entry.caption), this);
    action->setObjectName(QString::fromUtf8(entry.name));
    action->setShortcut(entry.keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, entry.handler);
    addAction(action);
    picture_->addAction(action);
  }
  setContextMenuPolicy(Qt::ActionsContextMenu);
  picture_->setContextMenuPolicy(Qt::ActionsContextMenu);
  picture_->setToolTip(
      QStringLiteral("Rechte Maustaste: Ergebnisliste (F4), Kopieren (Strg+C), Ergebnisse, Bild "
                     "und Bericht speichern (Strg+S, Strg+B, Strg+R), Verformung (Strg+D), "
                     "Bemessung mit Lastfällen (F5). Über einem Stab zeigt die Maus die Werte an "
                     "dieser Stelle."));
  picture_->installEventFilter(this);
}

std::optional<QString> Form2::PictureReadout(const QPoint& pixel) const {
  const TakenComputation* taken = host_.LastComputation();
  if (taken == nullptr) {
    return std::nullopt;
  }
  constexpr qreal kReachPixels = 4;
  const PictureViewport& viewport = picture_->Viewport();
  const QPointF point = viewport.ToPicture(pixel);
  const std::optional<std::string> text =
      ReadoutAt(taken->Snapshot(), point.x(), point.y(), viewport.ToPictureUnits(kReachPixels));
  if (!text) {
    return std::nullopt;
  }
  return QString::fromStdString(*text);
}

// Over a member the picture's tooltip gives the values there; elsewhere its own text.
bool Form2::eventFilter(QObject* watched, QEvent* event) {
  if (watched == picture_ && event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    QString text = PictureReadout(help->pos()).value_or(picture_->toolTip());
    const TakenComputation* taken = host_.LastComputation();
    if (taken != nullptr && drawnFrom_ &&
        !InputsMatch(taken->Snapshot(), drawnFrom_->inputs, drawnFrom_->system)) {
      // "Drucken" computes without drawing: the picture may be older than the values.
      text += QStringLiteral("\n\nDas Bild gehört zu einer früheren Berechnung.");
    }
    if (host_.InputsChangedSinceComputation()) {
      // The picture shows the last computation, not the fields as they read now.
      text += QStringLiteral("\n\n") + QString::fromUtf8(kInputsChangedNote);
    }
    QToolTip::showText(help->globalPos(), text, picture_);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void Form2::mnuVerformung_Click() {
  WithComputation([this](const TakenComputation& taken) {
    const Computation& computation = taken.Snapshot();
    if (!picture_->Label3(kFirstDeformationLabel)->isHidden()) {
      picture_->RemoveStrokes(kDeformationColour);  // shown: the key takes it away again
      HideDeformationLabels();
      return;
    }
    QString text;
    if (!computation.deformation) {
      text = QStringLiteral("Die Verformungen sind nicht berechenbar: %1.")
                 .arg(QString::fromStdString(computation.deformationFault));
    } else {
      drawnFrom_ = Drawn{computation.inputs, computation.system, computation.results};
      switch (DrawDeflectedShape(computation, picture_->Canvas())) {
        case DiagramOutcome::Drawn:
          return;
        case DiagramOutcome::NoSystemDrawing:
          text = QStringLiteral("Ohne Höhe und Spannweite gibt es kein Bild der Verformung.");
          break;
        case DiagramOutcome::NothingToDraw:
          text = QString::fromStdString(NothingToDrawNote("Verschiebungen"));
          break;
      }
    }
    host_.Messages().Show(this, {text, QStringLiteral("Schnittgrößen"), MessageIcon::Information,
                                 MessageButtons::Ok});
  });
}

template <class Body>
void Form2::WithComputation(Body&& body) {
  host_.Guard().Run(this, [&] {
    const TakenComputation* taken = host_.LastComputation();
    if (taken == nullptr) {
      host_.Messages().Show(
          this, {QStringLiteral("Noch keine Berechnung. Wählen Sie im Hauptfenster "
                                "„Schnittgrößen“."),
                 QStringLiteral("Schnittgrößen"), MessageIcon::Information, MessageButtons::Ok});
      return;
    }
    body(*taken);
  });
}

QString Form2::AskSaveName(CommonDialogSettings& settings) {
  FileDialogService* dialogs = host_.ExportDialogs();
  return dialogs == nullptr ? QString()
                            : strevo::AskSaveName(this, *dialogs, host_.Messages(), settings);
}

void Form2::mnuErgebnisliste_Click() {
  host_.Guard().Run(this, [this] { host_.ShowResultList(); });
}

void Form2::mnuBemessung_Click() {
  host_.Guard().Run(this, [this] { host_.ShowDesignWindow(); });
}

std::vector<ListRow> Form2::ExportRows(const TakenComputation& taken) const {
  return WithDesignRows(WithChangeNote(taken.ListRows(), host_.InputsChangedSinceComputation()),
                        host_.LastDesign());
}

void Form2::mnuKopieren_Click() {
  WithComputation([this](const TakenComputation& taken) { CopyResultList(ExportRows(taken)); });
}

void Form2::mnuErgebnisseSpeichern_Click() {
  WithComputation([this](const TakenComputation& taken) {
    csvDialog_.title = QStringLiteral("Ergebnisse speichern");
    csvDialog_.filter = QStringLiteral("CSV-Dateien (*.csv)|*.csv");
    const QString name = AskSaveName(csvDialog_);
    if (!name.isEmpty()) {
      SaveResultCsv(name, ExportRows(taken));
    }
  });
}

void Form2::mnuBildSpeichern_Click() {
  WithComputation([this](const TakenComputation&) {
    pictureDialog_.title = QStringLiteral("Bild speichern");
    pictureDialog_.filter = QStringLiteral("PNG-Bilder (*.png)|*.png|SVG-Grafiken (*.svg)|*.svg");
    const QString name = AskSaveName(pictureDialog_);
    if (!name.isEmpty()) {
      SavePicture(name, *this, picture_->geometry());
    }
  });
}

void Form2::mnuBerichtSpeichern_Click() {
  WithComputation([this](const TakenComputation& taken) {
    reportDialog_.title = QStringLiteral("Bericht speichern");
    reportDialog_.filter = QStringLiteral("PDF-Dokumente (*.pdf)|*.pdf");
    const QString name = AskSaveName(reportDialog_);
    if (!name.isEmpty()) {
      SaveReport(name, taken,
                 {QDateTime::currentDateTime(), host_.InputsChangedSinceComputation(),
                  host_.LastDesign()});
    }
  });
}

void Form2::Form_Load() {
  label1_->setText(QStringLiteral("Das Programm hat folgende Ergebnisse berechnet"));
  label2_[14]->setVisible(false);
  const std::optional<SystemType> system = host_.SelectedSystem();
  if (!system) {
    return;
  }
  // The fixed frame's set-up also hides the main window's hinges, as the system choice does.
  if (*system == SystemType::FixedFrame) {
    for (std::size_t i = 0; i < HingeLines().size(); ++i) {
      host_.SetMainHingeLineVisible(static_cast<int>(i), false);
    }
  }
  ShowSystemSymbols(*system);
}

void Form2::ShowSystemSymbols(SystemType system) {
  ShowSupports(system, line2_, line3_);
  const SystemSymbols symbols = SymbolsFor(system);
  label2_[2]->setVisible(symbols.lineMA);
  label2_[3]->setVisible(symbols.lineBH);
  label2_[5]->setVisible(symbols.lineMB);
  frame1_->update();
}

void Form2::Command1_Click() {
  hide();
}

void Form2::Command2_Click() {
  host_.Messages().Show(
      this, {QStringLiteral("Derzeit ist noch keine Hilfe installiert!"), QStringLiteral("Hilfe"),
             MessageIcon::Information, MessageButtons::Ok});
}

void Form2::Command3_Click() {
  host_.Guard().Run(this, [this] {
    const MessageAnswer answer = host_.Messages().Show(
        this, {QStringLiteral("Drucker vorbereiten?"), QStringLiteral("Drucken"),
               MessageIcon::Question, MessageButtons::OkCancel});
    if (answer != MessageAnswer::Ok) {
      return;
    }
    // Asked first, so that a desktop without a printer leaves the window as it was.
    if (!host_.Printers().HasPrinter()) {
      host_.Messages().Show(
          this, {QStringLiteral("Es ist kein Drucker eingerichtet."), QStringLiteral("Drucken"),
                 MessageIcon::Information, MessageButtons::Ok});
      return;
    }
    const QColor paper = palette().color(QPalette::HighlightedText);
    std::vector<QWidget*> backgrounds = {label1_, frame1_, this};
    backgrounds.insert(backgrounds.end(), label2_.begin(), label2_.end());
    for (QWidget* widget : backgrounds) {
      QPalette colours = widget->palette();
      colours.setColor(QPalette::Window, paper);
      widget->setPalette(colours);
      widget->setAutoFillBackground(true);
    }
    for (int n = 1; n <= 3; ++n) {
      commands_[n]->hide();
    }
    if (!host_.Printers().Print(*this)) {
      host_.Messages().Show(
          this, {QStringLiteral("Das Drucken ist fehlgeschlagen."), QStringLiteral("Drucken"),
                 MessageIcon::Warning, MessageButtons::Ok});
    }
    close();
  });
}

void Form2::Command4_Click() {
  host_.Guard().Run(this, [this] {
    HideDiagramLabels();
    DrawSystem();
  });
}

void Form2::Command5_Click() {
  DrawDiagram(&DrawMomentDiagram, QStringLiteral("Momente"));
}

void Form2::Command6_Click() {
  DrawDiagram(&DrawNormalForceDiagram, QStringLiteral("Normalkräfte"));
}

void Form2::Command7_Click() {
  DrawDiagram(&DrawShearDiagram, QStringLiteral("Querkräfte"));
}

void Form2::DrawDiagram(DiagramOutcome (*draw)(const InputSet&, const SharedResults&, Canvas&),
                        const QString& what) {
  host_.Guard().Run(this, [&] {
    HideDiagramLabels();
    const Drawn drawn = WhatToDraw();
    drawnFrom_ = drawn;
    const DiagramOutcome outcome = draw(drawn.inputs, drawn.results, picture_->Canvas());
    QString text;
    if (outcome == DiagramOutcome::NoSystemDrawing) {
      text = QStringLiteral(
          "Das System ist noch nicht gezeichnet. Bitte zeichnen Sie zuerst das System "
          "(Schaltfläche „System“ oder Menü „Schnittgrößen“).");
    } else if (outcome == DiagramOutcome::NothingToDraw) {
      text = QString::fromStdString(NothingToDrawNote(what.toStdString()));
    } else {
      return;
    }
    host_.Messages().Show(this, {text, QStringLiteral("Schnittgrößen"), MessageIcon::Information,
                                 MessageButtons::Ok});
  });
}

void Form2::HideDiagramLabels() {
  for (int i = kLabelM1; i <= kLabelN5; ++i) {
    picture_->Canvas().SetLabelVisible(i, false);
  }
}

void Form2::WriteResultLines(const ResultLines& lines) {
  for (const ResultLine& line : lines) {
    label2_[line.index]->setText(QString::fromStdString(ResultLineText(line)));
  }
}

void Form2::HideDeformationLabels() {
  for (int i = kFirstDeformationLabel; i < kValueLabelCount; ++i) {
    picture_->Canvas().SetLabelVisible(i, false);
  }
}

Form2::Drawn Form2::WhatToDraw() const {
  const SharedResults& shared = host_.Results();
  const TakenComputation* taken = host_.LastComputation();
  if (taken == nullptr) {
    return {host_.ReadInputs(), host_.SelectedSystem(), shared};
  }
  const Computation& computation = taken->Snapshot();
  // The values of the last computation with the scale of the picture as it was drawn: fields
  // edited since, or a failed run that left some shared values behind, must not enter.
  Drawn drawn{computation.inputs, computation.system, computation.results};
  drawn.results.Lmax = shared.Lmax;
  return drawn;
}

void Form2::DrawSystem() {
  HideDeformationLabels();  // the deflected shape goes with the drawing
  Drawn drawn = WhatToDraw();
  drawnFrom_ = drawn;
  // The scale is stored before the drawing can fault, and it stays stored when it does.
  const auto storeScale = qScopeGuard([&] { host_.Results().Lmax = drawn.results.Lmax; });
  strevo::DrawSystem(drawn.inputs, drawn.system, drawn.results, picture_->Canvas());
}

void Form2::closeEvent(QCloseEvent* event) {
  event->accept();
  host_.ResultsWindowClosed();
}

}  // namespace strevo
