// The PDF report of a design: project, portal and sections, steel and limits, load cases and
// combinations, the envelope's pictures, the portal's stability, the governing combinations'
// values, every check and the working of the governing member checks.
#pragma once

#include <QTextDocument>
#include <memory>

#include "design_result.h"
#include "report_flow.h"
#include "report_writer.h"

class QIODevice;
class QPainter;
class QPdfWriter;

namespace strevo {

// The design's pages laid out for a PDF writer: counted before any is painted, so that they
// can follow other pages under one page count.
class DesignReportPages {
 public:
  DesignReportPages(QPdfWriter& writer, const DesignResult& result, const ReportFacts& facts);
  int Count() const;
  // Paints them as pages firstPage… of `pages`, each on a new page but the document's first.
  void Paint(QPdfWriter& writer, QPainter& painter, int firstPage, int pages) const;

 private:
  const DesignResult& result_;
  ReportFlow front_, back_;  // before and after the envelope's page
  bool envelope_;
  std::unique_ptr<QTextDocument> rechenweg_;  // none without member checks
};

// Lays out what the computed design holds; it computes nothing.
void WriteDesignReport(QIODevice& device, const DesignResult& result, const ReportFacts& facts);

}  // namespace strevo
