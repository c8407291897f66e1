#include "core/text.h"
#include "display/font.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

TEST_F(GameTest, ConfirmingStoresTheFirstMatchAndWhetherToSkipThePickerNextTime) {
  // The row chosen, the tick, the language list as changed behind the open
  // picker, and the selection stored.
  const std::tuple<int, bool, const char*, const char*> cases[] = {
      {0, false, "", "1"},
      {1, true, "", "2"},
      {2, false, "", "2"},  // two equal names: the lower number wins
      // No name matches: the selection stays.
      {1, true, "antal=3\nl2n=Swedish\nl3n=svenska\n", "1"},
      {1, false, "antal=1\nl2n=Svenska\n", "1"},
      {1, false, "antal=x\nl2n=Svenska\n", "1"},
      {1, false, "antal=-2\nl2n=Svenska\n", "1"}};
  for (const auto& [row, ticked, edited, selected] : cases) {
    SCOPED_TRACE(edited);
    folder.Write("Pyx4.ini",
                 "[Language]\nantal=3\nl1n=English\nl2n=Svenska\nl3n=Svenska\nselected=1\n");
    game = std::make_unique<Game>(host, dice, folder.Path().string());
    game->OpenLanguagePicker();
    ASSERT_TRUE(game->language.Visible);
    if (*edited != '\0') folder.Write("Pyx4.ini", std::string("[Language]\nselected=1\n") + edited);
    game->LanguageRowClicked(3);  // no such row
    game->ConfirmLanguage();      // so no row yet: nothing happens
    EXPECT_TRUE(game->language.Visible && !game->language.OkButton.Enabled);
    EXPECT_EQ(Ini("Options", "ShowLangu"), "");

    game->LanguageRowClicked(row);
    EXPECT_TRUE(game->language.OkButton.Enabled);
    game->language.SkipAtStartTicked = ticked;
    game->ConfirmLanguage();
    EXPECT_EQ(Ini("Language", "selected"), selected);
    EXPECT_EQ(Ini("Options", "ShowLangu"), ticked ? "No" : "Yes");
    EXPECT_FALSE(game->language.Visible);
    EXPECT_TRUE(game->splash.Visible);
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

  host.answers = {false, true};
  game->ChangeLanguage();
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text + "|" + host.boxes[0].title, TestText(10) + "|" + TestText(5));
  EXPECT_FALSE(host.boxes[0].yesIsDefault);
  EXPECT_TRUE(game->main.Loaded);
  EXPECT_FALSE(game->language.Visible);

  game->ChangeLanguage();
  EXPECT_FALSE(game->main.Loaded || game->main.Visible);
  EXPECT_FALSE(game->main.GameEndTimer.Enabled());  // the discarded game is not scored
  EXPECT_TRUE(game->language.Visible);
  EXPECT_TRUE(game->language.LanguageList.ListIndex == 0 && game->language.SkipAtStartTicked);

  game->LanguageRowClicked(1);
  game->ConfirmLanguage();
  game->SplashTimeUp();
  EXPECT_TRUE(game->main.Loaded);
  EXPECT_EQ(game->run.LanguageFile, folder.File("other.lng"));
  EXPECT_EQ(game->run.Said, "other 7");
  EXPECT_EQ(game->state.RollsLeft, 60);
  EXPECT_FALSE(game->main.DieImages[1].Visible);
  // The window's timers and clock run as after the first opening.
  const MainForm& m = game->main;
  EXPECT_EQ(m.Clock.Caption, "TIME");
  EXPECT_TRUE(m.ClockTimer.Enabled());
  EXPECT_FALSE(m.PlayClock.Enabled() || m.GameEndTimer.Enabled() || m.PageTimer.Enabled());
}

// Every shipped language has all its texts, and every display message fits
// one page in characters the display can draw.
TEST(ShippedLanguages, AreCompleteAndFitTheDisplay) {
  const auto data = std::filesystem::path(__FILE__).parent_path().parent_path() / "data";
  const std::string ini = (data / "Pyx4.ini").string();
  EXPECT_EQ(GetINI("Options", "ShowLangu", ini), "");
  const int count = LeadingNumber(GetINI("Language", "antal", ini));
  EXPECT_GE(count, 3);
  for (int i = 1; i <= count; ++i) {
    const std::string file =
        (data / GetINI("Language", "l" + std::to_string(i) + "p", ini)).string();
    SCOPED_TRACE(file);
    for (int n = 0; n <= 26; ++n) {
      std::string text = GetINI("Language", "l" + std::to_string(n), file);
      EXPECT_NE(text, "") << n;
      if (n > 4 && n != 7 && n != 15 && n != 17) continue;
      if (n == 1) text += ": 1234";  // the score word comes before the total
      EXPECT_LE(CharCount(text), 13) << text;
      for (char32_t ch : ToCodePoints(text)) {
        EXPECT_TRUE(ch == U' ' || GlyphDots(ch) != GlyphDots(U' ')) << text;
      }
    }
  }
}

TEST_F(GameTest, TheLanguageFileNamesTheLocaleOfTheDesktopsOwnTexts) {
  folder.Write("test.lng", "[Language]\nl0=Hej\nlocale=sv\n");
  Start();
  EXPECT_EQ(host.locale, "sv");
  // A file without the key follows the system's locale.
  folder.Write("test.lng", "[Language]\nl0=Hi\n");
  game->Restart();
  EXPECT_EQ(host.locale, "");
}

}  // namespace
}  // namespace pyxaro::testing
