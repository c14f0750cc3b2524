#include "tables/batch_input.hpp"

#include <algorithm>
#include <cstring>

#include "common/checked.hpp"
#include "common/number_text.hpp"
#include "main/engineering_units.hpp"

namespace toluvek {
namespace {

// Holds a longest line several times over.
constexpr std::size_t kBufferSize = std::size_t{256} * 1024;

// What a column of the header holds; the species follow at kSpeciesRole + position.
enum Role : int {
  kPressureRole,
  kPressureUnitRole,
  kTemperatureRole,
  kTemperatureUnitRole,
  kSpeciesRole
};

constexpr std::string_view kRequired[] = {"pressure", "pressure_unit", "temperature",
                                          "temperature_unit"};

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// What a pressure_unit field may hold, for the error text: "Pa, kPa, ... or mmHg".
std::string PressureUnitList() {
  std::string list;
  const std::size_t count = std::size(kEngineeringPressureUnits);
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) list += i + 1 == count ? " or " : ", ";
    list += kEngineeringPressureUnits[i].name;
  }
  return list;
}

// A pressure_unit field: one of kEngineeringPressureUnits, then " gauge" (one blank) for a
// reading above kGaugeReference. Null for a text that is none of them.
const PressureUnitScale* PressureUnitNamed(std::string_view text, bool& gauge) {
  constexpr std::string_view kGaugeSuffix = " gauge";
  gauge = text.ends_with(kGaugeSuffix);
  if (gauge) text.remove_suffix(kGaugeSuffix.size());
  for (const PressureUnitScale& scale : kEngineeringPressureUnits) {
    if (scale.name == text) return &scale;
  }
  return nullptr;
}

std::optional<int> RoleNamed(std::string_view name) {
  for (int r = 0; r < kSpeciesRole; ++r) {
    if (name == kRequired[r]) return r;
  }
  const auto& table = AllSpecies();
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    if (name == table[i].label) return kSpeciesRole + static_cast<int>(i);
  }
  return std::nullopt;
}

}  // namespace

BatchReader::BatchReader(std::istream& in)
    : in_(in), buffer_(std::make_unique<char[]>(kBufferSize)) {}

BatchReader::LineStatus BatchReader::TakeLine(std::string_view& line, bool skip_too_long) {
  bool too_long = false;
  while (true) {
    const char* start = buffer_.get() + begin_;
    const std::size_t available = end_ - begin_;
    const auto* newline = static_cast<const char*>(std::memchr(start, '\n', available));
    if (newline != nullptr || (eof_ && (available > 0 || too_long))) {
      const std::size_t length = newline != nullptr ? newline - start : available;
      begin_ += newline != nullptr ? length + 1 : length;
      ++line_number_;
      line = std::string_view(start, length);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      return too_long || line.size() > kMaxBatchLineBytes ? LineStatus::kTooLong
                                                          : LineStatus::kRead;
    }
    if (eof_) return LineStatus::kEnd;
    if (available > kMaxBatchLineBytes + 1) {
      // Too long already: drop what is buffered and look for the end of this line, or give up
      // on the input (a header without end, such as /dev/zero, must not be read forever).
      if (!skip_too_long) {
        ++line_number_;
        return LineStatus::kTooLong;
      }
      too_long = true;
      begin_ = end_ = 0;
    } else {
      std::memmove(buffer_.get(), start, available);
      begin_ = 0;
      end_ = available;
    }
    in_.read(buffer_.get() + end_, static_cast<std::streamsize>(kBufferSize - end_));
    const auto got = static_cast<std::size_t>(in_.gcount());
    end_ += got;
    if (got == 0) eof_ = true;
  }
}

std::string_view BatchLineParser::Split(std::string_view line) {
  field_count_ = 0;
  std::size_t i = 0;
  const std::size_t n = line.size();
  while (true) {
    if (field_count_ == fields_.size()) {
      fields_.emplace_back();
      unquoted_.emplace_back();
    }
    const std::size_t k = field_count_++;
    if (i < n && line[i] == '"') {
      ++i;
      // A field without a doubled quote is its text between the quotes; one with is copied
      // without them into the field's own string, kept from line to line.
      const std::size_t begin = i;
      bool doubled = false;
      while (true) {
        if (i >= n) return "a quote is left open";
        if (line[i] == '"') {
          if (i + 1 < n && line[i + 1] == '"') {
            doubled = true;
            i += 2;
            continue;
          }
          break;
        }
        ++i;
      }
      const std::string_view quoted = line.substr(begin, i - begin);
      ++i;  // the closing quote
      if (doubled) {
        std::string& text = unquoted_[k];
        text.clear();
        for (std::size_t q = 0; q < quoted.size(); ++q) {
          text += quoted[q];
          if (quoted[q] == '"') ++q;  // the second of a doubled quote
        }
        fields_[k] = text;
      } else {
        fields_[k] = quoted;
      }
      if (i < n && line[i] != ',') return "text follows a closing quote";
    } else {
      std::size_t stop = i;
      while (stop < n && line[stop] != ',' && line[stop] != '"') ++stop;
      if (stop < n && line[stop] == '"') return "a quote inside a field that is not quoted";
      fields_[k] = line.substr(i, stop - i);
      i = stop;
    }
    if (i >= n) return {};
    ++i;  // the comma
  }
}

