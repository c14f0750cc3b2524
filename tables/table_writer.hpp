#pragma once
// Property tables as text: one row per state, written as CSV (RFC 4180) or JSON lines. Rows
// are formatted into a buffer that is handed to the stream when full, so a table of millions of
// states streams in flat memory and no row allocates. Rows may also be formatted in chunks on
// other threads (TableFormatter) and handed to the writer as text, in order.

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/mixture.hpp"
#include "main/gas_quality.hpp"

namespace toluvek {

// Columns: the inputs and the mixture's results, then the six per-species quantities, each
// for the twelve species in species order, then whether the row's properties hold.
inline constexpr std::size_t kTableMixtureColumns = 12;
// "in_fit_range": 1 when the row's temperature lies where the fits of cp, λ and μ hold, 0
// where its properties are extrapolated, empty when the row has no properties.
inline constexpr std::size_t kFitRangeColumn = kTableMixtureColumns + 6 * kSpeciesCount;
// Then the gas-quality figures of the row's composition (kGasQualityQuantities), chosen by name.
inline constexpr std::size_t kGasQualityFirstColumn = kFitRangeColumn + 1;
inline constexpr std::size_t kTableColumnCount =
    kGasQualityFirstColumn + std::size(kGasQualityQuantities);

// The header name of a column, with its SI unit: "pressure_Pa", "cp_J_per_kg_K",
// "mole_fraction_H2", "cp_H2_J_per_kg_K".
const std::string& TableColumnName(std::size_t column);
std::optional<std::size_t> FindTableColumn(std::string_view name);
std::vector<std::size_t> DefaultTableColumns();  // the twelve mixture columns, in_fit_range
std::vector<std::size_t> SpeciesTableColumns();  // the 72 per-species columns

// The last column of every table: the message of a state that failed, empty otherwise.
inline constexpr std::string_view kErrorColumn = "error";

// What one row shows.
struct TableRow {
  bool inputs_known = false;                      // pressure and temperatures written
  double pressure = 0;                            // Pa
  double temperature_k = 0;                       // K
  double temperature_c = 0;                       // ℃
  const MixtureProperties* properties = nullptr;  // null: the values are empty
  std::string_view error;                         // empty when the state was calculated
  std::string_view error_code = {};  // the error's stable name for scripts ("negative_pressure")
};

// The error text as written, such as the text in another language; it must outlive the table.
using ErrorText = std::string_view (*)(std::string_view text);

// What a batch line that could not be read gives as its error code.
inline constexpr std::string_view kUnreadableRowCode = "unreadable_row";

enum class TableFormat { kCsv, kJsonLines };

// Text that grows at its end, without filling the room it reserves first.
class TextBuffer {
 public:
  // Room for `bytes` more at the end; returns where they go. Moves the text when it grows.
  char* Reserve(std::size_t bytes);
  // Ends the text at `end`, a place within the room reserved last.
  void EndAt(const char* end) { size_ = static_cast<std::size_t>(end - data_.get()); }
  std::string_view view() const { return {data_.get(), size_}; }
  std::size_t size() const { return size_; }
  void Clear() { size_ = 0; }

 private:
  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

// Formats rows of the given columns as text. A formatter per thread: it keeps the last text of
// each column, which does not change what it writes.
class TableFormatter {
 public:
  // JSON lines carry the error's code beside its text, as "error_code".
  TableFormatter(std::vector<std::size_t> columns, TableFormat format,
                 ErrorText error_text = nullptr);

  // The CSV header line; nothing for JSON lines.
  void WriteHeader(TextBuffer& out) const;
  void Write(const TableRow& row, TextBuffer& out);

  const std::vector<std::size_t>& columns() const { return columns_; }
  TableFormat format() const { return format_; }
  ErrorText error_text() const { return error_text_; }
  // The most the row's text takes.
  std::size_t RowBytes(const TableRow& row) const;

 private:
  // Writes the number of the column at `slot`; a column that repeats its last value (the
  // pressure, molar mass and gas constant of a temperature sweep) reuses its text.
  char* PutNumber(char* out, std::size_t slot, double value);
  char* PutText(char* out, std::string_view text) const;  // quoted as CSV or JSON needs

  std::vector<std::size_t> columns_;
  TableFormat format_;
  ErrorText error_text_;
  std::size_t row_budget_;  // the most a row takes besides its error
  struct LastNumber {
    double value = 0;
    std::uint8_t length = 0;  // 0: none yet
    char text[32];
  };
  std::vector<LastNumber> last_;
};

class TableWriter {
 public:
  // Writes the CSV header at once.
  TableWriter(std::ostream& out, std::vector<std::size_t> columns, TableFormat format,
              ErrorText error_text = nullptr);
  TableWriter(const TableWriter&) = delete;
  TableWriter& operator=(const TableWriter&) = delete;
  ~TableWriter();

  void Write(const TableRow& row);
  // Rows a TableFormatter of the same columns and format has written, after the rows before.
  void WriteText(std::string_view text);
  // Hands the buffered rows to the stream; false when the stream has failed, now or before.
  bool Flush();
  // Whether a write to the stream has failed: the rows after it cannot reach their reader.
  bool failed() const { return failed_; }

  // A formatter for rows written elsewhere, with this writer's columns and format.
  TableFormatter NewFormatter() const {
    return TableFormatter(formatter_.columns(), formatter_.format(), formatter_.error_text());
  }

 private:
  std::ostream& out_;
  TableFormatter formatter_;
  TextBuffer buffer_;
  bool failed_ = false;
};

// Whether the row shows properties at a temperature where the fits of cp, λ and μ do not hold.
bool OutsideFitRange(const TableRow& row);

// What a table's rows came to.
struct TableCounts {
  std::uint64_t rows = 0;               // written
  std::uint64_t failed = 0;             // with an error
  std::uint64_t outside_fit_range = 0;  // with extrapolated properties
  void Count(const TableRow& row);
  void Add(const TableCounts& more);
};

// A chunk of rows formatted on a worker thread, then written in its turn by the one writer.
struct FormattedRows {
  std::optional<TableFormatter> formatter;  // made once per chunk, then reused
  TextBuffer text;
  TableCounts counts;

  // Formats `rows` with the columns and format of `writer`, replacing what was formatted before.
  void Format(const std::vector<TableRow>& rows, const TableWriter& writer);
  // Writes the text after the rows before and adds the counts to `total`; false once the
  // stream has failed.
  bool WriteTo(TableWriter& writer, TableCounts& total) const;
};

}  // namespace toluvek
