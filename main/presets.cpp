#include "main/presets.hpp"

namespace toluvek {
namespace {

// Amounts in volume percent, species order H2 O2 N2 CO CO2 H2O CH3OH CH4 C2H6 C3H8 n-C4H10
// i-C4H10.
constexpr std::array<PresetEntry, 5> kPresets = {{
    {Preset::kAir,
     "air",
     "SR1",
     "Air",
     "Air(&A)",
     "Ctrl+A",
     {0, 21, 79, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {Preset::kOsaka,
     "osaka",
     "CNG",
     "osaka",
     "大阪ガス(&O)",
     "Ctrl+O",
     {0, 0, 0, 0, 0, 0, 0, 88, 6, 3, 3, 0}},
    {Preset::kTokyo,
     "tokyo",
     "CNG",
     "tokyo",
     "東京ガス(&T)",
     "Ctrl+T",
     {0, 0, 0, 0, 0, 0, 0, 88.5, 4.6, 5.4, 0.8, 0.7}},
    {Preset::kHiroshima,
     "hiroshima",
     "CNG",
     "hiro",
     "広島ガス(&H)",
     "Ctrl+H",
     {0, 0, 0, 0, 0, 0, 0, 88.6, 5.9, 2.5, 3, 0}},
    {Preset::kPfd,
     "pfd",
     "CNG",
     "pfd",
     "PFD(&Q)",
     "Ctrl+Q",
     {0, 0, 0, 0, 0, 0, 0, 88, 5.8, 4.5, 1.7, 0}},
}};

}  // namespace

const std::array<PresetEntry, 5>& AllPresets() {
  return kPresets;
}

const PresetEntry& PresetFor(Preset preset) {
  for (const PresetEntry& entry : kPresets) {
    if (entry.preset == preset) return entry;
  }
  return kPresets.front();
}

const PresetEntry* FindPreset(std::string_view name) {
  for (const PresetEntry& entry : kPresets) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

}  // namespace toluvek
