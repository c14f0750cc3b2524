#include "tools/duct/duct_flow.hpp"

#include <exception>

#include "common/checked.hpp"
#include "common/number_text.hpp"
#include "engine/gas_table.hpp"

namespace toluvek {
namespace {

// π and π/4 shortened on purpose, as the duct calculation has always used them: the displayed
// digits of a round duct's area and hydraulic diameter, and of every value after them, depend
// on these exact values, so they must not be replaced by a full-precision π.
constexpr double kPi = 3.1415926;                     // -
constexpr double kQuarterPi = 0.78539815;             // -
constexpr double kLaminarNusselt = 3.6;               // -
constexpr double kTurbulentFactor = 0.023;            // -
constexpr double kReynoldsExponent = 0.8;             // -
constexpr double kPrandtlExponent = 0.3333333333;     // -
constexpr double kLaminarLimit = 2300;                // Re; this value itself is laminar
constexpr double kNormalTemperature = kKelvinOffset;  // K
constexpr double kNormalPressure = kPascalPerAtm;     // Pa
constexpr double kSecondsPerMinute = 60;              // s/min
constexpr double kLitresPerCubicMetre = 1000;         // l/m³
constexpr double kMetresPerMillimetre = 0.001;        // m/mm

class DuctCalculation {
 public:
  DuctCalculation(const DuctFlowInput& input, DuctFlowResult& result)
      : in_(input), result_(result) {}

  // Publishes the values in order; returns why it stopped before the last one, if it did.
  DuctStop Run() {
    // 1. Volume flow at operating conditions [m³/s].
    double q = 0;
    if (in_.flow_unit == DuctFlowUnit::kNlPerMin) {
      const double flow = ParseLenient(in_.flow);
      const double pressure = ParseLenient(in_.pressure);
      const double t = ParseLenient(in_.temperature);
      q = Div(flow, kSecondsPerMinute);
      q = Div(q, kLitresPerCubicMetre);
      q = Checked(q * kNormalPressure);
      q = Div(q, pressure);
      q = Checked(q * Checked(t + kKelvinOffset));
      q = Div(q, kNormalTemperature);
    } else {
      q = Div(ParseLenient(in_.flow), ParseLenient(in_.density));
    }

    // 2-3. Cross-section and hydraulic diameter; the dimensions' checks read them strictly.
    const double u = in_.length_unit == DuctLengthUnit::kMetre ? 1 : kMetresPerMillimetre;
    double area = 0;
    double dh = 0;
    switch (in_.shape) {
      case DuctShape::kCircular: {
        const double d1u = Checked(ParseLenient(in_.d1) * u);
        area = Checked(Checked(d1u * d1u) * kQuarterPi);
        const double d1 = RequireNumber(in_.d1);
        if (d1 == 0) return DuctStop::kDivisionByZero;
        if (!(d1 >= 0)) return DuctStop::kNegative;
        dh = Div(Checked(area * 4), Checked(Checked(d1 * kPi) * u));
        break;
      }
      case DuctShape::kDoublePipe: {
        const double d1l = ParseLenient(in_.d1);
        const double d2l = ParseLenient(in_.d2);
        const double outer = Checked(Checked(Checked(d1l * u) * d1l) * u);
        const double inner = Checked(Checked(Checked(d2l * u) * d2l) * u);
        area = Checked(Checked(outer - inner) * kQuarterPi);
        const double d1 = RequireNumber(in_.d1);
        const double d2 = RequireNumber(in_.d2);
        if (d1 + d2 == 0) return DuctStop::kDivisionByZero;
        if (!(d1 * d2 >= 0)) return DuctStop::kNegative;
        dh = Div(Checked(area * 4), Checked(Checked(d2 * u + d1 * u) * kPi));
        break;
      }
      case DuctShape::kRectangular: {
        area = Checked(Checked(ParseLenient(in_.d2) * u) * Checked(ParseLenient(in_.d1) * u));
        const double d1 = RequireNumber(in_.d1);
        const double d2 = RequireNumber(in_.d2);
        if (!(d1 * d2 >= 0)) return DuctStop::kNegative;
        if (d1 + d2 == 0) return DuctStop::kDivisionByZero;
        dh = Div(Checked(area * 4) / 2, Checked(d2 * u + d1 * u));
        break;
      }
    }

    // 4. An inner diameter larger than the outer one, or a side of zero, leaves no flow area.
    Publish(DuctQuantity::kArea, area);
    if (!(area > 0)) return DuctStop::kNoFlowArea;

    // 5-7. Gas velocity, hydraulic diameter and Reynolds number, published in that order.
    const double v = Div(q, area);
    Publish(DuctQuantity::kVelocity, v);
    Publish(DuctQuantity::kHydraulicDiameter, dh);
    const double re = Div(Checked(dh * v), RequireNumber(in_.kinematic_viscosity));
    Publish(DuctQuantity::kReynolds, re);

    // 8. Dittus–Boelter above the laminar limit, the constant Nusselt number of fully developed
    // laminar flow up to it; both are evaluated.
    const double conductivity = RequireNumber(in_.conductivity);
    const double prandtl = RequireNumber(in_.prandtl);
    const double turbulent =
        Div(Checked(Checked(conductivity * Checked(kTurbulentFactor * Pow(re, kReynoldsExponent))) *
                    Pow(prandtl, kPrandtlExponent)),
            dh);
    const double laminar = Checked(conductivity * Div(kLaminarNusselt, dh));
    Publish(DuctQuantity::kHeatTransfer, re > kLaminarLimit ? turbulent : laminar);

    // 9. Mass velocity ρ·q/A [kg/(m²·s)].
    const double density = RequireNumber(in_.density);
    Publish(DuctQuantity::kMassVelocity, Div(Checked(density * q), area));
    return DuctStop::kNone;
  }

 private:
  void Publish(DuctQuantity quantity, double value) {
    result_.published.push_back({quantity, value, FormatPattern(value, Pattern::kSci4)});
  }

  const DuctFlowInput& in_;
  DuctFlowResult& result_;
};

}  // namespace

DuctFlowResult ComputeDuctFlow(const DuctFlowInput& input) {
  DuctFlowResult result;
  try {
    result.stop = DuctCalculation(input, result).Run();
  } catch (const std::exception&) {
    // A text that is not a number, or an arithmetic fault: what was published stays.
    result.stop = DuctStop::kFailed;
  }
  return result;
}

}  // namespace toluvek
