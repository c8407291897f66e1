#include <QImage>
#include <QPainter>

#include "tests/game_fixture.h"
#include "ui/paint_captions.h"

namespace pyxaro::ui {
namespace {

// In every shipped language each word of the game window's picture stays in its room: too long a
// word is shrunk, never cut and never run into its neighbour.
TEST(Captions, EveryCaptionStaysInItsRoomInEveryLanguage) {
  testing::FakeHost host;
  testing::TempFolder folder;
  SettingsStore store(host, folder.Path().string());
  store.Open();
  Languages texts(host, store);
  int languages = 0;
  for (const auto& file : std::filesystem::directory_iterator(testing::ShippedData())) {
    if (file.path().extension() != ".lng") continue;
    ++languages;
    ASSERT_TRUE(
        store.StoreGroup({{"Language", "selected", "1"}, {"Language", "l1p", file.path()}}));
    texts.UseChosenLanguage();
    for (const paint::PaintedCaption& caption : paint::WindowCaptions(texts.Painted())) {
      SCOPED_TRACE(file.path().filename().string() + ": " + caption.text.toStdString());
      QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
      image.fill(Qt::transparent);
      QPainter p(&image);
      p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
      paint::PaintCaption(p, caption);
      p.end();
      // The room's edge pixels take a shade; the drop shadow falls a pixel lower.
      const QRect room = caption.room.adjusted(-1, -1, 1, 2).toAlignedRect();
      const QRect near = room.adjusted(-80, -20, 80, 20) & image.rect();
      for (int y = near.top(); y <= near.bottom(); ++y) {
        for (int x = near.left(); x <= near.right(); ++x) {
          if (qAlpha(image.pixel(x, y)) != 0) {
            ASSERT_TRUE(room.contains(x, y)) << x << "," << y;
          }
        }
      }
    }
  }
  EXPECT_GE(languages, 11);
}

}  // namespace
}  // namespace pyxaro::ui
