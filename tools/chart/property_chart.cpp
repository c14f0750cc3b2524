#include "tools/chart/property_chart.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <span>
#include <vector>

#include "common/number_text.hpp"
#include "engine/fit_range.hpp"
#include "files/atomic_file.hpp"
#include "main/calculate_command.hpp"
#include "main/main_window_fields.hpp"
#include "main/state_check.hpp"
#include "tables/property_table.hpp"

namespace toluvek {
namespace {

double ToKelvin(double t, TemperatureUnit unit) {
  return unit == TemperatureUnit::kCelsius ? t + kKelvinOffset : t;
}

double FromKelvin(double t, TemperatureUnit unit) {
  return unit == TemperatureUnit::kCelsius ? t - kKelvinOffset : t;
}

// The parts of [from, to] (in `unit`) below and above the range of the property fits.
std::vector<ChartSpan> OutsideFits(double from, double to, TemperatureUnit unit) {
  const double low = FromKelvin(kPropertyFitRange.low, unit);
  const double high = FromKelvin(kPropertyFitRange.high, unit);
  std::vector<ChartSpan> spans;
  if (from < low) spans.push_back({from, std::min(to, low)});
  if (to > high) spans.push_back({std::max(from, high), to});
  return spans;
}

// "O2 21 %, N2 79 %": the species present, in mole percent to four significant figures.
std::string Composition(const SpeciesArray& amounts) {
  double sum = 0;
  for (double a : amounts) sum += a;
  std::string text;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    if (!(amounts[i] > 0)) continue;
    if (!text.empty()) text += ", ";
    text += std::string(AllSpecies()[i].label) + " " +
            FormatGeneral(RoundToSignificant(amounts[i] / sum * 100, 4)) + " %";
  }
  return text;
}

}  // namespace

const ChartPropertyInfo& InfoOf(ChartProperty property) {
  return kChartProperties[static_cast<std::size_t>(property)];
}

ChartMixture ReadChartMixture(const MainWindowModel& window) {
  ChartMixture mixture;
  mixture.pressure = window.Text(form1::kPressure);
  mixture.pressure_unit = window.pressure_unit();
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    mixture.amounts[i] = window.Text(form1::kAmount[i]);
  }
  return mixture;
}

std::vector<std::vector<ChartPoint>> ChartSeries::Segments() const {
  std::vector<std::vector<ChartPoint>> segments;
  bool in_gap = true;
  for (const ChartPoint& point : points) {
    if (!point.ok) {
      in_gap = true;
      continue;
    }
    if (in_gap) segments.emplace_back();
    in_gap = false;
    segments.back().push_back(point);
  }
  return segments;
}

double ChartStep(double span) {
  if (!(span > 0) || !std::isfinite(span)) return 0;
  const double raw = span / kMinChartPoints;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double multiple : {5.0, 2.0, 1.0}) {
    if (multiple * power <= raw) return multiple * power;
  }
  return power / 2;  // log10 rounded up at a power of ten
}

ChartSeries MakeChartSeries(ChartProperty property, const ChartMixture& mixture,
                            const ChartRange& range) {
  const ChartPropertyInfo& info = InfoOf(property);
  ChartSeries series;
  series.x_title = "Temperature [" + std::string(TemperatureUnitName(range.unit)) + "]";
  series.y_title = std::string(info.name) + " [" + std::string(info.unit) + "]";
  const auto reject = [&series](const Message& message) {
    series.message = message.text;
    return series;
  };

  // The calculate command's reading and checks, at the coldest end of the range.
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  const double pressure =
      ParseStrict(mixture.pressure).value_or(kNaN) * PascalPer(mixture.pressure_unit);
  const std::optional<double> from = ParseStrict(range.from);
  const std::optional<double> to = ParseStrict(range.to);
  const AmountsInput amounts = ReadAmounts(mixture.amounts);
  const double coldest = from && to ? ToKelvin(std::min(*from, *to), range.unit) : kNaN;
  if (const Message* message = CheckState(pressure, coldest, amounts).message)
    return reject(*message);

  Sweep sweep;
  if (!(*from < *to) || !MakeSweep(*from, *to, ChartStep(*to - *from), sweep).empty()) {
    return reject(messages::kCheckInput);
  }
  // Every temperature of the curve, in the range's unit.
  series.points.resize(sweep.count + (sweep.lands_on_end ? 0 : 1));
  for (std::uint64_t i = 0; i < sweep.count; ++i) series.points[i].temperature = sweep.At(i);
  if (!sweep.lands_on_end) series.points.back().temperature = *to;
  // The states go to the many-state entry point a run at a time, so that the full results (a
  // few hundred bytes each) are held for one run and not for the whole curve.
  constexpr std::size_t kRun = 64;
  std::array<double, kRun> kelvins;
  std::array<const Message*, kRun> failed;
  std::vector<MixtureResult> results(std::min(kRun, series.points.size()));
  for (std::size_t begin = 0; begin < series.points.size(); begin += kRun) {
    const std::span<ChartPoint> run =
        std::span(series.points).subspan(begin, std::min(kRun, series.points.size() - begin));
    for (std::size_t k = 0; k < run.size(); ++k) {
      kelvins[k] = ToKelvin(run[k].temperature, range.unit);
    }
    EvaluateStates({&pressure, 1}, std::span(kelvins).first(run.size()), {&amounts.values, 1},
                   amounts.status, std::span(results).first(run.size()),
                   std::span(failed).first(run.size()));
    for (std::size_t k = 0; k < run.size(); ++k) {
      ChartPoint& point = run[k];
      point.in_fit_range = !info.from_fits || InPropertyFitRange(kelvins[k]);
      if (failed[k] == nullptr) {
        point.value = results[k].properties.*info.value;
        point.ok = std::isfinite(point.value);
      }
    }
  }
  if (info.from_fits) series.outside_fits = OutsideFits(*from, *to, range.unit);

  series.title = std::string(info.name) + " of " + Composition(amounts.values) + " at " +
                 mixture.pressure + " " + std::string(PressureUnitName(mixture.pressure_unit));
  return series;
}

std::string ChartReadout(const ChartSeries& series, ChartProperty property, TemperatureUnit unit,
                         double temperature) {
  const ChartPoint* nearest = nullptr;
  for (const ChartPoint& point : series.points) {
    if (point.ok && (nearest == nullptr || std::fabs(point.temperature - temperature) <
                                               std::fabs(nearest->temperature - temperature))) {
      nearest = &point;
    }
  }
  if (nearest == nullptr) return {};
  const ChartPropertyInfo& info = InfoOf(property);
  std::string text = FormatGeneral(nearest->temperature) + " " +
                     std::string(TemperatureUnitName(unit)) + ", " + std::string(info.name) +
                     " = " + FormatPattern(nearest->value, Pattern::kSci3) + " " +
                     std::string(info.unit);
  if (!nearest->in_fit_range) text += ", " + std::string(kOutsideFitsLabel);
  return text;
}

std::string ChartCsv(const ChartSeries& series, ChartProperty property, TemperatureUnit unit) {
  std::string csv = unit == TemperatureUnit::kCelsius ? "temperature_C," : "temperature_K,";
  csv += std::string(InfoOf(property).column) + "\r\n";
  for (const ChartPoint& point : series.points) {
    csv += FormatShortest(point.temperature) + ",";
    if (point.ok) csv += FormatShortest(point.value);
    csv += "\r\n";
  }
  return csv;
}

}  // namespace toluvek
