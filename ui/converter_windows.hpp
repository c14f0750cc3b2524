#pragma once
// The unit converters: Form8 "Unit Converter" (the chooser a right click on the main window's
// background opens), Form9 pressure, Form10 temperature and Form6 heat.

#include <memory>

#include "tools/converters/converter_window_models.hpp"
#include "ui/tool_window.hpp"

namespace toluvek {

class ConverterChooserWindow : public ToolWindowOf<ConverterChooserModel> {
 public:
  explicit ConverterChooserWindow(std::unique_ptr<ConverterChooserModel> model,
                                  QWidget* parent = nullptr);
};

class PressureConverterWindow : public ToolWindowOf<PressureConverterModel> {
 public:
  explicit PressureConverterWindow(std::unique_ptr<PressureConverterModel> model,
                                   QWidget* parent = nullptr);
};

class TemperatureConverterWindow : public ToolWindowOf<TemperatureConverterModel> {
 public:
  explicit TemperatureConverterWindow(std::unique_ptr<TemperatureConverterModel> model,
                                      QWidget* parent = nullptr);
};

class HeatConverterWindow : public ToolWindowOf<HeatConverterModel> {
 public:
  explicit HeatConverterWindow(std::unique_ptr<HeatConverterModel> model,
                               QWidget* parent = nullptr);
};

}  // namespace toluvek
