#include "main/calculate_command.hpp"

#include "common/number_text.hpp"
#include "main/main_window_fields.hpp"

namespace toluvek {
namespace {

// Appends the writes in order until the first quantity the calculation did not produce.
class WriteList {
 public:
  explicit WriteList(const MixtureResult& result) : result_(result) {}

  void Add(std::string_view field, double value, MixtureStep step, std::size_t species = 0) {
    stopped_ = stopped_ || !Produced(step, species);
    if (!stopped_) writes_.push_back({field, FormatPattern(value, Pattern::kSci3)});
  }

  void AddAll(const SpeciesFields& fields, const SpeciesArray& values, MixtureStep step) {
    for (std::size_t i = 0; i < kSpeciesCount; ++i) Add(fields[i], values[i], step, i);
  }

  std::vector<FieldWrite> Take() { return std::move(writes_); }

 private:
  bool Produced(MixtureStep step, std::size_t species) const {
    if (result_.ok() || step < result_.failed_step) return true;
    // The species Prandtl numbers before the species that failed were produced.
    return step == MixtureStep::kSpeciesPrandtl && step == result_.failed_step &&
           species < result_.failed_species;
  }

  const MixtureResult& result_;
  std::vector<FieldWrite> writes_;
  bool stopped_ = false;
};

}  // namespace

std::vector<FieldWrite> ResultWrites(const MixtureResult& result) {
  if (!result.ok() && result.failed_step <= MixtureStep::kTransport) return {};
  const MixtureProperties& p = result.properties;
  using S = MixtureStep;
  WriteList list(result);
  list.Add(form1::kMolarMass, p.molar_mass, S::kNormalisation);
  list.Add(form1::kDensity, p.density, S::kDensity);
  list.Add(form1::kGasConstant, p.gas_constant, S::kGasConstant);
  list.AddAll(form1::kMoleFraction, p.mole_fraction, S::kNormalisation);
  list.AddAll(form1::kMassFraction, p.mass_fraction, S::kNormalisation);
  list.AddAll(form1::kSpeciesCp, p.species_cp, S::kSpeciesProperties);
  list.AddAll(form1::kSpeciesConductivity, p.species_conductivity, S::kSpeciesProperties);
  list.AddAll(form1::kSpeciesViscosity, p.species_viscosity, S::kSpeciesProperties);
  list.Add(form1::kCp, p.cp, S::kSpecificHeat);
  list.Add(form1::kConductivity, p.conductivity, S::kTransport);
  list.Add(form1::kViscosity, p.viscosity, S::kTransport);
  list.Add(form1::kKinematicViscosity, p.kinematic_viscosity, S::kKinematicViscosity);
  list.Add(form1::kPrandtl, p.prandtl, S::kPrandtl);
  list.Add(form1::kPrandtlEucken, p.prandtl_eucken, S::kEucken);
  list.AddAll(form1::kSpeciesPrandtl, p.species_prandtl, S::kSpeciesPrandtl);
  return list.Take();
}

}  // namespace toluvek
