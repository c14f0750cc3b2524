#include "ui/startup_picture.hpp"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPixmap>
#include <QSplashScreen>
#include <QTimer>

#include "ui/translation.hpp"

namespace toluvek {

std::chrono::nanoseconds ShowStartupPicture(std::chrono::milliseconds time,
                                            const std::function<void()>& meanwhile) {
  // Its line of description in the language of the run. Made from the image rather than loaded
  // as a pixmap, which Qt would keep in its pixmap cache long after the picture has gone.
  QSplashScreen picture(QPixmap::fromImage(
      QImage(ShowsTranslations() ? ":/toluvek/startup-en.jpg" : ":/toluvek/startup.jpg")));
  picture.setObjectName("Form15");
  picture.show();
  picture.repaint();

  // The timer runs from the paint, so the work below shortens the wait, not lengthens it.
  QElapsedTimer waited;
  waited.start();
  QEventLoop loop;
  QTimer::singleShot(time, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  if (meanwhile) meanwhile();
  // Wait in an event loop that handles nothing but painting and the timer (at once when the
  // work took the whole time already).
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  picture.close();
  return std::chrono::nanoseconds(waited.nsecsElapsed());
}

}  // namespace toluvek
