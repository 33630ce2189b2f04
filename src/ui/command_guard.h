// Runs a command and reports any fault it raises in a message box; the program goes on.
#pragma once

#include <exception>
#include <utility>

#include "arithmetic_fault.h"
#include "message_service.h"

namespace strevo {

class CommandGuard {
 public:
  explicit CommandGuard(MessageService& messages) : messages_(messages) {}

  // Reactions nest (a field assignment raises the change reaction inside a command), so only
  // the outermost run reports: the whole command ends at the first fault, once.
  template <class Command>
  void Run(QWidget* parent, Command&& command) {
    if (depth_ > 0) {
      std::forward<Command>(command)();
      return;
    }
    struct Depth {
      int& depth;
      explicit Depth(int& d) : depth(++d) {}
      ~Depth() { --depth; }
    } running(depth_);
    try {
      std::forward<Command>(command)();
    } catch (const ArithmeticFault& fault) {
      Report(parent, fault);
    } catch (const std::exception& error) {
      Report(parent, error);
    }
  }

 private:
  void Report(QWidget* parent, const ArithmeticFault& fault);
  void Report(QWidget* parent, const std::exception& error);

  MessageService& messages_;
  int depth_ = 0;
};

}  // namespace strevo
