#pragma once
// The plain-data state of a window: field texts, enabled and visible flags, option buttons,
// captions and background colours, each keyed by the control's name ("Text1", "Command1",
// "Label46", "Option4"); and the window's lifecycle as its model sees it.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "engine/gas_table.hpp"

namespace toluvek {

struct Rgb {
  std::uint8_t red = 255, green = 255, blue = 255;
  bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kCyan{0, 255, 255};

// Control names of a window, one per species, in species order.
using SpeciesFields = std::array<std::string_view, kSpeciesCount>;
// Twelve texts in species order: amounts, fractions or flows as a window shows them.
using SpeciesTexts = std::array<std::string, kSpeciesCount>;

// One text for one field, in the order a command writes them.
struct FieldWrite {
  std::string_view field;
  std::string text;
  bool operator==(const FieldWrite&) const = default;
};

// Where a window is in its life. A window that is not loaded has no state; loading runs its
// opening steps once; a hidden window keeps its contents and shows them again as they were.
enum class WindowState { kNotLoaded, kShown, kHidden };

// What a window's model asks of the window around it.
enum class WindowRequest {
  kHide,    // the window hides and keeps its contents ("閉" of the enthalpy window)
  kUnload,  // the window goes away with its contents (a failed calculation, a lost focus)
};

class WindowModel {
 public:
  using Observer = std::function<void(std::string_view control)>;
  using RequestObserver = std::function<void(WindowRequest request)>;

  WindowModel() = default;
  virtual ~WindowModel() = default;
  // Observers hold the model's address: it stays where it is.
  WindowModel(const WindowModel&) = delete;
  WindowModel& operator=(const WindowModel&) = delete;

  const std::string& Text(std::string_view control) const;
  // Writes a field's text. A write that changes the text runs the window's change handling,
  // whether it comes from the user's typing or from a command.
  void SetText(std::string_view control, std::string text);
  void Write(const std::vector<FieldWrite>& writes);

  bool Enabled(std::string_view control) const;
  void SetEnabled(std::string_view control, bool enabled);
  bool Visible(std::string_view control) const;
  void SetVisible(std::string_view control, bool visible);
  Rgb Background(std::string_view control, Rgb fallback = kWhite) const;
  void SetBackground(std::string_view control, Rgb colour);
  // Option buttons: whether one is shown chosen. Choosing one does not clear the others of its
  // frame: the model sets each, as the option's command says.
  bool Checked(std::string_view control) const;
  void SetChecked(std::string_view control, bool checked);
  // Chooses `control` and clears the other options of its frame.
  template <typename Names>
  void CheckOne(const Names& frame, std::string_view control) {
    for (std::string_view option : frame) {
      if (option != control) SetChecked(option, false);
    }
    SetChecked(control, true);
  }

  // Called after every change of the state above, with the control's name, so that views can
  // reflect it. Returns a key for RemoveObserver.
  int AddObserver(Observer observer);
  void RemoveObserver(int key);
  // Called when the model asks to be hidden or unloaded.
  int AddRequestObserver(RequestObserver observer);
  void RemoveRequestObserver(int key);
  bool observed() const { return !observers_.empty(); }

  // The window was loaded already and has just been shown again (from hidden, or moved and
  // brought forward): its opening steps do not run again, so what a window refreshes at every
  // opening happens here. The opener calls it after showing the window.
  virtual void Reopened() {}

 protected:
  // The window's reaction to a changed field text (the toolkit's change event).
  virtual void TextChanged(std::string_view /*control*/) {}
  void Notify(std::string_view control) const;
  // Asks the front end to hide or unload the window.
  void Request(WindowRequest request) const;

 private:
  std::map<std::string, std::string, std::less<>> texts_;
  std::map<std::string, bool, std::less<>> enabled_;
  std::map<std::string, bool, std::less<>> visible_;
  std::map<std::string, bool, std::less<>> checked_;
  std::map<std::string, Rgb, std::less<>> backgrounds_;
  std::map<int, Observer> observers_;
  std::map<int, RequestObserver> request_observers_;
  int next_key_ = 1;
};

}  // namespace toluvek
