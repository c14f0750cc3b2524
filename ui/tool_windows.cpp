#include "ui/tool_windows.hpp"

#include "ui/about_window.hpp"
#include "ui/duct_window.hpp"
#include "ui/enthalpy_window.hpp"
#include "ui/help_window.hpp"
#include "ui/property_chart_window.hpp"
#include "ui/water_window.hpp"
#include "ui/mixing_window.hpp"
#include "ui/saturation_window.hpp"

namespace toluvek {

void RegisterWindows(QtServices& services, MainWindowModel& main) {
  QtWindowOpener& opener = services.windows;
  opener.Register(ToolWindow::kHelp, [] { return new HelpWindow; });
  opener.Register(ToolWindow::kAbout, [] { return new AboutWindow; });
  opener.Register(ToolWindow::kDuctFlow, [&] {
    return new DuctWindow(std::make_unique<DuctWindowModel>(main, services.messages));
  });
  opener.Register(ToolWindow::kSaturation, [&] {
    return new SaturationWindow(std::make_unique<SaturationWindowModel>(main, services.messages));
  });
  opener.Register(ToolWindow::kMixing, [&] {
    return new MixingWindow(std::make_unique<MixingWindowModel>(main, services.messages));
  });
  opener.Register(ToolWindow::kEnthalpy, [&] {
    return new EnthalpyWindow(std::make_unique<EnthalpyWindowModel>(
        main, services.messages, services.windows, services.calculator));
  });
  opener.Register(ToolWindow::kWaterEnthalpy, [&] {
    return new WaterWindow(std::make_unique<WaterWindowModel>(services.messages));
  });
  RegisterPropertyChart(opener, main, services.clipboard, services.dialogs, services.messages);
}

}  // namespace toluvek
