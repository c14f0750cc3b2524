#include "files/composition_file.hpp"
#include "files/text_encoding.hpp"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <limits>

#include <gtest/gtest.h>

#include "common/checked.hpp"
#include "common/number_text.hpp"
#include "tests/support/files.hpp"

namespace toluvek {
namespace {

namespace fs = std::filesystem;

TEST(CompositionWriter, DateLiteralDropsTheTimeAtMidnight) {
  EXPECT_EQ(DateTimeLiteral({2004, 3, 24, 22, 56, 0}), "#2004-03-24 22:56:00#");
  EXPECT_EQ(DateTimeLiteral({2004, 3, 25, 0, 0, 0}), "#2004-03-25#");
  EXPECT_EQ(DateTimeLiteral({2004, 3, 25, 0, 0, 1}), "#2004-03-25 00:00:01#");
}

TEST(CompositionWriter, StartUpStateGivesTheExpectedBytes) {
  const CompositionData data{101325, "Pa", 25, "℃", {0, 21, 79, 0, 0, 0, 0, 0, 0, 0, 0, 0}};
  EXPECT_EQ(Utf8ToCp932(CompositionText(data, {2004, 3, 24, 22, 56, 0})), kStartUpFile);
}

TEST(CompositionWriter, NumbersAreWrittenWithTheGeneralFormat) {
  const CompositionData data{
      1.5, "atm", -3.25, "K", {0.5, 1e-05, 88.5, 1e20, 0, 0, 0, 0, 0, 0, 0, 7}};
  const std::string text = CompositionText(data, {2004, 3, 24, 22, 56, 0});
  EXPECT_NE(text.find("\r\n\"圧力\",1.5,\"atm\",\"温度\",-3.25,\"K\"\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n\"H2\",0.5,\"O2\",1E-05\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n\"N2\",88.5,\"CO\",1E+20\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n\"n-C4H10\",0,\"i-C4H10\",7\r\n"), std::string::npos);
}

TEST(CompositionWriter, BoundaryValuesReadBackOrAreRefused) {
  using limits = std::numeric_limits<double>;
  const struct {
    double value;
    bool written;
  } cases[] = {
      {limits::max(), false},  // fifteen digits round it up beyond the range
      {limits::lowest(), false},
      {1.79769313486231e308, true},  // the largest fifteen-digit text still in range
      {limits::min(), true},
      {-limits::min(), true},
      {limits::denorm_min(), true},
      {2.2250738585072009e-308, true},  // the largest subnormal
      {1e-320, true},
  };
  for (const auto& c : cases) {
    for (std::size_t slot = 0; slot < 3; ++slot) {  // pressure, temperature, an amount
      CompositionData data{101325, "Pa", 25, "℃", {0, 21, 79, 0, 0, 0, 0, 0, 0, 0, 0, 0}};
      (slot == 0 ? data.pressure : slot == 1 ? data.temperature : data.amounts[kCH4]) = c.value;
      SCOPED_TRACE(::testing::Message() << c.value << " in slot " << slot);
      if (!c.written) {
        EXPECT_THROW(CompositionText(data, {2004, 3, 24, 22, 56, 0}), ArithmeticFault);
        continue;
      }
      const auto bytes = Utf8ToCp932(CompositionText(data, {2004, 3, 24, 22, 56, 0}));
      ASSERT_TRUE(bytes);
      const CompositionReadResult read = ParseComposition(*bytes);
      ASSERT_TRUE(read.ok()) << static_cast<int>(read.error);
      const double back = slot == 0   ? read.data->pressure
                          : slot == 1 ? read.data->temperature
                                      : read.data->amounts[kCH4];
      EXPECT_EQ(FormatGeneral(back), FormatGeneral(c.value));
    }
  }
}

TEST(CompositionReader, ReadsWhatTheWriterWrites) {
  const CompositionReadResult read = ParseComposition(kStartUpFile);
  ASSERT_TRUE(read.ok()) << static_cast<int>(read.error);
  EXPECT_EQ(*read.data, StartUpData());
}

TEST(CompositionReader, SeparatorsQuotesAndBlanksAsFilesFromTheFieldUseThem) {
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"fields on one line", ReplacedAll(kStartUpFile, "\r\n", ",")},
      {"LF line ends", ReplacedAll(kStartUpFile, "\r\n", "\n")},
      {"CR line ends", ReplacedAll(kStartUpFile, "\r\n", "\r")},
      {"blank lines yield no field", ReplacedAll(kStartUpFile, "\r\n", "\r\n\r\n  \t\r\n")},
      {"blanks and tabs around fields", ReplacedAll(kStartUpFile, ",", " \t, ")},
      {"last line without a line end", kStartUpFile.substr(0, kStartUpFile.size() - 2)},
      {"labels are never compared",
       Replaced(Replaced(kStartUpFile, "\"H2\"", "\"Wasser\""), "\"CO\"", "whatever")},
      {"text after a closing quote is dropped",
       Replaced(Replaced(kStartUpFile, "\"Pa\"", "\"Pa\"junk"), "\"O2\"", "\"O\"2")},
      {"a bare unit name is trimmed", Replaced(kStartUpFile, "\"Pa\"", "  Pa  ")},
      {"anything after the 32nd field is ignored",
       kStartUpFile + "\"extra\",\x81,\xFF\xFE\x00 binary" + std::string(1, '\0')},
      {"a unit name between # marks names nothing", Replaced(kStartUpFile, "\"Pa\"", "#Pa#")},
  };
  for (const auto& c : cases) {
    const CompositionReadResult read = ParseComposition(c.bytes);
    ASSERT_TRUE(read.ok()) << c.name << ": error " << static_cast<int>(read.error);
    CompositionData expected = StartUpData();
    if (std::string_view(c.name).starts_with("a unit name between")) expected.pressure_unit = "";
    EXPECT_EQ(*read.data, expected) << c.name;
  }
}

