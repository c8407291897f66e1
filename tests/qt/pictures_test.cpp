#include "ui/pictures.h"

#include <QImage>
#include <QPainter>

#include "tests/game_fixture.h"
#include "ui/geometry.h"
#include "ui/paint_captions.h"
#include "ui/paint_statistics.h"
#include "ui/paint_tools.h"

namespace pyxaro::ui {
namespace {

// Pips are a die's only dark pixels, and every pip is as large as the next.
int DarkPixels(const QImage& image) {
  int dark = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      dark += image.pixelColor(x, y).alpha() > 200 && qGray(image.pixel(x, y)) < 50;
  return dark;
}

// Every picture keeps its size at each ratio, painted in as many more pixels; the windows' own
// hide nothing behind them, and a die's fills die k's place on the table and shows its number of
// pips on a loose die. Numbers that name no bitmap give none.
TEST(Pictures, EachHasItsSizeAtEveryRatioAndEachFaceItsPips) {
  std::vector<std::tuple<std::string, std::function<QPixmap(qreal)>, QSize>> pictures{
      {"background", [](qreal r) { return MainBackground(r, {}); }, {800, 600}},
      {"splash", [](qreal r) { return SplashPicture(r, ""); }, {400, 250}},
      {"sound on", [](qreal r) { return Bitmap(67, r); }, {24, 20}},
      {"sound off", [](qreal r) { return Bitmap(68, r); }, {24, 20}},
      {"move handle", [](qreal r) { return Bitmap(69, r); }, {17, 13}}};
  for (int number = -11; number <= 100; ++number) {
    const int set = number / 10, face = number % 10;
    if (set >= 1 && set <= 6 && face >= 1 && face <= 6) {
      pictures.emplace_back(
          std::to_string(number), [number](qreal r) { return Bitmap(number, r); },
          PxRect(TurnView().DieImages[set]).size());
      const QImage image = Bitmap(number, 2).toImage();
      const double pip = DarkPixels(Bitmap(10 * set + 1, 2).toImage());
      EXPECT_TRUE(pip > 20 && image.pixelColor(0, 0).alpha() == 0) << number;
      EXPECT_NEAR(DarkPixels(image) / pip, face, 0.25) << number;
    } else if (number < 67 || number > 69) {
      EXPECT_TRUE(Bitmap(number, 1).isNull() && Bitmap(number, 2).isNull()) << number;
    }
  }
  for (const auto& [name, picture, size] : pictures)
    for (const qreal ratio : {1.0, 2.0}) {
      SCOPED_TRACE(::testing::Message() << name << " at ratio " << ratio);
      const QPixmap pixmap = picture(ratio);
      EXPECT_EQ(std::pair(pixmap.deviceIndependentSize().toSize(), pixmap.size()),
                std::pair(size, size * ratio));
      if (size.width() < 400) continue;
      const QImage image = pixmap.toImage();
      for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
          ASSERT_EQ(image.pixelColor(x, y).alpha(), 255) << "at " << x << "," << y;
    }
  // The sound switch shows which way it stands.
  EXPECT_NE(Bitmap(67, 1).toImage(), Bitmap(68, 1).toImage());
}

// Too long a word of the window's picture is shrunk as far as the smallest English word's letters,
// never cut and never run into its neighbour.
TEST(Captions, EveryCaptionStaysInItsRoomInEveryLanguageAndReads) {
  testing::FakeHost host;
  testing::TempFolder folder;
  SettingsStore store(host, folder.Path().string(), std::nullopt);
  store.Open();
  Languages texts(host, store);
  QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
  const auto captionsIn = [&](const std::filesystem::path& file) {
    EXPECT_TRUE(store.StoreGroup({{"Language", "selected", "1"}, {"Language", "l1p", file}}));
    texts.UseChosenLanguage();
    return paint::WindowCaptions(texts.Painted());
  };
  qreal smallestEnglish = 100;
  for (const paint::PaintedCaption& caption : captionsIn(testing::ShippedData() / "english.lng"))
    smallestEnglish = std::min(smallestEnglish, paint::LetterSize(caption, &image));
  int languages = 0;
  for (const auto& file : std::filesystem::directory_iterator(testing::ShippedData())) {
    if (file.path().extension() != ".lng") continue;
    ++languages;
    for (const paint::PaintedCaption& caption : captionsIn(file.path())) {
      SCOPED_TRACE(file.path().filename().string() + ": " + caption.text.toStdString());
      EXPECT_GE(paint::LetterSize(caption, &image), smallestEnglish);
      image.fill(Qt::transparent);
      const QImage blank = image;
      QPainter p(&image);
      p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
      paint::PaintCaption(p, caption);
      // The room's edge pixels take a shade; the drop shadow falls a pixel lower. Cleared, the room
      // leaves nothing painted near it.
      const QRect room = caption.room.adjusted(-1, -1, 1, 2).toAlignedRect();
      p.setCompositionMode(QPainter::CompositionMode_Clear);
      p.fillRect(room, Qt::transparent);
      p.end();
      const QRect near = room.adjusted(-80, -20, 80, 20) & image.rect();
      ASSERT_TRUE(image.copy(near) == blank.copy(near));
    }
  }
  EXPECT_GE(languages, 11);
}

// For every pair of mark places and names of several widths: where each name fits beside its own
// mark, on its own side, it stands there.
TEST(StatisticsChart, MarkNamesNeverMeetNorLeaveThePlotAndStandBesideTheirMarksWhereTheyFit) {
  constexpr qreal kFrom = 100, kTo = 360, kApart = 8, kAside = 3, kSlack = 1e-9;
  for (const qreal firstWidth : {30.0, 70.0, 120.0})
    for (const qreal secondWidth : {30.0, 70.0, 120.0})
      for (qreal firstX = kFrom; firstX <= kTo; firstX += 2.5)
        for (qreal secondX = firstX; secondX <= kTo; secondX += 2.5) {
          const paint::MarkNameEdges edges =
              paint::PlaceMarkNames(kFrom, kTo, firstX, firstWidth, secondX, secondWidth);
          SCOPED_TRACE(::testing::Message()
                       << firstX << " " << firstWidth << ", " << secondX << " " << secondWidth);
          EXPECT_GE(edges.first, kFrom - kSlack);
          EXPECT_LE(edges.second + secondWidth, kTo + kSlack);
          EXPECT_LE(edges.first + firstWidth + kApart, edges.second + kSlack);
          const qreal firstBeside = firstX - kAside - firstWidth;
          const qreal secondBeside = secondX + kAside;
          if (firstBeside >= kFrom && secondBeside + secondWidth <= kTo &&
              firstX - kAside + kApart <= secondBeside) {
            EXPECT_DOUBLE_EQ(edges.first, firstBeside);
            EXPECT_DOUBLE_EQ(edges.second, secondBeside);
          }
        }
}

}  // namespace
}  // namespace pyxaro::ui
