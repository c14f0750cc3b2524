// Feeds the calculate command arbitrary field texts: no crash, no hang, and no infinity or NaN
// in any field the command writes.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/split_fields.hpp"
#include "main/headless_main_window.hpp"
#include "main/main_window_fields.hpp"

using namespace toluvek;

namespace {

bool Bad(const std::string& text) {
  return text.find("inf") != std::string::npos || text.find("nan") != std::string::npos ||
         text.find("INF") != std::string::npos || text.find("NAN") != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  HeadlessMainWindow headless;
  MainWindowModel& window = headless.window();
  const std::vector<std::string> fields = SplitFields(data, size, 14, "0");
  // The first byte picks the units, as the option buttons would.
  const unsigned units = size > 0 ? data[0] : 0;
  window.SelectPressureUnit(static_cast<PressureUnit>(1 + units % 3));
  window.SelectTemperatureUnit((units / 3) % 2 ? TemperatureUnit::kKelvin
                                               : TemperatureUnit::kCelsius);
  window.SetText(form1::kPressure, fields[0]);
  window.SetText(form1::kTemperature, fields[1]);
  for (std::size_t i = 0; i < kSpeciesCount; ++i) window.SetText(form1::kAmount[i], fields[2 + i]);
  window.Calculate();
  for (const auto* row : form1::kResultRows) {
    for (std::string_view field : *row) {
      if (Bad(window.Text(field))) std::abort();
    }
  }
  for (std::string_view field :
       {form1::kMolarMass, form1::kDensity, form1::kGasConstant, form1::kCp, form1::kConductivity,
        form1::kViscosity, form1::kKinematicViscosity, form1::kPrandtl, form1::kPrandtlEucken}) {
    if (Bad(window.Text(field))) std::abort();
  }
  return 0;
}
