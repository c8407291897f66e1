#include "scoring/advisor.h"

#include <cmath>

#include "scoring/advice_position.h"
#include "scoring/advice_text.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

constexpr std::uint32_t kAllOpen = (1U << kCategoryCount) - 1;

// Numbers drawn from one seed, and positions after a throw with any rows open and any upper sum.
struct Draws {
  std::mt19937 random;
  int operator()(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  }
  AdvisorPosition Thrown() {
    AdvisorPosition p;
    p.open = static_cast<std::uint32_t>((*this)(1, static_cast<int>(kAllOpen)));
    p.upperSum = (*this)(0, 83);
    p.thrown = true;
    return p;
  }
};

bool IsOpen(const AdvisorPosition& p, int k) {
  return k >= 1 && k <= kCategoryCount && ((p.open >> (k - 1)) & 1U);
}

// The points an entry of the dice into row k makes, with the bonus they win; none in a closed row.
int EntryPoints(const AdvisorPosition& p, int k) {
  const int value = IsOpen(p, k) ? CategoryValue(k, p.dice) : 0;
  return value > 0 && blocks::IsUpper(k) ? value + blocks::BonusWon(p.upperSum, value) : value;
}

// Positions whose answer follows from the rules alone.
TEST(AdvisorTest, PlaysTheClearCases) {
  using M = AdviceMove;
  const std::array<bool, 6> all{true, true, true, true, true, true};
  const std::tuple<const char*, AdvisorPosition, Advice> cases[] = {
      {"the turn begins", {{}, {}, kAllOpen, 60, 0, false}, {M::Throw, {}, 0}},
      {"a fresh turn with no roll left", {{}, {}, 1U, 0, 0, false}, {M::None, {}, 0}},
      {"no roll left, Twos open", {{6, 6, 1, 6, 6, 6}, all, 2U, 0, 0, true}, {M::None, {}, 0}},
      {"a Yatzy thrown", {{4, 4, 4, 4, 4, 4}, all, kAllOpen, 50, 0, true}, {M::Enter, {}, 20}},
      {"Fours win the bonus, Chance open",
       {{4, 4, 4, 6, 6, 6}, all, (1U << 3) | (1U << 18), 1, 72, true},
       {M::Enter, {}, 4}},
  };
  for (const auto& [why, position, advice] : cases)
    EXPECT_EQ(TheAdvisor().Advise(position), advice) << why;
}

// A pick-up throws a die already off the table before one of its face that lies there.
TEST(AdvisorTest, EveryAdviceIsAMoveTheRulesAllow) {
  Draws draw{std::mt19937(19)};
  int entries = 0, pickUps = 0;
  for (int state = 0; state < 12; ++state) {
    AdvisorPosition p = draw.Thrown();
    // From the most rolls down, so one plan serves the whole state.
    for (int rolls = 60; rolls >= 0; rolls -= draw(1, 3)) {
      for (int throwNumber = 0; throwNumber < 40; ++throwNumber) {
        p.rollsLeft = rolls;
        for (std::size_t die = 0; die < 6; ++die) {
          p.dice[die] = draw(1, 6);
          p.onTable[die] = draw(0, 3) > 0;
        }
        const Advice advice = TheAdvisor().Advise(p);
        int best = 0;
        for (int k = 1; k <= kCategoryCount; ++k) best = std::max(best, EntryPoints(p, k));
        ASSERT_EQ(advice.move == AdviceMove::None, rolls + best == 0);
        ASSERT_NE(advice.move, AdviceMove::Throw) << "the dice were thrown";
        if (advice.move == AdviceMove::Enter) {
          ++entries;
          ASSERT_TRUE(EntryPoints(p, advice.category) > 0 &&
                      (rolls > 0 || EntryPoints(p, advice.category) == best));
        } else if (advice.move == AdviceMove::PickUp) {
          ++pickUps;
          ASSERT_TRUE(rolls > 0 && IsOpen(p, advice.category) &&
                      std::ranges::count(advice.pickUp, true) > 0);
          for (std::size_t die = 0; die < 6; ++die)
            for (std::size_t other = 0; other < 6; ++other)
              ASSERT_FALSE(p.dice[die] == p.dice[other] && !p.onTable[die] && p.onTable[other] &&
                           advice.pickUp[other] && !advice.pickUp[die]);
        }
      }
    }
  }
  EXPECT_GT(std::min(entries, pickUps), 1000);
}

