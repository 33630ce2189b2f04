// The About box: title, version, description, and the system-information command.
#pragma once

#include <QDialog>
#include <functional>

#include "windows/about/sys_info.h"
#include "windows/ui/message_service.h"

class QLabel;
class QPushButton;

namespace strevo {

class FrmAbout : public QDialog {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(FrmAbout)

 public:
  // `unloaded` runs when the box closes (OK, Esc or its title bar): the registry drops it.
  FrmAbout(QWidget* parent, MessageService& messages, KeyValueStore& store,
           ProgramLauncher& launcher, std::function<void()> unloaded);

  void Form_Load();
  void cmdOK_Click();
  void cmdSysInfo_Click();

  QLabel* Label(const char* name) const;
  QPushButton* cmdOK() const { return cmdOK_; }
  QPushButton* cmdSysInfo() const { return cmdSysInfo_; }

 protected:
  void done(int result) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  MessageService& messages_;
  KeyValueStore& store_;
  ProgramLauncher& launcher_;
  std::function<void()> unloaded_;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdSysInfo_ = nullptr;
};

}  // namespace strevo
