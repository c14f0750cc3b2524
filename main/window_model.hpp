#pragma once
// The plain-data state of a window: field texts, enabled and visible flags, captions and
// background colours, each keyed by the control's name ("Text1", "Command1", "Label46").

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace toluvek {

struct Rgb {
  std::uint8_t red = 255, green = 255, blue = 255;
  bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kCyan{0, 255, 255};

class WindowModel {
 public:
  virtual ~WindowModel() = default;

  const std::string& Text(std::string_view control) const;
  // Writes a field's text. A write that changes the text runs the window's change handling,
  // whether it comes from the user's typing or from a command.
  void SetText(std::string_view control, std::string text);

  bool Enabled(std::string_view control) const;
  void SetEnabled(std::string_view control, bool enabled);
  bool Visible(std::string_view control) const;
  void SetVisible(std::string_view control, bool visible);
  Rgb Background(std::string_view control, Rgb fallback = kWhite) const;
  void SetBackground(std::string_view control, Rgb colour);

  // Called after every change of the state above, with the control's name, so that a view
  // can reflect it.
  std::function<void(std::string_view control)> on_changed;

 protected:
  // The window's reaction to a changed field text (the toolkit's change event).
  virtual void TextChanged(std::string_view /*control*/) {}
  void Notify(std::string_view control) const;

 private:
  std::map<std::string, std::string, std::less<>> texts_;
  std::map<std::string, bool, std::less<>> enabled_;
  std::map<std::string, bool, std::less<>> visible_;
  std::map<std::string, Rgb, std::less<>> backgrounds_;
};

}  // namespace toluvek
