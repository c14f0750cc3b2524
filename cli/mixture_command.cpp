// toluvek-cli mixture: the main window's calculation, printed as the window shows it or as
// its clipboard report.

#include <iomanip>
#include <ostream>

#include <nlohmann/json.hpp>

#include "cli/cli_app.hpp"
#include "cli/mixture_options.hpp"
#include "cli/mixture_output.hpp"
#include "cli/tool_output.hpp"
#include "files/atomic_file.hpp"
#include "main/report.hpp"

namespace toluvek::cli {

Subcommand AddMixtureCommand(CLI::App& app) {
  struct Options {
    MixtureOptions mixture;
    bool json = false;
    std::string format = "text";
    std::string save;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub = app.add_subcommand("mixture", "properties of the mixture and of each species");
  options->mixture.AddTo(*sub);
  CLI::Option* json =
      sub->add_flag("--json", options->json, "full-precision values beside the display texts");
  sub->add_option("--format", options->format,
                  "text: results and species table; report: the window's clipboard report "
                  "(CR LF line ends)")
      ->check(CLI::IsMember({"text", "report"}))
      ->capture_default_str()
      ->excludes(json);
  sub->add_option("--save", options->save,
                  "also write the inputs to a composition file, as File > Save does")
      ->type_name("FILE");
  return {sub, OnMixture(options, [options](Io& io, HeadlessMainWindow& headless) {
            MainWindowModel& window = headless.window();
            bool ok = window.Calculate();
            if (!options->save.empty()) {
              if (const std::error_code error = window.SaveCompositionFile(options->save)) {
                // The window's message is on stderr already; this says what went wrong.
                io.err << "--save " << options->save << ": " << SaveFailureText(error)
                       << "; nothing was written\n";
                ok = false;
              }
            }
            // Properties shown, in full or up to a failure, at a temperature the fits may
            // not cover.
            const bool shows_properties = window.last_mixture().has_value();
            const bool outside =
                shows_properties && WarnOutsideFitRange(WindowKelvin(window), io.messages);
            const std::vector<Message>& shown = io.messages.shown();
            if (options->json) {
              nlohmann::ordered_json doc = MixtureJson(window);
              if (shows_properties) doc["outside_fit_range"] = outside;
              if (!shown.empty()) doc["error"] = MessageJson(shown.front(), io.messages.language());
              io.out << JsonText(doc) << '\n';
            } else if (options->format == "report") {
              io.out << ResultsReport(window);
            } else {
              PrintMixture(window, io.out, io.messages.language());
            }
            return ok ? kExitOk : kExitStopped;
          })};
}

}  // namespace toluvek::cli
