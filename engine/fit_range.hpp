#pragma once
// The temperature ranges over which the pure-species fits were made. The engine evaluates the
// fits at any temperature, as the program always has; these ranges let every front end flag a
// state where the values are extrapolations and must not be shown as sound.

namespace toluvek {

// A closed range of absolute temperature [K]. NaN is inside no range.
struct FitRange {
  double low;   // [K]
  double high;  // [K]
  constexpr bool Contains(double t_kelvin) const { return t_kelvin >= low && t_kelvin <= high; }
};

// cp, λ and μ of the pure species: the heat-capacity cubics of the chemical engineering
// handbook (化学工学便覧, reference [1] of the Help) hold for about 200 to 1000 K, as the Help
// window says; the conductivity and viscosity fits were made over the same span of the
// tabulated data (references [1] to [3]).
inline constexpr FitRange kPropertyFitRange{200.0, 1000.0};

// The molar enthalpy polynomials, fitted to the tables of references [1] and [5]
// (NIST-JANAF) from about 200 to 3000 K.
inline constexpr FitRange kEnthalpyFitRange{200.0, 3000.0};

// Whether the mixture's cp, λ, μ and the numbers formed from them hold at `t_kelvin` [K].
constexpr bool InPropertyFitRange(double t_kelvin) {
  return kPropertyFitRange.Contains(t_kelvin);
}

// Whether the species' enthalpies hold at `t_kelvin` [K].
constexpr bool InEnthalpyFitRange(double t_kelvin) {
  return kEnthalpyFitRange.Contains(t_kelvin);
}

}  // namespace toluvek
