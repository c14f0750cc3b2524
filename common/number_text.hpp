#pragma once
// Numbers as the program writes and reads them in its fields and files.
// Everything here is independent of the process locale: "." is the decimal point.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace toluvek {

// Reads the whole text as an ordinary decimal or exponent number (21, 0.5, .5, -3, +2,
// 1.01325E+005, 1e-5), blanks around it allowed. Anything else — the empty text, letters,
// thousands separators, inf, nan, hexadecimal, a number beyond the range of a double —
// yields no value. An underflow reads as 0.
std::optional<double> ParseStrict(std::string_view text);

// The value of the longest leading number after leading blanks, 0 when the text does not
// begin with one ("12abc" -> 12, "abc" -> 0, "1e" -> 1). Never fails on the shape of a text.
// A leading number beyond the range of a double is an arithmetic overflow: it throws
// ArithmeticFault (common/checked.hpp), which commands report like any overflow.
double ParseLenient(std::string_view text);

// The display patterns of the result fields.
enum class Pattern {
  kSci3,    // "0.000E+000"
  kSci4,    // "0.0000E+000"
  kSci5,    // "0.00000E+000"
  kFixed2,  // "0.00"
  kFixed1,  // "0.0"
};

// Writes `value` with the pattern: rounded to nearest from the exact binary value (an exact
// tie goes to the even digit), exponent with a sign and at least three digits, no minus sign
// on a value that rounds to zero. Throws ArithmeticFault for infinity or NaN, which never
// reach a field.
std::string FormatPattern(double value, Pattern pattern);

// A number written without a pattern: at most 15 significant digits, no trailing zeros,
// exponent form ("1E-10", "1.5E+20") below 1E-4 and from 1E+15 on; -0 is written "0".
// Throws ArithmeticFault for infinity or NaN.
std::string FormatGeneral(double value);

// printf's "%.<digits>g" (digits 1 to 17): "268.75", "1.5e-05", "1e+05", without the process
// locale's decimal separator; -0 is written "0". The axis labels of the property chart. Throws
// ArithmeticFault for infinity or NaN.
std::string FormatSignificant(double value, int digits);

// Room for any text WriteShortest writes ("-2.2250738585072014e-308" and the like).
inline constexpr std::size_t kShortestTextMax = 32;

// The shortest text that reads back to exactly `value` (std::to_chars: "293.15", "1e+05",
// "1.8e-05"), "." as decimal point, 0 for -0. Writes at most kShortestTextMax characters at
// `out` and returns the end. Throws ArithmeticFault for infinity or NaN.
char* WriteShortest(char* out, double value);
std::string FormatShortest(double value);

// `value` rounded to `digits` significant decimal digits (1 to 17), so that a sum such as
// 0 + 3·0.1 reads as the 0.3 a person would type. Throws ArithmeticFault for infinity or NaN.
double RoundToSignificant(double value, int digits);

// Four significant figures as the program shows them: the value written with "0.000E+000"
// and read back. Several tools compute with these displayed values.
double RoundToDisplay4(double value);

}  // namespace toluvek
