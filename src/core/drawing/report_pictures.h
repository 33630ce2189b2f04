// The report's four pictures of a computation, each drawn by the drawing procedures into a
// picture of its own: the system, then the moment, shear-force and normal-force diagrams.
#pragma once

#include <array>
#include <string>

#include "computation.h"
#include "picture_recording.h"

namespace strevo {

// The units of the results window's value labels where their captions are bare numbers: the
// span, the loads and the diagrams' values.
std::array<std::string, kValueLabelCount> ValueLabelUnits();

struct ReportPicture {
  std::string title;
  PictureRecording picture;
  std::string note;  // why nothing (or only part) is drawn; empty when the picture is whole
  // What the report writes after each value label; empty where the caption has its unit.
  std::array<std::string, kValueLabelCount> units = ValueLabelUnits();
};

std::array<ReportPicture, 4> DrawReportPictures(const Computation& computation);

// Value label `label`'s caption in the report: decimal comma, then the unit; a reaction's after
// an arrow in its positive direction, as the sign convention states it.
std::string ReportCaption(int label, const std::string& caption, const std::string& unit);

}  // namespace strevo
