#include "main/window_model.hpp"

namespace toluvek {
namespace {

template <typename Map, typename Value>
Value Lookup(const Map& map, std::string_view key, Value fallback) {
  const auto found = map.find(key);
  return found == map.end() ? fallback : found->second;
}

}  // namespace

const std::string& WindowModel::Text(std::string_view control) const {
  static const std::string kEmpty;
  const auto found = texts_.find(control);
  return found == texts_.end() ? kEmpty : found->second;
}

void WindowModel::SetText(std::string_view control, std::string text) {
  auto found = texts_.find(control);
  if (found == texts_.end()) {
    if (text.empty()) return;  // an absent field reads as empty already
    found = texts_.emplace(std::string(control), std::string()).first;
  }
  if (found->second == text) return;  // no change, no change event
  found->second = std::move(text);
  Notify(control);
  TextChanged(control);
}

bool WindowModel::Enabled(std::string_view control) const {
  return Lookup(enabled_, control, true);
}

void WindowModel::SetEnabled(std::string_view control, bool enabled) {
  auto [it, inserted] = enabled_.try_emplace(std::string(control), enabled);
  if (!inserted && it->second == enabled) return;
  it->second = enabled;
  Notify(control);
}

bool WindowModel::Visible(std::string_view control) const {
  return Lookup(visible_, control, true);
}

void WindowModel::SetVisible(std::string_view control, bool visible) {
  auto [it, inserted] = visible_.try_emplace(std::string(control), visible);
  if (!inserted && it->second == visible) return;
  it->second = visible;
  Notify(control);
}

Rgb WindowModel::Background(std::string_view control, Rgb fallback) const {
  return Lookup(backgrounds_, control, fallback);
}

void WindowModel::SetBackground(std::string_view control, Rgb colour) {
  auto [it, inserted] = backgrounds_.try_emplace(std::string(control), colour);
  if (!inserted && it->second == colour) return;
  it->second = colour;
  Notify(control);
}

void WindowModel::Notify(std::string_view control) const {
  if (on_changed) on_changed(control);
}

}  // namespace toluvek
