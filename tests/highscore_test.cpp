#include <cmath>
#include <sstream>

#include "highscores/highscore_rules.h"
#include "scoring/check_value.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

// A total enters above the first lower row; a name is cut at twenty characters and keeps no
// character that steers the text.
TEST(HighscoreRulesTest, PlayTimeMonthCheckValueRowAndName) {
  std::string shown;
  for (const int seconds : {0, 9, 70, 3599, 32767}) shown += PlayTimeText(seconds) + " ";
  EXPECT_EQ(shown, "0:00 0:09 1:10 59:59 546:07 ");
  EXPECT_EQ(
      std::tuple(GameMonth(2026, 12), GameMonth(2000, 6), VersionNumber("5.04"), VersionNumber("")),
      std::tuple(2612, 6, 504, 0));
  EXPECT_EQ(CheckValue(1, 0, 0, 32767), "19899998-32758");  // the version's 16 bits
  using Points = OneBased<int, kTopTenRows>;
  const Points full{{300, 290, 280, 270, 260, 250, 240, 230, 220, 210}};
  // The points of the rows, the total, the row it enters (0: none).
  const std::tuple<Points, int, int> cases[] = {
      {Points{}, 0, 0},
      {Points{}, 7, 1},
      {full, 255, 6},
      {full, 211, 10},
      {Points{{300, 250, 250, 200, 190, 180, 170, 160, 150, 140}}, 250, 4},
      {Points{{300, 100, 280, 270, 260, 255, 254, 253, 252, 251}}, 200, 2}};  // hand-edited
  for (const auto& [points, total, row] : cases)
    EXPECT_EQ(EntryRow(points, total), row) << total << " " << points[1] << " " << points[2];
  std::string stored = ListName(std::nullopt);
  for (const char* typed :
       {"", "\u2066\u2069\u202A", "ABCDEFGHIJKLMNOPQRSTUVWXY", "ÅÄÖåäöéèêëÉÈÊËüÜñÑçÇßø",
        "Ann\u202Eevil", "a\tb\nc\x7F\x64", "<h1>Bo</h1>", "x\u200Fy\u00C5"})
    stored += "|" + ListName(std::string(typed));
  EXPECT_EQ(stored,
            "Anonymous|Anonymous|Anonymous|ABCDEFGHIJKLMNOPQRST|ÅÄÖåäöéèêëÉÈÊËüÜñÑçÇ|Annevil|abcd|"
            "<h1>Bo</h1>|xy\u00C5");
}

constexpr const char* kFull = "300 290 280 270 260 250 240 230 220 210";

class HighscoreTest : public GameTest {
 protected:
  void SetUp() override { Start(); }

  void Set(const std::string& key, const std::string& value) { Store({{"Highscore", key, value}}); }
  // Rows 1.. with these blank-separated points, names "P<r>" and keys "K<r>".
  void StoreList(const std::string& points) {
    std::istringstream in(points);
    std::string p;
    for (int r = 1; in >> p; ++r)
      for (const auto& [field, value] :
           {std::pair{"p", p}, {"n", "P" + std::to_string(r)}, {"k", "K" + std::to_string(r)}})
        Set(field + std::to_string(r), value);
  }
  void EndGame(int total, int seconds) {
    host.boxes.clear();
    host.played.clear();
    GameTest::EndGame(total, seconds);
  }
  std::string Row(const char* field, int r) const {
    return Ini("Highscore", field + std::to_string(r));
  }
};

// Each total tops the list, so row 1 holds the check value of the game just ended.
TEST_F(HighscoreTest, CheckValueDrawsItsDigitFromOneToNineInEqualNinths) {
  // The lowest and the highest draws of each ninth of [0, 1) give its digit.
  int total = 100;
  for (int digit = 1; digit <= 9; ++digit)
    for (const double draw : {digit == 1 ? 0.0 : (digit - 1) / 9.0 + 1e-9,
                              digit == 9 ? std::nextafter(1.0, 0.0) : digit / 9.0 - 1e-9}) {
      chance.draws = {draw};
      host.inputs = {std::nullopt};
      EndGame(++total, 0);
      // December 2026, version 5.04.
      EXPECT_EQ(Row("k", 1), CheckValue(digit, total, 2612, 504)) << draw;
    }
  EXPECT_EQ(chance.reseeds, 18);
}

