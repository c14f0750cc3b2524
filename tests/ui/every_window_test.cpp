// Every window the program builds has a widget for each control its model keeps: once the
// window stands, each control of its model's field tables is disabled and enabled again, and
// the widget of that name must follow. (A control the binding has no widget for also fails any
// window test through the binding's warning, see ui_test_main.hpp.)

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <array>
#include <iterator>
#include <optional>
#include <set>
#include <string_view>
#include <vector>

#include "main/composition_dialog_models.hpp"
#include "main/main_window_fields.hpp"
#include "tests/ui/ui_test_main.hpp"
#include "tests/ui/whole_program.hpp"
#include "tools/chart/property_chart_model.hpp"
#include "tools/converters/converter_window_models.hpp"
#include "tools/converters/pressure_converter.hpp"
#include "tools/converters/temperature_converter.hpp"
#include "tools/duct/duct_window_model.hpp"
#include "tools/enthalpy/enthalpy_window_model.hpp"
#include "tools/mixing/mixing_window_model.hpp"
#include "tools/water/saturation_window_model.hpp"
#include "tools/water/water_window_model.hpp"
#include "ui/tool_window.hpp"

namespace toluvek {
namespace {

using Controls = std::vector<std::string_view>;

template <typename... Names>
Controls Join(const Names&... names) {
  Controls all;
  (all.insert(all.end(), std::begin(names), std::end(names)), ...);
  return all;
}

template <typename Rows>
Controls RowControls(const Rows& rows) {
  Controls all;
  for (const auto& row : rows) all.insert(all.end(), {row.equals_control, row.value_control});
  return all;
}

template <typename Rows>
Controls ResultControls(const Rows& rows) {
  Controls all;
  for (const auto& row : rows) all.push_back(row.control);
  return all;
}

struct WindowControls {
  const char* name;
  std::optional<ToolWindow> kind;  // none: the main window
  Controls controls;
};

std::vector<WindowControls> EveryWindow() {
  using std::array;
  return {
      {"main", std::nullopt,
       Join(array{form1::kPressure, form1::kTemperature, form1::kMolarMass, form1::kDensity,
                  form1::kCp, form1::kConductivity, form1::kViscosity, form1::kKinematicViscosity,
                  form1::kGasConstant, form1::kPrandtl, form1::kPrandtlEucken, form1::kReport,
                  form1::kCalculate, form1::kPrevious, form1::kPresetMenuCng, form1::kPresetMenuSr1,
                  form1::kStatusText},
            form1::kAmount, form1::kMoleFraction, form1::kMassFraction, form1::kSpeciesCp,
            form1::kSpeciesConductivity, form1::kSpeciesViscosity, form1::kSpeciesPrandtl,
            form1::kPressureOptions, form1::kTemperatureOptions)},
      {"enthalpy", ToolWindow::kEnthalpy,
       Join(array{form3::kFlow, form3::kFlowColumnCaption, form3::kT1, form3::kT2, form3::kHeatDuty,
                  form3::kHeatDutyUnit, form3::kLhvCaption, form3::kHhvCaption, form3::kLhv,
                  form3::kHhv, form3::kWaterLatent, form3::kMethanolLatent, form3::kLatentCaption,
                  form3::kCalculate, form3::kClose, form3::kCalculator},
            form3::kUnitOptions, form3::kSpeciesFlow)},
      {"water", ToolWindow::kWaterEnthalpy,
       Join(array{form4::kFlow, form4::kT1, form4::kT2, form4::kHeat, form4::kHeatUnit,
                  form4::kCalculate, form4::kClose},
            form4::kUnitOptions, form4::kPhaseOptions)},
      {"saturation", ToolWindow::kSaturation,
       Controls{form5::kPartialPressure, form5::kTemperature}},
      {"heat converter", ToolWindow::kHeatConverter,
       Join(array{form6::kPowerInput, form6::kEnergyInput, form6::kPowerResult,
                  form6::kEnergyResult, form6::kClose},
            form6::kPowerOptions, form6::kEnergyOptions)},
      {"duct", ToolWindow::kDuctFlow,
       Join(array{duct_flow_fields::kFlow, duct_flow_fields::kD1, duct_flow_fields::kD2,
                  duct_flow_fields::kD1Caption, duct_flow_fields::kD1Unit,
                  duct_flow_fields::kD2Caption, duct_flow_fields::kD2Unit,
                  duct_flow_fields::kCalculate, duct_flow_fields::kClose},
            duct_flow_fields::kFlowUnitOptions, duct_flow_fields::kShapeOptions,
            ResultControls(kDuctRows))},
      {"converter chooser", ToolWindow::kConverterChooser,
       Controls{form8::kPressure, form8::kTemperature, form8::kHeat}},
      {"pressure converter", ToolWindow::kPressureConverter,
       Join(array{pressure_converter_fields::kInput, pressure_converter_fields::kClose},
            pressure_converter_fields::kUnitOptions, RowControls(InitialPressureRows()))},
      {"temperature converter", ToolWindow::kTemperatureConverter,
       Join(array{form10::kInput, form10::kClose}, form10::kUnitOptions,
            RowControls(InitialTemperatureRows()))},
      {"mixing", ToolWindow::kMixing,
       Join(array{mixing_fields::kTemperatureA, mixing_fields::kFlowA, mixing_fields::kTemperatureB,
                  mixing_fields::kFlowB, mixing_fields::kMixedTemperature,
                  mixing_fields::kTotalFlow, mixing_fields::kCalculate, mixing_fields::kContinue,
                  mixing_fields::kClose, mixing_fields::kReturnValues},
            mixing_fields::kAmountA, mixing_fields::kAmountB, mixing_fields::kMixedFraction)},
      {"property chart", ToolWindow::kPropertyChart,
       Controls{property_chart_fields::kProperty, property_chart_fields::kRangeFrom,
                property_chart_fields::kRangeTo, property_chart_fields::kRangeUnit,
                property_chart_fields::kPlot, property_chart_fields::kCopy,
                property_chart_fields::kSavePng, property_chart_fields::kStatus,
                property_chart_fields::kReadout}},
      {"composition chooser", ToolWindow::kCompositionChooser,
       Controls{form12::kAddAir, form12::kTotal}},
      {"air dialog", ToolWindow::kAirDialog, Controls{form13::kAmount, form13::kOk}},
      {"total dialog", ToolWindow::kTotalDialog, Controls{form14::kAmount, form14::kOk}}};
}

// Whether the menu entry or widget named `control` is shown enabled; none when `window` has no
// such control.
std::optional<bool> ShownEnabled(const QWidget* window, std::string_view control) {
  const QString name = Utf8(control);
  if (const auto* action = window->findChild<QAction*>(name)) return action->isEnabled();
  if (const auto* widget = window->findChild<QWidget*>(name)) return widget->isEnabled();
  return std::nullopt;
}

}  // namespace

class EveryWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void everyControlOfTheMainWindowIsFoundByItsOwnName() {
    WholeProgram program;
    std::vector<std::string_view> fields = {form1::kPressure, form1::kTemperature};
    fields.insert(fields.end(), form1::kAmount.begin(), form1::kAmount.end());
    for (const SpeciesFields* row : form1::kResultRows) {
      fields.insert(fields.end(), row->begin(), row->end());
    }
    fields.insert(fields.end(),
                  {form1::kMolarMass, form1::kDensity, form1::kCp, form1::kConductivity,
                   form1::kViscosity, form1::kKinematicViscosity, form1::kGasConstant,
                   form1::kPrandtl, form1::kPrandtlEucken, form1::kReport});
    // Text1 to Text96, each once.
    QCOMPARE(std::set<std::string_view>(fields.begin(), fields.end()).size(), std::size_t{96});
    for (const std::string_view name : fields) {
      QCOMPARE(program.window.findChildren<QLineEdit*>(Utf8(name)).size(), 1);
    }
    using namespace std::string_view_literals;
    for (const std::string_view name :
         {form1::kCalculate, "Command2"sv, "Command3"sv, "Command4"sv, "Command5"sv, "Command6"sv,
          "Command8"sv, form1::kPrevious}) {
      QCOMPARE(program.window.findChildren<QPushButton*>(Utf8(name)).size(), 1);
    }
    for (const std::string_view name : form1::kPressureOptions) {
      QCOMPARE(program.window.findChildren<QRadioButton*>(Utf8(name)).size(), 1);
    }
    for (const std::string_view name : form1::kTemperatureOptions) {
      QCOMPARE(program.window.findChildren<QRadioButton*>(Utf8(name)).size(), 1);
    }
    QCOMPARE(program.window.findChild<QLabel*>(Utf8(form1::kMoistureLabel))->text(), "H2O");
    QCOMPARE(program.window.findChild<QLabel*>(Utf8(form1::kAmountHeader))->text(), "mol Vol.");
  }

