// Where the beam's field moment is taken: the one decision that the engine, the Rechenweg and
// the tests share.
#pragma once

#include <array>
#include <cmath>

namespace strevo {

// Why X3 lies where it does.
enum class FieldPointRule {
  ShearZeroBeforeLoad,  // the shear AV − q·x passes zero left of the load (or anywhere, F = 0)
  ShearZeroAfterLoad,   // the shear AV − q·x − F passes zero right of the load
  LoadJump,             // the point load makes the shear jump through zero: X3 = a
  BeamEnd,              // q ≠ 0 and the shear keeps its sign: the moment is extreme at an end
  PointLoadOnly,        // q = 0, F ≠ 0: the straight moment line kinks only under the load
  Midspan,              // q = 0, F = 0: no extreme in the field, midspan by convention
};

struct FieldPointCandidate {
  FieldPointRule rule;
  double x;
};

struct FieldPointChoice {
  FieldPointCandidate chosen;
  // Every point where the shear changes sign, left to right; the chosen one is among them
  // when there is any.
  std::array<FieldPointCandidate, 3> extremes{};
  int extremeCount = 0;
};

struct FieldPointLoads {
  double q, F, a, L, AV;
};

namespace field_point_detail {

inline int Sign(double value) {
  return (value > 0) - (value < 0);
}

}  // namespace field_point_detail

// X3 is where the beam's moment line has its extreme in the field: a zero of the shear inside
// a piece, or x = a where the point load makes the shear jump through zero; of several, the one
// with the largest |M| (the first on a tie). Without any the shear keeps its sign, the moment
// line is monotone and its extreme in the sense of q lies at an end. `moment(x)` is the beam's
// moment line.
template <class Moment>
FieldPointChoice ChooseFieldPoint(const FieldPointLoads& in, const Moment& moment) {
  using field_point_detail::Sign;
  FieldPointChoice choice{};
  const auto add = [&](FieldPointRule rule, double x) {
    choice.extremes[choice.extremeCount++] = {rule, x};
  };
  const bool load = in.F != 0;
  if (in.q != 0) {
    const double before = in.AV / in.q;
    if (before > 0 && before < in.L && (!load || before < in.a)) {
      add(FieldPointRule::ShearZeroBeforeLoad, before);
    }
  }
  if (load && in.a > 0 && in.a < in.L) {
    // An exact zero on one side counts with the sign the shear has just beside it.
    const double left = in.AV - in.a * in.q;
    const double right = left - in.F;
    const int signLeft = left != 0 ? Sign(left) : Sign(in.q);
    const int signRight = right != 0 ? Sign(right) : -Sign(in.q);
    if (signLeft * signRight < 0) {
      add(FieldPointRule::LoadJump, in.a);
    }
  }
  if (in.q != 0 && load) {
    const double after = (in.AV - in.F) / in.q;
    if (after > in.a && after > 0 && after < in.L) {
      add(FieldPointRule::ShearZeroAfterLoad, after);
    }
  }
  if (choice.extremeCount == 1) {
    choice.chosen = choice.extremes[0];
  } else if (choice.extremeCount > 1) {
    choice.chosen = choice.extremes[0];
    double largest = std::abs(moment(choice.chosen.x));
    for (int i = 1; i < choice.extremeCount; ++i) {
      const double size = std::abs(moment(choice.extremes[i].x));
      if (size > largest) {
        largest = size;
        choice.chosen = choice.extremes[i];
      }
    }
  } else if (in.q == 0) {
    choice.chosen = load ? FieldPointCandidate{FieldPointRule::PointLoadOnly, in.a}
                         : FieldPointCandidate{FieldPointRule::Midspan, in.L / 2};
  } else {
    const double start = moment(0.0), end = moment(in.L);
    const bool atEnd = in.q > 0 ? end > start : end < start;
    choice.chosen = {FieldPointRule::BeamEnd, atEnd ? in.L : 0.0};
  }
  return choice;
}

}  // namespace strevo
