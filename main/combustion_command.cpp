#include "main/combustion_command.hpp"

#include <exception>
#include <string>

#include "common/checked.hpp"
#include "common/number_text.hpp"
#include "main/calculate_command.hpp"
#include "main/main_window_fields.hpp"

namespace toluvek {

CombustionCommandOutcome MainWindowModel::CombustionTemperature() {
  MainWindowModel& window = *this;
  MessageService& messages = services_.messages;
  CombustionCommandOutcome outcome;
  // Fresh results for the mixture as typed; whatever the calculation reports, the
  // combustion goes on with the texts as they are.
  window.Calculate();
  try {
    // Fields that are not numbers count as 0: the calculation above has reported them.
    double t0 = ParseLenient(window.Text(form1::kTemperature));
    if (window.temperature_unit() == TemperatureUnit::kCelsius)
      t0 = toluvek::Checked(t0 + kKelvinOffset);
    SpeciesArray amounts{};
    for (std::size_t i = 0; i < kSpeciesCount; ++i) {
      amounts[i] = ParseLenient(window.Text(form1::kAmount[i]));
    }

    const CombustionOutcome burnt = AdiabaticCombustion(t0, amounts);
    if (!burnt.ok()) {
      messages.Show(CombustionFailureMessage(*burnt.failure));
      return outcome;
    }
    const CombustionResult& r = *burnt.result;

    // The burnt gas: only O2, N2, CO2 and H2O remain.
    const SpeciesArray burnt_amounts = BurntAmounts(r);
    for (std::size_t i = 0; i < kSpeciesCount; ++i) {
      const bool remains = i == kO2 || i == kN2 || i == kCO2 || i == kH2O;
      window.SetText(form1::kAmount[i], remains ? FormatGeneral(burnt_amounts[i]) : "0");
    }
    outcome.result = r;

    // The temperature in ℃; a switch from K converts the old text first, which the
    // combustion temperature then replaces.
    window.SelectTemperatureUnit(TemperatureUnit::kCelsius);
    window.SetText(
        form1::kTemperature,
        FormatPattern(toluvek::Checked(r.temperature - kKelvinOffset), Pattern::kFixed1));

    // The burnt gas at Tad and the unchanged pressure.
    outcome.burnt_gas_calculated = window.Calculate();

    messages.Show(Message{FormatGeneral(r.total_before) + "→" + FormatGeneral(r.total_after),
                          kTotalChangeTitle, MessageIcon::kNone, "total_amount_change"});
    outcome.completed = true;
  } catch (const std::exception&) {
    // An overflow from huge inputs: what was written so far stays.
    messages.Show(messages::kCheckInput);
  }
  return outcome;
}

}  // namespace toluvek
