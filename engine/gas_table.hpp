#pragma once
// The twelve gas species and their constant data.

#include <array>
#include <cstddef>
#include <string_view>

namespace toluvek {

inline constexpr std::size_t kSpeciesCount = 12;

// Positions in species order (0-based here; the program's tables count 1 to 12).
enum SpeciesIndex : std::size_t {
  kH2,
  kO2,
  kN2,
  kCO,
  kCO2,
  kH2O,
  kCH3OH,
  kCH4,
  kC2H6,
  kC3H8,
  kNC4H10,
  kIC4H10,
};

// Twelve values in species order: amounts, fractions, per-species results.
using SpeciesArray = std::array<double, kSpeciesCount>;

struct SpeciesConstants {
  std::string_view label;               // formula as shown, "H2" ... "i-C4H10"
  double molar_mass;                    // M [kg/kmol]
  std::array<double, 4> heat_capacity;  // A, B, C, D: molar cp [J/(mol·K)], T in K
  std::array<double, 4> conductivity;   // a0..a3: λ [W/(m·K)], T in K
  std::array<double, 4> viscosity;      // b0..b3: μ [Pa·s], T in K
  std::string_view hint;                // tooltip of the species label
};

// The table in species order.
const std::array<SpeciesConstants, kSpeciesCount>& AllSpecies();

// The record at a position in species order, 1 to 12.
const SpeciesConstants& SpeciesAt(int position);

// Physical constants of the property engine.
inline constexpr double kGasConstant = 8314.472;     // R [J/(kmol·K)]
inline constexpr double kEuckenConstant = 10393.09;  // 1.25·R [J/(kmol·K)]
inline constexpr double kMasonSaxena = 1.065;        // conductivity mixing-rule factor [-]
inline constexpr double kKelvinOffset = 273.15;      // K at 0 ℃
inline constexpr double kPascalPerAtm = 101325;      // Pa per standard atmosphere
inline constexpr double kPascalPerKgfCm2 = 98066.5;  // Pa per kgf/cm²
inline constexpr double kMolarToMassCp = 1000;       // J/(mol·K) per kg/kmol -> J/(kg·K)

}  // namespace toluvek
