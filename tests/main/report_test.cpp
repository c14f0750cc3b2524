#include "main/report.hpp"

#include <gtest/gtest.h>

#include "main/main_window_fields.hpp"
#include "tests/support/fakes.hpp"

namespace toluvek {
namespace {

class Report : public ::testing::Test {
 protected:
  // The report's lines without their CR LF; fails the test when a line end is not CR LF.
  std::vector<std::string> Lines() {
    const std::string report = ResultsReport(window);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < report.size()) {
      const std::size_t end = report.find("\r\n", start);
      if (end == std::string::npos) {
        ADD_FAILURE() << "text after the last CR LF: " << report.substr(start);
        break;
      }
      lines.push_back(report.substr(start, end - start));
      start = end + 2;
    }
    return lines;
  }

  FakePlatform platform;
  MainWindowModel window{platform.Services()};
};

TEST_F(Report, AirAtTwentyDegreesIsTheTwentyLinesExactly) {
  window.SetText(form1::kPressure, "101325");
  window.SetText(form1::kTemperature, "20");
  ASSERT_TRUE(window.Calculate());
  const std::string expected =
      "圧力  1.01325E+005[Pa]    温度  2.0000E+001[℃]\r\n"
      "----- Molar Fraction --------------------\r\n"
      "H2      0.000E+000    O2      2.100E-001\r\n"
      "N2      7.900E-001    CO      0.000E+000\r\n"
      "CO2     0.000E+000    H2O     0.000E+000\r\n"
      "CH3OH   0.000E+000    CH4     0.000E+000\r\n"
      "C2H6    0.000E+000    C3H8    0.000E+000\r\n"
      "n-C4H10 0.000E+000    i-C4H10 0.000E+000\r\n"
      "\r\n"
      "----- 混合ガスの物性値 ------------------\r\n"
      "分子量     2.885E+001[kg/kmol]\r\n"
      "密度       1.199E+000[kg/m^3 ]\r\n"
      "定圧比熱   1.013E+003[J/kg/K ]\r\n"
      "粘性係数   1.789E-005[ Pa s  ]\r\n"
      "動粘性係数 1.492E-005[ m^2/s ]\r\n"
      "熱伝導率   2.486E-002[ W/m/K ]\r\n"
      "Pr数       7.289E-001[   -   ]\r\n"
      "Pr数Eucken 7.376E-001[   -   ]\r\n"
      "\r\n"
      "**************************************************\r\n";
  EXPECT_EQ(ResultsReport(window), expected);
}

TEST_F(Report, UnitTextsFollowTheOptionsShown) {
  const struct {
    PressureUnit pressure;
    TemperatureUnit temperature;
    const char* units;  // what stands in the brackets of line 1
  } cases[] = {
      {PressureUnit::kPa, TemperatureUnit::kCelsius, "Pa|℃"},
      {PressureUnit::kAtm, TemperatureUnit::kKelvin, "atm|K"},
      {PressureUnit::kKgfCm2, TemperatureUnit::kKelvin, "kgf / cm2|K"},
  };
  for (const auto& c : cases) {
    FakePlatform p;
    MainWindowModel w{p.Services()};
    w.SelectPressureUnit(c.pressure);
    w.SelectTemperatureUnit(c.temperature);
    const std::string report = ResultsReport(w);
    const std::string line = report.substr(0, report.find("\r\n"));
    std::string units;
    for (std::size_t open = line.find('['); open != std::string::npos;
         open = line.find('[', open + 1)) {
      if (!units.empty()) units += '|';
      units += line.substr(open + 1, line.find(']', open) - open - 1);
    }
    EXPECT_EQ(units, c.units);
  }
}

TEST_F(Report, AFailedSwitchReportsTheOptionShown) {
  window.SetText(form1::kPressure, "abc");
  window.SelectPressureUnit(PressureUnit::kKgfCm2);
  ASSERT_EQ(window.pressure_unit(), PressureUnit::kPa);
  EXPECT_EQ(Lines()[0], "圧力  abc[kgf / cm2]    温度  2.5000E+001[℃]");
}

TEST_F(Report, BeforeAnyCalculationTheValuePiecesAreEmpty) {
  const std::vector<std::string> lines = Lines();
  ASSERT_EQ(lines.size(), 20u);
  EXPECT_EQ(lines[0], "圧力  1.01325E+005[Pa]    温度  2.5000E+001[℃]");
  EXPECT_EQ(lines[2], "H2          O2      ");
  EXPECT_EQ(lines[10], "分子量     [kg/kmol]");
  EXPECT_EQ(lines[17], "Pr数Eucken [   -   ]");
}

TEST_F(Report, ResultsOfAnEarlierCalculationGoWithTheInputsNowTyped) {
  ASSERT_TRUE(window.Calculate());
  window.SetText(form1::kTemperature, "hot");
  window.SetText(form1::kPressure, "  2e5 ");
  const std::vector<std::string> lines = Lines();
  EXPECT_EQ(lines[0], "圧力  2.00000E+005[Pa]    温度  hot[℃]");
  EXPECT_EQ(lines[10], "分子量     2.885E+001[kg/kmol]");
}

TEST(ReportValue, FormatsWhatReadsAsANumberAndCopiesTheRest) {
  const struct {
    const char* text;
    Pattern pattern;
    const char* shown;
  } cases[] = {
      {"101325", Pattern::kSci5, "1.01325E+005"},
      {"20", Pattern::kSci4, "2.0000E+001"},
      {"1.199E+000", Pattern::kSci3, "1.199E+000"},
      {".5", Pattern::kSci3, "5.000E-001"},
      {"-0", Pattern::kSci3, "0.000E+000"},
      {"", Pattern::kSci3, ""},
      {" ", Pattern::kSci3, " "},
      {"abc", Pattern::kSci3, "abc"},
      {"12abc", Pattern::kSci3, "12abc"},
      {"1e400", Pattern::kSci3, "1e400"},  // beyond a double: not a number, copied
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReportValue(c.text, c.pattern), c.shown) << '[' << c.text << ']';
  }
}

}  // namespace
}  // namespace toluvek
