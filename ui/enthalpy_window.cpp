#include "ui/enthalpy_window.hpp"

#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <string>

#include "ui/translation.hpp"

namespace toluvek {
namespace {

// Geometry in twips.
constexpr int kClientWidth = 6120;
constexpr int kClientHeight = 7140;
constexpr int kRowHeight = 300;
constexpr QRect kUnitFrame{120, 0, 3720, 660};
constexpr int kOptionTop = 270;
constexpr QRect kFlowCaption{3960, 270, 600, kRowHeight};
constexpr QRect kFlowField{4560, 270, 1440, kRowHeight};
constexpr int kSpeciesTop = 1080, kSpeciesPitch = 300;
constexpr int kSpeciesLabelLeft = 120, kSpeciesLabelWidth = 900;
constexpr int kSpeciesFieldLeft = 1080, kSpeciesFieldWidth = 1500;
constexpr QRect kColumnCaption{kSpeciesFieldLeft, 780, kSpeciesFieldWidth, kRowHeight};
constexpr int kLatentLeft = 2640, kLatentWidth = 2040;
constexpr int kLatentCaptionLeft = 4680, kLatentCaptionWidth = 1320;
constexpr int kTemperatureTop = 4860;
constexpr QRect kT1Field{kSpeciesFieldLeft, kTemperatureTop, 1020, kRowHeight};
constexpr QRect kT1Unit{2160, kTemperatureTop, 300, kRowHeight};
constexpr QRect kArrow{2460, kTemperatureTop, 300, kRowHeight};
constexpr QRect kT2Field{2820, kTemperatureTop, 1020, kRowHeight};
constexpr QRect kT2Unit{3900, kTemperatureTop, 300, kRowHeight};
constexpr QRect kHeatDutyField{kSpeciesFieldLeft, 5340, kSpeciesFieldWidth, kRowHeight};
constexpr QRect kHeatDutyUnit{2640, 5340, 600, kRowHeight};
constexpr int kHeatingValueTop = 5760;
constexpr int kHeatingValueWidth = 2400;
constexpr int kButtonTop = 6540, kButtonHeight = 420;
constexpr QRect kCalculateButton{1080, kButtonTop, 1320, kButtonHeight};
constexpr QRect kCloseButton{2520, kButtonTop, 1320, kButtonHeight};
constexpr QRect kCalculatorButton{4320, kButtonTop, 1320, kButtonHeight};

constexpr const char* kUnitCaptions[] = {"Nl/min", "mol/h", "kg/s"};

}  // namespace

EnthalpyWindow::EnthalpyWindow(std::unique_ptr<EnthalpyWindowModel> model, QWidget* parent)
    : ToolWindowOf(std::move(model), form3::kWindow, "Enthalpy", kClientWidth, kClientHeight,
                   parent) {
  EnthalpyWindowModel& m = this->model();
  WidgetBuilder& b = build();
  b.SetNumberFont(NumberFont(scale().X(kSpeciesFieldWidth)));
  const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
  const Qt::Alignment centre = Qt::AlignCenter;

  QGroupBox* unit = b.Frame("Frame1", "単位", kUnitFrame, "流量の単位");
  for (std::size_t i = 0; i < form3::kUnitOptions.size(); ++i) {
    const auto which = static_cast<FlowUnit>(i);
    b.Option(unit, form3::kUnitOptions[i], kUnitCaptions[i],
             {120 + static_cast<int>(i) * 1200, kOptionTop, 1140, kRowHeight},
             [&m, which] { m.SelectFlowUnit(which); });
  }
  b.Label("流 量", kFlowCaption, left);
  // Enter moves the focus on, or calculates in the end temperature.
  flow_ = b.Field(form3::kFlow, kFlowField, kWhite, "流量", FieldRole::kInput,
                  b.EnterMovesFocus(m, form3::kFlow));
  flow_->installEventFilter(this);

  b.ModelLabel(form3::kFlowColumnCaption, kColumnCaption, centre);
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    const int top = kSpeciesTop + static_cast<int>(i) * kSpeciesPitch;
    const QString species = Utf8(AllSpecies()[i].label);
    const bool water = i == kH2O;
    QLabel* label = b.Label(species, {kSpeciesLabelLeft, top, kSpeciesLabelWidth, kRowHeight}, left,
                            water ? form3::kWaterLabel : std::string_view{});
    if (water) {
      b.ClickableLabel(
          label, [&m] { m.OpenWaterEnthalpy(); }, {}, "クリックで水のエンタルピを計算");
    }
    b.Field(form3::kSpeciesFlow[i], {kSpeciesFieldLeft, top, kSpeciesFieldWidth, kRowHeight},
            kWhite, species + Tr(" 流量"), FieldRole::kResult);
  }
  // The latent heats beside the H2O and CH3OH rows, their caption between the two.
  const int water_top = kSpeciesTop + static_cast<int>(kH2O) * kSpeciesPitch;
  const int methanol_top = kSpeciesTop + static_cast<int>(kCH3OH) * kSpeciesPitch;
  struct Latent {
    std::string_view control;
    int top;
    const char* description;
  };
  for (const Latent& latent : {Latent{form3::kWaterLatent, water_top, "H2O 蒸発潜熱"},
                               Latent{form3::kMethanolLatent, methanol_top, "CH3OH 蒸発潜熱"}}) {
    b.ResultLabel(latent.control, {kLatentLeft, latent.top, kLatentWidth, kRowHeight}, left,
                  Utf8(latent.description));
  }
  b.ModelLabel(
      form3::kLatentCaption,
      {kLatentCaptionLeft, (water_top + methanol_top) / 2, kLatentCaptionWidth, kRowHeight}, left);

