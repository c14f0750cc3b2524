#include "python/src/states.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <span>
#include <system_error>
#include <thread>
#include <vector>

#include "engine/fit_range.hpp"
#include "main/calculate_command.hpp"
#include "main/messages.hpp"
#include "main/state_check.hpp"

namespace toluvek::python {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

constexpr double MixtureProperties::*kMixtureMembers[kMixtureQuantities] = {
    &MixtureProperties::molar_mass,          &MixtureProperties::density,
    &MixtureProperties::gas_constant,        &MixtureProperties::cp,
    &MixtureProperties::conductivity,        &MixtureProperties::viscosity,
    &MixtureProperties::kinematic_viscosity, &MixtureProperties::prandtl,
    &MixtureProperties::prandtl_eucken,
};

constexpr SpeciesArray MixtureProperties::*kSpeciesMembers[kSpeciesQuantities] = {
    &MixtureProperties::mole_fraction,     &MixtureProperties::mass_fraction,
    &MixtureProperties::species_cp,        &MixtureProperties::species_conductivity,
    &MixtureProperties::species_viscosity, &MixtureProperties::species_prandtl,
};

std::uint8_t MessageIndex(const Message* message) {
  const auto& all = FailureMessages();
  for (std::size_t i = 1; i < all.size(); ++i) {
    if (all[i] == message) return static_cast<std::uint8_t>(i);
  }
  return 1;  // the catch-all "入力値を確認下さい。"
}

// Walks the states in C order from a flat index, keeping each input's byte offset.
class Cursor {
 public:
  Cursor(const StateInputs& inputs, std::size_t flat)
      : inputs_(inputs), index_(inputs.shape.size(), 0) {
    for (std::size_t axis = inputs.shape.size(); axis-- > 0;) {
      index_[axis] = flat % inputs.shape[axis];
      flat /= inputs.shape[axis];
      Move(axis, static_cast<std::ptrdiff_t>(index_[axis]));
    }
  }

  void Next() {
    for (std::size_t axis = index_.size(); axis-- > 0;) {
      Move(axis, 1);
      if (++index_[axis] < inputs_.shape[axis]) return;
      Move(axis, -static_cast<std::ptrdiff_t>(index_[axis]));
      index_[axis] = 0;
    }
  }

  double pressure() const { return Read(inputs_.pressure.data + p_); }
  double temperature() const { return Read(inputs_.temperature.data + t_); }
  void Amounts(SpeciesArray& values) const {
    const char* at = inputs_.amounts.data + a_;
    for (std::size_t i = 0; i < kSpeciesCount; ++i) {
      values[i] = Read(at + static_cast<std::ptrdiff_t>(i) * inputs_.amounts.species_stride);
    }
  }

 private:
  // numpy arrays made over a buffer may be unaligned: copied, not dereferenced.
  static double Read(const char* at) {
    double value;
    std::memcpy(&value, at, sizeof value);
    return value;
  }
  void Move(std::size_t axis, std::ptrdiff_t steps) {
    p_ += steps * inputs_.pressure.strides[axis];
    t_ += steps * inputs_.temperature.strides[axis];
    a_ += steps * inputs_.amounts.strides[axis];
  }

