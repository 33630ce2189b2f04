// The report's four pictures of a computation, each drawn by the drawing procedures into a
// picture of its own: the system, then the moment, shear-force and normal-force diagrams.
#pragma once

#include <array>
#include <string>

#include "core/analysis/computation.h"
#include "core/drawing/picture_recording.h"

namespace strevo {

// The unit the report writes after value label `label` where its caption is a bare number (the
// span, the loads, the diagrams' values); empty where the caption has its unit.
std::string ValueLabelUnit(int label);

struct ReportPicture {
  std::string title;
  PictureRecording picture;
  std::string note;  // why nothing (or only part) is drawn; empty when the picture is whole
};

std::array<ReportPicture, 4> DrawReportPictures(const Computation& computation);

// Value label `label`'s caption in the report: decimal comma, then its unit; a reaction's after
// an arrow in its positive direction, as the sign convention states it.
std::string ReportCaption(int label, const std::string& caption);

}  // namespace strevo
