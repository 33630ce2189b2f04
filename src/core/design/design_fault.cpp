// What an arithmetic fault of a design comes from, for its message.
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "core/base/arithmetic_fault.h"
#include "core/base/json.h"
#include "core/base/text_rules.h"
#include "core/design/design_result.h"

namespace strevo {
namespace {

// The load of largest magnitude, by its key and case ("„q“ („Dach“) = 1e+300").
std::string LargestLoad(const Design& design) {
  std::string named;
  double largest = -1;
  for (const DesignCase& loadCase : design.loadCases) {
    const LoadCase& loads = loadCase.loads;
    std::vector<std::pair<std::string, double>> values = {
        {"wD", loads.wD}, {"wS", loads.wS}, {"q", loads.q}, {"F", loads.F}};
    // Keyed as the design file's paths, counted from 0.
    for (std::size_t i = 0; i < loadCase.partial.size(); ++i) {
      values.emplace_back("partial[" + std::to_string(i) + "].q", loadCase.partial[i].q);
    }
    for (std::size_t i = 0; i < loadCase.points.size(); ++i) {
      values.emplace_back("points[" + std::to_string(i) + "].F", loadCase.points[i].F);
    }
    for (const auto& [key, value] : values) {
      if (std::abs(value) > largest) {
        largest = std::abs(value);
        named = QuotedExcerpt(key) + " (" + QuotedExcerpt(loadCase.name) +
                ") = " + ShortestNumber(value);
      }
    }
  }
  return named;
}

double Small(double load) {
  return std::clamp(load, -1.0, 1.0);
}

// The design with every load at most 1 in magnitude, where it stands.
Design WithSmallLoads(Design design) {
  for (DesignCase& c : design.loadCases) {
    for (double* load : {&c.loads.q, &c.loads.F, &c.loads.wD, &c.loads.wS}) {
      *load = Small(*load);
    }
    for (PartialBeamLoad& p : c.partial) {
      p.q = Small(p.q);
    }
    for (BeamPointLoad& p : c.points) {
      p.F = Small(p.F);
    }
  }
  return design;
}

std::string MemberText(const MemberChoice& member) {
  return member.section.empty() ? "I = " + ShortestNumber(member.I) + " cm4"
                                : QuotedExcerpt(member.section);
}

}  // namespace

std::string FaultCauseOf(const Design& design) {
  bool portal = false;
  try {
    ComputeDesign(WithSmallLoads(design));
  } catch (const ArithmeticFault&) {
    portal = true;  // it fails under loads of 1 as well: the loads are not the cause
  }
  if (portal) {
    return "Ursache ist der Rahmen selbst, nicht seine Lasten: h = " + ShortestNumber(design.h) +
           " m, L = " + ShortestNumber(design.L) + " m, Stützen " + MemberText(design.columns) +
           ", Riegel " + MemberText(design.beam);
  }
  const std::string load = LargestLoad(design);
  return load.empty() ? std::string() : "größter Lastwert: " + load;
}

}  // namespace strevo
