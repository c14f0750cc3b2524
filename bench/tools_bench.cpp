// The stream mixing and the duct flow, timed.

#include <benchmark/benchmark.h>

#include "tools/duct/duct_flow.hpp"
#include "tools/mixing/stream_mixing.hpp"

namespace toluvek {
namespace {

SpeciesTexts Amounts(std::initializer_list<std::pair<SpeciesIndex, const char*>> set) {
  SpeciesTexts amounts;
  amounts.fill("0");
  for (const auto& [species, text] : set) amounts[species] = text;
  return amounts;
}

void RunMixing(benchmark::State& state, const MixingStream& a, const MixingStream& b) {
  int steps = 0;
  for (auto _ : state) {
    MixingResult result = StreamMixing(a, b);
    steps = result.search_steps;
    benchmark::DoNotOptimize(result);
  }
  state.counters["candidates"] = steps;
}

// Methane into hot air: 18 candidate temperatures.
void BM_StreamMixingMethaneIntoHotAir(benchmark::State& state) {
  RunMixing(state, {"25", "1", Amounts({{kCH4, "1"}})},
            {"500", "10", Amounts({{kO2, "0.21"}, {kN2, "0.79"}})});
}
BENCHMARK(BM_StreamMixingMethaneIntoHotAir);

void BM_StreamMixingFlueGasWithColdAir(benchmark::State& state) {
  RunMixing(state, {"1000", "2", Amounts({{kCO2, "1"}, {kH2O, "2"}, {kN2, "7.52"}})},
            {"20", "1", Amounts({{kO2, "0.21"}, {kN2, "0.79"}})});
}
BENCHMARK(BM_StreamMixingFlueGasWithColdAir);

// A target near zero: refinement until the step no longer moves the temperature.
void BM_StreamMixingTargetNearZero(benchmark::State& state) {
  RunMixing(state, {"100", "1", Amounts({{kN2, "1"}})},
            {"0", "2.9357451781844", Amounts({{kN2, "1"}})});
}
BENCHMARK(BM_StreamMixingTargetNearZero);

// The worst case: the search runs into its limit of candidate temperatures.
void BM_StreamMixingSearchLimit(benchmark::State& state) {
  RunMixing(state, {"100", "1000001", Amounts({{kN2, "1"}})},
            {"99.999999", "-1000000", Amounts({{kN2, "1"}})});
}
BENCHMARK(BM_StreamMixingSearchLimit)->Unit(benchmark::kMillisecond);

void BM_ComputeDuctFlow(benchmark::State& state) {
  DuctFlowInput input;
  input.flow = "100";
  input.shape = static_cast<DuctShape>(state.range(0));
  input.d1 = "0.02";
  input.d2 = "0.01";
  input.pressure = "1.01325E+005";
  input.temperature = "25";
  input.density = "1.184E+000";
  input.kinematic_viscosity = "1.562E-005";
  input.conductivity = "2.614E-002";
  input.prandtl = "7.296E-001";
  for (auto _ : state) {
    DuctFlowResult result = ComputeDuctFlow(input);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_ComputeDuctFlow)->DenseRange(0, 2)->ArgName("shape");

}  // namespace
}  // namespace toluvek
