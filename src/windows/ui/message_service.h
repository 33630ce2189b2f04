// Message boxes behind an interface, so that handlers can be tested without a modal dialog.
#pragma once

#include <QString>

class QWidget;

namespace strevo {

enum class MessageIcon { None, Information, Warning, Question, Critical };
enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

struct Message {
  QString text;
  QString title;
  MessageIcon icon = MessageIcon::None;
  MessageButtons buttons = MessageButtons::Ok;
};

class MessageService {
 public:
  virtual ~MessageService() = default;
  virtual MessageAnswer Show(QWidget* parent, const Message& message) = 0;
};

// The real message boxes.
class QtMessageService : public MessageService {
 public:
  MessageAnswer Show(QWidget* parent, const Message& message) override;
};

}  // namespace strevo
