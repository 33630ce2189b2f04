// The PDF report of a design laid out as a statische Berechnung: system and dimensions, sections
// and steel, load cases, combinations, internal forces (the portal's stability, the envelope and
// the governing combinations), the checks with place and combination, the deformations, and the
// working of the governing member checks as an appendix.
#pragma once

#include "core/design/design_result.h"
#include "report/report_flow.h"
#include "report/report_writer.h"

class QIODevice;

namespace strevo {

// The design as a part of its own, its pages headed with the design's project; it computes
// nothing.
void WriteDesignPart(ReportFlow& flow, const DesignResult& result, const ReportFacts& facts);

void WriteDesignReport(QIODevice& device, const DesignResult& result, const ReportFacts& facts);

}  // namespace strevo
