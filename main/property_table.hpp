#pragma once
// Property tables: the mixture calculation over many states, one row per state, written as
// CSV (RFC 4180) or JSON lines. Rows go into one large buffer that is handed to the stream
// when full, so a table of millions of states streams in flat memory and no row allocates.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/mixture.hpp"
#include "main/platform.hpp"
#include "main/units.hpp"

namespace toluvek {

// The twelve amounts of a state as the calculate command reads its fields.
struct AmountsInput {
  enum class Status { kRead, kEmpty, kNotANumber };
  Status status = Status::kRead;
  SpeciesArray values{};
};

// Reads amount texts as the calculate command does: any empty text first, then each strictly.
AmountsInput ReadAmounts(const std::array<std::string, kSpeciesCount>& texts);

// The calculate command's checks, in its order, on a pressure in Pa and a temperature in K
// converted from their units (a conversion that overflowed or a text that was not a number
// arrives as an infinity or NaN). Returns the message of the first that fails, or null.
const Message* CheckState(double pressure, double temperature, const AmountsInput& amounts);

// CheckState, then the mixture calculation into `result`. Returns the message the main window
// shows for this state, or null when every result was produced.
const Message* EvaluateState(double pressure, double temperature, const AmountsInput& amounts,
                             MixtureResult& result);

// Columns: the inputs and the mixture's results, then the six per-species quantities, each
// for the twelve species in species order, then whether the row's properties hold.
inline constexpr std::size_t kTableMixtureColumns = 12;
// "in_fit_range": 1 when the row's temperature lies where the fits of cp, λ and μ hold, 0
// where its properties are extrapolated, empty when the row has no properties.
inline constexpr std::size_t kFitRangeColumn = kTableMixtureColumns + 6 * kSpeciesCount;
inline constexpr std::size_t kTableColumnCount = kFitRangeColumn + 1;

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
};

enum class TableFormat { kCsv, kJsonLines };

class TableWriter {
 public:
  // Writes the CSV header at once.
  TableWriter(std::ostream& out, std::vector<std::size_t> columns, TableFormat format);
  TableWriter(const TableWriter&) = delete;
  TableWriter& operator=(const TableWriter&) = delete;
  ~TableWriter();

  void Write(const TableRow& row);
  // Hands the buffered rows to the stream; false when the stream has failed, now or before.
  bool Flush();
  // Whether a write to the stream has failed: the rows after it cannot reach their reader.
  bool failed() const { return failed_; }

 private:
  void Need(std::size_t bytes);
  void Put(std::string_view text);
  // Writes the number of the column at `slot`; a column that repeats its last value (the
  // pressure, molar mass and gas constant of a temperature sweep) reuses its text.
  void PutNumber(std::size_t slot, double value);
  void PutText(std::string_view text);  // quoted as CSV or JSON needs

  std::ostream& out_;
  std::vector<std::size_t> columns_;
  TableFormat format_;
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_;
  std::size_t used_ = 0;
  std::size_t row_budget_;  // room a row needs besides its error text
  bool failed_ = false;
  struct LastNumber {
    double value = 0;
    std::uint8_t length = 0;  // 0: none yet
    char text[32];
  };
  std::vector<LastNumber> last_;
};

// Evenly spaced values from `from` towards `to`: both ends included where the steps land on
// them (within rounding), each value rounded to 15 significant digits as a person types it.
struct Sweep {
  double from = 0;
  double step = 0;
  double to = 0;
  std::uint64_t count = 1;
  bool lands_on_end = true;
  double scale = 0;  // 10^d when `from` and `step` have at most d decimals; 0: none found
  double At(std::uint64_t i) const;
};

inline constexpr std::uint64_t kMaxTableRows = 10'000'000;

// A single value: a sweep of one.
Sweep SingleValue(double value);
// Empty text when the sweep is sound, else why not: a step of 0, a step against the direction,
// more than kMaxTableRows values.
std::string MakeSweep(double from, double to, double step, Sweep& sweep);

// Whether each value of the sweep differs from the one before once `to_state` has converted it
// to what the calculation reads (Pa, K). A step below the precision of the values (1e-7 on
// 1234567890) gives the same state row after row. Values that are not finite are left to
// fail in their rows.
bool ConsecutiveStatesDiffer(const Sweep& sweep, const std::function<double(double)>& to_state);

// A sweep over temperature (fastest) and pressure, each in its unit, for one set of amounts.
struct SweepRequest {
  Sweep pressure;  // NaN values: a pressure text that was not a number
  PressureUnit pressure_unit = PressureUnit::kPa;
  Sweep temperature;
  TemperatureUnit temperature_unit = TemperatureUnit::kCelsius;
  AmountsInput amounts;
};

// One state in the units of the main window, converted as the calculate command converts.
TableRow StateRow(double pressure, PressureUnit pressure_unit, double temperature,
                  TemperatureUnit temperature_unit);

// Calculates the row in place: properties and error filled in. Returns false when it failed.
bool CalculateRow(TableRow& row, const AmountsInput& amounts, MixtureResult& scratch);

// Whether the row shows properties at a temperature where the fits of cp, λ and μ do not hold.
bool OutsideFitRange(const TableRow& row);

// What a table's rows came to.
struct TableCounts {
  std::uint64_t rows = 0;               // written
  std::uint64_t failed = 0;             // with an error
  std::uint64_t outside_fit_range = 0;  // with extrapolated properties
  void Count(const TableRow& row);
};

// Writes every state of the sweep, stopping at the first write that fails.
TableCounts WriteSweep(const SweepRequest& request, TableWriter& writer);

}  // namespace toluvek
