#include "windows/about/frm_splash.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include "report/twips.h"
#include "windows/about/program_info.h"
#include "windows/about/program_picture.h"
#include "windows/ui/make_label.h"

namespace strevo {
namespace {

QLabel* ArialLabel(const char* name, QWidget* parent, const QRect& rect, double points, bool bold) {
  QLabel* label = MakeLabel(QString::fromUtf8(name), {}, parent, rect);
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  label->setFont(font);
  label->setAlignment(Qt::AlignRight | Qt::AlignTop);
  return label;
}

}  // namespace

FrmSplash::FrmSplash(std::function<void()> showMainWindow)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint),
      showMainWindow_(std::move(showMainWindow)) {
  setObjectName(QStringLiteral("frmSplash"));
  setFixedSize(Px(7380), Px(4245));
  setAttribute(Qt::WA_DeleteOnClose);

  frame1_ = new QFrame(this);
  frame1_->setObjectName(QStringLiteral("Frame1"));
  frame1_->setFrameStyle(QFrame::Box | QFrame::Plain);
  frame1_->setGeometry(TwipsRect(150, 60, 7080, 4050));
  frame1_->setToolTip(QStringLiteral("Klicken Sie einfach weiter!"));
  frame1_->installEventFilter(this);

  auto* logo = new QLabel(frame1_);
  logo->setObjectName(QStringLiteral("imgLogo"));
  logo->setGeometry(TwipsRect(360, 480, 2910, 3000));
  logo->setPixmap(QPixmap::fromImage(ProgramPicture(kSplashPictureSize)));
  ArialLabel("lblCompanyProduct", frame1_, TwipsRect(3480, 480, 3360, 360), 11, false);
  ArialLabel("lblProductName", frame1_, TwipsRect(3480, 900, 3360, 900), 32, true);
  ArialLabel("lblPlatform", frame1_, TwipsRect(3480, 2040, 3360, 420), 15.75, true);
  ArialLabel("lblVersion", frame1_, TwipsRect(3480, 2520, 3360, 360), 12, true);
  ArialLabel("lblWarning", frame1_, TwipsRect(240, 3600, 6600, 300), 8, false)
      ->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Clicks on the labels count as clicks on the frame.
  for (QLabel* label : frame1_->findChildren<QLabel*>()) {
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
  }

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void FrmSplash::Form_Load() {
  const ProgramInfo info = Program();
  Label("lblVersion")->setText(VersionText(info));
  Label("lblProductName")->setText(info.title);
  Label("lblWarning")
      ->setText(QStringLiteral(" Werfen Sie einen Blick auf meine Homepage!          ") +
                info.homepage);
  Label("lblPlatform")->setText(QStringLiteral("Plattform"));
  Label("lblCompanyProduct")->setText(info.author);
}

QLabel* FrmSplash::Label(const char* name) const {
  return findChild<QLabel*>(QString::fromUtf8(name));
}

void FrmSplash::Form_KeyPress() {
  Unload();
}

void FrmSplash::Frame1_Click() {
  Unload();
}

void FrmSplash::Unload() {
  close();
  if (showMainWindow_) {
    showMainWindow_();
  }
}

void FrmSplash::keyPressEvent(QKeyEvent* event) {
  event->accept();
  Form_KeyPress();
}

bool FrmSplash::eventFilter(QObject* watched, QEvent* event) {
  if (watched == frame1_ && event->type() == QEvent::MouseButtonRelease) {
    Frame1_Click();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace strevo
