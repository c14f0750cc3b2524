#include "tools/water/water_heat.hpp"

#include <exception>

#include "common/checked.hpp"
#include "common/number_text.hpp"
#include "engine/gas_table.hpp"

namespace toluvek {
namespace {

// Liquid: h_l = l3·T³ − l2·T² + l1·T − l0; vapour: h_g = g0 + g1·T + g2·T² + g3·T³
// [kJ/mol, T in K]. The works the Help window names for enthalpies: 化学工学会 編「化学工学便覧
// 改訂六版」(1999) and Chase (ed.), "NIST-JANAF Thermochemical Tables", 4th ed. (1998).
constexpr double kLiquid3 = 6.56508607e-8;
constexpr double kLiquid2 = 6.17493498e-5;  // subtracted
constexpr double kLiquid1 = 0.0946492848;
constexpr double kLiquid0 = 24.4702428;  // subtracted
constexpr double kVapour0 = 34.0482118;
constexpr double kVapour1 = 0.0314714821;
constexpr double kVapour2 = 3.7671921e-6;
constexpr double kVapour3 = 7.23659188e-10;

constexpr double kWaterMolarMass = 18.01528;  // g/mol
constexpr double kSecondsPerMinute = 60;      // s/min
constexpr double kSecondsPerHour = 3600;      // s/h
constexpr double kGramPerKilogram = 1000;     // g/kg
constexpr double kJoulePerKilojoule = 1000;   // J/kJ
constexpr double kMegawatt = 1000000;         // W/MW, also the threshold of the MW scale
constexpr double kKilowatt = 1000;            // W/kW, also the threshold of the kW scale

double MolarFlow(double flow, std::optional<WaterFlowUnit> unit) {  // [mol/s]
  if (!unit) return 0;
  switch (*unit) {
    case WaterFlowUnit::kGramPerMinute:
      return Div(Div(flow, kWaterMolarMass), kSecondsPerMinute);
    case WaterFlowUnit::kMolPerHour:
      return Div(flow, kSecondsPerHour);
    case WaterFlowUnit::kKgPerHour:
      return Div(Div(Checked(flow * kGramPerKilogram), kWaterMolarMass), kSecondsPerHour);
  }
  return 0;
}

}  // namespace

std::string_view WaterFlowUnitCaption(WaterFlowUnit unit) {
  switch (unit) {
    case WaterFlowUnit::kMolPerHour:
      return "mol/h";
    case WaterFlowUnit::kKgPerHour:
      return "kg/h";
    case WaterFlowUnit::kGramPerMinute:
      break;
  }
  return "g/min";
}

std::string_view WaterPhaseCaption(WaterPhase phase) {
  return phase == WaterPhase::kGas ? "気" : "液";
}

double LiquidWaterEnthalpy(double t_kelvin) {
  const double t = t_kelvin;
  return kLiquid3 * (t * t * t) - kLiquid2 * (t * t) + kLiquid1 * t - kLiquid0;
}

double WaterVapourEnthalpy(double t_kelvin) {
  const double t = t_kelvin;
  return kVapour0 + kVapour1 * t + kVapour2 * (t * t) + kVapour3 * (t * t * t);
}

std::optional<double> ComputeWaterHeat(const WaterEnthalpyInput& input) {
  try {
    const double t1 = Checked(RequireNumber(input.t1) + kKelvinOffset);
    const double t2 = Checked(RequireNumber(input.t2) + kKelvinOffset);
    const double n = MolarFlow(RequireNumber(input.flow), input.flow_unit);
    if (!input.phase) return 0.0;
    double kilojoule_per_mol = 0;
    if (*input.phase == WaterPhase::kLiquid) {
      // The constant terms cancel.
      const double cubes = Checked(Checked(t2 * t2 * t2) - Checked(t1 * t1 * t1));
      const double squares = Checked(t2 * t2 - t1 * t1);
      kilojoule_per_mol = cubes * kLiquid3 - squares * kLiquid2 + (t2 - t1) * kLiquid1;
    } else {
      kilojoule_per_mol = Checked(WaterVapourEnthalpy(t2)) - Checked(LiquidWaterEnthalpy(t1));
    }
    return Checked(Checked(kilojoule_per_mol) * n * kJoulePerKilojoule);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

WaterPowerText FormatWaterPower(double watts) {
  if (watts > kMegawatt) return {FormatPattern(watts / kMegawatt, Pattern::kSci4), "MW"};
  if (watts > kKilowatt) return {FormatPattern(watts / kKilowatt, Pattern::kSci4), "kW"};
  return {FormatPattern(watts, Pattern::kSci4), "W"};
}

}  // namespace toluvek
