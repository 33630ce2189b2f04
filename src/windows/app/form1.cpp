#include "windows/app/form1.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <exception>

#include "core/analysis/computation.h"
#include "core/analysis/input_table.h"
#include "core/base/arithmetic_fault.h"
#include "core/base/text_rules.h"
#include "core/project/project_file.h"
#include "report/save_file.h"
#include "report/twips.h"
#include "windows/app/main_sketch.h"
#include "windows/ui/make_label.h"
#include "windows/ui/titled_frame.h"

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

const QColor kMarkedText(139, 0, 0);  // dark red: the field reads as less than its text

}  // namespace

template <class Body>
void Form1::Guarded(Body&& body) {
  host_.Guard().Run(this, std::forward<Body>(body));
}

Form1::Form1(MainWindowHost& host)
    : host_(host),
      line1_(MainLine1()),
      line2_(HingeLines()),
      line3_(ClampLines()),
      line4_(MainLine4()),
      line5_(MainLine5()),
      line6_(MainLine6()),
      line7_(MainLine7()) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Strevoberechnung"));
  BuildMenu();
  BuildControls();
}

void Form1::BuildMenu() {
  enum class Place { Menu, Item, Separator, Bar };
  struct Entry {
    Place place;
    const char* name;
    const char* caption;
    void (Form1::*handler)();  // none: the item only stands there
  };
  static const Entry kMenu[] = {
      {Place::Menu, "mnudatei", "&Datei", nullptr},
      {Place::Item, "mnuneu", "Neu", &Form1::mnuneu_Click},
      {Place::Item, "mnuöffnen", "Öffnen", &Form1::mnuoeffnen_Click},
      {Place::Item, "mnuspeichern", "Speichern", &Form1::mnuspeichern_Click},
      {Place::Item, "mnudrucken", "Drucken", &Form1::mnudrucken_Click},
      {Place::Separator, "mnutrenn", "", nullptr},
      {Place::Item, "mnubeenden", "Beenden", &Form1::mnubeenden_Click},
      {Place::Menu, "mnubearbeiten", "&Bearbeiten", nullptr},
      {Place::Item, "mnuausschneiden", "Ausschneiden", nullptr},
      {Place::Item, "mnukopieren", "Kopieren", nullptr},
      {Place::Item, "mnueinfügen", "Einfügen", nullptr},
      {Place::Bar, "mnuquerschnitte", "&Querschnitte", &Form1::mnuquerschnitte_Click},
      {Place::Bar, "mnuschnittgrößen", "&Schnittgrößen", &Form1::mnuschnittgroessen_Click},
      {Place::Menu, "mnuhelp", "?", nullptr},
      {Place::Item, "mnuhilfe", "Hilfe", &Form1::mnuhilfe_Click},
      {Place::Separator, "mnutrenn1", "", nullptr},
      {Place::Item, "mnuinfo", "Info", &Form1::mnuinfo_Click},
  };
  QMenuBar* bar = menuBar();
  QMenu* menu = nullptr;
  for (const Entry& entry : kMenu) {
    const QString caption = QString::fromUtf8(entry.caption);
    QAction* action = nullptr;
    switch (entry.place) {
      case Place::Menu:
        menu = bar->addMenu(caption);
        action = menu->menuAction();
        break;
      // The table opens each menu before its items.
      case Place::Item:
        action = menu->addAction(caption);  // NOLINT(clang-analyzer-core.CallAndMessage)
        break;
      case Place::Separator:
        action = menu->addSeparator();  // NOLINT(clang-analyzer-core.CallAndMessage)
        break;
      case Place::Bar:
        action = bar->addAction(caption);
        break;
    }
    const QString name = QString::fromUtf8(entry.name);
    action->setObjectName(name);
    menu_[name] = action;
    if (entry.handler != nullptr) {
      connect(action, &QAction::triggered, this, entry.handler);
    }
  }
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

  BuildSystemChoice(client);
  frame1_ = new SketchFrame(QStringLiteral("System"), client);
  frame1_->setObjectName(QStringLiteral("Frame1"));
  frame1_->setGeometry(TwipsRect(1320, 3000, 7935, 5895));
  for (const LineArray* lines : {&line1_, &line2_, &line3_, &line4_, &line5_, &line6_}) {
    frame1_->AddLines(lines);
  }
  BuildInputFields();
  for (const Side side : kSides) {  // A right-aligned left of its foot, B left-aligned
    const bool left = side == Side::Left;
    QLabel* label =
        MakeLabel(QStringLiteral("Label4(%1)").arg(left ? 0 : 1), QStringLiteral("Label4"), frame1_,
                  TwipsRect(left ? 1560 : 5040, 3840, 375, 375));
    label->setFont(SansFont(12, true));
    label->setAlignment((left ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
    (left ? footLabelA_ : footLabelB_) = label;
  }
  BuildSignFrame();
  BuildExplanation(client);
}

void Form1::BuildSystemChoice(QWidget* client) {
  frame2_ = new QGroupBox(QStringLiteral("Lagerung"), client);
  frame2_->setObjectName(QStringLiteral("Frame2"));
  frame2_->setGeometry(TwipsRect(1320, 1560, 7935, 975));
  StyleTitledFrame(*frame2_);
  option1Group_ = new QButtonGroup(this);
  for (int i = 0; i < 3; ++i) {
    option1_[i] = new QRadioButton(QStringLiteral("Option1"), frame2_);
    option1_[i]->setObjectName(QStringLiteral("Option1(%1)").arg(i));
    option1_[i]->setGeometry(TwipsRect(kOptionLefts[i], 480, 2175, 255));
    option1Group_->addButton(option1_[i], i);
  }
  connect(option1Group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) {
      Option1_Click(id);
    }
  });
}

