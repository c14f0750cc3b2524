#include "engine/fit_range.hpp"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace toluvek {
namespace {

TEST(FitRange, EdgesAreInsideAndTheirNeighboursOutside) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    double t;
    bool property, enthalpy;
  };
  const Case cases[] = {
      {200.0, true, true},
      {std::nextafter(200.0, 0.0), false, false},
      {1000.0, true, true},
      {std::nextafter(1000.0, 2000.0), false, true},
      {3000.0, false, true},
      {std::nextafter(3000.0, 4000.0), false, false},
      {-1.0, false, false},
      {nan, false, false},
      {std::numeric_limits<double>::infinity(), false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(InPropertyFitRange(c.t), c.property) << c.t;
    EXPECT_EQ(InEnthalpyFitRange(c.t), c.enthalpy) << c.t;
  }
}

}  // namespace
}  // namespace toluvek
