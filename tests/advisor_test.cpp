#include "scoring/advisor.h"

#include <random>

#include "scoring/advice_position.h"
#include "scoring/advice_text.h"
#include "scoring/block_values.h"
#include "scoring/categories.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

// The categories of these one-word names.
std::uint32_t Open(const std::string& names) {
  std::uint32_t open = 0;
  for (const Category& c : kCategories) {
    if ((" " + names + " ").find(" " + std::string(c.name) + " ") != std::string::npos)
      open |= 1U << (c.number - 1);
  }
  return open;
}

constexpr std::uint32_t kAllOpen = (1U << 20) - 1;
constexpr std::array<bool, 6> kAllOnTable{true, true, true, true, true, true};

Advisor MakeAdvisor() { return Advisor(blocks::Embedded(), kFittedCorrection); }

// Positions whose answer follows from the rules alone; two more are asked of the game below.
TEST(AdvisorTest, PlaysTheClearCases) {
  using M = AdviceMove;
  const struct {
    const char* why;
    AdvisorPosition position;
    Advice advice;
  } cases[] = {
      {"the turn begins", {{}, {}, kAllOpen, 60, 0, false}, {M::Throw, {}, 0}},
      {"a fresh turn with no roll left", {{}, {}, Open("Ones"), 0, 0, false}, {M::None, {}, 0}},
      {"no roll left: the best points",
       {{6, 6, 1, 6, 6, 6}, kAllOnTable, Open("Ones Sixes Yatzy"), 0, 0, true},
       {M::Enter, {}, 6}},
      {"no roll left and nothing fits",
       {{6, 6, 1, 6, 6, 6}, kAllOnTable, Open("Twos Yatzy"), 0, 0, true},
       {M::None, {}, 0}},
      {"a Yatzy thrown",
       {{4, 4, 4, 4, 4, 4}, kAllOnTable, kAllOpen, 50, 0, true},
       {M::Enter, {}, 20}},
      {"the bonus won by three fours",
       {{4, 4, 4, 6, 6, 6}, kAllOnTable, Open("Fours Chance"), 1, 72, true},
       {M::Enter, {}, 4}},
  };
  for (const auto& c : cases) EXPECT_EQ(MakeAdvisor().Advise(c.position), c.advice) << c.why;
}

// The points of an entry, with the bonus it wins.
int Points(const AdvisorPosition& p, int category) {
  const int points = CategoryValue(category, p.dice);
  return points > 0 && blocks::IsUpper(category) ? points + blocks::BonusWon(p.upperSum, points)
                                                 : points;
}

// The entry of most points, or 0 for none.
int BestPoints(const AdvisorPosition& p) {
  int best = 0;
  for (int k = 1; k <= kCategoryCount; ++k) {
    if ((p.open & (1U << (k - 1))) != 0) best = std::max(best, Points(p, k));
  }
  return best;
}

