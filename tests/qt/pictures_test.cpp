#include "ui/pictures.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <functional>

#include "core/forms.h"
#include "ui/geometry.h"

namespace pyxaro::ui {
namespace {

// Die k's pictures fill die k's place on the table.
QSize ExpectedSize(int number) {
  const int set = number / 10;
  const int face = number % 10;
  if (set >= 1 && set <= 6 && face >= 1 && face <= 6)
    return PxRect(TurnView().DieImages[set]).size();
  if (number == 67 || number == 68) return {24, 20};
  if (number == 69) return {17, 13};
  return {};
}

TEST(Pictures, EveryBitmapHasItsSizeAtEachRatioAndOtherNumbersAreNull) {
  for (qreal ratio : {1.0, 2.0}) {
    for (int number = -11; number <= 100; ++number) {
      SCOPED_TRACE(testing::Message() << "bitmap " << number << " at ratio " << ratio);
      const QPixmap pixmap = Bitmap(number, ratio);
      const QSize expected = ExpectedSize(number);
      ASSERT_EQ(pixmap.isNull(), !expected.isValid());
      if (pixmap.isNull()) continue;
      EXPECT_EQ(std::pair(pixmap.deviceIndependentSize().toSize(), pixmap.size()),
                std::pair(expected, expected * ratio));
    }
  }
  // The sound switch shows which way it stands.
  EXPECT_NE(Bitmap(67, 1).toImage(), Bitmap(68, 1).toImage());
}

TEST(Pictures, WindowPicturesHaveTheirSizeAndHideNothingBehindThem) {
  const std::tuple<const char*, std::function<QPixmap(qreal)>, QSize> cases[] = {
      {"background", [](qreal r) { return MainBackground(r, {}); }, {800, 600}},
      {"splash", [](qreal r) { return SplashPicture(r, ""); }, {400, 250}},
  };
  for (const auto& [name, picture, size] : cases) {
    for (qreal ratio : {1.0, 2.0}) {
      SCOPED_TRACE(testing::Message() << name << " at ratio " << ratio);
      const QPixmap pixmap = picture(ratio);
      EXPECT_EQ(std::pair(pixmap.deviceIndependentSize().toSize(), pixmap.size()),
                std::pair(size, size * ratio));
      const QImage image = pixmap.toImage();
      for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
          ASSERT_EQ(image.pixelColor(x, y).alpha(), 255) << "at " << x << "," << y;
    }
  }
}

// Pips are the die's only dark pixels, and every pip is as large as the next.
int DarkPixels(const QImage& image) {
  int dark = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      dark += image.pixelColor(x, y).alpha() > 200 && qGray(image.pixel(x, y)) < 50;
  return dark;
}

TEST(Pictures, EachFaceShowsItsNumberOfPipsOnALooseDie) {
  for (int set = 1; set <= 6; ++set) {
    const QImage one = Bitmap(10 * set + 1, 2).toImage();
    EXPECT_EQ(one.pixelColor(0, 0).alpha(), 0) << "set " << set << " is not cut out";
    const int pip = DarkPixels(one);
    ASSERT_GT(pip, 20) << "set " << set;
    for (int face = 2; face <= 6; ++face) {
      const double pips = double(DarkPixels(Bitmap(10 * set + face, 2).toImage())) / pip;
      EXPECT_NEAR(pips, face, 0.25) << "set " << set << " face " << face;
    }
  }
}

}  // namespace
}  // namespace pyxaro::ui
