// Designs of the worked examples, for the tests of the design core and what shows it.
#pragma once

#include <string>

#include "core/design/design.h"

namespace strevo::testing {

inline DesignCase LoadCaseNamed(const std::string& name, Action action, LoadCase loads) {
  DesignCase c;
  c.name = name;
  c.action = action;
  c.loads = loads;
  return c;
}

// The hall frame of the design file's example: two-hinged, h 6 m, L 15 m, HE 300 A columns and
// an IPE 450 beam in S235, roof 4 kN/m, snow 8 kN/m, wind 3 and 1.5 kN/m with 1.2 kN/m suction
// on the roof, a storage load of 40 kN at 5 m (category E).
inline Design HallDesign() {
  Design d;
  d.project = {"Halle Nord", "Pos. 1 Rahmenachse 2", ""};
  d.system = SystemType::TwoHingedFrame;
  d.h = 6;
  d.L = 15;
  d.columns.section = "HE 300 A";
  d.beam.section = "IPE 450";
  d.loadCases = {LoadCaseNamed("Dach", Action::Permanent, {4, 0, 0, 0, 0}),
                 LoadCaseNamed("Schnee", Action::Snow, {8, 0, 0, 0, 0}),
                 LoadCaseNamed("Wind", Action::Wind, {-1.2, 0, 0, 3, 1.5}),
                 LoadCaseNamed("Lager", Action::Imposed, {0, 40, 5, 0, 0})};
  d.loadCases[3].category = 'E';
  return d;
}

// A short fixed frame whose columns' interaction governs in another segment than their lateral-
// torsional buckling, so the working follows it there.
inline Design SegmentedInteractionDesign() {
  Design d = HallDesign();
  d.system = SystemType::FixedFrame;
  d.h = 3.2;
  d.L = 22.6;
  d.restraints = {1.067, 3.767};
  d.loadCases = {LoadCaseNamed("Dach", Action::Permanent, {8.865, 0, 0, 0, 0}),
                 LoadCaseNamed("Lager", Action::Imposed, {0, 47.59, 1.976, 0, 0}),
                 LoadCaseNamed("Wind", Action::Wind, {0, 0, 0, 3.931, 0.455})};
  d.loadCases[1].category = 'E';
  return d;
}

}  // namespace strevo::testing
