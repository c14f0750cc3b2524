#pragma once
// The fakes of every test: the platform services, which record what was asked and never block,
// and a main window for tool window models.

#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "main/main_window_access.hpp"
#include "main/main_window_model.hpp"
#include "main/platform.hpp"
#include "main/window_model.hpp"

namespace toluvek {

class FakePlatform : public MessageService,
                     public Clipboard,
                     public WindowOpener,
                     public FileDialogs,
                     public Clock,
                     public CalculatorLauncher {
 public:
  struct Opened {
    ToolWindow window;
    Twips offset;
    bool operator==(const Opened&) const = default;
  };

  void Show(const Message& message) override { shown.push_back(message); }
  void Beep() override { ++beeps; }
  void SetText(const std::string& text) override {
    clipboard = text;
    clipboard_texts.push_back(text);
  }
  // A window in `loaded` is open already: opening it again reopens it, as the real opener does.
  void Open(ToolWindow window, Twips offset) override {
    opened.push_back({window, offset});
    if (const auto found = loaded.find(window); found != loaded.end()) found->second->Reopened();
  }
  FileDialogResult Ask(const FileDialogRequest& request) override {
    asked.push_back(request);
    if (answers.empty()) return {};
    FileDialogResult answer = answers.front();
    answers.pop_front();
    return answer;
  }
  DateTime Now() override { return now; }
  bool Launch() override {
    ++calculator_launches;
    return calculator_found;
  }

  MainWindowServices Services() { return {*this, *this, *this, *this, *this}; }

  std::vector<Message> shown;
  int beeps = 0;
  std::string clipboard;  // the latest text
  std::vector<std::string> clipboard_texts;
  std::vector<Opened> opened;
  std::map<ToolWindow, WindowModel*> loaded;  // the windows loaded, by kind
  std::vector<FileDialogRequest> asked;
  std::deque<FileDialogResult> answers;
  DateTime now{2004, 3, 24, 22, 56, 0};
  int calculator_launches = 0;
  bool calculator_found = true;  // what Launch answers
};

// The main window as a tool window sees it: fields by name, units, a calculation that only
// counts, a position.
class FakeMainWindow : public MainWindowAccess {
 public:
  const std::string& FieldText(std::string_view control) const override {
    static const std::string kEmpty;
    const auto found = fields.find(control);
    return found == fields.end() ? kEmpty : found->second;
  }
  void WriteField(std::string_view control, std::string text) override {
    fields[std::string(control)] = std::move(text);
  }
  void SetFieldBackground(std::string_view control, Rgb colour) override {
    backgrounds[std::string(control)] = colour;
  }
  PressureUnit pressure_option() const override { return pressure; }
  TemperatureUnit temperature_unit() const override { return temperature; }
  void SelectTemperatureUnit(TemperatureUnit unit) override { temperature = unit; }
  bool Calculate() override {
    ++calculations;
    return true;
  }
  Twips position() const override { return at; }

  std::map<std::string, std::string, std::less<>> fields;
  std::map<std::string, Rgb, std::less<>> backgrounds;
  PressureUnit pressure = PressureUnit::kPa;
  TemperatureUnit temperature = TemperatureUnit::kCelsius;
  int calculations = 0;
  Twips at;
};

}  // namespace toluvek
