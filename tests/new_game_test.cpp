#include <cctype>

#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

using NewGameTest = GameTest;

// Which language text each control shows; the clear button's is "text 13" less its last character.
TEST_F(NewGameTest, EachControlShowsItsLanguageText) {
  Start();
  const TurnView& turn = Board();
  const Control& player = game->Profiles().View().PlayerLabel;
  const Control& clear = game->TopTen().View().ClearLabel;
  EXPECT_EQ(
      (std::vector<std::string>{player.ToolTip, game->Sound().View().Switch.ToolTip,
                                game->Window().View().MoveButton.ToolTip,
                                turn.RollsLeftLabel.ToolTip, turn.RollsPerCategoryLabel.ToolTip,
                                turn.CategoryRows[19].ToolTip, player.Caption, clear.Caption,
                                clear.ToolTip}),
      (std::vector<std::string>{" text 18 ", " text 19 ", " text 26 ", " text 20 ", " text 21 ",
                                "text 22: open", "text 23", "text 1", "text 1"}));
}

// What the player sees of the controls a new game puts back.
std::vector<std::string> Shown(const Game& game) {
  const TurnView& m = game.Turn().View();
  std::vector<std::string> shown;
  const auto add = [&](const Control& c) {
    const std::vector<int> look{c.Enabled, c.Visible, c.Left, c.Top, c.Width, c.Height};
    shown.push_back(c.Caption + "|" + c.ToolTip + "|" + ::testing::PrintToString(look));
  };
  for (const Control& die : m.DieImages) shown.push_back(die.Visible ? "die" : "");
  for (const Control* c :
       {&m.ThrowArea, &m.UndoArea, &m.RollsLeftLabel, &m.RollsPerCategoryLabel, &m.BonusLabel,
        &m.TotalLabel, &game.TopTen().View().ClearLabel, &game.Profiles().View().PlayerLabel,
        &game.Sound().View().Switch, &game.Window().View().MoveButton})
    add(*c);
  for (const auto* controls : {&m.CategoryRows, &m.CategoryScores})
    for (const Control& c : *controls) add(c);
  for (const Control& row : game.TopTen().View().Rows) add(row);
  shown.push_back(::testing::PrintToString(std::tuple(m.HintMarker.Visible, m.BonusLabel.ForeColor,
                                                      game.Display().View().PageTimer.Enabled())));
  return shown;
}

TEST_F(NewGameTest, RestartPutsBackEverythingTheFirstGameStartedWith) {
  // The refusal of a worthless entry says a message of three pages.
  folder.Write("test.lng", "[Language]\nl2=a message of three pages, no less\n");
  Start();
  const std::vector<std::string> first = Shown(*game);
  const GameState fresh = game->Turn().State();
  // Right after an entry that won the bonus, a refused one's long message paging and its throw
  // still on the table.
  for (int face = 6; face >= 4; --face) {
    Table(std::vector<int>(6, face));
    game->Enter(CategoryNumber{face});
  }
  game->Do(Command::PlayClockTick);
  Table({1, 1, 2, 2, 3, 3});
  game->Enter(CategoryNumber{20});
  game->Do(Command::PageTick);
  ASSERT_NE(Shown(*game), first);
  NewGame();
  EXPECT_EQ(Shown(*game), first);
  EXPECT_EQ(game->Turn().State(), fresh);
}

