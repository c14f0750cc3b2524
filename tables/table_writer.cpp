#include "tables/table_writer.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <exception>
#include <ostream>

#include "common/number_text.hpp"
#include "engine/fit_range.hpp"

namespace toluvek {
namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 20;
constexpr std::size_t kDirectWrite = std::size_t{1} << 16;  // texts this long skip the buffer

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
    for (std::size_t i = 0; i < std::size(kGasQualityQuantities); ++i) {
      n[kGasQualityFirstColumn + i] = kGasQualityQuantities[i].name;
    }
    return n;
  }();
  return names;
}

double ValueOf(std::size_t column, const MixtureProperties& p) {
  if (column < kTableMixtureColumns) return p.*kMixtureColumns[column - kInputColumns].value;
  const std::size_t k = column - kTableMixtureColumns;
  return (p.*kSpeciesQuantities[k / kSpeciesCount].values)[k % kSpeciesCount];
}

// Copies `text` to `out` and returns its end.
char* Put(char* out, std::string_view text) {
  if (text.empty()) return out;  // an empty view may hold no pointer, which memcpy must not see
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

bool NeedsCsvQuotes(std::string_view text) {
  return text.find_first_of(",\"\r\n") != std::string_view::npos;
}

}  // namespace

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

char* TextBuffer::Reserve(std::size_t bytes) {
  if (capacity_ - size_ < bytes) {
    const std::size_t capacity = std::max(size_ + bytes, 2 * capacity_);
    auto grown = std::make_unique_for_overwrite<char[]>(capacity);
    if (size_ > 0) std::memcpy(grown.get(), data_.get(), size_);
    data_ = std::move(grown);
    capacity_ = capacity;
  }
  return data_.get() + size_;
}

TableFormatter::TableFormatter(std::vector<std::size_t> columns, TableFormat format,
                               ErrorText error_text)
    : columns_(std::move(columns)),
      format_(format),
      error_text_(error_text),
      row_budget_(RowBudget(columns_.size())),
      last_(columns_.size()) {
  static_assert(sizeof(LastNumber::text) >= kShortestTextMax);
}

void TableFormatter::WriteHeader(TextBuffer& out) const {
  if (format_ != TableFormat::kCsv) return;
  char* end = out.Reserve(row_budget_);
  for (std::size_t c : columns_) {
    end = Put(end, TableColumnName(c));
    *end++ = ',';
  }
  end = Put(end, kErrorColumn);
  *end++ = '\n';
  out.EndAt(end);
}

char* TableFormatter::PutNumber(char* out, std::size_t slot, double value) {
  LastNumber& last = last_[slot];
  if (last.length > 0 && last.value == value) {
    return Put(out, std::string_view(last.text, last.length));
  }
  char* end = WriteShortest(out, value);
  last.value = value;
  last.length = static_cast<std::uint8_t>(end - out);
  std::memcpy(last.text, out, last.length);
  return end;
}

char* TableFormatter::PutText(char* out, std::string_view text) const {
  if (format_ == TableFormat::kCsv) {
    if (!NeedsCsvQuotes(text)) return Put(out, text);
    *out++ = '"';
    for (char c : text) {
      if (c == '"') *out++ = '"';
      *out++ = c;
    }
    *out++ = '"';
    return out;
  }
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
  return out;
}

std::size_t TableFormatter::RowBytes(const TableRow& row) const {
  const std::string_view error = error_text_ != nullptr ? error_text_(row.error) : row.error;
  // A text byte takes at most six ("\u001f"); the code, ASCII letters and underscores, is
  // written quoted or as null.
  constexpr std::size_t kCodeKey = std::string_view(",\"error_code\":").size();
  return row_budget_ + 6 * error.size() + kCodeKey +
         std::max<std::size_t>(4, row.error_code.size() + 2);
}

