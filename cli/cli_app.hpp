#pragma once
// toluvek-cli: every calculation of the program, headless. Each subcommand drives the same
// window models and calculations as the windows and prints what the window would show.

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/language.hpp"
#include "main/platform.hpp"

namespace toluvek::cli {

// One rule for every subcommand: a message that stops the command goes to stderr as
// "title: text" with exit 1; a message that only warns while the command completes goes to
// stderr as "warning: title: text" with exit 0; a result goes to stdout only.
inline constexpr int kExitOk = 0;
inline constexpr int kExitStopped = 1;  // a calculation showed a message and stopped
inline constexpr int kExitUsage = 2;

class RecordingMessages;

// Where a subcommand writes. The calculations' messages are recorded in `messages` and
// written to `err` once the subcommand has ended.
struct Io {
  std::ostream& out;
  std::ostream& err;
  RecordingMessages& messages;
};

// Message boxes of a headless run. Each box is recorded once: on a command line the same box
// again tells nothing new.
class RecordingMessages : public MessageService {
 public:
  explicit RecordingMessages(Language language = Language::kJapanese) : language_(language) {}
  void Show(const Message& message) override;
  void Beep() override {}
  // A box of a calculation that goes on after it, such as the heat duty's negative
  // temperature.
  void ShowWarning(const Message& message);
  // A warning in the command line's own words.
  void Warn(const std::string& text);
  // Drops the boxes titled `title`: what they carry is a result, printed on stdout.
  void Forget(std::string_view title);
  const std::vector<Message>& shown() const { return shown_; }
  // The language the boxes are written in: they are recorded as shown, in Japanese.
  Language language() const { return language_; }

  // Writes every box as "title: text" in the language, marked "warning: " when it only warned:
  // all of them when the command completed. Then the command line's own warnings.
  void Report(std::ostream& err, bool completed) const;

 private:
  Language language_;
  std::vector<Message> shown_;
  std::vector<bool> warning_;
  std::vector<std::string> notes_;
};

// A subcommand's action, run after the arguments are parsed; returns the exit code.
using Action = std::function<int(Io&)>;

struct Subcommand {
  CLI::App* app;
  Action run;
};

// Each subcommand adds itself to the application (one file each; cli_app.cpp lists them).
Subcommand AddMixtureCommand(CLI::App& app);
Subcommand AddCombustionCommand(CLI::App& app);
Subcommand AddHeatDutyCommand(CLI::App& app);
Subcommand AddWaterHeatCommand(CLI::App& app);
Subcommand AddTsatCommand(CLI::App& app);
Subcommand AddMixCommand(CLI::App& app);
Subcommand AddDuctCommand(CLI::App& app);
Subcommand AddConvertCommand(CLI::App& app);
Subcommand AddAddAirCommand(CLI::App& app);
Subcommand AddRescaleCommand(CLI::App& app);
Subcommand AddTableCommand(CLI::App& app);
Subcommand AddBatchCommand(CLI::App& app);
Subcommand AddPresetsCommand(CLI::App& app);
Subcommand AddGasQualityCommand(CLI::App& app);

// The program's command tree on `app`: its name, its own options and every subcommand.
std::vector<Subcommand> BuildProgram(CLI::App& app);

// Runs the program on the arguments (without the program name).
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace toluvek::cli
