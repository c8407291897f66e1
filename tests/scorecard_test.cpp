#include <algorithm>
#include <array>
#include <random>

#include "scoring/categories.h"
#include "scoring/entry.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

// Games played by the rules alone: every die picked up and thrown, then the
// hinted category entered, or a random one tried when there is no hint.
// Every game ends within the pool, adds up to its scores and the bonus, and
// tells the bonus won or lost once, when the upper section settles it.
TEST(EntryRulesTest, GamesPlayedByTheRulesEndAndAddUp) {
  std::mt19937 random(17);
  std::uniform_int_distribution<int> face(1, kDiceFaces);
  std::uniform_int_distribution<int> anyCategory(1, kCategoryCount);
  for (int game = 0; game < 3000; ++game) {
    GameState state;
    int bonusTold = 0;
    while (!IsOver(state)) {
      for (bool& lying : state.Lying) lying = false;
      ASSERT_TRUE(CanThrow(state));
      OneBased<int, kDiceCount> faces;
      for (int& f : faces) f = face(random);
      state = AfterThrow(state, faces);
      const int hinted = HintedCategory(state);
      const int k = hinted != 0 ? hinted : anyCategory(random);
      const EntryOutcome outcome = Enter(state, k);
      ASSERT_EQ(outcome.Result == EntryResult::Entered, state.IsOpen(k) && outcome.Points > 0);
      ASSERT_EQ(outcome.Points, state.IsOpen(k) ? CategoryValue(k, state.Dice.items) : 0);
      if (hinted != 0) {
        ASSERT_EQ(outcome.Result, EntryResult::Entered);
      }
      if (outcome.Result != EntryResult::Entered) {
        ASSERT_EQ(outcome.After, state);
      }
      bonusTold += (outcome.BonusWon ? 1 : 0) + (outcome.BonusLost ? 1 : 0);
      state = outcome.After;
    }
    EXPECT_GE(state.RollsLeft, 0);
    EXPECT_FALSE(CanThrow(state));
    int sum = 0;
    for (const int score : state.Score) sum += score;
    const bool won = state.UpperSum() >= kBonusThreshold;
    EXPECT_EQ(state.Total(), sum + (won ? kUpperBonus : 0));
    EXPECT_EQ(bonusTold, won || state.UpperFull() ? 1 : 0);
  }
}

class ScorecardTest : public GameTest {
 protected:
  void SetUp() override { Start(); }
};

// What an entry does to the game is the rules' test above; here is what the
// player is told of a refusal. Whether a sound plays at all is the sound test's.
TEST_F(ScorecardTest, AWorthlessEntryIsToldAndTheCategoryStaysOpen) {
  // The faces thrown (none: nothing thrown yet this game) and the category.
  const std::pair<std::vector<int>, int> cases[] = {{{}, 19}, {{6, 6, 1, 2, 3, 4}, 8}};
  for (const auto& [faces, category] : cases) {
    SCOPED_TRACE(category);
    game->Restart();
    if (!faces.empty()) Table(faces);
    host.played.clear();
    const GameState before = game->state;
    game->EnterCategory(category);
    EXPECT_EQ(game->state, before);
    EXPECT_TRUE(game->main.CategoryRows[category].Enabled);
    EXPECT_EQ(game->main.CategoryScores[category].Caption, "");
    EXPECT_EQ(game->run.Said, TestText(2));
    EXPECT_EQ(host.played, (std::vector<Played>{{folder.File("doink.wav"), false}}));
  }
  Table({6, 6, 5, 5, 1, 1});
  game->EnterCategory(8);
  EXPECT_EQ(game->main.CategoryScores[8].Caption, "22");
}

TEST_F(ScorecardTest, ScoreLabelsAndYatzy) {
  const std::tuple<std::vector<int>, int, const char*, Rgb> entries[] = {
      {{6, 6, 6, 6, 6, 1}, 6, "30", colour::Gold},
      {{6, 6, 6, 6, 6, 6}, 11, "24", colour::White},
      {{5, 5, 5, 4, 4, 6}, 16, "23", colour::Gold},
      {{2, 2, 2, 2, 2, 2}, 20, "100", colour::White}};
  for (const auto& [faces, category, caption, colour] : entries) {
    Table(faces);
    host.played.clear();
    game->EnterCategory(category);
    EXPECT_EQ(game->main.CategoryScores[category].Caption, caption);
    EXPECT_EQ(game->main.CategoryScores[category].ForeColor, colour);
  }
  EXPECT_EQ(game->main.TotalLabel.Caption, "177");
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"points.wav", "Yatzy.wav"}));
  EXPECT_EQ(game->run.Said, "yatzy! + 100");
}

