#include <cmath>
#include <sstream>

#include "highscores/highscore_rules.h"
#include "scoring/check_value.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

TEST(HighscoreRulesTest, PlayTimeMonthAndCheckValue) {
  EXPECT_EQ(PlayTimeText(0) + " " + PlayTimeText(9) + " " + PlayTimeText(70) + " " +
                PlayTimeText(3599) + " " + PlayTimeText(32767),
            "0:00 0:09 1:10 59:59 546:07");
  EXPECT_EQ(
      std::tuple(GameMonth(2026, 12), GameMonth(2000, 6), VersionNumber("5.04"), VersionNumber("")),
      std::tuple(2612, 6, 504, 0));
  EXPECT_EQ(CheckValue(1, 0, 6, 504), "19899992515");
  EXPECT_EQ(CheckValue(1, 0, 0, 32767), "19899998-32758");  // the version's 16 bits
}

TEST(HighscoreRulesTest, ATotalEntersAboveTheFirstLowerRow) {
  using Points = OneBased<int, kTopTenRows>;
  const Points full{{300, 290, 280, 270, 260, 250, 240, 230, 220, 210}};
  // The points of the rows, the total, the row it enters (0: none).
  const std::tuple<Points, int, int> cases[] = {
      {Points{}, 0, 0},
      {Points{}, 7, 1},
      {full, 255, 6},
      {full, 211, 10},
      {full, 210, 0},  // an equal total stands below the older ones
      {Points{{300, 250, 250, 200, 190, 180, 170, 160, 150, 140}}, 250, 4},
      {Points{{300, 100, 280, 270, 260, 255, 254, 253, 252, 251}}, 200, 2}};  // hand-edited
  for (const auto& [points, total, row] : cases) {
    EXPECT_EQ(EntryRow(points, total), row) << total << " " << points[1] << " " << points[2];
  }
  EXPECT_EQ(std::tuple(StoredPoints("280.9"), StoredPoints("many"), StoredPoints("")),
            std::tuple(280, 0, 0));
}

class HighscoreTest : public GameTest {
 protected:
  void SetUp() override { Start(); }

  // Rows 1.. with these points (blank-separated), names "P<r>" and keys "K<r>".
  void StoreList(const std::string& points) {
    std::istringstream in(points);
    std::string p;
    for (int r = 1; in >> p; ++r) {
      for (const auto& [field, value] :
           {std::pair{"p", p}, {"n", "P" + std::to_string(r)}, {"k", "K" + std::to_string(r)}}) {
        SetINI("Highscore", field + std::to_string(r), value, folder.File("Pyx4.ini"));
      }
    }
  }
  void EndGame(int total, int seconds) {
    host.boxes.clear();
    host.played.clear();
    GameTest::EndGame(total, seconds);
  }
  void NewGame() {
    host.answers.push_back(true);
    game->Do(Command::NewGame);
  }
  std::string Row(const char* field, int r) const {
    return Ini("Highscore", field + std::to_string(r));
  }
};

// Keeps the check value of every finished game.
struct CheckValues : GameKeeper {
  std::vector<IniChange> Changes(const FinishedGame& game, const IniReader&) override {
    values.push_back(game.CheckValue);
    return {};
  }
  std::vector<std::string> values;
};

TEST_F(HighscoreTest, CheckValueDrawsItsDigitFromOneToNineInEqualNinths) {
  CheckValues kept;
  game->KeepGames(kept);
  // The lowest and the highest draws of each ninth of [0, 1) give its digit.
  constexpr double kStep = 1e-9;
  std::vector<std::string> expected;
  for (int digit = 1; digit <= 9; ++digit) {
    const double low = digit == 1 ? 0.0 : (digit - 1) / 9.0 + kStep;
    const double high = digit == 9 ? std::nextafter(1.0, 0.0) : digit / 9.0 - kStep;
    for (const double draw : {low, high}) {
      GameState over;  // a game of 250 points, over on its last roll
      over.Score[kChance] = 250;
      over.RollsLeft = 0;
      over.ThrowEntered = true;
      game->Continue(over);
      dice.draws = {draw};
      host.inputs = {std::nullopt};
      game->Do(Command::GameEndTick);
      expected.push_back(CheckValue(digit, 250, 2612, 504));  // December 2026, version 5.04
    }
  }
  EXPECT_EQ(kept.values, expected);
  EXPECT_EQ(dice.reseeds, 18);
}

