#pragma once
// Pure-species properties as functions of the absolute temperature alone. The polynomials
// are evaluated at any temperature, without range or sign checks.

#include "common/checked.hpp"
#include "engine/gas_table.hpp"

namespace toluvek {

// c0 + c1·T + c2·T² + c3·T³, powers as plain products, summed left to right.
inline double Cubic(const std::array<double, 4>& c, double t) {
  return c[0] + c[1] * t + c[2] * (t * t) + c[3] * (t * t * t);
}

// Specific heat at constant pressure [J/(kg·K)]: the molar cp per molar mass, times 1000.
inline double SpecificHeat(const SpeciesConstants& s, double t) {
  return Cubic(s.heat_capacity, t) / s.molar_mass * kMolarToMassCp;
}

// Thermal conductivity [W/(m·K)].
inline double Conductivity(const SpeciesConstants& s, double t) {
  return Cubic(s.conductivity, t);
}

// Dynamic viscosity [Pa·s].
inline double Viscosity(const SpeciesConstants& s, double t) {
  return Cubic(s.viscosity, t);
}

// Prandtl number cp·μ/λ [-], cp in J/(kg·K). Throws ArithmeticFault when λ = 0 or on overflow.
inline double PrandtlNumber(double cp, double viscosity, double conductivity) {
  return Div(Checked(cp * viscosity), conductivity);
}

}  // namespace toluvek
