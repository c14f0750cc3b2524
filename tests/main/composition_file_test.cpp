#include "main/composition_file.hpp"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include <gtest/gtest.h>

#include "common/checked.hpp"
#include "common/number_text.hpp"

#include "main/main_window_fields.hpp"
#include "main/main_window_model.hpp"
#include "main/report.hpp"
#include "tests/comma_locale.hpp"
#include "tests/support/fakes.hpp"

namespace toluvek {
namespace {

namespace fs = std::filesystem;

// The start-up state saved at 2004-03-24 22:56:00, byte for byte: 圧力 is 88 B3 97 CD,
// 温度 89 B7 93 78 and ℃ 81 8E in code page 932.
const std::string kStartUpFile =
    "#2004-03-24 22:56:00#\r\n"
    "\"\x88\xB3\x97\xCD\",101325,\"Pa\",\"\x89\xB7\x93"
    "x\",25,\"\x81\x8E\"\r\n"
    "\"----- Molar Fraction --------------\"\r\n"
    "\"H2\",0,\"O2\",21\r\n"
    "\"N2\",79,\"CO\",0\r\n"
    "\"CO2\",0,\"H2O\",0\r\n"
    "\"CH3OH\",0,\"CH4\",0\r\n"
    "\"C2H6\",0,\"C3H8\",0\r\n"
    "\"n-C4H10\",0,\"i-C4H10\",0\r\n";

std::string Replaced(std::string text, std::string_view from, std::string_view to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

std::string ReplacedAll(std::string text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// A folder of its own for each test, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = ::testing::TempDir() + "toluvek_files_XXXXXX";
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, ignored);
    fs::remove_all(path_, ignored);
  }
  std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }
  const std::string& path() const { return path_; }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) {
      names.push_back(entry.path().filename());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::string path_;
};

void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// --- The writer ---------------------------------------------------------------------------

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

TEST(Cp932, ConvertsBothWaysAndRejectsWhatItCannotRepresent) {
  EXPECT_EQ(Utf8ToCp932("圧力温度℃\\~"), "\x88\xB3\x97\xCD\x89\xB7\x93x\x81\x8E\\~");
  EXPECT_EQ(Utf8ToCp932("ﾌｧｲﾙ"), "\xCC\xA7\xB2\xD9");
  EXPECT_EQ(Cp932ToUtf8("\x81\x8E\\"), "℃\\");
  EXPECT_FALSE(Utf8ToCp932("😀"));        // no code in 932
  EXPECT_FALSE(Utf8ToCp932("\xC3"));     // broken UTF-8
  EXPECT_FALSE(Cp932ToUtf8("\x81"));     // a lead byte cut off at the end
  EXPECT_FALSE(Cp932ToUtf8("\xA0"));     // unassigned
  EXPECT_FALSE(Cp932ToUtf8("a\x81 b"));  // a lead byte without its trail byte
}

// --- The reader ---------------------------------------------------------------------------

