#include <sys/stat.h>

#include <cctype>

#include "core/text.h"
#include "display/font.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

TEST_F(GameTest, ConfirmingStoresTheFirstMatchAndWhetherToSkipThePickerNextTime) {
  // The row chosen, the tick, the list as changed behind the open picker, the selection stored.
  const std::tuple<int, bool, const char*, const char*> cases[] = {
      {0, false, "", "1"},
      {2, true, "", "2"},  // two equal names: the lower number wins
      // No name matches: the selection stays.
      {1, true, "antal=3\nl2n=Swedish\nl3n=svenska\n", "1"},
      {1, false, "antal=1\nl2n=Svenska\n", "1"}};
  for (const auto& [row, ticked, edited, selected] : cases) {
    SCOPED_TRACE(edited);
    folder.Write("Pyx4.ini",
                 "[Language]\nantal=3\nl1n=English\nl2n=Svenska\nl3n=Svenska\nselected=1\n");
    MakeGame();
    game->Start();
    if (*edited != '\0') folder.Write("Pyx4.ini", std::string("[Language]\nselected=1\n") + edited);
    const LanguageForm& picker = game->Texts().Picker();
    game->Pick(List::Languages, Row{3});  // no such row
    game->Do(Command::ConfirmLanguage);   // so no row yet: nothing happens
    EXPECT_TRUE(picker.Visible && !picker.OkButton.Enabled && Ini("Options", "ShowLangu").empty());
    game->Pick(List::Languages, Row{row});
    EXPECT_TRUE(picker.OkButton.Enabled);
    game->Tick(TickBox::SkipPicker, ticked);
    game->Do(Command::ConfirmLanguage);
    EXPECT_EQ(Ini("Language", "selected") + Ini("Options", "ShowLangu"),
              selected + std::string(ticked ? "No" : "Yes"));
    EXPECT_TRUE(!picker.Visible && game->Splash().View().Visible);
  }
}

// The question is the new game test's; the window opened again, the saving and the window tests'.
TEST_F(GameTest, LanguButtonClosesTheGameAndItsClocksAndShowsThePickerAsItWasLeft) {
  Start();
  game->Pick(List::Languages, Row{0});
  game->Tick(TickBox::SkipPicker, true);
  OnlyOpen({}, 59);  // a game has just ended
  host.answers = {true};
  game->Do(Command::ChangeLanguage);
  // The discarded game is not scored.
  const LanguageForm& picker = game->Texts().Picker();
  EXPECT_FALSE(game->Window().View().Loaded || game->Window().View().Visible ||
               Board().GameEndTimer.Enabled() || Board().PlayClock.Enabled() ||
               game->Display().View().ClockTimer.Enabled());
  EXPECT_TRUE(picker.Visible && picker.LanguageList.ListIndex == 0 && picker.SkipAtStartTicked);
}

const std::filesystem::path kData = ShippedData();

// The dot display shows the messages and, in the advice, the categories.
bool OnTheDisplay(const std::string& key) {
  static const std::set<std::string> kMessages{"l0", "l1", "l2", "l3", "l4", "l7", "l15", "l17"};
  return kMessages.contains(key) || key.starts_with("advice_") ||
         (key.starts_with("category") && std::isdigit(static_cast<unsigned char>(key.back())));
}

