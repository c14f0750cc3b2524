#pragma once
// Composition files: the main window's inputs (pressure and temperature with their units, the
// twelve amounts) as nine lines of code page 932 text with CR LF line ends.
//
//   #2004-03-24 22:56:00#
//   "圧力",101325,"Pa","温度",25,"℃"
//   "----- Molar Fraction --------------"
//   "H2",0,"O2",21
//   ... two species to a line, in species order ...
//
// The reader takes the values by their place among the first 32 fields and ignores every
// label, so files whose labels were edited or whose fields are spread over lines differently
// still load.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "engine/gas_table.hpp"
#include "files/date_time.hpp"

namespace toluvek {

// The values a composition file carries. Unit names are UTF-8 texts as read; only "Pa",
// "atm", "kgf/cm2", "℃" and "K" choose a unit.
struct CompositionData {
  double pressure = 0;  // in the unit named
  std::string pressure_unit;
  double temperature = 0;  // in the unit named
  std::string temperature_unit;
  SpeciesArray amounts{};  // as typed, species order
  bool operator==(const CompositionData&) const = default;
};

// The nine lines as UTF-8 text, each ended by CR LF; numbers written with FormatGeneral.
// Throws ArithmeticFault for a value that is not finite or whose written text would not read
// back (the largest doubles round up beyond the range at fifteen digits).
std::string CompositionText(const CompositionData& data, const DateTime& saved_at);

// "#2004-03-24 22:56:00#", or "#2004-03-25#" at exactly midnight.
std::string DateTimeLiteral(const DateTime& moment);

// Why a file could not be read.
enum class CompositionError {
  kNone,
  kOpen,             // missing, unreadable, or a folder
  kNotRegularFile,   // a device, a pipe or a socket: reading it could block or never end
  kRead,             // a read failed
  kTooFewFields,     // the file ends before its 32nd field
  kBeyondReadLimit,  // the 32nd field lies beyond the first kCompositionReadLimit bytes
  kNotANumber,       // a value field that is quoted, a date, empty or not a number
};

struct CompositionReadResult {
  std::optional<CompositionData> data;
  CompositionError error = CompositionError::kNone;
  bool ok() const { return data.has_value(); }
};

// At most this much of a file is read: a composition file is a few hundred bytes.
inline constexpr std::size_t kCompositionReadLimit = std::size_t{64} * 1024;  // bytes

// Reads the 32 fields from the file's bytes. `whole_file` is false when the bytes are only
// the beginning of a longer file: a field running into their end is then incomplete.
// Only the numbers and the unit names are looked at: labels and the date may hold any bytes.
// The text is code page 932, or UTF-8 when it starts with a UTF-8 byte-order mark; a unit
// name that is not valid in the file's encoding is tried in the other one (an editor may
// have re-saved the file in UTF-8, or put a mark before code page 932 text), and bytes valid
// in neither become U+FFFD.
CompositionReadResult ParseComposition(std::string_view bytes, bool whole_file = true);

// Opens a regular file, reads at most kCompositionReadLimit bytes and parses them.
CompositionReadResult ReadCompositionFile(const std::string& path);

}  // namespace toluvek
