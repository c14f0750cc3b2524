#pragma once
// The main window without a screen, for the command line, benchmarks and fuzzing: the given
// message service (or none), no clipboard, no windows and no dialogs, the real clock for the
// time stamp of saved files. Tool window models run on it as they run on the real one.

#include <algorithm>
#include <vector>

#include "main/main_window_model.hpp"
#include "main/platform.hpp"

namespace toluvek {

// Records the windows asked for; none appears.
class HeadlessWindows : public WindowOpener {
 public:
  void Open(ToolWindow window, Twips /*offset*/) override { opened_.push_back(window); }
  bool Opened(ToolWindow window) const {
    return std::find(opened_.begin(), opened_.end(), window) != opened_.end();
  }

 private:
  std::vector<ToolWindow> opened_;
};

class HeadlessMainWindow {
 public:
  HeadlessMainWindow() : HeadlessMainWindow(no_messages_) {}
  explicit HeadlessMainWindow(MessageService& messages)
      : window_({messages, clipboard_, windows_, dialogs_, clock_}) {}
  HeadlessMainWindow(const HeadlessMainWindow&) = delete;
  HeadlessMainWindow& operator=(const HeadlessMainWindow&) = delete;

  MainWindowModel& window() { return window_; }
  // The opener the main window asks; tool window models opened headless use it too.
  HeadlessWindows& windows() { return windows_; }

 private:
  NoMessages no_messages_;
  NoClipboard clipboard_;
  HeadlessWindows windows_;
  NoFileDialogs dialogs_;
  SystemClock clock_;
  MainWindowModel window_;
};

}  // namespace toluvek
