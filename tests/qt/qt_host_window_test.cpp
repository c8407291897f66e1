#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "ui/qt_host.h"

namespace pyxaro::testing {
namespace {

TEST(QtHostWindowTest, PlacesInTwipsFromTheWorkAreaAndRestoresWithoutShowing) {
  ui::QtHost host;
  QWidget window;
  host.SetGameWindow([&window] { return &window; });
  const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(host.ScreenWorkArea().Width, work.width() * 15);
  EXPECT_EQ(host.ScreenWorkArea().Height, work.height() * 15);

  // Twips to pixels round to the nearest, also to the left of the area.
  for (const auto& [place, pixels] : {std::pair{WindowPlace{1680, 600}, QPoint(112, 40)},
                                      {WindowPlace{-1695, 8}, QPoint(-113, 1)},
                                      {WindowPlace{0, 0}, QPoint(0, 0)}}) {
    host.MoveGameWindow(place);
    EXPECT_EQ(window.pos(), work.topLeft() + pixels);
  }
  host.MoveGameWindow({270, 450});
  EXPECT_EQ(host.GameWindowPlace(), (WindowPlace{270, 450}));

  // A window being prepared leaves a minimised state but stays hidden until the game shows it.
  window.setWindowState(Qt::WindowMinimized | Qt::WindowMaximized);
  host.RestoreGameWindow();
  EXPECT_EQ(window.windowState(), Qt::WindowNoState);
  EXPECT_FALSE(window.isVisible());

  window.show();
  host.MinimiseGameWindow();
  EXPECT_TRUE(window.windowState() & Qt::WindowMinimized);
  host.RestoreGameWindow();
  EXPECT_EQ(window.windowState(), Qt::WindowNoState);
  EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace pyxaro::testing
