// Feeds the stream mixing and the duct flow arbitrary field texts: no crash, no hang (the
// mixing search is bounded), and no infinity or NaN in any text they produce.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/split_fields.hpp"
#include "tools/duct/duct_flow.hpp"
#include "tools/duct/duct_window_model.hpp"
#include "tools/mixing/stream_mixing.hpp"

using namespace toluvek;

namespace {

constexpr std::size_t kMixingFields = 2 * (2 + kSpeciesCount);
constexpr std::size_t kDuctFields = 9;

bool Bad(const std::string& text) {
  std::string lower;
  for (char c : text) lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return lower.find("inf") != std::string::npos || lower.find("nan") != std::string::npos;
}

MixingStream Stream(const std::vector<std::string>& fields, std::size_t first) {
  MixingStream stream;
  stream.temperature = fields[first];
  stream.flow = fields[first + 1];
  for (std::size_t i = 0; i < kSpeciesCount; ++i) stream.amounts[i] = fields[first + 2 + i];
  return stream;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> fields =
      SplitFields(data, size, kMixingFields + kDuctFields, "1", 1);

  const MixingResult mixing = StreamMixing(Stream(fields, 0), Stream(fields, 2 + kSpeciesCount));
  for (const MixingText& write : mixing.display) {
    if (Bad(write.text)) std::abort();
  }
  if (mixing.search_steps > kMixingSearchLimit) std::abort();

  // The first byte picks the options, as the window's option buttons would.
  const unsigned options = size > 0 ? data[0] : 0;
  DuctFlowInput input;
  input.shape = static_cast<DuctShape>(options % 3);
  input.flow_unit = (options / 3) % 2 ? DuctFlowUnit::kKgPerSecond : DuctFlowUnit::kNlPerMin;
  input.length_unit = (options / 6) % 2 ? DuctLengthUnit::kMillimetre : DuctLengthUnit::kMetre;
  const std::string* duct = &fields[kMixingFields];
  input.flow = duct[0];
  input.d1 = duct[1];
  input.d2 = duct[2];
  input.pressure = duct[3];
  input.temperature = duct[4];
  input.density = duct[5];
  input.kinematic_viscosity = duct[6];
  input.conductivity = duct[7];
  input.prandtl = duct[8];
  const DuctFlowResult flow = ComputeDuctFlow(input);
  for (const DuctValue& value : flow.published) {
    if (Bad(value.text)) std::abort();
  }
  if (flow.completed() == DuctStopMessages(flow.stop).empty()) return 0;
  std::abort();  // a completed run shows no message, a stopped one at least one
}
