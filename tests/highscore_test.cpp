#include <cmath>
#include <optional>
#include <sstream>

#include "highscores/check_value.h"
#include "highscores/highscore_rules.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

TEST(HighscoreRulesTest, PlayTimeMonthAndCheckValue) {
  for (const auto& [seconds, text] :
       {std::pair{0, "0:00"}, {9, "0:09"}, {70, "1:10"}, {3599, "59:59"}, {32767, "546:07"}}) {
    EXPECT_EQ(PlayTimeText(seconds), text);
  }
  EXPECT_EQ(GameMonth(2026, 12), 2612);
  EXPECT_EQ(GameMonth(2000, 6), 6);
  EXPECT_EQ(VersionNumber("5.04"), 504);
  EXPECT_EQ(VersionNumber(""), 0);
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
  for (const auto& [text, points] : {std::pair{"280.9", 280}, {"many", 0}, {"", 0}}) {
    EXPECT_EQ(StoredPoints(text), points) << text;
  }
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
        game->Store("Highscore", field + std::to_string(r), value);
      }
    }
  }
  void EndGame(int total, int seconds) {
    game->run.Candidate.Key = "31234567890";
    game->main.PlayClock.SetEnabled(true);
    host.boxes.clear();
    host.played.clear();
    game->RecordScore(EndedGame(total, seconds));
  }
  std::string Row(const char* field, int r) const {
    return Ini("Highscore", field + std::to_string(r));
  }
};

TEST_F(HighscoreTest, CheckValueDrawsItsDigitFromOneToNineInEqualNinths) {
  // The lowest and the highest draws of each ninth of [0, 1) give its digit.
  constexpr double kStep = 1e-9;
  for (int digit = 1; digit <= 9; ++digit) {
    const double low = digit == 1 ? 0.0 : (digit - 1) / 9.0 + kStep;
    const double high = digit == 9 ? std::nextafter(1.0, 0.0) : digit / 9.0 - kStep;
    for (const double draw : {low, high}) {
      dice.draws = {draw};
      game->MakeCheckValue(250);  // December 2026, version 5.04
      EXPECT_EQ(game->run.Candidate.Key, CheckValue(digit, 250, 2612, 504)) << draw;
    }
  }
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
    EXPECT_FALSE(game->main.PlayClock.Enabled());
    EXPECT_EQ(game->run.NewRank, rank);
    std::string points;
    for (int r = 1; r <= kTopTenRows; ++r) {
      points += (r > 1 ? " " : "") + Row("p", r);
      EXPECT_EQ(game->main.TopTenRows[r].Bold, r == rank) << r;
    }
    EXPECT_EQ(points, pointsAfter);
    if (rank > 0) {
      const Box& prompt = host.boxes.front();
      EXPECT_EQ(prompt.kind, Box::Input);
      EXPECT_EQ(prompt.text + "|" + prompt.title + "|" + prompt.defaultText,
                TestText(9) + "|" + TestText(8) + "|" + lastName);
      EXPECT_EQ(Row("n", rank) + Row("k", rank) + Row("d", rank), "Eve (1:05)312345678902612");
      EXPECT_EQ(Row("n", rank + 1), rank == 3 ? "P3" : "");
      EXPECT_EQ(Ini("Highscore", "name"), "Eve");
    }
    const std::vector<Played> fanfare{{folder.File("Yatzy.wav"), true},
                                      {folder.File("Laser.wav"), false}};
    EXPECT_EQ(host.played, rank > 0 ? fanfare : std::vector<Played>{});
    // The final score is the one box besides the name prompt.
    ASSERT_EQ(host.boxes.size(), rank > 0 ? 2U : 1U);
    EXPECT_EQ(host.boxes.back().kind, Box::Message);
    EXPECT_EQ(host.boxes.back().text + "|" + host.boxes.back().title,
              TestText(16) + " " + std::to_string(total) + " p  @ 1:05|");
    EXPECT_EQ(game->state.Total(), 0);
  }
}

