#include "files/composition_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "common/checked.hpp"
#include "common/number_text.hpp"
#include "files/file_descriptor.hpp"
#include "files/text_encoding.hpp"

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
}  // namespace toluvek
