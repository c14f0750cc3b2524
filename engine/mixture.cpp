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

// ---- The calculation two species at a time ----
//
// Each pair of species is one two-wide lane (an SSE2 register on x86-64). Lanes hold
// independent species, so every value is formed by the same operations, in the same order, as
// in the stepwise form, and every sum still runs over the species in order: the bits are the
// same. Instead of a check per operation, every value the stepwise form checks is screened for
// being finite, all at once; a division that fails leaves an infinity or a NaN, so nothing that
// would fail there passes here.

using Lane = double __attribute__((vector_size(16)));
using LaneMask = long long __attribute__((vector_size(16)));
constexpr std::size_t kLanes = kSpeciesCount / 2;
// Loops over the six lanes are unrolled, so that the lanes stay in registers.
#define TOLUVEK_EACH_LANE _Pragma("GCC unroll 6")
using Lanes = std::array<Lane, kLanes>;

Lane Splat(double x) {
  return Lane{x, x};
}

Lanes Load(const SpeciesArray& a) {
  Lanes l;
  std::memcpy(l.data(), a.data(), sizeof l);
  return l;
}

void Store(const Lanes& l, SpeciesArray& a) {
  std::memcpy(a.data(), l.data(), sizeof l);
}

Lane Sqrt(Lane x) {
#if defined(__SSE2__)
  return __builtin_ia32_sqrtpd(x);
#else
  return Lane{std::sqrt(x[0]), std::sqrt(x[1])};
#endif
}

// Adds the lanes' values to `sum` in species order.
double SumInOrder(double sum, const Lanes& l) {
  TOLUVEK_EACH_LANE
  for (const Lane& v : l) {
    sum += v[0];
    sum += v[1];
  }
  return sum;
}

// Whether every value handed to it was finite: x − x is 0 for a finite x, NaN otherwise.
class FiniteScreen {
 public:
  void Add(Lane x) { finite_ &= (x - x) == 0; }
  void Add(const Lanes& l) {
    TOLUVEK_EACH_LANE
    for (const Lane& v : l) Add(v);
  }
  void Add(double x) { Add(Splat(x)); }
  void Require(LaneMask condition) { finite_ &= condition; }
  bool Passed() const { return (finite_[0] & finite_[1]) != 0; }

 private:
  LaneMask finite_ = {-1, -1};
};

// The species' constants as lanes, and the molar-mass factors of φ_ij by column j:
// ratio[j][k] holds (Mj/Mi)^0.25 for the pair k of species i.
struct LaneTable {
  Lanes molar_mass;
  std::array<Lanes, 4> cp, conductivity, viscosity;  // coefficients of T⁰ … T³
  std::array<Lanes, kSpeciesCount> ratio, sum;
};

const LaneTable& Lanes12() {
  static const LaneTable lanes = [] {
    const auto& table = AllSpecies();
    const MolarMassFactors& f = Factors();
    LaneTable l;
    SpeciesArray column;
    for (std::size_t i = 0; i < kSpeciesCount; ++i) column[i] = table[i].molar_mass;
    l.molar_mass = Load(column);
    for (std::size_t n = 0; n < 4; ++n) {
      for (std::size_t i = 0; i < kSpeciesCount; ++i) column[i] = table[i].heat_capacity[n];
      l.cp[n] = Load(column);
      for (std::size_t i = 0; i < kSpeciesCount; ++i) column[i] = table[i].conductivity[n];
      l.conductivity[n] = Load(column);
      for (std::size_t i = 0; i < kSpeciesCount; ++i) column[i] = table[i].viscosity[n];
      l.viscosity[n] = Load(column);
    }
    for (std::size_t j = 0; j < kSpeciesCount; ++j) {
      for (std::size_t i = 0; i < kSpeciesCount; ++i) column[i] = f.mass_ratio_power[i][j];
      l.ratio[j] = Load(column);
      for (std::size_t i = 0; i < kSpeciesCount; ++i) column[i] = f.mass_sum_power[i][j];
      l.sum[j] = Load(column);
    }
    return l;
  }();
  return lanes;
}

// As Cubic, a lane at a time.
Lane CubicLane(const std::array<Lanes, 4>& c, std::size_t k, Lane t, Lane t2, Lane t3) {
  return c[0][k] + c[1][k] * t + c[2][k] * t2 + c[3][k] * t3;
}

