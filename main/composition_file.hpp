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
#include <system_error>

#include "engine/gas_table.hpp"
#include "main/platform.hpp"

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
// Throws ArithmeticFault for a value that is not finite.
std::string CompositionText(const CompositionData& data, const DateTime& saved_at);

// "#2004-03-24 22:56:00#", or "#2004-03-25#" at exactly midnight.
std::string DateTimeLiteral(const DateTime& moment);

// Code page 932 through the C library's converter. No value for text the other side cannot
// represent (invalid bytes, a character without a code).
std::optional<std::string> Utf8ToCp932(std::string_view utf8);
std::optional<std::string> Cp932ToUtf8(std::string_view cp932);

// Why a file could not be read.
enum class CompositionError {
  kNone,
  kOpen,            // missing, unreadable, or a folder
  kNotRegularFile,  // a device, a pipe or a socket: reading it could block or never end
  kRead,            // a read failed
  kTooFewFields,    // the 32 fields are not all there (within the size bound)
  kNotANumber,      // a value field that is quoted, a date, empty or not a number
  kEncoding,        // bytes that are not code page 932
};

struct CompositionReadResult {
  std::optional<CompositionData> data;
  CompositionError error = CompositionError::kNone;
  bool ok() const { return data.has_value(); }
};

// At most this much of a file is read: a composition file is a few hundred bytes.
inline constexpr std::size_t kCompositionReadLimit = 64 * 1024;  // bytes

// Reads the 32 fields from the file's bytes. `whole_file` is false when the bytes are only
// the beginning of a longer file: a field running into their end is then incomplete.
CompositionReadResult ParseComposition(std::string_view bytes, bool whole_file = true);

// Opens a regular file, reads at most kCompositionReadLimit bytes and parses them.
CompositionReadResult ReadCompositionFile(const std::string& path);

// The system call that writes bytes to a file descriptor: returns the count written, or -1
// with errno set. Tests replace it to see what a full disk does.
using WriteCall = long (*)(int fd, const void* data, std::size_t size);

// Replaces the file at `path` by `bytes` so that a failure never leaves a damaged file: writes
// a temporary file in the same folder, checks every write's count (a full disk can write
// less without reporting an error), flushes it to the disk and renames it over the target.
// On failure the temporary file is removed and the old file is left as it was. Returns the
// cause of a failure, or an empty error code.
std::error_code WriteFileAtomically(const std::string& path, std::string_view bytes,
                                    WriteCall write_call = nullptr);

}  // namespace toluvek
