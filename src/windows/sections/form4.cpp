#include "windows/sections/form4.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

#include "core/analysis/input_table.h"
#include "core/sections/profile_table.h"
#include "report/twips.h"
#include "windows/ui/make_label.h"
#include "windows/ui/titled_frame.h"

namespace strevo {
namespace {

QGroupBox* MakeFrame(const QString& name, const QString& title, QWidget* parent, int left) {
  auto* frame = new QGroupBox(title, parent);
  frame->setObjectName(name);
  frame->setGeometry(TwipsRect(left, 1320, 2535, 4095));
  StyleTitledFrame(*frame);
  return frame;
}

}  // namespace

Form4::Form4(SectionsHost& host) : host_(host) {
  setObjectName(QStringLiteral("Form4"));
  setWindowTitle(QStringLiteral("Querschnittsauswahl"));
  setFixedSize(Px(6555), Px(6675));
  setFont(SansFont(8.25));

  label1_ = MakeLabel(QStringLiteral("Label1"), QStringLiteral("Label1"), this,
                      TwipsRect(480, 360, 4815, 495));
  label1_->setFont(SansFont(9.75));

  BuildFrames();
  BuildCommands();
  ConnectHandlers();

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect available = screen->availableGeometry();
    move(available.center() - rect().center());
  }
}

// The two frames "Stützen" and "Riegel", each with its family list and section list.
void Form4::BuildFrames() {
  QGroupBox* frame1 = MakeFrame(QStringLiteral("Frame1"), QStringLiteral("Stützen"), this, 480);
  QGroupBox* frame2 = MakeFrame(QStringLiteral("Frame2"), QStringLiteral("Riegel"), this, 3480);
  label2_ = MakeLabel(QStringLiteral("Label2"), QStringLiteral("Label2"), frame1,
                      TwipsRect(720, 480, 1455, 255));
  label3_ = MakeLabel(QStringLiteral("Label3"), QStringLiteral("Label3"), frame2,
                      TwipsRect(720, 480, 1455, 255));
  for (QLabel* label : {label2_, label3_}) {
    label->setFont(SansFont(8.25, true));
  }
  combo1_ = new QComboBox(frame1);
  combo2_ = new QComboBox(frame2);
  list1_ = new QListWidget(frame1);
  list2_ = new QListWidget(frame2);
  combo1_->setObjectName(QStringLiteral("Combo1"));
  combo2_->setObjectName(QStringLiteral("Combo2"));
  list1_->setObjectName(QStringLiteral("List1"));
  list2_->setObjectName(QStringLiteral("List2"));
  for (QComboBox* combo : {combo1_, combo2_}) {
    combo->setGeometry(Px(720), Px(840), Px(1455), combo->sizeHint().height());
  }
  for (QListWidget* list : {list1_, list2_}) {
    list->setGeometry(TwipsRect(720, 1440, 855, 2400));
  }
  // Present in the layout without a role; they stay invisible.
  for (auto [name, frame] : {std::pair{"Label5", frame1}, std::pair{"Label6", frame1},
                             std::pair{"Label4", frame2}, std::pair{"Label7", frame2}}) {
    const QString labelName = QString::fromUtf8(name);
    QLabel* label = MakeLabel(labelName, labelName, frame, TwipsRect(1680, 1440, 735, 255));
    label->hide();
  }
}

void Form4::BuildCommands() {
  commands_[0] = new QPushButton(QStringLiteral("OK"), this);
  commands_[0]->setObjectName(QStringLiteral("Command1"));
  commands_[0]->setGeometry(TwipsRect(3600, 6000, 1215, 375));
  commands_[1] = new QPushButton(QStringLiteral("Hilfe"), this);
  commands_[1]->setObjectName(QStringLiteral("Command2"));
  commands_[1]->setGeometry(TwipsRect(5040, 6000, 1215, 375));
}

void Form4::ConnectHandlers() {
  connect(combo1_, &QComboBox::activated, this, &Form4::Combo1_Click);
  connect(combo2_, &QComboBox::activated, this, &Form4::Combo2_Click);
  connect(list1_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) {
      List1_Click();
    }
  });
  connect(list2_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) {
      List2_Click();
    }
  });
  // A click is the choice even on the row already chosen: after an edit of I1 or I2 it writes
  // the section's value again. (On another row the value is written twice, the same both times.)
  connect(list1_, &QListWidget::itemClicked, this, &Form4::List1_Click);
  connect(list2_, &QListWidget::itemClicked, this, &Form4::List2_Click);
  connect(commands_[0], &QPushButton::clicked, this, &Form4::Command1_Click);
  connect(commands_[1], &QPushButton::clicked, this, &Form4::Command2_Click);
}

