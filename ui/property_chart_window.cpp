#include "ui/property_chart_window.hpp"

#include <QApplication>
#include <QBoxLayout>
#include <QBuffer>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QToolTip>
#include <cstdint>
#include <initializer_list>

#include "ui/chart_view.hpp"
#include "ui/window_opener.hpp"

namespace toluvek {
namespace {

namespace fields = property_chart_fields;

// The window's layouts place its controls, so the builder is given no geometry.
constexpr QRect kLaidOut;
constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;

Rgb ToRgb(const QColor& colour) {
  return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
          static_cast<std::uint8_t>(colour.blue())};
}

}  // namespace

PropertyChartWindow::PropertyChartWindow(std::unique_ptr<PropertyChartModel> model, QWidget* parent)
    : ToolWindowOf(std::move(model), fields::kWindow, "Property Chart", parent) {
  PropertyChartModel& m = this->model();
  WidgetBuilder& b = build();
  const auto plot = [&m] { m.Plot(); };
  // The range fields keep the desktop's field colour, as the lists beside them do.
  const Rgb field_colour = ToRgb(QApplication::palette("QLineEdit").color(QPalette::Base));

  // The controls, in the order of the top row, which is also the tab order.
  QLabel* property_label = b.Label("Property", kLaidOut, kLeft);
  QStringList property_names;
  for (const ChartPropertyInfo& info : kChartProperties) property_names << Utf8(info.name);
  QComboBox* property = Choice(fields::kProperty, property_names, "Property", [&m](int index) {
    m.SelectProperty(kChartProperties.at(static_cast<std::size_t>(index)).property);
  });
  property_label->setBuddy(property);
  QLabel* from_label = b.Label("From", kLaidOut, kLeft);
  QLineEdit* from = b.Field(fields::kRangeFrom, kLaidOut, field_colour, "Temperature from",
                            FieldRole::kInput, plot);
  from_label->setBuddy(from);
  QLabel* to_label = b.Label("To", kLaidOut, kLeft);
  QLineEdit* to =
      b.Field(fields::kRangeTo, kLaidOut, field_colour, "Temperature to", FieldRole::kInput, plot);
  to_label->setBuddy(to);
  QStringList unit_names;
  for (TemperatureUnit unit : kChartRangeUnits) unit_names << Utf8(TemperatureUnitName(unit));
  QComboBox* unit = Choice(fields::kRangeUnit, unit_names, "Temperature unit", [&m](int index) {
    m.SelectRangeUnit(kChartRangeUnits.at(static_cast<std::size_t>(index)));
  });
  QPushButton* plot_button = b.Button(fields::kPlot, "Plot", kLaidOut, plot);
  plot_button->setAccessibleName("Plot");
  QPushButton* copy = b.Button(fields::kCopy, "Copy", kLaidOut, [&m] { m.Copy(); });
  copy->setAccessibleName("Copy the plotted table as CSV");
  QPushButton* save = b.Button(fields::kSavePng, "Save PNG", kLaidOut,
                               [this, &m] { m.SavePng([this] { return Picture(); }); });
  save->setAccessibleName("Save the chart as PNG");

  view_ = new ChartView(this);
  view_->setObjectName(Utf8(fields::kChart));
  view_->setAccessibleName("Property chart");
  view_->setMinimumSize(640, 420);
  view_->OnPointerOnLine([this](double temperature) { ShowValueAt(temperature); });
  b.binding().BindControl(view_);

  // Labels that show a value keep their text for screen readers: described, not named.
  QLabel* readout = b.ModelLabel(fields::kReadout, kLaidOut, kLeft);
  readout->setAccessibleDescription("Value at the pointer");
  QLabel* status = b.ModelLabel(fields::kStatus, kLaidOut, kLeft);
  status->setAccessibleDescription("Message");

  auto* controls = new QHBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{property_label, property, from_label, from,
                                                    to_label, to, unit, plot_button}) {
    controls->addWidget(w);
  }
  controls->addStretch();
  controls->addWidget(copy);
  controls->addWidget(save);
  auto* footer = new QHBoxLayout;
  footer->addWidget(readout, 1);
  footer->addWidget(status);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(controls);
  layout->addWidget(view_, 1);
  layout->addLayout(footer);

  b.TabOrder({fields::kProperty, fields::kRangeFrom, fields::kRangeTo, fields::kRangeUnit,
              fields::kPlot, fields::kCopy, fields::kSavePng, fields::kChart});
  chart_observer_ = m.AddObserver([this](std::string_view control) {
    if (control == fields::kChart) DrawChart();
  });
  Finish();
  DrawChart();
}

PropertyChartWindow::~PropertyChartWindow() {
  model().RemoveObserver(chart_observer_);
}

QComboBox* PropertyChartWindow::Choice(std::string_view name, const QStringList& entries,
                                       const QString& accessible_name,
                                       std::function<void(int)> choose) {
  auto* list = new QComboBox(this);
  list->setObjectName(Utf8(name));
  list->setAccessibleName(accessible_name);
  list->addItems(entries);
  // `activated` is the user's choice only; the refresh below writes the entry shown.
  connect(list, &QComboBox::activated, this, [this, choose = std::move(choose)](int index) {
    binding().Forward([&] { choose(index); });
  });
  binding().BindControl(list);
  const PropertyChartModel& m = model();
  binding().AddRefresh(
      [list, name, &m] { list->setCurrentIndex(list->findText(Utf8(m.Text(name)))); });
  return list;
}

void PropertyChartWindow::DrawChart() {
  view_->Draw(model().series());
}

void PropertyChartWindow::ShowValueAt(double temperature) {
  PropertyChartModel& m = model();
  binding().Forward([&] { m.PointAt(temperature); });
  const std::string& readout = m.Text(fields::kReadout);
  if (!readout.empty()) QToolTip::showText(QCursor::pos(), Utf8(readout), view_);
}

std::optional<std::string> PropertyChartWindow::Picture() const {
  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) || !view_->grab().toImage().save(&buffer, "PNG")) {
    return std::nullopt;
  }
  return std::string(png.constData(), static_cast<std::size_t>(png.size()));
}

void RegisterPropertyChart(QtWindowOpener& opener, MainWindowModel& main_window,
                           Clipboard& clipboard, FileDialogs& dialogs, MessageService& messages) {
  opener.Register(ToolWindow::kPropertyChart, [&] {
    return new PropertyChartWindow(
        std::make_unique<PropertyChartModel>(main_window, clipboard, dialogs, messages));
  });
}

}  // namespace toluvek
