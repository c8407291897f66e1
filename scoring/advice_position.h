#pragma once

#include "core/game_state.h"
#include "scoring/advisor.h"

namespace pyxaro {

// What the advisor sees of a game: the facts of the model, nothing else.
AdvisorPosition PositionOf(const GameState& state);

}  // namespace pyxaro
