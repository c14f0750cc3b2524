// Feeds arbitrary bytes to the composition file reader: no crash, no endless loop, no
// infinity or NaN read, unit names in valid UTF-8; what it reads, written again as the window
// saves it, reads back the same, or the writer refuses it as out of range because its
// fifteen-digit text would not read back.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "common/checked.hpp"
#include "common/number_text.hpp"
#include "files/composition_file.hpp"
#include "files/text_encoding.hpp"

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
  std::optional<std::string> bytes;
  try {
    bytes = Utf8ToCp932(CompositionText(saved, {2004, 3, 24, 22, 56, 0}));
  } catch (const ArithmeticFault&) {
    // Only a value whose written text lies beyond the largest double may be refused.
    bool unwritable = !ParseStrict(FormatGeneral(saved.pressure)) ||
                      !ParseStrict(FormatGeneral(saved.temperature));
    for (double amount : saved.amounts)
      unwritable = unwritable || !ParseStrict(FormatGeneral(amount));
    if (!unwritable) std::abort();
    return;
  }
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
    // Unit names are UTF-8 whatever bytes the file held.
    if (ValidUtf8(d.pressure_unit) != d.pressure_unit) std::abort();
    if (ValidUtf8(d.temperature_unit) != d.temperature_unit) std::abort();
    CheckRoundTrip(d);
  }
  return 0;
}
