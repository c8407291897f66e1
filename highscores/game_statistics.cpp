#include <string>

#include "core/game.h"
#include "highscores/statistics.h"
#include "highscores/statistics_form.h"
#include "settings/language_keys.h"

namespace pyxaro {

void Game::OpenStatistics() {
  ShowStatistics();
  statistics.Visible = true;
}

void Game::ShowStatistics() {
  const bool visible = statistics.Visible;
  const IniReader stored = [this](const std::string& section, const std::string& key) {
    return Setting(section, key);
  };
  statistics = PresentStatistics(ReadStatistics(stored),
                                 [this](const std::string& key) { return LangText(key); });
  statistics.Visible = visible;
}

void Game::ResetStatistics() {
  const LanguageText text = [this](const std::string& key) { return LangText(key); };
  if (!host_.Ask(StatisticsText(text, "stats_reset_ask"), LangText(lang::kQuestionTitle), false))
    return;
  if (!StoreGroup(StatisticsChanges({}))) {
    TellNotSaved(text::kNotSavedStatistics);
    return;
  }
  ShowStatistics();
}

void Game::StatisticsWindowClosed() { statistics.Visible = false; }

}  // namespace pyxaro
