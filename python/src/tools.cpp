#include "python/src/tools.hpp"

#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <pybind11/stl.h>

#include "common/checked.hpp"
#include "common/number_text.hpp"
#include "files/atomic_file.hpp"
#include "main/combustion.hpp"
#include "main/combustion_command.hpp"
#include "main/composition_dialogs.hpp"
#include "main/gas_quality.hpp"
#include "main/headless_main_window.hpp"
#include "main/main_window_fields.hpp"
#include "main/messages.hpp"
#include "main/state_check.hpp"
#include "tools/converters/heat_converter.hpp"
#include "tools/converters/pressure_converter.hpp"
#include "tools/converters/temperature_converter.hpp"
#include "tools/duct/duct_window_model.hpp"
#include "tools/enthalpy/enthalpy_window_model.hpp"
#include "tools/mixing/mixing_window_model.hpp"
#include "tools/water/saturation_window_model.hpp"
#include "tools/water/water_window_model.hpp"

namespace py = pybind11;

namespace toluvek::python {
namespace {

// The message boxes of a run, in the order shown.
class CollectedMessages : public MessageService {
 public:
  void Show(const Message& message) override { shown.push_back(message); }
  void Beep() override {}
  std::vector<Message> shown;
};

// Forwards only once the tool window has opened: the enthalpy window's opening reads what
// its calculation reads next, and a failure there is reported once, from the calculation.
class OpenedWindowMessages : public MessageService {
 public:
  explicit OpenedWindowMessages(MessageService& to) : to_(to) {}
  void Show(const Message& message) override {
    if (opened) to_.Show(message);
  }
  void Beep() override {}
  bool opened = false;

 private:
  MessageService& to_;
};

py::list MessageList(const std::vector<Message>& messages) {
  py::list list;
  for (const Message& m : messages) list.append(MessageTuple(m));
  return list;
}

// A number as the shortest text that reads back to the same double: what a field receives.
std::string Text(double value) {
  return FormatShortest(value);
}

SpeciesTexts Texts(const SpeciesArray& values) {
  SpeciesTexts texts;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) texts[i] = Text(values[i]);
  return texts;
}

py::list Values(const SpeciesArray& values) {
  py::list list;
  for (double v : values) list.append(v);
  return list;
}

// The main window's inputs, written as a user types them: units first, then the texts.
struct Session {
  CollectedMessages messages;
  HeadlessMainWindow headless{messages};
  MainWindowModel& window = headless.window();

