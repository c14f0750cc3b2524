#include "main/property_table.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ostream>

#include "common/number_text.hpp"
#include "engine/fit_range.hpp"
#include "main/calculate_command.hpp"

namespace toluvek {
namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 20;

// The largest row without its error text: each column as name, number and punctuation.
constexpr std::size_t RowBudget(std::size_t columns) {
  return columns * 80 + 64;
}

struct MixtureColumn {
  std::string_view name;
  double MixtureProperties::*value;
};

constexpr MixtureColumn kMixtureColumns[] = {
    {"molar_mass_kg_per_kmol", &MixtureProperties::molar_mass},
    {"density_kg_per_m3", &MixtureProperties::density},
    {"gas_constant_J_per_kg_K", &MixtureProperties::gas_constant},
    {"cp_J_per_kg_K", &MixtureProperties::cp},
    {"conductivity_W_per_m_K", &MixtureProperties::conductivity},
    {"viscosity_Pa_s", &MixtureProperties::viscosity},
    {"kinematic_viscosity_m2_per_s", &MixtureProperties::kinematic_viscosity},
    {"prandtl", &MixtureProperties::prandtl},
    {"prandtl_eucken", &MixtureProperties::prandtl_eucken},
};
constexpr std::size_t kInputColumns = 3;  // pressure_Pa, temperature_K, temperature_C
static_assert(kInputColumns + std::size(kMixtureColumns) == kTableMixtureColumns);

struct SpeciesQuantity {
  std::string_view name;  // the species label goes between name and unit
  std::string_view unit;
  SpeciesArray MixtureProperties::*values;
};

constexpr SpeciesQuantity kSpeciesQuantities[] = {
    {"mole_fraction", "", &MixtureProperties::mole_fraction},
    {"mass_fraction", "", &MixtureProperties::mass_fraction},
    {"cp", "_J_per_kg_K", &MixtureProperties::species_cp},
    {"conductivity", "_W_per_m_K", &MixtureProperties::species_conductivity},
    {"viscosity", "_Pa_s", &MixtureProperties::species_viscosity},
    {"prandtl", "", &MixtureProperties::species_prandtl},
};
static_assert(std::size(kSpeciesQuantities) * kSpeciesCount + kTableMixtureColumns ==
              kFitRangeColumn);

const std::array<std::string, kTableColumnCount>& ColumnNames() {
  static const std::array<std::string, kTableColumnCount> names = [] {
    std::array<std::string, kTableColumnCount> n;
    n[0] = "pressure_Pa";
    n[1] = "temperature_K";
    n[2] = "temperature_C";
    for (std::size_t i = 0; i < std::size(kMixtureColumns); ++i) {
      n[kInputColumns + i] = kMixtureColumns[i].name;
    }
    std::size_t c = kTableMixtureColumns;
    for (const SpeciesQuantity& q : kSpeciesQuantities) {
      for (const SpeciesConstants& s : AllSpecies()) {
        n[c++] = std::string(q.name) + "_" + std::string(s.label) + std::string(q.unit);
      }
    }
    n[kFitRangeColumn] = "in_fit_range";
    return n;
  }();
  return names;
}

double ValueOf(std::size_t column, const MixtureProperties& p) {
  if (column < kTableMixtureColumns) return p.*kMixtureColumns[column - kInputColumns].value;
  const std::size_t k = column - kTableMixtureColumns;
  return (p.*kSpeciesQuantities[k / kSpeciesCount].values)[k % kSpeciesCount];
}

// How many decimals the shortest text of `value` has ("0.001" 3, "1.5e-05" 6, "2e+05" 0).
int Decimals(double value) {
  const std::string text = FormatShortest(value);
  const std::size_t e = text.find('e');
  const std::size_t point = text.find('.');
  const std::size_t mantissa_end = e == std::string::npos ? text.size() : e;
  const int fraction = point == std::string::npos ? 0 : static_cast<int>(mantissa_end - point - 1);
  const int exponent = e == std::string::npos ? 0 : std::stoi(text.substr(e + 1));
  return std::max(0, fraction - exponent);
}

bool NeedsCsvQuotes(std::string_view text) {
  return text.find_first_of(",\"\r\n") != std::string_view::npos;
}

}  // namespace

