#include "cli/cli_app.hpp"

#include <algorithm>
#include <cstddef>
#include <ostream>

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
    err << shown_[i].title << ": " << shown_[i].text << '\n';
  }
  for (const std::string& note : notes_) err << "warning: " << note << '\n';
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CLI::App app{"Toluvek: thermophysical properties of ideal-gas mixtures of twelve species",
               "toluvek-cli"};
  app.require_subcommand(1);
  std::vector<Subcommand> subcommands = {
      AddMixtureCommand(app),   AddCombustionCommand(app), AddHeatDutyCommand(app),
      AddWaterHeatCommand(app), AddTsatCommand(app),       AddMixCommand(app),
      AddDuctCommand(app),      AddConvertCommand(app),    AddAddAirCommand(app),
      AddRescaleCommand(app),
  };

  // CLI11 takes the arguments in reverse order.
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return kExitOk;
  } catch (const CLI::ParseError& error) {
    err << error.what() << '\n';
    const CLI::App* failed = &app;
    for (const Subcommand& s : subcommands) {
      if (s.app->parsed()) failed = s.app;
    }
    err << "usage: " << failed->get_display_name() << ' ' << "[options]; see --help\n";
    return kExitUsage;
  }
  RecordingMessages messages;
  Io io{out, err, messages};
  for (const Subcommand& s : subcommands) {
    if (!s.app->parsed()) continue;
    const int code = s.run(io);
    messages.Report(err, code == kExitOk);
    return code;
  }
  return kExitUsage;
}

}  // namespace toluvek::cli