// With one throw left Chance is worth the mean of six dice and Yatzy a 7776th of 100.
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

// With many rolls left the next turn is planned over the throws it most likely takes: close to the
// exact value, not equal to it.
TEST(AdvisorTest, AnEntryIsValuedByPlanningTheNextTurn) {
  Draws draw{std::mt19937(5)};
  Advisor& ahead = TheAdvisor();
  Advisor oneTurn(blocks::Embedded(), kFittedCorrection, Advisor::Foresight::ThisTurn);
  double largestGap = 0;
  double gaps = 0;
  int entries = 0;
  for (int state = 0; state < 40; ++state) {
    AdvisorPosition p = draw.Thrown();
    p.rollsLeft = state < 20 ? draw(1, 12) : draw(13, 60);
    p.onTable.fill(true);
    for (int& face : p.dice) face = draw(1, 6);
    for (int k = 1; k <= kCategoryCount; ++k) {
      if (EntryPoints(p, k) == 0) continue;
      const int points = CategoryValue(k, p.dice);
      const int sum = blocks::IsUpper(k) ? blocks::SumAfter(p.upperSum, points) : p.upperSum;
      const float exact = static_cast<float>(EntryPoints(p, k)) +
                          oneTurn.TurnValue(p.open & ~(1U << (k - 1)), sum, p.rollsLeft);
      const double gap = std::abs(ahead.EntryValue(p, k) - exact);
      if (state < 20) {
        ASSERT_NEAR(ahead.EntryValue(p, k), exact, 1e-3) << state << " " << k;
      } else {
        largestGap = std::max(largestGap, gap);
        gaps += gap;
        ++entries;
      }
    }
  }
  EXPECT_LT(largestGap, 3.0);
  EXPECT_LT(gaps / entries, 0.3);
  EXPECT_GT(largestGap, 0.0) << "many rolls left: the next turn is planned over some of them";
}

// That a throw entered is spent, the game's advice after an entry shows.
TEST(AdvisorTest, ReadsTheGameAsItStands) {
  GameState state;
  for (int die = 1; die <= kDiceCount; ++die) state.Lying[die] = die % 2 == 1;
  state.Dice[1] = state.Score[1] = 3;
  const AdvisorPosition p = PositionOf(state);
  EXPECT_EQ(std::tuple(p.onTable, p.upperSum, p.thrown),
            std::tuple(std::array{true, false, true, false, true, false}, 3, true));
}

TEST(AdviceTextTest, SaysTheMoveWithTheFacesToKeep) {
  const AdviceWords words{"KEEP", "ENTER", "THROW ALL", "THROW", "NO MOVE"};
  const std::pair<Advice, const char*> cases[] = {
      {{AdviceMove::PickUp, {true, false, true, true, true, true}, 7}, "KEEP 2"},
      {{AdviceMove::PickUp, {false, true, true, false, true, true}, 7}, "KEEP 15"},
      {{AdviceMove::PickUp, {true, true, true, true, true, true}, 20}, "THROW ALL"},
      {{AdviceMove::Enter, {}, 16}, "ENTER Hut"},
      {{AdviceMove::Throw, {}, 0}, "THROW"},
      {{AdviceMove::None, {}, 0}, "NO MOVE"}};
  for (const auto& [advice, text] : cases)
    EXPECT_EQ(AdviceText(advice, {5, 2, 5, 1, 5, 6}, words, "Hut"), text);
}