TEST(CompositionReader, NumbersInEveryFormTheFieldUses) {
  const std::string bytes =
      Replaced(Replaced(Replaced(Replaced(kStartUpFile, ",101325,", ", 1.01325E+005 ,"),
                                 "\"H2\",0,", "\"H2\",.5,"),
                        "\"CO\",0", "\"CO\",1E-05"),
               ",\"i-C4H10\",0", ",\"i-C4H10\",-2");
  const CompositionReadResult read = ParseComposition(bytes);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.data->pressure, 101325);
  EXPECT_EQ(read.data->amounts[kH2], 0.5);
  EXPECT_EQ(read.data->amounts[kCO], 1e-5);
  EXPECT_EQ(read.data->amounts[kIC4H10], -2);  // the calculation rejects it, not the file
}

TEST(CompositionReader, UnknownUnitNamesAreKeptAsText) {
  const std::string bytes =
      Replaced(Replaced(kStartUpFile, "\"Pa\"", "\"bar\""), "\"\x81\x8E\"", "\"\x81\x8E \"");
  const CompositionReadResult read = ParseComposition(bytes);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.data->pressure_unit, "bar");
  EXPECT_EQ(read.data->temperature_unit, "℃ ");
}

TEST(CompositionReader, FailsOnMissingFieldsNonNumbersAndForeignBytes) {
  const std::size_t after_line5 = kStartUpFile.find("\"CO2\"");
  const struct {
    const char* name;
    std::string bytes;
    CompositionError error;
  } cases[] = {
      {"empty file", "", CompositionError::kTooFewFields},
      {"stops after line 5", kStartUpFile.substr(0, after_line5), CompositionError::kTooFewFields},
      {"only line ends", std::string(500, '\n'), CompositionError::kTooFewFields},
      {"a trailing comma yields an empty field, shifting the rest",
       Replaced(kStartUpFile, "\"\x81\x8E\"\r\n", "\"\x81\x8E\",\r\n"),
       CompositionError::kNotANumber},
      {"quoted number", Replaced(kStartUpFile, ",101325,", ",\"101325\","),
       CompositionError::kNotANumber},
      {"empty number", Replaced(kStartUpFile, ",25,", ",,"), CompositionError::kNotANumber},
      {"blank number", Replaced(kStartUpFile, ",25,", ",  ,"), CompositionError::kNotANumber},
      {"date as number", Replaced(kStartUpFile, ",79,", ",#2004-01-01#,"),
       CompositionError::kNotANumber},
      {"number with text", Replaced(kStartUpFile, ",79,", ",79abc,"),
       CompositionError::kNotANumber},
      {"beyond a double", Replaced(kStartUpFile, ",79,", ",1e400,"), CompositionError::kNotANumber},
      {"infinity", Replaced(kStartUpFile, ",79,", ",inf,"), CompositionError::kNotANumber},
      {"last amount missing", kStartUpFile.substr(0, kStartUpFile.size() - 3),
       CompositionError::kNotANumber},
      {"a quote left open joins fields", Replaced(kStartUpFile, "\"N2\"", "\"N2"),
       CompositionError::kTooFewFields},
      {"a number with bytes that are no characters", Replaced(kStartUpFile, ",79,", ",7\x81\xA0,"),
       CompositionError::kNotANumber},
      {"binary",
       std::string("\x7F"
                   "ELF\x02\x01\x01\0\0\0,\0\0\n",
                   14) +
           std::string(300, '\xFF'),
       CompositionError::kTooFewFields},
  };
  for (const auto& c : cases) {
    const CompositionReadResult read = ParseComposition(c.bytes);
    EXPECT_FALSE(read.ok()) << c.name;
    EXPECT_EQ(read.error, c.error) << c.name;
  }
}

