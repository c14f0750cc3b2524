#pragma once
// The property chart: one property of the main window's mixture against temperature at the
// main window's pressure. The mixture is read from the main window's fields as the calculate
// command reads them; a state where the calculation fails leaves a gap in the curve.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/mixture.hpp"
#include "main/main_window_model.hpp"
#include "main/units.hpp"

namespace toluvek {

enum class ChartProperty {
  kCp,
  kConductivity,
  kViscosity,
  kKinematicViscosity,
  kDensity,
  kPrandtl,
  kPrandtlEucken,
};

struct ChartPropertyInfo {
  ChartProperty property;
  std::string_view name;    // as listed and in the axis title: "cp", "λ", "Pr (Eucken)"
  std::string_view unit;    // SI unit of the axis: "J/(kg·K)", "-"
  std::string_view column;  // the header of the copied table: "cp_J_per_kg_K"
  double MixtureProperties::*value;
  bool from_fits = true;  // formed from the pure-species fits (the density is not)
};

inline constexpr std::array<ChartPropertyInfo, 7> kChartProperties = {{
    {ChartProperty::kCp, "cp", "J/(kg·K)", "cp_J_per_kg_K", &MixtureProperties::cp},
    {ChartProperty::kConductivity, "λ", "W/(m·K)", "conductivity_W_per_m_K",
     &MixtureProperties::conductivity},
    {ChartProperty::kViscosity, "μ", "Pa·s", "viscosity_Pa_s", &MixtureProperties::viscosity},
    {ChartProperty::kKinematicViscosity, "ν", "m²/s", "kinematic_viscosity_m2_per_s",
     &MixtureProperties::kinematic_viscosity},
    {ChartProperty::kDensity, "ρ", "kg/m³", "density_kg_per_m3", &MixtureProperties::density,
     false},
    {ChartProperty::kPrandtl, "Pr", "-", "prandtl", &MixtureProperties::prandtl},
    {ChartProperty::kPrandtlEucken, "Pr (Eucken)", "-", "prandtl_eucken",
     &MixtureProperties::prandtl_eucken},
}};

const ChartPropertyInfo& InfoOf(ChartProperty property);

// The fewest points of a curve.
inline constexpr int kMinChartPoints = 200;

// The temperature range of a curve, as typed in the chart window, in its unit. The default lies
// inside the range of the property fits (200 to 1000 K).
struct ChartRange {
  std::string from = "0";
  std::string to = "700";
  TemperatureUnit unit = TemperatureUnit::kCelsius;
};

// The main window's fields the chart reads: the pressure text in its unit and the amounts.
struct ChartMixture {
  std::string pressure;
  PressureUnit pressure_unit = PressureUnit::kPa;
  std::array<std::string, kSpeciesCount> amounts;
};

ChartMixture ReadChartMixture(const MainWindowModel& window);

struct ChartPoint {
  double temperature = 0;    // in the range's unit
  double value = 0;          // in the property's SI unit; meaningless where !ok
  bool ok = false;           // false: the calculation failed here, a gap in the curve
  bool in_fit_range = true;  // the property's fits hold at this temperature
};

// A part of the plotted range, in the range's unit.
struct ChartSpan {
  double from = 0;
  double to = 0;
  bool operator==(const ChartSpan&) const = default;
};

// How the chart marks the parts of its range where the fits are extrapolated.
inline constexpr std::string_view kOutsideFitsLabel = "outside the fits";

struct ChartSeries {
  // The message of an input the calculate command rejects; then there are no points.
  std::string message;
  std::vector<ChartPoint> points;  // every temperature of the range, in order
  std::string title;               // property, composition in mole percent, pressure
  std::string x_title;             // "Temperature [℃]"
  std::string y_title;             // "cp [J/(kg·K)]"
  // The parts of the range outside the fits of the property, in order; shaded in the chart.
  std::vector<ChartSpan> outside_fits;

  // The runs of points between the failed ones: each is drawn as one line.
  std::vector<std::vector<ChartPoint>> Segments() const;
};

// The step of a smooth curve over `span`: the largest 1, 2 or 5 times a power of ten that
// gives at least kMinChartPoints points; 0 when there is none.
double ChartStep(double span);

ChartSeries MakeChartSeries(ChartProperty property, const ChartMixture& mixture,
                            const ChartRange& range);

// The readout at the pointer: the point nearest to `temperature` where the calculation
// succeeded, "25 ℃, cp = 1.012E+003 J/(kg·K)", followed by ", outside the fits" where the
// fits do not hold. Empty when no point succeeded.
std::string ChartReadout(const ChartSeries& series, ChartProperty property, TemperatureUnit unit,
                         double temperature);

// The plotted table as CSV: temperature and value of every point, the value empty where the
// calculation failed.
std::string ChartCsv(const ChartSeries& series, ChartProperty property, TemperatureUnit unit);

}  // namespace toluvek
