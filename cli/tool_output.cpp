#include "cli/tool_output.hpp"

#include <algorithm>
#include <optional>

#include "common/number_text.hpp"

namespace toluvek::cli {

namespace {

// East Asian wide and full-width characters take two columns; everything else, the
// ambiguous ones such as "℃" and "→" and the half-width katakana such as "ﾟ" included, one.
bool IsWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

}  // namespace

std::size_t TextColumns(std::string_view text) {
  std::size_t columns = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1   ? lead
                 : length == 2 ? lead & 0x1F
                 : length == 3 ? lead & 0x0F
                               : lead & 0x07;
    for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
      c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    columns += IsWide(c) ? 2 : 1;
    i += length;
  }
  return columns;
}

std::string PadColumns(std::string_view text, std::size_t width) {
  std::string padded(text);
  for (std::size_t columns = TextColumns(text); columns < width; ++columns) padded += ' ';
  return padded;
}

std::string JsonText(const nlohmann::ordered_json& doc) {
  return doc.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

nlohmann::ordered_json ValueAndText(double value, const std::string& text) {
  return {{"value", value}, {"text", text}};
}

nlohmann::ordered_json TextAndItsValue(const std::string& text) {
  const std::optional<double> value = ParseStrict(text);
  return {{"value", value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json()},
          {"text", text}};
}

nlohmann::ordered_json MessageJson(const Message& message, Language language) {
  const Message shown = InLanguage(message, language);
  return {{"message", shown.text}, {"title", shown.title}, {"code", std::string(message.code)}};
}

nlohmann::ordered_json MessagesJson(const RecordingMessages& messages) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const Message& message : messages.shown()) {
    list.push_back(MessageJson(message, messages.language()));
  }
  return list;
}

}  // namespace toluvek::cli
