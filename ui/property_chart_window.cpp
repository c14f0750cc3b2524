#include "ui/property_chart_window.hpp"

#include <QAreaSeries>
#include <QBoxLayout>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

#include "common/number_text.hpp"
#include "ui/window_opener.hpp"

namespace toluvek {
namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <typename T>
T* Named(T* widget, const char* name, const QString& accessible_name) {
  widget->setObjectName(name);
  widget->setAccessibleName(accessible_name);
  return widget;
}

}  // namespace

PropertyChartWindow::PropertyChartWindow(MainWindowModel& main_window, Clipboard& clipboard,
                                         FileDialogs& dialogs, MessageService& messages,
                                         QWidget* parent)
    : QWidget(parent, Qt::Window),
      main_window_(main_window),
      messages_(messages),
      model_(main_window, clipboard, dialogs, messages) {
  setObjectName("PropertyChart");
  setWindowTitle("Property Chart");

  property_ = Named(new QComboBox, "Property", "Property");
  for (const ChartPropertyInfo& info : kChartProperties) property_->addItem(Text(info.name));
  from_ = Named(new QLineEdit(Text(model_.range().from)), "RangeFrom", "Temperature from");
  to_ = Named(new QLineEdit(Text(model_.range().to)), "RangeTo", "Temperature to");
  unit_ = Named(new QComboBox, "RangeUnit", "Temperature unit");
  unit_->addItems({Text(TemperatureUnitName(TemperatureUnit::kCelsius)),
                   Text(TemperatureUnitName(TemperatureUnit::kKelvin))});
  auto* plot = Named(new QPushButton("Plot"), "Plot", "Plot");
  auto* copy = Named(new QPushButton("Copy"), "Copy", "Copy the plotted table as CSV");
  auto* save = Named(new QPushButton("Save PNG"), "SavePng", "Save the chart as PNG");
  // Labels that show a value keep their text for screen readers: described, not named.
  status_ = new QLabel;
  status_->setObjectName("Status");
  status_->setAccessibleDescription("Message");
  readout_ = new QLabel;
  readout_->setObjectName("Readout");
  readout_->setAccessibleDescription("Value at the pointer");

  chart_ = new QChart;
  // The legend names only the shaded spans outside the fits; the curve has the title.
  chart_->legend()->setAlignment(Qt::AlignBottom);
  x_axis_ = new QValueAxis;
  y_axis_ = new QValueAxis;
  x_axis_->setLabelFormat("%g");
  y_axis_->setLabelFormat("%.4g");
  chart_->addAxis(x_axis_, Qt::AlignBottom);
  chart_->addAxis(y_axis_, Qt::AlignLeft);
  view_ = Named(new QChartView(chart_), "Chart", "Property chart");
  view_->setRenderHint(QPainter::Antialiasing);
  view_->setMinimumSize(640, 420);

  auto* controls = new QHBoxLayout;
  auto* property_label = new QLabel("Property");
  property_label->setBuddy(property_);
  auto* from_label = new QLabel("From");
  from_label->setBuddy(from_);
  auto* to_label = new QLabel("To");
  to_label->setBuddy(to_);
  for (QWidget* w : std::initializer_list<QWidget*>{property_label, property_, from_label, from_,
                                                    to_label, to_, unit_, plot}) {
    controls->addWidget(w);
  }
  controls->addStretch();
  controls->addWidget(copy);
  controls->addWidget(save);
  auto* footer = new QHBoxLayout;
  footer->addWidget(readout_, 1);
  footer->addWidget(status_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(controls);
  layout->addWidget(view_, 1);
  layout->addLayout(footer);

  connect(property_, &QComboBox::activated, this, [this](int index) {
    model_.SelectProperty(kChartProperties.at(static_cast<std::size_t>(index)).property);
    Refresh();
  });
  connect(unit_, &QComboBox::activated, this, [this](int index) {
    ApplyRange();
    model_.SelectRangeUnit(index == 0 ? TemperatureUnit::kCelsius : TemperatureUnit::kKelvin);
    Refresh();
  });
  for (QLineEdit* field : {from_, to_}) {
    connect(field, &QLineEdit::returnPressed, this, [this] {
      ApplyRange();
      Refresh();
    });
  }
  connect(plot, &QPushButton::clicked, this, [this] {
    ApplyRange();
    Refresh();
  });
  connect(copy, &QPushButton::clicked, this, [this] { model_.Copy(); });
  connect(save, &QPushButton::clicked, this, [this] { SavePng(); });

  FollowMainWindow();
  model_.Redraw();
  Refresh();
}

PropertyChartWindow::~PropertyChartWindow() = default;

void PropertyChartWindow::FollowMainWindow() {
  // The subscription ends with the chart; it does not need the main window's model then, which
  // may be gone already when the program ends.
  calculations_ = main_window_.FollowCalculations([this] {
    model_.Redraw();
    Refresh();
  });
}

void PropertyChartWindow::ApplyRange() {
  ChartRange range = model_.range();
  range.from = from_->text().toStdString();
  range.to = to_->text().toStdString();
  model_.SetRange(range);
}

void PropertyChartWindow::Refresh() {
  const ChartSeries& series = model_.series();
  from_->setText(Text(model_.range().from));
  to_->setText(Text(model_.range().to));
  unit_->setCurrentIndex(model_.range().unit == TemperatureUnit::kCelsius ? 0 : 1);
  property_->setCurrentIndex(static_cast<int>(model_.property()));
  status_->setText(Text(series.message));
  readout_->clear();
  chart_->removeAllSeries();
  chart_->setTitle(Text(series.title));
  x_axis_->setTitleText(Text(series.x_title));
  y_axis_->setTitleText(Text(series.y_title));

  // The axes first, so that the shaded spans lie below the curve and leave it the pointer.
  double low = std::numeric_limits<double>::infinity();
  double high = -low;
  for (const ChartPoint& point : series.points) {
    if (!point.ok) continue;
    low = std::min(low, point.value);
    high = std::max(high, point.value);
  }
  if (!series.points.empty()) {
    x_axis_->setRange(series.points.front().temperature, series.points.back().temperature);
  }
  if (low <= high) {
    const double margin = high > low ? (high - low) * 0.05 : std::fabs(high) * 0.05 + 1e-30;
    y_axis_->setRange(low - margin, high + margin);
    y_axis_->applyNiceNumbers();
  }
  ShadeOutsideFits();

  const QPen pen(QColor(0, 90, 160), 2);
  for (const std::vector<ChartPoint>& segment : series.Segments()) {
    auto* line = new QLineSeries;
    line->setPen(pen);
    for (const ChartPoint& point : segment) line->append(point.temperature, point.value);
    chart_->addSeries(line);
    line->attachAxis(x_axis_);
    line->attachAxis(y_axis_);
    for (QLegendMarker* marker : chart_->legend()->markers(line)) marker->setVisible(false);
    connect(line, &QLineSeries::hovered, this, [this](const QPointF& at, bool entered) {
      if (entered) ShowValueAt(at.x());
    });
  }
  chart_->legend()->setVisible(!series.outside_fits.empty());
}

void PropertyChartWindow::ShadeOutsideFits() {
  const std::vector<ChartSpan>& spans = model_.series().outside_fits;
  const double bottom = y_axis_->min();
  const double top = y_axis_->max();
  for (std::size_t i = 0; i < spans.size(); ++i) {
    // The area does not own its bounding lines: they are its children, so that they go
    // with it when the chart is redrawn.
    auto* area = new QAreaSeries;
    auto* upper = new QLineSeries(area);
    auto* lower = new QLineSeries(area);
    upper->append({{spans[i].from, top}, {spans[i].to, top}});
    lower->append({{spans[i].from, bottom}, {spans[i].to, bottom}});
    area->setUpperSeries(upper);
    area->setLowerSeries(lower);
    area->setObjectName(QString("OutsideFits%1").arg(i));
    area->setName(Text(kOutsideFitsLabel));
    area->setBrush(QColor(160, 160, 160, 70));
    area->setPen(Qt::NoPen);
    chart_->addSeries(area);
    area->attachAxis(x_axis_);
    area->attachAxis(y_axis_);
    // Both spans are the same kind of thing: the legend names it once.
    if (i > 0) {
      for (QLegendMarker* marker : chart_->legend()->markers(area)) marker->setVisible(false);
    }
  }
}

void PropertyChartWindow::ShowValueAt(double temperature) {
  const std::string readout = model_.ReadoutAt(temperature);
  if (readout.empty()) return;
  const QString text = Text(readout);
  readout_->setText(text);
  QToolTip::showText(QCursor::pos(), text, view_);
}

void PropertyChartWindow::SavePng() {
  const std::string path = model_.AskPngPath();
  if (path.empty()) return;
  // The picture goes through the program's one file writer, which refuses what must not be
  // replaced (a device, a FIFO, a read-only file) and never leaves a half-written file.
  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) || !view_->grab().toImage().save(&buffer, "PNG")) {
    messages_.Show(main_window_messages::kFileNotSaved);
    return;
  }
  model_.SavePng(path, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
}

void RegisterPropertyChart(QtWindowOpener& opener, MainWindowModel& main_window,
                           Clipboard& clipboard, FileDialogs& dialogs, MessageService& messages) {
  opener.Register(ToolWindow::kPropertyChart, [&] {
    return new PropertyChartWindow(main_window, clipboard, dialogs, messages);
  });
}

}  // namespace toluvek
