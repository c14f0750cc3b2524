// toluvek._core: the compiled part of the Python package. The package's pure-Python layer
// checks and broadcasts the arguments; this part runs the calculations on numpy arrays with
// the interpreter lock released.

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include "common/checked.hpp"
#include "common/number_text.hpp"
#include "engine/fit_range.hpp"
#include "engine/gas_table.hpp"
#include "main/engineering_units.hpp"
#include "main/main_window_model.hpp"
#include "main/messages.hpp"
#include "main/presets.hpp"
#include "python/src/states.hpp"
#include "python/src/tools.hpp"
#include "tables/sweep.hpp"
#include "tools/converters/converter_window_models.hpp"
#include "tools/mixing/mixing_window_model.hpp"
#include "tools/water/saturation_window_model.hpp"

namespace py = pybind11;

namespace toluvek::python {
namespace {

constexpr const char* kMixtureNames[kMixtureQuantities] = {
    "molar_mass",          "density", "gas_constant",  "cp", "conductivity", "viscosity",
    "kinematic_viscosity", "prandtl", "prandtl_eucken"};
constexpr const char* kSpeciesNames[kSpeciesQuantities] = {
    "mole_fraction", "mass_fraction", "cp", "conductivity", "viscosity", "prandtl"};

// The names of MixtureStep, by value.
constexpr const char* kStepNames[] = {"",
                                      "normalisation",
                                      "species properties",
                                      "specific heat",
                                      "transport",
                                      "density",
                                      "gas constant",
                                      "kinematic viscosity",
                                      "Prandtl number",
                                      "Eucken Prandtl number",
                                      "species Prandtl numbers"};

using DoubleArray = py::array_t<double, 0>;  // as given: strides kept, no conversion

StridedInput Strided(const py::array& array, std::size_t state_axes) {
  if (!py::isinstance<DoubleArray>(array)) throw py::type_error("arrays of float64 expected");
  StridedInput input;
  input.data = static_cast<const char*>(array.data());
  for (std::size_t axis = 0; axis < state_axes; ++axis) {
    input.strides.push_back(array.strides(static_cast<py::ssize_t>(axis)));
  }
  if (static_cast<std::size_t>(array.ndim()) > state_axes) {
    input.species_stride = array.strides(static_cast<py::ssize_t>(state_axes));
  }
  return input;
}

// The value arrays of one call, their values unset. Large outputs share one allocation that
// the system may back with huge pages: filling fresh memory 4 KiB page by page costs the page
// faults more than the values (a quarter of the time per state for 10^5 states), 2 MiB pages
// hardly. Each array keeps the whole allocation alive; when the last one goes, it is
// kept as the spare for the next call of the same size (one spare, at most kSpareLimit),
// since the system would otherwise zero it again page by page (another fifth of the time for
// 10^6 states). The interpreter lock guards the spare: arrays are made and freed holding it.
class OutputArena {
 public:
  explicit OutputArena(std::size_t bytes) {
    if (bytes < 2 * kHugePage) return;  // small: numpy's own arrays
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    if (spare_.memory != nullptr && spare_.bytes == rounded) {
      memory_ = static_cast<char*>(spare_.memory);
      spare_ = {};
    } else {
      memory_ = static_cast<char*>(std::aligned_alloc(kHugePage, rounded));
      if (memory_ == nullptr) throw std::bad_alloc();
      madvise(memory_, rounded, MADV_HUGEPAGE);  // advice only: without it the pages are small
    }
    sizes_[memory_] = rounded;
    owner_ = py::capsule(memory_, [](void* memory) {
      const auto found = sizes_.find(memory);
      const std::size_t bytes = found->second;
      sizes_.erase(found);
      if (bytes > kSpareLimit) {
        std::free(memory);
        return;
      }
      std::free(spare_.memory);
      spare_ = {memory, bytes};
    });
  }

  // Room for an array of `bytes`, rounded to whole cache lines.
  static std::size_t Room(std::size_t bytes) { return (bytes + 63) / 64 * 64; }

  template <class T>
  py::array_t<T> New(const std::vector<py::ssize_t>& dims) {
    if (memory_ == nullptr) return py::array_t<T>(dims);
    std::size_t bytes = sizeof(T);
    for (py::ssize_t n : dims) bytes *= static_cast<std::size_t>(n);
    T* at = reinterpret_cast<T*>(memory_ + used_);
    used_ += Room(bytes);
    return py::array_t<T>(dims, at, owner_);
  }

