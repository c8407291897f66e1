#include "core/game.h"

#include <filesystem>
#include <utility>

#include "highscores/statistics.h"
#include "settings/ini.h"

namespace pyxaro {

Game::Game(Host& host, RandomSource& chance, std::string appFolder)
    : host_(host), chance_(chance), appFolder_(std::move(appFolder)), dataFolder_(appFolder_) {
  // Every finished game is counted in the statistics, in the game end's
  // one write.
  KeepGames(KeepStatistics);
}

std::string Game::Setting(const std::string& section, const std::string& key) const {
  const auto held = run.HeldChoices.find({section, key});
  if (held != run.HeldChoices.end()) return held->second;
  return GetINI(section, key, run.SettingsFile);
}

namespace {

// The settings service answers 0 for a refused write.
bool Kept(RunValues& run, int answer) {
  run.LastWrite = answer == 0 ? WriteResult::Refused : WriteResult::Stored;
  return run.LastWrite == WriteResult::Stored;
}

}  // namespace

bool Game::Store(const std::string& section, const std::string& key, const std::string& value) {
  return Kept(run, SetINI(section, key, value, run.SettingsFile));
}

bool Game::StoreGroup(const std::vector<IniChange>& changes) {
  return Kept(run, SetINIBatch(changes, run.SettingsFile));
}

bool Game::UpdateGroup(const IniEdit& edit) { return Kept(run, UpdateINI(edit, run.SettingsFile)); }

bool Game::StoreChoice(const std::vector<IniChange>& changes) {
  const bool saved = StoreGroup(changes);
  for (const IniChange& change : changes) {
    if (saved) {
      run.HeldChoices.erase({change.Section, change.Key});
    } else {
      run.HeldChoices[{change.Section, change.Key}] = change.Value;
    }
  }
  if (!saved) TellNotSaved(text::kNotSavedChoice);
  return saved;
}

void Game::TellNotSaved(const TextKey& what) { host_.Tell(Text(what, run.SettingsFile), "", true); }

std::string Game::LangText(const std::string& key) const {
  return GetINI("Language", key, run.LanguageFile);
}

std::string Game::ToolTipText(const std::string& key, const std::string& fallback) const {
  const std::string tip = " " + LangText(key) + " ";
  return tip == "  " ? fallback : tip;
}

std::string Game::AppFile(const std::string& name) const {
  return (std::filesystem::path(appFolder_) / name).string();
}

std::string Game::DataFile(const std::string& name) const {
  return (std::filesystem::path(dataFolder_) / name).string();
}

}  // namespace pyxaro
