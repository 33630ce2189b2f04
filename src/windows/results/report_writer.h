// The PDF report of a computation: title, date, system, inputs, results and the four pictures,
// on A4 pages with a footer.
#pragma once

#include <QDateTime>
#include <QRectF>

#include "computation.h"
#include "picture_recording.h"
#include "section_check.h"

class QIODevice;
class QPainter;

namespace strevo {

struct ReportFacts {
  QDateTime created;
  bool inputsChanged = false;  // the fields no longer hold what the computation read
  CheckSettings check;         // steel grade and limits of the section check
};

void WriteReport(QIODevice& device, const Computation& computation, const ReportFacts& facts);

// Paints a recorded picture into `target` as the results window shows it: background, strokes,
// and the visible value labels in their colours.
void PaintRecording(QPainter& painter, const QRectF& target, const PictureRecording& picture);

}  // namespace strevo
