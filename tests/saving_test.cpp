// What the player sees when the settings file takes a change, refuses it, or is changed by another
// game meanwhile, and how hostile settings files start.

#include <sys/stat.h>

#include "highscores/highscore_rules.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

namespace fs = std::filesystem;

class SavingTest : public GameTest {
 protected:
  void SetUp() override { Start(); }
  void ReadOnly() const { ::chmod(folder.File("Pyx4.ini").c_str(), 0444); }
  void EndGame(int total) {
    host.boxes.clear();
    GameTest::EndGame(total);
  }
  std::string Row(int r) const {
    const std::string n = std::to_string(r);
    return Ini("Highscore", "p" + n) + " " + Ini("Highscore", "n" + n) + " " +
           Ini("Highscore", "k" + n);
  }
  std::string NotSaved(const std::string& what) const {
    return what + " could not be saved in the settings file " + folder.File("Pyx4.ini") + ".";
  }
};

TEST_F(SavingTest, TheGameEndPlacesIntoTheListAsItIsOnceTheNameIsKnown) {
  host.inputs = {"Ann", "Bo"};
  EndGame(200);
  // Another game on the same file ends while Bo types a name.
  host.whileOpen = [&] {
    ASSERT_EQ(SetINIBatch({{"Highscore", "p1", "300"},
                           {"Highscore", "n1", "Cy (1:00)"},
                           {"Highscore", "k1", "KC"},
                           {"Highscore", "p2", "200"},
                           {"Highscore", "n2", "Ann (0:00)"},
                           {"Highscore", "k2", "KA"}},
                          folder.File("Pyx4.ini")),
              -1);
  };
  EndGame(250);
  EXPECT_EQ(Row(1) + "|" + Row(2) + "|" + Row(3),
            "300 Cy (1:00) KC|250 Bo (0:00) " + CheckValueOf(250) + "|200 Ann (0:00) KA");
  EXPECT_TRUE(game->TopTen().NewRank() == 2 && game->TopTen().View().Rows[2].Bold);
}

TEST_F(SavingTest, ARefusedScoreOrClearingIsReportedAndTheListShownAsItWas) {
  host.inputs = {"Ann"};
  EndGame(200);
  const std::string before = folder.Read("Pyx4.ini");
  ReadOnly();
  host.inputs = {"Bo"};
  EndGame(300);
  EXPECT_EQ(folder.Read("Pyx4.ini"), before);
  ASSERT_EQ(host.boxes.size(), 3U);
  EXPECT_TRUE(host.boxes[1].exclamation);
  EXPECT_EQ(host.boxes[1].text + "|" + host.boxes[2].text,
            NotSaved("The score") + "|" + TestText(16) + " 300 p  @ 0:00");
  EXPECT_EQ(game->TopTen().NewRank(), 0);
  for (const Control& row : game->TopTen().View().Rows) EXPECT_FALSE(row.Bold);
  host.answers = {true};
  game->Do(Command::ClearTopTen);
  EXPECT_EQ(host.boxes.back().text, NotSaved("The cleared list"));
  EXPECT_EQ(game->TopTen().View().Rows[1].Caption, "1. 200 Ann (0:00)");
}

TEST_F(SavingTest, RefusedChoicesHoldForTheRunAndAreReported) {
  folder.Write("Pyx4.ini",
               "[Options]\nPlaySound=Yes\nShowLangu=No\n"
               "[Language]\nantal=2\nl1n=Test\nl1p=test.lng\nl2n=Other\n"
               "l2p=other.lng\nselected=1\n");
  folder.Write("other.lng", "[Language]\nl7=other 7\n");
  game->Start();
  ReadOnly();
  host.boxes.clear();
  game->Do(Command::ToggleSound);
  EXPECT_TRUE(host.boxes.back().exclamation && host.boxes.back().text == NotSaved("The choice"));

  host.answers = {true};
  game->Do(Command::ChangeLanguage);
  game->Do(Command::PickLanguage, 1);
  game->Do(Command::ConfirmLanguage);
  EXPECT_EQ(host.boxes.back().text, NotSaved("The choice"));
  game->Do(Command::SplashTimeUp);
  EXPECT_EQ(Said() + "|" + (game->Sound().SwitchedOff() ? "No" : "Yes") + "|" +
                Ini("Options", "PlaySound") + Ini("Language", "selected"),
            "other 7|No|Yes1");
}

TEST_F(SavingTest, TheGameEndDuringTheNewGameQuestionStartsOneGame) {
  GameState ended;  // the game has just ended
  ended.RollsLeft = 0;
  game->Continue(ended);
  ASSERT_TRUE(game->Turn().View().GameEndTimer.Enabled());
  host.inputs = {"Ann"};
  host.answers = {true};
  dice.faces = {1};  // the check value's digit
  host.whileOpen = [&] { game->Do(Command::GameEndTick); };
  const int started = game->Turn().GamesStarted();
  game->Do(Command::NewGame);
  EXPECT_TRUE(game->Turn().GamesStarted() == started + 1 && Said() == TestText(7));
}

// Settings files that offer no language still lead to a game in English.
TEST(HostileSettingsTest, APickerWithNothingToOfferStillStartsTheGame) {
  for (const char* content : {"", "[Language]\nantal=0\nl1n=A\n", "[Language]\nantal=3\n",
                              static_cast<const char*>(nullptr)}) {
    SCOPED_TRACE(content == nullptr ? "not a file" : content);
    TempFolder folder;
    if (content == nullptr) {
      fs::create_directory(folder.File("Pyx4.ini"));
    } else {
      folder.Write("Pyx4.ini", content);
    }
    FakeHost host;
    ScriptedDice dice;
    Game game(host, dice, folder.Path().string());
    game.Start();
    ASSERT_TRUE(game.Texts().Picker().Visible && game.Texts().Picker().OkButton.Enabled);
    game.Do(Command::ConfirmLanguage);
    EXPECT_TRUE(game.Splash().View().Visible);
    game.Do(Command::SplashTimeUp);
    EXPECT_TRUE(game.Window().View().Loaded &&
                game.Sound().View().Switch.ToolTip == " Sound On/Off ");
  }
}

TEST_F(SavingTest, ALanguageNameThatIsNoFileReadsAsNoTexts) {
  for (const std::string& name : {std::string("a\0b", 3), std::string("."), std::string("")}) {
    folder.Write("Pyx4.ini", "[Options]\nShowLangu=No\n[Language]\nselected=1\nl1p=" + name + "\n");
    host.answers = {true};
    game->Do(Command::NewGame);
    EXPECT_EQ(Said() + game->Sound().View().Switch.ToolTip, " Sound On/Off ");
  }
}

}  // namespace
}  // namespace pyxaro::testing