void TableFormatter::Write(const TableRow& row, TextBuffer& buffer) {
  char* out = buffer.Reserve(RowBytes(row));
  const std::string_view error = error_text_ != nullptr ? error_text_(row.error) : row.error;
  const bool json = format_ == TableFormat::kJsonLines;
  if (json) *out++ = '{';
  bool first = true;
  // The gas-quality figures of the row's mole fractions, formed once for the row when a
  // column shows one; none when the row has no properties or the figures cannot be formed.
  std::optional<GasQuality> quality;
  bool quality_formed = false;
  for (std::size_t slot = 0; slot < columns_.size(); ++slot) {
    const std::size_t c = columns_[slot];
    if (json) {
      out = Put(out, first ? "\"" : ",\"");
      out = Put(out, TableColumnName(c));
      out = Put(out, "\":");
    } else if (!first) {
      *out++ = ',';
    }
    first = false;
    if (c == kFitRangeColumn) {
      if (row.properties != nullptr) {
        *out++ = OutsideFitRange(row) ? '0' : '1';
      } else if (json) {
        out = Put(out, "null");
      }
      continue;
    }
    double value = 0;
    bool known = false;
    if (c >= kGasQualityFirstColumn) {
      if (!quality_formed && row.properties != nullptr) {
        try {
          quality = ComputeGasQuality(row.properties->mole_fraction);
        } catch (const std::exception&) {
          quality.reset();
        }
      }
      quality_formed = true;
      if (quality) {
        value = (*quality).*kGasQualityQuantities[c - kGasQualityFirstColumn].value;
        known = std::isfinite(value);
      }
    } else if (c < kInputColumns) {
      value = c == 0 ? row.pressure : c == 1 ? row.temperature_k : row.temperature_c;
      known = row.inputs_known && std::isfinite(value);
    } else if (row.properties != nullptr) {
      value = ValueOf(c, *row.properties);
      known = std::isfinite(value);
    }
    if (known) {
      out = PutNumber(out, slot, value);
    } else if (json) {
      out = Put(out, "null");
    }
  }
  if (json) {
    out = Put(out, first ? "\"error\":" : ",\"error\":");
    out = error.empty() ? Put(out, "null") : PutText(out, error);
    out = Put(out, ",\"error_code\":");
    out = row.error_code.empty() ? Put(out, "null") : PutText(out, row.error_code);
    out = Put(out, "}\n");
  } else {
    if (!first) *out++ = ',';
    out = PutText(out, error);
    *out++ = '\n';
  }
  buffer.EndAt(out);
}

TableWriter::TableWriter(std::ostream& out, std::vector<std::size_t> columns, TableFormat format,
                         ErrorText error_text)
    : out_(out), formatter_(std::move(columns), format, error_text) {
  buffer_.Reserve(kBufferSize);
  formatter_.WriteHeader(buffer_);
}

TableWriter::~TableWriter() {
  Flush();
}

bool TableWriter::Flush() {
  if (!failed_ && buffer_.size() > 0) {
    out_.write(buffer_.view().data(), static_cast<std::streamsize>(buffer_.size()));
  }
  buffer_.Clear();
  if (!failed_) out_.flush();
  failed_ = failed_ || out_.fail();
  return !failed_;
}

void TableWriter::Write(const TableRow& row) {
  if (buffer_.size() + formatter_.RowBytes(row) > kBufferSize) Flush();
  formatter_.Write(row, buffer_);
}

void TableWriter::WriteText(std::string_view text) {
  // Small texts gather in the buffer; a chunk of rows goes to the stream as it is, uncopied.
  if (text.size() < kDirectWrite && buffer_.size() + text.size() <= kBufferSize) {
    if (text.empty()) return;  // an empty view may hold no pointer, which memcpy must not see
    char* end = buffer_.Reserve(text.size());
    std::memcpy(end, text.data(), text.size());
    buffer_.EndAt(end + text.size());
    return;
  }
  if (!Flush()) return;
  out_.write(text.data(), static_cast<std::streamsize>(text.size()));
  failed_ = out_.fail();
}

bool OutsideFitRange(const TableRow& row) {
  return row.properties != nullptr && !InPropertyFitRange(row.temperature_k);
}

void TableCounts::Count(const TableRow& row) {
  ++rows;
  if (!row.error.empty()) ++failed;
  if (OutsideFitRange(row)) ++outside_fit_range;
}

void TableCounts::Add(const TableCounts& more) {
  rows += more.rows;
  failed += more.failed;
  outside_fit_range += more.outside_fit_range;
}

void FormattedRows::Format(const std::vector<TableRow>& rows, const TableWriter& writer) {
  if (!formatter) formatter.emplace(writer.NewFormatter());
  text.Clear();
  counts = {};
  for (const TableRow& row : rows) {
    formatter->Write(row, text);
    counts.Count(row);
  }
}

bool FormattedRows::WriteTo(TableWriter& writer, TableCounts& total) const {
  writer.WriteText(text.view());
  total.Add(counts);
  return !writer.failed();
}

}  // namespace toluvek