  const StateInputs& inputs_;
  std::vector<std::size_t> index_;
  std::ptrdiff_t p_ = 0, t_ = 0, a_ = 0;
};

// Writes a block's results from state `first` on, an output array at a time: NaN where the
// state failed.
void WriteBlock(const StateOutputs& out, std::size_t first, std::span<const MixtureResult> results,
                std::span<const Message* const> messages) {
  const std::size_t n = results.size();
  for (std::size_t q = 0; q < kMixtureQuantities; ++q) {
    double* column = out.mixture[q];
    if (column == nullptr) continue;
    column += first;
    const auto member = kMixtureMembers[q];
    for (std::size_t k = 0; k < n; ++k) {
      column[k] = messages[k] == nullptr ? results[k].properties.*member : kNaN;
    }
  }
  for (std::size_t q = 0; q < kSpeciesQuantities; ++q) {
    if (out.species[q] == nullptr) continue;
    const auto member = kSpeciesMembers[q];
    for (std::size_t k = 0; k < n; ++k) {
      double* row = out.species[q] + (first + k) * kSpeciesCount;
      if (messages[k] == nullptr) {
        const SpeciesArray& values = results[k].properties.*member;
        std::copy(values.begin(), values.end(), row);
      } else {
        std::fill(row, row + kSpeciesCount, kNaN);
      }
    }
  }
}

// States go to the many-state entry point in blocks of this many: large enough that the
// engine runs its lanes over whole blocks, small enough that the block's results (about 700
// bytes a state) stay in the first-level cache until they are copied out; 256 took a quarter
// longer per state.
constexpr std::size_t kBlock = 32;

// Whether the input is broadcast along every axis: one value for all the states.
bool Shared(const StridedInput& input) {
  return std::all_of(input.strides.begin(), input.strides.end(),
                     [](std::ptrdiff_t stride) { return stride == 0; });
}

void EvaluateChunk(const StateInputs& inputs, const StateOutputs& out, std::size_t begin,
                   std::size_t end) {
  if (begin >= end) return;
  Cursor cursor(inputs, begin);
  // A pressure or a composition shared by every state (a scalar p, one Mixture) is read once
  // and handed over as one entry, which the checks and the engine then take once.
  const bool shared_pressure = Shared(inputs.pressure);
  const bool shared_amounts = Shared(inputs.amounts);
  std::vector<double> pressures(shared_pressure ? 1 : kBlock);
  std::vector<double> temperatures(kBlock);
  std::vector<SpeciesArray> amounts(shared_amounts ? 1 : kBlock);
  std::vector<MixtureResult> results(kBlock);
  std::vector<const Message*> messages(kBlock);
  if (shared_pressure) pressures[0] = cursor.pressure();
  if (shared_amounts) cursor.Amounts(amounts[0]);
  const AmountsInput::Status status = AmountsInput{}.status;
  for (std::size_t first = begin; first < end; first += kBlock) {
    const std::size_t n = std::min(kBlock, end - first);
    for (std::size_t k = 0; k < n; ++k, cursor.Next()) {
      if (!shared_pressure) pressures[k] = cursor.pressure();
      temperatures[k] = cursor.temperature();
      if (!shared_amounts) cursor.Amounts(amounts[k]);
      // A state that a check stops is not calculated: its step stays "none".
      results[k].failed_step = MixtureStep::kNone;
    }
    toluvek::EvaluateStates(std::span(pressures).first(std::min(n, pressures.size())),
                            std::span(temperatures).first(n),
                            std::span(amounts).first(std::min(n, amounts.size())), status,
                            std::span(results).first(n), std::span(messages).first(n));
    WriteBlock(out, first, std::span(results).first(n), std::span(messages).first(n));
    for (std::size_t k = 0; k < n; ++k) {
      const Message* message = messages[k];
      const bool ok = message == nullptr;
      const std::size_t at = first + k;
      if (out.ok != nullptr) out.ok[at] = ok;
      if (out.in_fit_range != nullptr) {
        out.in_fit_range[at] = ok && InPropertyFitRange(temperatures[k]);
      }
      if (out.message != nullptr) out.message[at] = ok ? 0 : MessageIndex(message);
      if (out.step != nullptr) {
        out.step[at] = static_cast<std::uint8_t>(ok ? MixtureStep::kNone : results[k].failed_step);
      }
    }
  }
}

}  // namespace

const std::vector<const Message*>& FailureMessages() {
  static const std::vector<const Message*> all = {
      nullptr,
      &messages::kCheckInput,
      &messages::kPressureAndTemperatureNegative,
      &messages::kTemperatureNegative,
      &messages::kPressureNegative,
      &messages::kAmountEmpty,
      &messages::kAmountNegative,
      &messages::kAmountsAllZero,
  };
  return all;
}

std::size_t StateCount(const std::vector<std::size_t>& shape) {
  std::size_t count = 1;
  for (std::size_t n : shape) count *= n;
  return count;
}

void EvaluateStates(const StateInputs& inputs, const StateOutputs& outputs, unsigned threads) {
  const std::size_t count = StateCount(inputs.shape);
  if (count == 0) return;
  // More threads than that only share the same cores: the limit keeps a mistyped count from
  // asking the system for a million threads.
  constexpr std::size_t kMaxThreads = 256;
  const std::size_t chunks =
      std::clamp<std::size_t>(std::min<std::size_t>(threads, count), 1, kMaxThreads);
  const std::size_t per_chunk = (count + chunks - 1) / chunks;
  const auto chunk = [&](std::size_t c) {
    EvaluateChunk(inputs, outputs, std::min(count, c * per_chunk),
                  std::min(count, (c + 1) * per_chunk));
  };
  std::vector<std::thread> workers;
  std::size_t started = 1;
  try {
    for (; started < chunks; ++started) workers.emplace_back(chunk, started);
  } catch (const std::system_error&) {
    // No thread to be had: the chunks left run in this one, so every state is still written.
  }
  chunk(0);
  for (std::size_t c = started; c < chunks; ++c) chunk(c);
  for (std::thread& worker : workers) worker.join();
}

}  // namespace toluvek::python