  void everyControlOfItsModelHasAWidgetThatFollowsIt_data() {
    QTest::addColumn<int>("row");
    const std::vector<WindowControls> windows = EveryWindow();
    for (std::size_t i = 0; i < windows.size(); ++i) {
      QTest::newRow(windows[i].name) << static_cast<int>(i);
    }
  }

  void everyControlOfItsModelHasAWidgetThatFollowsIt() {
    QFETCH(int, row);
    const WindowControls tested = EveryWindow()[static_cast<std::size_t>(row)];
    WholeProgram program(QPoint(40, 30));
    QVERIFY(QTest::qWaitForWindowExposed(&program.window));
    // A calculated gas with water, from which every tool window opens without a message.
    program.model.SetText(form1::kAmount[kH2O], "5");
    QVERIFY(program.model.Calculate());

    QWidget* window = &program.window;
    WindowModel* model = &program.model;
    if (tested.kind) {
      program.services.windows.Open(*tested.kind, {600, 600});
      window = program.services.windows.Find(*tested.kind);
      QVERIFY(window != nullptr);
      model = &dynamic_cast<ToolWindowBase&>(*window).window_model();
    }
    for (const std::string_view control : tested.controls) {
      // A hidden menu entry reads as disabled in Qt whatever its own state: shown for the test.
      const bool visible = model->Visible(control);
      model->SetVisible(control, true);
      const bool enabled = model->Enabled(control);
      for (const bool now : {!enabled, enabled}) {
        model->SetEnabled(control, now);
        QVERIFY2(ShownEnabled(window, control) == now, control.data());
      }
      model->SetVisible(control, visible);
    }
  }
};

}  // namespace toluvek

TOLUVEK_UI_TEST_MAIN(toluvek::EveryWindowTest)
#include "every_window_test.moc"
