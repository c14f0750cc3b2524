#include "main/report.hpp"

#include <array>

#include "common/number_text.hpp"
#include "main/main_window_fields.hpp"

namespace toluvek {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Mole-fraction lines: two species each, labels padded to eight and twelve columns.
struct FractionLine {
  std::string_view left_label;
  std::size_t left;
  std::string_view right_label;
  std::size_t right;
};

constexpr std::array<FractionLine, 6> kFractionLines = {{
    {"H2      ", kH2, "    O2      ", kO2},
    {"N2      ", kN2, "    CO      ", kCO},
    {"CO2     ", kCO2, "    H2O     ", kH2O},
    {"CH3OH   ", kCH3OH, "    CH4     ", kCH4},
    {"C2H6    ", kC2H6, "    C3H8    ", kC3H8},
    {"n-C4H10 ", kNC4H10, "    i-C4H10 ", kIC4H10},
}};

// Mixture lines: a label eleven half-width columns wide, the value, the unit in brackets.
struct PropertyLine {
  std::string_view label;
  std::string_view field;
  std::string_view unit;
};

constexpr std::array<PropertyLine, 8> kPropertyLines = {{
    {"分子量     ", form1::kMolarMass, "[kg/kmol]"},
    {"密度       ", form1::kDensity, "[kg/m^3 ]"},
    {"定圧比熱   ", form1::kCp, "[J/kg/K ]"},
    {"粘性係数   ", form1::kViscosity, "[ Pa s  ]"},
    {"動粘性係数 ", form1::kKinematicViscosity, "[ m^2/s ]"},
    {"熱伝導率   ", form1::kConductivity, "[ W/m/K ]"},
    {"Pr数       ", form1::kPrandtl, "[   -   ]"},
    {"Pr数Eucken ", form1::kPrandtlEucken, "[   -   ]"},
}};

}  // namespace

std::string_view ReportUnitText(PressureUnit unit) {
  switch (unit) {
    case PressureUnit::kAtm:
      return "atm";
    case PressureUnit::kKgfCm2:
      return "kgf / cm2";
    case PressureUnit::kPa:
      break;
  }
  return "Pa";
}

std::string_view ReportUnitText(TemperatureUnit unit) {
  return unit == TemperatureUnit::kCelsius ? "℃" : "K";
}

std::string ReportValue(std::string_view text, Pattern pattern) {
  if (const std::optional<double> value = ParseStrict(text)) return FormatPattern(*value, pattern);
  return std::string(text);
}

std::string ResultsReport(const MainWindowAccess& window) {
  const auto value = [&](std::string_view field, Pattern pattern = Pattern::kSci3) {
    return ReportValue(window.FieldText(field), pattern);
  };
  std::string report;
  const auto line = [&](std::string_view text) {
    report += text;
    report += kLineEnd;
  };

  line("圧力  " + value(form1::kPressure, Pattern::kSci5) + "[" +
       std::string(ReportUnitText(window.pressure_option())) + "]    温度  " +
       value(form1::kTemperature, Pattern::kSci4) + "[" +
       std::string(ReportUnitText(window.temperature_unit())) + "]");
  line("----- Molar Fraction --------------------");
  for (const FractionLine& f : kFractionLines) {
    line(std::string(f.left_label) + value(form1::kMoleFraction[f.left]) +
         std::string(f.right_label) + value(form1::kMoleFraction[f.right]));
  }
  line("");
  line("----- 混合ガスの物性値 ------------------");
  for (const PropertyLine& p : kPropertyLines) {
    line(std::string(p.label) + value(p.field) + std::string(p.unit));
  }
  line("");
  line("**************************************************");
  return report;
}

}  // namespace toluvek
