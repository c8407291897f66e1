#pragma once

#include <vector>

#include "core/host.h"
#include "highscores/statistics_form.h"
#include "settings/game_keeper.h"
#include "settings/languages.h"
#include "settings/settings_store.h"

namespace pyxaro {

// The statistics of every finished game, and the window that shows them.
class GameStatistics : public GameKeeper {
 public:
  GameStatistics(Host& host, SettingsStore& store, const Languages& texts);

  // Opens the window with the figures as the settings hold them.
  void Open();
  // Asks, then clears the statistics and nothing else.
  void Reset();
  // The desktop closed the window.
  void Closed();

  // Counts the game in the stored statistics.
  std::vector<IniChange> Changes(const FinishedGame& game, const IniReader& current) override;

  const StatisticsForm& View() const { return view_; }

 private:
  // Shows the stored statistics in the window's data.
  void Show();

  Host& host_;
  SettingsStore& store_;
  const Languages& texts_;
  StatisticsForm view_;
};

}  // namespace pyxaro