CompositionData StartUpData() {
  return {101325, "Pa", 25, "℃", {0, 21, 79, 0, 0, 0, 0, 0, 0, 0, 0, 0}};
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

TEST(Utf8, InvalidBytesBecomeReplacementCharacters) {
  EXPECT_EQ(ValidUtf8("圧力 ℃ 😀 abc"), "圧力 ℃ 😀 abc");
  EXPECT_EQ(ValidUtf8("a\xFF"
                      "b"),
            "a\uFFFDb");
  EXPECT_EQ(ValidUtf8("\xE3\x81"), "\uFFFD\uFFFD");                      // cut off
  EXPECT_EQ(ValidUtf8("\xC0\xAF"), "\uFFFD\uFFFD");                      // overlong "/"
  EXPECT_EQ(ValidUtf8("\xED\xA0\x80"), "\uFFFD\uFFFD\uFFFD");            // a surrogate
  EXPECT_EQ(ValidUtf8("\xF4\x90\x80\x80"), "\uFFFD\uFFFD\uFFFD\uFFFD");  // beyond U+10FFFF
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

// --- Atomic writes --------------------------------------------------------------------------

// What the fake system call answers, in turn; then it writes normally.
std::vector<long> g_answers;
long ScriptedWrite(int fd, const void* data, std::size_t size) {
  if (g_answers.empty()) return ::write(fd, data, size);
  const long answer = g_answers.front();
  g_answers.erase(g_answers.begin());
  if (answer == -1) {
    errno = ENOSPC;
    return -1;
  }
  if (answer == -2) {
    errno = EINTR;
    return -1;
  }
  // A short count: write that much for real, as a disk that fills up does.
  return ::write(fd, data, std::min(size, static_cast<std::size_t>(answer)));
}

class AtomicWrite : public ::testing::Test {
 protected:
  void SetUp() override {
    old_mask_ = ::umask(022);
    target_ = folder_.File("data.txt");
    WriteBytes(target_, "old contents\r\n");
    g_answers.clear();
  }
  void TearDown() override { ::umask(old_mask_); }

  TempFolder folder_;
  std::string target_;
  mode_t old_mask_ = 0;
};

TEST_F(AtomicWrite, CreatesANewFileWithTheUsualPermissions) {
  const std::string fresh = folder_.File("fresh.dat");
  EXPECT_FALSE(WriteFileAtomically(fresh, kStartUpFile));
  EXPECT_EQ(ReadBytes(fresh), kStartUpFile);
  EXPECT_EQ(fs::status(fresh).permissions(), fs::perms::owner_read | fs::perms::owner_write |
                                                 fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(folder_.Names(), (std::vector<std::string>{"data.txt", "fresh.dat"}));
}

TEST_F(AtomicWrite, ReplacesAFileKeepingItsPermissions) {
  ASSERT_EQ(::chmod(target_.c_str(), 0600), 0);
  EXPECT_FALSE(WriteFileAtomically(target_, "new"));
  EXPECT_EQ(ReadBytes(target_), "new");
  EXPECT_EQ(fs::status(target_).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(folder_.Names(), std::vector<std::string>{"data.txt"});
}

TEST_F(AtomicWrite, AFullDiskLeavesTheOldFileAndNoTemporaryFile) {
  const struct {
    const char* name;
    std::vector<long> answers;
    std::errc error;
  } cases[] = {
      {"short count without an error", {5}, std::errc::no_space_on_device},
      {"nothing written", {0}, std::errc::no_space_on_device},
      {"ENOSPC", {-1}, std::errc::no_space_on_device},
      {"short count after an interruption", {-2, 3}, std::errc::no_space_on_device},
  };
  for (const auto& c : cases) {
    g_answers = c.answers;
    const std::error_code error = WriteFileAtomically(target_, kStartUpFile, ScriptedWrite);
    EXPECT_EQ(error, std::make_error_code(c.error)) << c.name;
    EXPECT_EQ(ReadBytes(target_), "old contents\r\n") << c.name;
    EXPECT_EQ(folder_.Names(), std::vector<std::string>{"data.txt"}) << c.name;
  }
}

TEST_F(AtomicWrite, AnInterruptedWriteIsRepeated) {
  g_answers = {-2};
  EXPECT_FALSE(WriteFileAtomically(target_, kStartUpFile, ScriptedWrite));
  EXPECT_EQ(ReadBytes(target_), kStartUpFile);
}

TEST_F(AtomicWrite, AMissingFolderIsReported) {
  EXPECT_EQ(WriteFileAtomically(folder_.File("no/such.txt"), "x"),
            std::make_error_code(std::errc::no_such_file_or_directory));
}

// Runs `write` where the folder's permissions count: as an unprivileged user when the tests
// run as root. Returns the error's value.
int WriteWithoutPrivileges(const std::string& path) {
  if (::geteuid() != 0) return WriteFileAtomically(path, "new").value();
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(255);
    ::_exit(WriteFileAtomically(path, "new").value());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(AtomicWrite, AReadOnlyFolderLeavesTheOldFile) {
  ASSERT_EQ(::chmod(target_.c_str(), 0666), 0);  // the file itself could be written
  ASSERT_EQ(::chmod(folder_.path().c_str(), 0555), 0);
  const int error = WriteWithoutPrivileges(target_);
  ASSERT_NE(error, 255) << "could not drop privileges";
  EXPECT_EQ(error, EACCES);
  ASSERT_EQ(::chmod(folder_.path().c_str(), 0700), 0);
  EXPECT_EQ(ReadBytes(target_), "old contents\r\n");
  EXPECT_EQ(folder_.Names(), std::vector<std::string>{"data.txt"});
}

TEST_F(AtomicWrite, ASymbolicLinkIsFollowedAndKept) {
  ASSERT_EQ(::mkdir(folder_.File("real").c_str(), 0700), 0);
  const std::string real = folder_.File("real/gas.txt");
  WriteBytes(real, "old");
  const std::string link = folder_.File("link.txt");
  ASSERT_EQ(::symlink("real/gas.txt", link.c_str()), 0);  // relative to the link's folder
  const std::string chain = folder_.File("chain.txt");
  ASSERT_EQ(::symlink(link.c_str(), chain.c_str()), 0);
  EXPECT_FALSE(WriteFileAtomically(chain, "new"));
  EXPECT_EQ(ReadBytes(real), "new");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_TRUE(fs::is_symlink(chain));
  EXPECT_EQ(folder_.Names(),
            (std::vector<std::string>{"chain.txt", "data.txt", "link.txt", "real"}));
  // A link to a name not there yet creates the file it names.
  const std::string dangling = folder_.File("dangling.txt");
  ASSERT_EQ(::symlink("real/later.txt", dangling.c_str()), 0);
  EXPECT_FALSE(WriteFileAtomically(dangling, "later"));
  EXPECT_EQ(ReadBytes(folder_.File("real/later.txt")), "later");
  EXPECT_TRUE(fs::is_symlink(dangling));
  // A loop ends.
  const std::string loop = folder_.File("loop.txt");
  ASSERT_EQ(::symlink("loop.txt", loop.c_str()), 0);
  EXPECT_EQ(WriteFileAtomically(loop, "x"),
            std::make_error_code(std::errc::too_many_symbolic_link_levels));
}

TEST_F(AtomicWrite, RefusesWhatIsNoRegularFileAndAWriteProtectedFile) {
  const std::string fifo = folder_.File("pipe.txt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ASSERT_EQ(::mkdir(folder_.File("sub").c_str(), 0700), 0);
  const std::string linked_fifo = folder_.File("to-pipe.txt");
  ASSERT_EQ(::symlink("pipe.txt", linked_fifo.c_str()), 0);
  ASSERT_EQ(::chmod(target_.c_str(), 0444), 0);  // read-only for everyone, the superuser too
  const std::vector<std::string> names = folder_.Names();
  const struct {
    std::string path;
    SaveRefusal refusal;
  } cases[] = {
      {fifo, SaveRefusal::kNotAFile},
      {linked_fifo, SaveRefusal::kNotAFile},
      {folder_.File("sub"), SaveRefusal::kNotAFile},
      {folder_.File("sub/"), SaveRefusal::kNotAFile},
      {target_, SaveRefusal::kWriteProtected},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WriteFileAtomically(c.path, "new"), c.refusal) << c.path;
    EXPECT_EQ(folder_.Names(), names) << c.path;
  }
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(ReadBytes(target_), "old contents\r\n");
}

TEST_F(AtomicWrite, AFileOfAnotherUserIsNotReplacedThroughAWritableFolder) {
  ASSERT_EQ(::chmod(target_.c_str(), 0644), 0);
  ASSERT_EQ(::chmod(folder_.path().c_str(), 0777), 0);
  if (::geteuid() != 0) GTEST_SKIP() << "needs a file of another user";
  const int error = WriteWithoutPrivileges(target_);
  ASSERT_NE(error, 255) << "could not drop privileges";
  EXPECT_EQ(error, static_cast<int>(SaveRefusal::kWriteProtected));
  EXPECT_EQ(ReadBytes(target_), "old contents\r\n");
  EXPECT_EQ(folder_.Names(), std::vector<std::string>{"data.txt"});
}

TEST_F(AtomicWrite, ANameAsLongAsAllowedFits) {
  const std::string name(255 - 4, 'n');
  EXPECT_FALSE(WriteFileAtomically(folder_.File(name + ".txt"), "new"));
  EXPECT_EQ(folder_.Names(), (std::vector<std::string>{"data.txt", name + ".txt"}));
}

TEST_F(AtomicWrite, AFileSizeLimitIsAFailedWriteNotASignal) {
  const pid_t child = ::fork();
  if (child == 0) {
    const rlimit none{0, RLIM_INFINITY};
    if (::setrlimit(RLIMIT_FSIZE, &none) != 0) ::_exit(255);
    const std::error_code error = WriteFileAtomically(target_, kStartUpFile);
    ::_exit(error == std::make_error_code(std::errc::file_too_large) ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadBytes(target_), "old contents\r\n");
  EXPECT_EQ(folder_.Names(), std::vector<std::string>{"data.txt"});
}

// --- The main window's File menu ------------------------------------------------------------

class CompositionCommands : public ::testing::Test {
 protected:
  void Answer(const std::string& path) {
    platform.answers.push_back({FileDialogResult::Status::kChosen, path});
  }
  // Everything the user sees of the inputs, and the state that a load must not touch.
  std::vector<std::string> Snapshot() const {
    std::vector<std::string> state = {window.Text(form1::kPressure),
                                      window.Text(form1::kTemperature),
                                      window.Text(form1::kMolarMass)};
    for (std::string_view field : form1::kAmount) state.push_back(window.Text(field));
    state.push_back(std::to_string(static_cast<int>(window.pressure_option())));
    state.push_back(std::to_string(static_cast<int>(window.pressure_unit())));
    state.push_back(std::to_string(static_cast<int>(window.temperature_unit())));
    state.push_back(window.Enabled(form1::kCalculate) ? "enabled" : "disabled");
    state.push_back(window.Enabled(form1::kPrevious) ? "prev" : "no prev");
    return state;
  }

  TempFolder folder;
  FakePlatform platform;
  MainWindowModel window{platform.Services()};
};

TEST_F(CompositionCommands, SavingTheStartUpStateWritesTheExpectedBytes) {
  Answer(folder.File("air.txt"));
  const auto before = Snapshot();
  window.SaveComposition();
  ASSERT_EQ(platform.asked.size(), 1u);
  EXPECT_EQ(platform.asked[0].title, "データ保存");
  EXPECT_EQ(platform.asked[0].filter, "ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|ﾃﾞｰﾀﾌｧｲﾙ(*.dat)|*.dat");
  EXPECT_EQ(platform.asked[0].default_extension, "txt");
  EXPECT_TRUE(platform.asked[0].save);
  EXPECT_EQ(ReadBytes(folder.File("air.txt")), kStartUpFile);
  EXPECT_TRUE(platform.shown.empty());
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(window.current_inputs(), InputRecord{});
}

TEST_F(CompositionCommands, ADecimalCommaLocaleChangesNoWrittenNumber) {
  // The same inputs saved, reported and loaded under C and under a decimal comma.
  auto save_and_report = [this](const std::string& name) {
    window.SetText(form1::kTemperature, "25.5");
    window.SetText(form1::kAmount[kH2], "0.5");
    EXPECT_TRUE(window.Calculate());
    EXPECT_FALSE(window.SaveCompositionFile(folder.File(name)));
    return std::pair(ReadBytes(folder.File(name)), ResultsReport(window));
  };
  const auto [c_file, c_report] = save_and_report("c.txt");
  const testing::CommaLocale comma;
  ASSERT_TRUE(comma.active()) << testing::kNoCommaLocale;
  const auto [comma_file, comma_report] = save_and_report("comma.txt");
  EXPECT_EQ(comma_file.substr(comma_file.find("\r\n")), c_file.substr(c_file.find("\r\n")));
  EXPECT_NE(comma_file.find(",25.5,"), std::string::npos) << comma_file;
  EXPECT_EQ(comma_report, c_report);
  EXPECT_NE(comma_report.find("2.5500E+001"), std::string::npos) << comma_report;
  EXPECT_TRUE(window.LoadCompositionFile(folder.File("comma.txt")));
  EXPECT_EQ(window.Text(form1::kAmount[kH2]), "0.5");
  EXPECT_EQ(window.current_inputs().amounts[kH2], 0.5);
  EXPECT_TRUE(platform.shown.empty());
}

TEST_F(CompositionCommands, SavingWritesTheLenientValuesOfTheFields) {
  window.SetText(form1::kAmount[kH2], "abc");
  window.SetText(form1::kAmount[kO2], "12abc");
  window.SetText(form1::kAmount[kN2], ".5");
  window.SetText(form1::kAmount[kCO], " 1E-05x");
  window.SetText(form1::kPressure, "");
  platform.now = {2004, 3, 25, 0, 0, 0};
  Answer(folder.File("odd.dat"));
  window.SaveComposition();
  const std::optional<std::string> text = Cp932ToUtf8(ReadBytes(folder.File("odd.dat")));
  ASSERT_TRUE(text);
  EXPECT_EQ(text->substr(0, text->find("\r\n\"-")),
            "#2004-03-25#\r\n\"圧力\",0,\"Pa\",\"温度\",25,\"℃\"");
  EXPECT_NE(text->find("\r\n\"H2\",0,\"O2\",12\r\n\"N2\",0.5,\"CO\",1E-05\r\n"), std::string::npos);
}

TEST_F(CompositionCommands, SavingNamesTheUnitsOfTheOptionsShown) {
  window.SelectPressureUnit(PressureUnit::kKgfCm2);
  window.SelectTemperatureUnit(TemperatureUnit::kKelvin);
  const std::string path = folder.File("kgf.txt");
  EXPECT_FALSE(window.SaveCompositionFile(path));
  const std::optional<std::string> text = Cp932ToUtf8(ReadBytes(path));
  ASSERT_TRUE(text);
  EXPECT_NE(text->find("\r\n\"圧力\",1.03323,\"kgf/cm2\",\"温度\",298.15,\"K\"\r\n"),
            std::string::npos);
}

TEST_F(CompositionCommands, AFailedSaveSaysSoAndChangesNothing) {
  const auto before = Snapshot();
  Answer(folder.File("missing/air.txt"));
  window.SaveComposition();
  EXPECT_EQ(platform.beeps, 1);
  ASSERT_EQ(platform.shown.size(), 1u);
  EXPECT_EQ(platform.shown[0],
            (Message{"ﾌｧｲﾙの保存でｴﾗｰが発生しました。", "Toluvek", MessageIcon::kExclamation}));
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(CompositionCommands, SavingFollowsALinkAndRefusesWhatItMayNotReplace) {
  const std::string real = folder.File("real.txt");
  const std::string link = folder.File("link.txt");
  WriteBytes(real, "old");
  ASSERT_EQ(::symlink("real.txt", link.c_str()), 0);
  Answer(link);
  window.SaveComposition();
  EXPECT_TRUE(platform.shown.empty());
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadCompositionFile(real).data, StartUpData());

  const std::string fifo = folder.File("pipe.txt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ASSERT_EQ(::chmod(real.c_str(), 0444), 0);
  for (const std::string& path : {fifo, real, folder.path()}) {
    platform.shown.clear();
    Answer(path);
    window.SaveComposition();
    EXPECT_EQ(platform.shown, std::vector<Message>{messages::kFileNotSaved}) << path;
  }
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"link.txt", "pipe.txt", "real.txt"}));
}

TEST_F(CompositionCommands, AValueWhoseTextWouldNotReadBackIsRefused) {
  window.SetText(form1::kAmount[kO2], "1.7976931348623157e308");
  EXPECT_EQ(window.SaveCompositionFile(folder.File("big.txt")), SaveRefusal::kValueOutOfRange);
  EXPECT_EQ(platform.shown, std::vector<Message>{messages::kCheckInput});
  EXPECT_TRUE(folder.Names().empty());
}

TEST_F(CompositionCommands, AnOverflowingFieldIsTheGeneralMessageAndNoFile) {
  window.SetText(form1::kAmount[kCH4], "1e999");
  EXPECT_TRUE(window.SaveCompositionFile(folder.File("big.txt")));
  EXPECT_EQ(platform.shown, std::vector<Message>{messages::kCheckInput});
  EXPECT_TRUE(folder.Names().empty());
}

TEST_F(CompositionCommands, DialogsThatGiveNoPathStopQuietlyAndFailuresBeep) {
  for (const bool save : {true, false}) {
    platform.answers = {{FileDialogResult::Status::kCancelled, ""},
                        {FileDialogResult::Status::kChosen, ""},
                        {FileDialogResult::Status::kFailed, ""}};
    platform.shown.clear();
    platform.beeps = 0;
    const auto before = Snapshot();
    for (int i = 0; i < 3; ++i) save ? window.SaveComposition() : window.OpenComposition();
    EXPECT_EQ(platform.beeps, 1) << save;
    EXPECT_EQ(platform.shown, (std::vector<Message>{{"ﾌｧｲﾙの選択でｴﾗｰが発生しました。", "Toluvek",
                                                     MessageIcon::kExclamation}}))
        << save;
    EXPECT_EQ(Snapshot(), before);
  }
  EXPECT_TRUE(folder.Names().empty());
  ASSERT_EQ(platform.asked.size(), 6u);
  EXPECT_EQ(platform.asked[3].title, "データファイルの選択");
  EXPECT_EQ(platform.asked[3].filter, platform.asked[0].filter);
  EXPECT_FALSE(platform.asked[3].save);
}

TEST_F(CompositionCommands, LoadingChoosesTheFileUnitsAndCalculates) {
  window.SelectPressureUnit(PressureUnit::kAtm);
  window.SelectTemperatureUnit(TemperatureUnit::kKelvin);
  window.SetText(form1::kPressure, "2");
  window.SetText(form1::kTemperature, "300");
  window.SetText(form1::kAmount[kCH4], "1.5");
  const std::string path = folder.File("atm.txt");
  ASSERT_FALSE(window.SaveCompositionFile(path));

  FakePlatform other_platform;
  MainWindowModel other{other_platform.Services()};
  other_platform.answers.push_back({FileDialogResult::Status::kChosen, path});
  other.OpenComposition();
  EXPECT_TRUE(other_platform.shown.empty());
  EXPECT_EQ(other.pressure_option(), PressureUnit::kAtm);
  EXPECT_EQ(other.pressure_unit(), PressureUnit::kAtm);
  EXPECT_EQ(other.temperature_unit(), TemperatureUnit::kKelvin);
  EXPECT_EQ(other.Text(form1::kPressure), "2");  // the file's numbers, unconverted
  EXPECT_EQ(other.Text(form1::kTemperature), "300");
  EXPECT_EQ(other.Text(form1::kAmount[kCH4]), "1.5");
  EXPECT_EQ(other.current_inputs().pressure, 2 * 101325);
  EXPECT_NEAR(other.current_inputs().temperature, 300 - 273.15, 1e-12);
  EXPECT_FALSE(other.Text(form1::kMolarMass).empty());
  EXPECT_TRUE(other.Enabled(form1::kPrevious));
}

TEST_F(CompositionCommands, LoadingWritesNumbersWithTheGeneralFormat) {
  const std::string path = folder.File("forms.txt");
  WriteBytes(path, Replaced(Replaced(kStartUpFile, ",101325,", ",1.01325E+005,"), "\"O2\",21",
                            "\"O2\",.21E2"));
  ASSERT_TRUE(window.LoadCompositionFile(path));
  EXPECT_EQ(window.Text(form1::kPressure), "101325");
  EXPECT_EQ(window.Text(form1::kAmount[kO2]), "21");
}

TEST_F(CompositionCommands, UnknownUnitNamesLeaveTheUnitsInForce) {
  window.SelectPressureUnit(PressureUnit::kAtm);
  const std::string path = folder.File("bar.txt");
  WriteBytes(path, Replaced(Replaced(kStartUpFile, "\"Pa\"", "\"bar\""), ",101325,", ",1,"));
  ASSERT_TRUE(window.LoadCompositionFile(path));
  EXPECT_EQ(window.pressure_unit(), PressureUnit::kAtm);
  EXPECT_EQ(window.current_inputs().pressure, 101325);  // 1, read in atm
}

// The old pressure text cannot be converted, so the switch to the file's unit fails; the file's
// value is in that unit all the same and must be read so.
TEST_F(CompositionCommands, TheFileUnitHoldsEvenWhenTheOldTextCouldNotBeConverted) {
  window.SetText(form1::kPressure, "abc");
  const std::string path = folder.File("atm.txt");
  WriteBytes(path, Replaced(Replaced(kStartUpFile, "\"Pa\"", "\"atm\""), ",101325,", ",1,"));
  ASSERT_TRUE(window.LoadCompositionFile(path));
  ASSERT_EQ(platform.shown, std::vector<Message>{messages::kCheckInput});  // the switch
  EXPECT_EQ(window.pressure_unit(), PressureUnit::kAtm);
  EXPECT_EQ(window.current_inputs().pressure, 101325);
}

TEST_F(CompositionCommands, AFileThatCannotBeReadChangesNothing) {
  window.SelectPressureUnit(PressureUnit::kAtm);
  ASSERT_TRUE(window.Calculate());
  window.SetText(form1::kAmount[kCO], "abc");
  const std::string stops = folder.File("stops.txt");
  WriteBytes(stops, kStartUpFile.substr(0, kStartUpFile.find("\"CO2\"")));
  const std::string foreign = folder.File("foreign.txt");
  WriteBytes(foreign, Replaced(kStartUpFile, ",25,", ",2\xFF,"));  // a number with a stray byte
  const std::string bad_number = folder.File("number.txt");
  WriteBytes(bad_number, Replaced(Replaced(kStartUpFile, "\"Pa\"", "\"atm\""), ",79,", ",x,"));

  const auto before = Snapshot();
  const InputRecord records = window.current_inputs();
  for (const std::string& path : {stops, foreign, bad_number, folder.File("gone.txt")}) {
    platform.shown.clear();
    Answer(path);
    window.OpenComposition();
    EXPECT_EQ(platform.shown, (std::vector<Message>{{"エラーです", "Toluvek", MessageIcon::kNone}}))
        << path;
    EXPECT_EQ(Snapshot(), before) << path;
    EXPECT_EQ(window.current_inputs(), records);
  }
  EXPECT_EQ(platform.beeps, 0);
}

}  // namespace
}  // namespace toluvek
