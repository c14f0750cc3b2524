#include "engine/mixture.hpp"

#include <array>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "engine/correlations.hpp"

namespace toluvek {
namespace {

using Matrix = std::array<SpeciesArray, kSpeciesCount>;

// The parts of φ_ij that depend on the molar masses alone, prepared once:
// (Mj/Mi)^0.25 and (1 + Mi/Mj)^-0.5/√8.
struct MolarMassFactors {
  Matrix mass_ratio_power;
  Matrix mass_sum_power;
};

const MolarMassFactors& Factors() {
  static const MolarMassFactors factors = [] {
    MolarMassFactors f{};
    const auto& table = AllSpecies();
    const double root8 = std::sqrt(8.0);
    for (std::size_t i = 0; i < kSpeciesCount; ++i) {
      for (std::size_t j = 0; j < kSpeciesCount; ++j) {
        const double mi = table[i].molar_mass;
        const double mj = table[j].molar_mass;
        f.mass_ratio_power[i][j] = std::pow(mj / mi, 0.25);
        f.mass_sum_power[i][j] = std::pow(1 + mi / mj, -0.5) / root8;
      }
    }
    return f;
  }();
  return factors;
}

// φ_ij exactly as the formula is written, every power through std::pow.
Matrix WilkeLiteral(const SpeciesArray& mu) {
  const auto& table = AllSpecies();
  const double root8 = std::sqrt(8.0);
  Matrix phi;  // every factor is written below
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    for (std::size_t j = 0; j < kSpeciesCount; ++j) {
      const double mi = table[i].molar_mass;
      const double mj = table[j].molar_mass;
      const double inner = 1 + Pow(Div(mu[i], mu[j]), 0.5) * Pow(mj / mi, 0.25);
      phi[i][j] = Checked(Pow(inner, 2) * Pow(1 + mi / mj, -0.5) / root8);
    }
  }
  return phi;
}

// The same factors with the molar-mass parts prepared once and (μi/μj)^0.5 formed as
// √|μi| · (1/√|μj|). It fails exactly where the literal form fails: on a zero viscosity
// (division by zero) and on viscosities of opposite signs (real power of a negative ratio).
Matrix WilkeFactored(const SpeciesArray& mu) {
  const bool negative = mu[0] < 0;
  for (double m : mu) {
    if (m == 0) ThrowFault(FaultKind::kDivisionByZero);
    if ((m < 0) != negative) ThrowFault(FaultKind::kInvalidOperation);
  }
  SpeciesArray root;
  SpeciesArray inverse_root;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    root[i] = std::sqrt(std::fabs(mu[i]));
    inverse_root[i] = 1 / root[i];
  }
  const MolarMassFactors& f = Factors();
  Matrix phi;  // every factor is written below
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    for (std::size_t j = 0; j < kSpeciesCount; ++j) {
      const double inner = 1 + root[i] * inverse_root[j] * f.mass_ratio_power[i][j];
      phi[i][j] = inner * inner * f.mass_sum_power[i][j];
    }
  }
  return phi;
}

// ---- The calculation a few species at a time ----

// Loops over the lanes are unrolled, so that the lanes stay in registers.
#define TOLUVEK_EACH_LANE _Pragma("GCC unroll 6")

// Two species at a time: the portable form (SSE2 on x86-64, plain code elsewhere).
namespace two {
constexpr std::size_t kWidth = 2;
using Lane = double __attribute__((vector_size(16)));
using LaneMask = long long __attribute__((vector_size(16)));
Lane Sqrt(Lane x) {
#if defined(__SSE2__)
  return __builtin_ia32_sqrtpd(x);
#else
  return Lane{std::sqrt(x[0]), std::sqrt(x[1])};
#endif
}
#include "engine/mixture_lanes.inc"
}  // namespace two

#if defined(__x86_64__)
#define TOLUVEK_HAS_FOUR_LANES 1
// Four species at a time with AVX2, where the processor has it (chosen at run time; the rest
// of the program is built for the baseline x86-64). No FMA: a fused a + b·c rounds once, and
// its bits would differ.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif
namespace four {
constexpr std::size_t kWidth = 4;
using Lane = double __attribute__((vector_size(32)));
using LaneMask = long long __attribute__((vector_size(32)));
Lane Sqrt(Lane x) {
  return __builtin_ia32_sqrtpd256(x);
}
#include "engine/mixture_lanes.inc"
}  // namespace four
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
#endif

