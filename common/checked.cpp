#include "common/checked.hpp"

#include "common/number_text.hpp"

namespace toluvek {
namespace {

const char* FaultText(FaultKind kind) {
  switch (kind) {
    case FaultKind::kDivisionByZero:
      return "division by zero";
    case FaultKind::kOverflow:
      return "overflow";
    case FaultKind::kInvalidOperation:
      return "invalid operation";
  }
  return "arithmetic fault";
}

}  // namespace

ArithmeticFault::ArithmeticFault(FaultKind kind)
    : std::runtime_error(FaultText(kind)), kind_(kind) {}

InputTextFault::InputTextFault() : std::runtime_error("text is not a number") {}

void ThrowFault(FaultKind kind) {
  throw ArithmeticFault(kind);
}

double RequireNumber(std::string_view text) {
  if (auto value = ParseStrict(text)) return *value;
  throw InputTextFault();
}

}  // namespace toluvek
