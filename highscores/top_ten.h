#pragma once

#include <optional>
#include <string>

#include "core/forms.h"
#include "core/host.h"
#include "core/speaker.h"
#include "highscores/highscore_entry.h"
#include "settings/game_keeper.h"
#include "settings/languages.h"
#include "settings/settings_store.h"

namespace pyxaro {

// The top-ten list: it keeps every finished game good enough for it, under
// the name the player gives, and shows the list on the game window.
class TopTen : public GameKeeper, public TopTenRows {
 public:
  TopTen(Host& host, SettingsStore& store, const Languages& texts, Speaker& speaker);

  // A fresh game window: no row shown yet.
  void OpenWindow();
  // Shows the stored list for a new game, with the label that clears it
  // once all ten rows are filled.
  void Present();
  // Asks, then empties the list.
  void Clear();

  // A game good enough for the list plays the fanfare and asks for a name.
  void Prepare(const FinishedGame& game) override;
  // The list with the game placed in it, as it stands under the lock.
  std::vector<IniChange> Changes(const FinishedGame& game, const IniReader& current) override;
  // Shows the list with the new row in bold, or tells that it could not be
  // saved, and shows the final score.
  void Written(const FinishedGame& game, bool stored) override;

  HighscoreEntry Row(int r) const override;
  // The row the last game took, 0 for none.
  int NewRank() const { return newRank_; }
  const TopTenView& View() const { return view_; }

 private:
  // Shows the stored list, the newest entry in bold; the number of rows that hold a game.
  int Show();
  // The settings as they stand.
  IniReader Stored() const;

  Host& host_;
  SettingsStore& store_;
  const Languages& texts_;
  Speaker& speaker_;
  std::optional<std::string> name_;  // the name given for the game being kept
  int rank_ = 0;                     // where it went in the write
  int newRank_ = 0;
  TopTenView view_;
};

}  // namespace pyxaro
