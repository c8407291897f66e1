// What the player sees when the settings file takes a change, refuses it, or is changed by another
// game meanwhile, and how hostile settings files start.

#include <cstdlib>

#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

namespace fs = std::filesystem;

class SavingTest : public GameTest {
 protected:
  void SetUp() override { Start(); }
  std::string Row(int r) const {
    const std::string n = std::to_string(r);
    return Ini("Highscore", "p" + n) + " " + Ini("Highscore", "n" + n) + " " +
           Ini("Highscore", "k" + n);
  }
};

TEST_F(SavingTest, TheGameEndPlacesIntoTheListAsItIsOnceTheNameIsKnown) {
  host.inputs = {"Ann", "Bo"};
  EndGame(200);
  // Another game on the same file ends while Bo types a name; only its list matters here.
  host.whileOpen = [&] {
    folder.Write("Pyx4.ini",
                 "[Highscore]\np1=300\nn1=Cy (1:00)\nk1=KC\np2=200\nn2=Ann (0:00)\nk2=KA\n");
  };
  EndGame(250);
  EXPECT_EQ(Row(1) + "|" + Row(2) + "|" + Row(3),
            "300 Cy (1:00) KC|250 Bo (0:00) " + CheckValueOf(250) + "|200 Ann (0:00) KA");
  EXPECT_TRUE(game->TopTen().NewRank() == 2 && game->TopTen().View().Rows[2].Bold);
}

// A read-only settings file: every refused write is reported, the list is shown as it was, and the
// choices hold for the run.
TEST_F(SavingTest, RefusedWritesAreReportedTheListShownAsItWasAndChoicesHoldForTheRun) {
  folder.Write("Pyx4.ini",
               "[Options]\nPlaySound=Yes\nShowLangu=No\n"
               "[Language]\nantal=2\nl1n=Test\nl1p=test.lng\nl2n=Other\n"
               "l2p=other.lng\nselected=1\n");
  folder.Write("other.lng", "[Language]\nl7=other 7\n");
  game->Start();
  host.inputs = {"Ann", "Bo"};
  EndGame(200);
  const std::string before = folder.Read("Pyx4.ini");
  ReadOnlySettings();
  host.boxes.clear();
  EndGame(300);
  EXPECT_EQ(folder.Read("Pyx4.ini"), before);
  ASSERT_EQ(host.boxes.size(), 3U);
  EXPECT_TRUE(host.boxes[1].exclamation);
  EXPECT_EQ(host.boxes[1].text + "|" + host.boxes[2].text,
            NotSaved("The score") + "|" + TestText(16) + " 300 p  @ 0:00 (play time)");
  EXPECT_EQ(game->TopTen().NewRank(), 0);
  for (const Control& row : game->TopTen().View().Rows) EXPECT_FALSE(row.Bold);
  host.answers = {true, true};
  game->Do(Command::ClearTopTen);
  EXPECT_EQ(host.boxes.back().text, NotSaved("The cleared list"));
  EXPECT_EQ(game->TopTen().View().Rows[1].Caption, "1. 200 Ann (0:00)");

  game->Do(Command::ToggleSound);
  EXPECT_TRUE(host.boxes.back().exclamation && host.boxes.back().text == NotSaved("The choice"));
  game->Do(Command::ChangeLanguage);
  game->Pick(List::Languages, pyxaro::Row{1});
  game->Do(Command::ConfirmLanguage);
  EXPECT_EQ(host.boxes.back().text, NotSaved("The choice"));
  game->Do(Command::SplashTimeUp);
  EXPECT_EQ(Said() + "|" + (game->Sound().SwitchedOff() ? "No" : "Yes") + "|" +
                Ini("Options", "PlaySound") + Ini("Language", "selected"),
            "other 7|No|Yes1");
}

TEST_F(SavingTest, TheGameEndDuringTheNewGameQuestionStartsOneGame) {
  OnlyOpen({}, 0);  // the game has just ended
  ASSERT_TRUE(Board().GameEndTimer.Enabled());
  host.inputs = {"Ann"};
  host.choices = {0};
  chance.draws = {0.05};  // the check value's digit: 1
  host.whileOpen = [&] { game->Do(Command::GameEndTick); };
  const int started = game->Turn().GamesStarted();
  game->Do(Command::NewGame);
  EXPECT_TRUE(game->Turn().GamesStarted() == started + 1 && Said() == TestText(7));
}

// In English.
TEST(HostileSettingsTest, APickerWithNothingToOfferOrALanguageThatIsNoFileStillStartsTheGame) {
  const std::string chosen = "[Options]\nShowLangu=No\n[Language]\nselected=1\nl1p=";
  for (const std::string& content :
       {std::string(), std::string("[Language]\nantal=0\nl1n=A\n"),
        std::string("[Language]\nantal=3\n"), std::string("not a file"),
        chosen + std::string("a\0b", 3), chosen + ".", chosen}) {
    SCOPED_TRACE(content);
    TempFolder folder;
    content == "not a file" ? (void)fs::create_directory(folder.File("Pyx4.ini"))
                            : folder.Write("Pyx4.ini", content);
    FakeHost host;
    ScriptedChance chance;
    ScriptedDice dice;
    Game game(host, chance, dice, folder.Path().string());
    game.Start();
    const bool picker = !content.starts_with(chosen);
    ASSERT_EQ(game.Texts().Picker().Visible && game.Texts().Picker().OkButton.Enabled, picker);
    if (picker) game.Do(Command::ConfirmLanguage);
    EXPECT_TRUE(game.Splash().View().Visible);
    game.Do(Command::SplashTimeUp);
    EXPECT_TRUE(game.Window().View().Loaded && game.Display().Said().empty() &&
                game.Sound().View().Switch.ToolTip == " Sound On/Off ");
  }
}

// Two games writing one settings file at once; a game killed in its game end is the store's test.
TEST_F(SavingTest, TwoGamesEndingTogetherKeepBothEntries) {
  // The odd totals up to 59 and the even up to 60: the shell answers 0 when both stored all.
  const std::string game = std::string("'") + STORE_CHILD + "' '" + folder.File("Pyx4.ini") + "' ";
  ASSERT_EQ(std::system((game + "1 & odd=$!; " + game + "2 && wait $odd").c_str()), 0);
  // Row r holds total 61 - r with its name and check value: a torn row or a lost entry shows.
  for (int r = 1; r <= kTopTenRows; ++r) {
    const std::string total = std::to_string(61 - r);
    EXPECT_EQ(Row(r), total + " P" + total + " (0:00) " + CheckValueOf(61 - r));
  }
  EXPECT_EQ(Ini("Statistics", "games") + " " + Ini("Statistics", "totalsum"), "60 1830");
}

}  // namespace
}  // namespace pyxaro::testing
