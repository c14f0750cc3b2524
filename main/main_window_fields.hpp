#pragma once
// The main window's control names, in species order where they belong to a species.

#include <array>
#include <string_view>

#include "main/window_model.hpp"

namespace toluvek::form1 {

inline constexpr std::string_view kPressure = "Text1";
inline constexpr std::string_view kTemperature = "Text2";
inline constexpr SpeciesFields kAmount = {"Text3",  "Text4",  "Text5",  "Text6",
                                          "Text7",  "Text8",  "Text9",  "Text10",
                                          "Text11", "Text75", "Text82", "Text89"};

// Per-species results.
inline constexpr SpeciesFields kMoleFraction = {"Text18", "Text13", "Text14", "Text15",
                                                "Text16", "Text17", "Text12", "Text19",
                                                "Text76", "Text20", "Text83", "Text90"};
inline constexpr SpeciesFields kMassFraction = {"Text27", "Text22", "Text23", "Text24",
                                                "Text25", "Text26", "Text21", "Text28",
                                                "Text77", "Text29", "Text84", "Text91"};
inline constexpr SpeciesFields kSpeciesCp = {"Text36", "Text31", "Text32", "Text33",
                                             "Text34", "Text35", "Text30", "Text37",
                                             "Text78", "Text38", "Text85", "Text92"};
inline constexpr SpeciesFields kSpeciesConductivity = {"Text45", "Text40", "Text41", "Text42",
                                                       "Text43", "Text44", "Text39", "Text46",
                                                       "Text79", "Text47", "Text86", "Text93"};
inline constexpr SpeciesFields kSpeciesViscosity = {"Text62", "Text57", "Text58", "Text59",
                                                    "Text60", "Text61", "Text56", "Text63",
                                                    "Text80", "Text64", "Text87", "Text94"};
inline constexpr SpeciesFields kSpeciesPrandtl = {"Text71", "Text66", "Text67", "Text68",
                                                  "Text69", "Text70", "Text65", "Text72",
                                                  "Text81", "Text73", "Text88", "Text95"};

// The six result fields of each species' row, for the row colours.
inline constexpr std::array<const SpeciesFields*, 6> kResultRows = {
    &kMoleFraction,        &kMassFraction,     &kSpeciesCp,
    &kSpeciesConductivity, &kSpeciesViscosity, &kSpeciesPrandtl};

// Mixture results.
inline constexpr std::string_view kMolarMass = "Text48";
inline constexpr std::string_view kDensity = "Text49";
inline constexpr std::string_view kCp = "Text50";
inline constexpr std::string_view kConductivity = "Text51";
inline constexpr std::string_view kViscosity = "Text52";
inline constexpr std::string_view kKinematicViscosity = "Text53";
inline constexpr std::string_view kGasConstant = "Text54";
inline constexpr std::string_view kPrandtl = "Text55";
inline constexpr std::string_view kPrandtlEucken = "Text74";

// Buttons and options.
inline constexpr std::string_view kCalculate = "Command1";
inline constexpr std::string_view kPrevious = "Prev";
// The pressure options Pa, atm, kgf/cm2 and the temperature options ℃, K.
inline constexpr std::array<std::string_view, 3> kPressureOptions = {"Option1", "Option2",
                                                                     "Option3"};
inline constexpr std::array<std::string_view, 2> kTemperatureOptions = {"Option4", "Option5"};

}  // namespace toluvek::form1
