#pragma once

#include <optional>
#include <vector>

#include "highscores/review_form.h"
#include "scoring/game_review.h"
#include "scoring/move_record.h"
#include "settings/game_keeper.h"
#include "settings/languages.h"
#include "settings/settings_store.h"

namespace pyxaro {

// Reviews every finished game against the advisor and shows the review; the
// last finished game's moves stay in the settings, so that it can be
// reviewed again after the program starts anew.
class Coach : public GameKeeper {
 public:
  Coach(SettingsStore& store, const Languages& texts, Reviewer& reviewer);

  // The section of the last game's moves, which no other program reads and
  // which is read at any length.
  static constexpr char kSection[] = "Coach";

  // Whether this very game's end is written already: another copy of the
  // game, sharing the settings file, ended the same game first.
  static bool AlreadyEnded(const FinishedGame& game, const IniReader& current);

  // Keeps the finished game's moves in the game end's one write.
  std::vector<IniChange> Changes(const FinishedGame& game, const IniReader& current) override;
  // The game is over and told: its review shows.
  void Written(const FinishedGame& game, bool stored) override;
  // Shows the review of the last finished game the settings keep, if any.
  void OpenLast();
  // Opens a row: the window shows the game as that throw left it.
  void OpenRow(int row);
  // The player closed the window.
  void Closed();

  const ReviewForm& Window() const { return window_; }

 private:
  // The review of these moves; a game of the day's also says what the
  // advisor made on its dice.
  void Show(const MoveRecord& moves, std::optional<int> advisorTotal);

  SettingsStore& store_;
  const Languages& texts_;
  Reviewer& reviewer_;
  ReviewForm window_;
};

}  // namespace pyxaro