// Every shipped language has every English text, and the display draws every letter it shows.
TEST(ShippedLanguages, HaveEveryTextAndTheDisplayDrawsEveryLetter) {
  const std::string ini = (kData / "Pyx4.ini").string();
  EXPECT_EQ(GetINI("Options", "ShowLangu", ini), "");
  const int count = LeadingNumber(GetINI("Language", "antal", ini));
  EXPECT_GE(count, 11);
  const std::vector<std::string> keys = KeysOf(kData / "english.lng");
  ASSERT_GT(keys.size(), 28U);
  for (int i = 1; i <= count; ++i) {
    const std::string file =
        (kData / GetINI("Language", "l" + std::to_string(i) + "p", ini)).string();
    SCOPED_TRACE(file);
    EXPECT_EQ(KeysOf(file), keys);
    for (const std::string& key : keys) {
      std::string text = GetINI("Language", key, file);
      EXPECT_NE(text, "") << key;
      if (!OnTheDisplay(key)) continue;
      for (char32_t ch : ToCodePoints(text))
        EXPECT_TRUE(ch == U' ' || GlyphDots(ch) != GlyphDots(U' ')) << key << ": " << text;
      if (!key.starts_with("l")) continue;
      // A message fits one page, the score word with the total after it.
      if (key == "l1") text += ": 1234";
      EXPECT_LE(CharCount(text), 13) << text;
    }
  }
  // A box's text when the language file lacks it is the English file's, word for word.
  for (const TextKey& text :
       {text::kNotSavedScore, text::kNotSavedList, text::kNotSavedChoice, text::kNotSavedStatistics,
        text::kNotSavedProfile, text::kNoOnlineAddress, text::kScreenTooSmall,
        text::kPackageNotFound, text::kAskNewGame, text::kAskLanguage, text::kAskQuit,
        text::kAskClearTopTen, text::kAskSend, text::kQuestionTitle}) {
    EXPECT_EQ(GetINI("Language", std::string(text.key), (kData / "english.lng").string()),
              text.english);
  }
}

// The newer texts show in boxes, windows and the screen reader's words; "%1" takes what they name.
TEST_F(GameTest, TheNewerTextsComeFromTheLanguageFile) {
  std::string texts = folder.Read("test.lng");
  for (const std::string& key : KeysOf(kData / "english.lng")) {
    if (key == "locale") texts += "locale=sv\n";  // the desktop's own texts
    if (key != "locale" && !(key[0] == 'l' && std::isdigit(static_cast<unsigned char>(key[1]))))
      texts += key + "=<" + key + " %1>\n";
  }
  folder.Write("test.lng", texts);
  Start();
  EXPECT_EQ(host.locale, "sv");
  const auto said = [this](const std::function<void()>& step) {
    host.boxes.clear();
    step();
    return host.boxes.empty() ? std::string() : host.boxes.front().text;
  };
  ReadOnlySettings();
  EXPECT_EQ(said([&] { game->Do(Command::ToggleSound); }), "<not_saved_choice " + IniFile() + ">");
  ::chmod(IniFile().c_str(), 0644);
  EXPECT_EQ(said([&] { game->Do(Command::OpenHome); }), "<no_online_address %1>");
  host.area = {9000, 6000};
  EXPECT_EQ(said([&] { game->Do(Command::PlaceWindow); }), "<screen_too_small %1>");
  std::filesystem::remove(folder.File("Res.pac"));
  host.answers = {true};
  game->Do(Command::ChangeLanguage);
  game->Pick(List::Languages, Row{0});
  game->Do(Command::ConfirmLanguage);
  EXPECT_EQ(said([&] { game->Do(Command::SplashTimeUp); }), "<package_not_found %1>");
  host.inputs = {std::nullopt, std::nullopt};
  EXPECT_EQ(said([&] { game->Do(Command::OpenProfiles); }) + host.boxes.at(0).title +
                host.boxes.at(1).text + host.boxes.at(1).title,
            "<username %1><users_title %1><password %1><users_title %1>");
  const std::pair<std::string, const char*> shown[] = {
      {game->Texts().Picker().Heading.Caption, "select_language"},
      {game->Texts().Picker().SkipAtStart.Caption, "dont_show_at_startup"},
      {game->Profiles().Window().CancelButton.Caption, "button_cancel"},
      {game->Profiles().Window().DontShowWhenSending.Caption, "dont_show_when_sending"},
      {game->Profiles().Window().Caption, "users_window"},
      {game->Display().View().Clock.Caption, "caption_time"},
      {game->Texts().Painted().TableSlogan, "slogan_table"},
      {game->Texts().Spoken().Throw, "control_throw"}};
  for (const auto& [text, key] : shown) EXPECT_EQ(text, "<" + std::string(key) + " %1>");
  game->Do(Command::OpenStatistics);
  EXPECT_EQ(game->Statistics().View().Categories[20].Text, "<stats_bar <category20 %1>>");
}

}  // namespace
}  // namespace pyxaro::testing
