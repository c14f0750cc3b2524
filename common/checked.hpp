#pragma once
// Checked arithmetic. The calculations fail where arithmetic traps: division by zero,
// overflow, a real power of a negative number, an invalid operation such as 0/0. IEEE
// arithmetic does not trap (x/0 gives infinity, later arithmetic may hide it), so each
// operation that can fail goes through one of these helpers, and each produced quantity is
// checked to be finite.

#include <cmath>
#include <stdexcept>
#include <string_view>

namespace toluvek {

enum class FaultKind {
  kDivisionByZero,
  kOverflow,
  kInvalidOperation,  // 0/0, a real power of a negative number, NaN from any operation
};

class ArithmeticFault : public std::runtime_error {
 public:
  explicit ArithmeticFault(FaultKind kind);
  FaultKind kind() const { return kind_; }

 private:
  FaultKind kind_;
};

// A field text that the operation reading it does not accept as a number.
class InputTextFault : public std::runtime_error {
 public:
  InputTextFault();
};

[[noreturn]] void ThrowFault(FaultKind kind);

// The value itself when finite; overflow for an infinity, invalid operation for NaN.
inline double Checked(double x) {
  if (std::isfinite(x)) [[likely]]
    return x;
  ThrowFault(std::isnan(x) ? FaultKind::kInvalidOperation : FaultKind::kOverflow);
}

// a / b, failing on a zero divisor (0/0 is an invalid operation) and on overflow.
inline double Div(double a, double b) {
  if (b == 0.0) [[unlikely]]
    ThrowFault(a == 0.0 ? FaultKind::kInvalidOperation : FaultKind::kDivisionByZero);
  return Checked(a / b);
}

// base ^ exponent as a real power: a negative base is an invalid operation unless the
// exponent is a whole number; zero to a negative power is a division by zero.
inline double Pow(double base, double exponent) {
  if (!(base >= 0.0) && std::trunc(exponent) != exponent) [[unlikely]]
    ThrowFault(FaultKind::kInvalidOperation);
  if (base == 0.0 && exponent < 0.0) [[unlikely]]
    ThrowFault(FaultKind::kDivisionByZero);
  return Checked(std::pow(Checked(base), exponent));
}

// Reads a field strictly (ParseStrict) or throws InputTextFault.
double RequireNumber(std::string_view text);

}  // namespace toluvek
