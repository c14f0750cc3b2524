#include "main/composition_file.hpp"

#include <fcntl.h>
#include <iconv.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <ctime>
#include <vector>

#include "common/checked.hpp"
#include "common/number_text.hpp"

namespace toluvek {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kSeparatorText = "----- Molar Fraction --------------";
constexpr std::size_t kFieldCount = 32;

// --- Writing ------------------------------------------------------------------------------

// Appends `value` with at least `width` digits, zero-padded (date and time parts).
void AppendDigits(std::string& out, int value, int width) {
  std::string digits;
  unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude > 0);
  while (static_cast<int>(digits.size()) < width) digits.insert(digits.begin(), '0');
  if (value < 0) out += '-';
  out += digits;
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// A number field. Fifteen digits round the largest doubles up beyond the range of a double
// (1.7976931348623157E+308 is written 1.79769313486232E+308): such a file could never be
// loaded, so the value counts as out of range.
std::string NumberField(double value) {
  std::string text = FormatGeneral(value);
  if (!ParseStrict(text)) throw ArithmeticFault(FaultKind::kOverflow);
  return text;
}

// --- Encoding -----------------------------------------------------------------------------

class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  std::optional<std::string> Convert(std::string_view in) {
    if (!ok()) return std::nullopt;
    std::string out;
    std::vector<char> buffer(in.size() * 3 + 16);
    char* in_ptr = const_cast<char*>(in.data());
    std::size_t in_left = in.size();
    while (true) {
      char* out_ptr = buffer.data();
      std::size_t out_left = buffer.size();
      // A null input flushes the shift state at the end; CP932 and UTF-8 have none, but the
      // call also reports an incomplete last character.
      const std::size_t done = in_left > 0 ? iconv(handle_, &in_ptr, &in_left, &out_ptr, &out_left)
                                           : iconv(handle_, nullptr, nullptr, &out_ptr, &out_left);
      out.append(buffer.data(), static_cast<std::size_t>(out_ptr - buffer.data()));
      if (done == static_cast<std::size_t>(-1)) {
        if (errno == E2BIG) continue;
        return std::nullopt;  // EILSEQ: an invalid sequence; EINVAL: cut off at the end
      }
      if (in_left == 0 && in_ptr != nullptr) {
        in_ptr = nullptr;  // flush once
        continue;
      }
      return out;
    }
  }

 private:
  iconv_t handle_;
};

// --- Reading ------------------------------------------------------------------------------

enum class FieldKind { kBare, kQuoted, kDate };

struct Field {
  FieldKind kind = FieldKind::kBare;
  std::string_view bytes;  // without quotes or "#" marks; a bare field trimmed of blanks
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}

// Splits the bytes into fields: commas and line ends separate them, blanks around a field are
// ignored, "…" is a quoted text and #…# a date. A blank line yields no field; a comma
// followed by a line end (or the end of the file) yields an empty field. The separators are
// ASCII bytes, which never occur inside a double-byte character of code page 932, so the
// split works on the raw bytes.
class FieldSplitter {
 public:
  FieldSplitter(std::string_view bytes, bool whole_file) : bytes_(bytes), whole_(whole_file) {}

  // The next field; no value at the end of the bytes or when a field runs into the end of
  // an incomplete file.
  std::optional<Field> Next() {
    while (true) {
      while (pos_ < bytes_.size() && IsBlank(bytes_[pos_])) ++pos_;
      if (pos_ == bytes_.size()) {
        if (!after_comma_ || !whole_) return std::nullopt;
        after_comma_ = false;
        return Field{};  // a comma at the very end
      }
      if (IsLineEnd(bytes_[pos_])) {
        SkipLineEnd();
        if (after_comma_) {
          after_comma_ = false;
          return Field{};
        }
        continue;  // a blank line, or the end of a line that held only blanks
      }
      return ReadField();
    }
  }

