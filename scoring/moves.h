#pragma once

#include <cstdint>
#include <optional>

#include "core/dice.h"
#include "core/game_state.h"
#include "core/moves.h"

namespace pyxaro {

// The one rule by which a move changes a game: the game after the move,
// nullopt when the rules do not allow it there or it does not lead where
// the move says. Live play, the replay of a stored game, the review and
// every simulated player go through it.
std::optional<GameState> Played(const GameState& state, const Move& move);

// The throw of the dice off the table when the roll shows these faces: the
// dice on the table keep theirs.
Move ThrowOf(const GameState& state, const OneBased<int, kDiceCount>& rolled);
// The throw the dice of the game this seed describes make next.
Move NextThrow(const GameState& state, const DiceSource& dice, std::uint64_t seed);
// The entry of the dice of the last throw in category k, at their worth there.
Move EntryOf(const GameState& state, int category);

// The game the moves make when each is played by the rules from a fresh
// game; nullopt when one of them is not a move the rules allow there, or
// does not lead where the record says.
std::optional<GameState> Replay(const MoveRecord& record);
// The same, where every throw must also show the faces that the dice give
// the game this seed describes.
std::optional<GameState> Replay(const MoveRecord& record, const DiceSource& dice,
                                std::uint64_t seed);

}  // namespace pyxaro