AmountsInput ReadAmounts(const std::array<std::string, kSpeciesCount>& texts) {
  AmountsInput amounts;
  if (std::any_of(texts.begin(), texts.end(), [](const std::string& t) { return t.empty(); })) {
    amounts.status = AmountsInput::Status::kEmpty;
    return amounts;
  }
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    const std::optional<double> value = ParseStrict(texts[i]);
    if (!value) {
      amounts.status = AmountsInput::Status::kNotANumber;
      return amounts;
    }
    amounts.values[i] = *value;
  }
  return amounts;
}

const Message* CheckState(double pressure, double temperature, const AmountsInput& amounts) {
  // A text that was not a number, or a unit conversion that overflowed.
  if (!std::isfinite(pressure) || !std::isfinite(temperature)) return &messages::kCheckInput;
  const bool temperature_negative = !(temperature >= 0);
  const bool pressure_negative = !(pressure >= 0);
  if (temperature_negative && pressure_negative) {
    return &messages::kPressureAndTemperatureNegative;
  }
  if (temperature_negative) return &messages::kTemperatureNegative;
  if (pressure_negative) return &messages::kPressureNegative;
  if (amounts.status == AmountsInput::Status::kEmpty) return &messages::kAmountEmpty;
  if (amounts.status == AmountsInput::Status::kNotANumber) return &messages::kCheckInput;
  const SpeciesArray& a = amounts.values;
  if (std::any_of(a.begin(), a.end(), [](double x) { return !(x >= 0); })) {
    return &messages::kAmountNegative;
  }
  double sum = 0;
  for (double x : a) sum += x;
  if (!std::isfinite(sum)) return &messages::kCheckInput;
  if (sum == 0) return &messages::kAmountsAllZero;
  return nullptr;
}

const Message* EvaluateState(double pressure, double temperature, const AmountsInput& amounts,
                             MixtureResult& result) {
  if (const Message* message = CheckState(pressure, temperature, amounts)) return message;
  result = CalculateMixture(pressure, temperature, amounts.values);
  return result.ok() ? nullptr : &messages::kCheckInput;
}

const std::string& TableColumnName(std::size_t column) {
  return ColumnNames().at(column);
}

std::optional<std::size_t> FindTableColumn(std::string_view name) {
  const auto& names = ColumnNames();
  const auto found = std::find(names.begin(), names.end(), name);
  if (found == names.end()) return std::nullopt;
  return static_cast<std::size_t>(found - names.begin());
}

std::vector<std::size_t> DefaultTableColumns() {
  std::vector<std::size_t> columns(kTableMixtureColumns);
  for (std::size_t c = 0; c < columns.size(); ++c) columns[c] = c;
  columns.push_back(kFitRangeColumn);
  return columns;
}

std::vector<std::size_t> SpeciesTableColumns() {
  std::vector<std::size_t> columns;
  for (std::size_t c = kTableMixtureColumns; c < kFitRangeColumn; ++c) columns.push_back(c);
  return columns;
}

TableWriter::TableWriter(std::ostream& out, std::vector<std::size_t> columns, TableFormat format)
    : out_(out),
      columns_(std::move(columns)),
      format_(format),
      buffer_(std::make_unique<char[]>(kBufferSize)),
      capacity_(kBufferSize),
      row_budget_(RowBudget(columns_.size())),
      last_(columns_.size()) {
  static_assert(sizeof(LastNumber::text) >= kShortestTextMax);
  if (format_ != TableFormat::kCsv) return;
  Need(row_budget_);
  for (std::size_t c : columns_) {
    Put(TableColumnName(c));
    Put(",");
  }
  Put(kErrorColumn);
  Put("\n");
}

