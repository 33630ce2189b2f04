// The analysis engine: reactions and internal forces of the portal for the chosen system.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "core/analysis/field_point.h"
#include "core/analysis/inputs.h"
#include "core/analysis/shared_results.h"

namespace strevo {

inline constexpr int kResultLineCount = 21;

// One result line of the results window: Label2(index) shows prefix, value "0.00" and unit.
struct ResultLine {
  int index = 0;
  double value = 0;
};

std::string ResultLineText(const ResultLine& line);
const char* ResultLineSymbol(int index);  // "AH"; empty for line 14, which shows nothing
const char* ResultLineUnit(int index);    // "kN"

// The lines one run yields, in ascending index order (at most 20: line 14 is never written).
class ResultLines {
 public:
  void push_back(ResultLine line) { lines_[count_++] = line; }
  const ResultLine* begin() const { return lines_.data(); }
  const ResultLine* end() const { return lines_.data() + count_; }
  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }

 private:
  std::array<ResultLine, kResultLineCount> lines_{};
  std::size_t count_ = 0;
};

// Computes k, then the block of the chosen system, storing each step in `results` at once.
// The first faulting step throws ArithmeticFault: earlier steps keep their new values, later
// ones their old values, and no line is yielded. Without a system only k is computed.
ResultLines ComputeResults(const InputSet& in, std::optional<SystemType> system,
                           SharedResults& results);

// The field point's decision on a run's stored values, as the run made it, and the beam
// moment at x from point 2 as the run evaluates M3 there.
FieldPointChoice FieldPointOf(const InputSet& in, const SharedResults& r, SystemType system);
double FieldMoment(const InputSet& in, const SharedResults& r, SystemType system, double x);

}  // namespace strevo
