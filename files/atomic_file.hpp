#pragma once
// Saving a file so that a failure never leaves it damaged, and saying in plain words why a
// save failed.

#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>

namespace toluvek {

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
