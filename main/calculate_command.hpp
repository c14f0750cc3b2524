#pragma once
// What the calculate command writes: the 81 result texts in their order, cut at the first
// quantity the mixture calculation did not produce.

#include <string>
#include <string_view>
#include <vector>

#include "engine/mixture.hpp"
#include "main/messages.hpp"
#include "main/platform.hpp"
#include "main/window_model.hpp"

namespace toluvek {

// The inputs of one calculation as the main window records them.
struct InputRecord {
  double pressure = 101325;                                    // Pa
  double temperature = 25;                                     // ℃
  SpeciesArray amounts{0, 21, 79, 0, 0, 0, 0, 0, 0, 0, 0, 0};  // as entered
  bool operator==(const InputRecord&) const = default;
};

// M, ρ, R_mix; the y_i, w_i, cp_i, λ_i, μ_i; cp, λ, μ; ν; Pr; Pr_E; the Pr_i — each as
// "0.000E+000". A failure in the steps up to the transport properties writes nothing;
// a later one stops the list at the quantity that failed.
std::vector<FieldWrite> ResultWrites(const MixtureResult& result);

}  // namespace toluvek
