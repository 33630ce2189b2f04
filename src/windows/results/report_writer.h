// The PDF report of a computation: title, date, system, inputs, results and the four pictures,
// on A4 pages with a footer.
#pragma once

#include <QDateTime>

#include "taken_computation.h"

class QIODevice;

namespace strevo {

struct ReportFacts {
  QDateTime created;
  bool inputsChanged = false;  // the fields no longer hold what the computation read
};

// Lays out what the taken computation holds, its section check and Rechenweg included.
void WriteReport(QIODevice& device, const TakenComputation& taken, const ReportFacts& facts);

}  // namespace strevo
