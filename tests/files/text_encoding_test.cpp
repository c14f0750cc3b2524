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

}  // namespace
}  // namespace toluvek
