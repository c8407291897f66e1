#include <sys/stat.h>

#include <cctype>

#include "core/text.h"
#include "display/font.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

TEST_F(GameTest, ConfirmingStoresTheFirstMatchAndWhetherToSkipThePickerNextTime) {
  // The row chosen, the tick, the language list as changed behind the open picker, and the
  // selection stored.
  const std::tuple<int, bool, const char*, const char*> cases[] = {
      {0, false, "", "1"},
      {1, true, "", "2"},
      {2, false, "", "2"},  // two equal names: the lower number wins
      // No name matches: the selection stays.
      {1, true, "antal=3\nl2n=Swedish\nl3n=svenska\n", "1"},
      {1, false, "antal=1\nl2n=Svenska\n", "1"}};
  for (const auto& [row, ticked, edited, selected] : cases) {
    SCOPED_TRACE(edited);
    folder.Write("Pyx4.ini",
                 "[Language]\nantal=3\nl1n=English\nl2n=Svenska\nl3n=Svenska\nselected=1\n");
    game = std::make_unique<Game>(host, dice, folder.Path().string());
    game->OpenLanguagePicker();
    if (*edited != '\0') folder.Write("Pyx4.ini", std::string("[Language]\nselected=1\n") + edited);
    game->LanguageRowClicked(3);  // no such row
    game->ConfirmLanguage();      // so no row yet: nothing happens
    EXPECT_TRUE(game->language.Visible && !game->language.OkButton.Enabled);
    EXPECT_EQ(Ini("Options", "ShowLangu"), "");

    game->LanguageRowClicked(row);
    EXPECT_TRUE(game->language.OkButton.Enabled);
    game->language.SkipAtStartTicked = ticked;
    game->ConfirmLanguage();
    EXPECT_EQ(Ini("Language", "selected") + Ini("Options", "ShowLangu"),
              selected + std::string(ticked ? "No" : "Yes"));
    EXPECT_TRUE(!game->language.Visible && game->splash.Visible);
    Game next(host, dice, folder.Path().string());
    next.OpenLanguagePicker();
    EXPECT_EQ(next.language.Visible, !ticked);
  }
}

TEST_F(GameTest, LanguButtonClosesTheGameForAFreshOneInTheChosenLanguage) {
  folder.Write("Pyx4.ini",
               "[Options]\nShowLangu=No\n[Language]\nantal=2\nl1n=Test\nl1p=test.lng\n"
               "l2n=Other\nl2p=other.lng\nselected=1\n");
  folder.Write("other.lng", "[Language]\nl0=other 0\nl7=other 7\n");
  Start();
  Throw({1, 2, 3, 4, 5, 6});
  game->ClockTick();
  game->language.LanguageList.ListIndex = 0;
  game->language.SkipAtStartTicked = true;
  game->main.GameEndTimer.SetEnabled(true);  // a game has just ended

  // That No keeps the game is the new game test's, with the other questions.
  host.answers = {true};
  game->ChangeLanguage();
  EXPECT_EQ(host.boxes.at(0).title, TestText(5));  // its text is the keys' test's
  // The discarded game is not scored; the picker opens as it was left.
  EXPECT_FALSE(game->main.Loaded || game->main.Visible || game->main.GameEndTimer.Enabled());
  EXPECT_TRUE(game->language.Visible && game->language.LanguageList.ListIndex == 0 &&
              game->language.SkipAtStartTicked);

  game->LanguageRowClicked(1);
  game->ConfirmLanguage();
  game->SplashTimeUp();
  EXPECT_EQ(game->run.LanguageFile + "|" + game->run.Said, folder.File("other.lng") + "|other 7");
  EXPECT_TRUE(game->main.Loaded && game->state.RollsLeft == 60 && !game->main.DieImages[1].Visible);
  // That the window's clocks run again is the game window test's.
}

const std::filesystem::path kData = ShippedData();

// The dot display shows the messages and, in the advice, the categories.
bool OnTheDisplay(const std::string& key) {
  static const std::set<std::string> kMessages{"l0", "l1", "l2", "l3", "l4", "l7", "l15", "l17"};
  return kMessages.contains(key) || key.starts_with("advice_") ||
         (key.starts_with("category") && std::isdigit(static_cast<unsigned char>(key.back())));
}

// Every language the shipped settings list has every text the English file has, and the dot display
// draws every letter of the texts it shows.
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
      for (char32_t ch : ToCodePoints(text)) {
        EXPECT_TRUE(ch == U' ' || GlyphDots(ch) != GlyphDots(U' ')) << key << ": " << text;
      }
      if (!key.starts_with("l")) continue;
      // A message fits one page, the score word with the total after it.
      if (key == "l1") text += ": 1234";
      EXPECT_LE(CharCount(text), 13) << text;
    }
  }
}

// A language file with the newer texts shows them in its boxes and windows and gives the screen
// reader its words; "%1" takes what the text names.
TEST_F(GameTest, TheNewerTextsComeFromTheLanguageFile) {
  std::string texts = folder.Read("test.lng");
  for (const std::string& key : KeysOf(kData / "english.lng")) {
    if (key == "locale") texts += "locale=sv\n";  // the desktop's own texts
    if (key != "locale" && !(key[0] == 'l' && std::isdigit(static_cast<unsigned char>(key[1])))) {
      texts += key + "=<" + key + " %1>\n";
    }
  }
  folder.Write("test.lng", texts);
  Start();
  EXPECT_EQ(host.locale, "sv");
  // The first box a step shows.
  const auto said = [this](const std::function<void()>& step) {
    host.boxes.clear();
    step();
    return host.boxes.empty() ? std::string() : host.boxes.front().text;
  };
  const std::string settings = folder.File("Pyx4.ini");
  ::chmod(settings.c_str(), 0444);
  EXPECT_EQ(said([&] { game->ToggleSound(); }), "<not_saved_choice " + settings + ">");
  ::chmod(settings.c_str(), 0644);
  EXPECT_EQ(said([&] { game->HomeLinkClicked(); }), "<no_online_address %1>");
  host.area = {9000, 6000};
  EXPECT_EQ(said([&] { game->PlaceWindow(); }), "<screen_too_small %1>");
  std::filesystem::remove(folder.File("Res.pac"));
  EXPECT_EQ(said([&] { game->OpenGameWindow(); }), "<package_not_found %1>");
  host.inputs = {std::nullopt, std::nullopt};
  EXPECT_EQ(said([&] { game->OpenProfiles(); }), "<username %1>");
  EXPECT_EQ(host.boxes.front().title, "<users_title %1>");
  const std::pair<std::string, const char*> shown[] = {
      {game->language.Heading.Caption, "select_language"},
      {game->language.SkipAtStart.Caption, "dont_show_at_startup"},
      {game->profiles.CancelButton.Caption, "button_cancel"},
      {game->profiles.DontShowWhenSending.Caption, "dont_show_when_sending"},
      {game->profiles.Caption, "users_window"},
      {game->main.Clock.Caption, "caption_time"},
      {game->main.Painted.TableSlogan, "slogan_table"}};
  // What the game window speaks is the Swedish controls test's.
  for (const auto& [text, key] : shown) EXPECT_EQ(text, "<" + std::string(key) + " %1>");
  game->OpenStatistics();
  EXPECT_EQ(game->statistics.Categories[20].Text, "<stats_bar <category20 %1>>");
}

}  // namespace
}  // namespace pyxaro::testing
