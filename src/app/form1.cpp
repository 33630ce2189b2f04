#include "form1.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <exception>

#include "arithmetic_fault.h"
#include "input_table.h"
#include "main_sketch.h"
#include "make_label.h"
#include "project_file.h"
#include "strevo_app.h"
#include "system_symbols.h"
#include "text_rules.h"
#include "twips.h"

namespace strevo {
namespace {

const char* const kExplanation =
    "<p style='font-size:11pt'><b>Strevo Programm</b></p>"
    "<p>Die Strevoberechnung setzt einen gleichschenkeligen Strevo mit horizontalem Riegel "
    "voraus. Die Lagerung kann aber frei gewählt werden.</p>"
    "<p>Beachten Sie das Steifigkeitsverhältnis von Riegel zu Stütze. Vernünftige Verhältnisse "
    "sind 3 : 2 oder 2 : 1.</p>"
    "<p>Die statische Berechnung der Schnittgrößen und Auflagerreaktionen erfolgt mit Hilfe der "
    "Formelsammlung lt. Bautabellen Buch (Ausgabe 2002, Seite 134 ff).</p>"
    "<p>Vier verschiedene Lastfälle können berücksichtigt werden: Gleichlast auf dem Riegel, "
    "Einzellast auf dem Riegel und Gleichlasten auf den Stützen.</p>";

constexpr int kOptionLefts[3] = {480, 3000, 5400};

const char* const kSystemCaptions[3] = {"Geknickter Träger", "Zweigelenk Strevo",
                                        "Eingesp. Strevo"};

}  // namespace

template <class Body>
void Form1::Guarded(Body&& body) {
  app_.Guard().Run(this, std::forward<Body>(body));
}

Form1::Form1(StrevoApp& app)
    : Line1(MainLine1()),
      Line2(HingeLines()),
      Line3(ClampLines()),
      Line4(MainLine4()),
      Line5(MainLine5()),
      Line6(MainLine6()),
      Line7(MainLine7()),
      app_(app) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Strevoberechnung"));
  BuildMenu();
  BuildControls();
}

void Form1::BuildMenu() {
  QMenuBar* bar = menuBar();
  const auto item = [this](QAction* action, const QString& name) {
    action->setObjectName(name);
    menu_[name] = action;
    return action;
  };
  QMenu* datei = bar->addMenu(QStringLiteral("&Datei"));
  item(datei->menuAction(), QStringLiteral("mnudatei"));
  connect(item(datei->addAction(QStringLiteral("Neu")), QStringLiteral("mnuneu")),
          &QAction::triggered, this, &Form1::mnuneu_Click);
  connect(item(datei->addAction(QStringLiteral("Öffnen")), QStringLiteral("mnuöffnen")),
          &QAction::triggered, this, &Form1::mnuoeffnen_Click);
  connect(item(datei->addAction(QStringLiteral("Speichern")), QStringLiteral("mnuspeichern")),
          &QAction::triggered, this, &Form1::mnuspeichern_Click);
  connect(item(datei->addAction(QStringLiteral("Drucken")), QStringLiteral("mnudrucken")),
          &QAction::triggered, this, &Form1::mnudrucken_Click);
  item(datei->addSeparator(), QStringLiteral("mnutrenn"));
  connect(item(datei->addAction(QStringLiteral("Beenden")), QStringLiteral("mnubeenden")),
          &QAction::triggered, this, &Form1::mnubeenden_Click);

  QMenu* bearbeiten = bar->addMenu(QStringLiteral("&Bearbeiten"));
  item(bearbeiten->menuAction(), QStringLiteral("mnubearbeiten"));
  item(bearbeiten->addAction(QStringLiteral("Ausschneiden")), QStringLiteral("mnuausschneiden"));
  item(bearbeiten->addAction(QStringLiteral("Kopieren")), QStringLiteral("mnukopieren"));
  item(bearbeiten->addAction(QStringLiteral("Einfügen")), QStringLiteral("mnueinfügen"));

  connect(item(bar->addAction(QStringLiteral("&Querschnitte")), QStringLiteral("mnuquerschnitte")),
          &QAction::triggered, this, &Form1::mnuquerschnitte_Click);
  connect(
      item(bar->addAction(QStringLiteral("&Schnittgrößen")), QStringLiteral("mnuschnittgrößen")),
      &QAction::triggered, this, &Form1::mnuschnittgroessen_Click);

  QMenu* help = bar->addMenu(QStringLiteral("?"));
  item(help->menuAction(), QStringLiteral("mnuhelp"));
  connect(item(help->addAction(QStringLiteral("Hilfe")), QStringLiteral("mnuhilfe")),
          &QAction::triggered, this, &Form1::mnuhilfe_Click);
  item(help->addSeparator(), QStringLiteral("mnutrenn1"));
  connect(item(help->addAction(QStringLiteral("Info")), QStringLiteral("mnuinfo")),
          &QAction::triggered, this, &Form1::mnuinfo_Click);
}

