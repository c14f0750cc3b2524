#include "engine/correlations.hpp"

#include "common/checked.hpp"

namespace toluvek {

double PrandtlNumber(double cp, double viscosity, double conductivity) {
  return Div(Checked(cp * viscosity), conductivity);
}

}  // namespace toluvek