  b.Field(form3::kT1, kT1Field, kWhite, "開始温度 ℃", FieldRole::kInput,
          b.EnterMovesFocus(m, form3::kT1));
  b.Label("℃", kT1Unit, centre);
  b.Label("→", kArrow, centre);
  b.Field(form3::kT2, kT2Field, kWhite, "終了温度 ℃", FieldRole::kInput,
          b.EnterMovesFocus(m, form3::kT2));
  b.Label("℃", kT2Unit, centre);

  b.Field(form3::kHeatDuty, kHeatDutyField, kWhite, "熱量", FieldRole::kResult);
  b.ModelLabel(form3::kHeatDutyUnit, kHeatDutyUnit, left);

  struct HeatingValue {
    std::string_view caption, value;
  };
  int top = kHeatingValueTop;
  for (const HeatingValue& row : {HeatingValue{form3::kLhvCaption, form3::kLhv},
                                  HeatingValue{form3::kHhvCaption, form3::kHhv}}) {
    b.ModelLabel(row.caption, {kSpeciesLabelLeft, top, kSpeciesLabelWidth, kRowHeight}, left);
    b.ResultLabel(row.value, {kSpeciesFieldLeft, top, kHeatingValueWidth, kRowHeight}, left,
                  row.value == form3::kLhv ? "LHV" : "HHV");
    top += kRowHeight;
  }

  b.Button(form3::kCalculate, "計算", kCalculateButton, [&m] { m.Calculate(); });
  b.Button(form3::kClose, "閉", kCloseButton, [&m] { m.Close(); });
  b.Button(form3::kCalculator, "計算機", kCalculatorButton, [&m] { m.StartCalculator(); });

  b.TabOrder({form3::kUnitOptions[0], form3::kUnitOptions[1], form3::kUnitOptions[2], form3::kFlow,
              form3::kT1, form3::kT2, form3::kCalculate, form3::kClose, form3::kCalculator});
  Finish();
  flow_->setFocus();
}

bool EnthalpyWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == flow_ && event->type() == QEvent::FocusOut) {
    // Only a move of the focus inside this window leaves the field; another window coming
    // forward (a message box among them) does not.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      EnthalpyWindowModel& m = model();
      binding().Forward([&m] { m.LeaveFlow(); });
    }
  }
  return ToolWindowOf::eventFilter(watched, event);
}

}  // namespace toluvek
