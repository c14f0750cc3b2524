#include "tools/enthalpy/heat_duty.hpp"

#include <cmath>
#include <exception>

#include "common/checked.hpp"
#include "common/number_text.hpp"
#include "engine/enthalpy.hpp"
#include "main/calculate_command.hpp"
#include "main/main_window_fields.hpp"

namespace toluvek {
namespace {

constexpr double kJoulePerKilojoule = 1000;         // J/kJ
constexpr double kSecondsPerMinute = 60;            // s/min
constexpr double kSecondsPerHour = 3600;            // s/h
constexpr double kGramPerKilogram = 1000;           // g/kg, kg/s ÷ kg/kmol -> mol/s
constexpr double kWaterLatentHeat = 40660.48696;    // J/mol (2257 kJ/kg × 18.01528 kg/kmol)
constexpr double kMethanolLatentHeat = 38130.1704;  // J/mol (1190 kJ/kg × 32.04216 kg/kmol)
constexpr double kMegawatt = 1000000;               // W/MW, also the threshold of the MW scale
constexpr double kKilowatt = 1000;                  // W/kW, also the threshold of the kW scale

std::string_view ScaleSuffix(PowerScale scale) {
  switch (scale) {
    case PowerScale::kMega:
      return " MW";
    case PowerScale::kKilo:
      return " kW";
    case PowerScale::kOne:
      break;
  }
  return " W";
}

// Flow of each species: fraction × F, as the enthalpy window shows it.
void WriteSpeciesFlows(const SpeciesTexts& fractions, double flow, HeatDutyResult& result) {
  SpeciesTexts texts;
  SpeciesArray values{};
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    values[i] = Checked(RequireNumber(fractions[i]) * flow);
    texts[i] = FormatPattern(values[i], Pattern::kSci4);
  }
  result.species_flow = texts;
  result.species_flow_value = values;
}

void Run(const HeatDutyInput& input, HeatDutyResult& result) {
  // 1. Absolute temperatures; a negative one is only a warning.
  const double t1 = Checked(RequireNumber(input.t1) + kKelvinOffset);
  const double t2 = Checked(RequireNumber(input.t2) + kKelvinOffset);
  if (!(t1 >= 0) || !(t2 >= 0)) result.temperature_negative = true;

  // 2. The composition as typed.
  SpeciesArray amounts{};
  double sum = 0;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    amounts[i] = RequireNumber(input.amounts[i]);
    sum += amounts[i];
  }
  if (Checked(sum) == 0) {
    result.stop = HeatDutyStop::kAmountsAllZero;
    return;
  }

  // 3. Normalised (negative amounts are not rejected here).
  SpeciesArray x{};
  for (std::size_t i = 0; i < kSpeciesCount; ++i) x[i] = Div(amounts[i], sum);

  // 4. Species flows on the mole basis, from the displayed fractions.
  const double flow = RequireNumber(input.flow);
  WriteSpeciesFlows(input.mole_fractions, flow, result);

