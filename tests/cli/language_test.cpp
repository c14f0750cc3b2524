#include "cli/language.hpp"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "run_cli.hpp"

namespace toluvek::cli {
namespace {

std::vector<std::string> InEnglish(std::vector<std::string> args) {
  args.insert(args.begin(), {"--language", "en"});
  return args;
}

// A message's code is the same in both languages, and only its texts change; the codes are
// what scripts match, so they are pinned here.
TEST(CliLanguage, AMessageKeepsItsCodeAndChangesItsTexts) {
  const struct {
    std::vector<std::string> args;
    const char* key;  // where the message is in the document
    const char* code;
    const char* japanese;
    const char* english;
    const char* english_title;
  } cases[] = {
      {{"mixture", "--amounts", "CH4=0", "--json"},
       "error",
       "all_zero_composition",
       "mol体積が全て０です！！",
       "All molar volumes are 0!!",
       "Input error"},
      {{"mixture", "--pressure", "-5", "--json"},
       "error",
       "negative_pressure",
       "圧力が負です!!",
       "The pressure is negative!!",
       "Error message"},
      {{"mixture", "--pressure", "0", "--json"},
       "error",
       "check_input",
       "入力値を確認下さい。",
       "Please check the input values.",
       "Toluvek"},
      {{"combustion", "--amounts", "CH4=1", "--json"},
       "error",
       "oxygen_short",
       "O2不足です",
       "Not enough O2",
       "Error message"},
      {{"convert", "temperature", "-1", "--unit", "R", "--json"},
       "messages",
       "below_absolute_zero",
       "絶対零度以下です!",
       "Below absolute zero!",
       "Toluvek"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.front() + " " + c.code);
    const Outcome ja = RunCli(c.args);
    const Outcome en = RunCli(InEnglish(c.args));
    EXPECT_EQ(ja.code, en.code);
    nlohmann::json ja_message = nlohmann::json::parse(ja.out)[c.key];
    nlohmann::json en_message = nlohmann::json::parse(en.out)[c.key];
    if (ja_message.is_array()) ja_message = ja_message.at(0);
    if (en_message.is_array()) en_message = en_message.at(0);
    EXPECT_EQ(ja_message["code"], c.code);
    EXPECT_EQ(en_message["code"], c.code);
    EXPECT_EQ(ja_message["message"], c.japanese);
    EXPECT_EQ(en_message["message"], c.english);
    EXPECT_EQ(en_message["title"], c.english_title);
  }
}

TEST(CliLanguage, StandardErrorAndTablesSpeakTheLanguage) {
  const Outcome text = RunCli(InEnglish({"mixture", "--amounts", "CH4=0"}));
  EXPECT_EQ(text.code, kExitStopped);
  EXPECT_EQ(text.err, "Input error: All molar volumes are 0!!\n");

  const Outcome table = RunCli(InEnglish(
      {"table", "--temperature", "0", "--pressure", "-1", "--columns", "pressure_Pa", "--json"}));
  EXPECT_EQ(table.out,
            "{\"pressure_Pa\":-1,\"error\":\"The pressure is negative!!\","
            "\"error_code\":\"negative_pressure\"}\n");
  const Outcome csv = RunCli(
      InEnglish({"table", "--temperature", "0", "--pressure", "-1", "--columns", "pressure_Pa"}));
  EXPECT_EQ(csv.out, "pressure_Pa,error\n-1,The pressure is negative!!\n");

  const Outcome unknown = RunCli({"--language", "fr", "mixture"});
  EXPECT_EQ(unknown.code, kExitUsage);
}

// A text the catalogue has only as a head, followed by a number, as the total molar volume's box
// shows; a text without Japanese letters, or unknown, stays as it is.
TEST(CliLanguage, EnglishOfHeadsAndUnknownTexts) {
  EXPECT_EQ(English("総モル体積 = 100"), "Total molar volume = 100");
  EXPECT_EQ(English("入力値を確認下さい。"), "Please check the input values.");
  EXPECT_EQ(English("line 3: pressure_unit"), "line 3: pressure_unit");
  EXPECT_EQ(English("未知の文 = 1"), "未知の文 = 1");
  EXPECT_EQ(English(""), "");
}

}  // namespace
}  // namespace toluvek::cli
