// The report's four pictures of a computation, each drawn by the drawing procedures into a
// picture of its own: the system, then the moment, shear-force and normal-force diagrams.
#pragma once

#include <array>
#include <string>

#include "computation.h"
#include "picture_recording.h"

namespace strevo {

struct ReportPicture {
  std::string title;
  PictureRecording picture;
  std::string note;  // why nothing (or only part) is drawn; empty when the picture is whole
};

std::array<ReportPicture, 4> DrawReportPictures(const Computation& computation);

}  // namespace strevo
