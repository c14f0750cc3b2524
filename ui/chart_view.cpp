#include "ui/chart_view.hpp"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <string>

#include "ui/widget_builder.hpp"

namespace toluvek {
namespace {

constexpr double kPanelInset = 9;   // window background around the panel
constexpr double kPanelRadius = 6;  // its rounded corners
constexpr double kMargin = 18;      // inside the panel
constexpr double kTickLength = 5;   // marks outside the frame at each label
constexpr double kLabelGap = 3;     // between a mark and its label
constexpr double kReach = 4;        // how near a line the pointer is on it, in pixels
constexpr double kSwatch = 12;      // the legend's sample of the shading

const QColor kText(64, 64, 68);
const QColor kGrid(226, 226, 226);
const QColor kFrame(190, 190, 190);
const QColor kCurve(0, 90, 160);
const QColor kShade(160, 160, 160, 70);

// How far below the frame the temperature labels begin: past the marks, and low enough that
// the first one clears the lowest value label, which is centred on the frame's bottom line.
double XLabelDrop(const QFontMetricsF& fm) {
  return std::max(kTickLength + kLabelGap, fm.height() / 2 + 1);
}

QFont Bold(QFont font) {
  font.setBold(true);
  return font;
}

// The distance from `p` to the segment from `a` to `b`.
double DistanceToSegment(QPointF p, QPointF a, QPointF b) {
  const QPointF ab = b - a;
  const double length2 = QPointF::dotProduct(ab, ab);
  double t = length2 > 0 ? QPointF::dotProduct(p - a, ab) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  const QPointF d = p - (a + t * ab);
  return std::hypot(d.x(), d.y());
}

}  // namespace

ChartView::ChartView(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
}

void ChartView::Draw(const ChartSeries& series) {
  title_ = Utf8(series.title);
  x_title_ = Utf8(series.x_title);
  y_title_ = Utf8(series.y_title);
  legend_text_ = Utf8(kOutsideFitsLabel);
  // A screen reader tells what is plotted; the picture itself it cannot read.
  setAccessibleDescription(title_);
  lines_.clear();
  for (const std::vector<ChartPoint>& segment : series.Segments()) {
    std::vector<QPointF>& line = lines_.emplace_back();
    line.reserve(segment.size());
    for (const ChartPoint& point : segment) line.emplace_back(point.temperature, point.value);
  }
  spans_ = series.outside_fits;
  axes_ = MakeChartAxes(series);
  x_labels_.clear();
  for (const std::string& label : AxisLabels(axes_.x, 6)) x_labels_.push_back(Utf8(label));
  y_labels_.clear();
  for (const std::string& label : AxisLabels(axes_.y, 4)) y_labels_.push_back(Utf8(label));
  update();
}

ChartView::Layout ChartView::MakeLayout() const {
  const QFontMetricsF fm(font());
  const QFontMetricsF bold(Bold(font()));
  Layout l;
  l.panel = QRectF(rect()).adjusted(kPanelInset, kPanelInset, -kPanelInset, -kPanelInset);
  const QRectF inner = l.panel.adjusted(kMargin, kMargin, -kMargin, -kMargin);
  l.title = QRectF(inner.left(), inner.top(), inner.width(), fm.height());
  double bottom = inner.bottom();
  if (!spans_.empty()) {
    l.legend = QRectF(inner.left(), bottom - fm.height(), inner.width(), fm.height());
    bottom = l.legend.top() - fm.height() / 2;
  }
  l.x_title = QRectF(inner.left(), bottom - bold.height(), inner.width(), bold.height());
  double label_width = 0;
  for (const QString& label : y_labels_)
    label_width = std::max(label_width, fm.horizontalAdvance(label));
  const double last_x_label = x_labels_.empty() ? 0 : fm.horizontalAdvance(x_labels_.back());
  const double left =
      inner.left() + bold.height() + 2 * kLabelGap + label_width + kLabelGap + kTickLength;
  const double top = l.title.bottom() + fm.height() / 2 + kLabelGap;
  const double plot_bottom = l.x_title.top() - 2 * kLabelGap - fm.height() - XLabelDrop(fm);
  const double right = inner.right() - last_x_label / 2;
  l.plot = QRectF(QPointF(left, top),
                  QPointF(std::max(left + 1, right), std::max(top + 1, plot_bottom)));
  l.y_title = QRectF(inner.left(), l.plot.top(), bold.height(), l.plot.height());
  return l;
}

QPointF ChartView::ToWidget(QPointF data) const {
  return ToWidget(MakeLayout(), data);
}

QPointF ChartView::ToWidget(const Layout& layout, QPointF data) const {
  const QRectF& plot = layout.plot;
  const double x_span = axes_.x.max - axes_.x.min;
  const double y_span = axes_.y.max - axes_.y.min;
  double x = x_span > 0 ? (data.x() - axes_.x.min) / x_span : 0.5;
  double y = y_span > 0 ? (data.y() - axes_.y.min) / y_span : 0.5;
  // A scale wider than the largest double is measured in halves, which are exact.
  if (!std::isfinite(x_span))
    x = (data.x() / 2 - axes_.x.min / 2) / (axes_.x.max / 2 - axes_.x.min / 2);
  if (!std::isfinite(y_span))
    y = (data.y() / 2 - axes_.y.min / 2) / (axes_.y.max / 2 - axes_.y.min / 2);
  return {plot.left() + x * plot.width(), plot.bottom() - y * plot.height()};
}

void ChartView::paintEvent(QPaintEvent* /*event*/) {
  const Layout l = MakeLayout();
  const QFontMetricsF fm(font());
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRoundedRect(l.panel, kPanelRadius, kPanelRadius);
  if (hasFocus()) {
    // Reached with Tab, as the other controls are: outlined in the desktop's highlight.
    p.setPen(QPen(palette().color(QPalette::Highlight), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(l.panel.adjusted(1, 1, -1, -1), kPanelRadius, kPanelRadius);
  }

  p.setPen(kText);
  // A title longer than the panel ends in "…"; title() keeps it whole.
  p.drawText(l.title, Qt::AlignCenter, fm.elidedText(title_, Qt::ElideRight, l.title.width()));

  // The shading lies under the grid and the curve.
  p.setPen(Qt::NoPen);
  p.setBrush(kShade);
  for (const ChartSpan& span : spans_) {
    const double from = ToWidget(l, {span.from, 0}).x();
    const double to = ToWidget(l, {span.to, 0}).x();
    p.drawRect(QRectF(QPointF(std::min(from, to), l.plot.top()),
                      QPointF(std::max(from, to), l.plot.bottom()))
                   .intersected(l.plot));
  }

  // The grid, the frame's two axes and the marks, on whole pixels so that they stay sharp.
  p.setRenderHint(QPainter::Antialiasing, false);
  const std::vector<double> xs = axes_.x.TickValues();
  const std::vector<double> ys = axes_.y.TickValues();
  p.setPen(kGrid);
  for (double v : xs) {
    const double x = std::round(ToWidget(l, {v, 0}).x());
    p.drawLine(QPointF(x, l.plot.top()), QPointF(x, l.plot.bottom()));
  }
  for (double v : ys) {
    const double y = std::round(ToWidget(l, {0, v}).y());
    p.drawLine(QPointF(l.plot.left(), y), QPointF(l.plot.right(), y));
  }
  p.setPen(kFrame);
  const double left = std::round(l.plot.left());
  const double bottom = std::round(l.plot.bottom());
  p.drawLine(QPointF(left, l.plot.top()), QPointF(left, bottom));
  p.drawLine(QPointF(left, bottom), QPointF(l.plot.right(), bottom));
  for (double v : xs) {
    const double x = std::round(ToWidget(l, {v, 0}).x());
    p.drawLine(QPointF(x, bottom), QPointF(x, bottom + kTickLength));
  }
  for (double v : ys) {
    const double y = std::round(ToWidget(l, {0, v}).y());
    p.drawLine(QPointF(left - kTickLength, y), QPointF(left, y));
  }

  p.setPen(kText);
  for (std::size_t i = 0; i < xs.size() && i < x_labels_.size(); ++i) {
    const double x = ToWidget(l, {xs[i], 0}).x();
    const QRectF box(x - 100, bottom + XLabelDrop(fm), 200, fm.height());
    p.drawText(box, Qt::AlignHCenter | Qt::AlignTop, x_labels_[i]);
  }
  for (std::size_t i = 0; i < ys.size() && i < y_labels_.size(); ++i) {
    const double y = ToWidget(l, {0, ys[i]}).y();
    const QRectF box(l.y_title.right(), y - fm.height() / 2,
                     left - kTickLength - kLabelGap - l.y_title.right(), fm.height());
    p.drawText(box, Qt::AlignRight | Qt::AlignVCenter, y_labels_[i]);
  }
  p.setFont(Bold(font()));
  const QFontMetricsF bold(p.font());
  p.drawText(l.x_title, Qt::AlignCenter,
             bold.elidedText(x_title_, Qt::ElideRight, l.x_title.width()));
  p.save();
  p.translate(l.y_title.center());
  p.rotate(-90);
  p.drawText(QRectF(-l.y_title.height() / 2, -l.y_title.width() / 2, l.y_title.height(),
                    l.y_title.width()),
             Qt::AlignCenter, bold.elidedText(y_title_, Qt::ElideRight, l.y_title.height()));
  p.restore();
  p.setFont(font());

  if (!spans_.empty()) {
    const double text_width = fm.horizontalAdvance(legend_text_);
    const double x = l.legend.center().x() - (kSwatch + kLabelGap * 2 + text_width) / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(kShade);
    p.drawRect(QRectF(x, l.legend.center().y() - kSwatch / 2, kSwatch, kSwatch));
    p.setPen(kText);
    p.drawText(
        QRectF(x + kSwatch + kLabelGap * 2, l.legend.top(), text_width + 1, l.legend.height()),
        Qt::AlignLeft | Qt::AlignVCenter, legend_text_);
  }

  p.setRenderHint(QPainter::Antialiasing);
  p.setClipRect(l.plot.adjusted(-1, -1, 1, 1));
  p.setPen(QPen(kCurve, 2));
  p.setBrush(Qt::NoBrush);
  for (const std::vector<QPointF>& line : lines_) {
    if (line.size() == 1) {
      // A point between two failed ones: a dot the width of the line.
      p.setPen(Qt::NoPen);
      p.setBrush(kCurve);
      p.drawEllipse(ToWidget(l, line.front()), 2.0, 2.0);
      p.setPen(QPen(kCurve, 2));
      p.setBrush(Qt::NoBrush);
      continue;
    }
    QPolygonF polyline;
    polyline.reserve(static_cast<qsizetype>(line.size()));
    for (const QPointF& point : line) polyline << ToWidget(l, point);
    p.drawPolyline(polyline);
  }
}

bool ChartView::PointerOnLine(QPointF at, double& temperature) const {
  const Layout l = MakeLayout();
  if (!l.plot.adjusted(-kReach, -kReach, kReach, kReach).contains(at)) return false;
  double nearest = kReach;
  bool found = false;
  for (const std::vector<QPointF>& line : lines_) {
    for (std::size_t i = 0; i < line.size(); ++i) {
      const QPointF a = ToWidget(l, line[i]);
      const QPointF b = i + 1 < line.size() ? ToWidget(l, line[i + 1]) : a;
      const double distance = DistanceToSegment(at, a, b);
      if (distance > nearest) continue;
      nearest = distance;
      found = true;
      // The temperature under the pointer, within the piece of line it is on.
      const double width = l.plot.width();
      double t = axes_.x.min + (at.x() - l.plot.left()) / width * (axes_.x.max - axes_.x.min);
      if (!std::isfinite(t)) t = line[i].x();
      temperature = std::clamp(t, std::min(line[i].x(), line[std::min(i + 1, line.size() - 1)].x()),
                               std::max(line[i].x(), line[std::min(i + 1, line.size() - 1)].x()));
    }
  }
  return found;
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
  double temperature = 0;
  if (pointed_ && PointerOnLine(event->position(), temperature)) pointed_(temperature);
  QWidget::mouseMoveEvent(event);
}

}  // namespace toluvek
