#pragma once
// The mixture calculation as one plain loop nest: the engine's factored form with the same
// arithmetic in the same order, species by species, and no checks at all. It is the floor the
// engine is timed against: what the arithmetic costs when written the obvious way, with nothing
// for the failure semantics. It gives the engine's bits wherever the engine succeeds, which
// tests/engine checks.

#include <array>
#include <cmath>
#include <cstddef>

#include "engine/gas_table.hpp"
#include "engine/mixture.hpp"

namespace toluvek::reference {

// (Mj/Mi)^0.25 and (1 + Mi/Mj)^-0.5/√8, as the engine prepares them.
struct WilkeMassFactors {
  std::array<SpeciesArray, kSpeciesCount> ratio;
  std::array<SpeciesArray, kSpeciesCount> sum;
};

inline const WilkeMassFactors& MassFactors() {
  static const WilkeMassFactors factors = [] {
    WilkeMassFactors f;
    const auto& s = AllSpecies();
    for (std::size_t i = 0; i < kSpeciesCount; ++i) {
      for (std::size_t j = 0; j < kSpeciesCount; ++j) {
        f.ratio[i][j] = std::pow(s[j].molar_mass / s[i].molar_mass, 0.25);
        f.sum[i][j] = std::pow(1 + s[i].molar_mass / s[j].molar_mass, -0.5) / std::sqrt(8.0);
      }
    }
    return f;
  }();
  return factors;
}

// Pressure [Pa], temperature [K], amounts in any proportional unit.
inline void Mixture(double pressure, double t, const SpeciesArray& x, MixtureProperties& p) {
  const auto& s = AllSpecies();
  const WilkeMassFactors& f = MassFactors();
  double sum = 0;
  double mass_sum = 0;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) sum += x[i];
  for (std::size_t i = 0; i < kSpeciesCount; ++i) mass_sum += x[i] * s[i].molar_mass;
  double m = 0;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    p.mole_fraction[i] = x[i] / sum;
    p.mass_fraction[i] = x[i] * s[i].molar_mass / mass_sum;
    m += p.mole_fraction[i] * s[i].molar_mass;
  }
  p.molar_mass = m;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    const auto& c = s[i].heat_capacity;
    const auto& a = s[i].conductivity;
    const auto& b = s[i].viscosity;
    p.species_cp[i] =
        (c[0] + c[1] * t + c[2] * (t * t) + c[3] * (t * t * t)) / s[i].molar_mass * 1000;
    p.species_conductivity[i] = a[0] + a[1] * t + a[2] * (t * t) + a[3] * (t * t * t);
    p.species_viscosity[i] = b[0] + b[1] * t + b[2] * (t * t) + b[3] * (t * t * t);
  }
  double cp = 0;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) cp += p.mass_fraction[i] * p.species_cp[i];
  p.cp = cp;
  SpeciesArray root;
  SpeciesArray inverse_root;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    root[i] = std::sqrt(std::fabs(p.species_viscosity[i]));
    inverse_root[i] = 1 / root[i];
  }
  double mu = 0;
  double lambda = 0;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    double d = 0;
    for (std::size_t j = 0; j < kSpeciesCount; ++j) {
      const double inner = 1 + root[i] * inverse_root[j] * f.ratio[i][j];
      d += p.mole_fraction[j] * (inner * inner * f.sum[i][j]);
    }
    mu += p.mole_fraction[i] * p.species_viscosity[i] / d;
    lambda += p.mole_fraction[i] * p.species_conductivity[i] / d / 1.065;
  }
  p.viscosity = mu;
  p.conductivity = lambda;
  p.density = m * pressure / 8314.472 / t;
  p.gas_constant = 8314.472 / m;
  p.kinematic_viscosity = mu / p.density;
  p.prandtl = cp * mu / lambda;
  p.prandtl_eucken = cp / (10393.09 / m + cp);
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    p.species_prandtl[i] = p.species_cp[i] * p.species_viscosity[i] / p.species_conductivity[i];
  }
}

}  // namespace toluvek::reference
