#include <sstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/cli_app.hpp"
#include "run_cli.hpp"

namespace toluvek::cli {
namespace {

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(CombustionCommandCli, PrintsTheBurntGasTemperatureAndTotals) {
  const Outcome r = RunCli({"combustion", "--amounts", "CH4=1,O2=2,N2=7.52"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_TRUE(Contains(r.out, "N2       7.52\nCO       0\nCO2      1\nH2O      2\n")) << r.out;
  EXPECT_TRUE(Contains(r.out, "燃焼温度 2325.93 K  2052.8 ℃\n")) << r.out;
  EXPECT_TRUE(Contains(r.out, "総モル体積変化 10.52→10.52\n"));
  // The burnt gas's properties at that temperature, as the window shows them afterwards.
  EXPECT_TRUE(Contains(r.out, "\n\n分子量      2.763E+001  kg/kmol\n")) << r.out;
  EXPECT_TRUE(Contains(r.out, "H2O      1.901E-001")) << r.out;
  // The totals box is a result: on stdout only. The burnt gas is calculated at the 2052.8 ℃
  // the window shows.
  EXPECT_EQ(r.err,
            "warning: the properties at 2325.95 K are extrapolated: the fits of cp, λ and μ hold "
            "from 200 to 1000 K\n");
}

TEST(CombustionCommandCli, ABurntGasTooHotForThePropertiesStillGivesTheCombustion) {
  const Outcome text = RunCli({"combustion", "--amounts", "H2=1,O2=0.5"});
  EXPECT_EQ(text.code, kExitOk);
  EXPECT_TRUE(Contains(text.out, "燃焼温度 5121.58 K  4848.4 ℃\n")) << text.out;
  EXPECT_FALSE(Contains(text.out, "分子量")) << text.out;
  EXPECT_EQ(text.err,
            "warning: Toluvek: 入力値を確認下さい。\n"
            "warning: the properties of the burnt gas could not be computed at 5121.58 K\n");
  const Outcome json = RunCli({"combustion", "--amounts", "H2=1,O2=0.5", "--json"});
  EXPECT_EQ(json.code, kExitOk);
  const auto doc = nlohmann::json::parse(json.out);
  EXPECT_EQ(doc["temperature"]["text"], "4848.4");
  EXPECT_EQ(doc["burnt_gas"]["error"]["message"], "入力値を確認下さい。");
  EXPECT_TRUE(doc["burnt_gas"]["mixture"].empty());
  EXPECT_FALSE(doc.contains("error"));
}

TEST(CombustionCommandCli, JsonGivesTheTemperatureInFullFromKelvinInput) {
  const Outcome r = RunCli({"combustion", "--temperature", "1000", "--temperature-unit", "K",
                            "--amounts", "CH4=1,O2=2,N2=7.52", "--json"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  const auto doc = nlohmann::json::parse(r.out);
  EXPECT_NEAR(doc["temperature"]["kelvin"].get<double>(), 2876.0, 0.05);
  EXPECT_EQ(doc["temperature"]["text"], "2602.8");
  EXPECT_EQ(doc["temperature"]["unit"], "℃");
  EXPECT_EQ(doc["composition"][4]["label"], "CO2");
  EXPECT_EQ(doc["composition"][4]["text"], "1");
  EXPECT_EQ(doc["total_after"]["text"], "10.52");
  EXPECT_FALSE(doc.contains("error"));
}

TEST(CombustionCommandCli, FailureEndsWithExitOneAndItsMessage) {
  const Outcome r = RunCli({"combustion", "--amounts", "CH4=1,O2=1", "--json"});
  EXPECT_EQ(r.code, kExitStopped);
  EXPECT_EQ(r.err, "エラーメッセージ: O2不足です\n");
  const auto doc = nlohmann::json::parse(r.out);
  EXPECT_EQ(doc["error"]["message"], "O2不足です");
  EXPECT_FALSE(doc.contains("temperature"));
}

TEST(CombustionCommandCli, HugeAmountsEndWithNoSolution) {
  const Outcome r = RunCli({"combustion", "--amounts", "CH4=1e13,O2=2e13,N2=7.52e13"});
  EXPECT_EQ(r.code, kExitStopped);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "エラーメッセージ: 解が見つかりません。\n");
}

TEST(HeatDutyCommandCli, NitrogenWorkedExampleFromTheDisplayedFractions) {
  const Outcome r = RunCli(
      {"heat-duty", "--amounts", "N2=1", "--flow", "1", "--t1", "25", "--t2", "125", "--json"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_EQ(r.err, "");
  const auto doc = nlohmann::json::parse(r.out);
  EXPECT_EQ(doc["heat_duty"]["text"], "2.1481E+000");
  EXPECT_EQ(doc["heat_duty"]["unit"], " W");
  EXPECT_NEAR(doc["heat_duty"]["value"].get<double>(), 2.14813, 5e-6);
  EXPECT_NEAR(doc["molar_flow"].get<double>(), 7.43583e-4, 5e-10);
  EXPECT_EQ(doc["species_flow"]["species"][2]["text"], "1.0000E+000");
  EXPECT_FALSE(doc.contains("lhv"));
}

TEST(HeatDutyCommandCli, KgPerSecondUsesTheDisplayedMassFractionsAndMolarMass) {
  const Outcome r = RunCli(
      {"heat-duty", "--amounts", "CH4=1,H2O=1,CH3OH=2", "--flow-unit", "kg/s", "--t2", "125"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_TRUE(Contains(r.out, "流量 [kg/s]\n")) << r.out;
  // The main window shows w_CH4 = 1.635E-001: the species flow is that times F.
  EXPECT_TRUE(Contains(r.out, "CH4      1.6350E-001\n")) << r.out;
  EXPECT_TRUE(Contains(r.out, "LHV      ")) << r.out;
  EXPECT_TRUE(Contains(r.out, "蒸発潜熱 H2O    (")) << r.out;
  EXPECT_TRUE(Contains(r.out, "蒸発潜熱 CH3OH  (")) << r.out;
}

TEST(HeatDutyCommandCli, NegativeFlowKeepsTheSpeciesFlowsAndExitsOne) {
  const Outcome r = RunCli({"heat-duty", "--amounts", "N2=1", "--flow", "-1", "--t1", "-300"});
  EXPECT_EQ(r.code, kExitStopped);
  // The negative temperature only warned; the negative flow stopped the command.
  EXPECT_EQ(
      r.err,
      "warning: エラーメッセージ: 絶対温度が負です!!\nエラーメッセージ: ガス流量が負です!!\n");
  EXPECT_TRUE(Contains(r.out, "N2       -1.0000E+000\n")) << r.out;
  EXPECT_FALSE(Contains(r.out, "熱量"));
}

TEST(HeatDutyCommandCli, MessagesFollowTheRuleAndComeOnce) {
  const Outcome warned = RunCli({"heat-duty", "--amounts", "N2=1", "--t1", "-300"});
  EXPECT_EQ(warned.code, kExitOk);
  EXPECT_TRUE(Contains(warned.out, "熱量     ")) << warned.out;
  EXPECT_EQ(warned.err, "warning: エラーメッセージ: 絶対温度が負です!!\n");
  // The main window and the heat duty both refuse the all-zero amounts: said once.
  const Outcome zero = RunCli({"heat-duty", "--amounts", "0,0,0,0,0,0,0,0,0,0,0,0"});
  EXPECT_EQ(zero.code, kExitStopped);
  EXPECT_EQ(zero.err, "入力値エラー: mol体積が全て０です！！\nToluvek: 入力値を確認下さい。\n");
}

TEST(HeatDutyCommandCli, FailedMainCalculationLeavesNothingToRead) {
  const Outcome r = RunCli({"heat-duty", "--pressure", "-1", "--amounts", "N2=1"});
  EXPECT_EQ(r.code, kExitStopped);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "エラーメッセージ: 圧力が負です!!\nToluvek: 入力値を確認下さい。\n");
}

TEST(WaterHeatCommandCli, PrintsTheHeatAsTheWindowShowsIt) {
  const struct {
    std::vector<std::string> args;
    const char* out;
  } kCases[] = {
      {{"water-heat", "--t2", "75"}, "3.4854E+002 W\n"},
      {{"water-heat", "--t2", "100", "--phase", "gas"}, "4.2884E+000 kW\n"},
      {{"water-heat", "--flow", "6", "--flow-unit", "kg/h", "--t1", "75", "--t2", "25"},
       "-3.4854E+002 W\n"},
  };
  for (const auto& c : kCases) {
    const Outcome r = RunCli(c.args);
    EXPECT_EQ(r.code, kExitOk);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, "");
  }
}

TEST(WaterHeatCommandCli, JsonAndInputErrors) {
  const Outcome ok = RunCli({"water-heat", "--t2", "75", "--json"});
  ASSERT_EQ(ok.code, kExitOk);
  const auto doc = nlohmann::json::parse(ok.out);
  EXPECT_NEAR(doc["heat"]["value"].get<double>(), 348.54, 0.005);
  EXPECT_EQ(doc["heat"]["unit"], "W");

  const Outcome bad = RunCli({"water-heat", "--t1", "warm"});
  EXPECT_EQ(bad.code, kExitStopped);
  EXPECT_EQ(bad.out, "");
  EXPECT_EQ(bad.err, "Toluvek: 入力値を確認下さい。\n");
}

TEST(EnergyCommandsCli, UnknownUnitsAndPhasesAreUsageErrors) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"water-heat", "--flow-unit", "l/min"},
        std::vector<std::string>{"water-heat", "--phase", "solid"},
        std::vector<std::string>{"heat-duty", "--flow-unit", "g/min"},
        std::vector<std::string>{"combustion", "--flow", "1"}}) {
    EXPECT_EQ(RunCli(args).code, kExitUsage) << args[1];
  }
}

}  // namespace
}  // namespace toluvek::cli