// The factored calculation into `p`. False when a value the stepwise form checks is not
// finite, or the viscosities are not all of one sign and non-zero; `p` is then unspecified.
bool CalculateInLanes(double pressure, double temperature, const SpeciesArray& x,
                      MixtureProperties& p) {
  const LaneTable& l = Lanes12();
  FiniteScreen screen;

  // 1. Mole fractions, mass fractions and the mixture molar mass.
  const Lanes amounts = Load(x);
  Lanes mass;
  TOLUVEK_EACH_LANE
  for (std::size_t k = 0; k < kLanes; ++k) mass[k] = amounts[k] * l.molar_mass[k];
  const double sum = SumInOrder(0, amounts);
  const double mass_sum = SumInOrder(0, mass);
  screen.Add(sum);
  screen.Add(mass_sum);
  screen.Add(mass);
  Lanes y, w, ym;
  TOLUVEK_EACH_LANE
  for (std::size_t k = 0; k < kLanes; ++k) {
    y[k] = amounts[k] / sum;
    w[k] = mass[k] / mass_sum;
    ym[k] = y[k] * l.molar_mass[k];
  }
  screen.Add(y);
  screen.Add(w);
  p.molar_mass = SumInOrder(0, ym);
  screen.Add(p.molar_mass);
  Store(y, p.mole_fraction);
  Store(w, p.mass_fraction);

  // 2. Every species at T.
  const Lane t = Splat(temperature);
  const Lane t2 = Splat(temperature * temperature);
  const Lane t3 = Splat(temperature * temperature * temperature);
  Lanes cp, lambda, mu;
  TOLUVEK_EACH_LANE
  for (std::size_t k = 0; k < kLanes; ++k) {
    cp[k] = CubicLane(l.cp, k, t, t2, t3) / l.molar_mass[k] * kMolarToMassCp;
    lambda[k] = CubicLane(l.conductivity, k, t, t2, t3);
    mu[k] = CubicLane(l.viscosity, k, t, t2, t3);
  }
  screen.Add(cp);
  screen.Add(lambda);
  screen.Add(mu);
  Store(cp, p.species_cp);
  Store(lambda, p.species_conductivity);
  Store(mu, p.species_viscosity);

  // 3. Mass-fraction weighting of the species' specific heats.
  Lanes wcp;
  TOLUVEK_EACH_LANE
  for (std::size_t k = 0; k < kLanes; ++k) wcp[k] = w[k] * cp[k];
  p.cp = SumInOrder(0, wcp);
  screen.Add(p.cp);

  // 4. Wilke and Wassiljewa/Mason–Saxena, the φ_ij formed column by column: Di of a pair of
  //    species gathers yj·φij over j in order, as the stepwise form's inner sum does.
  LaneMask positive = {-1, -1};
  LaneMask negative = {-1, -1};
  TOLUVEK_EACH_LANE
  for (const Lane& m : mu) {
    positive &= m > 0;
    negative &= m < 0;
  }
  screen.Require(positive | negative);
  const Lane sign = Splat(p.species_viscosity[0] < 0 ? -1.0 : 1.0);  // |μ| = sign·μ
  Lanes root, inverse_root;
  TOLUVEK_EACH_LANE
  for (std::size_t k = 0; k < kLanes; ++k) {
    root[k] = Sqrt(mu[k] * sign);
    inverse_root[k] = 1 / root[k];
  }
  SpeciesArray inverse_root_of;
  Store(inverse_root, inverse_root_of);
  Lanes denominator;
  TOLUVEK_EACH_LANE
  for (Lane& d : denominator) d = Splat(0);
  for (std::size_t j = 0; j < kSpeciesCount; ++j) {
    const Lane yj = Splat(p.mole_fraction[j]);
    const Lane inverse_root_j = Splat(inverse_root_of[j]);
    TOLUVEK_EACH_LANE
    for (std::size_t k = 0; k < kLanes; ++k) {
      const Lane inner = 1 + root[k] * inverse_root_j * l.ratio[j][k];
      denominator[k] += yj * (inner * inner * l.sum[j][k]);
    }
  }
  screen.Add(denominator);
  Lanes viscosity_terms, conductivity_terms;
  TOLUVEK_EACH_LANE
  for (std::size_t k = 0; k < kLanes; ++k) {
    viscosity_terms[k] = y[k] * mu[k] / denominator[k];
    const Lane conductivity_term = y[k] * lambda[k] / denominator[k];
    screen.Add(conductivity_term);
    conductivity_terms[k] = conductivity_term / kMasonSaxena;
  }
  screen.Add(viscosity_terms);
  p.viscosity = SumInOrder(0, viscosity_terms);
  p.conductivity = SumInOrder(0, conductivity_terms);
  screen.Add(p.viscosity);
  screen.Add(p.conductivity);

  // 5.–9. The mixture's numbers, each with what it is formed from.
  const double mass_pressure = p.molar_mass * pressure;
  const double per_gas_constant = mass_pressure / kGasConstant;
  p.density = per_gas_constant / temperature;
  p.gas_constant = kGasConstant / p.molar_mass;
  p.kinematic_viscosity = p.viscosity / p.density;
  const double cp_mu = p.cp * p.viscosity;
  p.prandtl = cp_mu / p.conductivity;
  const double eucken = kEuckenConstant / p.molar_mass;
  const double eucken_cp = eucken + p.cp;
  p.prandtl_eucken = p.cp / eucken_cp;
  screen.Add(Lane{mass_pressure, per_gas_constant});
  screen.Add(Lane{p.density, p.gas_constant});
  screen.Add(Lane{p.kinematic_viscosity, cp_mu});
  screen.Add(Lane{p.prandtl, eucken});
  screen.Add(Lane{eucken_cp, p.prandtl_eucken});

  // 10. Species Prandtl numbers.
  Lanes cp_mu_i, prandtl;
  TOLUVEK_EACH_LANE
  for (std::size_t k = 0; k < kLanes; ++k) {
    cp_mu_i[k] = cp[k] * mu[k];
    prandtl[k] = cp_mu_i[k] / lambda[k];
  }
  screen.Add(cp_mu_i);
  screen.Add(prandtl);
  Store(prandtl, p.species_prandtl);
  return screen.Passed();
}

void CalculateInto(double pressure, double temperature, const SpeciesArray& amounts,
                   MixtureResult& result) {
  if (CalculateInLanes(pressure, temperature, amounts, result.properties)) [[likely]] {
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
    CalculateInto(pressure, temperature, amounts, result);
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
  for (std::size_t k = 0; k < n; ++k) {
    CalculateInto(pressures[k * p_step], temperatures[k * t_step], amounts[k * x_step], results[k]);
  }
}

}  // namespace toluvek