  Session(double pressure, double temperature, TemperatureUnit unit, const SpeciesArray& amounts,
          PressureUnit pressure_unit = PressureUnit::kPa) {
    window.SelectPressureUnit(pressure_unit);
    window.SelectTemperatureUnit(unit);
    window.SetText(form1::kPressure, Text(pressure));
    window.SetText(form1::kTemperature, Text(temperature));
    const SpeciesTexts texts = Texts(amounts);
    for (std::size_t i = 0; i < kSpeciesCount; ++i) window.SetText(form1::kAmount[i], texts[i]);
  }
};

py::object PropertiesOrNone(const MainWindowModel& window) {
  if (!window.last_mixture() || !window.last_mixture()->ok()) return py::none();
  const MixtureProperties& p = window.last_mixture()->properties;
  py::dict d;
  d["molar_mass"] = p.molar_mass;
  d["density"] = p.density;
  d["gas_constant"] = p.gas_constant;
  d["cp"] = p.cp;
  d["conductivity"] = p.conductivity;
  d["viscosity"] = p.viscosity;
  d["kinematic_viscosity"] = p.kinematic_viscosity;
  d["prandtl"] = p.prandtl;
  d["prandtl_eucken"] = p.prandtl_eucken;
  d["mole_fraction"] = Values(p.mole_fraction);
  d["mass_fraction"] = Values(p.mass_fraction);
  d["species_cp"] = Values(p.species_cp);
  d["species_conductivity"] = Values(p.species_conductivity);
  d["species_viscosity"] = Values(p.species_viscosity);
  d["species_prandtl"] = Values(p.species_prandtl);
  return d;
}

// The main window's "燃焼温度" at t0 [K] and the pressure in `pressure_unit` (PressureUnit).
// `air_ratio` times the amounts' stoichiometric air is added first, as toluvek-cli combustion
// --air-ratio adds it (none when it is NaN), after the calculate command's checks on the
// amounts at the normal state.
py::dict Combustion(const SpeciesArray& amounts, double t0_kelvin, double pressure,
                    int pressure_unit, double air_ratio) {
  py::dict d;
  SpeciesArray burnt = amounts;
  if (!std::isnan(air_ratio)) {
    AmountsInput input;
    input.values = amounts;
    if (const Message* message = CheckState(kNormalPressure, kNormalTemperature, input).message) {
      d["completed"] = false;
      d["messages"] = MessageList({*message});
      return d;
    }
    try {
      burnt = WithAir(amounts, air_ratio);
      d["air_added"] = Checked(air_ratio * StoichiometricAir(amounts));
    } catch (const ArithmeticFault&) {
      // An overflow, which the command line reports with the window's general message.
      d["completed"] = false;
      d["messages"] = MessageList({messages::kCheckInput});
      return d;
    }
  }
  Session s(pressure, t0_kelvin, TemperatureUnit::kKelvin, burnt,
            static_cast<PressureUnit>(pressure_unit));
  const CombustionCommandOutcome outcome = s.window.CombustionTemperature();
  d["completed"] = outcome.completed;
  if (outcome.result) {
    const CombustionResult& r = *outcome.result;
    d["amounts"] = Values(BurntAmounts(r));
    d["temperature"] = r.temperature;
    d["total_before"] = r.total_before;
    d["total_after"] = r.total_after;
    d["properties"] = outcome.burnt_gas_calculated ? PropertiesOrNone(s.window) : py::none();
  }
  // The totals box is a result, not a message.
  std::vector<Message> messages;
  for (const Message& m : s.messages.shown) {
    if (m.title != kTotalChangeTitle) messages.push_back(m);
  }
  d["messages"] = MessageList(messages);
  return d;
}

// The enthalpy window on the mixture: flow in `flow_unit`, t1 and t2 [℃].
py::dict HeatDuty(const SpeciesArray& amounts, double flow, int flow_unit, double t1, double t2) {
  Session s(101325, 25, TemperatureUnit::kCelsius, amounts);
  s.window.Enthalpy();
  OpenedWindowMessages window_messages(s.messages);
  NoCalculator calculator;
  EnthalpyWindowModel enthalpy(s.window, window_messages, s.headless.windows(), calculator);
  window_messages.opened = true;
  enthalpy.SetText(form3::kFlow, Text(flow));
  enthalpy.SetText(form3::kT1, Text(t1));
  enthalpy.SetText(form3::kT2, Text(t2));
  enthalpy.SelectFlowUnit(static_cast<FlowUnit>(flow_unit));
  const HeatDutyResult& r = enthalpy.last_result();
  py::dict d;
  d["ok"] = r.ok();
  d["temperature_negative"] = r.temperature_negative;
  if (r.species_flow) d["species_flow"] = Values(r.species_flow_value);
  auto put = [&d](const char* key, const std::optional<double>& value) {
    d[key] = value ? py::cast(*value) : py::none();
  };
  put("molar_flow", r.molar_flow);
  put("enthalpy_rise", r.enthalpy_rise);
  put("heat_duty", r.heat_duty);
  put("lhv", r.lhv_power);
  put("hhv", r.hhv_power);
  put("water_latent_heat", r.water_latent);
  put("methanol_latent_heat", r.methanol_latent);
  d["messages"] = MessageList(r.ok() ? std::vector<Message>{} : HeatDutyStopMessages(r.stop));
  return d;
}

// The saturation pop-up of the H2O label, at the pressure in `pressure_unit` (PressureUnit).
py::dict DewPoint(const SpeciesArray& amounts, double pressure, int pressure_unit) {
  Session s(pressure, 25, TemperatureUnit::kCelsius, amounts,
            static_cast<PressureUnit>(pressure_unit));
  s.window.SaturationTemperature();
  py::dict d;
  d["opened"] = s.headless.windows().Opened(ToolWindow::kSaturation);
  if (d["opened"].cast<bool>()) {
    const SaturationWindowModel popup(s.window, s.messages);
    const SaturationDisplay& display = popup.display();
    d["status"] = static_cast<int>(display.status);
    d["partial_pressure_mmhg"] = display.partial_pressure_mmhg;
    d["saturation_temperature_c"] = display.search.t_celsius;
    d["newton_steps"] = display.search.steps;
  }
  d["messages"] = MessageList(s.messages.shown);
  return d;
}

// The mixing window's "計算" on two streams: temperatures [℃], flows in one molar unit.
py::dict Mix(const SpeciesArray& a, double t_a, double flow_a, const SpeciesArray& b, double t_b,
             double flow_b) {
  CollectedMessages messages;
  HeadlessMainWindow headless(messages);
  MixingWindowModel window(headless.window(), messages);
  window.SetText(mixing_fields::kTemperatureA, Text(t_a));
  window.SetText(mixing_fields::kFlowA, Text(flow_a));
  window.SetText(mixing_fields::kTemperatureB, Text(t_b));
  window.SetText(mixing_fields::kFlowB, Text(flow_b));
  const SpeciesTexts texts_a = Texts(a);
  const SpeciesTexts texts_b = Texts(b);
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    window.SetText(mixing_fields::kAmountA[i], texts_a[i]);
    window.SetText(mixing_fields::kAmountB[i], texts_b[i]);
  }
  window.Calculate();
  const MixingResult& r = window.last_result();
  py::dict d;
  d["status"] = static_cast<int>(r.status);
  d["composition_a"] = Values(r.composition_a);
  d["composition_b"] = Values(r.composition_b);
  d["total_flow"] = r.total_flow;
  d["mixed_composition"] = Values(r.mixed_composition);
  d["mixed_temperature"] = r.mixed_temperature;
  d["search_steps"] = r.search_steps;
  py::list shown;
  for (const MixingText& text : r.display) shown.append(static_cast<int>(text.item));
  d["display_items"] = shown;
  d["messages"] = MessageList(messages.shown);
  return d;
}

