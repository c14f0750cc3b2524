#include "main/gas_quality.hpp"

#include <exception>

#include "common/checked.hpp"
#include "engine/enthalpy.hpp"
#include "engine/mixture.hpp"
#include "main/combustion.hpp"
#include "main/messages.hpp"

namespace toluvek {
namespace {

constexpr double kJoulePerKilojoule = 1000;  // J/kJ
constexpr double kMolPerKmol = 1000;         // mol/kmol: kJ/mol × 1000 × 1000 -> J/kmol

// Oxygen the fuels of the amounts need, less the oxygen they hold, in their unit.
double NetOxygenDemand(const SpeciesArray& amounts) {
  double demand = 0;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    const double need = OxygenDemandOf(static_cast<SpeciesIndex>(i));
    if (need != 0) demand += need * amounts[i];
  }
  const double net = Checked(Checked(demand) - amounts[kO2]);
  return net > 0 ? net : 0;
}

}  // namespace

double NormalMolarVolume() {
  return kGasConstant * kNormalTemperature / kNormalPressure;
}

double AirMolarMass() {
  return kAirOxygenFraction * AllSpecies()[kO2].molar_mass +
         kAirNitrogenFraction * AllSpecies()[kN2].molar_mass;
}

GasQuality ComputeGasQuality(const SpeciesArray& mole_fraction) {
  GasQuality q;
  double molar_mass = 0;
  double hhv = 0;  // [kJ/mol]
  double lhv = 0;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    const HeatingValue value = HeatingValueOf(static_cast<SpeciesIndex>(i));
    molar_mass += mole_fraction[i] * AllSpecies()[i].molar_mass;
    hhv += mole_fraction[i] * value.higher;
    lhv += mole_fraction[i] * value.lower;
  }
  q.molar_mass = Checked(molar_mass);
  q.hhv_molar = Checked(Checked(hhv) * kJoulePerKilojoule * kMolPerKmol);
  q.lhv_molar = Checked(Checked(lhv) * kJoulePerKilojoule * kMolPerKmol);
  q.hhv_mass = Div(q.hhv_molar, q.molar_mass);
  q.lhv_mass = Div(q.lhv_molar, q.molar_mass);
  const double normal_volume = NormalMolarVolume();
  q.hhv_volume = Div(q.hhv_molar, normal_volume);
  q.lhv_volume = Div(q.lhv_molar, normal_volume);
  const double air_molar_mass = AirMolarMass();
  q.relative_density = Div(q.molar_mass, air_molar_mass);
  const double root_d = Pow(q.relative_density, 0.5);
  q.wobbe_higher = Div(q.hhv_volume, root_d);
  q.wobbe_lower = Div(q.lhv_volume, root_d);
  // Ideal gases: a mole ratio is a ratio of normal volumes.
  q.air_volume = StoichiometricAir(mole_fraction);
  q.air_mass = Div(Checked(q.air_volume * air_molar_mass), q.molar_mass);
  return q;
}

double StoichiometricAir(const SpeciesArray& amounts) {
  return Div(NetOxygenDemand(amounts), kAirOxygenFraction);
}

SpeciesArray WithAir(const SpeciesArray& amounts, double air_ratio) {
  // The oxygen added is formed directly, so that a ratio of 1 gives the fuels exactly the
  // oxygen they need (no residue of rounding through 0.21).
  const double oxygen = Checked(air_ratio * NetOxygenDemand(amounts));
  const double air = Div(oxygen, kAirOxygenFraction);
  SpeciesArray with_air = amounts;
  with_air[kO2] = Checked(amounts[kO2] + oxygen);
  with_air[kN2] = Checked(amounts[kN2] + Checked(air * kAirNitrogenFraction));
  return with_air;
}

GasQualityOutcome EvaluateGasQuality(const AmountsInput& amounts) {
  GasQualityOutcome outcome;
  MixtureResult mixture;
  outcome.message = EvaluateState(kNormalPressure, kNormalTemperature, amounts, mixture);
  if (outcome.message != nullptr) return outcome;
  try {
    outcome.quality = ComputeGasQuality(mixture.properties.mole_fraction);
  } catch (const std::exception&) {
    outcome.message = &messages::kCheckInput;
  }
  return outcome;
}

}  // namespace toluvek
