#include "windows/results/printer_service.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>
#include <algorithm>

namespace strevo {

bool DefaultPrinterService::HasPrinter() {
  return !QPrinterInfo::defaultPrinter().isNull();
}

bool DefaultPrinterService::Print(QWidget& window) {
  QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
  return PrintClientArea(window, printer);
}

bool PrintClientArea(QWidget& window, QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) {
    return false;
  }
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  const double scale =
      std::min(page.width() / double(window.width()), page.height() / double(window.height()));
  painter.scale(scale, scale);
  window.render(&painter, QPoint(), QRegion(),
                QWidget::DrawWindowBackground | QWidget::DrawChildren);
  return painter.end();
}

}  // namespace strevo
