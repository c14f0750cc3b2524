#pragma once
// The plot of the property chart: the model's curve against temperature on a white panel,
// with its title, the axes and their titles, grey spans where the fits are extrapolated and a
// legend naming them. Drawn with QPainter alone, so the window costs only the widgets it shows.

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "tools/chart/chart_axes.hpp"
#include "tools/chart/property_chart.hpp"

namespace toluvek {

class ChartView : public QWidget {
 public:
  explicit ChartView(QWidget* parent = nullptr);

  // Draws `series` from now on, in place of what was drawn.
  void Draw(const ChartSeries& series);

  const QString& title() const { return title_; }
  // The drawn lines, one per run of successful points, as (temperature, value).
  const std::vector<std::vector<QPointF>>& lines() const { return lines_; }
  // The shaded spans, in order; the legend names them when there is one.
  const std::vector<ChartSpan>& spans() const { return spans_; }
  const ChartAxes& axes() const { return axes_; }

  // Where (temperature, value) lands in the widget.
  QPointF ToWidget(QPointF data) const;
  // Runs `pointed` with the temperature under the pointer whenever the pointer moves onto or
  // along a line.
  void OnPointerOnLine(std::function<void(double)> pointed) { pointed_ = std::move(pointed); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  // Where the parts go at the widget's present size and fonts.
  struct Layout {
    QRectF panel;  // the white panel
    QRectF title;
    QRectF plot;  // the axes' frame; the curve is clipped to it
    QRectF x_title;
    QRectF y_title;  // before its quarter turn
    QRectF legend;
  };
  Layout MakeLayout() const;
  QPointF ToWidget(const Layout& layout, QPointF data) const;
  // The temperature of the line point nearest `at` in the widget, when within reach.
  bool PointerOnLine(QPointF at, double& temperature) const;

  QString title_;
  QString x_title_;
  QString y_title_;
  QString legend_text_;
  std::vector<std::vector<QPointF>> lines_;
  std::vector<ChartSpan> spans_;
  ChartAxes axes_;
  std::vector<QString> x_labels_;
  std::vector<QString> y_labels_;
  std::function<void(double)> pointed_;
};

}  // namespace toluvek
