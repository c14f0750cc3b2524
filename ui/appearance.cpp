#include "ui/appearance.hpp"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QStyleFactory>

namespace toluvek {
namespace {

constexpr double kFontPoints = 9;  // pt

}  // namespace

void ApplyAppearance(QApplication& app) {
  if (QStyle* fusion = QStyleFactory::create("Fusion")) QApplication::setStyle(fusion);
  QFont font = QApplication::font();
  // Proportional Japanese gothics first; fontconfig falls back to any CJK font.
  font.setFamilies({"IPAPGothic", "IPAGothic", "Noto Sans CJK JP", "VL PGothic", "TakaoPGothic",
                    "Droid Sans Fallback", "Sans Serif"});
  font.setPointSizeF(kFontPoints);
  QApplication::setFont(font);

  QIcon icon;
  for (int size : {16, 32, 48, 64, 128, 256}) {
    icon.addFile(QString(":/toluvek/toluvek-%1.png").arg(size), QSize(size, size));
  }
  app.setWindowIcon(icon);
}

}  // namespace toluvek
