#include <algorithm>
#include <string>

#include "core/game.h"
#include "core/text.h"

namespace pyxaro {

namespace {

// A missing, negative or non-numeric count lists no language; a hand-edited
// huge one is held to as many as the picker lists.
constexpr int kMostLanguages = 999;

int LanguageCount(const std::string& countText) {
  return std::clamp(LeadingNumber(countText), 0, kMostLanguages);
}

std::string Numbered(int i, const char* suffix) { return "l" + std::to_string(i) + suffix; }

}  // namespace

// The picker is the first window of the run: it fixes the version and the
// settings file, lists the languages and either waits or steps aside.
void Game::OpenLanguagePicker() {
  run.AppVersion = PYXARO_VERSION;
  run.SettingsFile = DataFile("Pyx4.ini");
  const int count = LanguageCount(Setting("Language", "antal"));
  language.LanguageList.Items.clear();
  for (int i = 1; i <= count; ++i)
    language.LanguageList.Items.push_back(Setting("Language", Numbered(i, "n")));
  if (Setting("Options", "ShowLangu") == "No") {
    language.Visible = false;
    ShowSplash();
  } else {
    language.Visible = true;
  }
}

void Game::LanguageRowClicked(int row) {
  if (row < 0 || row >= static_cast<int>(language.LanguageList.Items.size())) return;
  language.LanguageList.ListIndex = row;
  language.OkButton.Enabled = true;
}

void Game::ConfirmLanguage() {
  const ListBox& list = language.LanguageList;
  if (list.ListIndex < 0 || list.ListIndex >= static_cast<int>(list.Items.size())) return;
  const std::string& chosen = list.Items.at(static_cast<std::size_t>(list.ListIndex));

  // Matched by name against the settings as they are now, so the lower
  // number wins between two equal names and an unknown name changes nothing.
  const int count = LanguageCount(Setting("Language", "antal"));
  for (int i = 1; i <= count; ++i) {
    if (Setting("Language", Numbered(i, "n")) == chosen) {
      Store("Language", "selected", std::to_string(i));
      break;
    }
  }
  Store("Options", "ShowLangu", language.SkipAtStartTicked ? "No" : "Yes");
  language.Visible = false;
  ShowSplash();
}

void Game::ChangeLanguage() {
  if (!host_.Ask(LangText("l10"), LangText("l5"), false)) return;
  language.Visible = true;
  // The game window closes and the game in progress goes with it; a closed
  // window's timers must not run on (a pending game end would otherwise
  // score the discarded game).
  for (Timer* timer : {&main.PlayClock, &main.GameEndTimer, &main.PageTimer, &main.ClockTimer}) {
    timer->SetEnabled(false);
  }
  main.Visible = false;
  main.Loaded = false;
}

void Game::UseChosenLanguage() {
  const std::string selected = Setting("Language", "selected");
  run.LanguageFile = AppFile(Setting("Language", "l" + selected + "p"));
  host_.UseLocale(LangText("locale"));
}

}  // namespace pyxaro
