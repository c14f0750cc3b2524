#include "tables/property_table.hpp"

#include <functional>
#include <limits>
#include <sstream>
#include <streambuf>

#include <gtest/gtest.h>

#include "common/number_text.hpp"
#include "main/main_window_fields.hpp"
#include "tests/support/fakes.hpp"

namespace toluvek {
namespace {

// Each state through the main window's "計算" and through the table's row: the same message,
// or none in both.
TEST(PropertyTable, RowFailsWithTheMessageTheWindowShows) {
  struct Case {
    const char* name;
    const char* pressure;
    const char* temperature;
    TemperatureUnit unit;
    std::array<std::string, kSpeciesCount> amounts;
  };
  const std::array<std::string, kSpeciesCount> air{"0", "21", "79", "0", "0", "0",
                                                   "0", "0",  "0",  "0", "0", "0"};
  auto with = [&](std::size_t i, const char* text) {
    auto a = air;
    a[i] = text;
    return a;
  };
  const Case cases[] = {
      {"Calculated", "101325", "25", TemperatureUnit::kCelsius, air},
      {"BothNegative", "-1", "-300", TemperatureUnit::kCelsius, air},
      {"TemperatureNegative", "101325", "-1", TemperatureUnit::kKelvin, air},
      {"PressureNegative", "-1", "25", TemperatureUnit::kCelsius, with(0, "")},
      {"AmountEmptyBeforeNotANumber", "101325", "25", TemperatureUnit::kCelsius,
       [&] {
         auto a = with(0, "x");
         a[5] = "";
         return a;
       }()},
      {"AmountNotANumber", "101325", "25", TemperatureUnit::kCelsius, with(3, "1e")},
      {"AmountNegative", "101325", "25", TemperatureUnit::kCelsius, with(0, "-0.5")},
      {"AllZero", "101325", "25", TemperatureUnit::kCelsius,
       [&] {
         auto a = with(1, "0");
         a[2] = "0";
         return a;
       }()},
      {"SumOverflows", "101325", "25", TemperatureUnit::kCelsius, with(0, "1.7E+308")},
      {"ZeroPressureFailsInTheCalculation", "0", "25", TemperatureUnit::kCelsius, air},
      {"ZeroKelvinFailsInTheCalculation", "101325", "0", TemperatureUnit::kKelvin, air},
      {"PressureNotANumber", "1atm", "25", TemperatureUnit::kCelsius, air},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakePlatform platform;
    MainWindowModel window(platform.Services());
    window.SelectTemperatureUnit(c.unit);
    window.SetText(form1::kPressure, c.pressure);
    window.SetText(form1::kTemperature, c.temperature);
    for (std::size_t i = 0; i < kSpeciesCount; ++i) window.SetText(form1::kAmount[i], c.amounts[i]);
    platform.shown.clear();
    window.Calculate();

    const double nan = std::numeric_limits<double>::quiet_NaN();
    TableRow row = StateRow(ParseStrict(c.pressure).value_or(nan), PressureUnit::kPa,
                            ParseStrict(c.temperature).value_or(nan), c.unit);
    MixtureResult scratch;
    const bool ok = CalculateRow(row, ReadAmounts(c.amounts), scratch);
    if (platform.shown.empty()) {
      EXPECT_TRUE(ok);
      EXPECT_EQ(scratch.properties.cp, window.last_mixture()->properties.cp);
    } else {
      EXPECT_FALSE(ok);
      EXPECT_EQ(row.error, platform.shown.front().text);
      EXPECT_EQ(row.properties, nullptr);
    }
  }
}

TEST(PropertyTable, SweepsIncludeTheEndsWhereTheStepsLandOnThem) {
  struct Case {
    double from, to, step;
    std::uint64_t count;
    double second, last;
  };
  const Case cases[] = {
      {0, 1000, 5, 201, 5, 1000},
      {0, 1, 0.1, 11, 0.1, 1},
      {0, 10, 3, 4, 3, 9},
      {10, 0, -5, 3, 5, 0},
      {-50, 50, 33.3, 4, -16.7, 49.9},
      {0, 9999999, 1, 10000000, 1, 9999999},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.from << " to " << c.to << " by " << c.step);
    Sweep sweep;
    ASSERT_EQ(MakeSweep(c.from, c.to, c.step, sweep), "");
    EXPECT_EQ(sweep.count, c.count);
    EXPECT_EQ(sweep.At(0), c.from);
    EXPECT_EQ(sweep.At(1), c.second);
    EXPECT_EQ(sweep.At(sweep.count - 1), c.last);
  }
  Sweep sweep;
  EXPECT_EQ(MakeSweep(0, 0.7, 0.1, sweep), "");
  EXPECT_EQ(sweep.At(3), 0.3);  // not 0.30000000000000004
  EXPECT_EQ(MakeSweep(5, 5, 1, sweep), "");
  EXPECT_EQ(sweep.count, 1u);
}

TEST(PropertyTable, UnsoundSweepsAreRefused) {
  Sweep sweep;
  EXPECT_EQ(MakeSweep(0, 10, 0, sweep), "the step is 0");
  EXPECT_EQ(MakeSweep(0, 10, -1, sweep), "the step leads away from the end");
  EXPECT_EQ(MakeSweep(10, 0, 1, sweep), "the step leads away from the end");
  EXPECT_EQ(MakeSweep(0, 10000000, 1, sweep), "more than 10000000 rows");
  EXPECT_EQ(MakeSweep(-1e308, 1e308, 1, sweep), "more than 10000000 rows");
  EXPECT_EQ(MakeSweep(0, 1, 5e-324, sweep), "more than 10000000 rows");
}

TEST(PropertyTable, ConsecutiveStatesThatWouldNotDifferAreFound) {
  const auto pascal = [](double p) { return p; };
  const auto kelvin = [](double t_celsius) {
    return StateRow(0, PressureUnit::kPa, t_celsius, TemperatureUnit::kCelsius).temperature_k;
  };
  const struct {
    double from, to, step;
    std::function<double(double)> to_state;
    bool differ;
  } cases[] = {
      {1234567890, 1234567890.000001, 1e-7, pascal, false},  // rounded to 15 digits
      {0, 1e-13, 1e-14, pascal, true},
      {0, 1e-13, 1e-14, kelvin, false},  // apart in ℃, one state in K
      {0, 1000, 0.001, kelvin, true},
      {1e308, 1.7e308, 1e307, [](double p) { return p * 101325; }, true},  // each row fails
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.from << " to " << c.to << " by " << c.step);
    Sweep sweep;
    ASSERT_EQ(MakeSweep(c.from, c.to, c.step, sweep), "");
    EXPECT_EQ(ConsecutiveStatesDiffer(sweep, c.to_state), c.differ);
  }
}

