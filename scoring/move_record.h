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

}  // namespace pyxaro
