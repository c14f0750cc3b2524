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

// Kana (U+3041…U+30FF, UTF-8 E3 81–83 ..) or kanji (U+4E00…U+9FFF, leads E4–E9) in the text.
bool HasKanaOrKanji(const std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const auto next = static_cast<unsigned char>(text[i + 1]);
    if ((lead == 0xE3 && next >= 0x81 && next <= 0x83) || (lead >= 0xE4 && lead <= 0xE9)) {
      return true;
    }
  }
  return false;
}

// In English every caption of the text output is English too; the units stay as they are.
TEST(CliLanguage, TextOutputHasNoJapaneseLeft) {
  const std::vector<std::vector<std::string>> runs = {
      {"mixture", "--amounts", "CH4=1"},
      {"combustion", "--amounts", "CH4=1,O2=2,N2=7.52"},
      {"heat-duty", "--amounts", "N2=1,H2O=1,CH3OH=1", "--flow", "1", "--t1", "25", "--t2", "125"},
      {"mix", "--a-temperature", "25", "--a-flow", "1", "--a-amounts", "CH4=1", "--b-temperature",
       "500", "--b-flow", "10", "--b-amounts", "O2=21,N2=79"},
      {"duct", "--flow", "1", "--temperature", "0", "--shape", "circle", "--d1", "10"},
      {"presets"},
      {"tsat", "--amounts", "H2O=10,N2=90"},
      {"gas-quality", "--preset", "tokyo"},
  };
  for (const auto& args : runs) {
    const Outcome ja = RunCli(args);
    const Outcome en = RunCli(InEnglish(args));
    EXPECT_EQ(en.code, ja.code) << args.front();
    EXPECT_FALSE(HasKanaOrKanji(en.out + en.err)) << args.front() << "\n" << en.out << en.err;
  }
  // The captions' columns widen to the English words; the values stay aligned.
  EXPECT_NE(RunCli(InEnglish({"mixture"})).out.find("Kinematic viscosity  "), std::string::npos);
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