TEST(AdvisorTest, EveryAdviceIsAMoveTheRulesAllow) {
  std::mt19937 random(19);
  const auto draw = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  int entries = 0, pickUps = 0;
  for (int state = 0; state < 12; ++state) {
    AdvisorPosition p;
    p.open = static_cast<std::uint32_t>(draw(1, static_cast<int>(kAllOpen)));
    p.upperSum = draw(0, 83);
    p.thrown = true;
    Advisor advisor = MakeAdvisor();
    // From the most rolls down, so one plan serves the whole state.
    for (int rolls = 60; rolls >= 0; rolls -= draw(1, 3)) {
      for (int throwNumber = 0; throwNumber < 40; ++throwNumber) {
        p.rollsLeft = rolls;
        for (std::size_t die = 0; die < 6; ++die) {
          p.dice[die] = draw(1, 6);
          p.onTable[die] = draw(0, 3) > 0;
        }
        const Advice advice = advisor.Advise(p);
        const int best = BestPoints(p);
        switch (advice.move) {
          case AdviceMove::Enter:
            ++entries;
            ASSERT_TRUE((p.open & (1U << (advice.category - 1))) != 0 &&
                        CategoryValue(advice.category, p.dice) > 0);
            if (rolls == 0) {
              ASSERT_EQ(Points(p, advice.category), best) << "the game ends with this entry";
            }
            break;
          case AdviceMove::PickUp:
            ++pickUps;
            ASSERT_GT(rolls, 0);
            ASSERT_TRUE(std::count(advice.pickUp.begin(), advice.pickUp.end(), true) > 0 &&
                        (p.open & (1U << (advice.category - 1))) != 0)
                << "picks up a die, aiming at an open category";
            // A die already off the table is thrown before a die of its face that still lies there.
            for (std::size_t die = 0; die < 6; ++die) {
              for (std::size_t other = 0; other < 6; ++other) {
                ASSERT_FALSE(p.dice[die] == p.dice[other] && !p.onTable[die] && p.onTable[other] &&
                             advice.pickUp[other] && !advice.pickUp[die]);
              }
            }
            break;
          case AdviceMove::None:
            ASSERT_EQ(rolls + best, 0);
            break;
          case AdviceMove::Throw:
            FAIL() << "the dice were thrown";
        }
      }
    }
  }
  EXPECT_GT(std::min(entries, pickUps), 1000);
}

// The solved values: with one throw left Chance is worth the mean of six dice and Yatzy a 7776th
// of 100; another open row or another roll left is never worth less.
TEST(AdvisorTest, SolvedValuesAreWhatTheRulesExpect) {
  using namespace blocks;
  const float* v = Embedded();
  EXPECT_NEAR(v[LowerSlot(1 << 12, 1)], 21.0, 1e-3);
  EXPECT_NEAR(v[LowerSlot(1 << 13, 1)], 100.0 / 7776, 1e-5);
  const auto grows = [v](const auto& slot, int sets) {
    for (int rolls = 0; rolls < kRolls; ++rolls) {
      for (int open = 1; open < sets; ++open) {
        const float value = v[slot(open, rolls)] + 1e-3F;
        ASSERT_LE(v[slot(open, std::max(rolls - 1, 0))], value) << open << " " << rolls;
        for (int bit = 1; bit < sets; bit <<= 1)
          ASSERT_LE(v[slot(open & ~bit, rolls)], value) << open << " " << bit << " " << rolls;
      }
    }
  };
  grows([](int open, int rolls) { return LowerSlot(open, rolls); }, kLowerSets);
  for (int sum = 0; sum < kUpperSums; ++sum)
    grows([sum](int open, int rolls) { return UpperSlot(open, sum, rolls); }, kUpperSets);
}

// The advisor is told which dice lie on the table, the upper sum, and whether the throw is spent.
TEST(AdvisorTest, ReadsTheGameAsItStands) {
  GameState state;
  for (int die = 1; die <= kDiceCount; ++die) state.Lying[die] = die % 2 == 1;
  state.Dice[1] = state.Score[1] = 3;
  const AdvisorPosition p = PositionOf(state);
  EXPECT_EQ(std::tuple(p.onTable, p.upperSum, p.thrown),
            std::tuple(std::array{true, false, true, false, true, false}, 3, true));
  state.ThrowEntered = true;
  EXPECT_FALSE(PositionOf(state).thrown);
}

TEST(AdviceTextTest, SaysTheMoveWithTheFacesToKeep) {
  const AdviceWords words{"KEEP", "ENTER", "THROW ALL", "THROW", "NO MOVE"};
  const std::array<int, 6> dice{5, 2, 5, 1, 5, 6};
  const struct {
    Advice advice;
    const char* text;
  } cases[] = {
      {{AdviceMove::PickUp, {false, true, false, true, false, true}, 5}, "KEEP 5 5 5"},
      {{AdviceMove::PickUp, {true, false, true, true, true, true}, 7}, "KEEP 2"},
      {{AdviceMove::PickUp, {false, true, true, false, true, true}, 7}, "KEEP 1 5"},
      {{AdviceMove::PickUp, {true, true, true, true, true, true}, 20}, "THROW ALL"},
      {{AdviceMove::Enter, {}, 16}, "ENTER Hut"},
      {{AdviceMove::Throw, {}, 0}, "THROW"},
      {{AdviceMove::None, {}, 0}, "NO MOVE"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AdviceText(c.advice, dice, words, c.advice.category == 16 ? "Hut" : "?"), c.text);
  }
}

