#include "main/composition_file.hpp"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <vector>

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

// A unit name: the text of a bare or quoted field; a date names no unit.
std::string UnitNameOf(const Field& field, Converter& decoder) {
  if (field.kind == FieldKind::kDate) return {};
  return decoder.Convert(field.bytes).value_or(std::string());
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

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The permissions of the new file: those of the file it replaces, else the usual ones for a
// new file under the process's umask.
mode_t NewFileMode(const std::string& path) {
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
    return existing.st_mode & 07777;
  }
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

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
  text += Quoted("圧力") + "," + FormatGeneral(data.pressure) + "," + Quoted(data.pressure_unit) +
          "," + Quoted("温度") + "," + FormatGeneral(data.temperature) + "," +
          Quoted(data.temperature_unit);
  text += kCrLf;
  text += Quoted(kSeparatorText);
  text += kCrLf;
  const auto& species = AllSpecies();
  for (std::size_t i = 0; i < kSpeciesCount; i += 2) {
    text += Quoted(species[i].label) + "," + FormatGeneral(data.amounts[i]) + "," +
            Quoted(species[i + 1].label) + "," + FormatGeneral(data.amounts[i + 1]);
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

CompositionReadResult ParseComposition(std::string_view bytes, bool whole_file) {
  std::array<Field, kFieldCount> fields;
  FieldSplitter splitter(bytes, whole_file);
  for (Field& field : fields) {
    std::optional<Field> next = splitter.Next();
    if (!next) return {std::nullopt, CompositionError::kTooFewFields};
    field = *next;
  }
  // Every field must be code page 932, the skipped labels too: a file with other bytes is
  // not a composition file.
  Converter decoder("UTF-8", "CP932");
  for (const Field& field : fields) {
    if (!decoder.Convert(field.bytes)) return {std::nullopt, CompositionError::kEncoding};
  }
  // Fields counted from 1: 3 pressure, 4 its unit, 6 temperature, 7 its unit, then name,
  // amount, name, amount for each pair of species from field 9 on.
  CompositionData data;
  std::optional<double> pressure = NumberOf(fields[2]);
  std::optional<double> temperature = NumberOf(fields[5]);
  if (!pressure || !temperature) return {std::nullopt, CompositionError::kNotANumber};
  data.pressure = *pressure;
  data.temperature = *temperature;
  data.pressure_unit = UnitNameOf(fields[3], decoder);
  data.temperature_unit = UnitNameOf(fields[6], decoder);
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

std::error_code WriteFileAtomically(const std::string& path, std::string_view bytes,
                                    WriteCall write_call) {
  if (write_call == nullptr) write_call = SystemWrite;
  const std::string folder = FolderOf(path);
  const mode_t mode = NewFileMode(path);
  std::string temporary = folder + "/." + NameOf(path) + ".XXXXXX";
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
  if (::fchmod(file.get(), mode) != 0) return fail(LastError());
  if (::fsync(file.get()) != 0) return fail(LastError());
  if (!file.Close()) return fail(LastError());
  if (::rename(temporary.c_str(), path.c_str()) != 0) return fail(LastError());

  // Make the rename itself durable; the new file is in place whatever this reports.
  FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.get() >= 0) ::fsync(directory.get());
  return {};
}

}  // namespace toluvek
