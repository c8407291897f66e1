#include <algorithm>
#include <map>

#include "core/version.h"
#include "highscores/submission_rules.h"
#include "scoring/check_value.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

// The faces of the dice each throw of a game threw, by roll and die.
using ThrownFaces = std::map<std::pair<int, int>, int>;

// Plays the game `game` holds through the board to its end: the faces each throw threw.
ThrownFaces FacesThrown(const std::unique_ptr<Game>& game, Player& player) {
  ThrownFaces thrown;
  PlayThrough(game, player, {}, [&](const Move& move, const GameState& before) {
    for (int die = 1; die <= kDiceCount && move.kind == Move::Kind::Throw; ++die) {
      if (!before.OnTable(die)) thrown[{NextRoll(before), die}] = game->Turn().State().Dice[die];
    }
  });
  return thrown;
}

class DayGameTest : public GameTest {
 protected:
  // D asked and the question answered Yes.
  static void StartDayGame(Game& game, FakeHost& desktop) {
    desktop.answers.push_back(true);
    game.Do(Command::DayGame);
  }
  // The game end's tick, the name asked for the top ten given; for a game of the day that the
  // day has no result for yet, the question whether to send it answered.
  void EndDayGame(bool offered) {
    host.inputs.push_back("Ann");
    chance.draws.push_back(0.5);
    if (offered) host.answers.push_back(false);
    game->Do(Command::GameEndTick);
  }

  static constexpr CalendarDay kToday{2026, 12, 6};  // the fake desktop's
};

TEST_F(DayGameTest, TwoCopiesOnTodaysGameThrowTheSameFacesOnEveryRollBothThrow) {
  OtherCopy morning(folder, {2026, 12, 6, 8, 30, 30600.5, "December"});
  Start();
  StartDayGame(*game, host);
  // The morning player started a game of their own before.
  morning.host.choices.push_back(0);
  morning.game->Do(Command::NewGame);
  StartDayGame(*morning.game, morning.host);
  EXPECT_EQ(Said(), "TODAY 12-06");
  AdvisorPlayer advisorPlayer(TheAdvisor());
  RandomPlayer randomPlayer(11);
  const ThrownFaces evening = FacesThrown(game, advisorPlayer);
  const ThrownFaces early = FacesThrown(morning.game, randomPlayer);
  int common = 0;
  for (const auto& [rollAndDie, face] : evening) {
    const auto other = early.find(rollAndDie);
    if (other == early.end()) continue;
    ++common;
    EXPECT_EQ(other->second, face) << "roll " << rollAndDie.first << " die " << rollAndDie.second;
  }
  EXPECT_GT(common, 60);
}

TEST_F(DayGameTest, ADayGameGoesOnAfterAKillCountsOnceAndIsReviewedBesideTheAdvisor) {
  Start();
  StartDayGame(*game, host);
  game->Do(Command::Throw);
  Restart();
  EXPECT_EQ(Ini("Game", "day"), "2026-12-06");
  AdvisorPlayer player(TheAdvisor());
  PlayThrough(game, player);
  const int advisorTotal = AdvisorTotal(TheAdvisor(), SeededDice(), DaySeed(kToday));
  // The advisor, playing on from the first throw, made its own game.
  EXPECT_EQ(game->Turn().State().Total(), advisorTotal);
  const std::string record = GetINI("Game", "moves", IniFile(), {"Game"});
  StoreProfiles({"Ann"}, "1");
  Store({{"Internet", "send", "http://list.example/submit"}, {"Options", "ShowUser", "No"}});
  host.inputs.push_back("Ann");
  chance.draws.push_back(0.5);
  host.answers.push_back(true);
  game->Do(Command::GameEndTick);
  const std::string said =
      "The advisor made " + std::to_string(advisorTotal) + " on the day's dice";
  EXPECT_NE(game->Coach().Window().Summary.find(said), std::string::npos);
  EXPECT_TRUE(std::any_of(host.boxes.begin(), host.boxes.end(), [&](const Box& box) {
    return box.kind == Box::Message && box.text.find(said) != std::string::npos;
  })) << "the final box";
  game->Do(Command::ProfileTick);
  game->Do(Command::SendTick);
  ASSERT_EQ(host.opened.size(), 1U);
  EXPECT_EQ(host.opened[0], DaySubmissionAddress("http://list.example/submit",
                                                 {"Ann", "pwAnn", VersionNumber(kAppVersion),
                                                  "2026-12-06", advisorTotal, record}));
  EXPECT_EQ(Ini("Day", "points"), std::to_string(advisorTotal));
  // R after a restart shows the same review.
  Restart();
  game->Do(Command::OpenReview);
  EXPECT_NE(game->Coach().Window().Summary.find(said), std::string::npos);

  // The second game of the day: told at its start, kept in the top ten and the statistics, but not
  // the day's result, and not offered.
  StartDayGame(*game, host);
  EXPECT_EQ(Said(), "TODAY 12-06 again: only a day's first game counts for it");
  RandomPlayer again(5);
  PlayThrough(game, again);
  EndDayGame(false);
  EXPECT_EQ(Ini("Statistics", "games") + " " + Ini("Day", "points"),
            "2 " + std::to_string(advisorTotal));
  EXPECT_EQ(host.opened.size(), 1U);
}

// Today's game cannot count twice.
TEST_F(DayGameTest, AnEarlierDaysGameFinishedLateLeavesTheLaterDaysResult) {
  Store({{"Day", "day", "2026-12-07"}, {"Day", "points", "480"}});
  Start();
  StartDayGame(*game, host);
  AdvisorPlayer player(TheAdvisor());
  PlayThrough(game, player);
  EndDayGame(false);
  EXPECT_EQ(Ini("Day", "day") + " " + Ini("Day", "points"), "2026-12-07 480");
}

TEST_F(DayGameTest, ADayThatIsNotTheSeedsIsNotTakenForTheGameOfTheDay) {
  Start();
  game->Do(Command::Throw);
  Store({{"Game", "day", "2026-12-06"}});
  Restart();
  AdvisorPlayer player(TheAdvisor());
  PlayThrough(game, player);
  EndDayGame(false);
  EXPECT_EQ(Ini("Day", "day"), "");
}

}  // namespace
}  // namespace pyxaro::testing
