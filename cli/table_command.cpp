// toluvek-cli table: the mixture's properties over a sweep of temperature and pressure, one
// CSV row (or JSON line) per state, temperature fastest.

#include <cmath>
#include <functional>
#include <limits>
#include <ostream>

#include "cli/cli_app.hpp"
#include "cli/mixture_options.hpp"
#include "cli/table_options.hpp"
#include "common/number_text.hpp"
#include "main/engineering_units.hpp"
#include "main/main_window_fields.hpp"

namespace toluvek::cli {
namespace {

struct SweepTexts {
  std::string from, to, step;
  bool given() const { return !from.empty() || !to.empty() || !step.empty(); }
};

void AddSweep(CLI::App& app, SweepTexts& texts, const std::string& prefix,
              const std::string& quantity) {
  CLI::Option* from = app.add_option("--" + prefix + "-from", texts.from,
                                     "first " + quantity + " of the sweep, in the chosen unit");
  CLI::Option* to =
      app.add_option("--" + prefix + "-to", texts.to, "last " + quantity + " of the sweep");
  CLI::Option* step = app.add_option("--" + prefix + "-step", texts.step,
                                     "step of the sweep (negative to go down)");
  from->needs(to)->needs(step);
  to->needs(from)->needs(step);
  step->needs(from)->needs(to);
}

// The sweep the options give, or the single value of the window's field. Writes a usage line
// and returns false for a sweep that cannot be made, or whose consecutive values would be the
// same state once `to_state` has converted them.
bool SweepOf(const SweepTexts& texts, const std::string& prefix, const std::string& field_text,
             const std::function<double(double)>& to_state, Sweep& sweep, std::ostream& err) {
  if (!texts.given()) {
    // A field text that is not a number fails in every row, as the calculate command fails.
    sweep = SingleValue(ParseStrict(field_text).value_or(std::numeric_limits<double>::quiet_NaN()));
    return true;
  }
  const std::pair<const std::string*, const char*> parts[] = {
      {&texts.from, "-from"}, {&texts.to, "-to"}, {&texts.step, "-step"}};
  double values[3] = {};
  for (std::size_t i = 0; i < 3; ++i) {
    const std::optional<double> value = ParseStrict(*parts[i].first);
    if (!value) {
      err << "--" << prefix << parts[i].second << ": \"" << *parts[i].first
          << "\" is not a number\n";
      return false;
    }
    values[i] = *value;
  }
  if (const std::string why = MakeSweep(values[0], values[1], values[2], sweep); !why.empty()) {
    err << "--" << prefix << "-from/-to/-step: " << why << '\n';
    return false;
  }
  if (!ConsecutiveStatesDiffer(sweep, to_state)) {
    err << "--" << prefix
        << "-from/-to/-step: the step is too small: consecutive rows would be the same state\n";
    return false;
  }
  return true;
}

// A pressure sweep in a unit the window lacks, or of gauge pressures, in absolute Pa: the
// first and last values converted as the pressure is, the step scaled. A text that is not a
// number stays, for SweepOf to report.
SweepTexts InPascal(const SweepTexts& texts, const MixtureOptions& mixture) {
  if (!texts.given() || mixture.PressureAsTyped()) return texts;
  SweepTexts pascal = texts;
  const auto convert = [](std::string& text,
                          const std::function<std::optional<double>(double)>& f) {
    const std::optional<double> reading = ParseStrict(text);
    if (!reading) return;
    if (const std::optional<double> value = f(*reading)) text = FormatShortest(*value);
  };
  const auto absolute = [&mixture](double p) { return mixture.PressurePascal(p); };
  convert(pascal.from, absolute);
  convert(pascal.to, absolute);
  convert(pascal.step, [&mixture](double step) -> std::optional<double> {
    const std::optional<double> per_unit = PascalPerUnit(mixture.pressure_unit);
    if (!per_unit || !std::isfinite(step * *per_unit)) return std::nullopt;
    return step * *per_unit;
  });
  return pascal;
}

}  // namespace

Subcommand AddTableCommand(CLI::App& app) {
  struct Options {
    MixtureOptions mixture;
    SweepTexts temperature;
    SweepTexts pressure;
    TableOptions output;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub = app.add_subcommand(
      "table", "the mixture's properties over a sweep of temperature and pressure, as CSV");
  options->mixture.AddTo(*sub);
  AddSweep(*sub, options->temperature, "t", "temperature");
  AddSweep(*sub, options->pressure, "p", "pressure");
  options->output.AddTo(*sub);
  return {sub, OnMixture(options, [options](Io& io, HeadlessMainWindow& headless) {
            MainWindowModel& window = headless.window();
            SweepRequest request;
            request.pressure_unit = window.pressure_unit();
            request.temperature_unit = window.temperature_unit();
            const auto kelvin = [&request](double t) {
              return StateRow(0, PressureUnit::kPa, t, request.temperature_unit).temperature_k;
            };
            const auto pascal = [&request](double p) {
              return StateRow(p, request.pressure_unit, 0, TemperatureUnit::kKelvin).pressure;
            };
            if (!SweepOf(options->temperature, "t", window.Text(form1::kTemperature), kelvin,
                         request.temperature, io.err) ||
                !SweepOf(InPascal(options->pressure, options->mixture), "p",
                         window.Text(form1::kPressure), pascal, request.pressure, io.err)) {
              return kExitUsage;
            }
            const std::uint64_t rows = request.temperature.count * request.pressure.count;
            if (rows > kMaxTableRows) {
              io.err << "the sweep gives " << rows << " rows, more than " << kMaxTableRows << '\n';
              return kExitUsage;
            }
            std::array<std::string, kSpeciesCount> amounts;
            for (std::size_t i = 0; i < kSpeciesCount; ++i) {
              amounts[i] = window.Text(form1::kAmount[i]);
            }
            request.amounts = ReadAmounts(amounts);
            const auto columns = options->output.Columns(io.err);
            if (!columns) return kExitUsage;

            TableWriter writer(
                io.out, *columns, options->output.Format(),
                io.messages.language() == Language::kEnglish ? &CatalogueEnglish : nullptr);
            return FinishTable(writer, WriteSweep(request, writer, options->output.Jobs()), io);
          })};
}

}  // namespace toluvek::cli
