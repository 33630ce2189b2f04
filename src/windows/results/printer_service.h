// Printing a window's client area, behind an interface so that tests print to a PDF file.
#pragma once

class QPrinter;
class QWidget;

namespace strevo {

class PrinterService {
 public:
  virtual ~PrinterService() = default;
  virtual bool HasPrinter() = 0;
  // One page with the window's client area as it looks now; false when printing failed.
  virtual bool Print(QWidget& window) = 0;
};

class DefaultPrinterService : public PrinterService {
 public:
  bool HasPrinter() override;
  bool Print(QWidget& window) override;
};

// Renders the client area onto the printer's first page, scaled to fit and keeping its shape.
bool PrintClientArea(QWidget& window, QPrinter& printer);

}  // namespace strevo
