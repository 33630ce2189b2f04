// Which support symbols and reaction lines each system shows, in both windows' sketches.
#pragma once

#include <array>

#include "inputs.h"

namespace strevo {

struct SystemSymbols {
  bool clamps;                  // Line3(0..9)
  std::array<bool, 7> hinges;   // Line2(0..6); 6 is the roller line under B
  bool lineMA, lineBH, lineMB;  // result lines Label2(2), (3), (5)
};

inline SystemSymbols SymbolsFor(SystemType system) {
  switch (system) {
    case SystemType::KinkedBeam:
      return {false, {true, true, true, true, true, true, true}, false, false, false};
    case SystemType::TwoHingedFrame:
      return {false, {true, true, true, true, true, true, false}, false, true, false};
    case SystemType::FixedFrame:
      break;
  }
  return {true, {false, false, false, false, false, false, false}, true, true, true};
}

}  // namespace strevo