// "Re" of the main window at the pressure in `pressure_unit` (PressureUnit) and the
// temperature [℃], then the duct window.
py::dict Duct(const SpeciesArray& amounts, double pressure, double t_celsius, double flow,
              int flow_unit, int shape, double d1, double d2, bool millimetres, int pressure_unit) {
  Session s(pressure, t_celsius, TemperatureUnit::kCelsius, amounts,
            static_cast<PressureUnit>(pressure_unit));
  const std::size_t shown_before = s.messages.shown.size();
  s.window.DuctFlow();
  const bool calculated = s.messages.shown.size() == shown_before;
  DuctWindowModel duct(s.window, s.messages);
  duct.SetText(duct_flow_fields::kFlow, Text(flow));
  duct.SetText(duct_flow_fields::kD1, Text(d1));
  duct.SetText(duct_flow_fields::kD2, Text(d2));
  duct.SelectShape(static_cast<DuctShape>(shape));
  if (millimetres) duct.SwitchLengthUnitKeeping();
  if (calculated) {
    if (static_cast<DuctFlowUnit>(flow_unit) == DuctFlowUnit::kKgPerSecond) {
      duct.SelectFlowUnit(DuctFlowUnit::kKgPerSecond);
    } else {
      duct.Calculate();
    }
  }
  py::dict d;
  d["calculated"] = calculated;
  py::dict values;
  if (calculated) {
    for (const DuctValue& value : duct.last_result().published) {
      values[py::int_(static_cast<int>(value.quantity))] = value.value;
    }
  }
  d["values"] = values;
  d["completed"] = calculated && duct.last_result().completed();
  d["messages"] = MessageList(s.messages.shown);
  return d;
}

