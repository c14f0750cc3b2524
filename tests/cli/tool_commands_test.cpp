#include <sstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/cli_app.hpp"
#include "run_cli.hpp"

namespace toluvek::cli {
namespace {

TEST(TsatCommand, PrintsPartialPressureAndDewPointAsTheWindowShowsThem) {
  const Outcome r = RunCli({"tsat", "--amounts", "H2O=10,N2=90"});
  EXPECT_EQ(r.code, kExitOk) << r.err;
  EXPECT_EQ(r.out, "76.0mmHg → 46.1℃\n");
  EXPECT_EQ(r.err, "");
}

TEST(TsatCommand, ReadsThePressureInTheMainWindowsUnit) {
  const Outcome r = RunCli(
      {"tsat", "--pressure", "1", "--pressure-unit", "atm", "--amounts", "H2O=50,N2=50", "--json"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  const auto doc = nlohmann::json::parse(r.out);
  EXPECT_EQ(doc["pressure"]["unit"], "atm");
  EXPECT_EQ(doc["water_mole_fraction"], "5.000E-001");
  EXPECT_EQ(doc["partial_pressure_mmhg"]["text"], "380.0");
  EXPECT_DOUBLE_EQ(doc["partial_pressure_mmhg"]["value"].get<double>(), 380);
  EXPECT_EQ(doc["saturation_temperature_c"]["text"], "81.7");
  EXPECT_EQ(doc["labels"][0], "380.0mmHg →");
}

TEST(TsatCommand, StopsWithTheWindowsMessages) {
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      // 0.1 % water at 1 atm: 0.76 mmHg, below the triple point.
      {{"tsat", "--amounts", "H2O=0.1,N2=99.9"},
       "Toluvek: 解が見つかりません!\nToluvek: エラー!\n"},
      {{"tsat"}, "Toluvek: 水分が含まれていません!\n"},
      {{"tsat", "--pressure", "abc", "--amounts", "H2O=10,N2=90"},
       "Toluvek: 入力値を確認下さい。\n"},
  };
  for (const auto& c : cases) {
    const Outcome r = RunCli(c.args);
    EXPECT_EQ(r.code, kExitStopped);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, c.err);
  }
}

TEST(MixCommand, PrintsTheStreamsBesideTheMixedStream) {
  const Outcome r =
      RunCli({"mix", "--a-temperature", "25", "--a-flow", "1", "--a-amounts", "CH4=1",
              "--b-temperature", "500", "--b-flow", "10", "--b-amounts", "O2=0.21,N2=0.79"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_NE(r.out.find("温度[℃]   25           500          438.25\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("流量      1            10           1.100E+001\n"), std::string::npos);
  EXPECT_NE(r.out.find("O2        0.000E+000   2.100E-001   1.909E-001\n"), std::string::npos);
  EXPECT_NE(r.out.find("CH4       1.000E+000   0.000E+000   9.091E-002\n"), std::string::npos);
}

TEST(MixCommand, JsonCarriesTheUnroundedTemperatureAndFlow) {
  const Outcome r = RunCli({"mix", "--a-temperature", "1000", "--a-flow", "2", "--a-amounts",
                            "CO2=1,H2O=2,N2=7.52", "--b-temperature", "20", "--b-flow", "1",
                            "--b-amounts", "O2=0.21,N2=0.79", "--json"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  const auto doc = nlohmann::json::parse(r.out);
  EXPECT_EQ(doc["status"], "solved");
  EXPECT_EQ(doc["stream_a"]["fractions"]["N2"]["text"], "7.148E-001");
  EXPECT_DOUBLE_EQ(doc["stream_a"]["fractions"]["N2"]["value"].get<double>(), 0.7148);
  EXPECT_EQ(doc["total_flow"]["text"], "3.000E+000");
  EXPECT_EQ(doc["mixed_fractions"]["H2O"]["text"], "1.267E-001");
  EXPECT_EQ(doc["mixed_temperature"]["text"], "710.90");
  EXPECT_NEAR(doc["mixed_temperature"]["value"].get<double>(), 710.90, 1e-9);
}

TEST(MixCommand, FlowsAndStreamBsCompositionMustBeGiven) {
  const Outcome r = RunCli({"mix"});
  EXPECT_EQ(r.code, kExitUsage);
  EXPECT_EQ(r.err.substr(0, r.err.find('\n')), "mix: missing --a-flow, --b-flow, --b-amounts");
  EXPECT_EQ(RunCli({"mix", "--a-flow", "1", "--b-flow", "1"}).err.substr(0, 25),
            "mix: missing --b-amounts\n");
}

TEST(MixCommand, AllZeroStreamBStopsAfterNormalisingStreamA) {
  const Outcome r = RunCli({"mix", "--a-flow", "1", "--b-flow", "0", "--b-amounts",
                            "0,0,0,0,0,0,0,0,0,0,0,0", "--json"});
  EXPECT_EQ(r.code, kExitStopped);
  EXPECT_EQ(r.err, "Toluvek: 入力値を確認下さい。\n");
  const auto doc = nlohmann::json::parse(r.out);
  EXPECT_EQ(doc["status"], "input_error");
  EXPECT_EQ(doc["stream_a"]["fractions"]["O2"]["text"], "2.100E-001");
  EXPECT_TRUE(doc["stream_b"]["fractions"].empty());
  EXPECT_FALSE(doc.contains("total_flow"));
  EXPECT_FALSE(doc.contains("mixed_temperature"));
}

TEST(MixCommand, NoSolutionCarriesItsTitle) {
  const Outcome r =
      RunCli({"mix", "--a-temperature", "3000", "--a-flow", "10", "--a-amounts", "N2=1",
              "--b-temperature", "0", "--b-flow", "-9", "--b-amounts", "N2=1"});
  EXPECT_EQ(r.code, kExitStopped);
  EXPECT_EQ(r.err, "エラーメッセージ: 解が見つかりません。\n");
}

TEST(DuctCommand, PrintsTheSixRowsOfTheWindow) {
  const Outcome r = RunCli({"duct", "--flow", "1", "--temperature", "0"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_NE(r.out.find("流路断面積    7.8540E-005  [m2]\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("ガス流速      2.1221E-001  [m/s]\n"), std::string::npos);
  EXPECT_NE(r.out.find("水力直径      1.0000E-002  [m]\n"), std::string::npos);
}

TEST(DuctCommand, SwitchesTheMainWindowToPascalAndCelsiusFirst) {
  const Outcome r = RunCli({"duct",    "--flow",
                            "10",      "--pressure",
                            "1",       "--pressure-unit",
                            "atm",     "--temperature",
                            "300",     "--temperature-unit",
                            "K",       "--shape",
                            "annulus", "--d1",
                            "20",      "--d2",
                            "10",      "--length-unit",
                            "mm",      "--json"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  const auto doc = nlohmann::json::parse(r.out);
  EXPECT_EQ(doc["inputs"]["pressure_pa"], "1.01325E+005");
  EXPECT_EQ(doc["inputs"]["temperature_c"], "26.85");
  EXPECT_EQ(doc["results"]["area"]["text"], "2.3562E-004");
  EXPECT_DOUBLE_EQ(doc["results"]["hydraulic_diameter"]["value"].get<double>(), 0.01);
  EXPECT_TRUE(doc["completed"]);
}

TEST(DuctCommand, StopsWithTheCheckMessagesInOrder) {
  const Outcome r =
      RunCli({"duct", "--flow", "1", "--shape", "rectangle", "--d1", "0", "--d2", "0", "--json"});
  EXPECT_EQ(r.code, kExitStopped);
  EXPECT_EQ(r.err, "Toluvek: 0で割りました!\nToluvek: 入力値を確認下さい。\n");
  const auto doc = nlohmann::json::parse(r.out);
  EXPECT_TRUE(doc["results"].empty());
  EXPECT_EQ(doc["messages"].size(), 2u);
}

TEST(DuctCommand, FailedMixtureCalculationStopsBeforeTheDuct) {
  const Outcome r = RunCli({"duct", "--flow", "1", "--amounts", "0,0,0,0,0,0,0,0,0,0,0,0"});
  EXPECT_EQ(r.code, kExitStopped);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "入力値エラー: mol体積が全て０です！！\n");
}

TEST(ConvertCommand, PrintsTheRowsTheConverterShows) {
  const struct {
    std::vector<std::string> args;
    std::string out;
    std::string err;
  } cases[] = {
      {{"convert", "pressure", "1", "--unit", "atm"},
       "= 1.01325E+005 [Pa]\n= 1.03323E+004 [mmAq]\n= 7.60000E+002 [Torr]\n"
       "= 1.03323E-002 [kgf/mm2]\n",
       ""},
      {{"convert", "temperature", "100"}, "= 212.00 [ﾟF]\n= 671.67 [ﾟR]\n", ""},
      {{"convert", "temperature", "-1", "--unit", "R"},
       "= -273.71 [ﾟC]\n= -460.67 [ﾟF]\n",
       "warning: Toluvek: 絶対零度以下です!\n"},
      {{"convert", "heat", "1"}, "= 1.1628E+000 [W]\n", ""},
      {{"convert", "heat", "1", "--unit", "cal"}, "= 4.18605E+000 [J]\n", ""},
  };
  for (const auto& c : cases) {
    const Outcome r = RunCli(c.args);
    EXPECT_EQ(r.code, kExitOk);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
  }
}

TEST(ConvertCommand, JsonListsEveryRowWithItsVisibility) {
  const Outcome r = RunCli({"convert", "pressure", "1", "--unit", "atm", "--json"});
  ASSERT_EQ(r.code, kExitOk);
  const auto doc = nlohmann::json::parse(r.out);
  ASSERT_EQ(doc["rows"].size(), 5u);
  EXPECT_EQ(doc["rows"][0]["unit"], "Pa");
  EXPECT_DOUBLE_EQ(doc["rows"][0]["value"].get<double>(), 101325);
  EXPECT_EQ(doc["rows"][4]["text"], "1.00000E+000 [atm]");
  EXPECT_FALSE(doc["rows"][4]["visible"]);
}

TEST(ConvertCommand, UnreadableValueStopsWithTheConvertersMessage) {
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"convert", "pressure", "abc", "--unit", "atm"}, "Toluvek: エラー!\n"},
      {{"convert", "heat", "abc", "--unit", "W"}, "Toluvek: 入力値を確認下さい。\n"},
      // The converter itself stays silent here.
      {{"convert", "pressure", "abc"}, "convert: abc was not converted\n"},
      {{"convert", "temperature", ""}, "convert:  was not converted\n"},
  };
  for (const auto& c : cases) {
    const Outcome r = RunCli(c.args);
    EXPECT_EQ(r.code, kExitStopped);
    EXPECT_EQ(r.err, c.err);
  }
}

TEST(ToolCommands, UsageErrorsExitWithTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {"duct"},  // --flow is required
      {"duct", "--flow", "1", "--shape", "hexagon"},
      {"duct", "--flow", "1", "--flow-unit", "m3/h"},
      {"mix", "--b-amounts", "1,2,3"},
      {"convert", "pressure", "1", "--unit", "bar"},
      {"convert", "length", "1"},
      {"tsat", "--pressure-unit", "psi"},
  };
  for (const auto& args : cases) EXPECT_EQ(RunCli(args).code, kExitUsage) << args[0];
}

}  // namespace
}  // namespace toluvek::cli
