#include "scoring/players.h"

#include <optional>

#include "scoring/advice_position.h"
#include "scoring/entry.h"
#include "scoring/move_record.h"
#include "scoring/moves.h"

namespace pyxaro {

PlayedGame PlayGame(Player& player, const DiceSource& dice, std::uint64_t seed) {
  PlayedGame game;
  while (!IsOver(game.state)) {
    Move move = player.Choose(game.state);
    if (move.kind == Move::Kind::Throw) move = NextThrow(game.state, dice, seed);
    const std::optional<GameState> after = Played(game.state, move);
    if (!after) break;
    AddMove(game.moves, move);
    game.state = *after;
  }
  return game;
}

int AdvisorTotal(Advisor& advisor, const DiceSource& dice, std::uint64_t seed) {
  AdvisorPlayer player(advisor);
  return PlayGame(player, dice, seed).state.Total();
}

Move AdvisorPlayer::Choose(const GameState& state) {
  const Advice advice = advisor_.Advise(PositionOf(state));
  switch (advice.move) {
    case AdviceMove::Enter:
      return EntryOf(state, advice.category);
    case AdviceMove::PickUp:
      for (int die = 1; die <= kDiceCount; ++die) {
        if (advice.pickUp[static_cast<std::size_t>(die - 1)] && state.OnTable(die)) {
          return Move::PickUp(die);
        }
      }
      return Move::Throw({}, 0);
    case AdviceMove::Throw:
      return Move::Throw({}, 0);
    case AdviceMove::None:
      break;
  }
  // Nothing is left to do: a move the rules refuse ends the game's play.
  return Move::Undo();
}

}  // namespace pyxaro
