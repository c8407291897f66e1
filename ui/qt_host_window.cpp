#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "ui/geometry.h"
#include "ui/qt_host.h"

namespace pyxaro::ui {

namespace {

// The usable part of the window's screen; before the window exists, of the
// screen it will open on.
QRect WorkRect(const QWidget* window) {
  const QScreen* screen = window != nullptr ? window->screen() : QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry() : QRect();
}

int ToPixels(int twips) { return qRound(static_cast<double>(twips) / kTwipsPerPixel); }

}  // namespace

QWidget* QtHost::GameWindow() const { return gameWindow_ ? gameWindow_() : nullptr; }

WorkArea QtHost::ScreenWorkArea() {
  const QRect area = WorkRect(GameWindow());
  return {area.width() * kTwipsPerPixel, area.height() * kTwipsPerPixel};
}

WindowPlace QtHost::GameWindowPlace() {
  QWidget* window = GameWindow();
  if (window == nullptr) return {};
  const QPoint place = window->pos() - WorkRect(window).topLeft();
  return {place.x() * kTwipsPerPixel, place.y() * kTwipsPerPixel};
}

void QtHost::MoveGameWindow(WindowPlace place) {
  QWidget* window = GameWindow();
  if (window == nullptr) return;
  window->move(WorkRect(window).topLeft() + QPoint(ToPixels(place.Left), ToPixels(place.Top)));
}

void QtHost::RestoreGameWindow() {
  QWidget* window = GameWindow();
  if (window == nullptr) return;
  // A window state, not showNormal(): a window still being prepared must
  // not show before the game says so.
  window->setWindowState(window->windowState() &
                         ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

void QtHost::MinimiseGameWindow() {
  if (QWidget* window = GameWindow()) window->showMinimized();
}

}  // namespace pyxaro::ui
