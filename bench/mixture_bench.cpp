// The property engine and the calculate command, timed.

#include <benchmark/benchmark.h>

#include <vector>

#include "engine/mixture.hpp"
#include "main/headless_main_window.hpp"
#include "main/main_window_fields.hpp"

namespace toluvek {
namespace {

constexpr SpeciesArray kAllTwelve = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

void BM_MixtureAllSpecies(benchmark::State& state) {
  double t = 293.15;
  for (auto _ : state) {
    benchmark::DoNotOptimize(t);
    MixtureResult r = CalculateMixture(101325, t, kAllTwelve);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_MixtureAllSpecies);

void BM_MixtureAllSpeciesLiteralWilke(benchmark::State& state) {
  double t = 293.15;
  for (auto _ : state) {
    benchmark::DoNotOptimize(t);
    MixtureResult r = CalculateMixture(101325, t, kAllTwelve, WilkeForm::kLiteral);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_MixtureAllSpeciesLiteralWilke);

// The engine over a sweep of states, one state per iteration: 10^5 temperatures from 250 to
// 350 K, all twelve species. bench/python_bench.py times the Python module on the same states.
void BM_MixtureSweep(benchmark::State& state) {
  constexpr std::size_t kStates = 100000;
  std::vector<double> temperatures(kStates);
  for (std::size_t i = 0; i < kStates; ++i) {
    temperatures[i] = 250.0 + 100.0 * static_cast<double>(i) / (kStates - 1);
  }
  std::size_t i = 0;
  for (auto _ : state) {
    MixtureResult r = CalculateMixture(101325, temperatures[i], kAllTwelve);
    benchmark::DoNotOptimize(r);
    i = i + 1 == kStates ? 0 : i + 1;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MixtureSweep);

// From the texts of the input fields to the 81 result texts, as "計算" does it.
void BM_CalculateCommand(benchmark::State& state) {
  HeadlessMainWindow headless;
  MainWindowModel& window = headless.window();
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    window.SetText(form1::kAmount[i], std::to_string(i + 1));
  }
  bool toggle = false;
  for (auto _ : state) {
    // A different temperature each time, so that every result text is rewritten.
    window.SetText(form1::kTemperature, toggle ? "25" : "26");
    toggle = !toggle;
    benchmark::DoNotOptimize(window.Calculate());
  }
}
BENCHMARK(BM_CalculateCommand);

}  // namespace
}  // namespace toluvek
