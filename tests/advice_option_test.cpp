#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

// Whether every throw shows the advice unasked is the player's choice, kept
// in the settings; each switch shows or takes away the advice at once.
TEST_F(GameTest, EveryThrowShowsTheAdviceWhileThePlayerChoosesSo) {
  folder.Write("Pyx4.ini", "[Options]\nShowLangu=No\nShowAdvice=Yes\n");
  Start();
  // Only Yatzy open: five sixes ask for the sixth die to be thrown again.
  OnlyOpen({20});
  const Control& ring = game->main.AdviceDieMarks[6];
  Throw({6, 6, 6, 6, 6, 1});
  EXPECT_TRUE(ring.Visible) << "the stored choice holds from the start";

  game->ToggleAdviceShown();
  EXPECT_EQ(Ini("Options", "ShowAdvice"), "No");
  EXPECT_FALSE(ring.Visible);
  game->PickUp(6);
  Throw({2});
  EXPECT_FALSE(ring.Visible);

  game->ToggleAdviceShown();
  EXPECT_EQ(Ini("Options", "ShowAdvice"), "Yes");
  EXPECT_TRUE(ring.Visible);
  game->PickUp(6);
  Throw({3});
  EXPECT_TRUE(ring.Visible) << "every throw shows it anew";
}

}  // namespace
}  // namespace pyxaro::testing
