#include <algorithm>

#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

class ScorecardTest : public GameTest {
 protected:
  void SetUp() override { Start(); }
};

TEST_F(ScorecardTest, AWorthlessEntryChangesNothing) {
  // The faces thrown (none: nothing thrown yet this game), the category, and
  // whether the sound is on.
  const std::tuple<std::vector<int>, int, bool> cases[] = {
      {{}, 19, true}, {{6, 6, 1, 2, 3, 4}, 8, true}, {{5, 5, 5, 5, 5, 5}, 16, false}};
  for (const auto& [faces, category, sound] : cases) {
    game->Restart();
    game->run.PlaySound = sound ? "Yes" : "No";
    if (!faces.empty()) Table(faces);
    host.played.clear();
    const GameState before = game->state;
    const GameState& s = game->state;
    game->EnterCategory(category);
    EXPECT_EQ(std::tie(s.Score, s.TotalScore, s.TableCleared, s.CategoriesLeft, s.OnTable),
              std::tie(before.Score, before.TotalScore, before.TableCleared, before.CategoriesLeft,
                       before.OnTable));
    EXPECT_TRUE(game->main.CategoryRows[category].Enabled);
    EXPECT_EQ(game->main.CategoryScores[category].Caption, "");
    EXPECT_EQ(game->run.Message, TestText(2));
    EXPECT_EQ(Sounds(), sound ? std::vector<std::string>{"doink.wav"} : std::vector<std::string>{});
  }
  // The refused category stays open for a later throw.
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
  EXPECT_EQ(game->run.Message, "yatzy! + 100");
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
    EXPECT_EQ(game->run.Message, said);
  }
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
    if (!open.empty()) {
      for (Control& button : game->main.CategoryRows) button.Enabled = false;
      for (const int k : open) game->main.CategoryRows[k].Enabled = true;
      game->state.CategoriesLeft = static_cast<int>(open.size());
    }
    game->state.RollsLeft = rolls;
    game->main.HintMarker.Visible = true;  // left over from an earlier proposal
    Table(faces);
    EXPECT_EQ(game->state.BestCategory, best);
    EXPECT_EQ(game->main.HintMarker.Visible, best != 0);
    if (best != 0) {
      EXPECT_EQ(game->main.HintMarker.Top, 1590 + 315 * (best - 1));
    }
    game->main.GameEndTimer.SetEnabled(false);
  }
}

TEST_F(ScorecardTest, PlaceAllReopensAFinishedScorecard) {
  constexpr int kLabelTop[] = {1550, 1865, 2180, 2490, 2810, 3120, 3440, 3750, 4070, 4380,
                               4710, 5020, 5340, 5640, 5960, 6270, 6590, 6910, 7220, 7530};
  MainForm& m = game->main;
  for (int k = 1; k <= 20; ++k) {
    m.CategoryRows[k].Enabled = false;
    m.CategoryScores[k].Caption = "12";
    m.CategoryScores[k].Top = m.CategoryScores[k].Left = 0;
  }
  m.TotalLabel.Caption = "240";
  m.BonusLabel.Top = m.HintMarker.Left = 0;
  game->PlaceScorecard();
  for (int k = 1; k <= 20; ++k) {
    const int top = kLabelTop[k - 1];
    EXPECT_TRUE(m.CategoryRows[k].Enabled && m.CategoryScores[k].Caption.empty()) << k;
    EXPECT_EQ(m.CategoryScores[k].Top, top) << k;
    EXPECT_EQ(m.CategoryScores[k].Left, 11400) << k;
    EXPECT_TRUE(top - m.CategoryRows[k].Top >= 50 && top - m.CategoryRows[k].Top <= 80) << k;
  }
  EXPECT_EQ(m.TotalLabel.Caption, "240");
  EXPECT_EQ(m.BonusLabel.Top, 7830);
  EXPECT_EQ(m.HintMarker.Left, 11880);
}

}  // namespace
}  // namespace pyxaro::testing