TEST_F(HighscoreTest, GameEndPlacesTheTotalRewritesTheListAndStartsANewGame) {
  constexpr const char* kFull = "300 290 280 270 260 250 240 230 220 210";
  // The points stored, the total, the row it enters and the points after.
  const std::tuple<const char*, std::string, int, int, const char*> cases[] = {
      {"no list yet", "", 120, 1, "120 0 0 0 0 0 0 0 0 0"},
      {"points that are no number", "300 280.9 many 0 0 0 0 0 0 0", 10, 3,
       "300 280 10 0 0 0 0 0 0 0"},
      {"the tenth row", kFull, 215, 10, "300 290 280 270 260 250 240 230 220 215"},
      {"equal to row 10", kFull, 210, 0, kFull}};
  for (const auto& [what, stored, total, rank, pointsAfter] : cases) {
    SCOPED_TRACE(what);
    StoreList(stored);
    const std::string lastName = Ini("Highscore", "name");
    if (rank > 0) host.inputs.push_back("Eve");
    EndGame(total, 65);
    EXPECT_FALSE(game->Turn().View().PlayClock.Enabled());
    std::string points, bold;
    for (int r = 1; r <= kTopTenRows; ++r) {
      points += (r > 1 ? " " : "") + Row("p", r);
      bold += game->TopTen().View().Rows[r].Bold ? std::to_string(r) : "";
    }
    EXPECT_EQ(std::tuple(points, game->TopTen().NewRank(), bold),
              std::tuple(pointsAfter, rank, rank > 0 ? std::to_string(rank) : ""));
    // The name prompt when the total enters, then the final score.
    std::string boxes;
    for (const Box& b : host.boxes)
      boxes += std::to_string(b.kind) + b.text + "|" + b.title + "|" + b.defaultText + "\n";
    const std::string prompt = "2" + TestText(9) + "|" + TestText(8) + "|" + lastName + "\n";
    EXPECT_EQ(boxes, (rank > 0 ? prompt : "") + "1" + TestText(16) + " " + std::to_string(total) +
                         " p  @ 1:05||\n");
    if (rank > 0) {
      EXPECT_EQ(Row("n", rank) + Row("k", rank) + Row("d", rank) + "|" + Row("n", rank + 1) + "|" +
                    Ini("Highscore", "name"),
                "Eve (1:05)" + CheckValueOf(total) + "2612|" + (rank == 3 ? "P3" : "") + "|Eve");
    }
    const std::vector<Played> fanfare{{folder.File("Yatzy.wav"), true},
                                      {folder.File("Laser.wav"), false}};
    EXPECT_EQ(host.played, rank > 0 ? fanfare : std::vector<Played>{});
    EXPECT_EQ(game->Turn().State().Total(), 0);
  }
}

TEST(ListNameTest, CutsAtTwentyCharactersAndKeepsNoCharacterThatSteersTheText) {
  std::string stored = ListName(std::nullopt);
  for (const char* typed :
       {"", "\u2066\u2069\u202A", "ABCDEFGHIJKLMNOPQRSTUVWXY", "ÅÄÖåäöéèêëÉÈÊËüÜñÑçÇßø",
        "Ann\u202Eevil", "a\tb\nc\x7F\x64", "<h1>Bo</h1>", "x\u200Fy\u00C5"}) {
    stored += "|" + ListName(std::string(typed));
  }
  EXPECT_EQ(stored,
            "Anonymous|Anonymous|Anonymous|ABCDEFGHIJKLMNOPQRST|ÅÄÖåäöéèêëÉÈÊËüÜñÑçÇ|Annevil|abcd|"
            "<h1>Bo</h1>|x\u200Fy\u00C5");
}

