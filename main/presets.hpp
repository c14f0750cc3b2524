#pragma once
// Preset compositions of the main window: dry air and four city gases of the 13A grade, each
// written into the twelve amount fields by a shortcut key of a hidden menu.

#include <array>
#include <string_view>

#include "engine/gas_table.hpp"

namespace toluvek {

enum class Preset { kAir, kOsaka, kTokyo, kHiroshima, kPfd };

struct PresetEntry {
  Preset preset;
  std::string_view name;      // stable ASCII name for scripts: "air", "osaka", ...
  std::string_view menu;      // the hidden menu that holds it: "SR1" or "CNG"
  std::string_view entry;     // the menu entry's name
  std::string_view caption;   // the entry's caption
  std::string_view shortcut;  // its key, "Ctrl+A" ... "Ctrl+Q"
  SpeciesArray amounts;       // volume percent in species order
};

// The five presets in menu order: Air, then Osaka, Tokyo, Hiroshima, PFD.
const std::array<PresetEntry, 5>& AllPresets();

const PresetEntry& PresetFor(Preset preset);

// The preset of a stable name, or null for a name that is none of them.
const PresetEntry* FindPreset(std::string_view name);

}  // namespace toluvek
