#include <sstream>
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

// What the player sees of the controls a new game puts back.
std::vector<std::string> Shown(const MainForm& m) {
  std::vector<std::string> shown;
  const auto add = [&](const Control& c) {
    std::ostringstream line;
    line << c.Caption << "|" << c.ToolTip << "|" << c.Enabled << c.Visible << "|" << c.Left << ","
         << c.Top << "," << c.Width << "," << c.Height;
    shown.push_back(line.str());
  };
  for (const Control& die : m.DieImages) shown.push_back(die.Visible ? "die" : "");
  for (const Control* c :
       {&m.ThrowArea, &m.UndoArea, &m.RollsLeftLabel, &m.RollsPerCategoryLabel, &m.BonusLabel,
        &m.TotalLabel, &m.ClearTopTenLabel, &m.PlayerLabel, &m.SoundSwitch, &m.MoveButton}) {
    add(*c);
  }
  for (const auto* controls : {&m.CategoryRows, &m.CategoryScores}) {
    for (const Control& c : *controls) add(c);
  }
  for (const Control& row : m.TopTenRows) add(row);
  const Rgb bonus = m.BonusLabel.ForeColor;
  shown.push_back("marker " + std::to_string(m.HintMarker.Visible) + " bonus " +
                  std::to_string(bonus.Red) + "," + std::to_string(bonus.Green) + "," +
                  std::to_string(bonus.Blue));
  return shown;
}

TEST_F(NewGameTest, RestartPutsBackEverythingTheFirstGameStartedWith) {
  Start();
  const std::vector<std::string> first = Shown(game->main);
  const GameState& s = game->state;
  const GameState fresh = s;
  const auto expectFresh = [&] {
    ASSERT_NE(Shown(game->main), first);
    game->Restart();
    EXPECT_EQ(Shown(game->main), first);
    EXPECT_EQ(s, fresh);
    const HighscoreEntry& c = game->run.Candidate;
    EXPECT_EQ(c.Points + c.Key + c.Date, "000");
    EXPECT_EQ(game->run.PageStart, 1);
    EXPECT_FALSE(game->main.PageTimer.Enabled());
  };
  // Right after an entry that won the bonus, with a long message paging.
  for (int face = 6; face >= 4; --face) {
    Table(std::vector<int>(6, face));
    game->EnterCategory(face);
  }
  game->PlayClockTick();
  game->run.Candidate = {"300", "Eve", "31234567890", "2612"};
  game->Say("a message of three pages, no less");
  game->NextPage();
  expectFresh();
  // In the middle of a turn: a throw on the table, a die picked up.
  Table({1, 2, 3, 4, 5, 6});
  game->EnterCategory(15);
  Table({1, 2, 3, 4, 5, 6});
  game->PickUp(1);
  expectFresh();
}

TEST_F(NewGameTest, AsksAndRestartsOnlyOnYesWithTheLaterGreeting) {
  Start();
  EXPECT_EQ(game->run.Said, TestText(0));
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
  EXPECT_EQ(s, before);
  EXPECT_FALSE(game->main.CategoryRows[9].Enabled);
  EXPECT_TRUE(game->main.UndoArea.Enabled);

  host.answers = {true};
  game->NewGameClicked();
  EXPECT_EQ(std::tie(s.Score[9], s.RollsLeft, s.PlaySeconds), std::make_tuple(0, 60, 0));
  EXPECT_TRUE(game->main.CategoryRows[9].Enabled);
  EXPECT_FALSE(game->main.UndoArea.Enabled);
  EXPECT_EQ(game->main.CategoryScores[9].Caption + game->main.BonusLabel.Caption +
                game->main.RollsLeftLabel.Caption,
            "-8460");
  EXPECT_EQ(game->run.Said, TestText(7));
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
  dice.draws = {0.5};  // the check value's digit: 5
  game->NewGameClicked();
  EXPECT_FALSE(game->main.GameEndTimer.Enabled());
  EXPECT_EQ(Ini("Highscore", "p1") + " " + Ini("Highscore", "k1"), "100 58457382511");
  EXPECT_EQ(Ini("Highscore", "n1").rfind("Eve (", 0), 0u);
  EXPECT_EQ(game->state.RollsLeft, 60);
  // The end has run: its tick later finds nothing to do.
  const auto boxes = host.boxes.size();
  game->EndGame();
  EXPECT_EQ(host.boxes.size(), boxes);
}

TEST_F(NewGameTest, TheGameEndHandsEveryKeeperTheFinishedGameInTheListsWrite) {
  std::vector<FinishedGame> kept;
  game->KeepGames([&](const FinishedGame& finished, const IniReader& current) {
    kept.push_back(finished);
    // Worked out under the lock, from the file as the list's write finds it.
    return std::vector<IniChange>{{"Statistics", "games", current("Statistics", "games") + "1"}};
  });
  Start();
  // The bonus won by three sixes of a kind entries, a Yatzy, then the pool
  // spent and its last throw entered as a full straight.
  for (const int face : {6, 5, 4}) {
    Table(std::vector<int>(6, face));
    game->EnterCategory(face);
  }
  Table(std::vector<int>(6, 2));
  game->EnterCategory(20);
  while (game->state.RollsLeft > 1) Table({1, 1, 2, 2, 3, 5});
  Table({1, 2, 3, 4, 5, 6});
  game->EnterCategory(15);
  for (int tick = 0; tick < 75; ++tick) game->PlayClockTick();
  host.inputs = {"Eve"};
  dice.faces = {5};  // the check value's digit
  game->EndGame();

  FinishedGame expected;
  expected.Total = 36 + 30 + 24 + 100 + 21 + 100;
  for (const auto& [k, points] : {std::pair{6, 36}, {5, 30}, {4, 24}, {20, 100}, {15, 21}}) {
    expected.Scores[k] = points;
  }
  expected.BonusWon = true;
  expected.RollsUsed = 60;
  expected.PlaySeconds = 75;
  expected.Year = 2026;
  expected.Month = 12;
  expected.Day = 6;
  ASSERT_EQ(kept.size(), 1U);
  EXPECT_EQ(kept[0], expected);
  EXPECT_EQ(Ini("Highscore", "p1") + " " + Ini("Statistics", "games"), "311 1");
  EXPECT_EQ(game->state.RollsLeft, 60);  // and the next game has begun
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
