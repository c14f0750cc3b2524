#pragma once
// The property chart window ("Property Chart"): a property chosen from a list, the temperature
// range typed with its unit, the curve over it, the value at the pointer and the message of a
// rejected input. The curve follows the main window's calculations that wrote every result, so
// it keeps up with the mixture and pressure without chasing the typing.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "main/main_window_model.hpp"
#include "main/platform.hpp"
#include "main/window_model.hpp"
#include "tools/chart/property_chart.hpp"

namespace toluvek {

// Control names of the property chart window.
namespace property_chart_fields {
inline constexpr std::string_view kWindow = "PropertyChart";
// The list of properties; its text is the name of the one chosen ("cp").
inline constexpr std::string_view kProperty = "Property";
inline constexpr std::string_view kRangeFrom = "RangeFrom";
inline constexpr std::string_view kRangeTo = "RangeTo";
// The list of the range's units; its text is the unit chosen ("℃", "K").
inline constexpr std::string_view kRangeUnit = "RangeUnit";
inline constexpr std::string_view kPlot = "Plot";
inline constexpr std::string_view kCopy = "Copy";
inline constexpr std::string_view kSavePng = "SavePng";
inline constexpr std::string_view kStatus = "Status";    // the message of a rejected input
inline constexpr std::string_view kReadout = "Readout";  // the value at the pointer
// The chart itself: notified whenever the curve has been computed again.
inline constexpr std::string_view kChart = "Chart";
}  // namespace property_chart_fields

// The units the range can be typed in, in the order the window lists them.
inline constexpr std::array<TemperatureUnit, 2> kChartRangeUnits = {TemperatureUnit::kCelsius,
                                                                    TemperatureUnit::kKelvin};

// The chart's picture as PNG bytes, made by the window that draws it; nothing when it could
// not be made.
using ChartPicture = std::function<std::optional<std::string>()>;

class PropertyChartModel : public WindowModel {
 public:
  // Loads the window: cp from 0 to 700 ℃ over the main window's mixture as its fields now
  // read, and from now on the curve again after each of its calculations that wrote every
  // result.
  PropertyChartModel(MainWindowModel& window, Clipboard& clipboard, FileDialogs& dialogs,
                     MessageService& messages);

  ChartProperty property() const { return property_; }
  // The range of the curve shown, which may differ from the texts typed since.
  const ChartRange& range() const { return range_; }
  const ChartSeries& series() const { return series_; }

  // The property list: that property's curve over the range shown.
  void SelectProperty(ChartProperty property);
  // "Plot", Enter in a range field: the curve over the range as typed.
  void Plot();
  // The unit list: the range as typed, converted between ℃ and K (a text that is not a number
  // stays as it is), then its curve.
  void SelectRangeUnit(TemperatureUnit unit);
  // Reads the main window's fields again and computes the curve over the range shown. Each
  // curve puts its range, property and unit back into the controls (a range typed but not
  // plotted is given up), says why an input was rejected in Status, empties the readout and
  // notifies Chart.
  void Redraw();
  // The pointer over the curve at `temperature`: the readout of the nearest point that was
  // calculated. Where there is none, the readout stays as it was.
  void PointAt(double temperature);
  // "Copy": the plotted table onto the clipboard.
  void Copy();
  // "Save PNG": asks for a file name, then makes the picture and writes it there as every save
  // of the program does (atomically; a target that is not a regular file or has no write
  // permission is refused). A picture that cannot be made or written shows the message of
  // every failed save. Returns whether it was written; with no name chosen, nothing is made.
  bool SavePng(const ChartPicture& picture);

 private:
  MainWindowModel& window_;
  Clipboard& clipboard_;
  FileDialogs& dialogs_;
  MessageService& messages_;
  ChartProperty property_ = ChartProperty::kCp;
  ChartRange range_;
  ChartSeries series_;
  // Last, so that the curve stops following before anything a redraw writes goes.
  CalculationSubscription calculations_;
};

}  // namespace toluvek
