#include "tables/batch_input.hpp"

#include <algorithm>
#include <sstream>
#include <streambuf>

#include <gtest/gtest.h>

namespace toluvek {
namespace {

std::vector<BatchState> ReadAll(const std::string& text, std::string* header_error = nullptr) {
  std::istringstream in(text);
  BatchReader reader(in);
  const std::string error = reader.ReadHeader();
  if (header_error != nullptr) *header_error = error;
  std::vector<BatchState> states;
  BatchState state;
  while (error.empty() && reader.Next(state)) states.push_back(state);
  return states;
}

TEST(BatchInput, ReadsStatesWithQuotesUnitsAndAbsentSpecies) {
  const auto states = ReadAll(
      "\xEF\xBB\xBFpressure,pressure_unit,temperature,temperature_unit,N2,O2\r\n"
      "1,atm,300,K,79,21\r\n"
      "\"2\",\"kgf/cm2\", 25 ,C,\"1\",0");
  ASSERT_EQ(states.size(), 2u);
  EXPECT_EQ(states[0].error, "");
  EXPECT_EQ(states[0].line, 2u);
  EXPECT_EQ(states[0].pressure_unit, PressureUnit::kAtm);
  EXPECT_EQ(states[0].temperature_unit, TemperatureUnit::kKelvin);
  EXPECT_EQ(states[0].temperature, 300);
  const SpeciesArray air{0, 21, 79, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(states[0].amounts.values, air);
  EXPECT_EQ(states[1].error, "");
  EXPECT_EQ(states[1].pressure, 2);
  EXPECT_EQ(states[1].pressure_unit, PressureUnit::kKgfCm2);
  EXPECT_EQ(states[1].temperature, 25);
  EXPECT_EQ(states[1].amounts.values[kN2], 1);
}

TEST(BatchInput, EachMalformedLineNamesItsLineAndFaultAndTheRestIsRead) {
  const std::string long_line = "1,Pa,20,C," + std::string(kMaxBatchLineBytes, '1');
  const std::string text =
      "pressure,pressure_unit,temperature,temperature_unit,H2\n"
      "1,Pa,20,C\n"           // 2
      "1,Pa,abc,C,1\n"        // 3
      "1,Pa,20,C,\n"          // 4
      "1,Pa,20,C,\"1\n"       // 5
      "1,Pa,20,C,1,2\n"       // 6
      "1,psi,20,C,1\n"        // 7
      "1,Pa,20,F,1\n"         // 8
      "1,Pa,2\"0,C,1\n"       // 9
      "1,Pa,\"20\"x,C,1\n" +  // 10
      long_line +
      "\n" +           // 11
      "\n"             // 12, blank: passed over
      " \t\r\n"        // 13, blank too
      "1,Pa,20,C,1\n"  // 14
      "\r\n";          // 15, the blank line a spreadsheet's export ends with
  const auto states = ReadAll(text);
  const std::vector<std::string> expected = {
      "line 2: missing column H2",
      "line 3: temperature is not a number",
      "line 4: H2 is not a number",
      "line 5: a quote is left open",
      "line 6: more fields than the header's 5",
      "line 7: pressure_unit is not Pa, kPa, MPa, bar, atm, kgf/cm2 or mmHg, absolute or "
      "followed by gauge",
      "line 8: temperature_unit is not C or K",
      "line 9: a quote inside a field that is not quoted",
      "line 10: text follows a closing quote",
      "line 11: longer than 65536 bytes",
      "",
  };
  ASSERT_EQ(states.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(states[i].error, expected[i]);
  EXPECT_EQ(states.back().line, 14u);
}

TEST(BatchInput, EngineeringAndGaugePressuresGoInAsAbsolutePascal) {
  const struct {
    std::string fields;  // pressure_unit,pressure
    PressureUnit unit;
    double pressure;
    std::string error;  // how it begins
  } cases[] = {
      {"Pa,1", PressureUnit::kPa, 1, ""},  // the window's own units stay as typed
      {"atm,2", PressureUnit::kAtm, 2, ""},
      {"kgf/cm2,2", PressureUnit::kKgfCm2, 2, ""},
      {"MPa gauge,0.5", PressureUnit::kPa, 601325, ""},
      {"kPa,101.325", PressureUnit::kPa, 101325, ""},
      {"bar,2", PressureUnit::kPa, 200000, ""},
      {"mmHg,760", PressureUnit::kPa, 101325.01443540001, ""},
      {"Pa gauge,0", PressureUnit::kPa, 101325, ""},
      {"kgf/cm2 gauge,1", PressureUnit::kPa, 199391.5, ""},
      {"\" atm gauge \",-1", PressureUnit::kPa, 0, ""},
      {"MPa,1e303", PressureUnit::kPa, 0,
       "line 2: pressure in MPa is beyond the range of a double in Pa"},
      {"kPa gauge,-1.7976931348623157e308", PressureUnit::kPa, 0,
       "line 2: pressure in kPa gauge is beyond the range of a double in Pa"},
      {"MPa  gauge,1", PressureUnit::kPa, 0, "line 2: pressure_unit is not"},
      {"gauge,1", PressureUnit::kPa, 0, "line 2: pressure_unit is not"},
      {"mpa,1", PressureUnit::kPa, 0, "line 2: pressure_unit is not"},
  };
  for (const auto& c : cases) {
    // The pressure's column after its unit's: the conversion waits for the whole line.
    const auto states =
        ReadAll("pressure_unit,pressure,temperature,temperature_unit\n" + c.fields + ",20,C\n");
    ASSERT_EQ(states.size(), 1u) << c.fields;
    const BatchState& state = states[0];
    if (!c.error.empty()) {
      EXPECT_TRUE(state.error.starts_with(c.error)) << c.fields << ": " << state.error;
      continue;
    }
    EXPECT_EQ(state.error, "") << c.fields;
    EXPECT_EQ(state.pressure_unit, c.unit) << c.fields;
    EXPECT_EQ(state.pressure, c.pressure) << c.fields;
  }
}

TEST(BatchInput, ALineOfExactlyTheLimitIsRead) {
  std::string line = "1,Pa,20,C,1";
  line += std::string(kMaxBatchLineBytes - line.size(), ' ');
  const auto states =
      ReadAll("pressure,pressure_unit,temperature,temperature_unit,H2\n" + line + "\r\n");
  ASSERT_EQ(states.size(), 1u);
  EXPECT_EQ(states[0].error, "");
}

// An input of `size` zero bytes, as /dev/zero gives without end, that counts what is read.
class Zeros : public std::streambuf {
 public:
  explicit Zeros(std::size_t size) : left_(size) {}
  std::size_t taken = 0;

 protected:
  int_type underflow() override {
    if (left_ == 0) return traits_type::eof();
    const std::size_t n = std::min(left_, sizeof(block_));
    left_ -= n;
    taken += n;
    setg(block_, block_, block_ + n);
    return traits_type::to_int_type(block_[0]);
  }

 private:
  std::size_t left_;
  char block_[4096] = {};
};

TEST(BatchInput, AHeaderWithoutEndIsRefusedOnceItPassesTheLimit) {
  Zeros zeros(std::size_t{64} << 20);
  std::istream in(&zeros);
  BatchReader reader(in);
  EXPECT_EQ(reader.ReadHeader(), "line 1: longer than 65536 bytes");
  EXPECT_LT(zeros.taken, std::size_t{1} << 20);
}

TEST(BatchInput, AnUnusableHeaderIsRefused) {
  const std::pair<std::string, std::string> cases[] = {
      {"", "the input is empty: no header line"},
      {"pressure,pressure_unit,temperature\n", "line 1: no column temperature_unit"},
      {"pressure,pressure_unit,temperature,temperature_unit,CO3\n",
       "line 1: unknown column \"CO3\""},
      {"pressure,pressure_unit,temperature,temperature_unit,H2,H2\n",
       "line 1: column H2 is named twice"},
      {"\"pressure,pressure_unit\n", "line 1: a quote is left open"},
  };
  for (const auto& [text, message] : cases) {
    std::string error;
    ReadAll(text, &error);
    EXPECT_EQ(error, message) << text;
  }
}

}  // namespace
}  // namespace toluvek
