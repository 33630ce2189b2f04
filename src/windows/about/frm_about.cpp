#include "windows/about/frm_about.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "report/twips.h"
#include "windows/about/program_info.h"
#include "windows/about/program_picture.h"
#include "windows/ui/make_label.h"

namespace strevo {
namespace {

constexpr int kSeparatorTwips = 2520;  // the etched line just above the buttons

QLabel* TopLeftLabel(const char* name, QWidget* parent, const QRect& rect) {
  QLabel* label = MakeLabel(QString::fromUtf8(name), {}, parent, rect);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

}  // namespace

FrmAbout::FrmAbout(QWidget* parent, MessageService& messages, KeyValueStore& store,
                   ProgramLauncher& launcher, std::function<void()> unloaded)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      messages_(messages),
      store_(store),
      launcher_(launcher),
      unloaded_(std::move(unloaded)) {
  setObjectName(QStringLiteral("frmAbout"));
  setFixedSize(Px(5730), Px(3555));
  setFont(SansFont(8.25));
  setModal(false);

  QLabel* picture = TopLeftLabel("picIcon", this, TwipsRect(240, 240, 1515, 1560));
  picture->setPixmap(QPixmap::fromImage(ProgramPicture(kAboutPictureSize)));
  picture->setAlignment(Qt::AlignCenter);
  TopLeftLabel("lblTitle", this, TwipsRect(2010, 240, 2925, 480))->setFont(SansFont(12, true));
  TopLeftLabel("lblVersion", this, TwipsRect(2010, 780, 2925, 225));
  TopLeftLabel("lblDescription", this, TwipsRect(2010, 1125, 2925, 1170))->setWordWrap(true);
  TopLeftLabel("lblDisclaimer", this, TwipsRect(255, 2625, 3870, 825));

  cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
  cmdOK_->setObjectName(QStringLiteral("cmdOK"));
  cmdOK_->setGeometry(TwipsRect(4245, 2625, 1260, 345));
  cmdOK_->setDefault(true);  // Enter; Esc closes the dialog as its cancel button
  cmdSysInfo_ = new QPushButton(QStringLiteral("&Systeminfo..."), this);
  cmdSysInfo_->setObjectName(QStringLiteral("cmdSysInfo"));
  cmdSysInfo_->setGeometry(TwipsRect(4260, 3075, 1245, 345));
  cmdSysInfo_->setAutoDefault(false);
  connect(cmdOK_, &QPushButton::clicked, this, &FrmAbout::cmdOK_Click);
  connect(cmdSysInfo_, &QPushButton::clicked, this, &FrmAbout::cmdSysInfo_Click);
}

void FrmAbout::Form_Load() {
  const ProgramInfo info = Program();
  setWindowTitle(QStringLiteral("Info zu ") + info.title);
  Label("lblVersion")->setText(VersionText(info));
  Label("lblTitle")->setText(info.title);
  Label("lblDescription")
      ->setText(QStringLiteral(
          "Statik Programm für Geknickte Träger, Zweigelenkstrevo und Eingespannte Strevo"));
  Label("lblDisclaimer")
      ->setText(info.author + QStringLiteral("\nWerfen Sie einen Blick auf meine Homepage\n") +
                info.homepage);
}

QLabel* FrmAbout::Label(const char* name) const {
  return findChild<QLabel*>(QString::fromUtf8(name));
}

void FrmAbout::cmdOK_Click() {
  accept();
}

void FrmAbout::cmdSysInfo_Click() {
  if (!StartSysInfo(store_, launcher_)) {
    messages_.Show(this, {QStringLiteral("Systeminformationen sind momentan nicht verfügbar"),
                          Program().title, MessageIcon::None, MessageButtons::Ok});
  }
}

// Every way out unloads the box: OK, Esc and the title bar.
void FrmAbout::done(int result) {
  QDialog::done(result);
  if (unloaded_) {
    unloaded_();
  }
}

void FrmAbout::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  const int y = Px(kSeparatorTwips);
  painter.setPen(QPen(QColor(128, 128, 128), 1));
  painter.drawLine(Px(225), y, width() - Px(225), y);
  painter.setPen(QPen(Qt::white, 2));
  painter.drawLine(Px(225), y + 2, width() - Px(225), y + 2);
}

}  // namespace strevo
