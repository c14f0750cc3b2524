#pragma once
// toluvek-cli: every calculation of the program, headless. Each subcommand drives the same
// window models and calculations as the windows and prints what the window would show.

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "main/platform.hpp"

namespace toluvek::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitStopped = 1;  // a calculation showed a message and stopped
inline constexpr int kExitUsage = 2;

// Where a subcommand writes. Messages of the calculations go to `err` as "title: text".
struct Io {
  std::ostream& out;
  std::ostream& err;
};

// Message boxes of a headless run: recorded in order and written to stderr.
class RecordingMessages : public MessageService {
 public:
  explicit RecordingMessages(std::ostream& err) : err_(err) {}
  void Show(const Message& message) override;
  void Beep() override {}
  const std::vector<Message>& shown() const { return shown_; }

 private:
  std::ostream& err_;
  std::vector<Message> shown_;
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
Subcommand AddTableCommand(CLI::App& app);
Subcommand AddBatchCommand(CLI::App& app);

// Runs the program on the arguments (without the program name).
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace toluvek::cli
