// The one part of strevo-cli that needs Qt: the PDF report.
#pragma once

#include <string>

#include "core/design/design_result.h"

namespace strevo {

// Writes the report of the design to `path` whole or not at all, under a QGuiApplication of its
// own on the offscreen platform unless QT_QPA_PLATFORM names another, so that no display is
// needed. A file that cannot be written throws std::runtime_error with a German text.
void SaveDesignReport(const DesignResult& result, const std::string& path);

}  // namespace strevo
