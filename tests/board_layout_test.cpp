

#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

struct PlacedControl {
  std::string name;
  const Control* control;
};

// Everything on the board a click or a glance finds by its place: the
// buttons, the dice, the rows of the card and of the list, the labels.
std::vector<PlacedControl> BoardControls(const Game& game) {
  const TurnView& turn = game.Turn().View();
  const WindowView& window = game.Window().View();
  std::vector<PlacedControl> placed{
      {"throw", &turn.ThrowArea},
      {"undo", &turn.UndoArea},
      {"advice", &turn.AdviceArea},
      {"rolls left", &turn.RollsLeftLabel},
      {"rolls per category", &turn.RollsPerCategoryLabel},
      {"bonus", &turn.BonusLabel},
      {"total", &turn.TotalLabel},
      {"new game", &window.NewGameArea},
      {"quit", &window.QuitArea},
      {"close", &window.CloseSquare},
      {"minimise", &window.MinimiseSquare},
      {"rules", &window.RulesSquare},
      {"language", &window.LanguageArea},
      {"statistics", &window.StatisticsArea},
      {"logo", &window.Logo},
      {"player", &game.Profiles().View().PlayerLabel},
      {"online", &game.Profiles().View().HomeLink},
      {"sound", &game.Sound().View().Switch},
      {"clock", &game.Display().View().Clock},
      {"clear list", &game.TopTen().View().ClearLabel},
  };
  for (int k = 1; k <= kDiceCount; ++k)
    placed.push_back({"die " + std::to_string(k), &turn.DieImages[k]});
  for (int k = 1; k <= kCategoryCount; ++k)
    placed.push_back({"row " + std::to_string(k), &turn.CategoryRows[k]});
  for (int r = 1; r <= kTopTenRows; ++r)
    placed.push_back({"list row " + std::to_string(r), &game.TopTen().View().Rows[r]});
  return placed;
}

// Neighbours drawn edge to edge (the dice, the rows of the card) share at
// most one pixel's line of 15 twips.
constexpr int kPixel = 15;

bool Overlap(const Control& a, const Control& b) {
  const int across = std::min(a.Left + a.Width, b.Left + b.Width) - std::max(a.Left, b.Left);
  const int down = std::min(a.Top + a.Height, b.Top + b.Height) - std::max(a.Top, b.Top);
  return across > kPixel && down > kPixel;
}

// A control left unplaced would take no click, and two that share more than
// an edge would take each other's.
TEST_F(GameTest, EveryControlOfTheBoardHasAPlaceOfItsOwnInsideTheWindow) {
  Start();
  Throw({1, 2, 3, 4, 5, 6});
  const std::vector<PlacedControl> placed = BoardControls(*game);
  for (const PlacedControl& p : placed) {
    const Control& c = *p.control;
    EXPECT_TRUE(c.Width > 0 && c.Height > 0 && c.Left >= 0 && c.Top >= 0 &&
                c.Left + c.Width <= kWindowWidth && c.Top + c.Height <= kWindowHeight)
        << p.name << " at " << c.Left << "," << c.Top << " size " << c.Width << "x" << c.Height;
  }
  for (std::size_t i = 0; i < placed.size(); ++i) {
    for (std::size_t j = i + 1; j < placed.size(); ++j) {
      EXPECT_FALSE(Overlap(*placed[i].control, *placed[j].control))
          << placed[i].name << " and " << placed[j].name;
    }
  }
}

}  // namespace
}  // namespace pyxaro::testing