// Each field with its caption and unit; the load fields are bold and light blue.
void Form1::BuildInputFields() {
  for (int i = 0; i < kFieldCount; ++i) {
    const InputField& field = kInputFields[i];
    const int captionWidth = (i == kFieldWD || i == kFieldWS) ? 495 : 375;
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
      colours.setColor(QPalette::Base, kLightBlue);
      edit->setPalette(colours);
    }
    text1_[i] = edit;
    connect(edit, &QLineEdit::textChanged, this, [this, i] { Text1_Change(i); });
  }
  connect(text1_[kFieldL], &QLineEdit::editingFinished, this,
          [this] { Guarded([this] { GuardSpan(); }); });
  text1_[kFieldB]->setReadOnly(true);
  for (int i = 0; i + 1 < kFieldCount; ++i) {
    setTabOrder(text1_[i], text1_[i + 1]);
  }
}

void Form1::BuildSignFrame() {
  frame3_ = new SketchFrame(QStringLiteral("Vorzeichen"), frame1_);
  frame3_->setObjectName(QStringLiteral("Frame3"));
  frame3_->setGeometry(TwipsRect(240, 4440, 1215, 1215));
  frame3_->AddLines(&line7_);
  QLabel* plus = MakeLabel(QStringLiteral("Label5"), QStringLiteral("+"), frame3_,
                           TwipsRect(600, 600, 255, 255));
  plus->setFont(SansFont(13.5, true));
  QPalette plusColours = plus->palette();
  plusColours.setColor(QPalette::WindowText, QColor(0, 0, 255));
  plus->setPalette(plusColours);
}

void Form1::BuildExplanation(QWidget* client) {
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
    FootLabel(Side::Left)->setText(QStringLiteral("A"));
    FootLabel(Side::Right)->setText(QStringLiteral("B"));
    for (SketchLine& line : line5_) {
      line.visible = false;
    }
    line5_[0].x1 = line5_[0].x2 = 3792;
    line5_[1].x1 = 3712;
    line5_[1].x2 = 3792;
    line5_[2].x1 = 3872;
    line5_[2].x2 = 3792;
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
    const auto system = static_cast<SystemType>(index);
    ShowSupports(system, line2_, line3_);
    host_.SystemChosen(system);
    frame1_->update();
    host_.InputsEdited();
  });
}

