// The project-file reader on arbitrary bytes: a valid project or a clear error, never a
// partial one; an accepted project, written again, reads back identical.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/project/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string contents(reinterpret_cast<const char*>(data), size);
  strevo::Project project;
  try {
    project = strevo::ParseProject(contents);
  } catch (const strevo::ProjectFileError& error) {
    if (std::string(error.what()).empty()) {
      std::abort();
    }
    return 0;
  }
  if (project.columnFamily < -1 || project.columnFamily > 2 || project.beamFamily < -1 ||
      project.beamFamily > 2) {
    std::abort();
  }
  strevo::FieldTexts texts;
  for (int i = 0; i < strevo::kFieldCount; ++i) {
    texts[i] = strevo::NumberToText(project.values[i]);
  }
  const strevo::Project again =
      strevo::ParseProject(strevo::FormatProject(texts, project.columnFamily, project.beamFamily));
  for (int i = 0; i < strevo::kFieldCount; ++i) {
    if (strevo::NumberToText(again.values[i]) != texts[i]) {
      std::abort();
    }
  }
  if (again.columnFamily != project.columnFamily || again.beamFamily != project.beamFamily) {
    std::abort();
  }
  return 0;
}