TEST_F(GameTest, AdviceMarksDiceAndRowSaysItAndEndsWithTheNextMove) {
  Store({{"Options", "ShowAdvice", "Yes"}});
  Start();
  const TurnView& view = Board();
  // The dice ringed, the row the arrow stands beside, what the display says.
  const auto shown = [&] {
    std::string marks;
    for (const Control& mark : view.AdviceDieMarks) marks += std::to_string(mark.Visible);
    const Control& arrow = view.AdviceRowMark;
    return marks + " " + (arrow.Visible ? std::to_string(arrow.Top) : "-") + " " + Said();
  };
  const auto row = [](int k) { return std::to_string(CategoryRow(k).rowTop + 15); };
  // The rings stand round the faces the words name.
  const std::string keep = "110111 " + row(20) + " KEEP 66666";
  // The open categories, the faces, and the advice shown.
  const std::tuple<std::vector<int>, std::vector<int>, std::string> cases[] = {
      {{15, 20}, {3, 1, 2, 6, 5, 4}, "000000 " + row(15) + " ENTER Full straight"},
      {{12, 20}, {6, 6, 1, 6, 6, 6}, keep}};
  for (const auto& [open, faces, advice] : cases) {
    Continue(GameState{});
    OnlyOpen(open, 4);
    Table(faces);
    EXPECT_EQ(shown(), advice) << "the stored choice holds from the start";
    const GameState before = game->Turn().State();
    game->Do(Command::ShowAdvice);
    EXPECT_EQ(std::pair(game->Turn().State(), shown()), std::pair(before, advice));
  }
  // Switched off, the advice goes at once, and only shows when asked for until the next move; the
  // display then says again what it said before (the greeting).
  game->Do(Command::ToggleAdvice);
  EXPECT_EQ(Ini("Options", "ShowAdvice") + shown(), "No000000 - " + TestText(0));
  game->Do(Command::ShowAdvice);
  game->PickUp(Die{3});
  EXPECT_EQ(shown(), "000000 - " + TestText(0));
  game->Do(Command::ShowAdvice);
  Throw({6});
  EXPECT_EQ(shown(), "000000 - " + TestText(4));
  game->Do(Command::ShowAdvice);
  game->Enter(CategoryNumber{20});
  EXPECT_EQ(shown(), "000000 - yatzy! + 100");
  // Switched on, it shows at once, after an entry the throw of all six, and after every throw.
  game->Do(Command::ToggleAdvice);
  EXPECT_EQ(Ini("Options", "ShowAdvice") + shown(), "Yes000000 - THROW");
  Throw({6, 6, 6, 6, 6, 1});
  EXPECT_TRUE(view.AdviceRowMark.Visible);
}

// Two games on the same dice, one asked for advice before every move: the advice leaves the display
// as the move would have found it.
TEST_F(GameTest, AfterAdviceEachMoveShowsWhatItShowsUnadvised) {
  OtherCopy other(folder, host.now);
  Game& advised = *other.game;
  Start();
  std::mt19937 chance(7);
  for (int move = 0; move < 4000; ++move) {
    if (move % 40 == 0) {
      // Both games throw the dice of one seed.
      Continue(GameState{});
      GameSetUp::Continue(advised, GameState{});
    }
    const Move played = AnyMove(chance, game->Turn().State());
    const GameState before = game->Turn().State();
    advised.Do(Command::ShowAdvice);
    Click(*game, played);
    Click(advised, played);
    ASSERT_EQ(advised.Turn().State(), game->Turn().State()) << "move " << move;
    if (game->Turn().State() != before) {
      ASSERT_EQ(advised.Display().Said(), Said()) << "move " << move;
    }
  }
}

