// Feeds the heat duty, the water heat, the composition dialogs, the saturation window and the
// unit converters arbitrary field texts: no crash, no hang, no infinity or NaN in any text
// they produce, and a message shown exactly for a stopped run or a converter's notice.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "fuzz/split_fields.hpp"
#include "main/composition_dialogs.hpp"
#include "tools/converters/converter_window_models.hpp"
#include "tools/converters/heat_converter.hpp"
#include "tools/converters/pressure_converter.hpp"
#include "tools/converters/temperature_converter.hpp"
#include "tools/enthalpy/enthalpy_window_model.hpp"
#include "tools/enthalpy/heat_duty.hpp"
#include "tools/water/saturation.hpp"
#include "tools/water/saturation_window_model.hpp"
#include "tools/water/water_heat.hpp"

using namespace toluvek;

namespace {

void Check(const std::string& text) {
  for (const char* bad : {"inf", "nan", "INF", "NAN"}) {
    if (text.find(bad) != std::string::npos) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> f = SplitFields(data, size, 42, "0");
  const unsigned pick = size > 0 ? data[size - 1] : 0;

  HeatDutyInput duty;
  duty.flow = f[0];
  duty.flow_unit = static_cast<FlowUnit>(pick % 3);
  duty.t1 = f[1];
  duty.t2 = f[2];
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    duty.amounts[i] = f[3 + i];
    duty.mole_fractions[i] = f[15 + i];
    duty.mass_fractions[i] = f[27 + i];
  }
  duty.molar_mass = f[39];
  const HeatDutyResult result = ComputeHeatDuty(duty);
  if (result.species_flow) {
    for (const std::string& text : *result.species_flow) Check(text);
  }
  for (const auto& power : {result.heat_duty, result.lhv_power, result.hhv_power,
                            result.water_latent, result.methanol_latent}) {
    if (power) Check(FormatPower(*power).text);
  }
  if (result.ok() != HeatDutyStopMessages(result.stop).empty()) std::abort();

  const WaterEnthalpyInput water{f[0], static_cast<WaterFlowUnit>(pick % 3), f[1], f[2],
                                 pick & 8 ? WaterPhase::kGas : WaterPhase::kLiquid};
  if (const auto q = ComputeWaterHeat(water)) Check(FormatWaterPower(*q).number);

  SpeciesTexts amounts;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) amounts[i] = f[3 + i];
  // Adding air rewrites O2 and N2 only; rescaling rewrites all twelve.
  if (const auto with_air = AddAir(f[40], amounts)) {
    Check((*with_air)[kO2]);
    Check((*with_air)[kN2]);
  }
  if (const auto rescaled = RescaleToTotal(f[40], amounts)) {
    for (const std::string& text : *rescaled) Check(text);
  }

  const SaturationDisplay saturation =
      ComputeSaturationDisplay(f[15], f[0], static_cast<PressureUnit>(1 + pick % 3));
  Check(saturation.label1);
  Check(saturation.label2);
  if ((saturation.status == SaturationStatus::kSolved) !=
      SaturationMessages(saturation.status).empty()) {
    std::abort();
  }

  const auto trigger = static_cast<ConverterTrigger>((pick / 3) % 3);
  const PressureRecalculation pressure = RecalculatePressure(
      InitialPressureRows(), f[41], static_cast<PressureConverterUnit>(pick % 5), trigger);
  for (const ConverterRow& row : pressure.rows) Check(row.text);
  const TemperatureRecalculation temperature = RecalculateTemperature(
      InitialTemperatureRows(), f[41], static_cast<TemperatureConverterUnit>(pick % 3));
  for (const ConverterRow& row : temperature.rows) Check(row.text);
  const HeatRecalculation power =
      RecalculatePower("", f[41], static_cast<PowerUnit>(pick % 2), trigger);
  Check(power.label);
  const HeatRecalculation energy =
      RecalculateEnergy("", f[41], static_cast<EnergyUnit>(pick % 2), trigger);
  Check(energy.label);
  // A converted pressure or heat value reports nothing; a temperature may only warn.
  for (const auto& [converted, notice] :
       {std::pair{pressure.converted, pressure.notice}, std::pair{power.converted, power.notice},
        std::pair{energy.converted, energy.notice}}) {
    if (converted && !ConverterMessages(notice).empty()) std::abort();
  }
  if (temperature.notice != ConverterNotice::kNone &&
      temperature.notice != ConverterNotice::kBelowAbsoluteZero) {
    std::abort();
  }
  return 0;
}
