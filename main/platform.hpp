#pragma once
// The side effects a window model asks for, as small interfaces. The Qt front end
// implements them; tests use fakes that record what was asked.

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "files/date_time.hpp"

namespace toluvek {

inline constexpr const char* kAppTitle = "Toluvek";

enum class MessageIcon { kNone, kCritical, kExclamation };

// A modal message box with a single OK button.
struct Message {
  std::string text;
  std::string title = kAppTitle;
  MessageIcon icon = MessageIcon::kNone;
  // What the box says, as a stable ASCII name for scripts ("all_zero_composition"): the same
  // in every language. Two boxes that look alike may say different things ("エラー!").
  std::string_view code = {};
  // The same box: what the user sees, whatever its code.
  bool operator==(const Message& other) const {
    return text == other.text && title == other.title && icon == other.icon;
  }
};

class MessageService {
 public:
  virtual ~MessageService() = default;
  // Returns once the user has acknowledged the box.
  virtual void Show(const Message& message) = 0;
  virtual void Beep() = 0;
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Clears the clipboard, then gives it the text as plain text.
  virtual void SetText(const std::string& text) = 0;
};

// A point or offset in twips (1/1440 inch).
struct Twips {
  int x = 0;
  int y = 0;
  bool operator==(const Twips&) const = default;
};

// Every window of the program but the main window.
enum class ToolWindow {
  kHelp,                  // Form2 "How To Use"
  kAbout,                 // frmAbout
  kEnthalpy,              // Form3
  kWaterEnthalpy,         // Form4
  kSaturation,            // Form5
  kHeatConverter,         // Form6
  kDuctFlow,              // Form7
  kConverterChooser,      // Form8
  kPressureConverter,     // Form9
  kTemperatureConverter,  // Form10
  kMixing,                // Form11
  kCompositionChooser,    // Form12
  kAirDialog,             // Form13
  kTotalDialog,           // Form14
  kPropertyChart,         // "Property Chart"
};

class WindowOpener {
 public:
  virtual ~WindowOpener() = default;
  // Opens the window modeless, placed with its top-left corner at `offset` from the main
  // window's top-left corner. A window that is not loaded is loaded first, which runs its
  // opening steps; a hidden one is shown again as it was; one that is shown is moved there and
  // brought forward. A window that was loaded already then hears `WindowModel::Reopened`. Any
  // window may open another one this way.
  virtual void Open(ToolWindow window, Twips offset) = 0;
};

// The file dialogs of the composition files.
struct FileDialogRequest {
  std::string title;
  std::string filter;  // "ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|ﾃﾞｰﾀﾌｧｲﾙ(*.dat)|*.dat"
  std::string default_extension;  // "txt" when saving, empty when opening
  bool save = false;              // save: confirm overwrite, path must exist; open: file must exist
};

// What a dialog returned: a path, nothing (cancelled or an empty name), or a failure.
struct FileDialogResult {
  enum class Status { kChosen, kCancelled, kFailed } status = Status::kCancelled;
  std::string path;
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  virtual FileDialogResult Ask(const FileDialogRequest& request) = 0;
};

// The desktop's calculator program, started beside the enthalpy window without waiting for it.
class CalculatorLauncher {
 public:
  virtual ~CalculatorLauncher() = default;
  // True when a calculator was started.
  virtual bool Launch() = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime Now() = 0;
};

// Services of a front end without a screen (the command line, benchmarks, fuzzing): nothing
// to paste into, no windows to open, no one to answer a dialog; the clock is the real one.
class NoMessages : public MessageService {
 public:
  void Show(const Message& /*message*/) override {}
  void Beep() override {}
};

class NoClipboard : public Clipboard {
 public:
  void SetText(const std::string& /*text*/) override {}
};

class NoWindows : public WindowOpener {
 public:
  void Open(ToolWindow /*window*/, Twips /*offset*/) override {}
};

class NoFileDialogs : public FileDialogs {
 public:
  FileDialogResult Ask(const FileDialogRequest& /*request*/) override { return {}; }
};

class NoCalculator : public CalculatorLauncher {
 public:
  bool Launch() override { return false; }
};

class SystemClock : public Clock {
 public:
  // Local time of day.
  DateTime Now() override {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
  }
};

}  // namespace toluvek
