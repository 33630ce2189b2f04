#include "core/analysis/compute_results.h"

#include <cmath>

#include "core/analysis/field_point.h"
#include "core/analysis/portal_statics.h"
#include "core/base/arithmetic_fault.h"
#include "core/base/text_rules.h"

namespace strevo {
namespace {

// Testing the status flags after every step would cost more than the formulas themselves. The
// fast pass only asks whether a step's value is finite and looks at the flags once at the end;
// when either says something went wrong, the run is repeated from the saved values with a
// FaultWatch after every step, which names the step and the kind exactly.
// An arithmetic fault, so that it could not escape as anything else; the rerun names it exactly.
class NonFinite : public ArithmeticFault {
 public:
  NonFinite() : ArithmeticFault(FaultKind::InvalidOperation) {}
};

struct FastCheck {
  double operator()(double value) const {
    if (!std::isfinite(value)) {
      throw NonFinite{};
    }
    return value;
  }
};

statics::Loads<double> LoadsOf(const InputSet& in) {
  return {in.wD, in.q, in.h, in.a, in.L, in.wS, in.F, in.I1, in.I2};
}

double BeamMomentOf(const InputSet& in, const SharedResults& r, bool withClamp, double x) {
  return statics::BeamMoment(LoadsOf(in), {r.AH, r.AV, r.MA}, x, x > in.a, withClamp);
}

FieldPointChoice DecideFieldPoint(const InputSet& in, const SharedResults& r, bool withClamp) {
  return ChooseFieldPoint({in.q, in.F, in.a, in.L, r.AV},
                          [&](double x) { return BeamMomentOf(in, r, withClamp, x); });
}

// The closed forms on numbers: each step checked and stored in the shared values at once.
template <class Check>
class NumberRun {
 public:
  using Value = double;

  NumberRun(const InputSet& in, SharedResults& results, const Check& check)
      : in_(in), r_(results), check_(check) {}

  double Step(Stored target, double value) { return r_.*StoredInfo(target).member = check_(value); }
  double Intermediate(const char* /*name*/, double value) const { return value; }
  statics::BeamStart<double> BeamStartValues() const { return {r_.AH, r_.AV, r_.MA}; }
  FieldPointChoice ChooseFieldPoint(bool withClamp) const {
    return DecideFieldPoint(in_, r_, withClamp);
  }
  double FieldPoint(double place, const FieldPointChoice& /*choice*/) {
    return Step(Stored::X3, place);
  }
  bool RightOfLoad() const { return r_.X3 > in_.a; }

 private:
  const InputSet& in_;
  SharedResults& r_;
  const Check& check_;
};

template <class Check>
void Run(const InputSet& in, std::optional<SystemType> system, SharedResults& r,
         const Check& check) {
  NumberRun<Check> run(in, r, check);
  statics::Portal(run, LoadsOf(in), system);
}

// What each result line shows; line 14 shows nothing.
constexpr std::array<std::optional<Stored>, kResultLineCount> kLineValues = {
    Stored::AH,   Stored::AV, Stored::MA, Stored::BH, Stored::BV, Stored::MB, Stored::M1,
    Stored::N1,   Stored::Q1, Stored::M2, Stored::N2, Stored::Q2, Stored::M3, Stored::X3,
    std::nullopt, Stored::M4, Stored::N4, Stored::Q4, Stored::M5, Stored::N5, Stored::Q5};

// The lines each system writes, in ascending order; line 14 is never written.
constexpr std::array<int, 17> kKinkedBeamLines = {0,  1,  4,  6,  7,  8,  9,  10, 11,
                                                  12, 13, 15, 16, 17, 18, 19, 20};
constexpr std::array<int, 18> kTwoHingedLines = {0,  1,  3,  4,  6,  7,  8,  9,  10,
                                                 11, 12, 13, 15, 16, 17, 18, 19, 20};
constexpr std::array<int, 20> kFixedFrameLines = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,
                                                  10, 11, 12, 13, 15, 16, 17, 18, 19, 20};

// Where each of a system's lines takes its value from, resolved once at compile time: the lines
// are written after every run.
struct LineSource {
  int index;
  double SharedResults::*value;
};

template <std::size_t N>
constexpr std::array<LineSource, N> SourcesOf(const std::array<int, N>& indices) {
  std::array<LineSource, N> sources{};
  for (std::size_t i = 0; i < N; ++i) {
    sources[i] = {indices[i], StoredInfo(*kLineValues[indices[i]]).member};
  }
  return sources;
}

constexpr auto kKinkedBeamSources = SourcesOf(kKinkedBeamLines);
constexpr auto kTwoHingedSources = SourcesOf(kTwoHingedLines);
constexpr auto kFixedFrameSources = SourcesOf(kFixedFrameLines);

template <std::size_t N>
ResultLines Lines(const std::array<LineSource, N>& sources, const SharedResults& r) {
  ResultLines lines;
  for (const LineSource& source : sources) {
    lines.push_back({source.index, r.*source.value});
  }
  return lines;
}

ResultLines Lines(std::optional<SystemType> system, const SharedResults& r) {
  if (!system) {
    return {};
  }
  switch (*system) {
    case SystemType::KinkedBeam:
      return Lines(kKinkedBeamSources, r);
    case SystemType::TwoHingedFrame:
      return Lines(kTwoHingedSources, r);
    case SystemType::FixedFrame:
      return Lines(kFixedFrameSources, r);
  }
  return {};
}

}  // namespace

FieldPointChoice FieldPointOf(const InputSet& in, const SharedResults& r, SystemType system) {
  return DecideFieldPoint(in, r, system == SystemType::FixedFrame);
}

double FieldMoment(const InputSet& in, const SharedResults& r, SystemType system, double x) {
  return BeamMomentOf(in, r, system == SystemType::FixedFrame, x);
}

const char* ResultLineSymbol(int index) {
  return kLineValues[index] ? StoredInfo(*kLineValues[index]).symbol : "";
}

const char* ResultLineUnit(int index) {
  return kLineValues[index] ? StoredInfo(*kLineValues[index]).unit : "";
}

std::string ResultLineText(const ResultLine& line) {
  std::string text = ResultLineSymbol(line.index);
  text += " = ";
  text += FormatFixed2(line.value);
  text += ' ';
  text += ResultLineUnit(line.index);
  return text;
}

ResultLines ComputeResults(const InputSet& in, std::optional<SystemType> system,
                           SharedResults& results) {
  const SharedResults before = results;
  ClearFaultFlags();
  try {
    Run(in, system, results, FastCheck{});
    if (RaisedFaultFlags() == 0) {
      return Lines(system, results);
    }
  } catch (const NonFinite&) {
  }
  results = before;
  Run(in, system, results, FaultWatch{});
  return Lines(system, results);
}

}  // namespace strevo
