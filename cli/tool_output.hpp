#pragma once
// Helpers shared by the tool subcommands (tsat, mix, duct, convert): aligned text columns,
// values beside their display texts.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/cli_app.hpp"
#include "main/platform.hpp"

namespace toluvek::cli {

// The columns the text takes on a terminal, a Japanese character counted as two.
std::size_t TextColumns(std::string_view text);

// The text padded with blanks to `width` columns.
std::string PadColumns(std::string_view text, std::size_t width);

// The document as the subcommands print it, indented by two. Texts echoed from the command
// line may hold bytes that are not UTF-8: each such byte is written as U+FFFD.
std::string JsonText(const nlohmann::ordered_json& doc);

// {"value": value, "text": text}.
nlohmann::ordered_json ValueAndText(double value, const std::string& text);

// {"value": the number the text is, "text": text}; the value is null for a text that does
// not read as a number, so that no number appears that nobody typed.
nlohmann::ordered_json TextAndItsValue(const std::string& text);

// {"message", "title", "code"}: the box's text and title in the language, and its code, the
// same in every language, for scripts.
nlohmann::ordered_json MessageJson(const Message& message, Language language);

// [MessageJson, ...] of the recorded boxes, in the order shown.
nlohmann::ordered_json MessagesJson(const RecordingMessages& messages);

}  // namespace toluvek::cli
