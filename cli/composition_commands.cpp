// toluvek-cli add-air and rescale: the two dialogs behind the main window's "mol Vol." header
// on the mixture given. Each prints the twelve new amounts as the window then shows them and
// can save the resulting composition file, as File > Save does.

#include <optional>
#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/cli_app.hpp"
#include "cli/mixture_options.hpp"
#include "cli/mixture_output.hpp"
#include "cli/tool_output.hpp"
#include "files/atomic_file.hpp"
#include "main/calculate_command.hpp"
#include "main/composition_dialogs.hpp"
#include "main/main_window_fields.hpp"

namespace toluvek::cli {
namespace {

// The dialog's arithmetic on the window's amount texts; no value when it refused them.
using DialogStep = std::optional<SpeciesTexts> (*)(std::string_view, const SpeciesTexts&);

struct Options {
  MixtureOptions mixture;
  std::string value;
  bool json = false;
  std::string save;
};

Subcommand AddCompositionCommand(CLI::App& app, const char* name, const char* description,
                                 const char* value_name, const char* value_description,
                                 DialogStep step) {
  auto options = std::make_shared<Options>();
  CLI::App* sub = app.add_subcommand(name, description);
  sub->add_option(value_name, options->value, value_description)->required();
  options->mixture.AddTo(*sub);
  sub->add_flag("--json", options->json, "the amounts' texts and their values");
  sub->add_option("--save", options->save,
                  "also write the resulting inputs to a composition file, as File > Save does")
      ->type_name("FILE");
  return {
      sub, OnMixture(options, [options, step](Io& io, HeadlessMainWindow& headless) {
        MainWindowModel& window = headless.window();
        SpeciesTexts amounts;
        for (std::size_t i = 0; i < kSpeciesCount; ++i) {
          amounts[i] = window.Text(form1::kAmount[i]);
        }
        const std::optional<SpeciesTexts> changed = step(options->value, amounts);
        if (!changed) {
          // The dialog stays open with the composition untouched.
          io.messages.Show(messages::kCheckInput);
          if (options->json) {
            io.out << JsonText(nlohmann::ordered_json{
                          {"error", MessageJson(messages::kCheckInput, io.messages.language())}})
                   << '\n';
          }
          return kExitStopped;
        }
        for (std::size_t i = 0; i < kSpeciesCount; ++i) {
          window.SetText(form1::kAmount[i], (*changed)[i]);
        }
        bool saved = true;
        if (!options->save.empty()) {
          if (const std::error_code error = window.SaveCompositionFile(options->save)) {
            io.err << "--save " << options->save << ": " << SaveFailureText(error)
                   << "; nothing was written\n";
            saved = false;
          }
        }
        if (options->json) {
          nlohmann::ordered_json list = nlohmann::ordered_json::array();
          for (std::size_t i = 0; i < kSpeciesCount; ++i) {
            const std::string& text = (*changed)[i];
            nlohmann::ordered_json entry = {{"label", AllSpecies()[i].label}};
            entry.update(TextAndItsValue(text));
            list.push_back(entry);
          }
          nlohmann::ordered_json doc = {{"amounts", list}};
          if (!saved)
            doc["error"] = MessageJson(main_window_messages::kFileNotSaved, io.messages.language());
          io.out << JsonText(doc) << '\n';
        } else {
          for (std::size_t i = 0; i < kSpeciesCount; ++i) {
            io.out << PadColumns(AllSpecies()[i].label, 9) << (*changed)[i] << '\n';
          }
        }
        return saved ? kExitOk : kExitStopped;
      })};
}

}  // namespace

Subcommand AddAddAirCommand(CLI::App& app) {
  return AddCompositionCommand(app, "add-air",
                               "add AMOUNT of air (21 % O2, 79 % N2) to the mixture's amounts",
                               "AMOUNT", "the amount of air, in the unit of the amounts", &AddAir);
}

Subcommand AddRescaleCommand(CLI::App& app) {
  return AddCompositionCommand(app, "rescale",
                               "rescale the mixture's amounts to add up to TOTAL, keeping their "
                               "shares",
                               "TOTAL", "the new sum of the twelve amounts", &RescaleToTotal);
}

}  // namespace toluvek::cli
