#include "engine/gas_table.hpp"

#include <gtest/gtest.h>

#include "engine/correlations.hpp"

namespace toluvek {
namespace {

TEST(SpeciesTable, HoldsTheTwelveSpeciesInOrder) {
  const char* const labels[] = {"H2",    "O2",  "N2",   "CO",   "CO2",     "H2O",
                                "CH3OH", "CH4", "C2H6", "C3H8", "n-C4H10", "i-C4H10"};
  for (int position = 1; position <= 12; ++position) {
    EXPECT_EQ(SpeciesAt(position).label, labels[position - 1]);
  }
  EXPECT_THROW(SpeciesAt(0), std::out_of_range);
  EXPECT_THROW(SpeciesAt(13), std::out_of_range);
}

TEST(SpeciesTable, ButaneIsomersShareOnlyTheMolarMass) {
  const SpeciesConstants& n = AllSpecies()[kNC4H10];
  const SpeciesConstants& i = AllSpecies()[kIC4H10];
  EXPECT_EQ(n.molar_mass, 58.1222);
  EXPECT_EQ(i.molar_mass, 58.1222);
  EXPECT_NE(n.heat_capacity, i.heat_capacity);
  EXPECT_NE(n.conductivity, i.conductivity);
  EXPECT_NE(n.viscosity, i.viscosity);
}

TEST(SpeciesTable, HintTextsKeepTheirBlanks) {
  EXPECT_EQ(AllSpecies()[kH2].hint, "<水素>  臨界圧 1.30MPa  臨界温度 33.2K");
  EXPECT_EQ(AllSpecies()[kO2].hint, "<酸素> 臨界圧 5.04MPa  臨界温度 154.6K");
  EXPECT_EQ(AllSpecies()[kIC4H10].hint, "<イソブタン>  臨界圧 3.65MPa  臨界温度 408.1K");
}

TEST(SpeciesTable, QuadraticConductivityFitsHaveNoCubicTerm) {
  for (SpeciesIndex s : {kH2O, kCH4, kC3H8, kNC4H10, kIC4H10}) {
    EXPECT_EQ(AllSpecies()[s].conductivity[3], 0) << AllSpecies()[s].label;
  }
}

}  // namespace
}  // namespace toluvek
