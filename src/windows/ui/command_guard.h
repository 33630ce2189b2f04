// Runs a command and reports any fault it raises in a message box; the program goes on.
#pragma once

#include <exception>
#include <utility>

#include "core/base/arithmetic_fault.h"
#include "windows/ui/message_service.h"

namespace strevo {

class CommandGuard {
 public:
  explicit CommandGuard(MessageService& messages) : messages_(messages) {}

  // Reactions nest: a field assignment inside a command raises the change reaction through
  // Qt's signal emission. An exception must never unwind through Qt's frames, so a nested run
  // keeps its fault and returns normally; the outermost run reports the first fault, once.
  template <class Command>
  void Run(QWidget* parent, Command&& command) {
    struct Depth {
      int& depth;
      explicit Depth(int& d) : depth(++d) {}
      ~Depth() { --depth; }
    } running(depth_);
    try {
      std::forward<Command>(command)();
    } catch (const std::exception&) {
      if (!pending_) {
        pending_ = std::current_exception();
      }
    }
    if (depth_ == 1 && pending_) {
      Report(parent, std::exchange(pending_, nullptr));
    }
  }

 private:
  void Report(QWidget* parent, std::exception_ptr fault);

  MessageService& messages_;
  int depth_ = 0;
  std::exception_ptr pending_;
};

}  // namespace strevo
