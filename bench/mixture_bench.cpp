// The property engine and the calculate command, timed. The engine runs beside the plain
// reference loop of mixture_reference.hpp, which computes the same bits with no checks: compare
// the two within one run, never with a figure from another machine or another day.

#include <benchmark/benchmark.h>

#include <vector>

#include "bench/mixture_reference.hpp"
#include "engine/mixture.hpp"
#include "main/headless_main_window.hpp"
#include "main/main_window_fields.hpp"

namespace toluvek {
namespace {

constexpr SpeciesArray kAllTwelve = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

// Nanoseconds per state, from the states counted as items.
void CountStates(benchmark::State& state, std::size_t states_per_iteration) {
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * states_per_iteration));
  state.counters["ns_per_state"] =
      benchmark::Counter(static_cast<double>(state.iterations() * states_per_iteration) * 1e-9,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_MixtureAllSpecies(benchmark::State& state) {
  double t = 293.15;
  for (auto _ : state) {
    benchmark::DoNotOptimize(t);
    MixtureResult r = CalculateMixture(101325, t, kAllTwelve);
    benchmark::DoNotOptimize(r);
  }
  CountStates(state, 1);
}
BENCHMARK(BM_MixtureAllSpecies);

// The portable form, two species at a time, where CalculateMixture would take four.
void BM_MixtureAllSpeciesTwoLanes(benchmark::State& state) {
  double t = 293.15;
  for (auto _ : state) {
    benchmark::DoNotOptimize(t);
    MixtureResult r = CalculateMixtureInLanes(LaneWidth::kTwo, 101325, t, kAllTwelve);
    benchmark::DoNotOptimize(r);
  }
  CountStates(state, 1);
}
BENCHMARK(BM_MixtureAllSpeciesTwoLanes);

// The floor: the same arithmetic as one plain loop nest without checks.
void BM_MixtureAllSpeciesReference(benchmark::State& state) {
  double t = 293.15;
  MixtureProperties p;
  for (auto _ : state) {
    benchmark::DoNotOptimize(t);
    reference::Mixture(101325, t, kAllTwelve, p);
    benchmark::DoNotOptimize(p);
  }
  CountStates(state, 1);
}
BENCHMARK(BM_MixtureAllSpeciesReference);

void BM_MixtureAllSpeciesStepwise(benchmark::State& state) {
  double t = 293.15;
  for (auto _ : state) {
    benchmark::DoNotOptimize(t);
    MixtureResult r = CalculateMixtureStepwise(101325, t, kAllTwelve);
    benchmark::DoNotOptimize(r);
  }
  CountStates(state, 1);
}
BENCHMARK(BM_MixtureAllSpeciesStepwise);

void BM_MixtureAllSpeciesLiteralWilke(benchmark::State& state) {
  double t = 293.15;
  for (auto _ : state) {
    benchmark::DoNotOptimize(t);
    MixtureResult r = CalculateMixture(101325, t, kAllTwelve, WilkeForm::kLiteral);
    benchmark::DoNotOptimize(r);
  }
  CountStates(state, 1);
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

// A table's worth of states through the many-state entry point: one composition and pressure,
// temperatures 0.001 K apart, as a temperature sweep gives them.
void BM_MixtureStates(benchmark::State& state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  std::vector<double> temperatures(count);
  for (std::size_t k = 0; k < count; ++k) temperatures[k] = 273.15 + 0.001 * k;
  const double pressure = 101325;
  std::vector<MixtureResult> results(count);
  for (auto _ : state) {
    CalculateMixtures({&pressure, 1}, temperatures, {&kAllTwelve, 1}, results);
    benchmark::DoNotOptimize(results.data());
    benchmark::ClobberMemory();
  }
  CountStates(state, count);
}
BENCHMARK(BM_MixtureStates)->Arg(1024);

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
