#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/game.h"
#include "core/text.h"
#include "scoring/categories.h"
#include "settings/ini.h"
#include "settings/language_keys.h"
#include "settings/numbered_key.h"

namespace pyxaro {

namespace {

// A missing, negative or non-numeric count lists no language; a hand-edited
// huge one is held to as many as the picker lists.
constexpr int kMostLanguages = 999;

int LanguageCount(const std::string& countText) {
  return std::clamp(LeadingNumber(countText), 0, kMostLanguages);
}

// The settings the program comes with, for a player who deleted the file.
std::vector<IniChange> ShippedSettings() {
  return {{"Options", "PlaySound", "Yes"},     {"Language", "antal", "11"},
          {"Language", "l1n", "English"},      {"Language", "l1p", "english.lng"},
          {"Language", "l2n", "Svenska"},      {"Language", "l2p", "swedish.lng"},
          {"Language", "l3n", "Español"},      {"Language", "l3p", "spanish.lng"},
          {"Language", "l4n", "Dansk"},        {"Language", "l4p", "danish.lng"},
          {"Language", "l5n", "Deutsch"},      {"Language", "l5p", "german.lng"},
          {"Language", "l6n", "Français"},     {"Language", "l6p", "french.lng"},
          {"Language", "l7n", "Italiano"},     {"Language", "l7p", "italian.lng"},
          {"Language", "l8n", "Nederlands"},   {"Language", "l8p", "dutch.lng"},
          {"Language", "l9n", "Norsk bokmål"}, {"Language", "l9p", "norwegian.lng"},
          {"Language", "l10n", "Português"},   {"Language", "l10p", "portuguese.lng"},
          {"Language", "l11n", "Suomi"},       {"Language", "l11p", "finnish.lng"},
          {"Language", "selected", "1"}};
}

using Language = std::pair<std::string, std::string>;  // the name shown, the file

// The languages the game comes with whose file the player's own list does
// not name: a settings file made by an older version keeps its list.
std::vector<Language> Unlisted(const Game& game, int count) {
  const std::string shipped = game.AppFile("Pyx4.ini");
  std::set<std::string> listed;
  for (int i = 1; i <= count; ++i) {
    listed.insert(game.Setting("Language", NumberedKey("l", i, "n")));
    listed.insert(game.Setting("Language", NumberedKey("l", i, "p")));
  }
  std::vector<Language> unlisted;
  const int shippedCount = LanguageCount(GetINI("Language", "antal", shipped));
  for (int i = 1; i <= shippedCount; ++i) {
    Language language{GetINI("Language", NumberedKey("l", i, "n"), shipped),
                      GetINI("Language", NumberedKey("l", i, "p"), shipped)};
    if (!language.first.empty() && !listed.contains(language.first) &&
        !listed.contains(language.second)) {
      unlisted.push_back(std::move(language));
    }
  }
  return unlisted;
}

// A language the list lacked joins it after the player's own rows, which
// stay as they are, and is selected.
std::vector<IniChange> Joining(const Language& language, int count) {
  const std::string number = std::to_string(count + 1);
  return {{"Language", NumberedKey("l", count + 1, "n"), language.first},
          {"Language", NumberedKey("l", count + 1, "p"), language.second},
          {"Language", "antal", number},
          {"Language", "selected", number}};
}

bool IsMissing(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) != 0 && errno == ENOENT;
}

bool Offers(const ListBox& list, int row) {
  return row >= 0 && row < static_cast<int>(list.Items.size()) &&
         !list.Items.at(static_cast<std::size_t>(row)).empty();
}

bool OffersAny(const ListBox& list) {
  return std::any_of(list.Items.begin(), list.Items.end(),
                     [](const std::string& name) { return !name.empty(); });
}

}  // namespace

// The picker is the first window of the run: it fixes the version and the
// settings file, lists the languages and either waits or steps aside.
void Game::OpenLanguagePicker() {
  run.AppVersion = PYXARO_VERSION;
  run.SettingsFile = DataFile("Pyx4.ini");
  RemoveLeftoverTempFiles(run.SettingsFile);
  if (IsMissing(run.SettingsFile)) StoreGroup(ShippedSettings());
  // The picker speaks the language chosen last.
  UseChosenLanguage();
  const int count = LanguageCount(Setting("Language", "antal"));
  language.LanguageList.Items.clear();
  for (int i = 1; i <= count; ++i)
    language.LanguageList.Items.push_back(ShownText(Setting("Language", NumberedKey("l", i, "n"))));
  language.Unlisted = Unlisted(*this, count);
  for (const Language& unlisted : language.Unlisted) {
    language.LanguageList.Items.push_back(ShownText(unlisted.first));
  }
  // With nothing to choose, OK starts the game in the built-in texts.
  language.OkButton.Enabled = !OffersAny(language.LanguageList);
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
  // A row left empty by a hand-edited list names no language.
  language.OkButton.Enabled =
      Offers(language.LanguageList, row) || !OffersAny(language.LanguageList);
}