std::string BatchLineParser::ReadHeader(std::string_view line) {
  // A spreadsheet may begin its UTF-8 export with a byte order mark.
  if (line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
  if (const std::string_view error = Split(line); !error.empty()) {
    return "line 1: " + std::string(error);
  }
  roles_.clear();
  names_.clear();
  for (std::size_t k = 0; k < field_count_; ++k) {
    const std::string name(Trim(fields_[k]));
    const std::optional<int> role = RoleNamed(name);
    if (!role) return "line 1: unknown column \"" + name + "\"";
    if (std::find(roles_.begin(), roles_.end(), *role) != roles_.end()) {
      return "line 1: column " + name + " is named twice";
    }
    roles_.push_back(*role);
    names_.push_back(name);
  }
  for (int r = 0; r < kSpeciesRole; ++r) {
    if (std::find(roles_.begin(), roles_.end(), r) == roles_.end()) {
      return "line 1: no column " + std::string(kRequired[r]);
    }
  }
  return {};
}

void BatchLineParser::Parse(const BatchLine& line, BatchState& state) {
  state.line = line.number;
  state.error.clear();
  const auto fail = [&](std::string_view what) {
    state.error = "line " + std::to_string(line.number) + ": ";
    state.error += what;
  };
  if (line.too_long) {
    return fail("longer than " + std::to_string(kMaxBatchLineBytes) + " bytes");
  }
  if (const std::string_view error = Split(line.text); !error.empty()) return fail(error);
  if (field_count_ < roles_.size()) return fail("missing column " + names_[field_count_]);
  if (field_count_ > roles_.size()) {
    return fail("more fields than the header's " + std::to_string(roles_.size()));
  }
  state.amounts = AmountsInput{};
  // The unit of a pressure to convert to absolute Pa once the line is read, since the
  // pressure's column may come after the unit's.
  const PressureUnitScale* converted = nullptr;
  bool converted_gauge = false;
  for (std::size_t k = 0; k < field_count_; ++k) {
    const std::string_view text = fields_[k];
    const int role = roles_[k];
    if (role == kPressureUnitRole) {
      // Pa, atm and kgf/cm2 go into the row as typed, in the main window's own units, as
      // they always have; any other unit, and a gauge reading, go in as absolute Pa.
      bool gauge = false;
      const PressureUnitScale* scale = PressureUnitNamed(Trim(text), gauge);
      if (scale == nullptr) {
        static const std::string kUnknown =
            "pressure_unit is not " + PressureUnitList() + ", absolute or followed by gauge";
        return fail(kUnknown);
      }
      converted = nullptr;
      if (!gauge && scale->name == "Pa") {
        state.pressure_unit = PressureUnit::kPa;
      } else if (!gauge && scale->name == "atm") {
        state.pressure_unit = PressureUnit::kAtm;
      } else if (!gauge && scale->name == "kgf/cm2") {
        state.pressure_unit = PressureUnit::kKgfCm2;
      } else {
        state.pressure_unit = PressureUnit::kPa;
        converted = scale;
        converted_gauge = gauge;
      }
    } else if (role == kTemperatureUnitRole) {
      const std::string_view unit = Trim(text);
      if (unit == "C" || unit == "℃") {
        state.temperature_unit = TemperatureUnit::kCelsius;
      } else if (unit == "K") {
        state.temperature_unit = TemperatureUnit::kKelvin;
      } else {
        return fail("temperature_unit is not C or K");
      }
    } else {
      const std::optional<double> value = ParseStrict(text);
      if (!value) return fail(names_[k] + " is not a number");
      if (role == kPressureRole) {
        state.pressure = *value;
      } else if (role == kTemperatureRole) {
        state.temperature = *value;
      } else {
        state.amounts.values[static_cast<std::size_t>(role - kSpeciesRole)] = *value;
      }
    }
  }
  if (converted != nullptr) {
    try {
      state.pressure = *AbsolutePascal(state.pressure, converted->name, converted_gauge);
    } catch (const ArithmeticFault&) {
      return fail("pressure in " + std::string(converted->name) +
                  (converted_gauge ? " gauge" : "") + " is beyond the range of a double in Pa");
    }
  }
}

std::string BatchReader::ReadHeader() {
  std::string_view line;
  const LineStatus status = TakeLine(line, false);
  if (status == LineStatus::kEnd) return "the input is empty: no header line";
  if (status == LineStatus::kTooLong) {
    return "line 1: longer than " + std::to_string(kMaxBatchLineBytes) + " bytes";
  }
  return parser_.ReadHeader(line);
}

bool BatchReader::NextLine(BatchLine& line) {
  std::string_view text;
  LineStatus status = TakeLine(text, true);
  while (status == LineStatus::kRead && Trim(text).empty()) status = TakeLine(text, true);
  if (status == LineStatus::kEnd) return false;
  line.number = line_number_;
  line.too_long = status == LineStatus::kTooLong;
  line.text = line.too_long ? std::string_view() : text;
  return true;
}

bool BatchReader::Next(BatchState& state) {
  BatchLine line;
  if (!NextLine(line)) return false;
  parser_.Parse(line, state);
  return true;
}

}  // namespace toluvek
