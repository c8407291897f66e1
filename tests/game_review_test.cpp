#include "scoring/game_review.h"

#include <random>

#include "scoring/advice_position.h"
#include "scoring/block_values.h"
#include "scoring/dice_sets.h"
#include "scoring/entry.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

Advisor& TheAdvisor() {
  static Advisor advisor(blocks::Embedded(), kFittedCorrection);
  return advisor;
}

// Throws the dice off the table, as a move of the record.
Move ThrowRandom(GameState& state, std::mt19937& chance) {
  OneBased<int, kDiceCount> faces;
  for (int& face : faces) face = static_cast<int>(chance() % kDiceFaces) + 1;
  state = AfterThrow(state, faces);
  return Move::Throw(state.Dice, state.RollsLeft);
}

// A whole game in which the player picks, after every throw, the choice `pick` makes of the
// advisor's advice and the position.
MoveRecord PlayedGame(unsigned seed, const std::function<Choice(const GameState&)>& pick) {
  std::mt19937 chance(seed);
  GameState state;
  MoveRecord record;
  while (!IsOver(state) && state.RollsLeft > 0) {
    if (!state.Thrown() || state.ThrowEntered) {
      record.push_back(ThrowRandom(state, chance));
      continue;
    }
    const Choice choice = pick(state);
    if (choice.category > 0) {
      const EntryOutcome outcome = Enter(state, choice.category);
      record.push_back(Move::Entry(choice.category, outcome.Points));
      state = outcome.After;
      continue;
    }
    FaceCounts kept = choice.kept;
    for (int die = 1; die <= kDiceCount; ++die) {
      int& left = kept[static_cast<std::size_t>(state.Dice[die] - 1)];
      if (left > 0) {
        --left;
      } else {
        state.Lying[die] = false;
        record.push_back(Move::PickUp(die));
      }
    }
    record.push_back(ThrowRandom(state, chance));
  }
  return record;
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

// Every choice the rules allow after a throw.
std::vector<Choice> EveryChoice(const GameState& state) {
  std::vector<Choice> choices;
  for (int k = 1; k <= kCategoryCount; ++k) {
    if (Enter(state, k).Result == EntryResult::Entered) choices.push_back({k, {}});
  }
  if (state.RollsLeft > 0) {
    const DiceSets& sets = DiceSets::Get();
    std::array<int, 6> dice{};
    for (int die = 1; die <= kDiceCount; ++die)
      dice[static_cast<std::size_t>(die - 1)] = state.Dice[die];
    for (const int kept : sets.Keeps(sets.IndexOf(FaceCount(dice)))) {
      choices.push_back({0, sets.Counts(kept)});
    }
  }
  return choices;
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

}  // namespace
}  // namespace pyxaro::testing