// The water enthalpy window's "計算": flow in `flow_unit` (WaterFlowUnit), t1 and t2 [℃],
// liquid or gas at the end. The heat flow [W], or None when a text was refused.
py::object WaterHeat(double flow, int flow_unit, double t1, double t2, bool gas) {
  CollectedMessages messages;
  WaterWindowModel water(messages);
  water.SetText(form4::kFlow, Text(flow));
  water.SetText(form4::kT1, Text(t1));
  water.SetText(form4::kT2, Text(t2));
  water.CheckOne(form4::kUnitOptions, form4::kUnitOptions[static_cast<std::size_t>(flow_unit)]);
  water.CheckOne(form4::kPhaseOptions, form4::kPhaseOptions[gas ? 1 : 0]);
  water.Calculate();
  const std::optional<double> heat = water.last_heat();
  return heat ? py::cast(*heat) : py::none();
}

// The "mol Vol." dialogs on the amounts: the twelve new amounts as the main window then
// shows them, read back as numbers, or None when the dialog refused the value.
py::object CompositionDialog(const SpeciesArray& amounts, double value, bool add_air) {
  const SpeciesTexts texts = Texts(amounts);
  const std::string value_text = Text(value);
  const std::optional<SpeciesTexts> changed =
      add_air ? AddAir(value_text, texts) : RescaleToTotal(value_text, texts);
  if (!changed) return py::none();
  py::list values;
  for (const std::string& text : *changed) {
    const std::optional<double> read = ParseStrict(text);
    if (!read) return py::none();
    values.append(*read);
  }
  return values;
}

py::object Number(const std::string& text) {
  const std::optional<double> value = ParseStrict(text);
  return value ? py::cast(*value) : py::none();
}

// File > Open without its dialog: the fields as the main window then shows them, each text
// with the number it reads as (None for a text that is none), or the cause of the failure.
py::dict ReadComposition(const std::string& path) {
  CollectedMessages messages;
  HeadlessMainWindow headless(messages);
  MainWindowModel& window = headless.window();
  const CompositionError error = window.ApplyCompositionFile(path);
  py::dict d;
  d["error"] = static_cast<int>(error);
  d["messages"] = MessageList(messages.shown);
  if (error != CompositionError::kNone) return d;
  d["pressure"] = Number(window.Text(form1::kPressure));
  d["pressure_unit"] = static_cast<int>(window.pressure_unit());
  d["temperature"] = Number(window.Text(form1::kTemperature));
  d["kelvin"] = window.temperature_unit() == TemperatureUnit::kKelvin;
  py::list amounts;
  for (std::size_t i = 0; i < kSpeciesCount; ++i)
    amounts.append(Number(window.Text(form1::kAmount[i])));
  d["amounts"] = amounts;
  return d;
}

// File > Save without its dialog, on the fields written as a user types them. Returns the
// reason it failed ("" when saved) and the messages shown.
py::tuple SaveComposition(const std::string& path, const SpeciesArray& amounts, double pressure,
                          int pressure_unit, double temperature, bool kelvin) {
  Session s(pressure, temperature, kelvin ? TemperatureUnit::kKelvin : TemperatureUnit::kCelsius,
            amounts, static_cast<PressureUnit>(pressure_unit));
  const std::error_code error = s.window.SaveCompositionFile(path);
  return py::make_tuple(error ? SaveFailureText(error) : std::string(),
                        MessageList(s.messages.shown));
}

template <typename Rows>
py::dict ConverterResult(const Rows& rows, bool converted, ConverterNotice notice) {
  py::list values;
  for (const ConverterRow& row : rows) values.append(row.value);
  py::dict d;
  d["values"] = values;
  d["converted"] = converted;
  d["notice"] = static_cast<int>(notice);
  return d;
}

// The pressure converter's unit option clicked with the number typed.
py::dict ConvertPressure(const std::string& value, int unit) {
  const PressureRecalculation r =
      RecalculatePressure(InitialPressureRows(), value, static_cast<PressureConverterUnit>(unit),
                          ConverterTrigger::kOptionClick);
  return ConverterResult(r.rows, r.converted, r.notice);
}

