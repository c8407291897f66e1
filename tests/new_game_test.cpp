#include <tuple>

#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

class NewGameTest : public GameTest {
 protected:
  void Language(const std::string& texts) { folder.Write("test.lng", "[Language]\n" + texts); }
};

TEST_F(NewGameTest, ToolTipsAndCaptionsFallBackWhereTheLanguageLacksThem) {
  const MainForm& m = game->main;
  const auto shown = [&] {
    return std::vector<std::string>{
        m.PlayerLabel.ToolTip,    m.SoundSwitch.ToolTip,           m.MoveButton.ToolTip,
        m.RollsLeftLabel.ToolTip, m.RollsPerCategoryLabel.ToolTip, m.CategoryRows[19].ToolTip,
        m.PlayerLabel.Caption,    m.ClearTopTenLabel.Caption,      m.ClearTopTenLabel.ToolTip};
  };
  Start();
  // The clear button's texts are "text 13" less its last character.
  EXPECT_EQ(shown(),
            (std::vector<std::string>{" text 18 ", " text 19 ", " text 26 ", " text 20 ",
                                      " text 21 ", " text 22 ", "text 23", "text 1", "text 1"}));
  Language("l13=Clear the list:\n");
  game->Restart();
  EXPECT_EQ(shown(), (std::vector<std::string>{" User profiles ", " Sound On/Off ", "  ", " Rolls ",
                                               " Rolls / Category ", " Chance ", "No user",
                                               "Clear the list", "Clear the list"}));
  Language("");
  folder.Write("Pyx4.ini",
               folder.Read("Pyx4.ini") + "[Users]\nantal=2\nselected=2\nuser1=Ann\nuser2=Åke\n");
  game->Restart();
  EXPECT_EQ(m.ClearTopTenLabel.Caption + "|" + m.PlayerLabel.Caption, "|Åke");
}

TEST_F(NewGameTest, AsksAndRestartsOnlyOnYesWithTheLaterGreeting) {
  Start();
  EXPECT_EQ(game->run.Message, TestText(0));
  Throw({2, 2, 4, 4, 6, 6});
  game->EnterCategory(9);
  game->PlayClockTick();
  Throw({1, 3, 3, 5, 6, 6});
  game->PickUp(1);
  const GameState& s = game->state;
  const GameState before = s;
  host.answers = {false};
  game->NewGameClicked();
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text + "|" + host.boxes[0].title, TestText(6) + "|" + TestText(5));
  EXPECT_FALSE(host.boxes[0].yesIsDefault);
  EXPECT_EQ(std::tie(s.Dice, s.OnTable, s.Score, s.RollsLeft, s.TotalScore, s.PlaySeconds),
            std::tie(before.Dice, before.OnTable, before.Score, before.RollsLeft, before.TotalScore,
                     before.PlaySeconds));
  EXPECT_FALSE(game->main.CategoryRows[9].Enabled);
  EXPECT_TRUE(game->main.UndoArea.Enabled);

  host.answers = {true};
  game->NewGameClicked();
  EXPECT_EQ(std::tie(s.TotalScore, s.Score[9], s.RollsLeft, s.PlaySeconds),
            std::make_tuple(0, 0, 60, 0));
  EXPECT_TRUE(game->main.CategoryRows[9].Enabled);
  EXPECT_FALSE(game->main.UndoArea.Enabled);
  EXPECT_EQ(game->main.CategoryScores[9].Caption + game->main.BonusLabel.Caption +
                game->main.RollsLeftLabel.Caption,
            "-8460");
  EXPECT_EQ(game->run.Message, TestText(7));
  // The clock counts on from zero although nothing has been thrown yet.
  EXPECT_TRUE(game->main.PlayClock.Enabled());
  game->PlayClockTick();
  EXPECT_EQ(s.PlaySeconds, 1);
}

TEST_F(NewGameTest, NewGameInTheMomentBeforeTheEndScoresTheFinishedGame) {
  Start();
  // Use up the pool on one category so the entry ends the game.
  for (int roll = 1; roll < 60; ++roll) Table({1, 2, 3, 4, 6, 6});
  Table({6, 6, 6, 6, 6, 6});
  game->EnterCategory(20);
  ASSERT_TRUE(game->main.GameEndTimer.Enabled());
  host.answers = {true};
  host.inputs = {std::string("Eve")};
  dice.faces = {3};  // the check value's digit
  game->NewGameClicked();
  EXPECT_FALSE(game->main.GameEndTimer.Enabled());
  EXPECT_EQ(Ini("Highscore", "p1"), "100");
  EXPECT_EQ(Ini("Highscore", "n1").rfind("Eve (", 0), 0u);
  EXPECT_EQ(game->state.RollsLeft, 60);
  // The end has run: its tick later finds nothing to do.
  const auto boxes = host.boxes.size();
  game->EndGame();
  EXPECT_EQ(host.boxes.size(), boxes);
}

TEST_F(NewGameTest, QuitAsksFirstButTheCloseSquareDoesNot) {
  Start();
  host.answers = {false, true};
  game->QuitClicked();
  EXPECT_FALSE(host.ended);
  EXPECT_EQ(host.boxes.back().text + "|" + host.boxes.back().title,
            TestText(11) + "|" + TestText(5));
  game->QuitClicked();
  EXPECT_TRUE(host.ended);

  host.ended = false;
  host.boxes.clear();
  game->CloseClicked();
  EXPECT_TRUE(host.ended);
  EXPECT_TRUE(host.boxes.empty());
}

}  // namespace
}  // namespace pyxaro::testing
