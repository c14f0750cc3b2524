// Feeds the adiabatic combustion temperature any start temperature and amounts, boundary
// doubles included: no crash, no endless search, and a result only with finite values that
// balance (products = CO2 + H2O + O2 left + N2). The first 13 × 8 bytes are the raw doubles
// (start temperature in K, then the twelve amounts); shorter inputs are field texts split at
// '\n' and go through the main window's button, whose fields must never show inf or NaN.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/checked.hpp"
#include "fuzz/split_fields.hpp"
#include "main/combustion.hpp"
#include "main/combustion_command.hpp"
#include "main/headless_main_window.hpp"
#include "main/main_window_fields.hpp"
#include "main/main_window_model.hpp"

using namespace toluvek;

namespace {

constexpr std::size_t kRawSize = 13 * sizeof(double);

void CheckResult(const CombustionOutcome& outcome) {
  if (outcome.ok() == outcome.failure.has_value()) std::abort();
  if (!outcome.ok()) return;
  const CombustionResult& r = *outcome.result;
  for (double v : {r.temperature, r.o2, r.n2, r.co2, r.h2o, r.total_before, r.total_after}) {
    if (!std::isfinite(v)) std::abort();
  }
  if (!(r.temperature >= 298.15 - 10) || r.temperature > 10000 + 10) std::abort();
  if (!(r.o2 >= 0)) std::abort();
}

bool Bad(const std::string& text) {
  for (const char* bad : {"inf", "nan", "INF", "NAN"}) {
    if (text.find(bad) != std::string::npos) return true;
  }
  return false;
}

void RunWindowButton(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> fields = SplitFields(data, size, 14, "0");
  HeadlessMainWindow headless;
  MainWindowModel& window = headless.window();
  window.SetText(form1::kPressure, fields[0]);
  window.SetText(form1::kTemperature, fields[1]);
  for (std::size_t i = 0; i < kSpeciesCount; ++i) window.SetText(form1::kAmount[i], fields[2 + i]);
  const CombustionCommandOutcome outcome = window.CombustionTemperature();
  if (outcome.completed && !outcome.result) std::abort();
  // The burnt gas replaces the amounts once the combustion has a result, its temperature the
  // input when the command completes; texts not replaced stay as typed, whatever they hold.
  if (outcome.result) {
    for (std::string_view field : form1::kAmount) {
      if (Bad(window.Text(field))) std::abort();
    }
  } else {
    for (std::size_t i = 0; i < kSpeciesCount; ++i) {
      if (window.Text(form1::kAmount[i]) != fields[2 + i]) std::abort();
    }
  }
  if (outcome.completed && Bad(window.Text(form1::kTemperature))) std::abort();
  for (const auto* row : form1::kResultRows) {
    for (std::string_view field : *row) {
      if (Bad(window.Text(field))) std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kRawSize) {
    RunWindowButton(data, size);
    return 0;
  }
  double values[13];
  std::memcpy(values, data, kRawSize);
  SpeciesArray amounts;
  for (std::size_t i = 0; i < kSpeciesCount; ++i) amounts[i] = values[1 + i];
  try {
    CheckResult(AdiabaticCombustion(values[0], amounts));
  } catch (const ArithmeticFault&) {
    // Huge or not-a-number inputs: the command reports these as "入力値を確認下さい。".
  }
  return 0;
}
