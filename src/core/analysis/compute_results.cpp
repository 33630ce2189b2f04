#include "compute_results.h"

#include <cmath>

#include "arithmetic_fault.h"
#include "field_point.h"
#include "text_rules.h"

namespace strevo {
namespace {

// Testing the status flags after every step would cost more than the formulas themselves. The
// fast pass only asks whether a step's value is finite and looks at the flags once at the end;
// when either says something went wrong, the run is repeated from the saved values with a
// FaultWatch after every step, which names the step and the kind exactly.
struct NonFinite {};

struct FastCheck {
  double operator()(double value) const {
    if (!std::isfinite(value)) {
      throw NonFinite{};
    }
    return value;
  }
};

// The beam's moment at x from point 2, taken from the left part of the portal; `withClamp`
// adds MA in the fixed frame, so the other systems evaluate no extra term.
double BeamMoment(const InputSet& in, const SharedResults& r, bool withClamp, double x) {
  double m = x * r.AV - in.h * r.AH - in.h * in.h * in.wD / 2 - x * x * in.q / 2;
  if (x > in.a) {
    m -= (x - in.a) * in.F;
  }
  return withClamp ? m + r.MA : m;
}

FieldPointChoice DecideFieldPoint(const InputSet& in, const SharedResults& r, bool withClamp) {
  return ChooseFieldPoint({in.q, in.F, in.a, in.L, r.AV},
                          [&](double x) { return BeamMoment(in, r, withClamp, x); });
}

template <class Check>
void FieldPoint(const InputSet& in, SharedResults& r, const Check& check, bool withClamp) {
  r.X3 = check(DecideFieldPoint(in, r, withClamp).chosen.x);
  r.M3 = check(BeamMoment(in, r, withClamp, r.X3));
}

// Everything from M1 on: the statics that follow from the reactions, the same for all systems
// except the clamping moment at A that the fixed frame adds to every beam moment.
template <class Check>
void InternalForces(const InputSet& in, SharedResults& r, const Check& check, bool withClamp) {
  const double h = in.h;
  r.M1 = check(withClamp ? -r.AH * h - h * h * in.wD / 2 + r.MA : -r.AH * h - h * h * in.wD / 2);
  r.N1 = check(-r.AV);
  r.Q1 = check(-r.AH - h * in.wD);
  r.M2 = check(r.M1);
  r.N2 = check(-r.AH - h * in.wD);
  r.Q2 = check(r.AV);
  FieldPoint(in, r, check, withClamp);
  const double m4 =
      in.L * r.AV - h * r.AH - h * h * in.wD / 2 - in.L * in.L * in.q / 2 - (in.L - in.a) * in.F;
  r.M4 = check(withClamp ? m4 + r.MA : m4);
  r.N4 = check(r.N2);
  r.Q4 = check(r.Q2 - in.L * in.q - in.F);
  r.M5 = check(r.M4);
  r.N5 = check(r.Q4);
  r.Q5 = check(-r.N4);
}

template <class Check>
void KinkedBeam(const InputSet& in, SharedResults& r, const Check& check) {
  r.AH = check(-(in.wD + in.wS) * in.h);
  r.AV = check(
      (in.L * in.L * in.q / 2 + in.h * in.h * (-in.wD - in.wS) / 2 + (in.L - in.a) * in.F) / in.L);
  r.MA = check(0);
  r.BH = check(0);
  r.BV = check(in.q * in.L + in.F - r.AV);
  r.MB = check(0);
  InternalForces(in, r, check, false);
}

template <class Check>
void TwoHingedFrame(const InputSet& in, SharedResults& r, const Check& check) {
  const double h = in.h, L = in.L, a = in.a;
  const double n = 2 * r.k + 3;
  const double m = 5 * r.k + 6;
  r.AH = check(in.q * (L * L) / (n * (h * 4)) + (3.0 / 2.0) * in.F * a * (L - a) / (n * (L * h)) +
               (h * in.wD / 8 * m / n - h * in.wD) - h * in.wS / 8 * m / n);
  r.AV = check((L * L * in.q / 2 + h * h * (-in.wD - in.wS) / 2 + (L - a) * in.F) / L);
  r.MA = check(0);
  r.BH = check((in.wS + in.wD) * h + r.AH);
  r.BV = check(in.q * L + in.F - r.AV);
  r.MB = check(0);
  InternalForces(in, r, check, false);
}

template <class Check>
void FixedFrame(const InputSet& in, SharedResults& r, const Check& check) {
  const double h = in.h, L = in.L, a = in.a, k = r.k;
  const double q = in.q, F = in.F, wD = in.wD, wS = in.wS;
  r.AH = check(q * (L * L) / (4 * h * (k + 2)) + (3.0 / 2.0) * F * a * (L - a) / (L * h * (k + 2)) +
               (h * wD / 8 * (2 * k + 3) / (k + 2) - h * wD) - h * wS / 8 * (2 * k + 3) / (k + 2));
  r.AV = check(q * L / 2 +
               ((a / L + 1) - 2 * ((a / L) * (a / L)) + 6 * k) / (6 * k + 1) * ((L - a) * F / L) -
               h * h * wD / L * k / (6 * k + 1) - h * h * wS / L * k / (6 * k + 1));
  r.MA = check(q * (L * L) / 12 / (k + 2) +
               (2 * a / L * (k + 2) + (5 * k - 1)) * ((L - a) * (a * F) / 2 / L) /
                   ((6 * k + 1) * (k + 2)) +
               h * h * wD / 24 * ((5 * k + 9) / (k + 2) - 12 * k / (6 * k + 1)) +
               (h * h * wD / L * k / (6 * k + 1) * L - h * h * wD / 2) -
               h * h * wS / 24 * ((5 * k + 9) / (k + 2) - 12 * k / (6 * k + 1)));
  r.BH = check((wS + wD) * h + r.AH);
  r.BV = check(q * L + F - r.AV);
  r.MB = check(h * h * wS / 2 + h * h * wD / 2 + L * r.AV + r.MA - L * L * q / 2 - (L - a) * F);
  InternalForces(in, r, check, true);
}

template <class Check>
void Run(const InputSet& in, std::optional<SystemType> system, SharedResults& r,
         const Check& check) {
  r.k = check(in.I2 / in.I1 * in.h / in.L);
  if (!system) {
    return;
  }
  switch (*system) {
    case SystemType::KinkedBeam:
      KinkedBeam(in, r, check);
      break;
    case SystemType::TwoHingedFrame:
      TwoHingedFrame(in, r, check);
      break;
    case SystemType::FixedFrame:
      FixedFrame(in, r, check);
      break;
  }
}

constexpr double SharedResults::*kLineValues[kResultLineCount] = {
    &SharedResults::AH, &SharedResults::AV, &SharedResults::MA,
    &SharedResults::BH, &SharedResults::BV, &SharedResults::MB,
    &SharedResults::M1, &SharedResults::N1, &SharedResults::Q1,
    &SharedResults::M2, &SharedResults::N2, &SharedResults::Q2,
    &SharedResults::M3, &SharedResults::X3, nullptr,
    &SharedResults::M4, &SharedResults::N4, &SharedResults::Q4,
    &SharedResults::M5, &SharedResults::N5, &SharedResults::Q5};

constexpr const char* kPrefixes[kResultLineCount] = {
    "AH = ", "AV = ", "MA = ", "BH = ", "BV = ", "MB = ", "M1 = ",
    "N1 = ", "Q1 = ", "M2 = ", "N2 = ", "Q2 = ", "M3 = ", "X3 = ",
    "",      "M4 = ", "N4 = ", "Q4 = ", "M5 = ", "N5 = ", "Q5 = "};

constexpr const char* kUnits[kResultLineCount] = {
    " kN", " kN",  " kNm", " kN", " kN",  " kNm", " kNm", " kN",  " kN", " kNm", " kN",
    " kN", " kNm", " m",   "",    " kNm", " kN",  " kN",  " kNm", " kN", " kN"};

// The lines each system writes, in ascending order; line 14 is never written.
constexpr std::array<int, 17> kKinkedBeamLines = {0,  1,  4,  6,  7,  8,  9,  10, 11,
                                                  12, 13, 15, 16, 17, 18, 19, 20};
constexpr std::array<int, 18> kTwoHingedLines = {0,  1,  3,  4,  6,  7,  8,  9,  10,
                                                 11, 12, 13, 15, 16, 17, 18, 19, 20};
constexpr std::array<int, 20> kFixedFrameLines = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,
                                                  10, 11, 12, 13, 15, 16, 17, 18, 19, 20};

template <std::size_t N>
ResultLines Lines(const std::array<int, N>& indices, const SharedResults& r) {
  ResultLines lines;
  for (int i : indices) {
    lines.push_back({i, r.*kLineValues[i]});
  }
  return lines;
}

ResultLines Lines(std::optional<SystemType> system, const SharedResults& r) {
  if (!system) {
    return {};
  }
  switch (*system) {
    case SystemType::KinkedBeam:
      return Lines(kKinkedBeamLines, r);
    case SystemType::TwoHingedFrame:
      return Lines(kTwoHingedLines, r);
    case SystemType::FixedFrame:
      return Lines(kFixedFrameLines, r);
  }
  return {};
}

}  // namespace

FieldPointChoice FieldPointOf(const InputSet& in, const SharedResults& r, SystemType system) {
  return DecideFieldPoint(in, r, system == SystemType::FixedFrame);
}

double FieldMoment(const InputSet& in, const SharedResults& r, SystemType system, double x) {
  return BeamMoment(in, r, system == SystemType::FixedFrame, x);
}

const char* ResultLinePrefix(int index) {
  return kPrefixes[index];
}

const char* ResultLineUnit(int index) {
  return kUnits[index];
}

std::string ResultLineText(const ResultLine& line) {
  return kPrefixes[line.index] + FormatFixed2(line.value) + kUnits[line.index];
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