TEST_F(HighscoreTest, NamesFromTheFileAreShownWithoutSteeringCharacters) {
  for (const char* steer : {"\u202E", "\u2067", "\x1B", "\u202A", "\u0085"}) {
    SCOPED_TRACE(steer);
    const std::string name = std::string("LI") + steer + "VE";
    folder.Write("Pyx4.ini",
                 "[Options]\nShowLangu=No\n[Language]\nantal=1\nl1p=test.lng\nl1n=" + name +
                     "\n[Highscore]\np1=99\nk1=K\nn1=" + name + "\nname=" + name +
                     "\n[Users]\nantal=1\nselected=1\npass1=pw\nuser1=" + name + "\n");
    game->Do(Command::CancelProfiles);
    game->Do(Command::OpenProfiles);
    game->Start();
    host.inputs = {std::nullopt};
    EndGame(100, 1);
    const ProfilesForm& profiles = game->Profiles().Window();
    const std::vector<std::string> shown{game->TopTen().View().Rows[2].Caption,
                                         game->Profiles().View().PlayerLabel.Caption,
                                         profiles.ProfileList.Items.at(0),
                                         profiles.NameField.Caption,
                                         game->Texts().Picker().LanguageList.Items.at(0),
                                         host.boxes.at(0).defaultText};
    for (const std::string& text : shown) EXPECT_EQ(text.find(steer), std::string::npos) << text;
    EXPECT_EQ(game->TopTen().View().Rows[2].Caption, "2. 99 LIVE");
    host = FakeHost{};
  }
}

TEST_F(HighscoreTest, RowsShowOnlyCompleteEntriesAndClearingIsOfferedForTen) {
  const TopTenView& m = game->TopTen().View();
  StoreList("300 290 280 270 260 250 240 230 220 210");
  SetINI("Highscore", "n10", "Eve (9:58)", folder.File("Pyx4.ini"));
  NewGame();
  EXPECT_TRUE(m.ClearLabel.Visible);
  // A row that lost its check value is no entry: it is not shown anew, and the list is not full.
  SetINI("Highscore", "k4", "", folder.File("Pyx4.ini"));
  SetINI("Highscore", "p1", "301", folder.File("Pyx4.ini"));
  NewGame();
  EXPECT_FALSE(m.ClearLabel.Visible);
  EXPECT_EQ(m.Rows[1].Caption + "|" + m.Rows[4].Caption + "|" + m.Rows[10].Caption + "|" +
                m.Rows[10].ToolTip,
            "1. 301 P1|4. 270 P4|10. 210 Eve (9:58)| " + TestText(12) + "  (210 p) ");
  EXPECT_LT(m.Rows[10].Left, m.Rows[9].Left) << "\"10.\" is wider: its row starts left";
  SetINI("Highscore", "k4", "K4", folder.File("Pyx4.ini"));
  host.inputs.push_back("Al");
  EndGame(285, 0);
  EXPECT_TRUE(m.ClearLabel.Visible);

  host.answers = {false, true};
  game->Do(Command::ClearTopTen);
  EXPECT_EQ(m.Rows[1].Caption, "1. 301 P1");
  EXPECT_TRUE(m.ClearLabel.Visible);
  game->Do(Command::ClearTopTen);
  std::string rows;
  for (int r = 1; r <= kTopTenRows; ++r)
    rows += Row("p", r) + Row("n", r) + Row("k", r) + Row("d", r) + m.Rows[r].Caption + " ";
  EXPECT_EQ(rows, "0 0 0 0 0 0 0 0 0 0 ");
  EXPECT_FALSE(m.ClearLabel.Visible);
  EXPECT_TRUE(m.Rows[3].Bold);

  host.inputs.push_back("Bo");
  EndGame(50, 10);
  EXPECT_EQ(m.Rows[1].Caption, "1. 50 Bo (0:10)");
  EXPECT_FALSE(m.ClearLabel.Visible);
}

}  // namespace
}  // namespace pyxaro::testing
