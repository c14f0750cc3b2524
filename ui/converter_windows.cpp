#include "ui/converter_windows.hpp"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "ui/translation.hpp"

namespace toluvek {
namespace {

// Geometry in twips.
constexpr int kRowHeight = 300;
constexpr int kButtonHeight = 420;

// The chooser: three buttons one under the other.
constexpr int kChooserWidth = 1700;

// The pressure and temperature converters: the input at the top, the unit options down the left
// and each result row level with its unit's option.
constexpr QRect kInput{120, 120, 1800, kRowHeight};
constexpr int kFrameLeft = 120, kFrameTop = 540, kFrameWidth = 1800;
constexpr int kOptionTop = 300, kOptionPitch = 330;  // inside the frame
constexpr int kOptionLeft = 120, kOptionWidth = 1560;
constexpr int kEqualsLeft = 2040, kEqualsWidth = 240;
constexpr int kValueLeft = 2280, kValueWidth = 2640;
constexpr int kConverterWidth = 5040;
constexpr int kCloseWidth = 1200;

// The frame's height, the top of "閉" and the client height for `options` options.
constexpr int FrameHeight(int options) {
  return kOptionTop + options * kOptionPitch + 60;
}
constexpr int CloseTop(int options) {
  return kFrameTop + FrameHeight(options) + 120;
}
constexpr int ConverterHeight(int options) {
  return CloseTop(options) + kButtonHeight + 120;
}

const Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;

struct UnitRow {
  std::string_view option;
  const char* caption;  // of the option, and the row's description
  std::function<void()> select;
  const ConverterRow& row;
};

// The input, the frame "単位" with its options and the result rows beside them, "閉" below.
void BuildConverter(WidgetBuilder& b, std::string_view input, const QString& input_name,
                    const std::vector<UnitRow>& units, const std::function<void()>& close) {
  b.Field(input, kInput, kWhite, input_name, FieldRole::kInput);
  const int options = static_cast<int>(units.size());
  QGroupBox* frame =
      b.Frame("Frame1", "単位", {kFrameLeft, kFrameTop, kFrameWidth, FrameHeight(options)},
              Tr("%1の単位").arg(Tr(input_name)));
  std::vector<std::string_view> tab_order = {input};
  for (int i = 0; i < options; ++i) {
    const UnitRow& unit = units[static_cast<std::size_t>(i)];
    const QString caption = QString::fromUtf8(unit.caption);
    b.Option(frame, unit.option, caption,
             {kOptionLeft, kOptionTop + i * kOptionPitch, kOptionWidth, kRowHeight}, unit.select);
    tab_order.push_back(unit.option);
    const int top = kFrameTop + kOptionTop + i * kOptionPitch;
    QLabel* equals = b.Label("=", {kEqualsLeft, top, kEqualsWidth, kRowHeight}, Qt::AlignCenter,
                             unit.row.equals_control);
    b.binding().BindControl(equals, true);
    b.ResultLabel(unit.row.value_control, {kValueLeft, top, kValueWidth, kRowHeight}, kLeft,
                  caption);
  }
  b.Button("Command1", "閉",
           {kConverterWidth - kCloseWidth - 120, CloseTop(options), kCloseWidth, kButtonHeight},
           close);
  tab_order.push_back("Command1");
  b.TabOrder(tab_order);
}

// Heat converter: two halves side by side.
constexpr int kHalfWidth = 2640;
constexpr int kHeatWidth = 2 * kHalfWidth + 120;
constexpr int kHeatHeight = 2160;

}  // namespace

ConverterChooserWindow::ConverterChooserWindow(std::unique_ptr<ConverterChooserModel> model,
                                               QWidget* parent)
    : ToolWindowOf(std::move(model), form8::kWindow, "Unit Converter", kChooserWidth,
                   3 * kButtonHeight, parent) {
  ConverterChooserModel& m = this->model();
  WidgetBuilder& b = build();
  b.Button(form8::kPressure, "圧 力", {0, 0, kChooserWidth, kButtonHeight},
           [&m] { m.OpenPressure(); });
  b.Button(form8::kTemperature, "温 度", {0, kButtonHeight, kChooserWidth, kButtonHeight},
           [&m] { m.OpenTemperature(); });
  b.Button(form8::kHeat, "熱 量", {0, 2 * kButtonHeight, kChooserWidth, kButtonHeight},
           [&m] { m.OpenHeat(); });
  b.TabOrder({form8::kPressure, form8::kTemperature, form8::kHeat});
  Finish();
}

PressureConverterWindow::PressureConverterWindow(std::unique_ptr<PressureConverterModel> model,
                                                 QWidget* parent)
    : ToolWindowOf(std::move(model), pressure_converter_fields::kWindow,
                   "Unit Converter  -Pressure-", kConverterWidth, ConverterHeight(5), parent) {
  PressureConverterModel& m = this->model();
  WidgetBuilder& b = build();
  b.SetNumberFont(NumberFont(scale().X(kInput.width())));
  const PressureRows rows = InitialPressureRows();
  std::vector<UnitRow> units;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const auto unit = static_cast<PressureConverterUnit>(i);
    units.push_back({pressure_converter_fields::kUnitOptions[i],
                     kPressureConverterUnitNames[i].data(), [&m, unit] { m.SelectUnit(unit); },
                     rows[i]});
  }
  BuildConverter(b, pressure_converter_fields::kInput, "圧力", units, [&m] { m.Close(); });
  Finish();
  findChild<QLineEdit*>(Utf8(pressure_converter_fields::kInput))->setFocus();
}