TEST(ListNameTest, CutsAtTwentyCharactersAndKeepsNoCharacterThatSteersTheText) {
  const std::pair<std::optional<std::string>, std::string> cases[] = {
      {std::nullopt, "Anonymous"},
      {"", "Anonymous"},
      {"\u2066\u2069\u202A", "Anonymous"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXY", "ABCDEFGHIJKLMNOPQRST"},
      {"ÅÄÖåäöéèêëÉÈÊËüÜñÑçÇßø", "ÅÄÖåäöéèêëÉÈÊËüÜñÑçÇ"},
      {"Ann\u202Eevil", "Annevil"},
      {"a\tb\nc\x7F"
       "d",
       "abcd"},
      {"<h1>Bo</h1>", "<h1>Bo</h1>"},
      {"x\u200Fy\u00C5", "x\u200Fy\u00C5"}};
  for (const auto& [typed, stored] : cases)
    EXPECT_EQ(ListName(typed), stored) << typed.value_or("-");
}

TEST_F(HighscoreTest, RowsShowOnlyCompleteEntries) {
  StoreList("300 290 280 270 260 250 240 230 220 210");
  game->Store("Highscore", "n10", "Eve (9:58)");
  game->Store("Highscore", "k4", "");
  game->main.TopTenRows[4].Caption = "as before";
  game->ShowTopTen();
  EXPECT_EQ(game->main.TopTenRows[1].Caption, "1. 300 P1");
  EXPECT_EQ(game->main.TopTenRows[10].Caption, "10. 210 Eve (9:58)");
  EXPECT_EQ(game->main.TopTenRows[10].ToolTip, " " + TestText(12) + "  (210 p) ");
  EXPECT_EQ(game->main.TopTenRows[4].Caption, "as before");
}

// Names already in the settings file, wherever the game shows them, lose
// the characters that steer text just as a typed name does.
TEST_F(HighscoreTest, NamesFromTheFileAreShownWithoutSteeringCharacters) {
  for (const char* steer : {"\u202E", "\u2067", "\x1B", "\u202A", "\u0085"}) {
    SCOPED_TRACE(steer);
    const std::string name = std::string("LI") + steer + "VE";
    ASSERT_TRUE(game->StoreGroup({{"Highscore", "p1", "99"},
                                  {"Highscore", "n1", name},
                                  {"Highscore", "k1", "K"},
                                  {"Highscore", "name", name},
                                  {"Users", "antal", "1"},
                                  {"Users", "selected", "1"},
                                  {"Users", "user1", name},
                                  {"Users", "pass1", "pw"},
                                  {"Language", "l1n", name}}));
    game->ShowTopTen();
    game->ShowPlayer();
    game->profiles = ProfilesForm{};
    game->OpenProfiles();
    game->OpenLanguagePicker();
    host.inputs = {std::nullopt};
    EndGame(100, 1);
    const std::vector<std::string> shown{
        game->main.TopTenRows[2].Caption,        game->main.PlayerLabel.Caption,
        game->profiles.ProfileList.Items.at(0),  game->profiles.NameField.Caption,
        game->language.LanguageList.Items.at(0), host.boxes.at(0).defaultText};
    for (const std::string& text : shown) EXPECT_EQ(text.find(steer), std::string::npos) << text;
    EXPECT_EQ(game->main.TopTenRows[2].Caption, "2. 99 LIVE");
    host = FakeHost{};
  }
}

TEST_F(HighscoreTest, ClearingIsOfferedForTenShownRowsAndEmptiesTheListOnYes) {
  StoreList("100 100 100 100 100 100 100 100 100");
  game->Restart();
  EXPECT_FALSE(game->main.ClearTopTenLabel.Visible);
  StoreList("300 290 280 270 260 250 240 230 220 210");
  game->Restart();
  EXPECT_TRUE(game->main.ClearTopTenLabel.Visible);

  game->run.NewRank = 3;
  host.answers = {false, true};
  game->ClearTopTen();
  EXPECT_EQ(game->main.TopTenRows[1].Caption, "1. 300 P1");
  EXPECT_TRUE(game->main.ClearTopTenLabel.Visible);
  game->ClearTopTen();
  for (int r = 1; r <= kTopTenRows; ++r) {
    EXPECT_EQ(Row("p", r) + "|" + Row("n", r) + "|" + Row("k", r) + "|" + Row("d", r), "0|||");
    EXPECT_EQ(game->main.TopTenRows[r].Caption, "");
  }
  EXPECT_FALSE(game->main.ClearTopTenLabel.Visible);
  EXPECT_TRUE(game->main.TopTenRows[3].Bold);

  host.inputs.push_back("Bo");
  EndGame(50, 10);
  EXPECT_EQ(game->main.TopTenRows[1].Caption, "1. 50 Bo (0:10)");
  EXPECT_FALSE(game->main.ClearTopTenLabel.Visible);
}

}  // namespace
}  // namespace pyxaro::testing
