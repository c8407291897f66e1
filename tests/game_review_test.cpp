#include "scoring/game_review.h"

#include <random>

#include "scoring/advice_position.h"
#include "scoring/block_values.h"
#include "scoring/dice_sets.h"
#include "scoring/entry.h"
#include "tests/game_fixture.h"
#include "tests/helpers/played_game.h"

namespace pyxaro::testing {
namespace {

Advisor& TheAdvisor() {
  static Advisor advisor(blocks::Embedded(), kFittedCorrection);
  return advisor;
}

Choice AdvisorsChoice(const GameState& state) {
  const Advice advice = TheAdvisor().Advise(PositionOf(state));
  Choice choice;
  if (advice.move == AdviceMove::Enter) {
    choice.category = advice.category;
  } else {
    for (int die = 1; die <= kDiceCount; ++die) {
      if (!advice.pickUp[static_cast<std::size_t>(die - 1)]) {
        ++choice.kept[static_cast<std::size_t>(state.Dice[die] - 1)];
      }
    }
  }
  return choice;
}

// In every position of games played by the advisor and at random, no choice is worth more than the
// advisor's, so no cost is below 0; the advisor's own game costs nothing, a random player's much.
TEST(GameReviewTest, TheAdvisorsChoiceIsWorthMostAndItsOwnGameCostsNothing) {
  std::mt19937 chance(3);
  int positions = 0;
  // Checks the position, then makes the advisor's choice or a random one.
  const auto checked = [&](bool advisor) {
    return [&, advisor](const GameState& state) {
      const std::vector<Choice> choices = EveryChoice(state);
      const AdvisorPosition position = PositionOf(state);
      const Choice advised = AdvisorsChoice(state);
      const auto value = [&](const Choice& choice) {
        return choice.category > 0 ? TheAdvisor().EntryValue(position, choice.category)
                                   : TheAdvisor().KeepValue(position, choice.kept);
      };
      for (const Choice& choice : choices) EXPECT_LE(value(choice), value(advised));
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

// Six sixes with Yatzy open, thrown again whole: one costly choice, told with its throw and both
// choices.
TEST(GameReviewTest, AChoiceThatThrowsAYatzyAwayIsCostly) {
  const MoveRecord record{Move::Throw({6, 6, 6, 6, 6, 6}, 59),
                          Move::PickUp(1),
                          Move::PickUp(2),
                          Move::PickUp(3),
                          Move::PickUp(4),
                          Move::PickUp(5),
                          Move::PickUp(6),
                          Move::Throw({1, 2, 3, 4, 5, 6}, 58),
                          Move::Entry(15, 21)};
  const GameReview review = ReviewGame(record, TheAdvisor());
  ASSERT_EQ(std::pair(review.choices, review.costly.size()), std::pair(2, std::size_t{1}));
  const ReviewedChoice& costly = review.costly.front();
  EXPECT_EQ(std::tuple(costly.throwNumber, costly.played, costly.advised.category),
            std::tuple(1, Choice{}, 20));
  EXPECT_GT(costly.cost, 50);
  EXPECT_EQ(ReviewGame({Move::PickUp(1)}, TheAdvisor()).choices, 0) << "not by the rules";
  EXPECT_EQ(TheAdvisor().KeepValue(PositionOf(costly.position), {0, 0, 0, 0, 0, 6}), kNoEntry)
      << "keeping all six throws nothing";
}

// A game played to its end is reviewed once its end is told, a row opens the game as its throw left
// it, and the last finished game is reviewed again after the program starts anew.
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