 private:
  std::optional<Field> ReadField() {
    Field field;
    const char first = bytes_[pos_];
    if (first == '"' || first == '#') {
      field.kind = first == '"' ? FieldKind::kQuoted : FieldKind::kDate;
      const std::size_t start = pos_ + 1;
      const std::size_t close = bytes_.find(first, start);
      if (close == std::string_view::npos) {
        if (!whole_) return std::nullopt;
        field.bytes = bytes_.substr(start);
        pos_ = bytes_.size();
        after_comma_ = false;
        return field;
      }
      field.bytes = bytes_.substr(start, close - start);
      // Whatever follows the closing mark up to the separator is dropped.
      pos_ = close + 1;
      while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !IsLineEnd(bytes_[pos_])) ++pos_;
    } else {
      const std::size_t start = pos_;
      while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !IsLineEnd(bytes_[pos_])) ++pos_;
      if (pos_ == bytes_.size() && !whole_) return std::nullopt;  // the number may go on
      std::size_t end = pos_;
      while (end > start && IsBlank(bytes_[end - 1])) --end;
      field.bytes = bytes_.substr(start, end - start);
    }
    TakeSeparator();
    return field;
  }

  void TakeSeparator() {
    after_comma_ = false;
    if (pos_ == bytes_.size()) return;
    if (bytes_[pos_] == ',') {
      ++pos_;
      after_comma_ = true;
    } else {
      SkipLineEnd();
    }
  }

  // CR LF, a lone CR or a lone LF.
  void SkipLineEnd() {
    if (bytes_[pos_] == '\r') {
      ++pos_;
      if (pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
    } else {
      ++pos_;
    }
  }

  std::string_view bytes_;
  bool whole_;
  std::size_t pos_ = 0;
  bool after_comma_ = false;
};

// A value field: bare and a whole number as ParseStrict reads it.
std::optional<double> NumberOf(const Field& field) {
  if (field.kind != FieldKind::kBare) return std::nullopt;
  return ParseStrict(field.bytes);
}

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// A unit name: the text of a bare or quoted field; a date names no unit. The file's own
// encoding first, then the other one (a mark an editor put before code page 932 text, a
// file re-saved as UTF-8 without one); bytes valid in neither become U+FFFD.
std::string UnitNameOf(const Field& field, bool utf8_file) {
  if (field.kind == FieldKind::kDate) return {};
  std::string utf8 = ValidUtf8(field.bytes);
  if (utf8_file && utf8 == field.bytes) return utf8;
  if (std::optional<std::string> text = Cp932ToUtf8(field.bytes)) return *std::move(text);
  return utf8;
}

// Closes a file descriptor when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  // Closes now and reports whether the close succeeded (a late write error shows here).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

long SystemWrite(int fd, const void* data, std::size_t size) {
  return ::write(fd, data, size);
}

std::error_code LastError() {
  return {errno, std::generic_category()};
}

// The folder part of a path, "." when it has none.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// At most this many symbolic links are followed, as the kernel does for a path.
constexpr int kMaxLinksFollowed = 40;

// The path that a save through `path` replaces: `path` itself, or where its chain of symbolic
// links ends (perhaps at a name that does not exist yet, which the save then creates).
std::error_code FollowLinks(const std::string& path, std::string& target) {
  target = path;
  for (int followed = 0; followed <= kMaxLinksFollowed; ++followed) {
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0) {
      return errno == ENOENT ? std::error_code() : LastError();
    }
    if (!S_ISLNK(info.st_mode)) return {};
    std::string link(PATH_MAX, '\0');
    const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
    if (length < 0) return LastError();
    if (static_cast<std::size_t>(length) == link.size()) {
      return std::make_error_code(std::errc::filename_too_long);
    }
    if (length == 0) return std::make_error_code(std::errc::no_such_file_or_directory);
    link.resize(static_cast<std::size_t>(length));
    target = link.front() == '/' ? link : FolderOf(target) + "/" + link;
  }
  return std::make_error_code(std::errc::too_many_symbolic_link_levels);
}

// Whether the existing file at `target` may be replaced. A superuser passes every access
// check, so a file without any write permission bit counts as protected for everyone: that
// is how a user marks a file read-only. `existing` tells whether there is a file at all.
std::error_code CheckReplaceable(const std::string& target, struct stat& info, bool& existing) {
  existing = false;
  if (::stat(target.c_str(), &info) != 0) {
    return errno == ENOENT ? std::error_code() : LastError();
  }
  existing = true;
  if (!S_ISREG(info.st_mode)) return SaveRefusal::kNotAFile;
  if ((info.st_mode & 0222) == 0) return SaveRefusal::kWriteProtected;
  if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
    return errno == EACCES ? std::error_code(SaveRefusal::kWriteProtected) : LastError();
  }
  return {};
}

