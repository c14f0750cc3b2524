// toluvek-cli mixture: the main window's calculation, printed as the window shows it.

#include <iomanip>
#include <ostream>

#include <nlohmann/json.hpp>

#include "cli/cli_app.hpp"
#include "cli/mixture_options.hpp"
#include "cli/mixture_output.hpp"

namespace toluvek::cli {

Subcommand AddMixtureCommand(CLI::App& app) {
  struct Options {
    MixtureOptions mixture;
    bool json = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub = app.add_subcommand("mixture", "properties of the mixture and of each species");
  options->mixture.AddTo(*sub);
  sub->add_flag("--json", options->json, "full-precision values beside the display texts");
  return {sub, [options](Io& io) {
            RecordingMessages messages(io.err);
            MainWindowModel window(messages);
            if (!options->mixture.ApplyTo(window, io.err)) return kExitUsage;
            const bool ok = window.Calculate();
            if (options->json) {
              nlohmann::ordered_json doc = MixtureJson(window);
              if (!messages.shown().empty()) doc["error"] = MessageJson(messages.shown().front());
              io.out << doc.dump(2) << '\n';
            } else {
              PrintMixture(window, io.out);
            }
            return ok ? kExitOk : kExitStopped;
          }};
}

}  // namespace toluvek::cli
