// The portal's closed forms, written once. Each block is a template on a run of steps: the
// engine runs it on numbers (each step checked and stored at once), the Rechenweg on formulas
// (each step written in symbols and with the numbers put in). Both therefore show and compute
// the same text, in the same order of operations.
#pragma once

#include <array>
#include <optional>

#include "core/analysis/field_point.h"
#include "core/analysis/inputs.h"
#include "core/analysis/shared_results.h"

namespace strevo {

// The values a run stores, in the order the engine stores them.
enum class Stored {
  k,
  AH,
  AV,
  MA,
  BH,
  BV,
  MB,
  M1,
  N1,
  Q1,
  M2,
  N2,
  Q2,
  X3,
  M3,
  M4,
  N4,
  Q4,
  M5,
  N5,
  Q5
};

struct StoredValue {
  const char* symbol;
  const char* unit;  // empty for k
  double SharedResults::*member;
};

inline constexpr std::array<StoredValue, 21> kStoredValues = {{
    {"k", "", &SharedResults::k},      {"AH", "kN", &SharedResults::AH},
    {"AV", "kN", &SharedResults::AV},  {"MA", "kNm", &SharedResults::MA},
    {"BH", "kN", &SharedResults::BH},  {"BV", "kN", &SharedResults::BV},
    {"MB", "kNm", &SharedResults::MB}, {"M1", "kNm", &SharedResults::M1},
    {"N1", "kN", &SharedResults::N1},  {"Q1", "kN", &SharedResults::Q1},
    {"M2", "kNm", &SharedResults::M2}, {"N2", "kN", &SharedResults::N2},
    {"Q2", "kN", &SharedResults::Q2},  {"X3", "m", &SharedResults::X3},
    {"M3", "kNm", &SharedResults::M3}, {"M4", "kNm", &SharedResults::M4},
    {"N4", "kN", &SharedResults::N4},  {"Q4", "kN", &SharedResults::Q4},
    {"M5", "kNm", &SharedResults::M5}, {"N5", "kN", &SharedResults::N5},
    {"Q5", "kN", &SharedResults::Q5},
}};

constexpr const StoredValue& StoredInfo(Stored value) {
  return kStoredValues[static_cast<std::size_t>(value)];
}

namespace statics {

// x², written as a square in the formulas.
inline double Sq(double x) {
  return x * x;
}

// The inputs as a run reads them: numbers or their symbols.
template <class V>
struct Loads {
  V wD, q, h, a, L, wS, F, I1, I2;
};

// What the beam's moment line needs from the reactions.
template <class V>
struct BeamStart {
  V AH, AV, MA;
};

// The beam's moment at x from point 2, taken from the left part of the portal: the point load's
// term only right of the load, the clamping moment only in the fixed frame.
template <class V>
V BeamMoment(const Loads<V>& n, const BeamStart<V>& r, const V& x, bool rightOfLoad,
             bool withClamp) {
  V m = x * r.AV - n.h * r.AH - Sq(n.h) * n.wD / V(2) - Sq(x) * n.q / V(2);
  if (rightOfLoad) {
    m = m - (x - n.a) * n.F;
  }
  return withClamp ? m + r.MA : m;
}

// Where a field-point candidate lies, as the decision computes it.
template <class V>
V PlaceOf(const FieldPointCandidate& point, const Loads<V>& n, const V& AV) {
  switch (point.rule) {
    case FieldPointRule::ShearZeroBeforeLoad:
      return AV / n.q;
    case FieldPointRule::ShearZeroAfterLoad:
      return (AV - n.F) / n.q;
    case FieldPointRule::LoadJump:
    case FieldPointRule::PointLoadOnly:
      return n.a;
    case FieldPointRule::Midspan:
      return n.L / V(2);
    case FieldPointRule::BeamEnd:
      break;
  }
  return point.x == 0 ? V(0) : n.L;
}

// The reactions of each system. `run.Step(target, value)` stores a value and gives it back as
// the later steps read it; `run.Intermediate(name, value)` names a part that several terms use.

// AV of a portal whose feet take no moment: moments about B.
template <class V>
V VerticalAtPinnedA(const Loads<V>& n) {
  const auto& [wD, q, h, a, L, wS, F, I1, I2] = n;
  return (Sq(L) * q / V(2) + Sq(h) * (-wD - wS) / V(2) + (L - a) * F) / L;
}

// B's reactions follow from A's by the equilibrium of the whole portal: BV from the vertical
// loads, BH and MB as each system gives them. MB is a function so that it is computed in its
// own step, after BV: a fault there must leave BH and BV stored.
template <class Run, class V = typename Run::Value, class Moment>
void ReactionsAtB(Run& run, const Loads<V>& n, const V& BH, const V& AV, const Moment& MB) {
  run.Step(Stored::BH, BH);
  run.Step(Stored::BV, n.q * n.L + n.F - AV);
  run.Step(Stored::MB, MB());
}

template <class V>
auto Zero() {
  return [] { return V(0); };
}

template <class Run>
void KinkedBeam(Run& run, const Loads<typename Run::Value>& n) {
  using V = typename Run::Value;
  run.Step(Stored::AH, -(n.wD + n.wS) * n.h);
  const V AV = run.Step(Stored::AV, VerticalAtPinnedA(n));
  run.Step(Stored::MA, V(0));
  ReactionsAtB(run, n, V(0), AV, Zero<V>());
}

template <class Run>
void TwoHingedFrame(Run& run, const Loads<typename Run::Value>& n, const typename Run::Value& k) {
  using V = typename Run::Value;
  const auto& [wD, q, h, a, L, wS, F, I1, I2] = n;
  const V nk = run.Intermediate("n", V(2) * k + V(3));
  const V mk = run.Intermediate("m", V(5) * k + V(6));
  const V AH = run.Step(
      Stored::AH, q * Sq(L) / (nk * (h * V(4))) + V(3) / V(2) * F * a * (L - a) / (nk * (L * h)) +
                      (h * wD / V(8) * mk / nk - h * wD) - h * wS / V(8) * mk / nk);
  const V AV = run.Step(Stored::AV, VerticalAtPinnedA(n));
  run.Step(Stored::MA, V(0));
  ReactionsAtB(run, n, (wS + wD) * h + AH, AV, Zero<V>());
}

// MB of the fixed frame: moments about B of the loads and of A's reactions.
template <class V>
V ClampAtB(const Loads<V>& n, const V& AV, const V& MA) {
  const auto& [wD, q, h, a, L, wS, F, I1, I2] = n;
  return Sq(h) * wS / V(2) + Sq(h) * wD / V(2) + L * AV + MA - Sq(L) * q / V(2) - (L - a) * F;
}

template <class Run>
void FixedFrame(Run& run, const Loads<typename Run::Value>& n, const typename Run::Value& k) {
  using V = typename Run::Value;
  const auto& [wD, q, h, a, L, wS, F, I1, I2] = n;
  const V k2 = k + V(2), k6 = V(6) * k + V(1);
  const V AH = run.Step(Stored::AH, q * Sq(L) / (V(4) * h * k2) +
                                        V(3) / V(2) * F * a * (L - a) / (L * h * k2) +
                                        (h * wD / V(8) * (V(2) * k + V(3)) / k2 - h * wD) -
                                        h * wS / V(8) * (V(2) * k + V(3)) / k2);
  const V AV = run.Step(
      Stored::AV, q * L / V(2) +
                      ((a / L + V(1)) - V(2) * Sq(a / L) + V(6) * k) / k6 * ((L - a) * F / L) -
                      Sq(h) * wD / L * k / k6 - Sq(h) * wS / L * k / k6);
  const V bracket = (V(5) * k + V(9)) / k2 - V(12) * k / k6;
  const V MA = run.Step(
      Stored::MA,
      q * Sq(L) / V(12) / k2 +
          (V(2) * a / L * k2 + (V(5) * k - V(1))) * ((L - a) * (a * F) / V(2) / L) / (k6 * k2) +
          Sq(h) * wD / V(24) * bracket + (Sq(h) * wD / L * k / k6 * L - Sq(h) * wD / V(2)) -
          Sq(h) * wS / V(24) * bracket);
  ReactionsAtB(run, n, (wS + wD) * h + AH, AV, [&] { return ClampAtB(n, AV, MA); });
}

// Everything from M1 on: the statics of cuts through the members, the same for all systems
// except the clamping moment at A that the fixed frame adds to every beam moment.
// `run.FieldPoint(place, choice)` stores X3 with the decision that put it there.
template <class Run>
void InternalForces(Run& run, const Loads<typename Run::Value>& n,
                    const BeamStart<typename Run::Value>& r, bool withClamp) {
  using V = typename Run::Value;
  const auto& [wD, q, h, a, L, wS, F, I1, I2] = n;
  const V m1 = -r.AH * h - Sq(h) * wD / V(2);
  const V M1 = run.Step(Stored::M1, withClamp ? m1 + r.MA : m1);
  run.Step(Stored::N1, -r.AV);
  run.Step(Stored::Q1, -r.AH - h * wD);
  run.Step(Stored::M2, M1);
  const V N2 = run.Step(Stored::N2, -r.AH - h * wD);
  const V Q2 = run.Step(Stored::Q2, r.AV);
  const FieldPointChoice choice = run.ChooseFieldPoint(withClamp);
  const V X3 = run.FieldPoint(PlaceOf(choice.chosen, n, r.AV), choice);
  run.Step(Stored::M3, BeamMoment(n, r, X3, run.RightOfLoad(), withClamp));
  const V M4 = run.Step(Stored::M4, BeamMoment(n, r, L, true, withClamp));
  const V N4 = run.Step(Stored::N4, N2);
  const V Q4 = run.Step(Stored::Q4, Q2 - L * q - F);
  run.Step(Stored::M5, M4);
  run.Step(Stored::N5, Q4);
  run.Step(Stored::Q5, -N4);
}

// The whole run: k, then the block of the system. The stored reactions are read back as the
// run gives them (numbers, or their symbols).
template <class Run>
void Portal(Run& run, const Loads<typename Run::Value>& n, std::optional<SystemType> system) {
  using V = typename Run::Value;
  const V k = run.Step(Stored::k, n.I2 / n.I1 * n.h / n.L);
  if (!system) {
    return;
  }
  switch (*system) {
    case SystemType::KinkedBeam:
      KinkedBeam(run, n);
      break;
    case SystemType::TwoHingedFrame:
      TwoHingedFrame(run, n, k);
      break;
    case SystemType::FixedFrame:
      FixedFrame(run, n, k);
      break;
  }
  InternalForces(run, n, run.BeamStartValues(), *system == SystemType::FixedFrame);
}

}  // namespace statics
}  // namespace strevo
