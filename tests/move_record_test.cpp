#include "scoring/move_record.h"

#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

// Whether a game could stand so after moves by the rules, as far as its own facts tell: dice
// thrown or not, scores within each category's reach, no more entries than throws.
bool LooksLegal(const GameState& state) {
  if (state.RollsLeft < 0 || state.RollsLeft > kRollPool) return false;
  for (const int face : state.Dice) {
    if (face < (state.Thrown() ? 1 : 0) || face > (state.Thrown() ? kDiceFaces : 0)) return false;
  }
  int entries = 0;
  for (const Category& category : kCategories) {
    const int score = state.Score[category.number];
    if (score < 0 || score > category.max) return false;
    entries += score > 0 ? 1 : 0;
  }
  return entries <= kRollPool - state.RollsLeft && (entries > 0 || !state.ThrowEntered);
}

// A damaged record that replays reads back as written, so that no two texts mean one game.
TEST(MoveRecordTest, RecordsReplayToTheirGameAndDamagedOnesToALegalOneOrNone) {
  std::mt19937 chance(29);
  int refused = 0;
  for (unsigned game = 0; game < 300; ++game) {
    RandomPlayer player(game);
    const auto [record, played] = PlayGame(player, SeededDice(), game);
    const std::string text = RecordText(record);
    ASSERT_EQ(ParseRecord(text), record) << text;
    ASSERT_EQ(Replay(record), played) << text;
    ASSERT_EQ(Replay(record, SeededDice(), game), played) << text;
    ASSERT_EQ(Replay(record, SeededDice(), game + 1), std::nullopt) << text;
    for (int damage = 0; damage < 20; ++damage) {
      std::string damaged = text.substr(0, chance() % (text.size() + 1));
      const char character = "TPUE=r0123456789 -xt"[chance() % 20];
      if (damage % 3 == 1 && !damaged.empty()) damaged[chance() % damaged.size()] = character;
      if (damage % 3 == 2) damaged.insert(chance() % (damaged.size() + 1), 1, character);
      const auto parsed = ParseRecord(damaged);
      const auto replayed = parsed ? Replay(*parsed) : std::nullopt;
      refused += replayed ? 0 : 1;
      ASSERT_TRUE(!replayed || (LooksLegal(*replayed) && RecordText(*parsed) == damaged))
          << damaged;
    }
  }
  EXPECT_GT(refused, 300);
}

// Records of moves each nearly right; a text of another spelling is the property's above.
TEST(MoveRecordTest, HostileRecordsAreRefused) {
  std::string overThePool;
  for (int throws = 0; throws <= kRollPool; ++throws)
    overThePool += "T111111r" + std::to_string(kRollPool - 1 - throws) + " P1 ";
  std::string tooLong = "T123456r59";
  for (std::size_t moves = 0; moves < 2 * kMostRecordedMoves; ++moves) tooLong += " P1 U";
  // A face off the die or one too few, the wrong rolls left, a throw with none picked up or that
  // changes a die left on the table, moves before the first throw, a die or category off the
  // board, points the dice do not make, a throw entered twice.
  std::vector<std::string> refused{overThePool, tooLong};
  for (const char* text :
       {"T723456r59", "T023456r59", "T12345r59", "T123456r58", "T123456r59 T123456r58",
        "T123456r59 P1 T213456r58", "U", "P1", "E1=1", "T123456r59 P0", "T123456r59 P7",
        "T111111r59 E1=7", "T111111r59 E1=-6", "T111111r59 E21=6", "T111111r59 E1=6 E2=0"})
    refused.emplace_back(text);
  for (const std::string& text : refused) {
    const auto parsed = ParseRecord(text);
    EXPECT_FALSE(parsed && Replay(*parsed)) << text.substr(0, 60);
  }
}

TEST(MoveRecordTest, AFullRecordTakesBackPickUpsInsteadOfAddingAnUndo) {
  MoveRecord record(kMostRecordedMoves - 1, Move::Throw({}, 0));
  AddMove(record, Move::PickUp(2));  // the record is full
  AddMove(record, Move::Undo());
  EXPECT_EQ(record.size(), kMostRecordedMoves - 1);
}

using SavedGameTest = GameTest;

TEST_F(SavedGameTest, AGameQuitUnfinishedGoesOnAtTheNextStart) {
  Start();
  Table({6, 6, 6, 2, 3, 4});
  game->Enter(CategoryNumber{6});
  Table({1, 1, 5, 5, 2, 3});
  game->PickUp(Die{5});
  game->Do(Command::PlayClockTick);
  game->Do(Command::ShowAdvice);
  const GameState before = game->Turn().State();
  const std::string advice = Said();
  host.answers.push_back(true);
  game->Do(Command::Quit);
  MakeGame();  // the program started again on the same folder
  Start();
  EXPECT_EQ(std::tuple(game->Turn().State(), game->Turn().Hinted() > 0,
                       Board().AdviceRowMark.Visible || Board().AdviceDieMarks[3].Visible, Said()),
            std::tuple(before, true, true, advice));
  Throw({4});
  EXPECT_EQ(game->Turn().State().RollsLeft, 57);
}

TEST_F(SavedGameTest, ABadRecordStartsANewGameAndEveryEndOfAGameClearsIt) {
  // A throw of seed 5's first roll with one face changed: faces its seed does not give.
  OneBased<int, kDiceCount> faces = SeededDice().Roll(5, 1);
  faces[3] = faces[3] % kDiceFaces + 1;
  const std::string fresh = folder.Read("Pyx4.ini");
  const std::string kept[] = {"moves=T999999r59\ntime=-5\n",
                              "seed=5\nmoves=" + RecordText({Move::Throw(faces, 59)}) + "\n",
                              "seed=-5\nmoves=T123456r59\n"};
  for (const std::string& stored : kept) {
    folder.Write("Pyx4.ini", fresh + "[Game]\n" + stored);
    MakeGame();
    Start();
    EXPECT_EQ(std::pair(game->Turn().State(), Said()),
              std::pair(GameState{}, std::string("The saved game could not be read: a new game")))
        << stored;
    EXPECT_EQ(Ini("Game", "moves"), "");
  }
  const std::pair<Command, std::function<void()>> ends[] = {
      {Command::NewGame, [this] { host.choices.push_back(0); }},
      {Command::ChangeLanguage, [this] { host.answers.push_back(true); }},
      {Command::GameEndTick, [this] {
         host.inputs.push_back(std::string("Eve"));
         EndGame(300);
       }}};
  for (const auto& [command, prepare] : ends) {
    Table({1, 2, 3, 4, 5, 6});
    ASSERT_NE(Ini("Game", "moves"), "");
    prepare();
    game->Do(command);
    EXPECT_EQ(Ini("Game", "moves"), "") << static_cast<int>(command);
    if (command == Command::ChangeLanguage) {
      game->Do(Command::ConfirmLanguage);
      game->Do(Command::SplashTimeUp);
    }
  }
}

}  // namespace
}  // namespace pyxaro::testing
