#include "cli/mixture_options.hpp"

#include <algorithm>
#include <ostream>

#include "cli/completion.hpp"
#include "common/checked.hpp"
#include "common/number_text.hpp"
#include "main/engineering_units.hpp"
#include "main/main_window_fields.hpp"
#include "main/presets.hpp"

namespace toluvek::cli {
namespace {

std::vector<std::string> SplitCommas(const std::string& list) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = list.find(',', start);
    parts.push_back(list.substr(start, comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return parts;
}

std::string_view Reason(CompositionError error) {
  switch (error) {
    case CompositionError::kOpen:
      return "cannot be opened";
    case CompositionError::kNotRegularFile:
      return "is not a regular file";
    case CompositionError::kRead:
      return "could not be read";
    case CompositionError::kTooFewFields:
      return "holds fewer than 32 fields";
    case CompositionError::kBeyondReadLimit:
      return "does not hold its 32 fields within the first 64 KiB";
    case CompositionError::kNotANumber:
      return "has a value field that is not a number";
    case CompositionError::kNone:
      break;
  }
  return "was read";
}

}  // namespace

std::optional<SpeciesTexts> ParseAmountList(const std::string& list) {
  const std::vector<std::string> parts = SplitCommas(list);
  SpeciesTexts amounts;
  if (list.find('=') == std::string::npos) {
    if (parts.size() != kSpeciesCount) return std::nullopt;
    std::copy(parts.begin(), parts.end(), amounts.begin());
    return amounts;
  }
  amounts.fill("0");
  std::array<bool, kSpeciesCount> named{};
  for (const std::string& part : parts) {
    const std::size_t equals = part.find('=');
    if (equals == std::string::npos) return std::nullopt;
    const std::string label = part.substr(0, equals);
    const auto& table = AllSpecies();
    const auto found = std::find_if(table.begin(), table.end(),
                                    [&](const SpeciesConstants& s) { return s.label == label; });
    if (found == table.end()) return std::nullopt;
    const auto index = static_cast<std::size_t>(found - table.begin());
    if (named[index]) return std::nullopt;  // which of two values was meant is anyone's guess
    named[index] = true;
    amounts[index] = part.substr(equals + 1);
  }
  return amounts;
}

CLI::Option* OfferAmounts(CLI::Option* option) {
  std::vector<std::string> pairs;
  for (const SpeciesConstants& species : AllSpecies())
    pairs.push_back(std::string(species.label) + "=");
  return OfferValues(option, pairs, true);
}

std::vector<std::string> PresetNames() {
  std::vector<std::string> names;
  for (const PresetEntry& entry : AllPresets()) names.emplace_back(entry.name);
  return names;
}

std::vector<std::string> FlowUnitsFor(const std::vector<std::string>& window_units) {
  std::vector<std::string> units;
  for (const FlowUnitScale& scale : kEngineeringFlowUnits) {
    for (const std::string& window_unit : window_units) {
      // A reading that converts: the unit is the window's, or its conversion exists.
      if (ConvertFlow(1, scale.name, window_unit)) {
        units.emplace_back(scale.name);
        break;
      }
    }
  }
  return units;
}

std::optional<WindowFlow> FlowForWindow(const std::string& flow, const std::string& unit,
                                        const std::vector<std::string>& window_units,
                                        std::ostream& err) {
  if (std::find(window_units.begin(), window_units.end(), unit) != window_units.end()) {
    return WindowFlow{flow, unit};
  }
  const std::optional<double> reading = ParseStrict(flow);
  for (const std::string& window_unit : window_units) {
    if (!reading) break;
    try {
      if (const std::optional<double> value = ConvertFlow(*reading, unit, window_unit)) {
        return WindowFlow{FormatShortest(*value), window_unit};
      }
    } catch (const ArithmeticFault&) {
      break;
    }
  }
  err << "--flow: \"" << flow << "\" is not a flow in " << unit << '\n';
  return std::nullopt;
}

namespace {

void AddComposition(CLI::App& app, MixtureOptions& options,
                    const std::vector<std::string>& excluded_by_file) {
  CLI::Option* amounts =
      OfferAmounts(app.add_option("--amounts", options.amounts,
                                  "twelve amounts in species order, or NAME=VALUE pairs such as "
                                  "O2=21,N2=79 (default: O2 21, N2 79)"));
  std::string names;
  for (const std::string& name : PresetNames()) names += (names.empty() ? "" : " | ") + name;
  CLI::Option* preset = app.add_option("--preset", options.preset,
                                       "the amounts of a preset of the main window: " + names +
                                           " (see the presets subcommand)")
                            ->check(CLI::IsMember(PresetNames()))
                            ->excludes(amounts);
  CLI::Option* from_file =
      app.add_option("--file", options.file, "a composition file (.txt/.dat) holding every input")
          ->type_name("FILE");
  from_file->excludes(amounts)->excludes(preset);
  for (const std::string& name : excluded_by_file) from_file->excludes(app.get_option(name));
}

}  // namespace

void MixtureOptions::AddTo(CLI::App& app) {
  app.add_option("--pressure", pressure,
                 "absolute pressure (gauge with --gauge), in --pressure-unit")
      ->capture_default_str();
  std::vector<std::string> units;
  std::string listed;
  for (const PressureUnitScale& scale : kEngineeringPressureUnits) {
    units.emplace_back(scale.name);
    listed += (listed.empty() ? "" : " | ") + std::string(scale.name);
  }
  app.add_option("--pressure-unit", pressure_unit, listed)
      ->check(CLI::IsMember(units))
      ->capture_default_str();
  app.add_flag("--gauge", gauge, "--pressure is a gauge pressure, above 101.325 kPa");
  app.add_option("--temperature", temperature, "temperature, in --temperature-unit")
      ->capture_default_str();
  app.add_option("--temperature-unit", temperature_unit, "C | K")
      ->check(CLI::IsMember({"C", "K"}))
      ->capture_default_str();
  AddComposition(
      app, *this,
      {"--pressure", "--pressure-unit", "--gauge", "--temperature", "--temperature-unit"});
}

void MixtureOptions::AddCompositionTo(CLI::App& app) {
  AddComposition(app, *this, {});
}

bool MixtureOptions::PressureAsTyped() const {
  return !gauge && (pressure_unit == "Pa" || pressure_unit == "atm" || pressure_unit == "kgf/cm2");
}

std::optional<double> MixtureOptions::PressurePascal(double reading) const {
  try {
    return AbsolutePascal(reading, pressure_unit, gauge);
  } catch (const ArithmeticFault&) {
    return std::nullopt;
  }
}

int MixtureOptions::ApplyTo(MainWindowModel& window, std::ostream& err) const {
  if (!file.empty()) {
    const CompositionError error = window.ApplyCompositionFile(file);
    if (error == CompositionError::kNone) return kExitOk;
    err << "--file " << file << ": " << Reason(error) << '\n';
    return kExitStopped;
  }
  SpeciesTexts texts;
  if (const PresetEntry* entry = FindPreset(preset)) {
    // As the preset's shortcut writes them.
    for (std::size_t i = 0; i < kSpeciesCount; ++i) texts[i] = FormatGeneral(entry->amounts[i]);
  } else if (amounts.empty()) {
    for (std::size_t i = 0; i < kSpeciesCount; ++i) texts[i] = window.Text(form1::kAmount[i]);
  } else if (auto parsed = ParseAmountList(amounts)) {
    texts = *parsed;
  } else {
    err << "--amounts: give twelve comma-separated values in species order, or NAME=VALUE pairs "
           "with the labels H2 O2 N2 CO CO2 H2O CH3OH CH4 C2H6 C3H8 n-C4H10 i-C4H10, each at most "
           "once\n";
    return kExitUsage;
  }
  // A pressure in a unit the window lacks, or a gauge one, goes in as absolute Pa.
  std::string pressure_text = pressure;
  if (!PressureAsTyped()) {
    const std::optional<double> reading = ParseStrict(pressure);
    const std::optional<double> pascal = reading ? PressurePascal(*reading) : std::nullopt;
    if (!pascal) {
      err << "--pressure: \"" << pressure << "\" is not a pressure in " << pressure_unit << '\n';
      return kExitUsage;
    }
    pressure_text = FormatShortest(*pascal);
  }
  // Units first, as a user chooses them; the texts given then replace what the switch wrote.
  const PressureUnit unit = !PressureAsTyped()           ? PressureUnit::kPa
                            : pressure_unit == "atm"     ? PressureUnit::kAtm
                            : pressure_unit == "kgf/cm2" ? PressureUnit::kKgfCm2
                                                         : PressureUnit::kPa;
  window.SelectPressureUnit(unit);
  window.SelectTemperatureUnit(temperature_unit == "K" ? TemperatureUnit::kKelvin
                                                       : TemperatureUnit::kCelsius);
  window.SetText(form1::kPressure, pressure_text);
  window.SetText(form1::kTemperature, temperature);
  for (std::size_t i = 0; i < kSpeciesCount; ++i) window.SetText(form1::kAmount[i], texts[i]);
  return kExitOk;
}

}  // namespace toluvek::cli
