#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "settings/ini_disk.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

constexpr auto kAfterEveryMove = [](int) { return true; };

class KilledGameTest : public GameTest {
 protected:
  // Plays a whole game through the board up to its end, which it leaves to run. After each move
  // `killed` takes, counted from 1, the program is killed and started anew, and stands as the move
  // left it.
  void Play(Player& player, const std::function<bool(int move)>& killed,
            const MoveHook& beforeThrow = {}) {
    Start();
    int moves = 0;
    const auto before = [&](const Move& move, const GameState& state) {
      // The play time goes with the next move's save.
      if (moves % 3 == 0) game->Do(Command::PlayClockTick);
      if (move.kind == Move::Kind::Throw && beforeThrow) beforeThrow(move, state);
    };
    PlayThrough(game, player, before, [&](const Move&, const GameState&) {
      if (!killed(++moves)) return;
      const GameState after = game->Turn().State();
      Restart();
      ASSERT_EQ(game->Turn().State(), after) << "killed after move " << moves;
    });
  }
  // The finished game's end, killed before it ran, runs at the next start, and only then; its
  // review shows.
  ReviewForm EndsOnceAfterRestarts(int total) {
    host.inputs.push_back("Ann");
    chance.draws.push_back(0.5);
    EXPECT_TRUE(game->Turn().View().GameEndTimer.Enabled());
    game->Do(Command::GameEndTick);
    const ReviewForm review = game->Coach().Window();
    Restart();
    EXPECT_FALSE(game->Turn().View().GameEndTimer.Enabled());
    // The list keeps its empty rows as 0 points.
    EXPECT_EQ(
        Ini("Highscore", "p1") + " " + Ini("Highscore", "p2") + " " + Ini("Statistics", "games"),
        std::to_string(total) + " 0 1");
    EXPECT_TRUE(review.Visible);
    return review;
  }
};

TEST_F(KilledGameTest, TheAdvisorsAndARandomPlayersGamesGoOnAfterAKillAtEveryMoveAndEndOnce) {
  AdvisorPlayer advisorPlayer(TheAdvisor());
  RandomPlayer randomPlayer(3);
  const std::string fresh = folder.Read("Pyx4.ini");
  for (Player* player : std::initializer_list<Player*>{&advisorPlayer, &randomPlayer}) {
    folder.Write("Pyx4.ini", fresh);
    MakeGame();
    Play(*player, kAfterEveryMove);
    EndsOnceAfterRestarts(game->Turn().State().Total());
  }
}

TEST_F(KilledGameTest, TheLongestGameGoesOnFromEveryMoveEndsOnceAndIsReviewedAfterARestart) {
  LongestPlayer player;
  // Its first 2,000 moves lie at one throw, blocks of the same seven moves over and over: it is
  // killed after every move of the first and the last blocks and of its later throws, and in the
  // blocks between after every fifth move, at each place of a block in turn.
  const auto killed = [](int move) {
    return move <= 20 || move % 5 == 0 || move >= static_cast<int>(kMostRecordedMoves) - 20;
  };
  Play(player, killed, [&](const Move&, const GameState& state) {
    const OneBased<int, kDiceCount> faces = LongestPlayer::NextFaces(state);
    dice.faces.insert(dice.faces.end(), faces.begin(), faces.end());
  });
  // Read as other programs read the file, the value keeps its old limit.
  EXPECT_EQ(Ini("Game", "moves").size(), 1023U);
  EXPECT_EQ(GetINI("Game", "moves", folder.File("Pyx4.ini"), {"Game"}).size(), kLongestRecord);
  const ReviewForm atTheEnd = EndsOnceAfterRestarts(game->Turn().State().Total());
  game->Do(Command::OpenReview);
  EXPECT_EQ(game->Coach().Window(), atTheEnd);
}

TEST_F(KilledGameTest, TwoCopiesThatBothEndOneGameEnterItOnce) {
  const std::string fresh = folder.Read("Pyx4.ini");
  enum class Order { FirstEndsFirst, SecondEndsFirst, SecondEndsWhileTheFirstAsks };
  for (const Order order :
       {Order::FirstEndsFirst, Order::SecondEndsFirst, Order::SecondEndsWhileTheFirstAsks}) {
    folder.Write("Pyx4.ini", fresh);
    MakeGame();
    AdvisorPlayer player(TheAdvisor());
    Play(player, [](int) { return false; });
    const int total = game->Turn().State().Total();
    std::unique_ptr<Game> first = std::move(game);
    Restart();
    ASSERT_EQ(game->Turn().State(), first->Turn().State());
    chance.draws.insert(chance.draws.end(), {0.5, 0.5});  // each copy's check value
    // One name a question: a question more would fail the test.
    host.inputs.push_back("Ann");
    if (order == Order::SecondEndsWhileTheFirstAsks) {
      host.inputs.push_back("Bo");
      host.whileOpen = [&] { game->Do(Command::GameEndTick); };
    }
    (order == Order::SecondEndsFirst ? game : first)->Do(Command::GameEndTick);
    (order == Order::SecondEndsFirst ? first : game)->Do(Command::GameEndTick);
    EXPECT_EQ(
        Ini("Highscore", "p1") + " " + Ini("Highscore", "p2") + " " + Ini("Statistics", "games"),
        std::to_string(total) + " 0 1")
        << static_cast<int>(order);
  }
}

TEST_F(KilledGameTest, AMoveTheFileDoesNotTakeIsToldAndTheNextOneKeepsIt) {
  const std::string file = folder.File("Pyx4.ini");
  const std::function<std::function<void()>()> blockers[] = {
      [&] {
        ::chmod(file.c_str(), 0444);
        return [&] { ::chmod(file.c_str(), 0644); };
      },
      [&] {
        const int lock = ::open(ini::LockFileName(file).c_str(), O_RDWR | O_CREAT, 0644);
        ::flock(lock, LOCK_EX);
        return [lock] { ::close(lock); };
      }};
  Start();
  Table({1, 2, 3, 4, 5, 6});
  int die = 0;
  for (const auto& block : blockers) {
    const std::function<void()> unblock = block();
    game->PickUp(Die{++die});
    EXPECT_EQ(Said(), "This move could not be saved") << die;
    unblock();
  }
  game->PickUp(Die{++die});
  const GameState after = game->Turn().State();
  Restart();
  EXPECT_EQ(game->Turn().State(), after);
}

}  // namespace
}  // namespace pyxaro::testing