// A stream whose every write fails, as standard output on a full disk or a closed pipe.
class FullDisk : public std::streambuf {
 protected:
  int overflow(int) override { return traits_type::eof(); }
};

TEST(PropertyTable, SweepStopsAtTheFirstWriteThatFails) {
  FullDisk full;
  std::ostream out(&full);
  TableWriter writer(out, DefaultTableColumns(), TableFormat::kCsv);
  SweepRequest request;
  request.pressure = SingleValue(101325);
  request.temperature_unit = TemperatureUnit::kKelvin;
  ASSERT_EQ(MakeSweep(-1, -1e6, -1, request.temperature), "");  // rows that fail fast
  request.amounts = ReadAmounts({"0", "21", "79", "0", "0", "0", "0", "0", "0", "0", "0", "0"});
  const TableCounts counts = WriteSweep(request, writer);
  EXPECT_TRUE(writer.failed());
  EXPECT_GT(counts.rows, 0u);
  EXPECT_LT(counts.rows, request.temperature.count / 10);
}

// in_fit_range is 1 from 200 to 1000 K, both ends included, 0 beyond, empty without values.
TEST(PropertyTable, FitRangeColumnFlagsExtrapolatedRows) {
  SweepRequest request;
  request.pressure = SingleValue(101325);
  request.temperature_unit = TemperatureUnit::kKelvin;
  ASSERT_EQ(MakeSweep(0, 1100, 100, request.temperature), "");
  request.amounts = ReadAmounts({"0", "21", "79", "0", "0", "0", "0", "0", "0", "0", "0", "0"});
  const std::vector<std::size_t> columns = {1, kFitRangeColumn};
  std::ostringstream csv, json;
  TableCounts counts;
  {
    TableWriter writer(csv, columns, TableFormat::kCsv);
    counts = WriteSweep(request, writer);
    TableWriter json_writer(json, columns, TableFormat::kJsonLines);
    request.temperature = SingleValue(0);
    WriteSweep(request, json_writer);
  }
  EXPECT_EQ(csv.str(),
            "temperature_K,in_fit_range,error\n"
            "0,,入力値を確認下さい。\n"
            "100,0,\n200,1,\n300,1,\n400,1,\n500,1,\n600,1,\n700,1,\n800,1,\n900,1,\n"
            "1000,1,\n"
            "1100,0,\n");
  EXPECT_EQ(json.str(),
            "{\"temperature_K\":0,\"in_fit_range\":null,\"error\":\"入力値を確認下さい。\","
            "\"error_code\":\"check_input\"}\n");
  EXPECT_EQ(counts.rows, 12u);
  EXPECT_EQ(counts.failed, 1u);
  EXPECT_EQ(counts.outside_fit_range, 2u);
}

