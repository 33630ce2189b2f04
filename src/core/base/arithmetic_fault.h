// Arithmetic faults of the engine and the drawings, and the one helper that detects them. Every
// fault the computation raises is one of these (or derived from one), so that each command and
// strevo-cli report it in German by one path.
#pragma once

#include <cfenv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace strevo {

// NoEquilibrium: the frame analysis finds none (a mechanism, a frame past its critical load, or
// dimensions so far out of range that its stiffness is singular in double precision).
enum class FaultKind { DivisionByZero, Overflow, InvalidOperation, NoEquilibrium };

class ArithmeticFault : public std::runtime_error {
 public:
  // `field`: the symbol of the input field whose text caused it, when a field did.
  explicit ArithmeticFault(FaultKind kind, std::string field = {});
  FaultKind kind() const { return kind_; }
  const std::string& field() const { return field_; }

 private:
  FaultKind kind_;
  std::string field_;
};

// The German name of the fault, as the message box shows it.
std::string FaultText(FaultKind kind);
// The name, and the field when one caused it: "Überlauf im Feld a".
std::string FaultText(const ArithmeticFault& fault);

inline constexpr int kFaultFlags = FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID;

// Names the fault from the raised status flags; division by zero outranks an invalid operation
// that follows from it (x/0 · 0), and both outrank overflow. Without any flag the value decides.
FaultKind ClassifyFault(int raisedFlags, double value);

// Clears and reads the fault flags of the floating-point status. Out of line on purpose: an
// opaque call keeps the compiler from moving arithmetic across it.
void ClearFaultFlags();
int RaisedFaultFlags();

// Checks each computed value against the floating-point status since the last check.
// Construction clears the status; a check that passes leaves it clear, so every check sees
// exactly the operations since the one before.
class FaultWatch {
 public:
  FaultWatch() { ClearFaultFlags(); }
  double operator()(double value) const {
    const int raised = RaisedFaultFlags();
    if (raised != 0 || !std::isfinite(value)) {
      throw ArithmeticFault(ClassifyFault(raised, value));
    }
    return value;
  }
  // The value as the single precision that coordinates are handed over in. Out of the float
  // range it overflows (a cast would be undefined behaviour, not an infinity).
  float Single(double value) const {
    if (std::abs((*this)(value)) > std::numeric_limits<float>::max()) {
      throw ArithmeticFault(FaultKind::Overflow);
    }
    return static_cast<float>(value);
  }
};

}  // namespace strevo