 private:
  static constexpr std::size_t kHugePage = std::size_t{2} << 20;
  static constexpr std::size_t kSpareLimit = std::size_t{128} << 20;
  struct Spare {
    void* memory = nullptr;
    std::size_t bytes = 0;
  };
  static Spare spare_;
  static std::map<void*, std::size_t> sizes_;  // of the allocations arrays still hold
  char* memory_ = nullptr;
  std::size_t used_ = 0;
  py::capsule owner_;
};

OutputArena::Spare OutputArena::spare_;
std::map<void*, std::size_t> OutputArena::sizes_;

// The states of arrays already broadcast to one shape (the amounts with the twelve species
// last), calculated in `threads` threads. Returns the mixture's arrays by name, the species'
// ones under "species" when asked, and per state "ok", "in_fit_range", "message", "step".
py::dict Evaluate(const py::array& pressure, const py::array& temperature, const py::array& amounts,
                  unsigned threads, bool species) {
  const auto axes = static_cast<std::size_t>(pressure.ndim());
  std::vector<std::size_t> shape;
  for (std::size_t axis = 0; axis < axes; ++axis) {
    shape.push_back(static_cast<std::size_t>(pressure.shape(static_cast<py::ssize_t>(axis))));
  }
  bool same =
      static_cast<std::size_t>(temperature.ndim()) == axes &&
      static_cast<std::size_t>(amounts.ndim()) == axes + 1 &&
      static_cast<std::size_t>(amounts.shape(static_cast<py::ssize_t>(axes))) == kSpeciesCount;
  for (std::size_t axis = 0; same && axis < axes; ++axis) {
    const auto a = static_cast<py::ssize_t>(axis);
    same = temperature.shape(a) == pressure.shape(a) && amounts.shape(a) == pressure.shape(a);
  }
  if (!same) throw py::value_error("the states' arrays must be broadcast to one shape first");
  StateInputs inputs{shape, Strided(pressure, axes), Strided(temperature, axes),
                     Strided(amounts, axes)};

  std::vector<py::ssize_t> dims(shape.begin(), shape.end());
  std::vector<py::ssize_t> species_dims = dims;
  species_dims.push_back(kSpeciesCount);
  // The value arrays share the arena; its size is none (numpy's own arrays, which refuse a
  // size beyond memory) where the byte count would overflow, as a broadcast shape allows.
  const std::size_t per_state =
      (kMixtureQuantities + (species ? kSpeciesQuantities * kSpeciesCount : 0)) * sizeof(double);
  std::size_t bytes = per_state;
  bool overflow = false;
  for (py::ssize_t n : dims) overflow |= __builtin_mul_overflow(bytes, n, &bytes);
  constexpr std::size_t kRounding = (kMixtureQuantities + kSpeciesQuantities) * 64;
  if (overflow || bytes > std::size_t{PTRDIFF_MAX} - kRounding) bytes = 0;
  OutputArena arena(bytes == 0 ? 0 : bytes + kRounding);
  py::dict result;
  StateOutputs outputs;
  for (std::size_t q = 0; q < kMixtureQuantities; ++q) {
    py::array_t<double> out = arena.New<double>(dims);
    outputs.mixture[q] = out.mutable_data();
    result[kMixtureNames[q]] = out;
  }
  if (species) {
    py::dict per_species;
    for (std::size_t q = 0; q < kSpeciesQuantities; ++q) {
      py::array_t<double> out = arena.New<double>(species_dims);
      outputs.species[q] = out.mutable_data();
      per_species[kSpeciesNames[q]] = out;
    }
    result["species"] = per_species;
  }
  // The flags are small, each in memory of its own: keeping one keeps no values.
  py::array_t<bool> ok(dims), in_fit_range(dims);
  py::array_t<std::uint8_t> message(dims), step(dims);
  outputs.ok = ok.mutable_data();
  outputs.in_fit_range = in_fit_range.mutable_data();
  outputs.message = message.mutable_data();
  outputs.step = step.mutable_data();
  result["ok"] = ok;
  result["in_fit_range"] = in_fit_range;
  result["message"] = message;
  result["step"] = step;
  {
    py::gil_scoped_release release;
    EvaluateStates(inputs, outputs, threads);
  }
  return result;
}

// The values of a property table's sweep from `from` towards `to` by `step`, as toluvek-cli
// table and the table window step through them. Raises ValueError with the reason when the
// sweep cannot be made.
py::array_t<double> SweepValues(double from, double to, double step) {
  Sweep sweep;
  if (const std::string why = MakeSweep(from, to, step, sweep); !why.empty()) {
    throw py::value_error("sweep from " + FormatShortest(from) + " to " + FormatShortest(to) +
                          " by " + FormatShortest(step) + ": " + why);
  }
  py::array_t<double> values(static_cast<py::ssize_t>(sweep.count));
  double* out = values.mutable_data();
  for (std::uint64_t i = 0; i < sweep.count; ++i) out[i] = sweep.At(i);
  return values;
}

// An arithmetic fault of a unit conversion as Python's exception: OverflowError for an
// overflow (pybind11 translates std::overflow_error so), ValueError otherwise.
[[noreturn]] void ThrowConversionFault(const ArithmeticFault& fault, const std::string& what) {
  if (fault.kind() == FaultKind::kOverflow) throw std::overflow_error(what + " overflows");
  throw py::value_error(what + " is not a number");
}

// AbsolutePascal: the absolute pressure [Pa] of a reading in `unit`, gauge above
// kGaugeReference; toluvek-cli's --pressure-unit and --gauge. ValueError for an unknown unit,
// OverflowError for a conversion beyond the range of a double.
double AbsolutePascalOf(double reading, const std::string& unit, bool gauge) {
  try {
    const std::optional<double> pascal = AbsolutePascal(reading, unit, gauge);
    if (!pascal) throw py::value_error("no pressure unit " + unit);
    return *pascal;
  } catch (const ArithmeticFault& fault) {
    ThrowConversionFault(fault, "the pressure " + FormatShortest(reading) + " " + unit);
  }
}

// ConvertFlow: a reading in `unit` as a value in `window_unit`, None for a pair that does not
// convert; toluvek-cli's --flow-unit. OverflowError for a conversion beyond the range of a double.
std::optional<double> ConvertFlowOf(double reading, const std::string& unit,
                                    const std::string& window_unit) {
  try {
    return ConvertFlow(reading, unit, window_unit);
  } catch (const ArithmeticFault& fault) {
    ThrowConversionFault(fault, "the flow " + FormatShortest(reading) + " " + unit);
  }
}

}  // namespace
}  // namespace toluvek::python

