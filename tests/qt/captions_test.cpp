#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <filesystem>

#include "core/game.h"
#include "tests/fake_host.h"
#include "tests/game_fixture.h"
#include "ui/paint_captions.h"

namespace pyxaro::ui {
namespace {

// The bounds of the ink painted near a room.
QRect Ink(const QImage& image, const QRect& room) {
  const QRect near = room.adjusted(-80, -20, 80, 20) & image.rect();
  QRect ink;
  for (int y = near.top(); y <= near.bottom(); ++y) {
    for (int x = near.left(); x <= near.right(); ++x) {
      if (qAlpha(image.pixel(x, y)) != 0) ink |= QRect(x, y, 1, 1);
    }
  }
  return ink;
}

// In every shipped language each word of the game window's picture stays in
// its room: a longer word is shrunk, never cut and never run into its neighbour.
TEST(Captions, EveryCaptionStaysInItsRoomInEveryLanguage) {
  testing::FakeHost host;
  testing::ScriptedDice dice;
  Game game(host, dice, testing::ShippedData().string());
  int languages = 0;
  for (const auto& file : std::filesystem::directory_iterator(testing::ShippedData())) {
    if (file.path().extension() != ".lng") continue;
    ++languages;
    game.run.LanguageFile = file.path().string();
    game.PresentPaintedTexts();
    for (const paint::PaintedCaption& caption : paint::WindowCaptions(game.main.Painted)) {
      SCOPED_TRACE(file.path().filename().string() + ": " + caption.text.toStdString());
      QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
      image.fill(Qt::transparent);
      {
        QPainter p(&image);
        p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        paint::PaintCaption(p, caption);
      }
      // Edge pixels are shaded by the room's own fractions; the drop shadow
      // falls one pixel below.
      const QRect room = caption.room.adjusted(-1, -1, 1, 2).toAlignedRect();
      const QRect ink = Ink(image, room);
      EXPECT_FALSE(ink.isEmpty());
      EXPECT_TRUE(room.contains(ink))
          << "ink " << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
    }
  }
  EXPECT_GE(languages, 11);
}

}  // namespace
}  // namespace pyxaro::ui
