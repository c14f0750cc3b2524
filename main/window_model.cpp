#include "main/window_model.hpp"

namespace toluvek {
namespace {

template <typename Map, typename Value>
Value Lookup(const Map& map, std::string_view key, Value fallback) {
  const auto found = map.find(key);
  return found == map.end() ? fallback : found->second;
}

// Stores `value` under `key`; returns whether that changed anything.
template <typename Map, typename Value>
bool Store(Map& map, std::string_view key, Value value) {
  auto [it, inserted] = map.try_emplace(std::string(key), value);
  if (!inserted && it->second == value) return false;
  it->second = value;
  return true;
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

void WindowModel::Write(const std::vector<FieldWrite>& writes) {
  for (const FieldWrite& write : writes) SetText(write.field, write.text);
}

bool WindowModel::Enabled(std::string_view control) const {
  return Lookup(enabled_, control, true);
}

void WindowModel::SetEnabled(std::string_view control, bool enabled) {
  if (Store(enabled_, control, enabled)) Notify(control);
}

bool WindowModel::Visible(std::string_view control) const {
  return Lookup(visible_, control, true);
}

void WindowModel::SetVisible(std::string_view control, bool visible) {
  if (Store(visible_, control, visible)) Notify(control);
}

Rgb WindowModel::Background(std::string_view control, Rgb fallback) const {
  return Lookup(backgrounds_, control, fallback);
}

void WindowModel::SetBackground(std::string_view control, Rgb colour) {
  if (Store(backgrounds_, control, colour)) Notify(control);
}

bool WindowModel::Checked(std::string_view control) const {
  return Lookup(checked_, control, false);
}

void WindowModel::SetChecked(std::string_view control, bool checked) {
  if (Store(checked_, control, checked)) Notify(control);
}

int WindowModel::AddObserver(Observer observer) {
  observers_.emplace(next_key_, std::move(observer));
  return next_key_++;
}

void WindowModel::RemoveObserver(int key) {
  observers_.erase(key);
}

int WindowModel::AddRequestObserver(RequestObserver observer) {
  request_observers_.emplace(next_key_, std::move(observer));
  return next_key_++;
}

void WindowModel::RemoveRequestObserver(int key) {
  request_observers_.erase(key);
}

void WindowModel::Notify(std::string_view control) const {
  // A copy: an observer may remove itself or another while it runs.
  const auto observers = observers_;
  for (const auto& [key, observer] : observers) observer(control);
}

void WindowModel::Request(WindowRequest request) const {
  const auto observers = request_observers_;
  for (const auto& [key, observer] : observers) observer(request);
}

}  // namespace toluvek