// What the game shows of the advice, and that asking changes nothing in it.
TEST_F(GameTest, AdviceMarksDiceAndRowSaysItAndEndsWithTheNextMove) {
  Start();
  // The open categories, the faces; the dice ringed, the row the arrow stands beside, what the
  // display says.
  const std::tuple<std::vector<int>, std::vector<int>, const char*, int, const char*> cases[] = {
      {{12, 20}, {6, 6, 1, 6, 6, 6}, "001000", 20, "KEEP 6 6 6 6 6"},
      {{15, 20}, {3, 1, 2, 6, 5, 4}, "000000", 15, "ENTER Full straight"}};
  const auto ringed = [this] {
    std::string marks;
    for (const Control& mark : game->Turn().View().AdviceDieMarks)
      marks += std::to_string(mark.Visible);
    return marks;
  };
  for (const auto& [open, faces, rings, row, said] : cases) {
    game->Continue(GameState{});
    OnlyOpen(open, 4);
    Table(faces);
    const GameState before = game->Turn().State();
    game->Do(Command::ShowAdvice);
    EXPECT_EQ(game->Turn().State(), before) << "asking costs nothing";
    const Control& arrow = game->Turn().View().AdviceRowMark;
    EXPECT_EQ(std::tuple(ringed(), arrow.Visible, arrow.Top, Said()),
              std::tuple(rings, true, CategoryRow(row).rowTop + 15, said));
  }
  // A pick-up, a throw and an entry each end the advice on show.
  game->Continue(GameState{});
  OnlyOpen({12, 20});
  Table({6, 6, 1, 6, 6, 6});
  const Control& arrow = game->Turn().View().AdviceRowMark;
  game->Do(Command::ShowAdvice);
  game->Do(Command::PickUp, 3);
  EXPECT_EQ(ringed() + std::to_string(arrow.Visible) + Said(), "0000000");
  game->Do(Command::ShowAdvice);
  Throw({6});
  EXPECT_FALSE(arrow.Visible);
  game->Do(Command::ShowAdvice);
  game->Do(Command::Enter, 20);
  EXPECT_FALSE(arrow.Visible);
  EXPECT_NE(Said(), "ENTER Yatzy");
}

// Whether every throw shows the advice unasked is the player's choice, kept in the settings; each
// switch shows or takes away the advice at once.
TEST_F(GameTest, EveryThrowShowsTheAdviceWhileThePlayerChoosesSo) {
  folder.Write("Pyx4.ini", "[Options]\nShowLangu=No\nShowAdvice=Yes\n");
  Start();
  // Only Yatzy open: five sixes ask for the sixth die to be thrown again.
  OnlyOpen({20});
  const Control& ring = game->Turn().View().AdviceDieMarks[6];
  Throw({6, 6, 6, 6, 6, 1});
  EXPECT_TRUE(ring.Visible) << "the stored choice holds from the start";

  game->Do(Command::ToggleAdvice);
  EXPECT_EQ(Ini("Options", "ShowAdvice"), "No");
  EXPECT_FALSE(ring.Visible);
  game->Do(Command::PickUp, 6);
  Throw({2});
  EXPECT_FALSE(ring.Visible);

  game->Do(Command::ToggleAdvice);
  EXPECT_EQ(Ini("Options", "ShowAdvice"), "Yes");
  EXPECT_TRUE(ring.Visible);
  game->Do(Command::PickUp, 6);
  Throw({3});
  EXPECT_TRUE(ring.Visible) << "every throw shows it anew";
}

}  // namespace
}  // namespace pyxaro::testing