  // 5. Enthalpies at both temperatures [J/mol].
  SpeciesArray h1{};
  SpeciesArray h2{};
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    h1[i] = Checked(SpeciesEnthalpy(static_cast<SpeciesIndex>(i), t1));
    h2[i] = Checked(SpeciesEnthalpy(static_cast<SpeciesIndex>(i), t2));
  }

  // 6. Heating values of the mixture [J/mol].
  double lhv = 0;
  double hhv = 0;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    const HeatingValue value = HeatingValueOf(static_cast<SpeciesIndex>(i));
    if (value.lower == 0 && value.higher == 0) continue;  // O2, N2, CO2, H2O
    lhv += x[i] * value.lower;
    hhv += x[i] * value.higher;
  }
  lhv = Checked(Checked(lhv) * kJoulePerKilojoule);
  hhv = Checked(Checked(hhv) * kJoulePerKilojoule);

  // 7. Molar flow [mol/s].
  double n = 0;
  switch (input.flow_unit) {
    case FlowUnit::kNlPerMin:
      n = Div(Div(flow, kNormalMolarVolume), kSecondsPerMinute);
      break;
    case FlowUnit::kMolPerHour:
      n = Div(flow, kSecondsPerHour);
      break;
    case FlowUnit::kKgPerSecond:
      n = Checked(Div(flow, RequireNumber(input.molar_mass)) * kGramPerKilogram);
      break;
  }
  result.unit_caption = std::string(FlowUnitCaption(input.flow_unit));
  if (input.flow_unit == FlowUnit::kKgPerSecond) {
    WriteSpeciesFlows(input.mass_fractions, flow, result);
  }
  result.molar_flow = n;

  // 8. Enthalpy rise [J/mol].
  double rise = 0;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) rise += x[i] * Checked(h2[i] - h1[i]);
  rise = Checked(rise);
  result.enthalpy_rise = rise;

  // 9. A negative molar flow stops before any power is formed.
  if (!(n >= 0)) {
    result.stop = HeatDutyStop::kNegativeFlow;
    return;
  }

  // 10-12. Powers [W]; the heating values follow the same molar flow.
  const double heat_duty = Checked(rise * n);
  const std::optional<double> lhv_power =
      lhv > 0 ? std::optional<double>(Checked(lhv * n)) : std::nullopt;
  const std::optional<double> hhv_power =
      hhv > 0 ? std::optional<double>(Checked(hhv * n)) : std::nullopt;

  // 13-14. Latent heats of the water and methanol content, when the displayed fraction is
  // positive (an empty field counts as none for the test).
  std::optional<double> water_latent;
  if (ParseLenient(input.mole_fractions[kH2O]) > 0) {
    water_latent = Checked(RequireNumber(input.mole_fractions[kH2O]) * kWaterLatentHeat * n);
  }
  std::optional<double> methanol_latent;
  if (ParseLenient(input.mole_fractions[kCH3OH]) > 0) {
    methanol_latent =
        Checked(RequireNumber(input.mole_fractions[kCH3OH]) * kMethanolLatentHeat * n);
  }

  result.heat_duty = heat_duty;
  result.lhv_power = lhv_power;
  result.hhv_power = hhv_power;
  result.water_latent = water_latent;
  result.methanol_latent = methanol_latent;
}

}  // namespace

std::string_view FlowUnitCaption(FlowUnit unit) {
  switch (unit) {
    case FlowUnit::kMolPerHour:
      return "mol/h";
    case FlowUnit::kKgPerSecond:
      return "kg/s";
    case FlowUnit::kNlPerMin:
      break;
  }
  return "Nl/min";
}

ScaledPower FormatPower(double watts) {
  const double magnitude = std::fabs(Checked(watts));
  ScaledPower power;
  if (magnitude > kMegawatt) {
    power.number = watts / kMegawatt;
    power.scale = PowerScale::kMega;
  } else if (magnitude > kKilowatt) {
    power.number = watts / kKilowatt;
    power.scale = PowerScale::kKilo;
  } else {
    power.number = watts;
    power.scale = PowerScale::kOne;
  }
  power.text = FormatPattern(power.number, Pattern::kSci4);
  return power;
}

std::string_view HeatDutyUnitCaption(PowerScale scale) {
  switch (scale) {
    case PowerScale::kMega:
      return "MW";
    case PowerScale::kKilo:
      return "kW";
    case PowerScale::kOne:
      break;
  }
  return " W";
}

std::string HeatingValueText(const ScaledPower& power) {
  return power.text + std::string(ScaleSuffix(power.scale));
}

std::string LatentHeatText(const ScaledPower& power) {
  return "(" + power.text + std::string(ScaleSuffix(power.scale)) + ")";
}

HeatDutyResult ComputeHeatDuty(const HeatDutyInput& input) {
  HeatDutyResult result;
  try {
    Run(input, result);
  } catch (const std::exception&) {
    // A text that is not a number, or an arithmetic fault: nothing further is computed.
    result.stop = HeatDutyStop::kCheckInput;
  }
  return result;
}

void GatherMainWindowTexts(const MainWindowAccess& main, HeatDutyInput& input) {
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    input.amounts[i] = main.FieldText(form1::kAmount[i]);
    input.mole_fractions[i] = main.FieldText(form1::kMoleFraction[i]);
    input.mass_fractions[i] = main.FieldText(form1::kMassFraction[i]);
  }
  input.molar_mass = main.FieldText(form1::kMolarMass);
}

}  // namespace toluvek
