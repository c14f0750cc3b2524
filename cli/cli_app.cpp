#include "cli/cli_app.hpp"

#include <algorithm>
#include <cstddef>
#include <exception>
#include <memory>
#include <optional>
#include <ostream>
#include <string_view>

#include <nlohmann/json.hpp>

#include "cli/completion.hpp"
#include "main/messages.hpp"
#include "main/version.hpp"

namespace toluvek::cli {

void RecordingMessages::Show(const Message& message) {
  if (std::find(shown_.begin(), shown_.end(), message) != shown_.end()) return;
  shown_.push_back(message);
  warning_.push_back(false);
}

void RecordingMessages::ShowWarning(const Message& message) {
  const auto found = std::find(shown_.begin(), shown_.end(), message);
  if (found != shown_.end()) {
    warning_[static_cast<std::size_t>(found - shown_.begin())] = true;
    return;
  }
  shown_.push_back(message);
  warning_.push_back(true);
}

void RecordingMessages::Warn(const std::string& text) {
  notes_.push_back(text);
}

void RecordingMessages::Forget(std::string_view title) {
  for (std::size_t i = shown_.size(); i-- > 0;) {
    if (shown_[i].title == title) {
      shown_.erase(shown_.begin() + static_cast<std::ptrdiff_t>(i));
      warning_.erase(warning_.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
}

void RecordingMessages::Report(std::ostream& err, bool completed) const {
  for (std::size_t i = 0; i < shown_.size(); ++i) {
    if (completed || warning_[i]) err << "warning: ";
    const Message shown = InLanguage(shown_[i], language_);
    err << shown.title << ": " << shown.text << '\n';
  }
  for (const std::string& note : notes_) err << "warning: " << note << '\n';
}

namespace {

// Values a script most likely got wrong: an empty text (an unset variable), or the next
// option taken as the value of one whose value is missing ("--pressure --json"). A negative
// number such as -5 is a value.
std::optional<std::string> SuspiciousValue(const CLI::App& sub) {
  for (const CLI::Option* option : sub.get_options()) {
    if (!option->nonpositional() || option->get_type_size_max() == 0) continue;  // flags
    for (const std::string& value : option->results()) {
      if (value.empty()) return option->get_name() + ": the value is empty";
      if (value.starts_with("--")) {
        return option->get_name() + ": a value is missing (" + value + " is an option)";
      }
    }
  }
  return std::nullopt;
}

template <class UsageError>
int RunParsed(const std::vector<Subcommand>& subcommands, Language language, std::ostream& out,
              std::ostream& err, const UsageError& usage_error) {
  for (const Subcommand& s : subcommands) {
    if (!s.app->parsed()) continue;
    if (const std::optional<std::string> problem = SuspiciousValue(*s.app)) {
      return usage_error(*problem);
    }
    RecordingMessages messages(language);
    Io io{out, err, messages};
    int code = kExitStopped;
    try {
      code = s.run(io);
    } catch (const nlohmann::json::exception&) {
      throw;  // Run says that the JSON could not be written
    } catch (const std::exception&) {
      // Any other failure inside a command (an overflow, a text that is not a number) shows
      // the window's general message; what the command printed before it stays printed.
      messages.Show(toluvek::messages::kCheckInput);
    }
    messages.Report(err, code == kExitOk);
    return code;
  }
  return kExitUsage;
}

// The help of every subcommand (--help-all) gives each one a titled part,
// "toluvek-cli mixture [OPTIONS]:" over its description and options, which help2man also
// takes for a sub-section of the manual page.
class HelpAllFormatter : public CLI::Formatter {
 public:
  // The list of subcommands, and with --help-all each one's part after it.
  std::string make_subcommands(const CLI::App* app, CLI::AppFormatMode mode) const override {
    std::string text = CLI::Formatter::make_subcommands(app, CLI::AppFormatMode::Normal);
    if (mode != CLI::AppFormatMode::All) return text;
    for (const CLI::App* sub : app->get_subcommands({})) {
      if (!sub->get_group().empty()) text += make_expanded(sub);
    }
    return text;
  }

  std::string make_expanded(const CLI::App* sub) const override {
    const std::string name = sub->get_parent()->get_name() + " " + sub->get_name();
    std::string usage = make_usage(sub, name);  // "\nUsage: toluvek-cli mixture [OPTIONS]\n"
    const std::string prefix = "Usage: ";
    const std::size_t start = usage.find(prefix);
    usage = start == std::string::npos ? name : usage.substr(start + prefix.size());
    while (!usage.empty() && usage.back() == '\n') usage.pop_back();
    return "\n" + usage + ":\n  " + sub->get_description() + "\n" + make_positionals(sub) +
           make_groups(sub, CLI::AppFormatMode::Normal);
  }
};

}  // namespace

std::vector<Subcommand> BuildProgram(CLI::App& app) {
  app.formatter(std::make_shared<HelpAllFormatter>());
  app.name("toluvek-cli");
  app.description("Toluvek: thermophysical properties of ideal-gas mixtures of twelve species");
  app.require_subcommand(1);
  app.set_help_all_flag("--help-all", "Print this help message and the help of every subcommand");
  app.set_version_flag("--version", std::string("toluvek-cli ") + kVersion);
  app.add_option("--language", "The language of the messages: ja (the default) or en")
      ->check(CLI::IsMember({"ja", "en"}))
      ->default_str("ja");
  return {
      AddMixtureCommand(app),    AddCombustionCommand(app), AddHeatDutyCommand(app),
      AddWaterHeatCommand(app),  AddTsatCommand(app),       AddMixCommand(app),
      AddDuctCommand(app),       AddConvertCommand(app),    AddAddAirCommand(app),
      AddRescaleCommand(app),    AddTableCommand(app),      AddBatchCommand(app),
      AddGasQualityCommand(app), AddPresetsCommand(app),    AddCompletionCommand(app),
  };
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CLI::App app;
  const std::vector<Subcommand> subcommands = BuildProgram(app);

  const auto usage_error = [&](std::string_view what) {
    err << what << '\n';
    const CLI::App* failed = &app;
    for (const Subcommand& s : subcommands) {
      if (s.app->parsed()) failed = s.app;
    }
    err << "usage: " << failed->get_display_name() << ' ' << "[options]; see --help\n";
    return kExitUsage;
  };

  // CLI11 takes the arguments in reverse order.
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  int code = kExitUsage;
  try {
    app.parse(reversed);
    const CLI::Option* language = app.get_option("--language");
    code =
        RunParsed(subcommands,
                  language->count() == 0
                      ? Language::kJapanese
                      : LanguageFromCode(language->as<std::string>()).value_or(Language::kJapanese),
                  out, err, usage_error);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    code = kExitOk;
  } catch (const CLI::CallForAllHelp&) {
    out << app.help("", CLI::AppFormatMode::All);
    code = kExitOk;
  } catch (const CLI::CallForVersion& version) {
    out << version.what() << '\n';
    code = kExitOk;
  } catch (const CLI::ParseError& error) {
    code = usage_error(error.what());
  } catch (const nlohmann::json::exception& error) {
    err << "toluvek-cli: the JSON output could not be written: " << error.what() << '\n';
    code = kExitStopped;
  }
  // Results that never reached their reader are a failure, whatever the calculation said.
  if (!out.flush()) {
    err << "toluvek-cli: the results could not be written to standard output\n";
    if (code == kExitOk) code = kExitStopped;
  }
  return code;
}

}  // namespace toluvek::cli
