#include "cli/mixture_output.hpp"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <limits>
#include <ostream>
#include <string_view>

#include "cli/tool_output.hpp"
#include "common/number_text.hpp"
#include "engine/fit_range.hpp"
#include "main/main_window_fields.hpp"

namespace toluvek::cli {
namespace {

struct MixtureRow {
  std::string_view key;      // JSON member
  std::string_view caption;  // as in the window
  std::string_view unit;
  std::string_view field;
  double MixtureProperties::*value;
};

constexpr MixtureRow kMixtureRows[] = {
    {"molar_mass", "分子量", "kg/kmol", form1::kMolarMass, &MixtureProperties::molar_mass},
    {"density", "密度", "kg/m3", form1::kDensity, &MixtureProperties::density},
    {"gas_constant", "ガス定数", "J/kg/K", form1::kGasConstant, &MixtureProperties::gas_constant},
    {"cp", "定圧比熱", "J/kg/K", form1::kCp, &MixtureProperties::cp},
    {"conductivity", "熱伝導率", "W/m/K", form1::kConductivity, &MixtureProperties::conductivity},
    {"viscosity", "粘性係数", "Pa s", form1::kViscosity, &MixtureProperties::viscosity},
    {"kinematic_viscosity", "動粘性係数", "m2/s", form1::kKinematicViscosity,
     &MixtureProperties::kinematic_viscosity},
    {"prandtl", "Pr数", "-", form1::kPrandtl, &MixtureProperties::prandtl},
    {"prandtl_eucken", "Pr Eucken", "-", form1::kPrandtlEucken, &MixtureProperties::prandtl_eucken},
};

struct SpeciesColumn {
  std::string_view key;
  std::string_view caption;
  const SpeciesFields* fields;
  SpeciesArray MixtureProperties::*values;
};

constexpr SpeciesColumn kSpeciesColumns[] = {
    {"mole_fraction", "モル分率", &form1::kMoleFraction, &MixtureProperties::mole_fraction},
    {"mass_fraction", "質量分率", &form1::kMassFraction, &MixtureProperties::mass_fraction},
    {"cp", "定圧比熱", &form1::kSpeciesCp, &MixtureProperties::species_cp},
    {"conductivity", "熱伝導率", &form1::kSpeciesConductivity,
     &MixtureProperties::species_conductivity},
    {"viscosity", "粘性係数", &form1::kSpeciesViscosity, &MixtureProperties::species_viscosity},
    {"prandtl", "Pr数", &form1::kSpeciesPrandtl, &MixtureProperties::species_prandtl},
};

std::string TrimRight(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

nlohmann::ordered_json Quantity(const std::string& text, double value) {
  return {{"value", value}, {"text", text}};
}

// The text of a result field.
using ResultText = std::function<std::string(std::string_view field)>;

// Twelve columns, or two more than the widest caption in the language.
template <class Rows>
std::size_t CaptionWidth(const Rows& rows, Language language) {
  std::size_t width = 12;
  for (const auto& row : rows)
    width = std::max(width, TextColumns(InLanguage(row.caption, language)) + 2);
  return width;
}

void PrintResults(const ResultText& text, std::ostream& out, Language language) {
  const std::size_t caption_width = CaptionWidth(kMixtureRows, language);
  for (const MixtureRow& row : kMixtureRows) {
    out << PadColumns(InLanguage(row.caption, language), caption_width)
        << PadColumns(text(row.field), 12) << row.unit << '\n';
  }
  const std::size_t column_width = CaptionWidth(kSpeciesColumns, language);
  std::string header = "\n" + PadColumns("", 9);
  for (const SpeciesColumn& column : kSpeciesColumns) {
    header += PadColumns(InLanguage(column.caption, language), column_width);
  }
  out << TrimRight(header) << '\n';
  const auto& table = AllSpecies();
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    std::string line = PadColumns(table[i].label, 9);
    for (const SpeciesColumn& column : kSpeciesColumns) {
      line += PadColumns(text((*column.fields)[i]), column_width);
    }
    out << TrimRight(line) << '\n';
  }
}

void AddResults(nlohmann::ordered_json& doc, const ResultText& text, const MixtureProperties& p) {
  nlohmann::ordered_json mixture = nlohmann::ordered_json::object();
  for (const MixtureRow& row : kMixtureRows) {
    const std::string shown = text(row.field);
    if (!shown.empty()) mixture[std::string(row.key)] = Quantity(shown, p.*row.value);
  }
  doc["mixture"] = mixture;
  nlohmann::ordered_json species = nlohmann::ordered_json::array();
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    nlohmann::ordered_json entry = {{"label", AllSpecies()[i].label}};
    for (const SpeciesColumn& column : kSpeciesColumns) {
      const std::string shown = text((*column.fields)[i]);
      if (!shown.empty()) entry[std::string(column.key)] = Quantity(shown, (p.*column.values)[i]);
    }
    species.push_back(entry);
  }
  doc["species"] = species;
}

ResultText WindowText(const MainWindowModel& window) {
  return [&window](std::string_view field) { return window.Text(field); };
}

ResultText WrittenText(const std::vector<FieldWrite>& writes) {
  return [&writes](std::string_view field) {
    for (const FieldWrite& write : writes) {
      if (write.field == field) return write.text;
    }
    return std::string();
  };
}

}  // namespace

void PrintMixture(const MainWindowModel& window, std::ostream& out, Language language) {
  PrintResults(WindowText(window), out, language);
}

void PrintWrittenResults(const std::vector<FieldWrite>& writes, std::ostream& out,
                         Language language) {
  PrintResults(WrittenText(writes), out, language);
}

nlohmann::ordered_json MixtureJson(const MainWindowModel& window) {
  const InputRecord& inputs = window.current_inputs();
  nlohmann::ordered_json doc;
  doc["inputs"] = {
      {"pressure",
       {{"text", window.Text(form1::kPressure)},
        {"unit", PressureUnitName(window.pressure_unit())}}},
      {"temperature",
       {{"text", window.Text(form1::kTemperature)},
        {"unit", window.temperature_unit() == TemperatureUnit::kCelsius ? "C" : "K"}}},
      {"pressure_pa", inputs.pressure},
      {"temperature_c", inputs.temperature},
      {"amounts", inputs.amounts},
  };
  const MixtureProperties empty{};
  AddResults(doc, WindowText(window),
             window.last_mixture() ? window.last_mixture()->properties : empty);
  return doc;
}

nlohmann::ordered_json WrittenResultsJson(const std::vector<FieldWrite>& writes,
                                          const MixtureProperties& values) {
  nlohmann::ordered_json doc = nlohmann::ordered_json::object();
  AddResults(doc, WrittenText(writes), values);
  return doc;
}

std::string FitRangeText() {
  return "the fits of cp, λ and μ hold from " + FormatGeneral(kPropertyFitRange.low) + " to " +
         FormatGeneral(kPropertyFitRange.high) + " K";
}

double WindowKelvin(const MainWindowModel& window) {
  const double t = ParseStrict(window.Text(form1::kTemperature))
                       .value_or(std::numeric_limits<double>::quiet_NaN());
  return window.temperature_unit() == TemperatureUnit::kCelsius ? t + kKelvinOffset : t;
}

bool WarnOutsideFitRange(double t_kelvin, RecordingMessages& messages) {
  if (InPropertyFitRange(t_kelvin)) return false;
  const std::string at = std::isfinite(t_kelvin) ? " at " + FormatGeneral(t_kelvin) + " K" : "";
  messages.Warn("the properties" + at + " are extrapolated: " + FitRangeText());
  return true;
}

}  // namespace toluvek::cli
