#include "engine/enthalpy.hpp"

#include <array>

namespace toluvek {
namespace {

// Two families of fits. Family A gives kJ/mol and is scaled by 1000; family B is the
// integral of the species' heat-capacity cubic and gives J/mol directly. Coefficients are
// used exactly as published, b0..b3 of family B included (not derived from the cp data).
// Fitted to the data of 化学工学会 編「化学工学便覧 改訂六版」(1999) and of Chase (ed.),
// "NIST-JANAF Thermochemical Tables", 4th ed. (1998), the works the Help window names.
enum class Family { kKilojoule, kJoule };

struct EnthalpyFit {
  Family family;
  std::array<double, 5> c;  // A: a0..a3 [kJ/mol, T in K], c[4] unused; B: b0..b4 [J/mol, T in K]
};

constexpr std::array<EnthalpyFit, kSpeciesCount> kEnthalpyFits = {{
    {Family::kKilojoule, {-8.28210376, 0.0276560222, 1.14491992e-6, 1.62905261e-10, 0}},   // H2
    {Family::kKilojoule, {-9.04515792, 0.028870663, 3.27266758e-6, -3.32252127e-10, 0}},   // O2
    {Family::kKilojoule, {-8.22155938, 0.0264323165, 3.76599052e-6, -4.52431393e-10, 0}},  // N2
    {Family::kKilojoule, {-8.06943722, 0.0257911588, 4.66164193e-6, -6.75137818e-10, 0}},  // CO
    {Family::kKilojoule, {-12.5807441, 0.0378619788, 9.54913573e-6, -1.25771002e-9, 0}},   // CO2
    {Family::kKilojoule, {-8.72032799, 0.0270945437, 8.46437774e-6, -8.2088901e-10, 0}},   // H2O
    {Family::kJoule, {-9631.6, 21.153, 0.035465, 8.6233e-6, -7.13e-9}},                    // CH3OH
    {Family::kKilojoule, {-7.8986562, 0.0161047176, 3.5139505e-5, -5.13939393e-9, 0}},     // CH4
    {Family::kJoule, {-8933.2, 5.41, 0.08905, -2.3127e-5, 2.1783e-9}},                     // C2H6
    {Family::kJoule, {-11017, -4.225, 0.15315, -5.2867e-5, 8.0375e-9}},                    // C3H8
    {Family::kJoule, {-17069, 11.163, 0.16565, -3.6933e-5, -7.055e-10}},  // n-C4H10
    {Family::kJoule, {-15111, -1.39, 0.19235, -6.1533e-5, 7.2375e-9}},    // i-C4H10
}};

// LHV, HHV [kJ/mol] in species order.
constexpr std::array<HeatingValue, kSpeciesCount> kHeatingValues = {{
    {241.8, 285.8},    // H2
    {0, 0},            // O2
    {0, 0},            // N2
    {282.9, 282.9},    // CO: forms no water
    {0, 0},            // CO2
    {0, 0},            // H2O
    {675.6, 763.6},    // CH3OH
    {802.3, 890.3},    // CH4
    {1427.8, 1559.8},  // C2H6
    {2044.0, 2220.0},  // C3H8
    {2657.0, 2877.0},  // n-C4H10
    {2648.7, 2868.7},  // i-C4H10
}};

constexpr double kJoulePerKilojoule = 1000;  // J/kJ

}  // namespace

double SpeciesEnthalpy(SpeciesIndex species, double t_kelvin) {
  const EnthalpyFit& fit = kEnthalpyFits[species];
  const double t = t_kelvin;
  // Powers as plain left-to-right products, so the digits do not depend on the compiler.
  if (fit.family == Family::kKilojoule) {
    return kJoulePerKilojoule *
           (fit.c[0] + fit.c[1] * t + fit.c[2] * (t * t) + fit.c[3] * (t * t * t));
  }
  return fit.c[0] + fit.c[1] * t + fit.c[2] * (t * t) + fit.c[3] * (t * t * t) +
         fit.c[4] * (t * t * t * t);
}

HeatingValue HeatingValueOf(SpeciesIndex species) {
  return kHeatingValues[species];
}

}  // namespace toluvek
