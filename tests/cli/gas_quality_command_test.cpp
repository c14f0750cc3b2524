#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/cli_app.hpp"
#include "main/gas_quality.hpp"
#include "run_cli.hpp"

namespace toluvek::cli {
namespace {

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(PresetsCli, ListsTheFivePresetsByTheNamesPresetTakes) {
  const Outcome text = RunCli({"presets"});
  ASSERT_EQ(text.code, kExitOk) << text.err;
  EXPECT_EQ(text.out.substr(0, text.out.find("hiroshima")),
            "air        Air       O2 21, N2 79\n"
            "osaka      大阪ガス  CH4 88, C2H6 6, C3H8 3, n-C4H10 3\n"
            "tokyo      東京ガス  CH4 88.5, C2H6 4.6, C3H8 5.4, n-C4H10 0.8, i-C4H10 0.7\n");
  const auto doc = nlohmann::json::parse(RunCli({"presets", "--json"}).out);
  ASSERT_EQ(doc["presets"].size(), 5u);
  std::vector<std::string> names;
  for (const auto& preset : doc["presets"]) {
    names.push_back(preset["name"]);
    // Every name works as --preset.
    EXPECT_EQ(RunCli({"gas-quality", "--preset", names.back()}).code, kExitOk) << names.back();
  }
  EXPECT_EQ(names, (std::vector<std::string>{"air", "osaka", "tokyo", "hiroshima", "pfd"}));
  EXPECT_EQ(doc["presets"][4]["amounts_percent"]["n-C4H10"], 1.7);
}

TEST(PresetsCli, APresetIsTheSameMixtureAsItsAmounts) {
  const Outcome preset = RunCli({"mixture", "--preset", "tokyo", "--json"});
  const Outcome amounts = RunCli(
      {"mixture", "--amounts", "CH4=88.5,C2H6=4.6,C3H8=5.4,n-C4H10=0.8,i-C4H10=0.7", "--json"});
  ASSERT_EQ(preset.code, kExitOk) << preset.err;
  EXPECT_EQ(preset.out, amounts.out);
  // Every subcommand on a mixture takes it.
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"combustion", "--preset", "osaka", "--air-ratio", "1.2"},
           {"heat-duty", "--preset", "pfd"},
           {"duct", "--preset", "air", "--flow", "1"},
           {"add-air", "10", "--preset", "hiroshima"},
           {"rescale", "1", "--preset", "tokyo"},
           {"table", "--preset", "air"},
           {"mix", "--a-flow", "1", "--b-flow", "1", "--a-preset", "air", "--b-preset", "tokyo"}}) {
    EXPECT_EQ(RunCli(args).code, kExitOk) << args.front();
  }
  // One composition only, and a name that is a preset.
  EXPECT_EQ(RunCli({"mixture", "--preset", "tokyo", "--amounts", "CH4=1"}).code, kExitUsage);
  EXPECT_EQ(RunCli({"mixture", "--preset", "osaka", "--file", "x.txt"}).code, kExitUsage);
  EXPECT_EQ(RunCli({"mixture", "--preset", "nagoya"}).code, kExitUsage);
}