void Game::ConfirmLanguage() {
  const ListBox& list = language.LanguageList;
  std::vector<IniChange> choice;
  if (OffersAny(list)) {
    if (!Offers(list, list.ListIndex)) return;
    const std::string& chosen = list.Items.at(static_cast<std::size_t>(list.ListIndex));
    // Matched by name against the settings as they are now, so the lower
    // number wins between two equal names and an unknown name changes nothing.
    const int count = LanguageCount(Setting("Language", "antal"));
    for (int i = 1; i <= count; ++i) {
      if (ShownText(Setting("Language", NumberedKey("l", i, "n"))) == chosen) {
        choice.push_back({"Language", "selected", std::to_string(i)});
        break;
      }
    }
    for (const Language& unlisted : language.Unlisted) {
      if (choice.empty() && unlisted.first == chosen) choice = Joining(unlisted, count);
    }
  }
  choice.push_back({"Options", "ShowLangu", language.SkipAtStartTicked ? "No" : "Yes"});
  StoreChoice(choice);
  language.Visible = false;
  // The splash and the game window painted behind it speak the choice.
  UseChosenLanguage();
  ShowSplash();
}

void Game::ChangeLanguage() {
  if (!host_.Ask(LangText(lang::kAskLanguage), LangText(lang::kQuestionTitle), false)) return;
  // The profiles window belongs to the game window and goes with it, as
  // Cancel would close it.
  if (profiles.Visible) CancelProfiles();
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

std::string Game::Text(const TextKey& text) const {
  const std::string found = LangText(std::string(text.key));
  return found.empty() ? std::string(text.english) : found;
}

std::string Game::Text(const TextKey& text, const std::string& value) const {
  std::string found = Text(text);
  const auto mark = found.find("%1");
  return mark == std::string::npos ? found : found.replace(mark, 2, value);
}

void Game::PresentSpokenTexts() {
  SpokenTexts& words = main.Spoken;
  // The dice's faces and the categories have numbered keys.
  const auto numbered = [this](const std::string& key, int n, std::string_view english) {
    return Text({key + std::to_string(n), english});
  };
  words.Die = Text(text::kDie);
  for (int n = 1; n <= kDiceFaces; ++n) {
    words.Faces[n] = numbered("face", n, text::kFaces.at(static_cast<std::size_t>(n - 1)));
  }
  for (int k = 1; k <= kCategoryCount; ++k) {
    words.Categories[k] = numbered("category", k, CategoryRow(k).spoken);
  }
  for (const auto& [word, key] : {std::pair{&words.Open, text::kOpen},
                                  {&words.Proposed, text::kProposed},
                                  {&words.SoundOn, text::kSoundOn},
                                  {&words.SoundOff, text::kSoundOff},
                                  {&words.KeySpace, text::kKeySpace},
                                  {&words.KeyCtrl, text::kKeyCtrl},
                                  {&words.Throw, text::kThrow},
                                  {&words.Undo, text::kUndo},
                                  {&words.NewGame, text::kNewGame},
                                  {&words.Quit, text::kQuit},
                                  {&words.Close, text::kClose},
                                  {&words.Minimise, text::kMinimise},
                                  {&words.Language, text::kLanguage},
                                  {&words.Home, text::kHome},
                                  {&words.Statistics, text::kStatistics},
                                  {&words.Bonus, text::kBonus},
                                  {&words.Total, text::kTotal},
                                  {&words.Time, text::kTime},
                                  {&words.SoundSwitch, text::kSoundSwitch},
                                  {&words.RollsLeft, text::kRollsLeft},
                                  {&words.RollsPerCategory, text::kRollsPerCategory},
                                  {&words.Move, text::kMove}}) {
    *word = Text(key);
  }
}

void Game::PresentPaintedTexts() {
  PaintedTexts& words = main.Painted;
  for (const auto& [word, key] : {std::pair{&words.Roll, text::kCaptionRoll},
                                  {&words.Undo, text::kCaptionUndo},
                                  {&words.NewGame, text::kCaptionNew},
                                  {&words.Hint, text::kCaptionHint},
                                  {&words.Statistics, text::kCaptionStatistics},
                                  {&words.Language, text::kCaptionLanguage},
                                  {&words.Quit, text::kCaptionQuit},
                                  {&words.RollsLeft, text::kCaptionRollsLeft},
                                  {&words.PerCategory, text::kCaptionPerCategory},
                                  {&words.Bonus, text::kCaptionBonus},
                                  {&words.Total, text::kCaptionTotal},
                                  {&words.TopTen, text::kCaptionTopTen},
                                  {&words.Online, text::kCaptionOnline},
                                  {&words.Highscores, text::kCaptionHighscores},
                                  {&words.Tagline, text::kTagline},
                                  {&words.TableSlogan, text::kTableSlogan}}) {
    *word = ShownText(Text(key));
  }
  // The badge's link is named as the badge reads.
  main.HomeLink.ToolTip = " Pyxaro " + words.Online + " ";
  if (!main.ClockTold) main.Clock.Caption = Text(text::kCaptionTime);
}

void Game::UseChosenLanguage() {
  const std::string selected = Setting("Language", "selected");
  const std::string name = Setting("Language", "l" + selected + "p");
  // A name the file system cannot take names no file: the texts read empty.
  run.LanguageFile = name.find('\0') == std::string::npos ? AppFile(name) : std::string();
  host_.UseLocale(LangText("locale"));
  PresentSpokenTexts();
  PresentPaintedTexts();
  language.Heading.Caption = Text(text::kSelectLanguage);
  language.SkipAtStart.Caption = Text(text::kDontShowAtStartup);
  language.OkButton.Caption = Text(text::kOk);
}

}  // namespace pyxaro