void Form4::Form_Load() {
  label1_->setText(QStringLiteral("Wählen Sie hier die Querschnitte aus."));
  label2_->setText(QStringLiteral("I-Profile"));
  label3_->setText(QStringLiteral("I-Profile"));
  for (QComboBox* combo : {combo1_, combo2_}) {
    for (const ProfileFamily& family : kProfileFamilies) {
      combo->addItem(QString::fromUtf8(family.entry));
    }
    combo->setCurrentIndex(-1);
  }
  SetColumnFamily(1);
  SetBeamFamily(2);
}

void Form4::SetColumnFamily(int position) {
  combo1_->setCurrentIndex(position);
  Combo1_Click();
}

void Form4::SetBeamFamily(int position) {
  combo2_->setCurrentIndex(position);
  Combo2_Click();
}

int Form4::ColumnFamily() const {
  return combo1_->currentIndex();
}
int Form4::BeamFamily() const {
  return combo2_->currentIndex();
}

void Form4::Combo1_Click() {
  FamilyChosen(Columns());
}
void Form4::Combo2_Click() {
  FamilyChosen(Beam());
}
void Form4::List1_Click() {
  SectionChosen(Columns());
}
void Form4::List2_Click() {
  SectionChosen(Beam());
}

// A table that cannot be read is reported here, once for each opening of the window, and leaves
// the list cleared; whatever command loaded this window (the project file's commands do) goes
// on. A damaged table is reported the same way; its sound rows can still be chosen.
void Form4::FamilyChosen(const Side& side) {
  const int position = side.combo->currentIndex();
  if (position < 0 || position >= static_cast<int>(kProfileFamilies.size())) {
    return;
  }
  const ProfileFamily& family = kProfileFamilies[position];
  side.list->clear();
  const std::filesystem::path file = host_.ProgramDirectory() / kProfileTableName;
  const auto report = [&](const QString& text) {
    if (!tableReported_) {
      tableReported_ = true;
      host_.Messages().Show(
          this, {text, QStringLiteral("Strevo"), MessageIcon::Critical, MessageButtons::Ok});
    }
  };
  try {
    const ProfileTableReading reading = ReadProfileTable(file, family);
    if (reading.valueLine) {
      valueLine_ = *reading.valueLine;
    }
    for (const std::string& designation : reading.designations) {
      side.list->addItem(QString::fromStdString(designation));
    }
    if (reading.problem) {
      report(QStringLiteral("Die Profiltabelle „%1“ ist beschädigt.\n%2.")
                 .arg(QString::fromStdString(file.string()),
                      QString::fromStdString(*reading.problem)));
    }
  } catch (const ProfileTableError& error) {
    report(QString::fromUtf8(error.what()));
  }
}

void Form4::SectionChosen(const Side& side) {
  host_.Guard().Run(this, [&] {
    const int position = side.combo->currentIndex();
    const int row = side.list->currentRow();
    if (position < 0 || position >= static_cast<int>(kProfileFamilies.size()) || row < 0) {
      return;
    }
    const ProfileFamily& family = kProfileFamilies[position];
    const std::string value = SectionField(valueLine_, family, row);
    if (!SectionValue(value)) {
      // Nothing of a damaged row may reach the computation.
      host_.Messages().Show(
          this, {QStringLiteral("Die Profiltabelle hat für dieses Profil keinen gültigen Wert; "
                                "das Feld %1 bleibt, wie es ist.")
                     .arg(side.field == kFieldI1 ? QStringLiteral("I1") : QStringLiteral("I2")),
                 QStringLiteral("Strevo"), MessageIcon::Warning, MessageButtons::Ok});
      return;
    }
    host_.SetInputText(side.field, QString::fromStdString(value));
    side.label->setText(QString::fromUtf8(family.prefix) + side.list->item(row)->text());
    host_.SectionChosen(side.field, side.label->text());
  });
}

void Form4::Command1_Click() {
  hide();
}

void Form4::Command2_Click() {
  host_.Messages().Show(
      this, {QStringLiteral("Derzeit noch keine Hilfe installiert!"), QStringLiteral("Hilfe"),
             MessageIcon::Information, MessageButtons::Ok});
}

void Form4::closeEvent(QCloseEvent* event) {
  event->accept();
  host_.SectionsWindowClosed();
}

}  // namespace strevo
