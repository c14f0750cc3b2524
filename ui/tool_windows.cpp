#include "ui/tool_windows.hpp"

#include "ui/about_window.hpp"
#include "ui/composition_dialog_windows.hpp"
#include "ui/converter_windows.hpp"
#include "ui/duct_window.hpp"
#include "ui/enthalpy_window.hpp"
#include "ui/help_window.hpp"
#include "ui/mixing_window.hpp"
#include "ui/property_chart_window.hpp"
#include "ui/saturation_window.hpp"
#include "ui/water_window.hpp"

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
  opener.Register(ToolWindow::kCompositionChooser, [&] {
    return new CompositionChooserWindow(
        std::make_unique<CompositionChooserModel>(main, services.windows));
  });
  opener.Register(ToolWindow::kAirDialog, [&] {
    return new CompositionDialogWindow(std::make_unique<CompositionDialogModel>(
        CompositionDialogKind::kAddAir, main, services.messages));
  });
  opener.Register(ToolWindow::kTotalDialog, [&] {
    return new CompositionDialogWindow(std::make_unique<CompositionDialogModel>(
        CompositionDialogKind::kTotal, main, services.messages));
  });
  opener.Register(ToolWindow::kConverterChooser, [&] {
    return new ConverterChooserWindow(std::make_unique<ConverterChooserModel>(services.windows));
  });
  // Any number of converters may stand open at once, each from its own opening state.
  constexpr auto kMany = QtWindowOpener::Instances::kMany;
  opener.Register(
      ToolWindow::kPressureConverter,
      [&] {
        return new PressureConverterWindow(
            std::make_unique<PressureConverterModel>(services.messages));
      },
      kMany);
  opener.Register(
      ToolWindow::kTemperatureConverter,
      [&] {
        return new TemperatureConverterWindow(
            std::make_unique<TemperatureConverterModel>(services.messages));
      },
      kMany);
  opener.Register(
      ToolWindow::kHeatConverter,
      [&] {
        return new HeatConverterWindow(std::make_unique<HeatConverterModel>(services.messages));
      },
      kMany);
}

}  // namespace toluvek
