#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

using NewGameTest = GameTest;

// Which language text each control shows; the clear button's is "text 13" less its last character.
TEST_F(NewGameTest, EachControlShowsItsLanguageText) {
  Start();
  const MainForm& m = game->main;
  EXPECT_EQ(
      (std::vector<std::string>{m.PlayerLabel.ToolTip, m.SoundSwitch.ToolTip, m.MoveButton.ToolTip,
                                m.RollsLeftLabel.ToolTip, m.RollsPerCategoryLabel.ToolTip,
                                m.CategoryRows[19].ToolTip, m.PlayerLabel.Caption,
                                m.ClearTopTenLabel.Caption, m.ClearTopTenLabel.ToolTip}),
      (std::vector<std::string>{" text 18 ", " text 19 ", " text 26 ", " text 20 ", " text 21 ",
                                " text 22 ", "text 23", "text 1", "text 1"}));
}

// What the player sees of the controls a new game puts back.
std::vector<std::string> Shown(const MainForm& m) {
  std::vector<std::string> shown;
  const auto add = [&](const Control& c) {
    const std::vector<int> look{c.Enabled, c.Visible, c.Left, c.Top, c.Width, c.Height};
    shown.push_back(c.Caption + "|" + c.ToolTip + "|" + ::testing::PrintToString(look));
  };
  for (const Control& die : m.DieImages) shown.push_back(die.Visible ? "die" : "");
  for (const Control* c :
       {&m.ThrowArea, &m.UndoArea, &m.RollsLeftLabel, &m.RollsPerCategoryLabel, &m.BonusLabel,
        &m.TotalLabel, &m.ClearTopTenLabel, &m.PlayerLabel, &m.SoundSwitch, &m.MoveButton}) {
    add(*c);
  }
  for (const auto* controls : {&m.CategoryRows, &m.CategoryScores})
    for (const Control& c : *controls) add(c);
  for (const Control& row : m.TopTenRows) add(row);
  const Rgb bonus = m.BonusLabel.ForeColor;
  shown.push_back(::testing::PrintToString(
      std::vector<int>{m.HintMarker.Visible, bonus.Red, bonus.Green, bonus.Blue}));
  return shown;
}

TEST_F(NewGameTest, RestartPutsBackEverythingTheFirstGameStartedWith) {
  Start();
  const std::vector<std::string> first = Shown(game->main);
  const GameState fresh = game->state;
  const auto expectFresh = [&] {
    ASSERT_NE(Shown(game->main), first);
    game->Restart();
    EXPECT_EQ(Shown(game->main), first);
    EXPECT_EQ(game->state, fresh);
    const HighscoreEntry& c = game->run.Candidate;
    EXPECT_EQ(c.Points + c.Key + c.Date + std::to_string(game->run.PageStart) +
                  std::to_string(game->main.PageTimer.Enabled()),
              "00010");
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

// Every yes/no question: its text and title, the answer it proposes, and what Yes does that No
// leaves undone.
TEST_F(NewGameTest, QuestionsDoTheirWorkOnlyOnYes) {
  struct Question {
    const char* what;
    std::function<void(Game&)> ask;
    int text;
    bool yesIsDefault;
    std::function<bool()> done;
  };
  const Question questions[] = {
      // A new game has the later greeting, and its clock counts from the start.
      {"new game", [](Game& g) { g.NewGameClicked(); }, 6, false,
       [this] {
         return game->state.RollsLeft == 60 && game->run.Said == TestText(7) &&
                game->main.PlayClock.Enabled();
       }},
      {"quit", [](Game& g) { g.QuitClicked(); }, 11, false, [this] { return host.ended; }},
      {"clear", [](Game& g) { g.ClearTopTen(); }, 13, false,
       [this] { return Ini("Highscore", "p1") == "0"; }},
      {"submit", [](Game& g) { g.TopTenRowClicked(1); }, 14, true,
       [this] { return game->main.ProfileTimer.Enabled(); }},
  };
  for (const Question& q : questions) {
    for (const bool yes : {false, true}) {
      SCOPED_TRACE(std::string(q.what) + (yes ? " yes" : " no"));
      Start();
      game->StoreGroup({{"Highscore", "p1", "250"}, {"Users", "antal", "1"}});
      Throw({1, 3, 3, 5, 6, 6});
      host = FakeHost{};
      host.answers = {yes};
      q.ask(*game);
      ASSERT_EQ(host.boxes.size(), 1u);
      const Box& box = host.boxes[0];
      EXPECT_EQ(std::tuple(box.kind, box.text, box.title, box.yesIsDefault, q.done()),
                std::tuple(Box::Question, TestText(q.text), TestText(5), q.yesIsDefault, yes));
    }
  }
  host = FakeHost{};
  game->CloseClicked();  // the close square asks nothing
  EXPECT_TRUE(host.ended && host.boxes.empty());
}

// The finished game's record itself is the rules' test; here the game end hands it on, also when
// New game is asked for in the moment before it.
TEST_F(NewGameTest, NewGameBeforeTheEndHandsEveryKeeperTheGameInTheListsWrite) {
  std::vector<FinishedGame> kept;
  game->KeepGames([&](const FinishedGame& finished, const IniReader& current) {
    kept.push_back(finished);
    // Worked out under the lock, from the file as the list's write finds it.
    return std::vector<IniChange>{{"Statistics", "games", current("Statistics", "games") + "1"}};
  });
  Start();
  // Use up the pool on one category so the entry ends the game.
  for (int roll = 1; roll < 60; ++roll) Table({1, 2, 3, 4, 6, 6});
  Table({6, 6, 6, 6, 6, 6});
  game->EnterCategory(20);
  ASSERT_TRUE(game->main.GameEndTimer.Enabled());
  for (int tick = 0; tick < 75; ++tick) game->PlayClockTick();
  host.answers = {true};
  host.inputs = {std::string("Eve")};
  dice.draws = {0.5};  // the check value's digit: 5
  game->NewGameClicked();
  EXPECT_FALSE(game->main.GameEndTimer.Enabled() || game->state.RollsLeft != 60);
  ASSERT_EQ(kept.size(), 1U);
  const FinishedGame& g = kept[0];
  EXPECT_EQ(std::tuple(g.Total, g.RollsUsed, g.PlaySeconds, g.Year, g.Month, g.Day),
            std::tuple(100, 60, 75, 2026, 12, 6));
  EXPECT_EQ(Ini("Highscore", "p1") + " " + Ini("Highscore", "k1") + " " + Ini("Highscore", "n1") +
                " " + Ini("Statistics", "games"),
            "100 58457382511 Eve (1:15) 1");
  // The end has run: its tick later finds nothing to do.
  const auto boxes = host.boxes.size();
  game->EndGame();
  EXPECT_EQ(host.boxes.size() - boxes + kept.size(), 1U);
}

}  // namespace
}  // namespace pyxaro::testing