bool FourLanesAvailable() {
#if defined(TOLUVEK_HAS_FOUR_LANES)
  static const bool available = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return available;
#else
  return false;
#endif
}

bool CalculateInLanes(LaneWidth width, double pressure, double temperature,
                      const SpeciesArray& amounts, MixtureProperties& p) {
#if defined(TOLUVEK_HAS_FOUR_LANES)
  if (width == LaneWidth::kFour) return four::CalculateInLanes(pressure, temperature, amounts, p);
#endif
  return two::CalculateInLanes(pressure, temperature, amounts, p);
}

// The widest lanes the processor runs.
LaneWidth Widest() {
  return FourLanesAvailable() ? LaneWidth::kFour : LaneWidth::kTwo;
}

void CalculateInto(LaneWidth width, double pressure, double temperature,
                   const SpeciesArray& amounts, MixtureResult& result) {
  if (CalculateInLanes(width, pressure, temperature, amounts, result.properties)) [[likely]] {
    result.failed_step = MixtureStep::kNone;
    result.failed_species = 0;
    result.fault = FaultKind::kInvalidOperation;
  } else {
    result = CalculateMixtureStepwise(pressure, temperature, amounts, WilkeForm::kFactored);
  }
}

}  // namespace

MixtureResult CalculateMixtureStepwise(double pressure, double temperature, const SpeciesArray& x,
                                       WilkeForm form) {
  const auto& table = AllSpecies();
  MixtureResult result{};  // what is not produced stays zero
  MixtureProperties& p = result.properties;
  MixtureStep step = MixtureStep::kNormalisation;
  std::size_t species = 0;
  try {
    // 1. Mole fractions, mass fractions and the mixture molar mass.
    double sum = 0;
    double mass_sum = 0;
    for (std::size_t i = 0; i < kSpeciesCount; ++i) sum += x[i];
    for (std::size_t i = 0; i < kSpeciesCount; ++i) mass_sum += x[i] * table[i].molar_mass;
    Checked(sum);
    Checked(mass_sum);
    double molar_mass = 0;
    for (std::size_t i = 0; i < kSpeciesCount; ++i) {
      p.mole_fraction[i] = Div(x[i], sum);
      p.mass_fraction[i] = Div(Checked(x[i] * table[i].molar_mass), mass_sum);
      molar_mass += p.mole_fraction[i] * table[i].molar_mass;
    }
    p.molar_mass = Checked(molar_mass);

    // 2. Every species at T, present or not: the mixing rules run over all twelve.
    step = MixtureStep::kSpeciesProperties;
    for (std::size_t i = 0; i < kSpeciesCount; ++i) {
      p.species_cp[i] = Checked(SpecificHeat(table[i], temperature));
      p.species_conductivity[i] = Checked(Conductivity(table[i], temperature));
      p.species_viscosity[i] = Checked(Viscosity(table[i], temperature));
    }

    // 3. Mass-fraction weighting of the species' specific heats.
    step = MixtureStep::kSpecificHeat;
    double cp = 0;
    for (std::size_t i = 0; i < kSpeciesCount; ++i) cp += p.mass_fraction[i] * p.species_cp[i];
    p.cp = Checked(cp);

    // 4. Viscosity by Wilke's relation, μ = Σ yi·μi/Di (C. R. Wilke, J. Chem. Phys. 18, 517
    //    (1950)); conductivity by Wassiljewa's relation with the Mason–Saxena modification,
    //    λ = Σ yi·λi/Di/1.065 (A. Wassiljewa, Phys. Z. 5, 737 (1904); E. A. Mason and
    //    S. C. Saxena, Phys. Fluids 1, 361 (1958)); Di = Σj yj·φij. Both as given in the works
    //    the Help window names: 「化学工学便覧 改訂六版」(1999) and Bird, Stewart, Lightfoot,
    //    "Transport Phenomena" (1960).
    step = MixtureStep::kTransport;
    const Matrix phi = form == WilkeForm::kLiteral ? WilkeLiteral(p.species_viscosity)
                                                   : WilkeFactored(p.species_viscosity);
    double viscosity = 0;
    double conductivity = 0;
    for (std::size_t i = 0; i < kSpeciesCount; ++i) {
      double denominator = 0;
      for (std::size_t j = 0; j < kSpeciesCount; ++j) denominator += p.mole_fraction[j] * phi[i][j];
      Checked(denominator);
      viscosity += Div(p.mole_fraction[i] * p.species_viscosity[i], denominator);
      conductivity +=
          Div(p.mole_fraction[i] * p.species_conductivity[i], denominator) / kMasonSaxena;
    }
    // Assigned together: the step produces both or neither.
    Checked(viscosity);
    p.conductivity = Checked(conductivity);
    p.viscosity = viscosity;

    // 5. Ideal-gas density ρ = M·P/R/T.
    step = MixtureStep::kDensity;
    p.density = Div(Div(Checked(p.molar_mass * pressure), kGasConstant), temperature);

    // 6. Specific gas constant.
    step = MixtureStep::kGasConstant;
    p.gas_constant = Div(kGasConstant, p.molar_mass);

    // 7. Kinematic viscosity.
    step = MixtureStep::kKinematicViscosity;
    p.kinematic_viscosity = Div(p.viscosity, p.density);

    // 8. Prandtl number.
    step = MixtureStep::kPrandtl;
    p.prandtl = PrandtlNumber(p.cp, p.viscosity, p.conductivity);

    // 9. Eucken: λ = μ·(cp + 1.25·R/M), so Pr_E = cp / (1.25·R/M + cp).
    step = MixtureStep::kEucken;
    p.prandtl_eucken = Div(p.cp, Checked(Div(kEuckenConstant, p.molar_mass) + p.cp));

    // 10. Species Prandtl numbers, species by species.
    step = MixtureStep::kSpeciesPrandtl;
    for (species = 0; species < kSpeciesCount; ++species) {
      p.species_prandtl[species] = PrandtlNumber(
          p.species_cp[species], p.species_viscosity[species], p.species_conductivity[species]);
    }
  } catch (const ArithmeticFault& fault) {
    result.failed_step = step;
    result.failed_species = species;
    result.fault = fault.kind();
  }
  return result;
}

