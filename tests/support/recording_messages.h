// A MessageService that records what would have been shown and answers as scripted.
#pragma once

#include <deque>
#include <vector>

#include "windows/ui/message_service.h"

namespace strevo::testing {

class RecordingMessages : public MessageService {
 public:
  MessageAnswer Show(QWidget*, const Message& message) override {
    shown.push_back(message);
    if (answers.empty()) {
      return MessageAnswer::Ok;
    }
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::vector<Message> shown;
  std::deque<MessageAnswer> answers;  // Ok once these run out
};

}  // namespace strevo::testing
