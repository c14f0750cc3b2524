#pragma once
// States to calculate, read as CSV: a header naming the columns pressure, pressure_unit,
// temperature, temperature_unit and any of the twelve species labels (an absent species is 0),
// then one state per line. The reader streams: it holds one buffer and one line at a time.
//
// pressure_unit is one of kEngineeringPressureUnits (Pa, kPa, MPa, bar, atm, kgf/cm2, mmHg),
// or one of them followed by " gauge" (one blank) for a reading above kGaugeReference. An
// absolute Pa, atm or kgf/cm2 stays in its unit, as the main window takes it; any other
// reading is converted to absolute Pa as the command line's --pressure-unit converts it, and a
// conversion that overflows is an error of its line.
//
// A field may be quoted as RFC 4180 describes ("" for a quote inside), but no field of a
// state holds a line break, so a quote still open at the end of its line is an error of that
// line rather than a field that swallows the rest of the file.
//
// Lines are taken from the input in order (BatchReader::NextLine) and may be read into states
// elsewhere, on other threads, by copies of the reader's BatchLineParser.

#include <cstdint>
#include <deque>
#include <istream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tables/property_table.hpp"

namespace toluvek {

inline constexpr std::size_t kMaxBatchLineBytes = std::size_t{64} * 1024;

// One data line: the state in the units it names, or what is wrong with the line.
struct BatchState {
  std::uint64_t line = 0;  // 1 is the header
  std::string error;       // "line 7: temperature is not a number"; empty when read
  double pressure = 0;     // in pressure_unit: absolute Pa for a unit the main window lacks
  PressureUnit pressure_unit = PressureUnit::kPa;
  double temperature = 0;
  TemperatureUnit temperature_unit = TemperatureUnit::kCelsius;
  AmountsInput amounts;
};

// A data line as taken from the input, before it is read.
struct BatchLine {
  std::uint64_t number = 0;  // 1 is the header
  bool too_long = false;     // longer than kMaxBatchLineBytes; `text` is then empty
  std::string_view text;     // without its line end
};

// Reads data lines into states, by the columns of a header.
class BatchLineParser {
 public:
  // Reads the header's fields; returns what is wrong with them (`unknown column "x"`), empty
  // when every required column is named once and no column is unknown.
  std::string ReadHeader(std::string_view line);
  void Parse(const BatchLine& line, BatchState& state);

 private:
  // Splits a line into fields_; returns an error text, empty when sound.
  std::string_view Split(std::string_view line);

  std::vector<std::string_view> fields_;  // reused line after line
  // The texts of quoted fields that hold a doubled quote, by field; a deque, so that a field
  // added does not move the texts of those before it.
  std::deque<std::string> unquoted_;
  std::size_t field_count_ = 0;
  // For each header column: the role (see batch_input.cpp); and the header's names.
  std::vector<int> roles_;
  std::vector<std::string> names_;
};

class BatchReader {
 public:
  explicit BatchReader(std::istream& in);

  // Reads the header line. Returns what is wrong with it ("line 1: no column temperature"),
  // empty when every required column is named once and no column is unknown.
  std::string ReadHeader();

  // Reads the next data line into `state`, passing over blank lines (a spreadsheet's export
  // often ends with one); false at the end of the input.
  bool Next(BatchState& state);

  // The next data line, passing over blank lines, for a copy of parser() to read; its text
  // stays valid until the next call. False at the end of the input.
  bool NextLine(BatchLine& line);
  const BatchLineParser& parser() const { return parser_; }

 private:
  enum class LineStatus { kRead, kTooLong, kEnd };
  // The next line, or kTooLong once it passes the limit: read on to its end when
  // `skip_too_long`, so that the next line can be read, else at once.
  LineStatus TakeLine(std::string_view& line, bool skip_too_long);

  std::istream& in_;
  std::unique_ptr<char[]> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool eof_ = false;
  std::uint64_t line_number_ = 0;
  BatchLineParser parser_;
};

}  // namespace toluvek
