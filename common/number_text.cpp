#include "common/number_text.hpp"

#include <locale.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/checked.hpp"

namespace toluvek {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Length of the longest prefix of `text` that is a number of the form
// [+-] (digits [. digits*] | . digits) [(e|E) [+-] digits]; 0 when there is none.
std::size_t NumberPrefixLength(std::string_view text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t int_digits = 0;
  while (i < n && IsDigit(text[i])) ++i, ++int_digits;
  std::size_t frac_digits = 0;
  std::size_t after_mantissa = i;
  if (i < n && text[i] == '.') {
    std::size_t j = i + 1;
    while (j < n && IsDigit(text[j])) ++j, ++frac_digits;
    if (int_digits + frac_digits > 0) after_mantissa = j;
  }
  if (int_digits + frac_digits == 0) return 0;
  i = after_mantissa;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
    std::size_t exp_digits = 0;
    while (j < n && IsDigit(text[j])) ++j, ++exp_digits;
    if (exp_digits > 0) i = j;
  }
  return i;
}

// Converts a token that NumberPrefixLength accepted whole. Overflow gives an infinity,
// underflow a zero or a subnormal, as strtod does in the C locale.
double ConvertToken(std::string_view token) {
  // from_chars rounds correctly, as strtod does, and reads no locale; it takes no leading '+',
  // which the grammar has allowed before the digits.
  const std::string_view digits = token.front() == '+' ? token.substr(1) : token;
  double value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error == std::errc() && end == digits.data() + digits.size()) [[likely]]
    return value;
  // Beyond the range of a double, where from_chars gives no value: strtod's infinity or its
  // zero or subnormal.
  static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", nullptr);
  const std::string copy(token);
  return strtod_l(copy.c_str(), nullptr, c_locale);
}

// Powers of ten that a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Reads `token` when the whole of it is a number of NumberPrefixLength's form; false when it is
// not. Most texts of numbers are a whole number m of at most 2^53 times 10^e with |e| <= 22 (m
// of their digits, e from their point and exponent): m and 10^e are exact doubles, so one
// multiplication or division gives the correctly rounded value, the one strtod gives. Any other
// goes through ConvertToken.
bool ReadWholeToken(std::string_view token, double& value) {
  const char* p = token.data();
  const char* const end = p + token.size();
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  std::uint64_t mantissa = 0;
  int significant = 0;     // digits in `mantissa`, leading zeros not counted
  bool dropped = false;    // more significant digits than `mantissa` holds
  int point_shift = 0;     // the power of ten the mantissa's digits stand at
  std::size_t digits = 0;  // before and after the point
  const auto take = [&](char c, bool after_point) {
    ++digits;
    if (mantissa == 0 && c == '0') {
      if (after_point) --point_shift;
      return;
    }
    if (significant < 19) {
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
      ++significant;
      if (after_point) --point_shift;
    } else {
      dropped = true;
    }
  };
  while (p < end && IsDigit(*p)) take(*p++, false);
  if (p < end && *p == '.') {
    ++p;
    while (p < end && IsDigit(*p)) take(*p++, true);
  }
  if (digits == 0) return false;
  int exponent = 0;
  if (p < end && (*p == 'e' || *p == 'E')) {
    ++p;
    bool exponent_negative = false;
    if (p < end && (*p == '+' || *p == '-')) exponent_negative = *p++ == '-';
    if (p == end || !IsDigit(*p)) return false;
    while (p < end && IsDigit(*p)) {
      if (exponent < 100000) exponent = exponent * 10 + (*p - '0');  // beyond: out of range anyway
      ++p;
    }
    if (exponent_negative) exponent = -exponent;
  }
  if (p != end) return false;
  const int power = point_shift + exponent;
  if (mantissa == 0 && !dropped) {
    value = negative ? -0.0 : 0.0;
  } else if (!dropped && mantissa <= (std::uint64_t{1} << 53) && power >= -22 && power <= 22) {
    const auto m = static_cast<double>(mantissa);
    value = power < 0 ? m / kExactPowersOfTen[-power] : m * kExactPowersOfTen[power];
    if (negative) value = -value;
  } else {
    value = ConvertToken(token);
  }
  return true;
}

}  // namespace

