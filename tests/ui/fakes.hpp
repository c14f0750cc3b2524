#pragma once
// Fakes of the platform services for the window tests: they record what was asked and never
// block.

#include <string>
#include <utility>
#include <vector>

#include "main/platform.hpp"

namespace toluvek::testing {

class FakeMessages : public MessageService {
 public:
  void Show(const Message& message) override { shown.push_back(message); }
  void Beep() override { ++beeps; }

  std::vector<Message> shown;
  int beeps = 0;
};

class FakeClipboard : public Clipboard {
 public:
  void SetText(const std::string& text) override { texts.push_back(text); }

  std::vector<std::string> texts;
};

class FakeWindows : public WindowOpener {
 public:
  void Open(ToolWindow window, Twips offset) override { opened.emplace_back(window, offset); }

  std::vector<std::pair<ToolWindow, Twips>> opened;
};

class FakeDialogs : public FileDialogs {
 public:
  FileDialogResult Ask(const FileDialogRequest& request) override {
    asked.push_back(request);
    return {};  // cancelled
  }

  std::vector<FileDialogRequest> asked;
};

class FakeClock : public Clock {
 public:
  DateTime Now() override { return {2024, 5, 6, 7, 8, 9}; }
};

}  // namespace toluvek::testing
