#pragma once
// The command line's language. Japanese is the program's own; English takes its texts from the
// window program's English catalogue (ui/translations/toluvek_en.ts), built in as a table.

#include <optional>
#include <string>
#include <string_view>

#include "main/platform.hpp"

namespace toluvek::cli {

enum class Language { kJapanese, kEnglish };

// "ja" or "en".
std::optional<Language> LanguageFromCode(std::string_view code);

// The English of one of the program's Japanese texts: the catalogue's translation, or that of
// its longest head whose rest holds no Japanese letter ("総モル体積 = " and a number), with the
// rest after it; the text itself when neither is found.
std::string English(std::string_view japanese);

// The catalogue's English of a whole text, or the text itself: a view that lives as long as
// the text does.
std::string_view CatalogueEnglish(std::string_view japanese);

// The text as shown in `language`.
std::string InLanguage(std::string_view text, Language language);

// The message as shown in `language`: its text and title; its code stays.
Message InLanguage(const Message& message, Language language);

}  // namespace toluvek::cli
