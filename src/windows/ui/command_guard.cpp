#include "windows/ui/command_guard.h"

#include <utility>

namespace strevo {

void CommandGuard::Report(QWidget* parent, std::exception_ptr fault) {
  QString text;
  try {
    std::rethrow_exception(std::move(fault));
  } catch (const ArithmeticFault& arithmetic) {
    text = QStringLiteral("Laufzeitfehler: %1").arg(QString::fromStdString(FaultText(arithmetic)));
  } catch (const std::exception& error) {
    text = QString::fromStdString(error.what());
  }
  messages_.Show(parent,
                 {text, QStringLiteral("Strevo"), MessageIcon::Critical, MessageButtons::Ok});
}

}  // namespace strevo
