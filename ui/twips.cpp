#include "ui/twips.hpp"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace toluvek {
namespace {

constexpr double kFallbackDpi = 96;  // dots per inch when no screen is known

}  // namespace

int TwipsToPixels(int twips, double dpi) {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

int PixelsToTwips(int pixels, double dpi) {
  return static_cast<int>(std::lround(pixels * kTwipsPerInch / dpi));
}

TwipScale::TwipScale(const QWidget* widget) : dpi_x_(kFallbackDpi), dpi_y_(kFallbackDpi) {
  const QScreen* screen = widget != nullptr ? widget->screen() : QGuiApplication::primaryScreen();
  if (screen != nullptr && screen->logicalDotsPerInchX() > 0 && screen->logicalDotsPerInchY() > 0) {
    dpi_x_ = screen->logicalDotsPerInchX();
    dpi_y_ = screen->logicalDotsPerInchY();
  }
}

}  // namespace toluvek
