// The property chart window's model: which commands plot the range as typed and which give it
// up, the messages and readout it writes, the copy and the save. The curve's numbers are tested
// in property_chart_test.cpp.

#include "tools/chart/property_chart_model.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "common/number_text.hpp"
#include "main/main_window_fields.hpp"
#include "tests/support/fakes.hpp"

namespace toluvek {
namespace {

namespace fields = property_chart_fields;

class PropertyChartWindow : public testing::Test {
 protected:
  PropertyChartWindow() {
    chart_.AddObserver([this](std::string_view control) {
      if (control == fields::kChart) ++redraws_;
    });
  }

  FakePlatform platform_;
  MainWindowModel main_{platform_.Services()};
  PropertyChartModel chart_{main_, platform_, platform_, platform_};
  int redraws_ = 0;
};

TEST_F(PropertyChartWindow, OpensOnCpFromZeroTo700CelsiusOfTheMainWindowsGas) {
  EXPECT_EQ(chart_.Text(fields::kProperty), "cp");
  EXPECT_EQ(chart_.Text(fields::kRangeFrom), "0");
  EXPECT_EQ(chart_.Text(fields::kRangeTo), "700");
  EXPECT_EQ(chart_.Text(fields::kRangeUnit), "℃");
  EXPECT_EQ(chart_.Text(fields::kStatus), "");
  EXPECT_EQ(chart_.series().title, "cp of O2 21 %, N2 79 % at 1.01325E+005 Pa");
}

TEST_F(PropertyChartWindow, FollowsTheMainWindowAndCopiesTheTable) {
  main_.SetText(form1::kAmount[kCH4], "1");
  main_.SetText(form1::kAmount[kO2], "2");
  main_.SetText(form1::kAmount[kN2], "7.52");
  chart_.SelectProperty(ChartProperty::kPrandtlEucken);
  EXPECT_EQ(chart_.Text(fields::kProperty), "Pr (Eucken)");
  EXPECT_EQ(chart_.series().title,
            "Pr (Eucken) of O2 19.01 %, N2 71.48 %, CH4 9.506 % at 1.01325E+005 Pa");
  chart_.SelectRangeUnit(TemperatureUnit::kKelvin);
  EXPECT_EQ(chart_.range().to, "973.15");
  EXPECT_EQ(chart_.Text(fields::kRangeUnit), "K");
  EXPECT_EQ(chart_.series().points.front().temperature, 273.15);
  chart_.SetText(fields::kRangeFrom, "300");
  chart_.SetText(fields::kRangeTo, "400");
  chart_.Plot();
  chart_.Copy();
  EXPECT_EQ(platform_.clipboard.substr(0, 36), "temperature_K,prandtl_eucken\r\n300,0.");
}

// A calculation of the main window redraws the curve only when it wrote every result.
TEST_F(PropertyChartWindow, RedrawsAfterEachCalculationThatWroteEveryResult) {
  main_.SetText(form1::kPressure, "2.0265E+005");
  EXPECT_EQ(redraws_, 0);
  ASSERT_TRUE(main_.Calculate());
  EXPECT_EQ(redraws_, 1);
  EXPECT_EQ(chart_.series().title, "cp of O2 21 %, N2 79 % at 2.0265E+005 Pa");
  main_.SetText(form1::kPressure, "-1");
  ASSERT_FALSE(main_.Calculate());
  EXPECT_EQ(redraws_, 1);
  EXPECT_EQ(chart_.series().title, "cp of O2 21 %, N2 79 % at 2.0265E+005 Pa");
}

// "100" and "800" are typed into the range; each command either plots them or puts the range
// of the curve shown back into the fields.
TEST_F(PropertyChartWindow, EachCommandPlotsTheTypedRangeOrGivesItUp) {
  struct Case {
    const char* name;
    std::function<void(PropertyChartModel&, MainWindowModel&)> command;
    const char* from;
    const char* to;
  };
  const Case cases[] = {
      {"Plot", [](PropertyChartModel& c, MainWindowModel&) { c.Plot(); }, "100", "800"},
      {"SameUnit",
       [](PropertyChartModel& c, MainWindowModel&) {
         c.SelectRangeUnit(TemperatureUnit::kCelsius);
       },
       "100", "800"},
      {"OtherUnit",
       [](PropertyChartModel& c, MainWindowModel&) { c.SelectRangeUnit(TemperatureUnit::kKelvin); },
       "373.15", "1073.15"},
      {"Property",
       [](PropertyChartModel& c, MainWindowModel&) { c.SelectProperty(ChartProperty::kDensity); },
       "0", "700"},
      {"Calculation", [](PropertyChartModel&, MainWindowModel& m) { m.Calculate(); }, "0", "700"},
  };
  for (const Case& c : cases) {
    FakePlatform platform;
    MainWindowModel main(platform.Services());
    PropertyChartModel chart(main, platform, platform, platform);
    chart.SetText(fields::kRangeFrom, "100");
    chart.SetText(fields::kRangeTo, "800");
    c.command(chart, main);
    EXPECT_EQ(chart.Text(fields::kRangeFrom), c.from) << c.name;
    EXPECT_EQ(chart.Text(fields::kRangeTo), c.to) << c.name;
    EXPECT_EQ(chart.range().from, c.from) << c.name;
    ASSERT_FALSE(chart.series().points.empty()) << c.name;
    EXPECT_EQ(FormatGeneral(chart.series().points.back().temperature), c.to) << c.name;
  }
}

TEST_F(PropertyChartWindow, UnitSwitchConvertsOnlyTheRangeTextsThatAreNumbers) {
  chart_.SetText(fields::kRangeFrom, "abc");
  chart_.SelectRangeUnit(TemperatureUnit::kKelvin);
  EXPECT_EQ(chart_.Text(fields::kRangeFrom), "abc");
  EXPECT_EQ(chart_.Text(fields::kRangeTo), "973.15");
  EXPECT_EQ(chart_.Text(fields::kStatus), "入力値を確認下さい。");
  EXPECT_TRUE(chart_.series().points.empty());
  chart_.SetText(fields::kRangeFrom, "273.15");
  chart_.SelectRangeUnit(TemperatureUnit::kCelsius);
  EXPECT_EQ(chart_.Text(fields::kRangeFrom), "0");
  EXPECT_EQ(chart_.Text(fields::kRangeTo), "700");
  EXPECT_EQ(chart_.Text(fields::kStatus), "");
}

// The readout names the nearest point that was calculated, and goes with the curve it read.
TEST_F(PropertyChartWindow, ReadoutAtThePointerLastsUntilTheNextCurve) {
  chart_.PointAt(350.4);
  EXPECT_TRUE(chart_.Text(fields::kReadout).starts_with("350 ℃, cp = "))
      << chart_.Text(fields::kReadout);
  chart_.SetText(fields::kRangeFrom, "-300");
  chart_.Plot();
  EXPECT_EQ(chart_.Text(fields::kStatus), "絶対温度が負です!!");
  EXPECT_EQ(chart_.Text(fields::kReadout), "");
  chart_.PointAt(0);
  EXPECT_EQ(chart_.Text(fields::kReadout), "");
  EXPECT_EQ(redraws_, 1);
}

// Saving the picture refuses, with the save's message, what the composition file save refuses;
// a picture that cannot be made is not saved either, and none is made without a name.
TEST_F(PropertyChartWindow, SavePngReplacesOnlyWritableRegularFiles) {
  namespace fs = std::filesystem;
  std::string folder = ::testing::TempDir() + "toluvek_chart_XXXXXX";
  ASSERT_NE(::mkdtemp(folder.data()), nullptr);
  const std::string fifo = folder + "/pipe.png";
  const std::string read_only = folder + "/read-only.png";
  const std::string fresh = folder + "/fresh.png";
  const std::string unmade = folder + "/unmade.png";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  std::ofstream(read_only) << "old";
  fs::permissions(read_only,
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

  struct Case {
    std::optional<std::string> path;  // none: the dialog is cancelled
    std::optional<std::string> png;   // none: the picture cannot be made
    bool written;
  };
  const Case cases[] = {{fifo, "\x89PNG", false},        {read_only, "\x89PNG", false},
                        {folder, "\x89PNG", false},      {"/dev/null", "\x89PNG", false},
                        {unmade, std::nullopt, false},   {fresh, "\x89PNG", true},
                        {std::nullopt, "\x89PNG", false}};
  for (const Case& c : cases) {
    platform_.shown.clear();
    if (c.path) platform_.answers.push_back({FileDialogResult::Status::kChosen, *c.path});
    int made = 0;
    const std::string label = c.path.value_or("cancelled");
    EXPECT_EQ(chart_.SavePng([&] {
      ++made;
      return c.png;
    }),
              c.written)
        << label;
    EXPECT_EQ(made, c.path ? 1 : 0) << label;
    const bool refused = c.path && !c.written;
    EXPECT_EQ(platform_.shown, refused ? std::vector<Message>{main_window_messages::kFileNotSaved}
                                       : std::vector<Message>{})
        << label;
    EXPECT_EQ(platform_.asked.back().default_extension, "png") << label;
  }
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_FALSE(fs::exists(unmade));
  std::ifstream old(read_only);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "old");
  std::ifstream png(fresh, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(png), {}), "\x89PNG");
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

}  // namespace
}  // namespace toluvek
