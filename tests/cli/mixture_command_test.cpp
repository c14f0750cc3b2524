#include <sstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/cli_app.hpp"
#include "cli/mixture_options.hpp"
#include "run_cli.hpp"
#include "tests/comma_locale.hpp"

namespace toluvek::cli {
namespace {

TEST(MixtureCommand, PrintsTheAirExampleAsTheWindowShowsIt) {
  const Outcome r = RunCli(
      {"mixture", "--pressure", "101325", "--temperature", "20", "--amounts", "N2=79,O2=21"});
  EXPECT_EQ(r.code, kExitOk);
  EXPECT_EQ(r.err, "");
  EXPECT_NE(r.out.find("分子量      2.885E+001  kg/kmol\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("密度        1.199E+000  kg/m3\n"), std::string::npos);
  EXPECT_NE(r.out.find("定圧比熱    1.013E+003  J/kg/K\n"), std::string::npos);
  EXPECT_NE(r.out.find("Pr数        7.289E-001  -\n"), std::string::npos);
  EXPECT_NE(r.out.find("O2       2.100E-001  2.329E-001"), std::string::npos);
}

TEST(MixtureCommand, JsonCarriesFullPrecisionBesideTheTexts) {
  const Outcome r = RunCli({"mixture", "--temperature", "293.15", "--temperature-unit", "K",
                            "--amounts", "0,21,79,0,0,0,0,0,0,0,0,0", "--json"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  const auto doc = nlohmann::json::parse(r.out);
  EXPECT_EQ(doc["mixture"]["molar_mass"]["text"], "2.885E+001");
  EXPECT_NEAR(doc["mixture"]["density"]["value"].get<double>(), 1.19934419, 5e-9);
  EXPECT_EQ(doc["species"][2]["label"], "N2");
  EXPECT_EQ(doc["species"][2]["mole_fraction"]["text"], "7.900E-001");
  EXPECT_EQ(doc["inputs"]["pressure_pa"], 101325.0);
  EXPECT_FALSE(doc.contains("error"));
}

TEST(MixtureCommand, ADecimalCommaLocaleChangesNoOutput) {
  const std::vector<std::string> text = {"mixture", "--temperature", "25.5", "--amounts",
                                         "H2=0.5,O2=21,N2=79"};
  std::vector<std::string> json = text;
  json.push_back("--json");
  const Outcome c_text = RunCli(text), c_json = RunCli(json);
  const testing::CommaLocale comma;
  ASSERT_TRUE(comma.active()) << testing::kNoCommaLocale;
  const Outcome comma_text = RunCli(text), comma_json = RunCli(json);
  EXPECT_EQ(comma_text.out, c_text.out);
  EXPECT_EQ(comma_json.out, c_json.out);
  EXPECT_EQ(comma_text.code, kExitOk) << comma_text.err;
  EXPECT_NE(comma_json.out.find("0.5"), std::string::npos);
}

TEST(MixtureCommand, AMessageEndsWithExitOneAndKeepsWhatWasWritten) {
  const Outcome r = RunCli({"mixture", "--pressure", "0", "--json"});
  EXPECT_EQ(r.code, kExitStopped);
  EXPECT_EQ(r.err, "Toluvek: 入力値を確認下さい。\n");
  const auto doc = nlohmann::json::parse(r.out);
  EXPECT_EQ(doc["error"]["message"], "入力値を確認下さい。");
  EXPECT_EQ(doc["error"]["title"], "Toluvek");
  EXPECT_EQ(doc["mixture"]["density"]["text"], "0.000E+000");
  EXPECT_FALSE(doc["mixture"].contains("kinematic_viscosity"));
}

// Every subcommand that shows properties warns once where the fits do not hold, exit code
// unchanged, and says in JSON whether they do.
TEST(MixtureCommand, PropertiesBeyondTheFitsWarnOnceAndAreFlaggedInJson) {
  const struct {
    std::vector<std::string> args;
    int code;
    std::string err;     // before the warning
    std::string kelvin;  // in the warning; empty: no warning
  } cases[] = {
      {{"mixture", "--temperature", "1000", "--temperature-unit", "K"}, kExitOk, "", ""},
      {{"mixture", "--temperature", "1000.01", "--temperature-unit", "K"}, kExitOk, "", "1000.01"},
      {{"mixture", "--temperature", "900", "--pressure", "0"},
       kExitStopped,
       "Toluvek: 入力値を確認下さい。\n",
       "1173.15"},
      {{"combustion", "--amounts", "CH4=1,O2=2.2,N2=8.276"}, kExitOk, "", "2188.15"},
      {{"duct", "--flow", "1", "--temperature", "800"}, kExitOk, "", "1073.15"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[2]);
    const std::string err =
        c.kelvin.empty() ? c.err
                         : c.err + "warning: the properties at " + c.kelvin +
                               " K are extrapolated: the fits of cp, λ and μ hold from 200 to "
                               "1000 K\n";
    const Outcome text = RunCli(c.args);
    EXPECT_EQ(text.code, c.code);
    EXPECT_EQ(text.err, err);
    std::vector<std::string> json_args = c.args;
    json_args.push_back("--json");
    const Outcome json = RunCli(json_args);
    EXPECT_EQ(json.err, err);
    const auto doc = nlohmann::json::parse(json.out);
    const auto& holder = c.args[0] == "combustion" ? doc["burnt_gas"] : doc;
    EXPECT_EQ(holder.value("outside_fit_range", nlohmann::json()), !c.kelvin.empty());
  }
  // No properties, nothing to flag.
  const Outcome none = RunCli({"mixture", "--temperature", "-300", "--json"});
  EXPECT_FALSE(nlohmann::json::parse(none.out).contains("outside_fit_range"));
}

TEST(MixtureCommand, ValidationMessagesCarryTheirTitle) {
  const Outcome r = RunCli({"mixture", "--amounts", "0,0,0,0,0,0,0,0,0,0,0,0"});
  EXPECT_EQ(r.code, kExitStopped);
  EXPECT_EQ(r.err, "入力値エラー: mol体積が全て０です！！\n");
}

TEST(MixtureCommand, UsageErrorsExitWithTwo) {
  EXPECT_EQ(RunCli({}).code, kExitUsage);
  EXPECT_EQ(RunCli({"mixture", "--pressure-unit", "psi"}).code, kExitUsage);
  EXPECT_EQ(RunCli({"mixture", "--amounts", "1,2,3"}).code, kExitUsage);
  EXPECT_EQ(RunCli({"mixture", "--amounts", "Xe=1"}).code, kExitUsage);
  EXPECT_EQ(RunCli({"frobnicate"}).code, kExitUsage);
}

TEST(AmountList, ReadsPositionalAndNamedForms) {
  const auto positional = ParseAmountList("1,2,3,4,5,6,7,8,9,10,11,12");
  ASSERT_TRUE(positional);
  EXPECT_EQ((*positional)[11], "12");
  const auto named = ParseAmountList("i-C4H10=0.7,O2=21");
  ASSERT_TRUE(named);
  EXPECT_EQ((*named)[kIC4H10], "0.7");
  EXPECT_EQ((*named)[kO2], "21");
  EXPECT_EQ((*named)[kH2], "0");
  EXPECT_FALSE(ParseAmountList("O2"));
  EXPECT_FALSE(ParseAmountList("1,2"));
}

}  // namespace
}  // namespace toluvek::cli
