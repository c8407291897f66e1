#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/forms.h"
#include "core/host.h"
#include "settings/settings_store.h"
#include "settings/texts.h"

namespace pyxaro {

// The languages the game speaks: the picker at the start, the language file
// the settings select, and every text the player reads or hears in it.
class Languages {
 public:
  Languages(Host& host, SettingsStore& store);

  // Lists the languages for the picker; false when the settings say to skip it.
  bool OpenPicker();
  // Shows the picker again, with the list as it was.
  void ShowPicker();
  // Selects row `row` (from 0) of the list.
  void PickRow(int row);
  // Ticks or clears "don't show this at startup".
  void TickSkipAtStart(bool ticked);
  // Stores the chosen language and closes the picker; false when no row
  // names a language yet, and the picker stays.
  bool Confirm();
  // Takes the texts from the language file the settings select.
  void UseChosenLanguage();
  // The language files the settings list, as they name them.
  std::vector<std::string> Files() const;

  // The text of a key, or its English when the language file lacks it; the
  // second fills in what "%1" stands for.
  std::string Text(const TextKey& text) const;
  std::string Text(const TextKey& text, const std::string& value) const;
  // A tool tip: the text, or its English, with a blank either side.
  std::string ToolTip(const TextKey& text) const;
  // Tells the player, in an OK box with the exclamation icon, what could not
  // be saved, naming the settings file.
  void TellNotSaved(const TextKey& what) const;

  const LanguageForm& Picker() const { return picker_; }
  const SpokenTexts& Spoken() const { return spoken_; }
  const PaintedTexts& Painted() const { return painted_; }

 private:
  using Language = std::pair<std::string, std::string>;  // the name shown, the file

  // The text of a key of the language file, "" when the file lacks it.
  std::string LangText(const std::string& key) const;

  // The languages a settings file lists, in their order.
  static std::vector<Language> ListIn(const IniReader& read);
  std::vector<Language> Listed() const;
  std::vector<Language> Unlisted(const std::vector<Language>& listed) const;
  void PresentSpokenTexts();
  void PresentPaintedTexts();

  Host& host_;
  SettingsStore& store_;
  std::string languageFile_;
  // The names the picker lists, as the settings gave them, and the shipped
  // languages the player's list lacks, offered after them.
  std::vector<std::string> listed_;
  std::vector<Language> unlisted_;
  int picked_ = -1;
  bool skipAtStart_ = false;
  LanguageForm picker_;
  SpokenTexts spoken_;
  PaintedTexts painted_;
};

}  // namespace pyxaro
