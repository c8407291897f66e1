#include <cmath>

#include "core/rolls_per_category.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

TEST(RollsPerCategoryTextTest, TwoDecimalsHalvesToEvenNoTrailingZeros) {
  const std::tuple<int, int, const char*> cases[] = {
      {59, 20, "2.95"}, {60, 20, "3"},  {1, 2, "0.5"}, {1, 8, "0.12"}, {3, 8, "0.38"},
      {1, 40, "0.02"},  {2, 3, "0.67"}, {0, 5, "0"},   {-1, 5, ""},    {5, 0, ""}};
  for (const auto& [rolls, categories, shown] : cases)
    EXPECT_EQ(RollsPerCategoryText(rolls, categories), shown) << rolls << "/" << categories;
}

class TurnTest : public GameTest {
 protected:
  void SetUp() override {
    Start();
    host.played.clear();
  }
  // The picture each die shows (0 for a hidden one), the rolls per category and left, and T and U
  // while the throw and the undo are on.
  std::string Shown() const {
    const TurnView& m = Board();
    std::string shown;
    for (const Control& die : m.DieImages)
      shown += std::to_string(die.Visible ? die.Picture : 0) + " ";
    return shown + m.RollsPerCategoryLabel.Caption + " " + m.RollsLeftLabel.Caption + " " +
           (m.ThrowArea.Enabled ? "T" : "") + (m.UndoArea.Enabled ? "U" : "");
  }
};

TEST_F(TurnTest, ThrowPickUpUndoAndThrowAgain) {
  Throw({1, 2, 3, 4, 5, 6});
  EXPECT_EQ(Shown(), "11 22 33 44 55 66 2.95 59 ");
  const TurnView& view = Board();
  EXPECT_TRUE(view.PlayClock.Enabled() &&
              view.RollsPerCategoryLabel.ForeColor == colour::LightBlue);
  game->Do(Command::Throw);  // locked until a die is picked up
  EXPECT_EQ(game->Turn().State().RollsLeft, 59);
  for (const int k : {2, 5, 5, 0, 7}) game->PickUp(Die{k});
  EXPECT_EQ(Shown(), "11 0 33 44 0 66 2.95 59 TU");
  game->Do(Command::Undo);
  EXPECT_EQ(Shown(), "11 22 33 44 55 66 2.95 59 ");
  game->PickUp(Die{2});
  game->PickUp(Die{5});
  Throw({6, 1});
  EXPECT_EQ(game->Turn().State().Dice.items, (std::array<int, 6>{1, 6, 3, 4, 1, 6}));
  EXPECT_EQ(Shown(), "11 26 33 44 51 66 2.9 58 ");
  Table({3, 3, 3, 3, 3, 3});
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"dice.wav", "pop.wav", "dice.wav", "dice.wav",
                                                "Yahoo2.wav"}));
  EXPECT_EQ(Said(), TestText(4));  // six alike
}

// Each advice ring lies in its own die's picture and short of its neighbour's, so no two cross.
TEST(TurnViewTest, EachAdviceRingKeepsToItsDiesPlace) {
  const TurnView view;
  for (int k = 1; k <= kDiceCount; ++k) {
    const Control& ring = view.AdviceDieMarks[k];
    const Control& die = view.DieImages[k];
    EXPECT_TRUE(ring.Left >= die.Left && ring.Left + ring.Width <= die.Left + die.Width &&
                ring.Top >= die.Top && ring.Top + ring.Height <= die.Top + die.Height &&
                ring.Width * 10 >= die.Width * 9)
        << "ring " << k;
    if (k < kDiceCount) {
      EXPECT_LE(ring.Left + ring.Width, view.AdviceDieMarks[k + 1].Left);
    }
  }
}

TEST(SeededDiceTest, FacesAreEvenAndDependOnTheSeedRollAndDieAlone) {
  const SeededDice dice;
  std::array<int, kDiceFaces> counts{};
  for (std::uint64_t seed = 0; seed < 1000; ++seed) {
    for (int roll = 1; roll <= 10; ++roll) {
      for (const int face : dice.Roll(seed, roll)) ++counts.at(static_cast<std::size_t>(face - 1));
    }
  }
  // 10000 each, give or take five standard deviations.
  for (const int count : counts) EXPECT_NEAR(count, 10000, 460);

  for (unsigned seed = 0; seed < 200; ++seed) {
    std::map<std::pair<int, int>, int> seen;  // roll and die: the face thrown
    int shared = 0;
    for (const unsigned player : {seed, seed + 1000}) {
      RandomPlayer random(player);
      GameState state;
      for (const Move& move : PlayGame(random, dice, seed).moves) {
        for (int die = 1; die <= kDiceCount && move.kind == Move::Kind::Throw; ++die) {
          if (state.OnTable(die)) continue;
          const auto [face, fresh] = seen.try_emplace({NextRoll(state), die}, move.faces[die]);
          ASSERT_EQ(face->second, move.faces[die]) << seed;
          shared += fresh ? 0 : 1;
        }
        state = *pyxaro::Played(state, move);
      }
    }
    ASSERT_GT(shared, 0);
  }
}

TEST(MixingRandomTest, DrawsFillTheUnitIntervalEvenlyAndEveryReseedMovesOn) {
  MixingRandom chance;
  chance.Reseed(3600.25);
  std::array<int, 6> sixths{};
  for (int i = 0; i < 60000; ++i) {
    const double draw = chance.Next();
    ASSERT_TRUE(draw >= 0 && draw < 1) << draw;
    ++sixths.at(static_cast<std::size_t>(draw * 6));
  }
  // 10000 each, give or take five standard deviations.
  for (const int count : sixths) EXPECT_NEAR(count, 10000, 460);
  // Two throws within one tick of the clock still differ.
  chance.Reseed(7.5);
  const double first = chance.Next();
  chance.Reseed(7.5);
  EXPECT_NE(chance.Next(), first);
}

TEST_F(TurnTest, TheLastRollIsToldAndTheGameEndsWhenItsThrowFitsNowhere) {
  const TurnView& view = Board();
  OnlyOpen({20}, 1);
  Throw({1, 2, 3, 4, 5, 6});
  EXPECT_EQ(Said(), TestText(3));
  EXPECT_TRUE(view.GameEndTimer.Enabled() && !view.ThrowArea.Enabled);
  OnlyOpen({14});
  Table({2, 3, 4, 5, 6, 6});
  EXPECT_FALSE(view.GameEndTimer.Enabled());
  game->Enter(CategoryNumber{14});
  EXPECT_TRUE(view.GameEndTimer.Enabled() && !view.ThrowArea.Enabled);
}

TEST_F(TurnTest, PlayClockStopsAtItsTop) {
  GameState state;
  state.PlaySeconds = 32766;
  Continue(state);
  for (int tick = 0; tick < 2; ++tick) game->Do(Command::PlayClockTick);
  EXPECT_EQ(game->Turn().State().PlaySeconds, 32767);
}

}  // namespace
}  // namespace pyxaro::testing
