#pragma once
// Window positions and sizes are given in twips (1/1440 inch). The screen's logical DPI
// turns them into pixels: 15 twips per pixel at 96 dpi.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace toluvek {

inline constexpr int kTwipsPerInch = 1440;

// Twips along one axis to pixels at `dpi` dots per inch, rounded to the nearest pixel.
int TwipsToPixels(int twips, double dpi);
// Pixels to twips at `dpi`, rounded to the nearest twip.
int PixelsToTwips(int pixels, double dpi);

// The scale of one window: the logical DPI of the screen it is on (or of the primary screen
// before it is shown).
class TwipScale {
 public:
  explicit TwipScale(const QWidget* widget);
  TwipScale(double dpi_x, double dpi_y) : dpi_x_(dpi_x), dpi_y_(dpi_y) {}

  int X(int twips) const { return TwipsToPixels(twips, dpi_x_); }
  int Y(int twips) const { return TwipsToPixels(twips, dpi_y_); }
  QPoint Point(int x, int y) const { return {X(x), Y(y)}; }
  QSize Size(int width, int height) const { return {X(width), Y(height)}; }
  QRect Rect(int left, int top, int width, int height) const {
    return {Point(left, top), Size(width, height)};
  }
  // A position in pixels as twips.
  int TwipsX(int pixels) const { return PixelsToTwips(pixels, dpi_x_); }
  int TwipsY(int pixels) const { return PixelsToTwips(pixels, dpi_y_); }

 private:
  double dpi_x_;
  double dpi_y_;
};

}  // namespace toluvek
