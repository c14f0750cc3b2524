#pragma once
// Fakes of the platform services for the main window's tests: they record what was asked.

#include <deque>
#include <string>
#include <vector>

#include "main/main_window_model.hpp"
#include "main/platform.hpp"

namespace toluvek {

class FakePlatform : public MessageService,
                     public Clipboard,
                     public WindowOpener,
                     public FileDialogs,
                     public Clock {
 public:
  struct Opened {
    ToolWindow window;
    Twips offset;
    bool operator==(const Opened&) const = default;
  };

  void Show(const Message& message) override { shown.push_back(message); }
  void Beep() override { ++beeps; }
  void SetText(const std::string& text) override { clipboard = text; }
  void Open(ToolWindow window, Twips offset) override { opened.push_back({window, offset}); }
  FileDialogResult Ask(const FileDialogRequest& request) override {
    asked.push_back(request);
    if (answers.empty()) return {};
    FileDialogResult answer = answers.front();
    answers.pop_front();
    return answer;
  }
  DateTime Now() override { return now; }

  MainWindowServices Services() { return {*this, *this, *this, *this, *this}; }

  std::vector<Message> shown;
  int beeps = 0;
  std::string clipboard;
  std::vector<Opened> opened;
  std::vector<FileDialogRequest> asked;
  std::deque<FileDialogResult> answers;
  DateTime now{2004, 3, 24, 22, 56, 0};
};

}  // namespace toluvek