py::dict ConvertTemperature(const std::string& value, int unit) {
  const TemperatureRecalculation r = RecalculateTemperature(
      InitialTemperatureRows(), value, static_cast<TemperatureConverterUnit>(unit));
  return ConverterResult(r.rows, r.converted, r.notice);
}

// Units 0 and 1 are the power half (kcal/h, W), 2 and 3 the energy half (cal, J).
py::dict ConvertHeat(const std::string& value, int unit) {
  const HeatRecalculation r = unit < 2
                                  ? RecalculatePower("", value, static_cast<PowerUnit>(unit),
                                                     ConverterTrigger::kOptionClick)
                                  : RecalculateEnergy("", value, static_cast<EnergyUnit>(unit - 2),
                                                      ConverterTrigger::kOptionClick);
  py::dict d;
  d["values"] = py::make_tuple(r.value);
  d["converted"] = r.converted;
  d["notice"] = static_cast<int>(r.notice);
  return d;
}

}  // namespace

// The gas-quality figures of the amounts, by the names of toluvek-cli gas-quality --json; or
// the message that stopped them.
py::dict GasQualityOf(const SpeciesArray& amounts) {
  AmountsInput input;
  input.values = amounts;
  const GasQualityOutcome outcome = EvaluateGasQuality(input);
  py::dict d;
  if (outcome.message != nullptr) {
    d["messages"] = MessageList({*outcome.message});
    return d;
  }
  d["molar_mass_kg_per_kmol"] = outcome.quality.molar_mass;
  for (const GasQualityQuantity& q : kGasQualityQuantities) {
    d[py::str(std::string(q.name))] = outcome.quality.*q.value;
  }
  d["messages"] = py::list();
  return d;
}

void AddTools(py::module_& m) {
  constexpr int kPascal = static_cast<int>(PressureUnit::kPa);
  m.def("combustion", &Combustion, py::arg("amounts"), py::arg("t0"), py::arg("pressure"),
        py::arg("pressure_unit") = kPascal,
        py::arg("air_ratio") = std::numeric_limits<double>::quiet_NaN());
  m.def("gas_quality", &GasQualityOf, py::arg("amounts"));
  py::list names;
  for (const GasQualityQuantity& q : kGasQualityQuantities) names.append(std::string(q.name));
  m.attr("GAS_QUALITY_QUANTITIES") = names;
  m.def("heat_duty", &HeatDuty, py::arg("amounts"), py::arg("flow"), py::arg("flow_unit"),
        py::arg("t1"), py::arg("t2"));
  m.def("dew_point", &DewPoint, py::arg("amounts"), py::arg("pressure"),
        py::arg("pressure_unit") = kPascal);
  m.def("mix", &Mix, py::arg("a"), py::arg("t_a"), py::arg("flow_a"), py::arg("b"), py::arg("t_b"),
        py::arg("flow_b"));
  m.def("duct", &Duct, py::arg("amounts"), py::arg("pressure"), py::arg("t"), py::arg("flow"),
        py::arg("flow_unit"), py::arg("shape"), py::arg("d1"), py::arg("d2"),
        py::arg("millimetres"), py::arg("pressure_unit") = kPascal);
  m.def("water_heat", &WaterHeat, py::arg("flow"), py::arg("flow_unit"), py::arg("t1"),
        py::arg("t2"), py::arg("gas"));
  m.def("composition_dialog", &CompositionDialog, py::arg("amounts"), py::arg("value"),
        py::arg("add_air"));
  m.def("read_composition", &ReadComposition, py::arg("path"));
  m.def("save_composition", &SaveComposition, py::arg("path"), py::arg("amounts"),
        py::arg("pressure"), py::arg("pressure_unit"), py::arg("temperature"), py::arg("kelvin"));
  m.def("convert_pressure", &ConvertPressure, py::arg("value"), py::arg("unit"));
  m.def("convert_temperature", &ConvertTemperature, py::arg("value"), py::arg("unit"));
  m.def("convert_heat", &ConvertHeat, py::arg("value"), py::arg("unit"));
}

}  // namespace toluvek::python
