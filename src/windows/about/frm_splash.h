// The splash window: a title card that gives way to the main window on a key or a click.
#pragma once

#include <QDialog>
#include <functional>

class QFrame;
class QLabel;

namespace strevo {

class FrmSplash : public QDialog {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(FrmSplash)

 public:
  // `showMainWindow` runs after the splash has unloaded itself.
  explicit FrmSplash(std::function<void()> showMainWindow);

  void Form_Load();
  void Form_KeyPress();
  void Frame1_Click();

  QFrame* Frame1() const { return frame1_; }
  QLabel* Label(const char* name) const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Unload();

  std::function<void()> showMainWindow_;
  QFrame* frame1_ = nullptr;
};

}  // namespace strevo