TableWriter::~TableWriter() {
  Flush();
}

bool TableWriter::Flush() {
  if (!failed_ && used_ > 0) out_.write(buffer_.get(), static_cast<std::streamsize>(used_));
  used_ = 0;
  if (!failed_) out_.flush();
  failed_ = failed_ || out_.fail();
  return !failed_;
}

void TableWriter::Need(std::size_t bytes) {
  if (used_ + bytes <= capacity_) return;
  Flush();
  // A row larger than the whole buffer (a long error text) gets a buffer of its own size.
  if (bytes > capacity_) {
    buffer_ = std::make_unique<char[]>(bytes);
    capacity_ = bytes;
  }
}

void TableWriter::Put(std::string_view text) {
  if (text.empty()) return;  // an empty view may hold no pointer, which memcpy must not see
  std::memcpy(buffer_.get() + used_, text.data(), text.size());
  used_ += text.size();
}

void TableWriter::PutNumber(std::size_t slot, double value) {
  LastNumber& last = last_[slot];
  if (last.length > 0 && last.value == value) {
    Put(std::string_view(last.text, last.length));
    return;
  }
  char* begin = buffer_.get() + used_;
  char* end = WriteShortest(begin, value);
  last.value = value;
  last.length = static_cast<std::uint8_t>(end - begin);
  std::memcpy(last.text, begin, last.length);
  used_ += last.length;
}

void TableWriter::PutText(std::string_view text) {
  char* out = buffer_.get() + used_;
  if (format_ == TableFormat::kCsv) {
    if (!NeedsCsvQuotes(text)) {
      Put(text);
      return;
    }
    *out++ = '"';
    for (char c : text) {
      if (c == '"') *out++ = '"';
      *out++ = c;
    }
    *out++ = '"';
  } else {
    constexpr char kHex[] = "0123456789abcdef";
    *out++ = '"';
    for (char c : text) {
      const auto byte = static_cast<unsigned char>(c);
      if (c == '"' || c == '\\') {
        *out++ = '\\';
        *out++ = c;
      } else if (byte < 0x20) {
        out = std::copy_n("\\u00", 4, out);
        *out++ = kHex[byte >> 4];
        *out++ = kHex[byte & 15];
      } else {
        *out++ = c;
      }
    }
    *out++ = '"';
  }
  used_ = static_cast<std::size_t>(out - buffer_.get());
}

void TableWriter::Write(const TableRow& row) {
  Need(row_budget_ + 6 * row.error.size());
  const bool json = format_ == TableFormat::kJsonLines;
  if (json) Put("{");
  bool first = true;
  for (std::size_t slot = 0; slot < columns_.size(); ++slot) {
    const std::size_t c = columns_[slot];
    if (json) {
      Put(first ? "\"" : ",\"");
      Put(TableColumnName(c));
      Put("\":");
    } else if (!first) {
      Put(",");
    }
    first = false;
    if (c == kFitRangeColumn) {
      if (row.properties != nullptr) {
        Put(OutsideFitRange(row) ? "0" : "1");
      } else if (json) {
        Put("null");
      }
      continue;
    }
    double value = 0;
    bool known = false;
    if (c < kInputColumns) {
      value = c == 0 ? row.pressure : c == 1 ? row.temperature_k : row.temperature_c;
      known = row.inputs_known && std::isfinite(value);
    } else if (row.properties != nullptr) {
      value = ValueOf(c, *row.properties);
      known = std::isfinite(value);
    }
    if (known) {
      PutNumber(slot, value);
    } else if (json) {
      Put("null");
    }
  }
  if (json) {
    Put(first ? "\"error\":" : ",\"error\":");
    if (row.error.empty()) {
      Put("null");
    } else {
      PutText(row.error);
    }
    Put("}\n");
  } else {
    if (!first) Put(",");
    PutText(row.error);
    Put("\n");
  }
}

