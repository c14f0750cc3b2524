// The combustion temperature search and the heat duty, timed.

#include <benchmark/benchmark.h>

#include "main/combustion.hpp"
#include "tools/enthalpy/heat_duty.hpp"

namespace toluvek {
namespace {

SpeciesArray MethaneAir(double scale) {
  SpeciesArray amounts{};
  amounts[kCH4] = 1 * scale;
  amounts[kO2] = 2 * scale;
  amounts[kN2] = 7.52 * scale;
  return amounts;
}

// A typical search: about 250 candidate temperatures.
void BM_AdiabaticCombustionMethaneAir(benchmark::State& state) {
  const SpeciesArray amounts = MethaneAir(1);
  double t0 = 298.15;
  for (auto _ : state) {
    benchmark::DoNotOptimize(t0);
    CombustionOutcome outcome = AdiabaticCombustion(t0, amounts);
    benchmark::DoNotOptimize(outcome);
  }
}
BENCHMARK(BM_AdiabaticCombustionMethaneAir);

// The tolerance cannot be met: about 300 candidates, until the step no longer moves T.
void BM_AdiabaticCombustionNoSolution(benchmark::State& state) {
  const SpeciesArray amounts = MethaneAir(1e13);
  double t0 = 298.15;
  for (auto _ : state) {
    benchmark::DoNotOptimize(t0);
    CombustionOutcome outcome = AdiabaticCombustion(t0, amounts);
    benchmark::DoNotOptimize(outcome);
  }
}
BENCHMARK(BM_AdiabaticCombustionNoSolution);

void BM_ComputeHeatDuty(benchmark::State& state) {
  HeatDutyInput input;
  input.flow = "1";
  input.flow_unit = FlowUnit::kKgPerSecond;
  input.t1 = "25";
  input.t2 = "125";
  input.amounts = {"0", "0", "0", "0", "0", "1", "2", "1", "0", "0", "0", "0"};
  input.mole_fractions = {"0.000E+000", "0.000E+000", "0.000E+000", "0.000E+000",
                          "0.000E+000", "2.500E-001", "5.000E-001", "2.500E-001",
                          "0.000E+000", "0.000E+000", "0.000E+000", "0.000E+000"};
  input.mass_fractions = {"0.000E+000", "0.000E+000", "0.000E+000", "0.000E+000",
                          "0.000E+000", "1.800E-001", "6.597E-001", "1.603E-001",
                          "0.000E+000", "0.000E+000", "0.000E+000", "0.000E+000"};
  input.molar_mass = "2.503E+001";
  for (auto _ : state) {
    HeatDutyResult result = ComputeHeatDuty(input);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_ComputeHeatDuty);

}  // namespace
}  // namespace toluvek
