// Input sets of the worked examples: the main window's defaults with a few fields changed.
#pragma once

#include <random>
#include <string>

#include "core/analysis/inputs.h"

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

// The defaults with all four loads, so that every result carries a value of its own.
inline InputSet AllLoads() {
  InputSet in = DefaultInputs();
  in.wD = 1;
  in.wS = 0.5;
  in.F = 10;
  return in;
}

// A portal with loads of either sign, and the point load between `from` and `to` of the span
// (outside it too, where they lie outside 0..1).
inline InputSet RandomPortal(std::mt19937& random, double from = 0.05, double to = 0.95) {
  std::uniform_real_distribution<double> load(-10, 10), length(0.5, 12), inertia(0.2, 50),
      fraction(from, to);
  InputSet in;
  in.wD = load(random);
  in.q = load(random);
  in.wS = load(random);
  in.F = load(random);
  in.h = length(random);
  in.L = length(random);
  in.a = in.L * fraction(random);
  in.b = in.L - in.a;
  in.I1 = inertia(random);
  in.I2 = inertia(random);
  return in;
}

// The section check's worked portal: q = 20 kN/m on an 8 m span, h = 4 m, the given second
// moments of area (cm4) of the columns and the beam.
inline InputSet SteelPortal(double I1, double I2) {
  InputSet in;
  in.q = 20;
  in.h = 4;
  in.a = 3;
  in.b = 2;
  in.L = 8;
  in.I1 = I1;
  in.I2 = I2;
  return in;
}

// For test names: "KinkedBeam", "TwoHingedFrame", "FixedFrame".
inline std::string SystemName(SystemType system) {
  static const char* const kNames[] = {"KinkedBeam", "TwoHingedFrame", "FixedFrame"};
  return kNames[static_cast<int>(system)];
}

}  // namespace strevo::testing