double Sweep::At(std::uint64_t i) const {
  if (i + 1 == count && lands_on_end) return to;
  const double value = from + static_cast<double>(i) * step;
  if (scale > 0) {
    // n / 10^d with both exact is the double nearest to the decimal, as a person types it.
    const double scaled = std::round(value * scale);
    if (std::fabs(scaled) < 0x1p53) return scaled / scale;
  }
  return RoundToSignificant(value, 15);
}

Sweep SingleValue(double value) {
  return {value, 0, value, 1, true, 0};
}

std::string MakeSweep(double from, double to, double step, Sweep& sweep) {
  if (step == 0) return "the step is 0";
  const double steps = (to - from) / step;
  if (std::isnan(steps) || steps < 0) return "the step leads away from the end";
  const std::string too_many = "more than " + std::to_string(kMaxTableRows) + " rows";
  if (!(steps < static_cast<double>(kMaxTableRows))) return too_many;
  // An end that the steps reach within rounding (0.1 · 3 for 0.3) is landed on.
  const double nearest = std::round(steps);
  const bool lands = std::fabs(steps - nearest) <= 1e-9 * std::max(1.0, nearest);
  const double whole = lands ? nearest : std::floor(steps);
  sweep = {from, step, to, static_cast<std::uint64_t>(whole) + 1, lands, 0};
  const int decimals = std::max(Decimals(from), Decimals(step));
  if (decimals <= 15) {
    sweep.scale = 1;
    for (int d = 0; d < decimals; ++d) sweep.scale *= 10;  // exact up to 10^22
  }
  if (sweep.count > kMaxTableRows) return too_many;
  return {};
}

bool ConsecutiveStatesDiffer(const Sweep& sweep, const std::function<double(double)>& to_state) {
  double before = to_state(sweep.At(0));
  for (std::uint64_t i = 1; i < sweep.count; ++i) {
    const double state = to_state(sweep.At(i));
    if (state == before && std::isfinite(state)) return false;
    before = state;
  }
  return true;
}

TableRow StateRow(double pressure, PressureUnit pressure_unit, double temperature,
                  TemperatureUnit temperature_unit) {
  TableRow row;
  row.inputs_known = true;
  row.pressure = pressure * PascalPer(pressure_unit);
  if (temperature_unit == TemperatureUnit::kCelsius) {
    row.temperature_k = temperature + kKelvinOffset;
    row.temperature_c = temperature;
  } else {
    row.temperature_k = temperature;
    row.temperature_c = temperature - kKelvinOffset;
  }
  return row;
}

bool CalculateRow(TableRow& row, const AmountsInput& amounts, MixtureResult& scratch) {
  const Message* message = EvaluateState(row.pressure, row.temperature_k, amounts, scratch);
  if (message != nullptr) {
    row.properties = nullptr;
    row.error = message->text;
    return false;
  }
  row.properties = &scratch.properties;
  row.error = {};
  return true;
}

bool OutsideFitRange(const TableRow& row) {
  return row.properties != nullptr && !InPropertyFitRange(row.temperature_k);
}

void TableCounts::Count(const TableRow& row) {
  ++rows;
  if (!row.error.empty()) ++failed;
  if (OutsideFitRange(row)) ++outside_fit_range;
}

TableCounts WriteSweep(const SweepRequest& request, TableWriter& writer) {
  TableCounts counts;
  MixtureResult scratch;
  for (std::uint64_t ip = 0; ip < request.pressure.count; ++ip) {
    const double pressure = request.pressure.At(ip);
    for (std::uint64_t it = 0; it < request.temperature.count; ++it) {
      TableRow row = StateRow(pressure, request.pressure_unit, request.temperature.At(it),
                              request.temperature_unit);
      CalculateRow(row, request.amounts, scratch);
      writer.Write(row);
      counts.Count(row);
      if (writer.failed()) return counts;
    }
  }
  return counts;
}

}  // namespace toluvek
