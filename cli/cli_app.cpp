#include "cli/cli_app.hpp"

#include <ostream>

namespace toluvek::cli {

void RecordingMessages::Show(const Message& message) {
  shown_.push_back(message);
  err_ << message.title << ": " << message.text << '\n';
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CLI::App app{"Toluvek: thermophysical properties of ideal-gas mixtures of twelve species",
               "toluvek-cli"};
  app.require_subcommand(1);
  std::vector<Subcommand> subcommands = {
      AddMixtureCommand(app),   AddCombustionCommand(app), AddHeatDutyCommand(app),
      AddWaterHeatCommand(app), AddTsatCommand(app),       AddMixCommand(app),
      AddDuctCommand(app),      AddConvertCommand(app),    AddTableCommand(app),
      AddBatchCommand(app),
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
  Io io{out, err};
  for (const Subcommand& s : subcommands) {
    if (s.app->parsed()) return s.run(io);
  }
  return kExitUsage;
}

}  // namespace toluvek::cli
