#pragma once
// The mixture calculation over many states for the module's array calls: the module's one
// way into the property engine. The states are a broadcast of numpy arrays, read through
// their strides, so that a temperature sweep of one mixture needs no copy of the mixture.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/mixture.hpp"
#include "main/platform.hpp"

namespace toluvek::python {

// One input array, read at byte offsets along each axis of the states (0 where it is
// broadcast). The amounts have one axis more, the twelve species, at `species_stride`.
struct StridedInput {
  const char* data = nullptr;
  std::vector<std::ptrdiff_t> strides;
  std::ptrdiff_t species_stride = 0;
};

struct StateInputs {
  std::vector<std::size_t> shape;  // of the broadcast states
  StridedInput pressure;           // [Pa]
  StridedInput temperature;        // [K]
  StridedInput amounts;            // any proportional unit, species order
};

// The mixture's quantities in the order of MixtureProperties and of `toluvek-cli mixture
// --json`, then the per-species ones.
inline constexpr std::size_t kMixtureQuantities = 9;
inline constexpr std::size_t kSpeciesQuantities = 6;

// Output arrays in C order over the states (count × 12 for the species' ones); a null
// pointer is not filled. A state that fails is NaN in every array.
struct StateOutputs {
  std::array<double*, kMixtureQuantities> mixture{};
  std::array<double*, kSpeciesQuantities> species{};
  bool* ok = nullptr;
  bool* in_fit_range = nullptr;     // calculated, at a temperature where the fits hold
  std::uint8_t* message = nullptr;  // index into FailureMessages(), 0: none
  std::uint8_t* step = nullptr;     // the MixtureStep that failed, 0 when a check stopped it
};

// The messages a state can end with, as the main window shows them; entry 0 is empty.
const std::vector<const Message*>& FailureMessages();

std::size_t StateCount(const std::vector<std::size_t>& shape);

// Calculates every state as the calculate command does (its checks, then the engine), split
// over `threads` threads in contiguous chunks; each state is written at its own index.
void EvaluateStates(const StateInputs& inputs, const StateOutputs& outputs, unsigned threads);

}  // namespace toluvek::python