TEST(CompositionReader, SkippedFieldsMayHoldAnyBytesAndUtf8IsRead) {
  const std::string utf8 = *Cp932ToUtf8(kStartUpFile);
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"a label with a byte that is no code-page-932 character",
       Replaced(kStartUpFile, "\"H2\"", "\"\xA0\"")},
      {"a label cut after a lead byte", Replaced(kStartUpFile, "\"CO\"", "\"\x81\"")},
      {"a bare label that is a lone lead byte", Replaced(kStartUpFile, "\"CO\"", "\x81")},
      {"a date with stray bytes", Replaced(kStartUpFile, "22:56:00", "\xFF\xFE\x81")},
      {"a UTF-8 byte-order mark before code page 932", "\xEF\xBB\xBF" + kStartUpFile},
      {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + utf8},
      {"UTF-8 without a byte-order mark", utf8},
  };
  for (const auto& c : cases) {
    const CompositionReadResult read = ParseComposition(c.bytes);
    ASSERT_TRUE(read.ok()) << c.name << ": " << static_cast<int>(read.error);
    EXPECT_EQ(*read.data, StartUpData()) << c.name;
  }
  // A unit name in neither encoding is an unknown name, its stray bytes U+FFFD.
  const CompositionReadResult odd = ParseComposition(Replaced(kStartUpFile, "\"Pa\"", "\"P\x81\""));
  ASSERT_TRUE(odd.ok());
  EXPECT_EQ(odd.data->pressure_unit, "P\uFFFD");
}

TEST(CompositionReader, AFieldRunningIntoTheEndOfAnUnfinishedReadIsIncomplete) {
  // "…,0" could go on as "…,05" in the rest of the file.
  const std::string cut = kStartUpFile.substr(0, kStartUpFile.size() - 2);
  EXPECT_EQ(ParseComposition(cut, false).error, CompositionError::kBeyondReadLimit);
  EXPECT_TRUE(ParseComposition(cut, true).ok());
  EXPECT_TRUE(ParseComposition(kStartUpFile, false).ok());
  const std::string open_quote = kStartUpFile + "\"never closed";
  EXPECT_TRUE(ParseComposition(open_quote, false).ok());  // beyond the 32nd field
}

TEST(CompositionFileRead, RefusesWhatIsNoRegularFileWithoutWaiting) {
  TempFolder folder;
  const std::string fifo = folder.File("pipe.txt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ReadCompositionFile(fifo).error, CompositionError::kNotRegularFile);
  EXPECT_EQ(ReadCompositionFile("/dev/zero").error, CompositionError::kNotRegularFile);
  EXPECT_EQ(ReadCompositionFile(folder.path()).error, CompositionError::kOpen);
  EXPECT_EQ(ReadCompositionFile(folder.File("vanished.txt")).error, CompositionError::kOpen);
}

TEST(CompositionFileRead, ReadsOnlyTheBeginningOfAHugeFile) {
  TempFolder folder;
  // A gigabyte, sparse: a valid head and zeros behind it, then the same without the head.
  const std::string headed = folder.File("headed.txt");
  WriteBytes(headed, kStartUpFile);
  ASSERT_EQ(::truncate(headed.c_str(), 1L << 30), 0);
  const CompositionReadResult read = ReadCompositionFile(headed);
  ASSERT_TRUE(read.ok()) << static_cast<int>(read.error);
  EXPECT_EQ(*read.data, StartUpData());

  const std::string zeros = folder.File("zeros.dat");
  WriteBytes(zeros, "");
  ASSERT_EQ(::truncate(zeros.c_str(), 1L << 30), 0);
  EXPECT_EQ(ReadCompositionFile(zeros).error, CompositionError::kBeyondReadLimit);

  // Fields that only complete beyond the bound are not waited for.
  const std::string late = folder.File("late.txt");
  WriteBytes(late, std::string(kCompositionReadLimit, ' ') + kStartUpFile);
  EXPECT_EQ(ReadCompositionFile(late).error, CompositionError::kBeyondReadLimit);
  const std::string just = folder.File("just.txt");
  WriteBytes(just, std::string(kCompositionReadLimit - kStartUpFile.size(), '\n') + kStartUpFile);
  EXPECT_TRUE(ReadCompositionFile(just).ok());
}

}  // namespace
}  // namespace toluvek
