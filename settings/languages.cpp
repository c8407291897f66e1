#include "settings/languages.h"

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/text.h"
#include "settings/ini.h"
#include "settings/language_keys.h"

namespace pyxaro {

namespace {

// The settings' list of languages, numbered from 1: the count, the one
// selected, and each language's name in the picker under "l<n>n" and its
// file under "l<n>p". A language file keeps its texts under a section of
// the same name.
constexpr char kSection[] = "Language";
constexpr char kCount[] = "antal";
constexpr char kSelected[] = "selected";
// Whether the picker opens at the start, among the options.
constexpr char kShowPicker[] = "ShowLangu";

// By the language's number as the settings spell it.
std::string NameKey(const std::string& number) { return "l" + number + "n"; }
std::string FileKey(const std::string& number) { return "l" + number + "p"; }

// A missing, negative or non-numeric count lists no language; a hand-edited
// huge one is held to as many as the picker lists.
constexpr int kMostLanguages = 999;

// A language the list lacked joins it after the player's own rows, which
// stay as they are, and is selected.
std::vector<IniChange> Joining(const std::pair<std::string, std::string>& language,
                               std::size_t count) {
  const std::string number = std::to_string(count + 1);
  return {{kSection, NameKey(number), language.first},
          {kSection, FileKey(number), language.second},
          {kSection, kCount, number},
          {kSection, kSelected, number}};
}

bool Offers(const std::vector<std::string>& rows, int row) {
  return row >= 0 && row < static_cast<int>(rows.size()) &&
         !rows.at(static_cast<std::size_t>(row)).empty();
}

bool OffersAny(const std::vector<std::string>& rows) {
  return std::any_of(rows.begin(), rows.end(),
                     [](const std::string& name) { return !name.empty(); });
}

}  // namespace

Languages::Languages(Host& host, SettingsStore& store) : host_(host), store_(store) {}

std::vector<Languages::Language> Languages::ListIn(const IniReader& read) {
  const int count = std::clamp(LeadingNumber(read(kSection, kCount)), 0, kMostLanguages);
  std::vector<Language> languages;
  for (int i = 1; i <= count; ++i) {
    const std::string number = std::to_string(i);
    languages.emplace_back(read(kSection, NameKey(number)), read(kSection, FileKey(number)));
  }
  return languages;
}

std::vector<Languages::Language> Languages::Listed() const {
  return ListIn([this](const std::string& section, const std::string& key) {
    return store_.Setting(section, key);
  });
}

std::vector<std::string> Languages::Files() const {
  std::vector<std::string> files;
  for (Language& language : Listed()) files.push_back(std::move(language.second));
  return files;
}

// The languages the game comes with whose file the player's own list does
// not name: a settings file made by an older version keeps its list.
std::vector<Languages::Language> Languages::Unlisted(const std::vector<Language>& listed) const {
  std::set<std::string> names;
  for (const Language& language : listed) {
    names.insert(language.first);
    names.insert(language.second);
  }
  const std::string shipped = store_.ShippedFile();
  const IniReader readShipped = [&shipped](const std::string& section, const std::string& key) {
    return GetINI(section, key, shipped);
  };
  std::vector<Language> unlisted;
  for (Language& language : ListIn(readShipped)) {
    if (!language.first.empty() && !names.contains(language.first) &&
        !names.contains(language.second)) {
      unlisted.push_back(std::move(language));
    }
  }
  return unlisted;
}

bool Languages::OpenPicker() {
  // The picker speaks the language chosen last.
  UseChosenLanguage();
  const std::vector<Language> listed = Listed();
  listed_.clear();
  for (const Language& language : listed) listed_.push_back(language.first);
  unlisted_ = Unlisted(listed);
  std::vector<std::string>& rows = picker_.LanguageList.Items;
  rows.clear();
  for (const std::string& name : listed_) rows.push_back(ShownText(name));
  for (const Language& unlisted : unlisted_) rows.push_back(ShownText(unlisted.first));
  // With nothing to choose, OK starts the game in the built-in texts.
  picker_.OkButton.Enabled = !OffersAny(rows);
  picker_.Visible = store_.Setting(kOptionsSection, kShowPicker) != "No";
  return picker_.Visible;
}

void Languages::ShowPicker() { picker_.Visible = true; }

void Languages::PickRow(int row) {
  const std::vector<std::string>& rows = picker_.LanguageList.Items;
  if (row < 0 || row >= static_cast<int>(rows.size())) return;
  picked_ = row;
  picker_.LanguageList.ListIndex = row;
  // A row left empty by a hand-edited list names no language.
  picker_.OkButton.Enabled = Offers(rows, row) || !OffersAny(rows);
}

void Languages::TickSkipAtStart(bool ticked) {
  skipAtStart_ = ticked;
  picker_.SkipAtStartTicked = ticked;
}

bool Languages::Confirm() {
  const std::vector<std::string>& rows = picker_.LanguageList.Items;
  std::vector<IniChange> choice;
  if (OffersAny(rows)) {
    if (!Offers(rows, picked_)) return false;
    const auto row = static_cast<std::size_t>(picked_);
    const std::string chosen =
        ShownText(row < listed_.size() ? listed_[row] : unlisted_.at(row - listed_.size()).first);
    // Matched by name against the settings as they are now, so the lower
    // number wins between two equal names and an unknown name changes nothing.
    const std::vector<Language> listed = Listed();
    for (std::size_t i = 0; i < listed.size(); ++i) {
      if (ShownText(listed[i].first) == chosen) {
        choice.push_back({kSection, kSelected, std::to_string(i + 1)});
        break;
      }
    }
    for (const Language& unlisted : unlisted_) {
      if (choice.empty() && unlisted.first == chosen) choice = Joining(unlisted, listed.size());
    }
  }
  choice.push_back({kOptionsSection, kShowPicker, skipAtStart_ ? "No" : "Yes"});
  if (!store_.StoreChoice(choice)) TellNotSaved(text::kNotSavedChoice);
  picker_.Visible = false;
  // The splash and the game window painted behind it speak the choice.
  UseChosenLanguage();
  return true;
}

std::string Languages::LangText(const std::string& key) const {
  return GetINI(kSection, key, languageFile_);
}

std::string Languages::ToolTip(const TextKey& text) const { return " " + Text(text) + " "; }

void Languages::TellNotSaved(const TextKey& what) const {
  host_.Tell(Text(what, store_.File()), "", true);
}

std::string Languages::Text(const TextKey& text) const {
  const std::string found = LangText(std::string(text.key));
  return found.empty() ? std::string(text.english) : found;
}

std::string Languages::Text(const TextKey& text, const std::string& value) const {
  std::string found = Text(text);
  const auto mark = found.find("%1");
  return mark == std::string::npos ? found : found.replace(mark, 2, value);
}

void Languages::PresentSpokenTexts() {
  SpokenTexts& words = spoken_;
  // The dice's faces and the categories have numbered keys.
  const auto numbered = [this](const std::string& key, int n, std::string_view english) {
    return Text({key + std::to_string(n), english});
  };
  words.Die = Text(text::kDie);
  for (int n = 1; n <= kDiceFaces; ++n) {
    words.Faces[n] = numbered("face", n, text::kFaces.at(static_cast<std::size_t>(n - 1)));
  }
  for (const auto& [word, key] : {std::pair{&words.Proposed, text::kProposed},
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
                                  {&words.Move, text::kMove},
                                  {&words.DayGame, text::kDayGameKey},
                                  {&words.Rules, text::kRulesTitle}}) {
    *word = Text(key);
  }
}

void Languages::PresentPaintedTexts() {
  PaintedTexts& words = painted_;
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
}

void Languages::UseChosenLanguage() {
  const std::string name = store_.Setting(kSection, FileKey(store_.Setting(kSection, kSelected)));
  // A name the file system cannot take names no file: the texts read empty.
  languageFile_ = name.find('\0') == std::string::npos ? store_.AppFile(name) : std::string();
  host_.UseLocale(LangText("locale"));
  PresentSpokenTexts();
  PresentPaintedTexts();
  picker_.Heading.Caption = Text(text::kSelectLanguage);
  picker_.SkipAtStart.Caption = Text(text::kDontShowAtStartup);
  picker_.OkButton.Caption = Text(text::kOk);
}

}  // namespace pyxaro