// The permissions of a new file: the usual ones under the process's umask.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Holds SIGXFSZ back while it lives, so that a write beyond the file size limit fails with
// EFBIG instead of ending the process; a signal raised meanwhile is taken and dropped.
class FileSizeSignalHeld {
 public:
  FileSizeSignalHeld() {
    sigemptyset(&signal_);
    sigaddset(&signal_, SIGXFSZ);
    held_ = ::pthread_sigmask(SIG_BLOCK, &signal_, &previous_) == 0;
  }
  ~FileSizeSignalHeld() {
    if (!held_) return;
    sigset_t pending;
    if (!sigismember(&previous_, SIGXFSZ) && ::sigpending(&pending) == 0 &&
        sigismember(&pending, SIGXFSZ)) {
      const timespec no_wait{0, 0};
      ::sigtimedwait(&signal_, nullptr, &no_wait);
    }
    ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  FileSizeSignalHeld(const FileSizeSignalHeld&) = delete;
  FileSizeSignalHeld& operator=(const FileSizeSignalHeld&) = delete;

 private:
  sigset_t signal_;
  sigset_t previous_;
  bool held_ = false;
};

class SaveRefusalCategoryImpl : public std::error_category {
 public:
  const char* name() const noexcept override { return "toluvek save"; }
  std::string message(int value) const override {
    switch (static_cast<SaveRefusal>(value)) {
      case SaveRefusal::kValueOutOfRange:
        return "a value is out of range";
      case SaveRefusal::kNotAFile:
        return "not a regular file";
      case SaveRefusal::kWriteProtected:
        return "the file is write-protected";
    }
    return "refused";
  }
};

}  // namespace

std::string DateTimeLiteral(const DateTime& moment) {
  std::string text = "#";
  AppendDigits(text, moment.year, 4);
  text += '-';
  AppendDigits(text, moment.month, 2);
  text += '-';
  AppendDigits(text, moment.day, 2);
  if (moment.hour != 0 || moment.minute != 0 || moment.second != 0) {
    text += ' ';
    AppendDigits(text, moment.hour, 2);
    text += ':';
    AppendDigits(text, moment.minute, 2);
    text += ':';
    AppendDigits(text, moment.second, 2);
  }
  text += '#';
  return text;
}

std::string CompositionText(const CompositionData& data, const DateTime& saved_at) {
  std::string text = DateTimeLiteral(saved_at);
  text += kCrLf;
  text += Quoted("圧力") + "," + NumberField(data.pressure) + "," + Quoted(data.pressure_unit) +
          "," + Quoted("温度") + "," + NumberField(data.temperature) + "," +
          Quoted(data.temperature_unit);
  text += kCrLf;
  text += Quoted(kSeparatorText);
  text += kCrLf;
  const auto& species = AllSpecies();
  for (std::size_t i = 0; i < kSpeciesCount; i += 2) {
    text += Quoted(species[i].label) + "," + NumberField(data.amounts[i]) + "," +
            Quoted(species[i + 1].label) + "," + NumberField(data.amounts[i + 1]);
    text += kCrLf;
  }
  return text;
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  Converter converter("CP932", "UTF-8");
  return converter.Convert(utf8);
}

std::optional<std::string> Cp932ToUtf8(std::string_view cp932) {
  Converter converter("UTF-8", "CP932");
  return converter.Convert(cp932);
}

std::string ValidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      out += text[i++];
      continue;
    }
    std::size_t length = 0;
    char32_t c = 0;
    char32_t smallest = 0;  // below it the form is overlong
    if ((lead & 0xE0) == 0xC0) {
      length = 2, c = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, c = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, c = lead & 0x07, smallest = 0x10000;
    }
    bool valid = length > 0 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    valid = valid && c >= smallest && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
    if (valid) {
      out.append(text.substr(i, length));
      i += length;
    } else {
      out += "\xEF\xBF\xBD";  // U+FFFD
      ++i;
    }
  }
  return out;
}

CompositionReadResult ParseComposition(std::string_view bytes, bool whole_file) {
  // Labels and the date are skipped, so their bytes are never decoded: a label an editor
  // mangled, or a whole file re-saved in UTF-8, still gives its numbers.
  const bool utf8_file = bytes.starts_with(kUtf8ByteOrderMark);
  if (utf8_file) bytes.remove_prefix(kUtf8ByteOrderMark.size());
  std::array<Field, kFieldCount> fields;
  FieldSplitter splitter(bytes, whole_file);
  for (Field& field : fields) {
    std::optional<Field> next = splitter.Next();
    if (!next) {
      return {std::nullopt,
              whole_file ? CompositionError::kTooFewFields : CompositionError::kBeyondReadLimit};
    }
    field = *next;
  }
  // Fields counted from 1: 3 pressure, 4 its unit, 6 temperature, 7 its unit, then name,
  // amount, name, amount for each pair of species from field 9 on.
  CompositionData data;
  std::optional<double> pressure = NumberOf(fields[2]);
  std::optional<double> temperature = NumberOf(fields[5]);
  if (!pressure || !temperature) return {std::nullopt, CompositionError::kNotANumber};
  data.pressure = *pressure;
  data.temperature = *temperature;
  data.pressure_unit = UnitNameOf(fields[3], utf8_file);
  data.temperature_unit = UnitNameOf(fields[6], utf8_file);
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    const std::optional<double> amount = NumberOf(fields[8 + 2 * i + 1]);
    if (!amount) return {std::nullopt, CompositionError::kNotANumber};
    data.amounts[i] = *amount;
  }
  return {std::move(data), CompositionError::kNone};
}

