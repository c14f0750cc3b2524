// Feeds toluvek-cli argument vectors, through the same entry as the program's main: no crash,
// no hang, an exit code of 0, 1 or 2, JSON that parses (so valid UTF-8) whenever JSON is
// printed, and no infinity or NaN among its numbers. The input's bytes are the arguments,
// separated by NUL bytes. Arguments that would write files are left out.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/cli_app.hpp"
#include "common/number_text.hpp"

namespace {

constexpr std::size_t kMaxArguments = 32;

// Whether any number in the document is not finite. The writer turns a NaN or an infinity
// into null, so a null counts too, except where null says that there is no number: the value
// beside a text that is not one, the error of a table row that has none, and the values of a
// table row that failed.
bool HoldsNonFinite(const nlohmann::json& value) {
  if (value.is_null()) return true;
  if (value.is_number_float()) return !std::isfinite(value.get<double>());
  if (value.is_object()) {
    const bool failed_row = value.contains("error") && value["error"].is_string();
    for (const auto& [key, item] : value.items()) {
      if (item.is_null()) {
        if (key == "error" || key == "error_code" || failed_row) continue;
        if (key == "value" && value.contains("text") && value["text"].is_string() &&
            !toluvek::ParseStrict(value["text"].get<std::string>())) {
          continue;
        }
      }
      if (HoldsNonFinite(item)) return true;
    }
  } else if (value.is_array()) {
    for (const auto& item : value) {
      if (HoldsNonFinite(item)) return true;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\0') {
      if (args.size() == kMaxArguments) break;
      args.emplace_back();
    } else {
      args.back() += static_cast<char>(data[i]);
    }
  }
  for (const std::string& arg : args) {
    if (arg.rfind("--save", 0) == 0) return 0;  // a fuzzer must not write where it likes
  }
  std::ostringstream out;
  std::ostringstream err;
  const int code = toluvek::cli::Run(args, out, err);
  if (code < 0 || code > 2) std::abort();
  const std::string text = out.str();
  if (!text.empty() && text.front() == '{') {
    // One document, or a table's JSON lines: one document a line.
    std::istringstream in(text);
    while (in >> std::ws, !in.eof()) {
      nlohmann::json doc;
      try {
        in >> doc;
      } catch (const nlohmann::json::exception&) {
        std::abort();
      }
      if (HoldsNonFinite(doc)) std::abort();
    }
  }
  return 0;
}
