#include <gtest/gtest.h>

#include "ui/paint_statistics.h"

namespace pyxaro::ui::paint {
namespace {

// Over every pair of mark places on a plot and names of several widths: the
// names never meet and never leave the plot, and where each fits beside its
// own mark, on its own side, that is where it stands.
TEST(StatisticsChart, MarkNamesNeverMeetNorLeaveThePlotAndStandBesideTheirMarksWhereTheyFit) {
  constexpr qreal kFrom = 100, kTo = 360, kApart = 8, kAside = 3, kSlack = 1e-9;
  for (const qreal firstWidth : {30.0, 70.0, 120.0}) {
    for (const qreal secondWidth : {30.0, 70.0, 120.0}) {
      for (qreal firstX = kFrom; firstX <= kTo; firstX += 2.5) {
        for (qreal secondX = firstX; secondX <= kTo; secondX += 2.5) {
          const MarkNameEdges edges =
              PlaceMarkNames(kFrom, kTo, firstX, firstWidth, secondX, secondWidth);
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
    }
  }
}

}  // namespace
}  // namespace pyxaro::ui::paint
