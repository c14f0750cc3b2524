#include "cli/mixture_options.hpp"

#include <ostream>

#include "cli/completion.hpp"
#include "main/main_window_fields.hpp"

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

void MixtureOptions::AddTo(CLI::App& app) {
  app.add_option("--pressure", pressure, "absolute pressure, in --pressure-unit")
      ->capture_default_str();
  app.add_option("--pressure-unit", pressure_unit, "Pa | atm | kgf/cm2")
      ->check(CLI::IsMember({"Pa", "atm", "kgf/cm2"}))
      ->capture_default_str();
  app.add_option("--temperature", temperature, "temperature, in --temperature-unit")
      ->capture_default_str();
  app.add_option("--temperature-unit", temperature_unit, "C | K")
      ->check(CLI::IsMember({"C", "K"}))
      ->capture_default_str();
  OfferAmounts(app.add_option("--amounts", amounts,
                              "twelve amounts in species order, or NAME=VALUE pairs such as "
                              "O2=21,N2=79 (default: O2 21, N2 79)"));
  CLI::Option* from_file =
      app.add_option("--file", file, "a composition file (.txt/.dat) holding every input")
          ->type_name("FILE");
  for (const char* name :
       {"--pressure", "--pressure-unit", "--temperature", "--temperature-unit", "--amounts"}) {
    from_file->excludes(app.get_option(name));
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
  if (amounts.empty()) {
    for (std::size_t i = 0; i < kSpeciesCount; ++i) texts[i] = window.Text(form1::kAmount[i]);
  } else if (auto parsed = ParseAmountList(amounts)) {
    texts = *parsed;
  } else {
    err << "--amounts: give twelve comma-separated values in species order, or NAME=VALUE pairs "
           "with the labels H2 O2 N2 CO CO2 H2O CH3OH CH4 C2H6 C3H8 n-C4H10 i-C4H10, each at most "
           "once\n";
    return kExitUsage;
  }
  // Units first, as a user chooses them; the texts given then replace what the switch wrote.
  const PressureUnit unit = pressure_unit == "atm"       ? PressureUnit::kAtm
                            : pressure_unit == "kgf/cm2" ? PressureUnit::kKgfCm2
                                                         : PressureUnit::kPa;
  window.SelectPressureUnit(unit);
  window.SelectTemperatureUnit(temperature_unit == "K" ? TemperatureUnit::kKelvin
                                                       : TemperatureUnit::kCelsius);
  window.SetText(form1::kPressure, pressure);
  window.SetText(form1::kTemperature, temperature);
  for (std::size_t i = 0; i < kSpeciesCount; ++i) window.SetText(form1::kAmount[i], texts[i]);
  return kExitOk;
}

}  // namespace toluvek::cli