void Form1::SetHingeLineVisible(int index, bool visible) {
  line2_[index].visible = visible;
  frame1_->update();
}

double Form1::Field(int index) const {
  return FieldValueOf(text1_[index]->text().toStdString(), index);
}

// A text that is more than its number shows what every consumer reads from it; a point load
// off the beam marks a the same way, since the computation refuses it.
void Form1::ShowFieldReading(int index) {
  QLineEdit* edit = text1_[index];
  std::optional<std::string> note = FieldReadingNote(edit->text().toStdString());
  if (!note && index == kFieldL && SpanReadsZero()) {
    note = "L = 0: beim Verlassen des Feldes oder beim nächsten Befehl wird 5.00 eingesetzt.";
  }
  if (!note && index == kFieldA) {
    try {
      if (const std::optional<InputRejected> rejection = RejectionOf(ReadInputs())) {
        note = rejection->what();
      }
    } catch (const ArithmeticFault&) {
      // an overflowing field is marked where it stands
    }
  }
  // Set only on a change: a new palette restyles the field, and every keystroke comes here.
  const QColor text = note ? kMarkedText : frame1_->palette().color(QPalette::Text);
  if (edit->palette().color(QPalette::Text) != text) {
    QPalette colours = edit->palette();
    colours.setColor(QPalette::Text, text);
    edit->setPalette(colours);
  }
  const QString tip = note ? QString::fromStdString(*note) : QString();
  if (edit->toolTip() != tip) {
    edit->setToolTip(tip);
  }
}

bool Form1::SpanReadsZero() const {
  try {
    return Field(kFieldL) == 0;
  } catch (const ArithmeticFault&) {
    return false;  // an overflow is marked as such
  }
}

// The engine never sees a span of 0; the replacement waits until the field is left or a
// command runs, so that it never lands in the middle of what is being typed.
void Form1::GuardSpan() {
  if (SpanReadsZero()) {
    text1_[kFieldL]->setText(QStringLiteral("5.00"));
  }
}

void Form1::SetPointLoadControlsVisible(bool visible) {
  for (int i : {kFieldA, kFieldB}) {
    label2_[i]->setVisible(visible);
    label3_[i]->setVisible(visible);
    text1_[i]->setVisible(visible);
  }
  for (const int i : kPointLoadChainLines) {
    line6_[i].visible = visible;
  }
}

