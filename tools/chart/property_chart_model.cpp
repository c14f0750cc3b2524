#include "tools/chart/property_chart_model.hpp"

#include <utility>

#include "common/number_text.hpp"
#include "files/atomic_file.hpp"

namespace toluvek {

namespace fields = property_chart_fields;

PropertyChartModel::PropertyChartModel(MainWindowModel& window, Clipboard& clipboard,
                                       FileDialogs& dialogs, MessageService& messages)
    : window_(window), clipboard_(clipboard), dialogs_(dialogs), messages_(messages) {
  Redraw();
  calculations_ = window_.FollowCalculations([this] { Redraw(); });
}

void PropertyChartModel::SelectProperty(ChartProperty property) {
  property_ = property;
  Redraw();
}

void PropertyChartModel::Plot() {
  range_.from = Text(fields::kRangeFrom);
  range_.to = Text(fields::kRangeTo);
  Redraw();
}

void PropertyChartModel::SelectRangeUnit(TemperatureUnit unit) {
  range_.from = Text(fields::kRangeFrom);
  range_.to = Text(fields::kRangeTo);
  if (unit != range_.unit) {
    const double offset = unit == TemperatureUnit::kKelvin ? kKelvinOffset : -kKelvinOffset;
    for (std::string* text : {&range_.from, &range_.to}) {
      if (const std::optional<double> value = ParseStrict(*text)) {
        *text = FormatGeneral(*value + offset);
      }
    }
    range_.unit = unit;
  }
  Redraw();
}

void PropertyChartModel::Redraw() {
  series_ = MakeChartSeries(property_, ReadChartMixture(window_), range_);
  SetText(fields::kProperty, std::string(InfoOf(property_).name));
  SetText(fields::kRangeFrom, range_.from);
  SetText(fields::kRangeTo, range_.to);
  SetText(fields::kRangeUnit, std::string(TemperatureUnitName(range_.unit)));
  SetText(fields::kStatus, series_.message);
  SetText(fields::kReadout, "");
  Notify(fields::kChart);
}

void PropertyChartModel::PointAt(double temperature) {
  std::string readout = ChartReadout(series_, property_, range_.unit, temperature);
  if (!readout.empty()) SetText(fields::kReadout, std::move(readout));
}

void PropertyChartModel::Copy() {
  clipboard_.SetText(ChartCsv(series_, property_, range_.unit));
}

bool PropertyChartModel::SavePng(const ChartPicture& picture) {
  const FileDialogResult chosen = dialogs_.Ask({"Save PNG", "PNG(*.png)|*.png", "png", true});
  if (chosen.status != FileDialogResult::Status::kChosen || chosen.path.empty()) return false;
  const std::optional<std::string> png = picture();
  if (png && !WriteFileAtomically(chosen.path, *png)) return true;
  messages_.Show(main_window_messages::kFileNotSaved);
  return false;
}

}  // namespace toluvek