MixtureResult CalculateMixture(double pressure, double temperature, const SpeciesArray& amounts,
                               WilkeForm form) {
  MixtureResult result;  // one object returned on every path, built in the caller's place
  if (form == WilkeForm::kLiteral) {
    result = CalculateMixtureStepwise(pressure, temperature, amounts, form);
  } else {
    CalculateInto(Widest(), pressure, temperature, amounts, result);
  }
  return result;
}

void CalculateMixtures(std::span<const double> pressures, std::span<const double> temperatures,
                       std::span<const SpeciesArray> amounts, std::span<MixtureResult> results) {
  const std::size_t n = results.size();
  const auto fits = [n](std::size_t size) { return size == 1 || size == n; };
  if (!fits(pressures.size()) || !fits(temperatures.size()) || !fits(amounts.size())) {
    throw std::invalid_argument(
        "CalculateMixtures: an input has neither one entry nor one per state");
  }
  // A shared input is read through a stride of zero.
  const std::size_t p_step = pressures.size() == 1 ? 0 : 1;
  const std::size_t t_step = temperatures.size() == 1 ? 0 : 1;
  const std::size_t x_step = amounts.size() == 1 ? 0 : 1;
  const LaneWidth width = Widest();
  for (std::size_t k = 0; k < n; ++k) {
    CalculateInto(width, pressures[k * p_step], temperatures[k * t_step], amounts[k * x_step],
                  results[k]);
  }
}

bool LaneWidthAvailable(LaneWidth width) {
  return width == LaneWidth::kTwo || FourLanesAvailable();
}

MixtureResult CalculateMixtureInLanes(LaneWidth width, double pressure, double temperature,
                                      const SpeciesArray& amounts) {
  if (!LaneWidthAvailable(width)) {
    throw std::invalid_argument("CalculateMixtureInLanes: the processor has no such lanes");
  }
  MixtureResult result;
  CalculateInto(width, pressure, temperature, amounts, result);
  return result;
}

}  // namespace toluvek
