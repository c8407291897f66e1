#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "highscores/highscore_rules.h"
#include "tests/game_fixture.h"

namespace pyxaro {
namespace {

using testing::Box;
using testing::TestText;

TEST(HighscoreRulesTest, PlayTimeAndMonth) {
  const std::vector<std::pair<int, std::string>> times{
      {0, "0:00"}, {59, "0:59"}, {65, "1:05"}, {3600, "60:00"}, {32767, "546:07"}};
  for (const auto& [seconds, text] : times) EXPECT_EQ(PlayTimeText(seconds), text);
  EXPECT_EQ(GameMonth(2026, 12), 2612);
  EXPECT_EQ(GameMonth(2000, 6), 6);
}

class HighscoreTest : public testing::GameTest {
 protected:
  void SetUp() override { Start(); }

  // Rows 1.. with the points given, names "P<r>" and keys "K<r>".
  void StoreList(const std::vector<std::string>& points) {
    for (int r = 1; r <= static_cast<int>(points.size()); ++r) {
      const std::string n = std::to_string(r);
      game->Store("Highscore", "p" + n, points.at(static_cast<std::size_t>(r - 1)));
      game->Store("Highscore", "n" + n, "P" + n);
      game->Store("Highscore", "k" + n, "K" + n);
    }
  }

  void EndGame(int total, int seconds) {
    game->state.TotalScore = total;
    game->state.PlaySeconds = static_cast<std::int16_t>(seconds);
    game->run.Candidate.Key = "31234567890";
    game->main.TimerPlay.SetEnabled(true);
    host.boxes.clear();
    host.played.clear();
    game->KollaScore();
  }