// In the test language, then without a language file, in the built-in English.
TEST_F(NewGameTest, QuestionsDoTheirWorkOnlyOnYes) {
  const auto command = [this](Command asking) { return [this, asking] { game->Do(asking); }; };
  const std::tuple<std::function<void()>, TextKey, bool, std::function<bool()>> questions[] = {
      // Today's game says so, and its clock counts from the start.
      {command(Command::DayGame), text::kAskDayGame, true,
       [this] {
         return game->Turn().State().RollsLeft == 60 && Said() == "TODAY 12-06" &&
                Board().PlayClock.Enabled();
       }},
      {command(Command::Quit), text::kAskQuit, false, [this] { return host.ended; }},
      {command(Command::ChangeLanguage), text::kAskLanguage, false,
       [this] { return game->Texts().Picker().Visible; }},
      {command(Command::ClearTopTen), text::kAskClearTopTen, false,
       [this] { return Ini("Highscore", "p1") == "0"; }},
      {[this] { game->Pick(List::TopTen, Row{0}); }, text::kAskSend, true,
       [this] { return game->Profiles().View().ProfileTimer.Enabled(); }},
  };
  for (const bool english : {false, true}) {
    if (english) folder.Write("test.lng", "");
    for (const auto& [ask, asked, yesIsDefault, done] : questions) {
      for (const bool yes : {false, true}) {
        SCOPED_TRACE(std::string(asked.key) + (yes ? " yes" : " no") + (english ? " English" : ""));
        Start();
        Store({{"Highscore", "p1", "250"}, {"Users", "antal", "1"}});
        Throw({1, 3, 3, 5, 6, 6});
        host = FakeHost{};
        host.answers = {yes};
        ask();
        ASSERT_EQ(host.boxes.size(), 1u);
        const Box& box = host.boxes[0];
        // The test language numbers the older keys only; the newer fall back to English.
        const bool numbered = asked.key[0] == 'l' && std::isdigit(asked.key[1]);
        const std::string said = english || !numbered ? std::string(asked.english)
                                                      : "text " + std::string(asked.key.substr(1));
        EXPECT_EQ(
            std::tuple(box.kind, box.text, box.title, box.yesIsDefault, done()),
            std::tuple(Box::Question, said, english ? "Pyxaro" : TestText(5), yesIsDefault, yes));
      }
    }
  }
  host = FakeHost{};
  game->Do(Command::Close);  // the close square asks nothing
  EXPECT_TRUE(host.ended && host.boxes.empty());
}

// New game offers a new game and today's game; Cancel keeps the game in play.
TEST_F(NewGameTest, TheNewGameQuestionStartsTheGameChosen) {
  const std::pair<std::optional<int>, std::string> choices[] = {
      {std::nullopt, ""}, {0, TestText(7)}, {1, "TODAY 12-06"}};
  for (const auto& [choice, said] : choices) {
    Start();
    Throw({1, 3, 3, 5, 6, 6});
    host = FakeHost{};
    host.choices = {choice};
    game->Do(Command::NewGame);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(std::tuple(host.boxes[0].kind, host.boxes[0].text, game->Turn().State().RollsLeft,
                         choice ? Said() : ""),
              std::tuple(Box::Choice, TestText(6), choice ? 60 : 59, said));
  }
}

// A keeper of games of a few lines: it counts the games in a key of its own.
struct CountingKeeper : GameKeeper {
  std::vector<IniChange> Changes(const FinishedGame& finished, const IniReader& current) override {
    kept.push_back(finished);
    // Worked out under the lock, from the file as the list's write finds it.
    return {{"Kept", "games", current("Kept", "games") + "1"}};
  }
  void Written(const FinishedGame&, bool stored) override { written.push_back(stored); }

  std::vector<FinishedGame> kept;
  std::vector<bool> written;
};

TEST_F(NewGameTest, NewGameBeforeTheEndHandsEveryKeeperTheGameInTheListsWrite) {
  CountingKeeper keeper;
  game->KeepGames(keeper);
  const std::vector<FinishedGame>& kept = keeper.kept;
  Start();
  // Use up the pool on one category so the entry ends the game.
  for (int roll = 1; roll < 60; ++roll) Table({1, 2, 3, 4, 6, 6});
  Table({6, 6, 6, 6, 6, 6});
  game->Enter(CategoryNumber{20});
  ASSERT_TRUE(Board().GameEndTimer.Enabled());
  for (int tick = 0; tick < 75; ++tick) game->Do(Command::PlayClockTick);
  host.choices = {0};
  host.inputs = {std::string("Eve")};
  chance.draws = {0.5};  // the check value's digit: 5
  game->Do(Command::NewGame);
  EXPECT_FALSE(Board().GameEndTimer.Enabled() || game->Turn().State().RollsLeft != 60);
  ASSERT_EQ(kept.size(), 1U);
  const FinishedGame& g = kept[0];
  EXPECT_EQ(std::tuple(g.Total, g.RollsUsed, g.PlaySeconds, g.Year, g.Month, g.Day, g.CheckValue),
            std::tuple(100, 60, 75, 2026, 12, 6, "58457382511"));
  EXPECT_EQ(keeper.written, std::vector<bool>{true});
  EXPECT_EQ(Ini("Highscore", "p1") + " " + Ini("Highscore", "k1") + " " + Ini("Highscore", "n1") +
                " " + Ini("Kept", "games"),
            "100 58457382511 Eve (1:15) 1");
  // The end has run: its tick later finds nothing to do.
  const auto boxes = host.boxes.size();
  game->Do(Command::GameEndTick);
  EXPECT_EQ(host.boxes.size() - boxes + kept.size(), 1U);
}

}  // namespace
}  // namespace pyxaro::testing
