#include "common/checked.hpp"

#include <limits>

#include <gtest/gtest.h>

namespace toluvek {
namespace {

FaultKind FaultOf(double (*operation)()) {
  try {
    operation();
  } catch (const ArithmeticFault& fault) {
    return fault.kind();
  }
  ADD_FAILURE() << "no fault";
  return FaultKind::kInvalidOperation;
}

TEST(CheckedArithmetic, FailsWhereArithmeticTraps) {
  EXPECT_EQ(FaultOf([] { return Div(1, 0); }), FaultKind::kDivisionByZero);
  EXPECT_EQ(FaultOf([] { return Div(0, 0); }), FaultKind::kInvalidOperation);
  EXPECT_EQ(FaultOf([] { return Div(1e308, 1e-308); }), FaultKind::kOverflow);
  EXPECT_EQ(FaultOf([] { return Pow(-2, 0.5); }), FaultKind::kInvalidOperation);
  EXPECT_EQ(FaultOf([] { return Pow(0, -0.5); }), FaultKind::kDivisionByZero);
  EXPECT_EQ(FaultOf([] { return Pow(1e200, 2); }), FaultKind::kOverflow);
  EXPECT_EQ(FaultOf([] { return Checked(std::numeric_limits<double>::quiet_NaN()); }),
            FaultKind::kInvalidOperation);
  EXPECT_EQ(FaultOf([] { return Checked(1e308 * 10); }), FaultKind::kOverflow);
}

TEST(CheckedArithmetic, PassesOrdinaryValuesThrough) {
  EXPECT_EQ(Div(1, 4), 0.25);
  EXPECT_EQ(Pow(-2, 2), 4);  // a whole-number power of a negative number is fine
  EXPECT_EQ(Pow(0, 0.5), 0);
  EXPECT_EQ(Div(1e-320, 1e10), 0);  // underflow is no failure
}

TEST(RequireNumber, ThrowsOnTextThatIsNotANumber) {
  EXPECT_EQ(RequireNumber(" 2.5 "), 2.5);
  EXPECT_THROW(RequireNumber(""), InputTextFault);
  EXPECT_THROW(RequireNumber("1e400"), InputTextFault);
}

}  // namespace
}  // namespace toluvek