  std::string Row(const char* field, int r) const {
    return Ini("Highscore", field + std::to_string(r));
  }
};

struct PlacementCase {
  const char* what;
  std::vector<std::string> stored;
  int total;
  int rank;
  const char* pointsAfter;
};

void PrintTo(const PlacementCase& c, std::ostream* out) { *out << c.what; }

class PlacementTest : public HighscoreTest, public ::testing::WithParamInterface<PlacementCase> {};

const std::vector<std::string> kFull{"300", "290", "280", "270", "260",
                                     "250", "240", "230", "220", "210"};
const std::vector<std::string> kCleared(10, "0");
const char* const kFullAfter = "300 290 280 270 260 250 240 230 220 210";

INSTANTIATE_TEST_SUITE_P(
    Lists, PlacementTest,
    ::testing::Values(
        PlacementCase{"no list yet", {}, 120, 1, "120 0 0 0 0 0 0 0 0 0"},
        PlacementCase{"full list", kFull, 255, 6, "300 290 280 270 260 255 250 240 230 220"},
        PlacementCase{"equal totals enter below",
                      {"300", "250", "250", "200", "190", "180", "170", "160", "150", "140"},
                      250,
                      4,
                      "300 250 250 250 200 190 180 170 160 150"},
        PlacementCase{"equal to row 10", kFull, 210, 0, kFullAfter},
        PlacementCase{"below row 10", kFull, 5, 0, kFullAfter},
        PlacementCase{"cleared, nothing scored", kCleared, 0, 0, "0 0 0 0 0 0 0 0 0 0"},
        PlacementCase{"cleared", kCleared, 7, 1, "7 0 0 0 0 0 0 0 0 0"},
        PlacementCase{"hand-edited out of order",
                      {"300", "100", "280", "270", "260", "255", "254", "253", "252", "251"},
                      200,
                      2,
                      "300 200 100 280 270 260 255 254 253 252"},
        PlacementCase{"points that are no number",
                      {"300", "280.9", "many"},
                      10,
                      3,
                      "300 280 10 0 0 0 0 0 0 0"}));

TEST_P(PlacementTest, GameEndPlacesRewritesAndStartsANewGame) {
  const PlacementCase& c = GetParam();
  StoreList(c.stored);
  if (c.rank > 0) host.inputs.push_back("Eve");
  EndGame(c.total, 65);

  EXPECT_FALSE(game->main.TimerPlay.Enabled());
  EXPECT_EQ(game->run.NewRank, c.rank);
  std::string points;
  for (int r = 1; r <= kTopTenRows; ++r) {
    points += (r > 1 ? " " : "") + Row("p", r);
    EXPECT_EQ(game->main.Topp[r].Bold, r == c.rank) << r;
  }
  EXPECT_EQ(points, c.pointsAfter);
  if (c.rank > 0) {
    EXPECT_EQ(host.boxes.front().kind, Box::Input);
    EXPECT_EQ(Row("n", c.rank), "Eve (1:05)");
    EXPECT_EQ(Row("k", c.rank), "31234567890");
    EXPECT_EQ(Row("d", c.rank), "2612");
    if (c.rank < static_cast<int>(c.stored.size())) {
      EXPECT_EQ(Row("n", c.rank + 1), "P" + std::to_string(c.rank));
    }
    const std::vector<testing::Played> fanfare{{folder.File("Yatzy.wav"), true},
                                               {folder.File("Laser.wav"), false}};
    EXPECT_EQ(host.played, fanfare);
  } else {
    EXPECT_TRUE(host.played.empty());
  }
  // The final score is the one box besides the name prompt.
  ASSERT_EQ(host.boxes.size(), c.rank > 0 ? 2U : 1U);
  EXPECT_EQ(host.boxes.back().kind, Box::Message);
  EXPECT_EQ(host.boxes.back().text, TestText(16) + " " + std::to_string(c.total) + " p  @ 1:05");
  EXPECT_EQ(host.boxes.back().title, "");
  EXPECT_EQ(game->state.TotalScore, 0);
}

TEST_F(HighscoreTest, NameIsCutAtTwentyCharactersNotBytes) {
  const std::vector<std::pair<std::optional<std::string>, std::string>> cases{
      {std::nullopt, "Anonymous"},
      {"", "Anonymous"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXY", "ABCDEFGHIJKLMNOPQRST"},
      {"ÅÄÖåäöéèêëÉÈÊËüÜñÑçÇßø", "ÅÄÖåäöéèêëÉÈÊËüÜñÑçÇ"},
  };
  std::string lastName;
  for (const auto& [answer, name] : cases) {
    StoreList(kCleared);
    host.inputs.push_back(answer);
    EndGame(100, 42);
    const Box& prompt = host.boxes.front();
    EXPECT_EQ(prompt.text, TestText(9));
    EXPECT_EQ(prompt.title, TestText(8));
    EXPECT_EQ(prompt.defaultText, lastName);
    EXPECT_EQ(Row("n", 1), name + " (0:42)");
    lastName = Ini("Highscore", "name");
    EXPECT_EQ(lastName, name);
  }
}

TEST_F(HighscoreTest, RowsShowOnlyCompleteEntries) {
  StoreList(kFull);
  game->Store("Highscore", "n10", "Eve (9:58)");
  game->Store("Highscore", "k4", "");
  game->main.Topp[4].Caption = "as before";
  game->UpdatTopp();
  EXPECT_EQ(game->main.Topp[1].Caption, "1. 300 P1");
  EXPECT_EQ(game->main.Topp[10].Caption, "10. 210 Eve (9:58)");
  EXPECT_EQ(game->main.Topp[10].ToolTip, " " + TestText(12) + "  (210 p) ");
  EXPECT_EQ(game->main.Topp[4].Caption, "as before");
}

TEST_F(HighscoreTest, ClearToppIsOfferedOnlyForTenShownRows) {
  StoreList(std::vector<std::string>(9, "100"));
  game->Restart();
  EXPECT_FALSE(game->main.ClearTopp.Visible);
  StoreList(kFull);
  game->Restart();
  EXPECT_TRUE(game->main.ClearTopp.Visible);
  EXPECT_EQ(game->main.ClearTopp.Caption, "text 1");  // "text 13" less its last character
}

TEST_F(HighscoreTest, ClearingEmptiesTheListOnYesOnly) {
  StoreList(kFull);
  game->Restart();
  game->run.NewRank = 3;
  host.answers = {false, true};
  game->ClearTopp();
  EXPECT_EQ(game->main.Topp[1].Caption, "1. 300 P1");
  EXPECT_TRUE(game->main.ClearTopp.Visible);

  game->ClearTopp();
  EXPECT_EQ(host.boxes.back().text, TestText(13));
  EXPECT_EQ(host.boxes.back().title, TestText(5));
  EXPECT_FALSE(host.boxes.back().yesIsDefault);
  for (int r = 1; r <= kTopTenRows; ++r) {
    EXPECT_EQ(Row("p", r) + "|" + Row("n", r) + "|" + Row("k", r) + "|" + Row("d", r), "0|||");
    EXPECT_EQ(game->main.Topp[r].Caption, "");
  }
  EXPECT_FALSE(game->main.ClearTopp.Visible);
  EXPECT_TRUE(game->main.Topp[3].Bold);

  host.inputs.push_back("Bo");
  EndGame(50, 10);
  EXPECT_EQ(game->main.Topp[1].Caption, "1. 50 Bo (0:10)");
  EXPECT_FALSE(game->main.ClearTopp.Visible);
}

// Every category once, in order, each with a throw that fits it.
TEST_F(HighscoreTest, WholeGameEndsInTheList) {
  const std::vector<std::vector<int>> throws{
      {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6},
      {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}, {6, 6, 1, 2, 3, 4}, {6, 6, 5, 5, 1, 2},
      {6, 6, 5, 5, 4, 4}, {6, 6, 6, 1, 2, 3}, {6, 6, 6, 6, 1, 2}, {6, 6, 6, 6, 6, 1},
      {1, 2, 3, 4, 5, 1}, {2, 3, 4, 5, 6, 2}, {1, 2, 3, 4, 5, 6}, {6, 6, 6, 5, 5, 1},
      {6, 6, 6, 5, 5, 5}, {6, 6, 6, 6, 5, 5}, {6, 6, 6, 6, 6, 5}, {6, 6, 6, 6, 6, 6}};
  for (int k = 1; k <= kCategoryCount; ++k) {
    const auto& faces = throws.at(static_cast<std::size_t>(k - 1));
    dice.faces.assign(faces.begin(), faces.end());
    game->Roll();
    game->EnterKateg(k);
    game->TimerPlayTick();
  }
  ASSERT_TRUE(game->main.TimerEnd.Enabled());
  ASSERT_EQ(game->state.TotalScore, 443);

  host.inputs.push_back("Tester");
  dice.faces = {2};  // the check value's digit: 3
  game->TimerEndTick();

  EXPECT_EQ(Ini("Highscore", "p1"), "443");
  EXPECT_EQ(Ini("Highscore", "n1"), "Tester (0:20)");
  EXPECT_EQ(Ini("Highscore", "k1"), "35247384513");
  EXPECT_EQ(Ini("Highscore", "d1"), "2612");
  EXPECT_EQ(host.boxes.back().text, TestText(16) + " 443 p  @ 0:20");
  EXPECT_TRUE(game->main.Roll.Enabled);
}

}  // namespace
}  // namespace pyxaro
