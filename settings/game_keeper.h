#pragma once

#include <vector>

#include "core/finished_game.h"
#include "settings/ini.h"

namespace pyxaro {

// Something that keeps finished games: the top-ten list, the statistics, and
// whatever comes next. At a game's end every keeper is asked, in turn, for
// what it asks the player first, for its part of the one locked write, and
// is then told how that write went.
class GameKeeper {
 public:
  virtual ~GameKeeper() = default;
  // Before the write, outside the lock: what the player is asked about the game.
  virtual void Prepare(const FinishedGame&) {}
  // The keeper's changes for the game end's one write, worked out from the
  // settings as they stand under the lock.
  virtual std::vector<IniChange> Changes(const FinishedGame& game, const IniReader& current) = 0;
  // The write is done: stored (true) or refused (false).
  virtual void Written(const FinishedGame&, bool) {}
};

}  // namespace pyxaro
