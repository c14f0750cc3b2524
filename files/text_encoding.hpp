#pragma once
// Conversions between UTF-8, the program's own text, and code page 932, the text of
// composition files.

#include <optional>
#include <string>
#include <string_view>

namespace toluvek {

// Code page 932 through the C library's converter. No value for text the other side cannot
// represent (invalid bytes, a character without a code).
std::optional<std::string> Utf8ToCp932(std::string_view utf8);
std::optional<std::string> Cp932ToUtf8(std::string_view cp932);

// The text with every byte that does not start or continue a UTF-8 character (and every
// overlong form, surrogate or value beyond U+10FFFF) replaced by U+FFFD.
std::string ValidUtf8(std::string_view text);

}  // namespace toluvek