void Form1::BuildControls() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(Px(14715), Px(10140));
  client->setFont(SansFont(8.25));
  setCentralWidget(client);

  label1_ = MakeLabel(QStringLiteral("Label1"), QStringLiteral("Label1"), client,
                      TwipsRect(2880, 360, 3615, 495));
  label1_->setFont(SansFont(18, true));

  frame2_ = new QGroupBox(QStringLiteral("Lagerung"), client);
  frame2_->setObjectName(QStringLiteral("Frame2"));
  frame2_->setGeometry(TwipsRect(1320, 1560, 7935, 975));
  for (int i = 0; i < 3; ++i) {
    option1_[i] = new QRadioButton(QStringLiteral("Option1"), frame2_);
    option1_[i]->setObjectName(QStringLiteral("Option1(%1)").arg(i));
    option1_[i]->setGeometry(TwipsRect(kOptionLefts[i], 480, 2175, 255));
    connect(option1_[i], &QRadioButton::toggled, this, [this, i](bool checked) {
      if (checked) {
        Option1_Click(i);
      }
    });
  }

  frame1_ = new SketchFrame(QStringLiteral("System"), client);
  frame1_->setObjectName(QStringLiteral("Frame1"));
  frame1_->setGeometry(TwipsRect(1320, 3000, 7935, 5895));
  for (const LineArray* lines : {&Line1, &Line2, &Line3, &Line4, &Line5, &Line6}) {
    frame1_->AddLines(lines);
  }
  const QColor lightBlue(192, 192, 255);
  for (int i = 0; i < kFieldCount; ++i) {
    const InputField& field = kInputFields[i];
    const int captionWidth = (i == 0 || i == 6) ? 495 : 375;
    label2_[i] = MakeLabel(QStringLiteral("Label2(%1)").arg(i), QStringLiteral("Label2"), frame1_,
                           TwipsRect(field.captionLeft, field.top, captionWidth, 255));
    label2_[i]->setAlignment(Qt::AlignRight | Qt::AlignTop);
    label2_[i]->setFont(SansFont(8.25, IsLoadField(i)));
    label3_[i] = MakeLabel(QStringLiteral("Label3(%1)").arg(i), QStringLiteral("Label3"), frame1_,
                           TwipsRect(field.unitLeft, field.top, 495, 255));
    auto* edit = new QLineEdit(QStringLiteral("Text1"), frame1_);
    edit->setObjectName(QStringLiteral("Text1(%1)").arg(i));
    const int width = (i == kFieldI1 || i == kFieldI2) ? 855 : 735;
    edit->setGeometry(TwipsRect(field.left, field.top, width, 285));
    if (IsLoadField(i)) {
      QPalette colours = edit->palette();
      colours.setColor(QPalette::Base, lightBlue);
      edit->setPalette(colours);
    }
    text1_[i] = edit;
    connect(edit, &QLineEdit::textChanged, this, [this, i] { Text1_Change(i); });
  }
  text1_[kFieldB]->setReadOnly(true);
  for (int i = 0; i + 1 < kFieldCount; ++i) {
    setTabOrder(text1_[i], text1_[i + 1]);
  }
  for (int i = 0; i < 2; ++i) {
    label4_[i] = MakeLabel(QStringLiteral("Label4(%1)").arg(i), QStringLiteral("Label4"), frame1_,
                           TwipsRect(i == 0 ? 1560 : 5040, 3840, 375, 375));
    label4_[i]->setFont(SansFont(12, true));
    label4_[i]->setAlignment((i == 0 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
  }

  frame3_ = new SketchFrame(QStringLiteral("Vorzeichen"), frame1_);
  frame3_->setObjectName(QStringLiteral("Frame3"));
  frame3_->setGeometry(TwipsRect(240, 4440, 1215, 1215));
  frame3_->AddLines(&Line7);
  QLabel* plus = MakeLabel(QStringLiteral("Label5"), QStringLiteral("+"), frame3_,
                           TwipsRect(600, 600, 255, 255));
  plus->setFont(SansFont(13.5, true));
  QPalette plusColours = plus->palette();
  plusColours.setColor(QPalette::WindowText, QColor(0, 0, 255));
  plus->setPalette(plusColours);

  image1_ = MakeLabel(QStringLiteral("Image1"), QString::fromUtf8(kExplanation), client,
                      TwipsRect(10560, 2280, 3510, 6615));
  image1_->setWordWrap(true);
  image1_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  image1_->setMargin(6);
  image1_->setAutoFillBackground(true);
  QPalette imageColours = image1_->palette();
  imageColours.setColor(QPalette::Window, Qt::white);
  imageColours.setColor(QPalette::WindowText, Qt::black);
  image1_->setPalette(imageColours);
  image1_->setFrameStyle(QFrame::Box | QFrame::Plain);
}

void Form1::Form1_Form_Load() {
  Guarded([&] {
    label1_->setText(QStringLiteral("Strevo"));
    for (int i = 0; i < 3; ++i) {
      option1_[i]->setText(QString::fromUtf8(kSystemCaptions[i]));
    }
    option1_[1]->setChecked(true);
    for (int i = 0; i < kFieldCount; ++i) {
      label2_[i]->setText(QString::fromUtf8(kInputFields[i].caption));
      label3_[i]->setText(QString::fromUtf8(kInputFields[i].unit));
      text1_[i]->setText(QString::fromUtf8(kInputFields[i].defaultText));
    }
    label4_[0]->setText(QStringLiteral("A"));
    label4_[1]->setText(QStringLiteral("B"));
    for (SketchLine& line : Line5) {
      line.visible = false;
    }
    Line5[0].x1 = Line5[0].x2 = 3792;
    Line5[1].x1 = 3712;
    Line5[1].x2 = 3792;
    Line5[2].x1 = 3872;
    Line5[2].x2 = 3792;
    for (const char* name :
         {"mnuöffnen", "mnuspeichern", "mnuausschneiden", "mnukopieren", "mnueinfügen"}) {
      menu_.at(QString::fromUtf8(name))->setEnabled(false);
    }
    frame1_->update();
  });
}

void Form1::Option1_Click(int index) {
  Guarded([&] {
    if (index < 0 || index > 2) {
      return;
    }
    const SystemSymbols symbols = SymbolsFor(static_cast<SystemType>(index));
    for (std::size_t i = 0; i < Line3.size(); ++i) {
      Line3[i].visible = symbols.clamps;
      app_.ResultsWindow().Line3[i].visible = symbols.clamps;
    }
    for (std::size_t i = 0; i < Line2.size(); ++i) {
      Line2[i].visible = symbols.hinges[i];
      app_.ResultsWindow().Line2[i].visible = symbols.hinges[i];
    }
    Form2& results = app_.ResultsWindow();
    results.Label2(2)->setVisible(symbols.lineMA);
    results.Label2(3)->setVisible(symbols.lineBH);
    results.Label2(5)->setVisible(symbols.lineMB);
    results.Frame1()->update();
    frame1_->update();
  });
}

double Form1::Field(int index) const {
  return FieldValue(text1_[index]->text().toStdString());
}

void Form1::SetPointLoadControlsVisible(bool visible) {
  for (int i : {kFieldA, kFieldB}) {
    label2_[i]->setVisible(visible);
    label3_[i]->setVisible(visible);
    text1_[i]->setVisible(visible);
  }
  for (int i : {0, 1, 2, 3, 4, 15, 16}) {
    Line6[i].visible = visible;
  }
}

// Steps 3 and 4 assign field texts, which raises this reaction again before they return.
// Each step runs even when an earlier one faulted (a field that overflows must not stop b and
// the span guard from following the other fields); the first fault is reported once.
void Form1::Text1_Change(int /*index: every field reacts alike*/) {
  Guarded([&] {
    std::exception_ptr firstFault;
    const auto step = [&](auto&& body) {
      try {
        body();
      } catch (const ArithmeticFault&) {
        if (!firstFault) {
          firstFault = std::current_exception();
        }
      }
    };
    step([&] { SetPointLoadControlsVisible(Field(kFieldF) != 0); });
    step([&] {
      const double L = Field(kFieldL), a = Field(kFieldA);
      const FaultWatch check;
      text1_[kFieldB]->setText(QString::fromStdString(FormatFixed2(check(L - a))));
    });
    step([&] {
      if (Field(kFieldL) == 0) {
        text1_[kFieldL]->setText(QStringLiteral("5.00"));
      }
    });
    step([&] {
      const bool arrow = Field(kFieldF) != 0;
      for (SketchLine& line : Line5) {
        line.visible = arrow;
      }
    });
    step([&] {
      const double a = Field(kFieldA), L = Field(kFieldL);
      const FaultWatch check;
      const double offset = check(a * 2520 / L);
      const double xF = check.Single(offset + 2280);
      Line5[0].x1 = xF;
      Line5[0].x2 = xF;
      Line5[1].x1 = check.Single(offset + 2190);
      Line5[1].x2 = xF;
      Line5[2].x1 = check.Single(offset + 2370);
      Line5[2].x2 = xF;
    });
    frame1_->update();
    if (firstFault) {
      std::rethrow_exception(firstFault);
    }
  });
}

void Form1::mnuneu_Click() {
  Guarded([&] {
    option1_[1]->setChecked(true);
    for (int i = 0; i < kFieldCount; ++i) {
      text1_[i]->setText(QString::fromUtf8(kInputFields[i].defaultText));
    }
  });
}

void Form1::mnuoeffnen_Click() {
  Guarded([&] {
    commonDialog1_.title = QStringLiteral("Öffnen");
    commonDialog1_.initialDirectory = QFile::decodeName(app_.ProgramDirectory().c_str());
    commonDialog1_.cancelError = false;
    commonDialog1_.filter = QStringLiteral("Dateien (*.stv)|*.stv");
    const QString name = app_.FileDialogs().ShowOpen(this, commonDialog1_);
    if (name.isEmpty()) {
      return;
    }
    // Read and checked whole before any field changes.
    const Project project = ReadProjectFile(QFile::encodeName(name).toStdString());
    for (int i = 0; i < kFieldCount; ++i) {
      text1_[i]->setText(QString::fromStdString(NumberToText(project.values[i])));
    }
    Form4& sections = app_.SectionsWindow();
    sections.SetColumnFamily(project.columnFamily);
    sections.SetBeamFamily(project.beamFamily);
  });
}

void Form1::mnuspeichern_Click() {
  Guarded([&] {
    commonDialog1_.title = QStringLiteral("Speichern");
    commonDialog1_.cancelError = false;
    commonDialog1_.filter = QStringLiteral("Dateien (*.stv)|*.stv");
    commonDialog1_.flags = kOverwritePrompt;
    const QString name = app_.FileDialogs().ShowSave(this, commonDialog1_);
    if (name.isEmpty()) {
      return;
    }
    const Form4& sections = app_.SectionsWindow();
    WriteProjectFile(QFile::encodeName(name).toStdString(),
                     FormatProject(Texts(), sections.ColumnFamily(), sections.BeamFamily()));
  });
}

void Form1::mnuquerschnitte_Click() {
  Guarded([&] { app_.ShowSectionsWindow(); });
}

void Form1::mnudrucken_Click() {
  Guarded([&] {
    app_.RunComputation();
    app_.ShowResultsWindow();
  });
}

void Form1::mnuschnittgroessen_Click() {
  Guarded([&] {
    app_.ShowResultsWindow();
    Form2& results = app_.ResultsWindow();
    results.HideDiagramLabels();
    app_.RunComputation();
    results.DrawSystem();
  });
}

void Form1::mnuhilfe_Click() {
  Guarded([&] {
    app_.Messages().Show(
        this, {QStringLiteral("Derzeit ist noch keine Hilfe installiert!"), QStringLiteral("Hilfe"),
               MessageIcon::Information, MessageButtons::Ok});
  });
}

void Form1::mnuinfo_Click() {
  Guarded([&] { app_.ShowAboutBox(); });
}

void Form1::mnubeenden_Click() {
  Guarded([&] {
    const MessageAnswer answer = app_.Messages().Show(
        this, {QStringLiteral("Sind Sie sicher, dass Sie das Programm beenden wollen?"),
               QStringLiteral("Beenden"), MessageIcon::Warning, MessageButtons::OkCancel});
    if (answer == MessageAnswer::Ok) {
      app_.Quit();
    }
  });
}

FieldTexts Form1::Texts() const {
  FieldTexts texts;
  for (int i = 0; i < kFieldCount; ++i) {
    texts[i] = text1_[i]->text().toStdString();
  }
  return texts;
}

std::optional<SystemType> Form1::SelectedSystem() const {
  for (int i = 0; i < 3; ++i) {
    if (option1_[i]->isChecked()) {
      return static_cast<SystemType>(i);
    }
  }
  return std::nullopt;
}

void Form1::closeEvent(QCloseEvent* event) {
  event->accept();
  app_.Quit();
}

}  // namespace strevo
