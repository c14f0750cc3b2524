// One keystroke in a converter window's model: the recalculation and the rows written into the
// model, as the window sees them. Alternates between two texts so that every step is a change.

#include <benchmark/benchmark.h>

#include "tools/converters/converter_window_models.hpp"

namespace toluvek {
namespace {

template <typename Model>
void RunKeystrokes(benchmark::State& state, std::string_view input, const char* a, const char* b) {
  NoMessages messages;
  Model window(messages);
  bool flip = false;
  for (auto _ : state) {
    window.SetText(input, (flip = !flip) ? a : b);
    benchmark::DoNotOptimize(window.Text(input));
  }
}

void BM_PressureConverterKeystroke(benchmark::State& state) {
  RunKeystrokes<PressureConverterModel>(state, pressure_converter_fields::kInput, "101325",
                                        "1013255");
}
BENCHMARK(BM_PressureConverterKeystroke);

void BM_TemperatureConverterKeystroke(benchmark::State& state) {
  RunKeystrokes<TemperatureConverterModel>(state, form10::kInput, "100", "1005");
}
BENCHMARK(BM_TemperatureConverterKeystroke);

void BM_HeatConverterKeystroke(benchmark::State& state) {
  RunKeystrokes<HeatConverterModel>(state, form6::kPowerInput, "1", "15");
}
BENCHMARK(BM_HeatConverterKeystroke);

}  // namespace
}  // namespace toluvek
