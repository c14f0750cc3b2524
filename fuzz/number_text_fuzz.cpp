// Feeds arbitrary texts to the number readers and writers: no crash, no infinity or NaN read,
// every written text reads back.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/checked.hpp"
#include "common/number_text.hpp"

using namespace toluvek;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto strict = ParseStrict(text);
  if (strict && !std::isfinite(*strict)) std::abort();
  double lenient = 0;
  try {
    lenient = ParseLenient(text);
  } catch (const ArithmeticFault&) {
    return 0;  // a leading number beyond the range of a double
  }
  if (!std::isfinite(lenient)) std::abort();
  // A text the strict reader accepts starts with that same number.
  if (strict && *strict != lenient) std::abort();
  for (Pattern pattern :
       {Pattern::kSci3, Pattern::kSci4, Pattern::kSci5, Pattern::kFixed2, Pattern::kFixed1}) {
    const std::string written = FormatPattern(lenient, pattern);
    if (written.find_first_not_of("0123456789.E+-") != std::string::npos) std::abort();
  }
  const std::string general = FormatGeneral(lenient);
  const auto back = ParseStrict(general);
  // Fifteen digits round the doubles from 1.797693134862315E+308 on up beyond the range, so
  // that their text does not read back (writers of files refuse them); no other value may.
  if (!back) {
    if (std::fabs(lenient) < 1.797693134862315e308) std::abort();
    return 0;
  }
  // Fifteen significant digits: the value comes back to within rounding.
  if (std::fabs(*back - lenient) > 1e-14 * std::fabs(lenient)) std::abort();
  return 0;
}
