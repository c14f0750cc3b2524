#include "ui/startup_picture.hpp"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPixmap>
#include <QSplashScreen>
#include <QTimer>

namespace toluvek {

std::chrono::nanoseconds ShowStartupPicture(std::chrono::milliseconds time) {
  QSplashScreen picture(QPixmap(":/toluvek/startup.jpg"));
  picture.setObjectName("Form15");
  picture.show();
  picture.repaint();

  // Wait in an event loop that handles nothing but painting and the timer.
  QElapsedTimer waited;
  waited.start();
  QEventLoop loop;
  QTimer::singleShot(time, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  picture.close();
  return std::chrono::nanoseconds(waited.nsecsElapsed());
}

}  // namespace toluvek