// The game end writes the list back as the numbers it counted as, and asks for a name and plays the
// fanfare only for a total that enters.
TEST_F(HighscoreTest, GameEndRewritesTheListAndAsksForANameOnlyForATotalThatEnters) {
  // The points stored, the total, the row it enters and the points after: an equal total stands
  // below the older ones.
  const std::tuple<std::string, int, int, const char*> cases[] = {
      {"300 280.9 many 0 0 0 0 0 0 0", 10, 3, "300 280 10 0 0 0 0 0 0 0"}, {kFull, 210, 0, kFull}};
  const std::vector<Played> fanfare{{folder.File("Yatzy.wav"), true},
                                    {folder.File("Laser.wav"), false}};
  Set("name", "Al");
  for (const auto& [stored, total, rank, pointsAfter] : cases) {
    SCOPED_TRACE(total);
    StoreList(stored);
    if (rank > 0) host.inputs.push_back("Eve");
    EndGame(total, 65);
    std::string points, boxes;
    for (int r = 1; r <= kTopTenRows; ++r) points += (r > 1 ? " " : "") + Row("p", r);
    EXPECT_EQ(std::tuple(points, game->TopTen().NewRank(), Board().PlayClock.Enabled()),
              std::tuple(pointsAfter, rank, false));
    // The name prompt, proposing the last name given, then the final score.
    for (const Box& b : host.boxes)
      boxes += std::to_string(b.kind) + b.text + "|" + b.title + "|" + b.defaultText + "\n";
    const std::string prompt = "2" + TestText(9) + "|" + TestText(8) + "|Al\n";
    EXPECT_EQ(boxes, (rank > 0 ? prompt : "") + "1" + TestText(16) + " " + std::to_string(total) +
                         " p  @ 1:05 (play time)||\n");
    EXPECT_EQ(host.played, rank > 0 ? fanfare : std::vector<Played>{});
    if (rank == 0) continue;
    EXPECT_EQ(Row("n", rank) + Row("k", rank) + Row("d", rank) + "|" + Ini("Highscore", "name"),
              "Eve (1:05)" + CheckValueOf(total) + "2612|Eve");
  }
}

TEST_F(HighscoreTest, NamesFromTheFileAreShownWithoutSteeringCharacters) {
  // Each place that misses any one of them shows more than the letters.
  const std::string name = "LI\u202E\u2067\x1B\u202A\u0085\u200F\u061C\u2028\u2029VE";
  folder.Write("Pyx4.ini", "[Options]\nShowLangu=No\n[Language]\nantal=1\nl1p=test.lng\nl1n=" +
                               name + "\n[Highscore]\np1=99\nk1=K\nn1=" + name + "\nname=" + name +
                               "\n[Users]\nantal=1\nselected=1\npass1=pw\nuser1=" + name + "\n");
  game->Do(Command::OpenProfiles);
  game->Start();
  host.inputs = {std::nullopt};
  EndGame(100, 1);
  const ProfilesForm& profiles = game->Profiles().Window();
  EXPECT_EQ((std::vector{
                game->TopTen().View().Rows[2].Caption, game->Profiles().View().PlayerLabel.Caption,
                profiles.ProfileList.Items.at(0), profiles.NameField.Caption,
                game->Texts().Picker().LanguageList.Items.at(0), host.boxes.at(0).defaultText}),
            (std::vector<std::string>{"2. 99 LIVE", "LIVE", "LIVE", "LIVE", "LIVE", "LIVE"}));
}

TEST_F(HighscoreTest, RowsShowOnlyCompleteEntriesAndClearingIsOfferedForTen) {
  const TopTenView& m = game->TopTen().View();
  StoreList(kFull);
  Set("n10", "Eve (9:58)");
  // A row without its check value is no entry: it is not shown, and the list is not full.
  Set("k4", "");
  NewGame();
  EXPECT_FALSE(m.ClearLabel.Visible);
  EXPECT_EQ(m.Rows[3].Caption + "|" + m.Rows[4].Caption + "|" + m.Rows[10].Caption + "|" +
                m.Rows[10].ToolTip,
            "3. 280 P3||10. 210 Eve (9:58)| " + TestText(12) + "  (210 p) ");
  Set("k4", "K4");
  NewGame();
  EXPECT_TRUE(m.ClearLabel.Visible);
  EXPECT_LT(m.Rows[10].Left, m.Rows[9].Left) << "\"10.\" is wider: its row starts left";

  host.answers = {true};
  game->Do(Command::ClearTopTen);
  std::string rows;
  for (int r = 1; r <= kTopTenRows; ++r)
    rows += Row("p", r) + Row("n", r) + Row("k", r) + Row("d", r) + m.Rows[r].Caption + " ";
  EXPECT_EQ(rows, "0 0 0 0 0 0 0 0 0 0 ");
  EXPECT_FALSE(m.ClearLabel.Visible);
}

}  // namespace
}  // namespace pyxaro::testing
