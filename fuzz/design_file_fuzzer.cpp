// The design-file reader on arbitrary bytes: a design without problems or an error naming its
// line, never a partial design; an accepted design, written again, reads back equal and is
// written the same way.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/design/design_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  strevo::Design design;
  try {
    design = strevo::ReadDesign(text);
  } catch (const strevo::DesignFileError& error) {
    if (std::string(error.what()).empty() || error.line() < 1) {
      std::abort();
    }
    return 0;
  }
  if (!strevo::ProblemsOf(design).empty()) {
    std::abort();
  }
  const std::string written = strevo::WriteDesign(design);
  const strevo::Design again = strevo::ReadDesign(written);
  if (!(again == design) || strevo::WriteDesign(again) != written) {
    std::abort();
  }
  return 0;
}
