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
// Throws ArithmeticFault for a value that is not finite or whose written text would not read
// back (the largest doubles round up beyond the range at fifteen digits).
std::string CompositionText(const CompositionData& data, const DateTime& saved_at);

// "#2004-03-24 22:56:00#", or "#2004-03-25#" at exactly midnight.
std::string DateTimeLiteral(const DateTime& moment);

// Code page 932 through the C library's converter. No value for text the other side cannot
// represent (invalid bytes, a character without a code).
std::optional<std::string> Utf8ToCp932(std::string_view utf8);
std::optional<std::string> Cp932ToUtf8(std::string_view cp932);

// The text with every byte that does not start or continue a UTF-8 character (and every
// overlong form, surrogate or value beyond U+10FFFF) replaced by U+FFFD.
std::string ValidUtf8(std::string_view text);

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
inline constexpr std::size_t kCompositionReadLimit = 64 * 1024;  // bytes

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

// The system call that writes bytes to a file descriptor: returns the count written, or -1
// with errno set. Tests replace it to see what a full disk does.
using WriteCall = long (*)(int fd, const void* data, std::size_t size);

// Why a save was refused before anything was written (an error code of its own category).
enum class SaveRefusal {
  kValueOutOfRange = 1,  // a value whose written text would not read back
  kNotAFile,             // the target exists and is a folder, a device, a pipe or a socket
  kWriteProtected,       // the target exists and may not be written
};
const std::error_category& SaveRefusalCategory();
std::error_code make_error_code(SaveRefusal refusal);

// A failed save in plain words ("the disk is full", "the file is write-protected").
std::string SaveFailureText(std::error_code error);

// Replaces the file at `path` by `bytes` so that a failure never leaves a damaged file: writes
// a temporary file in the target's folder, checks every write's count (a full disk can write
// less without reporting an error), flushes it to the disk and renames it over the target.
// A symbolic link is followed and the file it leads to is replaced, the link kept. A target
// that exists and is not a regular file, or that may not be written (no write permission
// bit for anyone counts even for the superuser), is refused and nothing is written. A hard
// link to the old file keeps the old contents: the name gets a new file. SIGXFSZ is held
// back during the write, so that a file size limit shows as a failed write. On failure the
// temporary file is removed and the old file is left as it was. Returns the cause of a
// failure, or an empty error code.
std::error_code WriteFileAtomically(const std::string& path, std::string_view bytes,
                                    WriteCall write_call = nullptr);

}  // namespace toluvek

template <>
struct std::is_error_code_enum<toluvek::SaveRefusal> : std::true_type {};
