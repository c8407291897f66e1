#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

// Neighbours drawn edge to edge (the dice, the rows of the card) share at most one pixel's line of
// 15 twips.
constexpr int kPixel = 15;

bool Overlap(const Control& a, const Control& b) {
  const int across = std::min(a.Left + a.Width, b.Left + b.Width) - std::max(a.Left, b.Left);
  const int down = std::min(a.Top + a.Height, b.Top + b.Height) - std::max(a.Top, b.Top);
  return across > kPixel && down > kPixel;
}

// Everything a click or a glance finds by its place: a control left unplaced would take no click,
// and two that share more than an edge would take each other's. A failure names the controls by
// their place in the list.
TEST_F(GameTest, EveryControlOfTheBoardHasAPlaceOfItsOwnInsideTheWindow) {
  Start();
  Throw({1, 2, 3, 4, 5, 6});
  const TurnView& turn = Board();
  const WindowView& window = game->Window().View();
  const PlayerView& player = game->Profiles().View();
  const TopTenView& list = game->TopTen().View();
  std::vector<const Control*> placed{&turn.ThrowArea,  &turn.UndoArea,
                                     &turn.AdviceArea, &turn.RollsLeftLabel,
                                     &turn.BonusLabel, &turn.RollsPerCategoryLabel,
                                     &turn.TotalLabel, &player.PlayerLabel,
                                     &player.HomeLink, &list.ClearLabel};
  placed.insert(placed.end(),
                {&window.NewGameArea, &window.QuitArea, &window.CloseSquare, &window.MinimiseSquare,
                 &window.RulesSquare, &window.LanguageArea, &window.StatisticsArea, &window.Logo,
                 &game->Sound().View().Switch, &game->Display().View().Clock});
  for (int k = 1; k <= kDiceCount; ++k) placed.push_back(&turn.DieImages[k]);
  for (int k = 1; k <= kCategoryCount; ++k) placed.push_back(&turn.CategoryRows[k]);
  for (int r = 1; r <= kTopTenRows; ++r) placed.push_back(&list.Rows[r]);
  for (std::size_t i = 0; i < placed.size(); ++i) {
    const Control& c = *placed[i];
    EXPECT_TRUE(c.Width > 0 && c.Height > 0 && c.Left >= 0 && c.Top >= 0 &&
                c.Left + c.Width <= kWindowWidth && c.Top + c.Height <= kWindowHeight)
        << "control " << i << " at " << c.Left << "," << c.Top << " size " << c.Width << "x"
        << c.Height;
    for (std::size_t j = i + 1; j < placed.size(); ++j)
      EXPECT_FALSE(Overlap(c, *placed[j])) << "controls " << i << " and " << j;
  }
}

}  // namespace
}  // namespace pyxaro::testing
