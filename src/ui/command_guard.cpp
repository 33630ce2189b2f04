#include "command_guard.h"

namespace strevo {

void CommandGuard::Report(QWidget* parent, const ArithmeticFault& fault) {
  messages_.Show(
      parent,
      {QStringLiteral("Laufzeitfehler: %1").arg(QString::fromStdString(FaultText(fault.kind()))),
       QStringLiteral("Strevo"), MessageIcon::Critical, MessageButtons::Ok});
}

void CommandGuard::Report(QWidget* parent, const std::exception& error) {
  messages_.Show(parent, {QString::fromStdString(error.what()), QStringLiteral("Strevo"),
                          MessageIcon::Critical, MessageButtons::Ok});
}

}  // namespace strevo