CompositionReadResult ReadCompositionFile(const std::string& path) {
  // Non-blocking, so that opening a pipe does not wait for a writer.
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (file.get() < 0) return {std::nullopt, CompositionError::kOpen};
  struct stat info {};
  if (::fstat(file.get(), &info) != 0) return {std::nullopt, CompositionError::kOpen};
  if (S_ISDIR(info.st_mode)) return {std::nullopt, CompositionError::kOpen};
  if (!S_ISREG(info.st_mode)) return {std::nullopt, CompositionError::kNotRegularFile};

  // One byte beyond the limit tells whether the file goes on.
  std::string bytes(kCompositionReadLimit + 1, '\0');
  std::size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = ::read(file.get(), bytes.data() + got, bytes.size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      return {std::nullopt, CompositionError::kRead};
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  const bool whole_file = got <= kCompositionReadLimit;
  bytes.resize(whole_file ? got : kCompositionReadLimit);
  return ParseComposition(bytes, whole_file);
}

const std::error_category& SaveRefusalCategory() {
  static const SaveRefusalCategoryImpl category;
  return category;
}

std::error_code make_error_code(SaveRefusal refusal) {
  return {static_cast<int>(refusal), SaveRefusalCategory()};
}

std::string SaveFailureText(std::error_code error) {
  if (error.category() == SaveRefusalCategory()) return error.message();
  switch (static_cast<std::errc>(error.value())) {
    case std::errc::no_space_on_device:
      return "the disk is full";
    case std::errc::file_too_large:
      return "the file size limit was reached";
    case std::errc::permission_denied:
    case std::errc::operation_not_permitted:
      return "the folder may not be written";
    case std::errc::read_only_file_system:
      return "the disk is read-only";
    case std::errc::no_such_file_or_directory:
    case std::errc::not_a_directory:
      return "the folder does not exist";
    case std::errc::is_a_directory:
    case std::errc::device_or_resource_busy:
      return "not a regular file";
    case std::errc::filename_too_long:
      return "the name is too long";
    case std::errc::too_many_symbolic_link_levels:
      return "too many symbolic links";
    case std::errc::io_error:
      return "the disk reported an error";
    default:
      break;
  }
  return "the file could not be written";
}

std::error_code WriteFileAtomically(const std::string& path, std::string_view bytes,
                                    WriteCall write_call) {
  if (write_call == nullptr) write_call = SystemWrite;
  std::string target;
  if (const std::error_code error = FollowLinks(path, target)) return error;
  struct stat existing {};
  bool exists = false;
  if (const std::error_code error = CheckReplaceable(target, existing, exists)) return error;
  // The new file keeps the old one's permissions, and its owner where the process may give it.
  const mode_t mode = exists ? existing.st_mode & 07777 : NewFileMode();

  // A short fixed name, so that it fits beside a target whose name is as long as allowed.
  const std::string folder = FolderOf(target);
  std::string temporary = folder + "/.toluvek-XXXXXX";
  FileSizeSignalHeld file_size_signal_held;
  FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
  if (file.get() < 0) return LastError();

  const auto fail = [&](std::error_code error) {
    if (file.get() >= 0) file.Close();
    ::unlink(temporary.c_str());
    return error;
  };

  std::size_t written = 0;
  while (written < bytes.size()) {
    const std::size_t wanted = bytes.size() - written;
    const long n = write_call(file.get(), bytes.data() + written, wanted);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(LastError());
    }
    // A short count without an error is how a full disk shows: give up rather than commit a
    // truncated file.
    if (static_cast<std::size_t>(n) != wanted) {
      return fail(std::make_error_code(std::errc::no_space_on_device));
    }
    written += wanted;
  }
  if (exists && (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid())) {
    // Fails without privileges unless only the group changes to one of the user's; the file
    // is then the user's own, as any newly written file is.
    if (::fchown(file.get(), existing.st_uid, existing.st_gid) != 0 &&
        ::fchown(file.get(), static_cast<uid_t>(-1), existing.st_gid) != 0) {
      errno = 0;
    }
  }
  if (::fchmod(file.get(), mode) != 0) return fail(LastError());
  if (::fsync(file.get()) != 0) return fail(LastError());
  if (!file.Close()) return fail(LastError());
  if (::rename(temporary.c_str(), target.c_str()) != 0) return fail(LastError());

  // Make the rename itself durable; the new file is in place whatever this reports.
  FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.get() >= 0) ::fsync(directory.get());
  return {};
}

}  // namespace toluvek
