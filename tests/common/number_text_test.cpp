#include "common/number_text.hpp"

#include <locale.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/checked.hpp"
#include "tests/comma_locale.hpp"

namespace toluvek {
namespace {

struct StrictCase {
  const char* text;
  double value;
};

TEST(ParseStrict, AcceptsOrdinaryDecimalAndExponentNumbers) {
  const StrictCase cases[] = {
      {"21", 21},     {"0.5", 0.5},    {".5", 0.5},
      {"-3", -3},     {"+2", 2},       {"1.01325E+005", 101325},
      {"1e-5", 1e-5}, {" 7 ", 7},      {"\t8\t", 8},
      {"5.", 5},      {"-.25", -0.25}, {"1E5", 1e5},
      {"0", 0},       {"1e-400", 0},   {"1.7976931348623157e308", 1.7976931348623157e308},
  };
  for (const StrictCase& c : cases) {
    const auto value = ParseStrict(c.text);
    ASSERT_TRUE(value.has_value()) << c.text;
    EXPECT_EQ(*value, c.value) << c.text;
  }
}

TEST(ParseStrict, RejectsEverythingElse) {
  const char* const rejected[] = {
      "",  " ", "abc", "12abc", "1 2",     "1,000", "inf", "-inf",  "nan",  "0x10",     "1e", "e5",
      ".", "+", "-",   "1e400", "1.8e308", "--1",   "1e+", "1.2.3", "１２", "infinity", "1d5"};
  for (const char* text : rejected)
    EXPECT_FALSE(ParseStrict(text).has_value()) << '"' << text << '"';
}

// Every number text reads to the double strtod gives it in the C locale, bit for bit: short
// ones formed exactly, long mantissas that need correct rounding, halfway cases, subnormals,
// the edges of the range.
TEST(ParseStrict, ReadsTheDoubleStrtodReads) {
  const locale_t c_locale = newlocale(LC_ALL_MASK, "C", nullptr);
  std::mt19937_64 random(20261210);
  const auto pick = [&](int from, int to) {
    return std::uniform_int_distribution<int>(from, to)(random);
  };
  std::vector<std::string> texts = {"2.4703282292062327e-324",
                                    "2.4703282292062328e-324",
                                    "1.7976931348623158e308",
                                    "1.7976931348623159e308",
                                    "9007199254740993",
                                    "+0.0000000000000000000001e-300",
                                    "-0",
                                    "4.9406564584124654e-324"};
  for (int n = 0; n < 20000; ++n) {
    std::string text;
    if (pick(0, 3) == 0) text += pick(0, 1) == 0 ? '+' : '-';
    const int digits = pick(1, 30);
    const int point = pick(-1, digits);  // -1: no point
    for (int d = 0; d < digits; ++d) {
      if (d == point) text += '.';
      text += static_cast<char>('0' + pick(0, 9));
    }
    if (point == digits) text += '.';
    if (pick(0, 2) > 0) {
      text += pick(0, 1) == 0 ? 'e' : 'E';
      // Half near the scale that is formed exactly, half over the whole range.
      const int exponent = pick(0, 1) == 0 ? pick(-30, 30) : pick(-345, 330);
      if (exponent >= 0 && pick(0, 1) == 0) text += '+';
      text += std::to_string(exponent);
    }
    texts.push_back(text);
  }
  for (const std::string& text : texts) {
    const double expected = strtod_l(text.c_str(), nullptr, c_locale);
    const std::optional<double> value = ParseStrict(text);
    if (!std::isfinite(expected)) {
      EXPECT_FALSE(value.has_value()) << text;
      continue;
    }
    ASSERT_TRUE(value.has_value()) << text;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(*value), std::bit_cast<std::uint64_t>(expected)) << text;
  }
  freelocale(c_locale);
}

TEST(NumberText, IgnoresTheProcessLocale) {
  // Under a decimal comma every text still reads and writes with ".".
  const testing::CommaLocale comma;
  ASSERT_TRUE(comma.active()) << testing::kNoCommaLocale;
  EXPECT_EQ(ParseStrict("0.5"), 0.5);
  EXPECT_FALSE(ParseStrict("0,5").has_value());
  EXPECT_EQ(ParseLenient("2.5x"), 2.5);
  EXPECT_EQ(FormatPattern(0.5, Pattern::kFixed2), "0.50");
  EXPECT_EQ(FormatPattern(101325, Pattern::kSci5), "1.01325E+005");
  EXPECT_EQ(FormatGeneral(25.5), "25.5");
  EXPECT_EQ(FormatGeneral(1.5e20), "1.5E+20");
  EXPECT_EQ(FormatSignificant(268.75, 6), "268.75");
}

TEST(ParseLenient, ReadsTheLongestLeadingNumber) {
  const StrictCase cases[] = {
      {"12abc", 12}, {"abc", 0},  {"", 0},    {"1e5x", 100000}, {"1e", 1},        {".5", 0.5},
      {"-", 0},      {"0x10", 0}, {"1 2", 1}, {"  3.5", 3.5},   {"-2.5e1z", -25}, {"1e-400", 0},
      {"+.5e+1", 5}, {"e5", 0},   {".", 0},   {"１２", 0},      {"1.2.3", 1.2},   {"5e+", 5},
  };
  for (const StrictCase& c : cases) EXPECT_EQ(ParseLenient(c.text), c.value) << c.text;
}

TEST(ParseLenient, ReportsALeadingNumberBeyondRangeAsOverflow) {
  try {
    ParseLenient("1e999");
    FAIL() << "no overflow";
  } catch (const ArithmeticFault& fault) {
    EXPECT_EQ(fault.kind(), FaultKind::kOverflow);
  }
}

struct FormatCase {
  double value;
  Pattern pattern;
  const char* text;
};

TEST(FormatPattern, WritesThePatterns) {
  const FormatCase cases[] = {
      {101325, Pattern::kSci5, "1.01325E+005"},
      {0.000018, Pattern::kSci3, "1.800E-005"},
      {1.19934419, Pattern::kSci3, "1.199E+000"},
      {-0.01456, Pattern::kSci3, "-1.456E-002"},
      {0, Pattern::kSci3, "0.000E+000"},
      {-0.0, Pattern::kSci3, "0.000E+000"},
      {9.9996, Pattern::kSci3, "1.000E+001"},
      {1e-300, Pattern::kSci3, "1.000E-300"},
      {1e300, Pattern::kSci3, "1.000E+300"},
      {12345.678, Pattern::kSci4, "1.2346E+004"},
      {1234.5, Pattern::kSci4, "1.2345E+003"},
      {20, Pattern::kSci4, "2.0000E+001"},
      {25, Pattern::kFixed2, "25.00"},
      {0.004, Pattern::kFixed2, "0.00"},
      {-0.004, Pattern::kFixed2, "0.00"},
      {-273.15, Pattern::kFixed2, "-273.15"},
      {2052.78, Pattern::kFixed1, "2052.8"},
      {-0.04, Pattern::kFixed1, "0.0"},
      // The exact binary value decides: 1.005 is 1.00499999999999989…
      {1.005, Pattern::kFixed2, "1.00"},
      // Exact ties go to the even digit (0.015625 = 1.5625E-002).
      {0.015625, Pattern::kSci3, "1.562E-002"},
      {0.0234375, Pattern::kSci4, "2.3438E-002"},
      {5e-324, Pattern::kSci3, "4.941E-324"},
  };
  for (const FormatCase& c : cases) EXPECT_EQ(FormatPattern(c.value, c.pattern), c.text) << c.value;
}

TEST(FormatPattern, RefusesInfinityAndNaN) {
  EXPECT_THROW(FormatPattern(std::numeric_limits<double>::infinity(), Pattern::kSci3),
               ArithmeticFault);
  EXPECT_THROW(FormatPattern(std::nan(""), Pattern::kFixed2), ArithmeticFault);
  EXPECT_THROW(FormatGeneral(-std::numeric_limits<double>::infinity()), ArithmeticFault);
}

TEST(FormatGeneral, WritesFifteenSignificantDigitsWithoutTrailingZeros) {
  const std::pair<double, const char*> cases[] = {
      {25 + 273.15, "298.15"},
      {100, "100"},
      {1e-10, "1E-10"},
      {1.5e20, "1.5E+20"},
      {0.00999999999999998, "0.00999999999999998"},
      {-0.5, "-0.5"},
      {0.0001, "0.0001"},
      {0.00001, "1E-05"},
      {1e15, "1E+15"},
      {999999999999999, "999999999999999"},
      {-0.0, "0"},
      {0, "0"},
      {88.5, "88.5"},
      {1e-300, "1E-300"},
      {0.1 + 0.2, "0.3"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(FormatGeneral(value), text) << value;
}

TEST(FormatSignificant, WritesAsPrintfsPercentG) {
  const struct {
    double value;
    int digits;
    const char* text;
  } cases[] = {
      {268.75, 6, "268.75"},  {1012.3456, 4, "1012"},
      {1.5e-5, 4, "1.5e-05"}, {1e5, 4, "1e+05"},
      {123456, 6, "123456"},  {1234567, 6, "1.23457e+06"},
      {-0.0, 4, "0"},         {0.1 + 0.2, 17, "0.30000000000000004"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatSignificant(c.value, c.digits), c.text) << c.value;
  EXPECT_THROW(FormatSignificant(std::numeric_limits<double>::quiet_NaN(), 4), ArithmeticFault);
}

TEST(RoundToDisplay4, RoundsToFourSignificantFigures) {
  EXPECT_EQ(RoundToDisplay4(0.21), 0.21);
  EXPECT_EQ(RoundToDisplay4(1.0 / 11), 9.091e-2);
  EXPECT_EQ(RoundToDisplay4(-0.71484), -0.7148);
  EXPECT_THROW(RoundToDisplay4(1.79769e308), ArithmeticFault);
}

}  // namespace
}  // namespace toluvek

namespace toluvek {
namespace {

TEST(ShortestText, ReadsBackToTheSameDouble) {
  for (double value :
       {293.15, 0.1 + 0.2, 1.8e-05, 101325.0, -273.15, 5e-324, 1.7976931348623157e308, 1.0 / 3}) {
    const std::string text = FormatShortest(value);
    EXPECT_EQ(ParseStrict(text), value) << text;
  }
  EXPECT_EQ(FormatShortest(-0.0), "0");
  EXPECT_EQ(FormatShortest(0.1 + 0.2), "0.30000000000000004");
  EXPECT_THROW(FormatShortest(std::numeric_limits<double>::quiet_NaN()), ArithmeticFault);
}

TEST(ShortestText, RoundsToSignificantDigits) {
  EXPECT_EQ(RoundToSignificant(0.1 * 3, 15), 0.3);
  EXPECT_EQ(RoundToSignificant(1234.5678, 4), 1235);
  EXPECT_EQ(RoundToSignificant(1.7976931348623157e308, 15), 1.7976931348623157e308);
}

}  // namespace
}  // namespace toluvek