TEST_F(ScorecardTest, UpperBonus) {
  // The upper entries (10 x category + how many dice show its face), then the
  // bonus label, the total and the message.
  const std::tuple<std::vector<int>, const char*, Rgb, int, std::string> cases[] = {
      {{14, 24, 34, 44, 54, 64}, "100", colour::Gold, 184, "bonus! + 100"},         // exactly 84
      {{66, 56, 46, 11, 21, 31}, "100", colour::Gold, 196, TestText(1) + ": 196"},  // won early
      {{13, 24, 34, 44, 54, 64}, "0", colour::Gold, 83, TestText(17)},
      {{64, 53, 42}, "-37", colour::LightRed, 47, TestText(1) + ": 47"},
      {{11, 21, 31, 41, 51, 61}, "0", colour::Gold, 21, "No bonus"},  // without the l17 text
  };
  for (const auto& [entries, bonus, colour, total, said] : cases) {
    SCOPED_TRACE(total);
    if (said == "No bonus") folder.Write("test.lng", "[Language]\n");
    game->Restart();
    host.played.clear();
    for (const int entry : entries) {
      const int face = entry / 10;
      std::vector<int> faces(static_cast<std::size_t>(entry % 10), face);
      for (int other = 1; faces.size() < 6; ++other) {
        if (other != face) faces.push_back(other);
      }
      Table(faces);
      game->EnterCategory(face);
    }
    EXPECT_EQ(game->main.BonusLabel.Caption, bonus);
    EXPECT_EQ(game->main.BonusLabel.ForeColor, colour);
    EXPECT_EQ(game->main.TotalLabel.Caption, std::to_string(total));
    const auto sounds = Sounds();
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "Bonus.wav"), *bonus == '1' ? 1 : 0);
    EXPECT_EQ(game->run.Said, said);
  }
}

TEST_F(ScorecardTest, LowerEntriesLeaveTheBonusAloneAndNoBonusWaitsForTheSixthUpper) {
  // The category, its faces, then the bonus label after the entry.
  const std::tuple<int, std::vector<int>, const char*> entries[] = {
      {19, {6, 6, 6, 6, 6, 5}, "-84"}, {12, {5, 5, 5, 5, 5, 1}, "-84"},
      {7, {4, 4, 1, 2, 3, 6}, "-84"},  {1, {1, 1, 2, 3, 4, 5}, "-82"},
      {2, {2, 2, 1, 3, 4, 5}, "-78"},  {3, {3, 3, 1, 2, 4, 5}, "-72"},
      {4, {4, 4, 1, 2, 3, 5}, "-64"},  {5, {5, 5, 1, 2, 3, 4}, "-54"},
      {6, {6, 6, 1, 2, 3, 4}, "0"}};
  int total = 0;
  for (const auto& [category, faces, bonus] : entries) {
    SCOPED_TRACE(category);
    Table(faces);
    game->EnterCategory(category);
    total += game->state.Score[category];
    const bool last = category == 6;
    EXPECT_EQ(game->main.BonusLabel.Caption, bonus);
    EXPECT_EQ(game->main.BonusLabel.ForeColor, last ? colour::Gold : colour::LightRed);
    EXPECT_EQ(game->run.Said, last ? TestText(17) : TestText(1) + ": " + std::to_string(total));
  }
  EXPECT_EQ(total, 35 + 25 + 8 + 42);
  EXPECT_EQ(game->main.TotalLabel.Caption, "110");
}

