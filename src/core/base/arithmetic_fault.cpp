#include "core/base/arithmetic_fault.h"

#include <cmath>
#include <utility>

#if defined(__x86_64__)
#include <xmmintrin.h>
#endif

namespace strevo {

ArithmeticFault::ArithmeticFault(FaultKind kind, std::string field)
    : std::runtime_error(FaultText(kind)), kind_(kind), field_(std::move(field)) {}

std::string FaultText(const ArithmeticFault& fault) {
  return fault.field().empty() ? FaultText(fault.kind())
                               : FaultText(fault.kind()) + " im Feld " + fault.field();
}

std::string FaultText(FaultKind kind) {
  switch (kind) {
    case FaultKind::DivisionByZero:
      return "Division durch Null";
    case FaultKind::Overflow:
      return "Überlauf";
    case FaultKind::InvalidOperation:
      return "Ungültige Rechenoperation";
    case FaultKind::NoEquilibrium:
      return "Rahmen ohne Gleichgewicht";
  }
  return "Rechenfehler";
}

// Doubles are computed in SSE registers on x86-64, so its status register is the whole story;
// the library's fenv functions also save and restore the x87 environment, which costs more
// than the formulas being checked. The SSE flag bits equal the FE_ constants there.
#if defined(__x86_64__)
void ClearFaultFlags() {
  _mm_setcsr(_mm_getcsr() & ~static_cast<unsigned>(kFaultFlags));
}
int RaisedFaultFlags() {
  return static_cast<int>(_mm_getcsr()) & kFaultFlags;
}
#else
void ClearFaultFlags() {
  std::feclearexcept(kFaultFlags);
}
int RaisedFaultFlags() {
  return std::fetestexcept(kFaultFlags);
}
#endif

FaultKind ClassifyFault(int raisedFlags, double value) {
  if ((raisedFlags & FE_DIVBYZERO) != 0) {
    return FaultKind::DivisionByZero;
  }
  if ((raisedFlags & FE_INVALID) != 0) {
    return FaultKind::InvalidOperation;
  }
  if ((raisedFlags & FE_OVERFLOW) != 0) {
    return FaultKind::Overflow;
  }
  return std::isnan(value) ? FaultKind::InvalidOperation : FaultKind::Overflow;
}

}  // namespace strevo
