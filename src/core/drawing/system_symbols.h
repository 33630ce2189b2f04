// Which reaction lines each system shows in the results window; its support symbols follow
// from the portal's geometry (portal_geometry.h).
#pragma once

#include "core/analysis/inputs.h"

namespace strevo {

struct SystemSymbols {
  bool lineMA, lineBH, lineMB;  // result lines Label2(2), (3), (5)
};

inline SystemSymbols SymbolsFor(SystemType system) {
  switch (system) {
    case SystemType::KinkedBeam:
      return {false, false, false};
    case SystemType::TwoHingedFrame:
      return {false, true, false};
    case SystemType::FixedFrame:
      break;
  }
  return {true, true, true};
}

}  // namespace strevo