std::optional<double> ParseStrict(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  const std::string_view token = text.substr(begin, end - begin);
  double value = 0;
  if (!ReadWholeToken(token, value) || !std::isfinite(value)) return std::nullopt;
  return value;
}

double ParseLenient(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size() && IsBlank(text[begin])) ++begin;
  const std::string_view rest = text.substr(begin);
  const std::size_t length = NumberPrefixLength(rest);
  if (length == 0) return 0.0;
  return Checked(ConvertToken(rest.substr(0, length)));
}

std::string FormatPattern(double value, Pattern pattern) {
  Checked(value);
  int decimals = 0;
  bool scientific = true;
  switch (pattern) {
    case Pattern::kSci3:
      decimals = 3;
      break;
    case Pattern::kSci4:
      decimals = 4;
      break;
    case Pattern::kSci5:
      decimals = 5;
      break;
    case Pattern::kFixed2:
      decimals = 2, scientific = false;
      break;
    case Pattern::kFixed1:
      decimals = 1, scientific = false;
      break;
  }
  // to_chars rounds the exact binary value correctly, as printf does, but always with "." and
  // whatever the process locale; only the exponent's letter and width need fixing.
  char buffer[400];
  const auto [end, error] = std::to_chars(
      buffer, buffer + sizeof buffer, value,
      scientific ? std::chars_format::scientific : std::chars_format::fixed, decimals);
  if (error != std::errc()) ThrowFault(FaultKind::kOverflow);
  std::string text(buffer, end);
  if (scientific) {
    const std::size_t e = text.find('e');
    text[e] = 'E';
    std::string digits = text.substr(e + 2);
    while (digits.size() < 3) digits.insert(digits.begin(), '0');
    text = text.substr(0, e + 2) + digits;
  }
  // A value that rounds to zero carries no minus sign.
  if (text[0] == '-' && text.find_first_not_of("-0.E+") == std::string::npos) text.erase(0, 1);
  return text;
}

std::string FormatGeneral(double value) {
  Checked(value);
  if (value == 0.0) return "0";
  // printf's "%.15G", without the process locale's decimal separator.
  char buffer[64];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  if (error != std::errc()) ThrowFault(FaultKind::kOverflow);
  std::string text(buffer, end);
  if (const std::size_t e = text.find('e'); e != std::string::npos) text[e] = 'E';
  return text;
}

std::string FormatSignificant(double value, int digits) {
  Checked(value);
  if (value == 0.0) return "0";
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                          std::chars_format::general, std::clamp(digits, 1, 17));
  if (error != std::errc()) ThrowFault(FaultKind::kOverflow);
  return std::string(buffer, end);
}

char* WriteShortest(char* out, double value) {
  Checked(value);
  if (value == 0.0) value = 0.0;  // -0 as "0"
  return std::to_chars(out, out + kShortestTextMax, value).ptr;
}

std::string FormatShortest(double value) {
  char buffer[kShortestTextMax];
  return std::string(buffer, WriteShortest(buffer, value));
}

double RoundToSignificant(double value, int digits) {
  Checked(value);
  char buffer[64];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value,
                                     std::chars_format::scientific, std::clamp(digits, 1, 17) - 1);
  double rounded = 0;
  // Near the largest double the rounded decimal lies beyond the range: keep the value.
  if (std::from_chars(buffer, written.ptr, rounded).ec != std::errc()) return value;
  return rounded;
}

double RoundToDisplay4(double value) {
  // 9.9996E+308 rounds to 1.000E+309, beyond the range of a double: an overflow.
  if (auto shown = ParseStrict(FormatPattern(value, Pattern::kSci3))) return *shown;
  ThrowFault(FaultKind::kOverflow);
}

}  // namespace toluvek
