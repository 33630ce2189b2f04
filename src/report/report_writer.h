// The PDF report of a computation laid out as a statische Berechnung: system and dimensions,
// sections, loads, internal forces with their pictures, the section check, the deformations
// and the Rechenweg, each page under a title block.
#pragma once

#include <QDateTime>

#include "core/design/design_result.h"
#include "core/project/taken_computation.h"

class QIODevice;

namespace strevo {

struct ReportFacts {
  QDateTime created;
  bool inputsChanged = false;  // the fields no longer hold what the computation read
  // The design taken in the design window: its pages follow the computation's.
  const DesignResult* design = nullptr;
};

// Lays out what the taken computation holds, its section check and Rechenweg included.
void WriteReport(QIODevice& device, const TakenComputation& taken, const ReportFacts& facts);

}  // namespace strevo