// A column chosen many times over still gets room for each of its cells.
TEST(PropertyTable, RowRoomFollowsTheColumnsChosen) {
  MixtureProperties p;
  p.prandtl = 0.7123456789012345;
  const std::vector<std::size_t> columns(16000, *FindTableColumn("prandtl"));
  const TableRow row{true, 101325, 298.15, 25, &p, {}};
  const std::string number = FormatShortest(p.prandtl);
  std::string csv, csv_row, json, json_row = "{";
  for (std::size_t c = 0; c < columns.size(); ++c) {
    csv += "prandtl,";
    csv_row += number + ",";
    json_row += "\"prandtl\":" + number + ",";
  }
  csv += "error\n";
  for (int i = 0; i < 10; ++i) {
    csv += csv_row + "\n";
    json += json_row + "\"error\":null,\"error_code\":null}\n";
  }
  for (const auto& [format, expected] :
       {std::pair{TableFormat::kCsv, csv}, std::pair{TableFormat::kJsonLines, json}}) {
    std::ostringstream out;
    {
      TableWriter writer(out, columns, format);
      for (int i = 0; i < 10; ++i) writer.Write(row);
    }
    EXPECT_TRUE(out.str() == expected)
        << "wrote " << out.str().size() << " bytes of " << expected.size();
  }
}

TEST(PropertyTable, WriterQuotesTextsAndLeavesFailedValuesEmpty) {
  MixtureProperties p;
  p.cp = 1012.5;
  p.species_viscosity[kN2] = 1.8e-05;
  p.density = std::numeric_limits<double>::infinity();  // never reaches the output
  const std::vector<std::size_t> columns = {
      0, *FindTableColumn("temperature_C"), *FindTableColumn("cp_J_per_kg_K"),
      *FindTableColumn("density_kg_per_m3"), *FindTableColumn("viscosity_N2_Pa_s")};
  const TableRow calculated{true, 101325, 298.15, -0.0, &p, {}};
  const TableRow failed{true, 5e-324, 1, 2, nullptr, "a \"quoted\", text", "negative_pressure"};
  const TableRow unread{false, 1, 2, 3, nullptr, "line 3: x\n", kUnreadableRowCode};
  std::ostringstream csv, json;
  {
    TableWriter writer(csv, columns, TableFormat::kCsv);
    for (const TableRow* row : {&calculated, &failed, &unread, &calculated, &calculated}) {
      writer.Write(*row);
    }
  }
  EXPECT_EQ(csv.str(),
            "pressure_Pa,temperature_C,cp_J_per_kg_K,density_kg_per_m3,viscosity_N2_Pa_s,error\n"
            "101325,0,1012.5,,1.8e-05,\n"
            "5e-324,2,,,,\"a \"\"quoted\"\", text\"\n"
            ",,,,,\"line 3: x\n\"\n"
            "101325,0,1012.5,,1.8e-05,\n"
            "101325,0,1012.5,,1.8e-05,\n");
  {
    TableWriter writer(json, {columns[2]}, TableFormat::kJsonLines);
    for (const TableRow* row : {&calculated, &failed, &unread}) writer.Write(*row);
  }
  EXPECT_EQ(json.str(),
            "{\"cp_J_per_kg_K\":1012.5,\"error\":null,\"error_code\":null}\n"
            "{\"cp_J_per_kg_K\":null,\"error\":\"a \\\"quoted\\\", text\","
            "\"error_code\":\"negative_pressure\"}\n"
            "{\"cp_J_per_kg_K\":null,\"error\":\"line 3: "
            "x\\u000a\",\"error_code\":\"unreadable_row\"}\n");
}

TEST(PropertyTable, ColumnNamesCarryTheirUnitsAndSpecies) {
  EXPECT_EQ(DefaultTableColumns().size(), 13u);
  EXPECT_EQ(TableColumnName(DefaultTableColumns().back()), "in_fit_range");
  EXPECT_EQ(SpeciesTableColumns().size(), 72u);
  EXPECT_EQ(TableColumnName(SpeciesTableColumns().front()), "mole_fraction_H2");
  EXPECT_EQ(TableColumnName(SpeciesTableColumns().back()), "prandtl_i-C4H10");
  EXPECT_EQ(FindTableColumn("cp_n-C4H10_J_per_kg_K"), kTableMixtureColumns + 2 * 12 + 10);
  EXPECT_FALSE(FindTableColumn("cp"));
}

}  // namespace
}  // namespace toluvek
