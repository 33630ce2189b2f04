// The command guard: one report per command, and no exception unwinding through Qt.
#include <QLineEdit>

#include <gtest/gtest.h>

#include "recording_messages.h"
#include "windows/ui/command_guard.h"

namespace strevo {
namespace {

TEST(CommandGuard, ReportsAFaultAndTheProgramGoesOn) {
  testing::RecordingMessages messages;
  CommandGuard guard(messages);
  guard.Run(nullptr, [] { throw ArithmeticFault(FaultKind::DivisionByZero); });
  guard.Run(nullptr, [] {});
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Laufzeitfehler: Division durch Null");
  EXPECT_EQ(messages.shown[0].title, "Strevo");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
}

// Guards against a nested reaction's fault being rethrown through Qt's signal emission, which
// does not unwind cleanly (it leaked Qt's temporaries under the sanitizer build).
TEST(CommandGuard, NestedFaultsStayOnOurSideOfQtAndAreReportedOnce) {
  testing::RecordingMessages messages;
  CommandGuard guard(messages);
  QLineEdit field;
  int reactions = 0;
  QObject::connect(&field, &QLineEdit::textChanged, [&] {
    guard.Run(&field, [&] {
      ++reactions;
      throw ArithmeticFault(FaultKind::Overflow);
    });
  });
  bool after = false;
  guard.Run(nullptr, [&] {
    field.setText("1e999");  // returns normally although the reaction faulted
    field.setText("2e999");
    after = true;
  });
  EXPECT_TRUE(after) << "the command goes on past a nested fault";
  EXPECT_EQ(reactions, 2);
  ASSERT_EQ(messages.shown.size(), 1u) << "the first fault, once";
  EXPECT_EQ(messages.shown[0].text, "Laufzeitfehler: Überlauf");
}

TEST(CommandGuard, OtherErrorsShowTheirText) {
  testing::RecordingMessages messages;
  CommandGuard guard(messages);
  guard.Run(nullptr, [] { throw std::runtime_error("Die Datei fehlt."); });
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Die Datei fehlt.");
}

}  // namespace
}  // namespace strevo
