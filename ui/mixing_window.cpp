#include "ui/mixing_window.hpp"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <vector>

#include "engine/gas_table.hpp"
#include "ui/translation.hpp"

namespace toluvek {
namespace {

// Geometry in twips. Row labels and results sit a little lower than the input fields of their
// row, and are a little lower in height.
constexpr int kClientWidth = 5145;
constexpr int kClientHeight = 6015;
constexpr int kLabelLeft = 120, kLabelWidth = 945;
constexpr int kStreamALeft = 1080, kStreamBLeft = 2280, kStreamWidth = 1075;
constexpr int kResultLeft = 3600, kResultWidth = 1335;
constexpr int kFieldHeight = 270;
constexpr int kLabelDrop = 45, kLabelHeight = 255;
constexpr int kTemperatureTop = 120, kFlowTop = 480;
constexpr QRect kCompositionHeading{120, 960, 1500, 240};
constexpr int kFirstSpeciesTop = 1200, kSpeciesPitch = 360;
// Two lines, dark over light, between the flow rows and the composition.
constexpr int kLineLeft = 50, kLineRight = 5090;
constexpr int kDarkLineTop = 840, kLightLineTop = 860;
constexpr int kButtonTop = 5580, kButtonHeight = 375;

// A one-pixel horizontal line across the window.
void HorizontalLine(QWidget* window, const TwipScale& scale, int top, const QColor& colour) {
  auto* line = new QFrame(window);
  line->setGeometry(scale.X(kLineLeft), scale.Y(top), scale.X(kLineRight - kLineLeft), 1);
  line->setAutoFillBackground(true);
  QPalette palette = line->palette();
  palette.setColor(QPalette::Window, colour);
  line->setPalette(palette);
}

}  // namespace

MixingWindow::MixingWindow(std::unique_ptr<MixingWindowModel> model, QWidget* parent)
    : ToolWindowOf(std::move(model), mixing_fields::kWindow, "混合", kClientWidth, kClientHeight,
                   parent) {
  MixingWindowModel& m = this->model();
  WidgetBuilder& b = build();
  b.SetNumberFont(NumberFont(scale().X(kStreamWidth)));
  const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
  const auto calculate = [&m] { m.Calculate(); };

  // One row: its caption, stream A's field, stream B's field and the mixed stream's result.
  std::vector<std::string_view> tab_order_a, tab_order_b;
  const auto row = [&](const QString& caption, int top, std::string_view a, std::string_view b_name,
                       std::string_view result) {
    b.Label(caption, {kLabelLeft, top + kLabelDrop, kLabelWidth, kLabelHeight}, left);
    b.Field(a, {kStreamALeft, top, kStreamWidth, kFieldHeight}, kWhite, Tr("流れA ") + Tr(caption),
            FieldRole::kInput, calculate);
    b.Field(b_name, {kStreamBLeft, top, kStreamWidth, kFieldHeight}, kWhite,
            Tr("流れB ") + Tr(caption), FieldRole::kInput, calculate);
    b.Field(result, {kResultLeft, top + kLabelDrop, kResultWidth, kLabelHeight}, kWhite,
            Tr("混合 ") + Tr(caption), FieldRole::kResult);
    tab_order_a.push_back(a);
    tab_order_b.push_back(b_name);
  };
  row("温度[℃]", kTemperatureTop, mixing_fields::kTemperatureA, mixing_fields::kTemperatureB,
      mixing_fields::kMixedTemperature);
  row("流量", kFlowTop, mixing_fields::kFlowA, mixing_fields::kFlowB, mixing_fields::kTotalFlow);

  HorizontalLine(this, scale(), kDarkLineTop, QColor(128, 128, 128));
  HorizontalLine(this, scale(), kLightLineTop, QColor(255, 255, 255));

  QLabel* heading = b.Label("ガス組成", kCompositionHeading, left);
  heading->setToolTip(Tr("合計が1になっていない場合，自動で調整されます"));
  for (std::size_t i = 0; i < kSpeciesCount; ++i) {
    row(Utf8(AllSpecies()[i].label), kFirstSpeciesTop + static_cast<int>(i) * kSpeciesPitch,
        mixing_fields::kAmountA[i], mixing_fields::kAmountB[i], mixing_fields::kMixedFraction[i]);
  }

  b.Button(mixing_fields::kCalculate, "計算", {120, kButtonTop, 1575, kButtonHeight}, calculate);
  b.Button(mixing_fields::kContinue, "続行", {1800, kButtonTop, 855, kButtonHeight}, [this, &m] {
    const std::string_view focus = m.Continue();
    if (auto* field = findChild<QLineEdit*>(Utf8(focus))) field->setFocus();
  });
  b.Button(mixing_fields::kReturnValues, "値戻す", {2760, kButtonTop, 855, kButtonHeight},
           [&m] { m.ReturnValues(); });
  b.Button(mixing_fields::kClose, "閉じる", {3720, kButtonTop, 1335, kButtonHeight},
           [&m] { m.Close(); });

  std::vector<std::string_view> tab_order = tab_order_a;
  tab_order.insert(tab_order.end(), tab_order_b.begin(), tab_order_b.end());
  tab_order.insert(tab_order.end(), {mixing_fields::kCalculate, mixing_fields::kContinue,
                                     mixing_fields::kReturnValues, mixing_fields::kClose});
  b.TabOrder(tab_order);
  Finish();
  findChild<QLineEdit*>(Utf8(mixing_fields::kTemperatureA))->setFocus();
}

}  // namespace toluvek