// Steps 3 and 4 assign field texts, which raises this reaction again before they return.
// Each step runs even when an earlier one faulted (a field that overflows must not stop b and
// the span guard from following the other fields); the first fault is reported once.
void Form1::Text1_Change(int index) {
  ShowFieldReading(index);  // every field reacts alike otherwise
  if (index != kFieldA) {
    ShowFieldReading(kFieldA);  // whether F stands on the beam depends on F and L too
  }
  Guarded([&] {
    std::exception_ptr firstFault;
    // An overflowing field is reported once until its text changes: a box on every keystroke
    // elsewhere would take the keys meant for the fields.
    const auto step = [&](auto&& body) {
      try {
        body();
      } catch (const ArithmeticFault& fault) {
        const int field = FieldIndexOf(fault.field());
        if (field >= 0 && !reportedOverflows_.insert(field).second) {
          return;
        }
        if (!firstFault) {
          firstFault = std::current_exception();
        }
      }
    };
    reportedOverflows_.erase(index);  // a new text may overflow again: say so once more
    step([&] { SetPointLoadControlsVisible(Field(kFieldF) != 0); });
    step([&] {
      const double L = Field(kFieldL), a = Field(kFieldA);
      const FaultWatch check;
      text1_[kFieldB]->setText(QString::fromStdString(FormatFixed2(check(L - a))));
    });
    step([&] {
      const bool arrow = Field(kFieldF) != 0;
      for (SketchLine& line : line5_) {
        line.visible = arrow;
      }
    });
    step([&] {
      if (Field(kFieldL) == 0) {
        return;  // the arrow stays until the span is typed or replaced
      }
      const PointLoadArrow arrow = PlacePointLoadArrow(Field(kFieldA), Field(kFieldL));
      line5_[0].x1 = line5_[0].x2 = arrow.shaftX;
      line5_[1].x1 = arrow.leftHeadX;
      line5_[1].x2 = arrow.shaftX;
      line5_[2].x1 = arrow.rightHeadX;
      line5_[2].x2 = arrow.shaftX;
    });
    frame1_->update();
    host_.InputsEdited();
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
    commonDialog1_.initialDirectory = QFile::decodeName(host_.ProgramDirectory().c_str());
    commonDialog1_.cancelError = false;
    commonDialog1_.filter = QStringLiteral("Dateien (*.stv)|*.stv");
    const QString name = host_.FileDialogs().ShowOpen(this, commonDialog1_);
    if (name.isEmpty()) {
      return;
    }
    // Read and checked whole before any field changes.
    const Project project = ReadProjectFile(QFile::encodeName(name).toStdString());
    for (int i = 0; i < kFieldCount; ++i) {
      text1_[i]->setText(QString::fromStdString(NumberToText(project.values[i])));
    }
    GuardSpan();
    host_.ChooseFamilies({project.columnFamily, project.beamFamily});
  });
}

void Form1::mnuspeichern_Click() {
  Guarded([&] {
    GuardSpan();
    commonDialog1_.title = QStringLiteral("Speichern");
    commonDialog1_.cancelError = false;
    commonDialog1_.filter = QStringLiteral("Dateien (*.stv)|*.stv");
    commonDialog1_.flags = kOverwritePrompt;
    const QString name = host_.FileDialogs().ShowSave(this, commonDialog1_);
    if (name.isEmpty()) {
      return;
    }
    const SectionFamilies families = host_.ChosenFamilies();
    const std::string contents = FormatProject(Texts(), families.column, families.beam);
    SaveFile(name, [&](QIODevice& device) {
      device.write(contents.data(), static_cast<qint64>(contents.size()));
    });
  });
}

void Form1::mnuquerschnitte_Click() {
  Guarded([&] { host_.ShowSectionsWindow(); });
}

void Form1::mnudrucken_Click() {
  Guarded([&] {
    GuardSpan();
    host_.ComputeAndShow();
  });
}

void Form1::mnuschnittgroessen_Click() {
  Guarded([&] {
    GuardSpan();
    host_.ComputeAndDraw();
  });
}

void Form1::mnuhilfe_Click() {
  Guarded([&] {
    host_.Messages().Show(
        this, {QStringLiteral("Derzeit ist noch keine Hilfe installiert!"), QStringLiteral("Hilfe"),
               MessageIcon::Information, MessageButtons::Ok});
  });
}

void Form1::mnuinfo_Click() {
  Guarded([&] { host_.ShowAboutBox(); });
}

void Form1::mnubeenden_Click() {
  Guarded([&] {
    const MessageAnswer answer = host_.Messages().Show(
        this, {QStringLiteral("Sind Sie sicher, dass Sie das Programm beenden wollen?"),
               QStringLiteral("Beenden"), MessageIcon::Warning, MessageButtons::OkCancel});
    if (answer == MessageAnswer::Ok) {
      host_.Quit();
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
  const int id = option1Group_->checkedId();
  if (id < 0) {
    return std::nullopt;
  }
  return static_cast<SystemType>(id);
}

void Form1::closeEvent(QCloseEvent* event) {
  event->accept();
  host_.Quit();
}

}  // namespace strevo
