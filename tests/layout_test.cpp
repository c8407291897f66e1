#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

TEST_F(GameTest, PlaceAllReopensAFinishedScorecard) {
  constexpr int kLabelTop[] = {1550, 1865, 2180, 2490, 2810, 3120, 3440, 3750, 4070, 4380,
                               4710, 5020, 5340, 5640, 5960, 6270, 6590, 6910, 7220, 7530};
  MainForm& m = game->main;
  for (int k = 1; k <= 20; ++k) {
    m.btn[k].Enabled = false;
    m.scr[k].Caption = "12";
    m.scr[k].Top = m.scr[k].Left = 0;
  }
  m.scr_Tot.Caption = "240";
  m.Bonus.Top = m.Indik.Left = 0;

  game->PlaceAll();

  for (int k = 1; k <= 20; ++k) {
    const int top = kLabelTop[k - 1];
    EXPECT_TRUE(m.btn[k].Enabled) << k;
    EXPECT_EQ(m.scr[k].Caption, "") << k;
    EXPECT_EQ(m.scr[k].Top, top) << k;
    EXPECT_EQ(m.scr[k].Left, 11400) << k;
    EXPECT_TRUE(top - m.btn[k].Top >= 50 && top - m.btn[k].Top <= 80) << k;
  }
  EXPECT_EQ(m.scr_Tot.Caption, "240");
  EXPECT_EQ(m.Bonus.Top, 7830);
  EXPECT_EQ(m.Indik.Left, 11880);
}

}  // namespace
}  // namespace pyxaro::testing
