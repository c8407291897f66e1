#include "ui/startup_times.h"

#include <QCoreApplication>
#include <QEvent>
#include <QSet>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace pyxaro::ui {

namespace {

using Clock = std::chrono::steady_clock;

struct StartupClock {
  bool on = std::getenv("PYXARO_STARTUP_TIMES") != nullptr;
  Clock::time_point start = Clock::now();
  Clock::time_point last = start;
};

StartupClock& TheClock() {
  static StartupClock clock;
  return clock;
}

double Milliseconds(Clock::duration span) {
  return std::chrono::duration<double, std::milli>(span).count();
}

// Reports the first exposure and the first paint of each window, by name.
class AppearanceWatch : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Expose && watched->isWindowType()) {
      Once(QWidget::find(static_cast<QWindow*>(watched)->winId()), exposed_, "mapped");
    } else if (event->type() == QEvent::Paint && watched->isWidgetType()) {
      auto* widget = static_cast<QWidget*>(watched);
      // The paint is done and on the screen when the event loop next turns.
      if (widget->isWindow() && Once(widget, painting_, "painting")) {
        const QByteArray step = Named("painted", widget);
        QTimer::singleShot(0, [step] { MarkStartup(step.constData()); });
      }
    }
    return false;
  }

 private:
  static QByteArray Named(const char* what, const QWidget* window) {
    return QByteArray(what) + " " + window->objectName().toUtf8() + " \"" +
           window->windowTitle().toUtf8() + "\"";
  }

  static bool Once(QWidget* window, QSet<QObject*>& seen, const char* what) {
    if (window == nullptr || seen.contains(window)) return false;
    seen.insert(window);
    MarkStartup(Named(what, window).constData());
    return true;
  }

  QSet<QObject*> exposed_;
  QSet<QObject*> painting_;
};

}  // namespace

void StartStartupClock() { TheClock(); }

void MarkStartup(const char* step) {
  StartupClock& clock = TheClock();
  if (!clock.on) return;
  const Clock::time_point now = Clock::now();
  std::fprintf(stderr, "startup %8.2f ms %+8.2f ms  %s\n", Milliseconds(now - clock.start),
               Milliseconds(now - clock.last), step);
  clock.last = now;
}

void MarkWindowsAppearing() {
  if (!TheClock().on) return;
  QCoreApplication::instance()->installEventFilter(
      new AppearanceWatch(QCoreApplication::instance()));
}

}  // namespace pyxaro::ui