TEST(GameReviewTest, TheAdvisorsChoiceIsWorthMostAndItsOwnGameCostsNothing) {
  std::mt19937 chance(3);
  int positions = 0;
  // Checks the position, then makes the advisor's choice or a random one.
  const auto checked = [&](bool advisor) {
    return [&, advisor](const GameState& state) {
      const std::vector<Choice> choices = EveryChoice(state);
      const AdvisorPosition position = PositionOf(state);
      const Choice advised = AdvisedChoice(TheAdvisor(), position);
      const float most = ChoiceValue(TheAdvisor(), position, advised);
      for (const Choice& choice : choices)
        EXPECT_LE(ChoiceValue(TheAdvisor(), position, choice), most);
      ++positions;
      return advisor ? advised : choices[chance() % choices.size()];
    };
  };
  for (unsigned seed = 1; seed <= 10; ++seed) {
    const GameReview own = ReviewGame(PlayedGame(seed, checked(true)), TheAdvisor());
    EXPECT_GT(own.choices, 20);
    EXPECT_EQ(std::pair(own.totalLoss, own.costly.size()), std::pair(0.0, std::size_t{0}));
    const GameReview random = ReviewGame(PlayedGame(seed, checked(false)), TheAdvisor());
    EXPECT_GT(random.MeanLoss(), 1.5) << "a random player is no better than learning";
    for (const ReviewedChoice& choice : random.costly) EXPECT_NE(choice.played, choice.advised);
  }
  EXPECT_GT(positions, 500);
}

TEST(GameReviewTest, AChoiceThatThrowsAYatzyAwayIsCostly) {
  MoveRecord record{Move::Throw({6, 6, 6, 6, 6, 6}, 59)};
  for (int die = 1; die <= kDiceCount; ++die) record.push_back(Move::PickUp(die));
  record.insert(record.end(), {Move::Throw({1, 2, 3, 4, 5, 6}, 58), Move::Entry(15, 21)});
  const GameReview review = ReviewGame(record, TheAdvisor());
  ASSERT_EQ(std::pair(review.choices, review.costly.size()), std::pair(2, std::size_t{1}));
  const ReviewedChoice& costly = review.costly.front();
  EXPECT_EQ(std::tuple(costly.throwNumber, costly.played, costly.advised.category),
            std::tuple(1, Choice{}, 20));
  EXPECT_GT(costly.cost, 50);
  EXPECT_EQ(ReviewGame({Move::PickUp(1)}, TheAdvisor()).choices, 0) << "not by the rules";
  EXPECT_EQ(TheAdvisor().KeepValue(PositionOf(costly.position), {0, 0, 0, 0, 0, 6}), kNoEntry)
      << "keeping all six throws nothing";
  const AdvisorPosition onlyOnes{
      {1, 2, 3, 4, 5, 6}, {true, true, true, true, true, true}, 1U, 5, 0, true};
  EXPECT_GT(TheAdvisor().KeepValue(onlyOnes, {1, 0, 0, 0, 0, 0}), 1) << "the last open row";
}

TEST_F(GameTest, AFinishedGameIsReviewedAndAgainAfterARestart) {
  Start();
  for (int k = 1; k <= kCategoryCount; ++k) {
    Table(kOneThrowPerCategory[static_cast<std::size_t>(k - 1)]);
    game->Enter(CategoryNumber{k});
  }
  host.inputs.push_back(std::string("Eve"));
  chance.draws.push_back(0.5);  // the check value's digit
  game->Do(Command::GameEndTick);
  const ReviewForm& review = game->Coach().Window();
  ASSERT_TRUE(review.Visible);
  const std::string summary = review.Summary;
  EXPECT_NE(summary.find("over 20 choices"), std::string::npos) << summary;
  ASSERT_FALSE(review.Rows.empty());
  EXPECT_EQ(review.Rows.front().Text.substr(0, 9), "Throw 1 (");
  game->Pick(List::Review, Row{0});
  EXPECT_EQ(std::pair(review.Opened, review.OpenRows.size()), std::pair(0, std::size_t{20}));
  game->Do(Command::ReviewClosed);
  EXPECT_FALSE(review.Visible);
  // The statistics keep the game's loss a choice.
  game->Do(Command::OpenStatistics);
  EXPECT_EQ(
      game->Statistics().View().Figures.back().Value,
      summary.substr(summary.find(": ") + 2, summary.find(" a choice") - summary.find(": ") - 2));
  MakeGame();
  Start();
  game->Do(Command::OpenReview);
  EXPECT_TRUE(game->Coach().Window().Visible && game->Coach().Window().Summary == summary);
}

}  // namespace
}  // namespace pyxaro::testing
