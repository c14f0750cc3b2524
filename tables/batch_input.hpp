#pragma once
// States to calculate, read as CSV: a header naming the columns pressure, pressure_unit,
// temperature, temperature_unit and any of the twelve species labels (an absent species is 0),
// then one state per line. The reader streams: it holds one buffer and one line at a time.
//
// A field may be quoted as RFC 4180 describes ("" for a quote inside), but no field of a
// state holds a line break, so a quote still open at the end of its line is an error of that
// line rather than a field that swallows the rest of the file.

#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tables/property_table.hpp"

namespace toluvek {

inline constexpr std::size_t kMaxBatchLineBytes = 64 * 1024;

// One data line: the state in the units it names, or what is wrong with the line.
struct BatchState {
  std::uint64_t line = 0;  // 1 is the header
  std::string error;       // "line 7: temperature is not a number"; empty when read
  double pressure = 0;
  PressureUnit pressure_unit = PressureUnit::kPa;
  double temperature = 0;
  TemperatureUnit temperature_unit = TemperatureUnit::kCelsius;
  AmountsInput amounts;
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

 private:
  enum class LineStatus { kRead, kTooLong, kEnd };
  // The next line, or kTooLong once it passes the limit: read on to its end when
  // `skip_too_long`, so that the next line can be read, else at once.
  LineStatus NextLine(std::string_view& line, bool skip_too_long);
  // Splits a line into fields_; returns an error text, empty when sound.
  std::string_view Split(std::string_view line);

  std::istream& in_;
  std::unique_ptr<char[]> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool eof_ = false;
  std::uint64_t line_number_ = 0;
  std::vector<std::string> fields_;  // reused line after line
  std::size_t field_count_ = 0;
  // For each header column: the role (see batch_input.cpp); and the header's names.
  std::vector<int> roles_;
  std::vector<std::string> names_;
};

}  // namespace toluvek