TEST(GasQualityCli, TextSaysTheReferenceAndShowsEachFigureInItsUnit) {
  const Outcome r = RunCli({"gas-quality", "--amounts", "CH4=1"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(Contains(r.out,
                       "gas quality (ideal gas; m3N at 0 ℃ and 101.325 kPa; air 21 % O2, "
                       "79 % N2)\n"))
      << r.out;
  for (const char* line : {
           "higher heating value  5.5495E+001  MJ/kg\n",
           "                      3.9721E+001  MJ/m3N\n",
           "lower heating value   5.0010E+001  MJ/kg\n",
           "                      8.0230E+002  MJ/kmol\n",
           "relative density      5.5607E-001  - (air = 1)\n",
           "Wobbe index, higher   5.3266E+001  MJ/m3N\n",
           "stoichiometric air    9.5238E+000  m3N air/m3N gas\n",
           "                      1.7127E+001  kg air/kg gas\n",
       }) {
    EXPECT_TRUE(Contains(r.out, line)) << line << r.out;
  }
}

TEST(GasQualityCli, JsonTableAndBatchGiveTheSameNamedValues) {
  const auto doc =
      nlohmann::json::parse(RunCli({"gas-quality", "--preset", "tokyo", "--json"}).out);
  EXPECT_EQ(doc["reference"]["normal_pressure_Pa"], 101325.0);
  std::string columns;
  for (const GasQualityQuantity& q : kGasQualityQuantities) {
    columns += (columns.empty() ? "" : ",") + std::string(q.name);
  }
  // A table's row at any state: the figures depend on the composition only.
  const Outcome table = RunCli(
      {"table", "--preset", "tokyo", "--temperature", "500", "--columns", columns, "--json"});
  ASSERT_EQ(table.code, kExitOk) << table.err;
  const auto row = nlohmann::json::parse(table.out);
  for (const GasQualityQuantity& q : kGasQualityQuantities) {
    const std::string name(q.name);
    EXPECT_EQ(row[name].get<double>(), doc[name].get<double>()) << name;
  }
  EXPECT_EQ(doc["hhv_J_per_m3N"].get<double>(),
            doc["hhv_J_per_kmol"].get<double>() / NormalMolarVolume());
}

TEST(GasQualityCli, AmountsItCannotTakeStopWithTheWindowsMessage) {
  const Outcome r = RunCli({"gas-quality", "--amounts", "CH4=0", "--json"});
  EXPECT_EQ(r.code, kExitStopped);
  EXPECT_EQ(r.err, "入力値エラー: mol体積が全て０です！！\n");
  const auto doc = nlohmann::json::parse(r.out);
  EXPECT_EQ(doc["error"]["message"], "mol体積が全て０です！！");
  EXPECT_FALSE(doc.contains("hhv_J_per_kg"));
  // Pressure and temperature have no part in it.
  EXPECT_EQ(RunCli({"gas-quality", "--pressure", "1"}).code, kExitUsage);
}

TEST(EngineeringUnitsCli, AGaugePressureInMPaIsTheAbsolutePascalsState) {
  const auto gauge = nlohmann::json::parse(
      RunCli({"mixture", "--pressure", "0.5", "--pressure-unit", "MPa", "--gauge", "--json"}).out);
  const auto pascal =
      nlohmann::json::parse(RunCli({"mixture", "--pressure", "601325", "--json"}).out);
  EXPECT_EQ(gauge["inputs"]["pressure_pa"], 601325.0);
  EXPECT_EQ(gauge["mixture"], pascal["mixture"]);
  // --gauge on a window unit converts too: 1 atm gauge is 2 atm.
  const auto atm = nlohmann::json::parse(
      RunCli({"mixture", "--pressure", "1", "--pressure-unit", "atm", "--gauge", "--json"}).out);
  EXPECT_EQ(atm["inputs"]["pressure_pa"], 202650.0);
  const Outcome bad = RunCli({"mixture", "--pressure", "x", "--pressure-unit", "bar"});
  EXPECT_EQ(bad.code, kExitUsage);
  EXPECT_EQ(bad.err, "--pressure: \"x\" is not a pressure in bar\n");
}

TEST(EngineeringUnitsCli, APressureSweepInKPaGaugeRunsInAbsolutePascals) {
  const Outcome r = RunCli({"table", "--pressure-unit", "kPa", "--gauge", "--p-from", "0", "--p-to",
                            "200", "--p-step", "100", "--columns", "pressure_Pa"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_EQ(r.out, "pressure_Pa,error\n101325,\n201325,\n301325,\n");
}

TEST(EngineeringUnitsCli, FlowsInOtherUnitsGiveTheSameResultsAsTheWindowsUnits) {
  const struct {
    std::vector<std::string> converted, window;
  } cases[] = {
      {{"heat-duty", "--amounts", "N2=1", "--t2", "125", "--flow", "0.06", "--flow-unit", "Nm3/h"},
       {"heat-duty", "--amounts", "N2=1", "--t2", "125", "--flow", "1", "--flow-unit", "Nl/min"}},
      {{"heat-duty", "--amounts", "N2=1", "--t2", "125", "--flow", "36", "--flow-unit", "kg/h"},
       {"heat-duty", "--amounts", "N2=1", "--t2", "125", "--flow", "0.01", "--flow-unit", "kg/s"}},
      {{"duct", "--flow", "36", "--flow-unit", "kg/h"},
       {"duct", "--flow", "0.01", "--flow-unit", "kg/s"}},
      {{"duct", "--flow", "0.06", "--flow-unit", "Nm3/h"},
       {"duct", "--flow", "1", "--flow-unit", "Nl/min"}},
  };
  for (const auto& c : cases) {
    const Outcome converted = RunCli(c.converted);
    ASSERT_EQ(converted.code, kExitOk) << converted.err;
    EXPECT_EQ(converted.out, RunCli(c.window).out) << c.converted.back();
  }
  const Outcome bad = RunCli({"duct", "--flow", "lots", "--flow-unit", "mol/h"});
  EXPECT_EQ(bad.code, kExitUsage);
  EXPECT_EQ(bad.err, "--flow: \"lots\" is not a flow in mol/h\n");
}

TEST(CombustionAirRatioCli, AddsTheRatioOfStoichiometricAirAndSaysTheModel) {
  const Outcome r = RunCli({"combustion", "--amounts", "CH4=1", "--air-ratio", "1.1"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  // 1.1 × 2 / 0.21 of air: 2.2 O2, of which 0.2 is left over.
  EXPECT_EQ(r.out.substr(0, r.out.find("H2  ")),
            "complete combustion, no dissociation, air ratio 1.1: 10.4761904761905 of air (21 % "
            "O2, 79 % N2) added\n\n");
  EXPECT_TRUE(Contains(r.out, "O2       0.2\nN2       8.27619047619048\n")) << r.out;
  // Exactly stoichiometric: no oxygen left.
  const auto doc = nlohmann::json::parse(
      RunCli({"combustion", "--preset", "tokyo", "--air-ratio", "1", "--json"}).out);
  EXPECT_EQ(doc["model"], "complete combustion, no dissociation");
  EXPECT_EQ(doc["composition"][1]["text"], "0");
  EXPECT_DOUBLE_EQ(doc["air_added"].get<double>(), 2.2985 / 0.21 * 100);
  // Too little air to burn completely, and ratios that are none.
  EXPECT_EQ(RunCli({"combustion", "--amounts", "CH4=1", "--air-ratio", "0.9"}).err,
            "エラーメッセージ: O2不足です\n");
  EXPECT_EQ(RunCli({"combustion", "--air-ratio", "-1"}).code, kExitUsage);
  EXPECT_EQ(RunCli({"combustion", "--amounts", "CH4=-1", "--air-ratio", "1"}).code, kExitStopped);
}

}  // namespace
}  // namespace toluvek::cli
