#include "tables/batch_input.hpp"

#include <algorithm>
#include <cstring>

#include "common/number_text.hpp"

namespace toluvek {
namespace {

constexpr std::size_t kBufferSize =
    std::size_t{256} * 1024;  // holds a longest line several times over

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

BatchReader::LineStatus BatchReader::NextLine(std::string_view& line, bool skip_too_long) {
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

std::string_view BatchReader::Split(std::string_view line) {
  field_count_ = 0;
  std::size_t i = 0;
  const std::size_t n = line.size();
  while (true) {
    if (field_count_ == fields_.size()) fields_.emplace_back();
    std::string& field = fields_[field_count_++];
    field.clear();
    if (i < n && line[i] == '"') {
      ++i;
      while (true) {
        if (i >= n) return "a quote is left open";
        if (line[i] == '"') {
          if (i + 1 < n && line[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field += line[i++];
      }
      if (i < n && line[i] != ',') return "text follows a closing quote";
    } else {
      std::size_t stop = line.find_first_of(",\"", i);
      if (stop == std::string_view::npos) stop = n;
      if (stop < n && line[stop] == '"') return "a quote inside a field that is not quoted";
      field.append(line.substr(i, stop - i));
      i = stop;
    }
    if (i >= n) return {};
    ++i;  // the comma
  }
}

std::string BatchReader::ReadHeader() {
  std::string_view line;
  const LineStatus status = NextLine(line, false);
  if (status == LineStatus::kEnd) return "the input is empty: no header line";
  if (status == LineStatus::kTooLong) {
    return "line 1: longer than " + std::to_string(kMaxBatchLineBytes) + " bytes";
  }
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

bool BatchReader::Next(BatchState& state) {
  std::string_view line;
  LineStatus status = NextLine(line, true);
  while (status == LineStatus::kRead && Trim(line).empty()) status = NextLine(line, true);
  if (status == LineStatus::kEnd) return false;
  state.line = line_number_;
  state.error.clear();
  const auto fail = [&](std::string_view what) {
    state.error = "line " + std::to_string(line_number_) + ": ";
    state.error += what;
    return true;
  };
  if (status == LineStatus::kTooLong) {
    return fail("longer than " + std::to_string(kMaxBatchLineBytes) + " bytes");
  }
  if (const std::string_view error = Split(line); !error.empty()) return fail(error);
  if (field_count_ < roles_.size()) return fail("missing column " + names_[field_count_]);
  if (field_count_ > roles_.size()) {
    return fail("more fields than the header's " + std::to_string(roles_.size()));
  }
  state.amounts = AmountsInput{};
  for (std::size_t k = 0; k < field_count_; ++k) {
    const std::string_view text = fields_[k];
    const int role = roles_[k];
    if (role == kPressureUnitRole) {
      const std::string_view unit = Trim(text);
      if (unit == "Pa") {
        state.pressure_unit = PressureUnit::kPa;
      } else if (unit == "atm") {
        state.pressure_unit = PressureUnit::kAtm;
      } else if (unit == "kgf/cm2") {
        state.pressure_unit = PressureUnit::kKgfCm2;
      } else {
        return fail("pressure_unit is not Pa, atm or kgf/cm2");
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
  return true;
}

}  // namespace toluvek