TemperatureConverterWindow::TemperatureConverterWindow(
    std::unique_ptr<TemperatureConverterModel> model, QWidget* parent)
    : ToolWindowOf(std::move(model), form10::kWindow, "Unit Converter -Temperature-",
                   kConverterWidth, ConverterHeight(3), parent) {
  TemperatureConverterModel& m = this->model();
  WidgetBuilder& b = build();
  b.SetNumberFont(NumberFont(scale().X(kInput.width())));
  const TemperatureRows rows = InitialTemperatureRows();
  std::vector<UnitRow> units;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const auto unit = static_cast<TemperatureConverterUnit>(i);
    units.push_back({form10::kUnitOptions[i], kTemperatureConverterUnitNames[i].data(),
                     [&m, unit] { m.SelectUnit(unit); }, rows[i]});
  }
  BuildConverter(b, form10::kInput, "温度", units, [&m] { m.Close(); });
  Finish();
  findChild<QLineEdit*>(Utf8(form10::kInput))->setFocus();
}

HeatConverterWindow::HeatConverterWindow(std::unique_ptr<HeatConverterModel> model, QWidget* parent)
    : ToolWindowOf(std::move(model), form6::kWindow, "Unit Converter -Heat-", kHeatWidth,
                   kHeatHeight, parent) {
  HeatConverterModel& m = this->model();
  WidgetBuilder& b = build();
  b.SetNumberFont(NumberFont(scale().X(kHalfWidth - 240)));
  struct Half {
    std::string_view input, result, frame;
    const char* name;  // spoken
    std::array<std::string_view, 2> options;
    std::array<const char*, 2> captions;
    std::array<std::function<void()>, 2> select;
  };
  const Half halves[] = {
      {form6::kPowerInput,
       form6::kPowerResult,
       "Frame1",
       "熱流量",
       form6::kPowerOptions,
       {"kcal/h", "W"},
       {[&m] { m.SelectPowerUnit(PowerUnit::kKcalPerHour); },
        [&m] { m.SelectPowerUnit(PowerUnit::kWatt); }}},
      {form6::kEnergyInput,
       form6::kEnergyResult,
       "Frame2",
       "熱量",
       form6::kEnergyOptions,
       {"cal", "J"},
       {[&m] { m.SelectEnergyUnit(EnergyUnit::kCalorie); },
        [&m] { m.SelectEnergyUnit(EnergyUnit::kJoule); }}},
  };
  std::vector<std::string_view> tab_order;
  for (int h = 0; h < 2; ++h) {
    const Half& half = halves[h];
    const int left = 120 + h * kHalfWidth;
    const QString name = QString::fromUtf8(half.name);
    const std::string_view input = half.input;
    b.Field(half.input, {left, 120, kHalfWidth - 240, kRowHeight}, kWhite, name, FieldRole::kInput,
            [&m, input] { m.EnterPressed(input); });
    QGroupBox* frame = b.Frame(half.frame, "単位", {left, 540, kHalfWidth - 240, 660},
                               Tr("%1の単位").arg(Tr(name)));
    tab_order.push_back(half.input);
    for (int o = 0; o < 2; ++o) {
      b.Option(frame, half.options[o], QString::fromUtf8(half.captions[o]),
               {120 + o * 1200, 270, 1080, kRowHeight}, half.select[o]);
      tab_order.push_back(half.options[o]);
    }
    b.ResultLabel(half.result, {left, 1320, kHalfWidth - 240, kRowHeight}, kLeft,
                  Tr("%1の換算値").arg(Tr(name)));
  }
  b.Button(form6::kClose, "閉", {kHeatWidth - kCloseWidth - 120, 1680, kCloseWidth, kButtonHeight},
           [&m] { m.Close(); });
  tab_order.push_back(form6::kClose);
  b.TabOrder(tab_order);
  Finish();
  findChild<QLineEdit*>(Utf8(form6::kPowerInput))->setFocus();
}

}  // namespace toluvek
