#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/moves.h"

namespace pyxaro {

// The moves as stored: "T123456r59 P2 P5 T163416r58 E6=12 U".
std::string RecordText(const MoveRecord& record);
// The moves a stored text holds, nullopt for a text that is not a record.
std::optional<MoveRecord> ParseRecord(std::string_view text);

// The record with the move added, as the game keeps it.
void AddMove(MoveRecord& record, const Move& move);

// The game after the move, nullopt when the rules do not allow it there or
// it does not lead where the move says.
std::optional<GameState> Played(const GameState& state, const Move& move);

// The game the moves make when each is played by the rules from a fresh
// game; nullopt when one of them is not a move the rules allow there, or
// does not lead where the record says.
std::optional<GameState> Replay(const MoveRecord& record);

}  // namespace pyxaro
