#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tools/converters/converter_window_models.hpp"
#include "tools/converters/heat_converter.hpp"
#include "tools/converters/pressure_converter.hpp"
#include "tools/converters/temperature_converter.hpp"

namespace toluvek {
namespace {

template <std::size_t N>
std::vector<std::string> Texts(const std::array<ConverterRow, N>& rows) {
  std::vector<std::string> texts;
  for (const ConverterRow& row : rows) texts.push_back(row.text);
  return texts;
}

template <std::size_t N>
std::vector<bool> Visible(const std::array<ConverterRow, N>& rows) {
  std::vector<bool> visible;
  for (const ConverterRow& row : rows) visible.push_back(row.visible);
  return visible;
}

struct PressureCase {
  const char* name;
  const char* input;
  PressureConverterUnit unit;
  std::vector<std::string> texts;  // Pa, mmAq, Torr, kgf/mm2, atm
};

// Shown in test listings instead of the case's raw bytes.
void PrintTo(const PressureCase& c, std::ostream* os) {
  *os << c.name;
}

class PressureConverterTest : public testing::TestWithParam<PressureCase> {};

TEST_P(PressureConverterTest, ShowsEveryUnitAndHidesTheChosenOne) {
  const PressureCase& c = GetParam();
  const PressureRecalculation result =
      RecalculatePressure(InitialPressureRows(), c.input, c.unit, ConverterTrigger::kTextChange);
  EXPECT_TRUE(result.converted);
  EXPECT_TRUE(ConverterMessages(result.notice).empty());
  EXPECT_EQ(Texts(result.rows), c.texts);
  std::vector<bool> visible(5, true);
  visible[static_cast<std::size_t>(c.unit)] = false;
  EXPECT_EQ(Visible(result.rows), visible);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PressureConverterTest,
    testing::Values(PressureCase{"OneAtmosphere",
                                 "1",
                                 PressureConverterUnit::kAtm,
                                 {"1.01325E+005 [Pa]", "1.03323E+004 [mmAq]", "7.60000E+002 [Torr]",
                                  "1.03323E-002 [kgf/mm2]", "1.00000E+000 [atm]"}},
                    PressureCase{"ZeroPascal",
                                 "0",
                                 PressureConverterUnit::kPa,
                                 {"0.00000E+000 [Pa]", "0.00000E+000 [mmAq]", "0.00000E+000 [Torr]",
                                  "0.00000E+000 [kgf/mm2]", "0.00000E+000 [atm]"}},
                    PressureCase{"OneMmAq",
                                 "1",
                                 PressureConverterUnit::kMmAq,
                                 {"9.80665E+000 [Pa]", "1.00000E+000 [mmAq]", "7.35559E-002 [Torr]",
                                  "1.00000E-006 [kgf/mm2]", "9.67841E-005 [atm]"}},
                    PressureCase{"OneTorr",
                                 " 1 ",
                                 PressureConverterUnit::kTorr,
                                 {"1.33322E+002 [Pa]", "1.35951E+001 [mmAq]", "1.00000E+000 [Torr]",
                                  "1.35951E-005 [kgf/mm2]", "1.31579E-003 [atm]"}},
                    PressureCase{"OneKgfPerSquareMm",
                                 "1",
                                 PressureConverterUnit::kKgfMm2,
                                 {"9.80665E+006 [Pa]", "1.00000E+006 [mmAq]", "7.35559E+004 [Torr]",
                                  "1.00000E+000 [kgf/mm2]", "9.67841E+001 [atm]"}}),
    [](const testing::TestParamInfo<PressureCase>& info) { return info.param.name; });

TEST(PressureConverterTest, UnreadableTextShowsAllRowsWithTheirLastValues) {
  const PressureRows shown =
      RecalculatePressure(InitialPressureRows(), "1", PressureConverterUnit::kAtm,
                          ConverterTrigger::kTextChange)
          .rows;
  const struct {
    PressureConverterUnit unit;
    ConverterTrigger trigger;
    bool error;
  } cases[] = {
      {PressureConverterUnit::kAtm, ConverterTrigger::kTextChange, false},
      {PressureConverterUnit::kAtm, ConverterTrigger::kOptionClick, true},
      {PressureConverterUnit::kMmAq, ConverterTrigger::kOptionClick, true},
      {PressureConverterUnit::kTorr, ConverterTrigger::kOptionClick, true},
      {PressureConverterUnit::kKgfMm2, ConverterTrigger::kOptionClick, true},
      {PressureConverterUnit::kPa, ConverterTrigger::kOptionClick, false},
  };
  for (const char* input : {"", "abc", "1.2.3"}) {
    for (const auto& c : cases) {
      const PressureRecalculation result = RecalculatePressure(shown, input, c.unit, c.trigger);
      EXPECT_FALSE(result.converted);
      EXPECT_EQ(Texts(result.rows), Texts(shown));
      EXPECT_EQ(Visible(result.rows), std::vector<bool>(5, true));
      EXPECT_EQ(ConverterMessages(result.notice),
                c.error ? std::vector<Message>{Message{"エラー!"}} : std::vector<Message>{})
          << input << " " << static_cast<int>(c.unit);
    }
  }
}

TEST(PressureConverterTest, OverflowInAnyUnitEmptiesEveryRow) {
  const PressureRows shown =
      RecalculatePressure(InitialPressureRows(), "1e30", PressureConverterUnit::kPa,
                          ConverterTrigger::kTextChange)
          .rows;
  const struct {
    const char* input;
    PressureConverterUnit unit;
    ConverterTrigger trigger;
    bool error;
  } cases[] = {
      // p × 760 overflows for the Torr row, after the Pa and mmAq rows could be written.
      {"1e308", PressureConverterUnit::kPa, ConverterTrigger::kTextChange, false},
      {"1e308", PressureConverterUnit::kPa, ConverterTrigger::kOptionClick, false},
      {"1E+306", PressureConverterUnit::kMmAq, ConverterTrigger::kOptionClick, true},
      {"1e306", PressureConverterUnit::kTorr, ConverterTrigger::kOptionClick, true},
      // The conversion to Pa itself overflows.
      {"1e303", PressureConverterUnit::kKgfMm2, ConverterTrigger::kTextChange, false},
      {"-1e308", PressureConverterUnit::kAtm, ConverterTrigger::kOptionClick, true},
  };
  for (const auto& c : cases) {
    const PressureRecalculation result = RecalculatePressure(shown, c.input, c.unit, c.trigger);
    EXPECT_FALSE(result.converted) << c.input;
    EXPECT_EQ(Texts(result.rows), std::vector<std::string>(5, "")) << c.input;
    EXPECT_EQ(Visible(result.rows), std::vector<bool>(5, true)) << c.input;
    EXPECT_EQ(ConverterMessages(result.notice),
              c.error ? std::vector<Message>{Message{"エラー!"}} : std::vector<Message>{})
        << c.input;
  }
}

struct TemperatureCase {
  const char* input;
  TemperatureConverterUnit unit;
  std::vector<std::string> texts;  // ℃, ℉, °R
  bool warning;
};

// Shown in test listings instead of the case's raw bytes: the input and its scale.
void PrintTo(const TemperatureCase& c, std::ostream* os) {
  const char* scale = c.unit == TemperatureConverterUnit::kCelsius      ? "C"
                      : c.unit == TemperatureConverterUnit::kFahrenheit ? "F"
                                                                        : "R";
  *os << c.input << " deg" << scale;
}

class TemperatureConverterTest : public testing::TestWithParam<TemperatureCase> {};

TEST_P(TemperatureConverterTest, ShowsEveryScaleAndWarnsBelowAbsoluteZero) {
  const TemperatureCase& c = GetParam();
  const TemperatureRecalculation result =
      RecalculateTemperature(InitialTemperatureRows(), c.input, c.unit);
  EXPECT_TRUE(result.converted);
  EXPECT_EQ(Texts(result.rows), c.texts);
  std::vector<bool> visible(3, true);
  visible[static_cast<std::size_t>(c.unit)] = false;
  EXPECT_EQ(Visible(result.rows), visible);
  EXPECT_EQ(
      ConverterMessages(result.notice),
      c.warning ? std::vector<Message>{Message{"絶対零度以下です!"}} : std::vector<Message>{});
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TemperatureConverterTest,
    testing::Values(TemperatureCase{"100",
                                    TemperatureConverterUnit::kCelsius,
                                    {"100.00 [ﾟC]", "212.00 [ﾟF]", "671.67 [ﾟR]"},
                                    false},
                    TemperatureCase{"32",
                                    TemperatureConverterUnit::kFahrenheit,
                                    {"0.00 [ﾟC]", "32.00 [ﾟF]", "491.67 [ﾟR]"},
                                    false},
                    // (0 − 459.67 − 32) × 5 ÷ 9 is −273.15 exactly: no warning.
                    TemperatureCase{"0",
                                    TemperatureConverterUnit::kRankine,
                                    {"-273.15 [ﾟC]", "-459.67 [ﾟF]", "0.00 [ﾟR]"},
                                    false},
                    TemperatureCase{"-1",
                                    TemperatureConverterUnit::kRankine,
                                    {"-273.71 [ﾟC]", "-460.67 [ﾟF]", "-1.00 [ﾟR]"},
                                    true},
                    TemperatureCase{"-300",
                                    TemperatureConverterUnit::kCelsius,
                                    {"-300.00 [ﾟC]", "-508.00 [ﾟF]", "-48.33 [ﾟR]"},
                                    true}));

TEST(TemperatureConverterTest, UnreadableTextIsSilentAndKeepsTheRows) {
  const TemperatureRows initial = InitialTemperatureRows();
  EXPECT_EQ(Texts(initial), (std::vector<std::string>{" 0 [゜C]", " 0 [゜F]", " 0 [゜R]"}));
  const TemperatureRows shown =
      RecalculateTemperature(initial, "100", TemperatureConverterUnit::kCelsius).rows;
  for (const char* input : {"", "-", "12 34"}) {
    const TemperatureRecalculation result =
        RecalculateTemperature(shown, input, TemperatureConverterUnit::kFahrenheit);
    EXPECT_FALSE(result.converted);
    EXPECT_TRUE(ConverterMessages(result.notice).empty());
    EXPECT_EQ(Texts(result.rows), Texts(shown));
    EXPECT_EQ(Visible(result.rows), std::vector<bool>(3, true));
  }
}

TEST(TemperatureConverterTest, OverflowOnAnyScaleEmptiesEveryRowSilently) {
  const TemperatureRows shown =
      RecalculateTemperature(InitialTemperatureRows(), "9e30", TemperatureConverterUnit::kCelsius)
          .rows;
  const struct {
    const char* input;
    TemperatureConverterUnit unit;
  } cases[] = {
      // t × 9 overflows for the ℉ row, after the ℃ row could be written.
      {"9e307", TemperatureConverterUnit::kCelsius},
      // Far below absolute zero, but no row is shown to warn about.
      {"-1e308", TemperatureConverterUnit::kCelsius},
      // The conversion to ℃ itself overflows.
      {"1e308", TemperatureConverterUnit::kFahrenheit},
  };
  for (const auto& c : cases) {
    const TemperatureRecalculation result = RecalculateTemperature(shown, c.input, c.unit);
    EXPECT_FALSE(result.converted) << c.input;
    EXPECT_TRUE(ConverterMessages(result.notice).empty()) << c.input;
    EXPECT_EQ(Texts(result.rows), std::vector<std::string>(3, "")) << c.input;
    EXPECT_EQ(Visible(result.rows), std::vector<bool>(3, true)) << c.input;
  }
}

TEST(HeatConverterTest, ConvertsPowerAndEnergy) {
  EXPECT_EQ(RecalculatePower("", "1", PowerUnit::kKcalPerHour, ConverterTrigger::kTextChange).label,
            "1.1628E+000 [W]");
  EXPECT_EQ(RecalculatePower("", "1", PowerUnit::kWatt, ConverterTrigger::kTextChange).label,
            "8.6000E-001 [kcal/h]");
  EXPECT_EQ(RecalculateEnergy("", "1", EnergyUnit::kCalorie, ConverterTrigger::kTextChange).label,
            "4.18605E+000 [J]");
  EXPECT_EQ(RecalculateEnergy("", "1", EnergyUnit::kJoule, ConverterTrigger::kTextChange).label,
            "2.38889E-001 [cal]");
  EXPECT_EQ(RecalculateEnergy("", "0", EnergyUnit::kJoule, ConverterTrigger::kTextChange).label,
            "0.00000E+000 [cal]");
}

TEST(HeatConverterTest, UnreadableTextComplainsOnlyOnClickOrEnter) {
  const struct {
    ConverterTrigger trigger;
    bool message;
  } cases[] = {{ConverterTrigger::kTextChange, false},
               {ConverterTrigger::kOptionClick, true},
               {ConverterTrigger::kEnterKey, true}};
  for (const auto& c : cases) {
    for (const char* input : {"abc", "", "1E+308"}) {
      // 1E+308 kcal/h overflows in the conversion to watts like an unreadable text.
      const HeatRecalculation power =
          RecalculatePower("1.1628E+000 [W]", input, PowerUnit::kKcalPerHour, c.trigger);
      EXPECT_FALSE(power.converted);
      EXPECT_EQ(power.label, "1.1628E+000 [W]");
      EXPECT_EQ(ConverterMessages(power.notice),
                c.message ? std::vector<Message>{Message{"入力値を確認下さい。"}}
                          : std::vector<Message>{})
          << input;
    }
    const HeatRecalculation energy =
        RecalculateEnergy("4.18605E+000 [J]", "x", EnergyUnit::kCalorie, c.trigger);
    EXPECT_EQ(energy.label, "4.18605E+000 [J]");
    EXPECT_EQ(ConverterMessages(energy.notice).empty(), !c.message);
  }
}

}  // namespace
}  // namespace toluvek
