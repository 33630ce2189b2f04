// A PrinterService that prints into a PDF file and notes what the window showed then.
#pragma once

#include <QPrinter>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <vector>

#include "windows/results/printer_service.h"

namespace strevo::testing {

class PdfPrinter : public PrinterService {
 public:
  bool HasPrinter() override { return installed; }
  bool Print(QWidget& window) override {
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
      if (button->isHidden()) {
        hiddenWhenPrinted.push_back(button->objectName());
      }
    }
    backgroundWhenPrinted = window.palette().color(QPalette::Window);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    ++prints;
    return PrintClientArea(window, printer);
  }

  bool installed = true;
  QString file;
  int prints = 0;
  std::vector<QString> hiddenWhenPrinted;
  QColor backgroundWhenPrinted;
};

}  // namespace strevo::testing
