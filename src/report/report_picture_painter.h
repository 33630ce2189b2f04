// The report's pictures on paper: a recorded picture with its value labels set apart from each
// other and from the drawn lines, and the dimensioned system sketch.
#pragma once

#include "core/drawing/report_pictures.h"
#include "core/drawing/system_sketch.h"

class QPainter;
class QRectF;

namespace strevo {

// The picture's strokes into `area` (light background, black frame) and each visible value
// label with its unit and a decimal comma, in the report's font: inside `area`, off the other
// labels and, where a free place near its anchor exists, off the drawn lines. A picture with a
// note says why over its middle.
void PaintReportPicture(QPainter& painter, const ReportPicture& picture, const QRectF& area);

// The sketch scaled uniformly into `area` and centred, its texts placed as the picture's labels.
void PaintSystemSketch(QPainter& painter, const SystemSketch& sketch, const QRectF& area);

}  // namespace strevo
