#include <gtest/gtest.h>

#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

class NewGameTest : public GameTest {
 protected:
  void Language(const std::string& texts) { folder.Write("test.lng", "[Language]\n" + texts); }
};

TEST_F(NewGameTest, FirstGameGreetsWithL0AndEveryLaterOneWithL7) {
  Start();
  EXPECT_EQ(game->run.SayText, TestText(0));
  EXPECT_EQ(game->run.WelcomeShown, 1);
  host.answers = {true};
  game->NyttSpel();
  EXPECT_EQ(game->run.SayText, TestText(7));
  game->Restart();
  EXPECT_EQ(game->run.SayText, TestText(7));
}

TEST_F(NewGameTest, ToolTipsFallBackToFixedTextsWhenTheLanguageLacksThem) {
  Language("l13=Clear the list?\n");
  Start();
  const MainForm& m = game->main;
  EXPECT_EQ(m.lb_User.ToolTip, " User profiles ");
  EXPECT_EQ(m.SoundPic.ToolTip, " Sound On/Off ");
  EXPECT_EQ(m.MovePic.ToolTip, "  ");
  EXPECT_EQ(m.Rolls.ToolTip, " Rolls ");
  EXPECT_EQ(m.Mrolls.ToolTip, " Rolls / Category ");
  EXPECT_EQ(m.btn[19].ToolTip, " Chance ");
  EXPECT_EQ(m.lb_User.Caption, "No user");
  EXPECT_EQ(m.ClearTopp.Caption, "Clear the list");
  EXPECT_EQ(m.ClearTopp.ToolTip, "Clear the list");
}

TEST_F(NewGameTest, ToolTipsAndCaptionsComeFromTheLanguageFile) {
  Start();
  const MainForm& m = game->main;
  EXPECT_EQ(m.lb_User.ToolTip, " " + TestText(18) + " ");
  EXPECT_EQ(m.MovePic.ToolTip, " " + TestText(26) + " ");
  EXPECT_EQ(m.btn[19].ToolTip, " " + TestText(22) + " ");
  EXPECT_EQ(m.lb_User.Caption, TestText(23));
  EXPECT_EQ(m.ClearTopp.Caption, "text 1");  // "text 13" less its last character
}

TEST_F(NewGameTest, PlayerLabelShowsTheSelectedProfile) {
  folder.Write("Pyx4.ini", folder.Read("Pyx4.ini") +
                               "[Users]\nantal=2\nselected=2\n"
                               "user1=Ann\nuser2=Åke\n");
  Start();
  EXPECT_EQ(game->main.lb_User.Caption, "Åke");
}

TEST_F(NewGameTest, EmptyL13LeavesAnEmptyClearCaption) {
  Language("l0=hi\n");
  Start();
  EXPECT_EQ(game->main.ClearTopp.Caption, "");
}

TEST_F(NewGameTest, NoToTheNewGameQuestionLeavesTheGameAsItWas) {
  Start();
  Throw({2, 2, 4, 4, 6, 6});
  game->EnterKateg(9);
  Throw({1, 3, 3, 5, 6, 6});
  game->PickUp(1);
  const GameState before = game->state;
  const MainForm& m = game->main;
  host.answers = {false};
  game->NyttSpel();
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, TestText(6));
  EXPECT_EQ(host.boxes[0].title, TestText(5));
  EXPECT_FALSE(host.boxes[0].yesIsDefault);
  EXPECT_EQ(game->state.Dice, before.Dice);
  EXPECT_EQ(game->state.OnTable, before.OnTable);
  EXPECT_EQ(game->state.Score, before.Score);
  EXPECT_EQ(game->state.RollsLeft, before.RollsLeft);
  EXPECT_EQ(game->state.TotalScore, before.TotalScore);
  EXPECT_FALSE(m.btn[9].Enabled);
  EXPECT_TRUE(m.Undo.Enabled);
}

TEST_F(NewGameTest, YesRestartsAndTheClockCountsOnFromZero) {
  Start();
  Throw({2, 2, 4, 4, 6, 6});
  game->EnterKateg(9);
  game->TimerPlayTick();
  host.answers = {true};
  game->NyttSpel();
  EXPECT_EQ(game->state.TotalScore, 0);
  EXPECT_EQ(game->state.Score[9], 0);
  EXPECT_TRUE(game->main.btn[9].Enabled);
  EXPECT_EQ(game->main.scr[9].Caption, "");
  EXPECT_EQ(game->main.Bonus.Caption, "-84");
  EXPECT_EQ(game->main.Rolls.Caption, "60");
  EXPECT_EQ(game->state.PlaySeconds, 0);
  EXPECT_TRUE(game->main.TimerPlay.Enabled());
  game->TimerPlayTick();
  EXPECT_EQ(game->state.PlaySeconds, 1);
}

TEST_F(NewGameTest, NewGameInTheMomentBeforeTheEndScoresTheFinishedGame) {
  Start();
  // Use up the pool on one category so the entry ends the game.
  for (int roll = 1; roll < 60; ++roll) Table({1, 2, 3, 4, 6, 6});
  Table({6, 6, 6, 6, 6, 6});
  game->EnterKateg(20);
  ASSERT_TRUE(game->main.TimerEnd.Enabled());
  host.answers = {true};
  host.inputs = {std::string("Eve")};
  dice.faces = {3};  // the check value's digit
  game->NyttSpel();
  EXPECT_FALSE(game->main.TimerEnd.Enabled());
  EXPECT_EQ(Ini("Highscore", "p1"), "100");
  EXPECT_EQ(Ini("Highscore", "n1").rfind("Eve (", 0), 0u);
  EXPECT_EQ(game->state.RollsLeft, 60);
  EXPECT_EQ(game->run.SayText, TestText(7));
  // The end has run: its tick later finds nothing to do.
  const auto boxes = host.boxes.size();
  game->TimerEndTick();
  EXPECT_EQ(host.boxes.size(), boxes);
}

TEST_F(NewGameTest, QuitAsksFirstAndQuitsAtOnceOnlyOnYes) {
  Start();
  host.answers = {false};
  game->butt_End();
  EXPECT_FALSE(host.ended);
  EXPECT_EQ(host.boxes.back().text, TestText(11));
  EXPECT_EQ(host.boxes.back().title, TestText(5));
  host.answers = {true};
  game->butt_End();
  EXPECT_TRUE(host.ended);
}

TEST_F(NewGameTest, CloseSquareQuitsWithoutAQuestion) {
  Start();
  game->Avsluta();
  EXPECT_TRUE(host.ended);
  EXPECT_TRUE(host.boxes.empty());
}

}  // namespace
}  // namespace pyxaro::testing
