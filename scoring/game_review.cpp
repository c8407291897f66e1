#include "scoring/game_review.h"

#include <algorithm>
#include <optional>

#include "scoring/advice_position.h"
#include "scoring/dice_sets.h"
#include "scoring/moves.h"

namespace pyxaro {

namespace {

// A loss smaller than this is the rounding of two equal values.
constexpr float kNoLoss = 1e-3F;

FaceCounts KeptOnTable(const GameState& state) {
  FaceCounts kept{};
  for (int die = 1; die <= kDiceCount; ++die) {
    if (state.OnTable(die)) ++kept[static_cast<std::size_t>(state.Dice[die] - 1)];
  }
  return kept;
}

}  // namespace

float ChoiceValue(Advisor& advisor, const AdvisorPosition& position, const Choice& choice) {
  return choice.category > 0 ? advisor.EntryValue(position, choice.category)
                             : advisor.KeepValue(position, choice.kept);
}

Choice AdvisedChoice(Advisor& advisor, const AdvisorPosition& position) {
  const Advice advice = advisor.Advise(position);
  Choice choice;
  if (advice.move == AdviceMove::Enter) {
    choice.category = advice.category;
    return choice;
  }
  for (std::size_t die = 0; die < position.dice.size(); ++die) {
    if (!advice.pickUp[die]) ++choice.kept[static_cast<std::size_t>(position.dice[die] - 1)];
  }
  return choice;
}

GameReview ReviewGame(const MoveRecord& record, Advisor& advisor) {
  GameReview review;
  GameState state;
  std::optional<ReviewedChoice> waiting;  // the throw whose choice is still to come
  int throws = 0;
  const auto choose = [&](const Choice& played) {
    if (!waiting) return;
    const AdvisorPosition position = PositionOf(waiting->position);
    waiting->played = played;
    waiting->advised = AdvisedChoice(advisor, position);
    waiting->cost = std::max(0.0F, ChoiceValue(advisor, position, waiting->advised) -
                                       ChoiceValue(advisor, position, played));
    ++review.choices;
    review.totalLoss += waiting->cost;
    if (waiting->cost > kNoLoss) review.costly.push_back(*waiting);
    waiting.reset();
  };
  for (const Move& move : record) {
    const std::optional<GameState> after = Played(state, move);
    if (!after) return {};
    if (move.kind == Move::Kind::Throw) {
      // The dice left on the table were the choice of the throw before.
      choose({.category = 0, .kept = KeptOnTable(state)});
      ReviewedChoice next;
      next.throwNumber = ++throws;
      next.position = *after;
      waiting = next;
    } else if (move.kind == Move::Kind::Enter) {
      choose({.category = move.category, .kept = {}});
    }
    state = *after;
  }
  // The game's last throw, which fitted nowhere, left no choice.
  return review;
}

const GameReview& Reviewer::Review(const MoveRecord& moves) {
  if (moves.empty() || moves != reviewed_) {
    review_ = ReviewGame(moves, advisor_);
    reviewed_ = moves;
  }
  return review_;
}

Verdict VerdictOf(double meanLoss) {
  if (meanLoss < 0.2) return Verdict::Expert;
  if (meanLoss < 0.6) return Verdict::Strong;
  if (meanLoss < 1.5) return Verdict::Fair;
  return Verdict::Learning;
}

}  // namespace pyxaro
