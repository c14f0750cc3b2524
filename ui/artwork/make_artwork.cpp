// Paints the program's artwork: the start-up picture (404 x 72 JPEG; in Japanese, and in English
// for an English run) and the icon at the sizes a Linux desktop asks for. Run by hand when the
// artwork changes; the results are committed:
//   toluvek-artwork <output folder>
// The emblem is a cluster of three gas molecules of different sizes and colours, the mixture
// the program describes.

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>

#include "main/version.hpp"

namespace {

struct Sphere {
  double x, y, r;  // centre and radius as fractions of the emblem's size
  QColor colour;
};

// Blue nitrogen, red oxygen, a small pale hydrogen: air with a trace of fuel.
const Sphere kSpheres[] = {
    {0.40, 0.58, 0.25, QColor(66, 133, 214)},
    {0.66, 0.36, 0.19, QColor(226, 83, 74)},
    {0.70, 0.70, 0.12, QColor(236, 240, 244)},
};

void PaintSphere(QPainter& painter, QPointF centre, double radius, const QColor& colour) {
  QRadialGradient shade(centre + QPointF(-radius * 0.35, -radius * 0.4), radius * 1.35);
  shade.setColorAt(0.0, colour.lighter(175));
  shade.setColorAt(0.45, colour);
  shade.setColorAt(1.0, colour.darker(190));
  painter.setPen(QPen(colour.darker(230), radius * 0.06));
  painter.setBrush(shade);
  painter.drawEllipse(centre, radius, radius);
}

// The emblem inside the square `box`: a rounded badge holding the molecule cluster.
void PaintEmblem(QPainter& painter, const QRectF& box) {
  const double size = box.width();
  QPainterPath badge;
  badge.addRoundedRect(box.adjusted(size * 0.02, size * 0.02, -size * 0.02, -size * 0.02),
                       size * 0.22, size * 0.22);
  QLinearGradient fill(box.topLeft(), box.bottomRight());
  fill.setColorAt(0.0, QColor(38, 166, 154));
  fill.setColorAt(1.0, QColor(16, 82, 120));
  painter.setPen(QPen(QColor(255, 255, 255, 90), size * 0.025));
  painter.setBrush(fill);
  painter.drawPath(badge);

  // Bonds behind the spheres.
  painter.setPen(QPen(QColor(255, 255, 255, 160), size * 0.05, Qt::SolidLine, Qt::RoundCap));
  const auto at = [&](const Sphere& s) {
    return QPointF(box.left() + s.x * size, box.top() + s.y * size);
  };
  painter.drawLine(at(kSpheres[0]), at(kSpheres[1]));
  painter.drawLine(at(kSpheres[0]), at(kSpheres[2]));
  for (const Sphere& s : kSpheres) PaintSphere(painter, at(s), s.r * size, s.colour);
}

QImage Icon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  PaintEmblem(painter, QRectF(0, 0, size, size));
  return image;
}

// The start-up picture, with the program's line of description in one language.
QImage StartupPicture(const QString& description) {
  const QSize size(404, 72);
  QImage image(size, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);

  QLinearGradient sky(0, 0, size.width(), size.height());
  sky.setColorAt(0.0, QColor(11, 37, 69));
  sky.setColorAt(0.6, QColor(19, 60, 100));
  sky.setColorAt(1.0, QColor(24, 110, 128));
  painter.fillRect(image.rect(), sky);

  // Faint rising bubbles on the right: gas, not liquid, but they read as "fluid" at a glance.
  painter.setPen(Qt::NoPen);
  const struct {
    double x, y, r;
  } kBubbles[] = {{352, 18, 9}, {378, 44, 14}, {330, 56, 6}, {396, 12, 5}, {312, 24, 4}};
  for (const auto& b : kBubbles) {
    painter.setBrush(QColor(255, 255, 255, 22));
    painter.drawEllipse(QPointF(b.x, b.y), b.r, b.r);
  }

  PaintEmblem(painter, QRectF(10, 8, 56, 56));

  QFont name("DejaVu Sans");
  name.setPixelSize(31);
  name.setBold(true);
  name.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
  painter.setFont(name);
  painter.setPen(QColor(0, 0, 0, 90));
  painter.drawText(QPointF(81, 39), "Toluvek");
  painter.setPen(QColor(250, 252, 255));
  painter.drawText(QPointF(80, 38), "Toluvek");

  painter.setPen(QPen(QColor(38, 166, 154), 2));
  painter.drawLine(QPointF(81, 46), QPointF(236, 46));

  QFont subtitle("IPAPGothic");
  subtitle.setPixelSize(12);
  painter.setFont(subtitle);
  painter.setPen(QColor(190, 215, 235));
  painter.drawText(QPointF(81, 62), description);

  QFont version("DejaVu Sans");
  version.setPixelSize(10);
  painter.setFont(version);
  painter.setPen(QColor(160, 190, 215));
  painter.drawText(QRectF(0, 0, size.width() - 10, size.height() - 8),
                   Qt::AlignRight | Qt::AlignBottom, toluvek::kVersionText);
  return image;
}

bool Save(const QImage& image, const QString& path, const char* format, int quality = -1) {
  if (image.save(path, format, quality)) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: toluvek-artwork <output folder>\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  bool ok = Save(StartupPicture(QString::fromUtf8("理想気体混合物の物性計算")),
                 out.filePath("startup.jpg"), "JPEG", 92);
  ok = Save(StartupPicture("Properties of ideal-gas mixtures"), out.filePath("startup-en.jpg"),
            "JPEG", 92) &&
       ok;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    ok = Save(Icon(size), out.filePath(QString("toluvek-%1.png").arg(size)), "PNG") && ok;
  }
  return ok ? 0 : 1;
}
