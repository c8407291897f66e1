#include "highscores/game_statistics.h"

#include <string>

#include "highscores/statistics.h"

namespace pyxaro {

GameStatistics::GameStatistics(Host& host, SettingsStore& store, const Languages& texts)
    : host_(host), store_(store), texts_(texts) {}

void GameStatistics::Open() {
  Show();
  view_.Visible = true;
}

void GameStatistics::Show() {
  const bool visible = view_.Visible;
  const IniReader stored = [this](const std::string& section, const std::string& key) {
    return store_.Setting(section, key);
  };
  view_ = PresentStatistics(ReadStatistics(stored),
                            [this](const TextKey& text) { return texts_.Text(text); });
  view_.Visible = visible;
}

void GameStatistics::Reset() {
  const LanguageText text = [this](const TextKey& key) { return texts_.Text(key); };
  if (!host_.Ask(StatisticsText(text, "stats_reset_ask"), texts_.Text(text::kQuestionTitle), false))
    return;
  if (!store_.StoreGroup(StatisticsChanges({}))) {
    texts_.TellNotSaved(text::kNotSavedStatistics);
    return;
  }
  Show();
}

void GameStatistics::Closed() { view_.Visible = false; }

std::vector<IniChange> GameStatistics::Changes(const FinishedGame& game, const IniReader& current) {
  return KeepStatistics(game, current);
}

}  // namespace pyxaro
