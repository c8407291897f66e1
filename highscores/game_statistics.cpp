#include "highscores/game_statistics.h"

#include <string>

#include "highscores/statistics.h"
#include "settings/language_keys.h"

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
                            [this](const std::string& key) { return texts_.LangText(key); });
  view_.Visible = visible;
}

void GameStatistics::Reset() {
  const LanguageText text = [this](const std::string& key) { return texts_.LangText(key); };
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
