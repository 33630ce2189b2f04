// Input sets of the worked examples: the main window's defaults with a few fields changed.
#pragma once

#include <string>

#include "inputs.h"

namespace strevo::testing {

inline InputSet DefaultInputs() {
  InputSet in;
  in.wD = 0;
  in.q = 2;
  in.h = 4;
  in.a = 3;
  in.b = 2;
  in.L = 5;
  in.wS = 0;
  in.F = 0;
  in.I1 = 1;
  in.I2 = 1.5;
  return in;
}

// For test names: "KinkedBeam", "TwoHingedFrame", "FixedFrame".
inline std::string SystemName(SystemType system) {
  static const char* const kNames[] = {"KinkedBeam", "TwoHingedFrame", "FixedFrame"};
  return kNames[static_cast<int>(system)];
}

}  // namespace strevo::testing
