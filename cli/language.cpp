#include "cli/language.hpp"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace toluvek::cli {
namespace {

struct Translation {
  std::string_view japanese;
  std::string_view english;
};

// Sorted by the Japanese text's bytes.
constexpr Translation kCatalogue[] = {
#include "english_catalogue.inc"
};

std::optional<std::string_view> Lookup(std::string_view japanese) {
  const auto found = std::lower_bound(
      std::begin(kCatalogue), std::end(kCatalogue), japanese,
      [](const Translation& entry, std::string_view text) { return entry.japanese < text; });
  if (found == std::end(kCatalogue) || found->japanese != japanese) return std::nullopt;
  return found->english;
}

// Whether the UTF-8 text holds a kana or kanji: the letters a translation replaces. Units
// ("℃") and full-width digits are none.
bool HasJapaneseLetter(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    length = std::min(length, text.size() - i);
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    if ((c >= 0x3041 && c <= 0x3096) || (c >= 0x30A1 && c <= 0x30FA) || c == 0x30FC ||
        (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
        (c >= 0xFF66 && c <= 0xFF9D)) {
      return true;
    }
    i += length;
  }
  return false;
}

}  // namespace

std::optional<Language> LanguageFromCode(std::string_view code) {
  if (code == "ja") return Language::kJapanese;
  if (code == "en") return Language::kEnglish;
  return std::nullopt;
}

std::string English(std::string_view japanese) {
  if (!HasJapaneseLetter(japanese)) return std::string(japanese);
  if (const std::optional<std::string_view> found = Lookup(japanese)) return std::string(*found);
  // The longest translated head whose rest holds no Japanese letter; from the end, so the rest
  // grows until it takes a letter. A head ends only before the first byte of a character.
  for (std::size_t end = japanese.size() - 1; end > 0; --end) {
    if ((static_cast<unsigned char>(japanese[end]) & 0xC0) == 0x80) continue;
    const std::string_view rest = japanese.substr(end);
    if (HasJapaneseLetter(rest)) break;
    if (const std::optional<std::string_view> head = Lookup(japanese.substr(0, end))) {
      return std::string(*head) + std::string(rest);
    }
  }
  return std::string(japanese);
}

std::string_view CatalogueEnglish(std::string_view japanese) {
  return Lookup(japanese).value_or(japanese);
}

std::string InLanguage(std::string_view text, Language language) {
  return language == Language::kEnglish ? English(text) : std::string(text);
}

Message InLanguage(const Message& message, Language language) {
  if (language == Language::kJapanese) return message;
  return {English(message.text), English(message.title), message.icon, message.code};
}

}  // namespace toluvek::cli
