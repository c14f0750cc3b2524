// Feeds arbitrary bytes to the composition file reader: no crash, no endless loop, no
// infinity or NaN read; what it reads, written again as the window saves it, reads back the
// same.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/number_text.hpp"
#include "main/composition_file.hpp"

using namespace toluvek;

namespace {

bool SameAsWritten(double read_back, double original) {
  return FormatGeneral(read_back) == FormatGeneral(original);
}

void CheckRoundTrip(const CompositionData& data) {
  // The window only ever writes the names of its option buttons.
  CompositionData saved = data;
  if (saved.pressure_unit != "atm" && saved.pressure_unit != "kgf/cm2") saved.pressure_unit = "Pa";
  if (saved.temperature_unit != "K") saved.temperature_unit = "℃";
  const auto bytes = Utf8ToCp932(CompositionText(saved, {2004, 3, 24, 22, 56, 0}));
  if (!bytes) std::abort();
  const CompositionReadResult again = ParseComposition(*bytes);
  if (!again.ok()) std::abort();
  const CompositionData& back = *again.data;
  if (back.pressure_unit != saved.pressure_unit) std::abort();
  if (back.temperature_unit != saved.temperature_unit) std::abort();
  if (!SameAsWritten(back.pressure, saved.pressure)) std::abort();
  if (!SameAsWritten(back.temperature, saved.temperature)) std::abort();
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    if (!SameAsWritten(back.amounts[i], saved.amounts[i])) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (const bool whole_file : {true, false}) {
    const CompositionReadResult read = ParseComposition(bytes, whole_file);
    if (read.ok() != (read.error == CompositionError::kNone)) std::abort();
    if (!read.ok()) continue;
    const CompositionData& d = *read.data;
    if (!std::isfinite(d.pressure) || !std::isfinite(d.temperature)) std::abort();
    for (double amount : d.amounts) {
      if (!std::isfinite(amount)) std::abort();
    }
    // The unit names were code page 932 and so convert back.
    if (!Utf8ToCp932(d.pressure_unit) || !Utf8ToCp932(d.temperature_unit)) std::abort();
    CheckRoundTrip(d);
  }
  return 0;
}
