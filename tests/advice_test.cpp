#include <algorithm>
#include <string>
#include <vector>

#include "scoring/advice_position.h"
#include "scoring/block_values.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

class AdviceTest : public GameTest {
 protected:
  void SetUp() override { Start(); }
  // Closes every category but these, each with one point of the score.
  void LeaveOpen(const std::vector<int>& open) {
    for (int k = 1; k <= kCategoryCount; ++k) {
      if (std::find(open.begin(), open.end(), k) == open.end()) game->state.Score[k] = 1;
    }
  }
  std::vector<bool> RingedDice() const {
    std::vector<bool> ringed;
    for (const Control& mark : game->main.AdviceDieMarks) ringed.push_back(mark.Visible);
    return ringed;
  }
};

TEST_F(AdviceTest, MarksDiceAndRowSaysItAndChangesNothingInTheGame) {
  const struct {
    std::vector<int> open;
    std::vector<int> faces;
    std::vector<bool> ringed;
    int row;  // the row the arrow stands beside
    const char* said;
  } cases[] = {
      {{12, 20},
       {6, 6, 1, 6, 6, 6},
       {false, false, true, false, false, false},
       20,
       "KEEP 6 6 6 6 6"},
      {{15, 20},
       {3, 1, 2, 6, 5, 4},
       {false, false, false, false, false, false},
       15,
       "ENTER Full straight"},
  };
  for (const auto& c : cases) {
    game->Restart();
    LeaveOpen(c.open);
    game->state.RollsLeft = 4;
    Table(c.faces);
    // What the view shows is not what the advisor reads.
    for (Control& row : game->main.CategoryRows) row.Enabled = !row.Enabled;
    for (Control& die : game->main.DieImages) die.Visible = false;
    const GameState before = game->state;
    game->ShowAdvice();
    EXPECT_EQ(game->state, before) << "asking costs nothing";
    EXPECT_EQ(RingedDice(), c.ringed) << c.said;
    EXPECT_TRUE(game->main.AdviceRowMark.Visible);
    EXPECT_EQ(game->main.AdviceRowMark.Top, CategoryRow(c.row).rowTop + 15);
    EXPECT_EQ(game->run.Said, c.said);
  }
}

TEST_F(AdviceTest, TheAdviceEndsWithTheNextMove) {
  LeaveOpen({12, 20});
  Table({6, 6, 1, 6, 6, 6});
  game->ShowAdvice();
  game->PickUp(3);
  EXPECT_EQ(RingedDice(), std::vector<bool>(6, false));
  EXPECT_FALSE(game->main.AdviceRowMark.Visible);
  EXPECT_EQ(game->run.Said, "");

  game->ShowAdvice();
  Throw({6});
  EXPECT_FALSE(game->main.AdviceRowMark.Visible);
  game->ShowAdvice();
  game->EnterCategory(20);
  EXPECT_FALSE(game->main.AdviceRowMark.Visible);
  EXPECT_NE(game->run.Said, "ENTER Yatzy");
}

}  // namespace
}  // namespace pyxaro::testing