TEST_F(ScorecardTest, HintProposesTheOpenCategoryWorthMost) {
  // The faces, the open categories (none: all twenty), the rolls before the
  // throw and the category proposed.
  const std::tuple<std::vector<int>, std::vector<int>, int, int> cases[] = {
      {{6, 6, 6, 6, 6, 6}, {}, 60, 20},     {{2, 2, 4, 4, 6, 6}, {}, 60, 9},
      {{3, 3, 3, 3, 3, 1}, {3, 12}, 60, 3}, {{6, 6, 1, 2, 3, 4}, {8, 19}, 2, 0},
      {{6, 6, 6, 6, 6, 6}, {6, 19}, 1, 6},  {{6, 6, 6, 6, 6, 6}, {1, 2, 3}, 60, 0},
      {{1, 1, 1, 1, 1, 1}, {1}, 60, 1},
  };
  for (const auto& [faces, open, rolls, best] : cases) {
    SCOPED_TRACE(::testing::PrintToString(faces));
    game->Restart();
    if (!open.empty()) OnlyOpen(open);
    game->state.RollsLeft = rolls;
    game->main.HintMarker.Visible = true;  // left over from an earlier proposal
    Table(faces);
    EXPECT_EQ(BestCategory(game->state), best);
    EXPECT_EQ(game->main.HintMarker.Visible, best != 0);
    if (best != 0) {
      EXPECT_EQ(game->main.HintMarker.Top, 1590 + 315 * (best - 1));
    }
    game->main.GameEndTimer.SetEnabled(false);
  }
}

std::array<int, 4> Bounds(const Control& c) { return {c.Left, c.Top, c.Width, c.Height}; }

TEST_F(ScorecardTest, DesignAndPlaceAllPutEveryControlInItsPlace) {
  // Each row's button top and score label top.
  constexpr std::pair<int, int> kRows[] = {{1500, 1550}, {1800, 1865}, {2130, 2180}, {2430, 2490},
                                           {2760, 2810}, {3060, 3120}, {3360, 3440}, {3690, 3750},
                                           {4020, 4070}, {4320, 4380}, {4650, 4710}, {4950, 5020},
                                           {5280, 5340}, {5580, 5640}, {5910, 5960}, {6210, 6270},
                                           {6540, 6590}, {6840, 6910}, {7170, 7220}, {7470, 7530}};
  MainForm& m = game->main;
  for (int r = 1; r <= 10; ++r) {
    EXPECT_EQ(m.TopTenRows[r].Left, r == 10 ? 45 : 150) << r;
    EXPECT_EQ(m.TopTenRows[r].Top, 4950 + 240 * (r - 1)) << r;
  }
  EXPECT_EQ(std::make_pair(m.ClearTopTenLabel.Left, m.ClearTopTenLabel.Top), std::pair(150, 7380));
  EXPECT_EQ(std::make_pair(m.PlayerLabel.Left, m.PlayerLabel.Top), std::pair(150, 4680));

  // A finished card with every control moved off its place.
  for (Control* c :
       {&m.HintMarker, &m.RollsLeftLabel, &m.RollsPerCategoryLabel, &m.BonusLabel, &m.TotalLabel}) {
    c->Left = c->Top = c->Width = c->Height = -1;
  }
  for (int k = 1; k <= 20; ++k) {
    EXPECT_EQ(m.CategoryRows[k].Top, kRows[k - 1].first) << k;
    EXPECT_EQ(m.CategoryRows[k].Height, 315) << k;
    EXPECT_EQ(m.CategoryScores[k].Height, 165) << k;
    m.CategoryRows[k].Left = m.CategoryRows[k].Width = -1;
    m.CategoryScores[k].Top = m.CategoryScores[k].Left = m.CategoryScores[k].Width = -1;
  }
  game->PlaceScorecard();
  EXPECT_EQ(Bounds(m.HintMarker),
            (std::array<int, 4>{11880, -1, 135, 135}));  // the hint sets its top
  EXPECT_EQ(Bounds(m.RollsLeftLabel), (std::array<int, 4>{9040, 3030, 465, 255}));
  EXPECT_EQ(Bounds(m.RollsPerCategoryLabel), (std::array<int, 4>{8500, 2570, 465, 255}));
  EXPECT_EQ(Bounds(m.BonusLabel), (std::array<int, 4>{11400, 7830, 405, 225}));
  EXPECT_EQ(Bounds(m.TotalLabel), (std::array<int, 4>{11400, 8130, 405, 225}));
  for (int k = 1; k <= 20; ++k) {
    const auto [buttonTop, labelTop] = kRows[k - 1];
    EXPECT_EQ(Bounds(m.CategoryRows[k]), (std::array<int, 4>{9870, buttonTop, 2055, 315})) << k;
    EXPECT_EQ(Bounds(m.CategoryScores[k]), (std::array<int, 4>{11400, labelTop, 405, 165})) << k;
  }
}

}  // namespace
}  // namespace pyxaro::testing