PYBIND11_MODULE(_core, m) {
  using namespace toluvek;
  using namespace toluvek::python;
  m.doc() = "The compiled calculations of toluvek; use the package toluvek, not this module.";
  m.def("evaluate", &Evaluate, py::arg("pressure"), py::arg("temperature"), py::arg("amounts"),
        py::arg("threads") = 1, py::arg("species") = false);

  m.def("sweep", &SweepValues, py::arg("start"), py::arg("stop"), py::arg("step"));

  py::list species;
  for (const SpeciesConstants& s : AllSpecies()) species.append(std::string(s.label));
  m.attr("SPECIES") = species;
  py::list failure_messages;
  for (const Message* message : FailureMessages()) {
    failure_messages.append(message ? MessageTuple(*message) : py::make_tuple("", "", ""));
  }
  m.attr("MESSAGES") = failure_messages;
  // The boxes the package raises by name when a tool gives none of its own.
  py::dict boxes;
  for (const Message* message :
       {&messages::kCheckInput, &messages::kTemperatureNegative, &main_window_messages::kNoMoisture,
        &main_window_messages::kFileUnreadable, &saturation_messages::kNoSolution,
        &mixing_messages::kNoSolution, &converter_messages::kError,
        &converter_messages::kBelowAbsoluteZero}) {
    boxes[py::str(std::string(message->code))] = MessageTuple(*message);
  }
  m.attr("MESSAGE_BY_CODE") = boxes;
  py::list steps;
  for (const char* name : kStepNames) steps.append(name);
  m.attr("STEPS") = steps;
  m.attr("PROPERTY_FIT_RANGE") = py::make_tuple(kPropertyFitRange.low, kPropertyFitRange.high);
  m.attr("MIXTURE_QUANTITIES") =
      std::vector<std::string>(std::begin(kMixtureNames), std::end(kMixtureNames));
  m.attr("SPECIES_QUANTITIES") =
      std::vector<std::string>(std::begin(kSpeciesNames), std::end(kSpeciesNames));
  // By the stable names of toluvek-cli's --preset; the menu's entry names ("hiro") beside.
  py::dict presets;
  py::dict preset_entries;
  for (const PresetEntry& preset : AllPresets()) {
    presets[py::str(std::string(preset.name))] =
        std::vector<double>(preset.amounts.begin(), preset.amounts.end());
    preset_entries[py::str(std::string(preset.entry))] = std::string(preset.name);
  }
  m.attr("PRESETS") = presets;
  m.attr("PRESET_ENTRIES") = preset_entries;

  // The engineering units of the command line, from their one table: Pa per unit of each
  // pressure unit, and the window unit each flow unit converts to.
  py::dict pressure_units;
  for (const PressureUnitScale& scale : kEngineeringPressureUnits) {
    pressure_units[py::str(std::string(scale.name))] = scale.pascal;
  }
  m.attr("PRESSURE_UNITS") = pressure_units;
  m.attr("GAUGE_REFERENCE") = kGaugeReference;
  py::dict flow_units;
  for (const FlowUnitScale& scale : kEngineeringFlowUnits) {
    flow_units[py::str(std::string(scale.name))] = std::string(scale.window_unit);
  }
  m.attr("FLOW_UNITS") = flow_units;
  m.def("absolute_pascal", &AbsolutePascalOf, py::arg("reading"), py::arg("unit"),
        py::arg("gauge"));
  m.def("convert_flow", &ConvertFlowOf, py::arg("reading"), py::arg("unit"),
        py::arg("window_unit"));
  AddTools(m);
}
