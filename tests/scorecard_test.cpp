#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

class ScorecardTest : public GameTest {
 protected:
  void SetUp() override { Start(); }

  // Throws these faces with all six dice, as the first throw of a turn does.
  void ThrowAll(const std::vector<int>& faces) {
    for (int k = 1; k <= 6; ++k) game->PickUp(k);
    dice.faces.assign(faces.begin(), faces.end());
    game->Roll();
  }
  void OpenOnly(const std::vector<int>& open) {
    for (Control& button : game->main.btn) button.Enabled = false;
    for (const int k : open) game->main.btn[k].Enabled = true;
    game->state.CategoriesLeft = static_cast<int>(open.size());
  }
  int Heard(const std::string& file) const {
    return static_cast<int>(std::count_if(host.played.begin(), host.played.end(), [&](auto& p) {
      return std::filesystem::path(p.path).filename() == file;
    }));
  }
};

TEST_F(ScorecardTest, AWorthlessEntryChangesNothing) {
  const struct {
    std::vector<int> faces;  // empty: nothing thrown yet this game
    int category;
    const char* playSound;
  } cases[] = {{{}, 19, "Yes"}, {{6, 6, 1, 2, 3, 4}, 8, "Yes"}, {{5, 5, 5, 5, 5, 5}, 16, "No"}};
  for (const auto& c : cases) {
    game->Restart();
    game->run.PlaySound = c.playSound;
    if (!c.faces.empty()) ThrowAll(c.faces);
    host.played.clear();
    const GameState before = game->state;
    game->EnterKateg(c.category);
    EXPECT_EQ(std::tie(game->state.Score, game->state.TotalScore, game->state.TableCleared,
                       game->state.CategoriesLeft, game->state.OnTable),
              std::tie(before.Score, before.TotalScore, before.TableCleared, before.CategoriesLeft,
                       before.OnTable));
    EXPECT_TRUE(game->main.btn[c.category].Enabled);
    EXPECT_EQ(game->main.scr[c.category].Caption, "");
    EXPECT_EQ(game->run.SayText, TestText(2));
    std::vector<testing::Played> doink;
    if (std::string(c.playSound) == "Yes") doink.push_back({folder.File("doink.wav"), false});
    EXPECT_EQ(host.played, doink);
  }
  // The refused category stays open for a later throw.
  ThrowAll({6, 6, 5, 5, 1, 1});
  game->EnterKateg(8);
  EXPECT_EQ(game->main.scr[8].Caption, "22");
}

TEST_F(ScorecardTest, ScoreLabelsAndYatzy) {
  const struct {
    std::vector<int> faces;
    int category;
    const char* caption;
    Rgb colour;
  } entries[] = {{{6, 6, 6, 6, 6, 1}, 6, "30", colour::Gold},
                 {{6, 6, 6, 6, 6, 6}, 11, "24", colour::White},
                 {{5, 5, 5, 4, 4, 6}, 16, "23", colour::Gold},
                 {{2, 2, 2, 2, 2, 2}, 20, "100", colour::White}};
  for (const auto& e : entries) {
    ThrowAll(e.faces);
    host.played.clear();
    game->EnterKateg(e.category);
    EXPECT_EQ(game->main.scr[e.category].Caption, e.caption);
    EXPECT_EQ(game->main.scr[e.category].ForeColor, e.colour);
  }
  EXPECT_EQ(game->main.scr_Tot.Caption, "177");
  EXPECT_EQ(Heard("points.wav") + Heard("Yatzy.wav"), 2);
  EXPECT_EQ(host.played.back().path, folder.File("Yatzy.wav"));
  EXPECT_EQ(game->run.SayText, "yatzy! + 100");
}

TEST_F(ScorecardTest, UpperBonus) {
  const struct {
    const char* name;
    std::vector<std::pair<int, int>> entries;  // upper category, dice showing its face
    const char* bonus;
    Rgb colour;
    int total;
    std::string said;
  } cases[] = {
      {"exactly 84",
       {{1, 4}, {2, 4}, {3, 4}, {4, 4}, {5, 4}, {6, 4}},
       "100",
       colour::Gold,
       184,
       "bonus! + 100"},
      {"won early",
       {{6, 6}, {5, 6}, {4, 6}, {1, 1}, {2, 1}, {3, 1}},
       "100",
       colour::Gold,
       196,
       TestText(1) + ": 196"},
      {"missed by one",
       {{1, 3}, {2, 4}, {3, 4}, {4, 4}, {5, 4}, {6, 4}},
       "0",
       colour::Gold,
       83,
       TestText(17)},
      {"still open", {{6, 4}, {5, 3}, {4, 2}}, "-37", colour::LightRed, 47, TestText(1) + ": 47"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    game->Restart();
    host.played.clear();
    for (const auto& [face, count] : c.entries) {
      std::vector<int> faces(static_cast<std::size_t>(count), face);
      for (int other = 1; faces.size() < 6; ++other) {
        if (other != face) faces.push_back(other);
      }
      ThrowAll(faces);
      game->EnterKateg(face);
    }
    EXPECT_EQ(game->main.Bonus.Caption, c.bonus);
    EXPECT_EQ(game->main.Bonus.ForeColor, c.colour);
    EXPECT_EQ(game->main.scr_Tot.Caption, std::to_string(c.total));
    EXPECT_EQ(Heard("Bonus.wav"), c.bonus == std::string("100") ? 1 : 0);
    EXPECT_EQ(game->run.SayText, c.said);
  }
  // Without its language text the missed bonus still says so.
  folder.Write("test.lng", "[Language]\n");
  game->Restart();
  for (int face = 1; face <= 6; ++face) {
    ThrowAll({1, 2, 3, 4, 5, 6});
    game->EnterKateg(face);
  }
  EXPECT_EQ(game->run.SayText, "No bonus");
}

TEST_F(ScorecardTest, HintProposesTheOpenCategoryWorthMost) {
  const struct {
    std::vector<int> faces;
    std::vector<int> open;  // empty: all twenty
    int rolls;              // before the throw
    int best;
  } cases[] = {
      {{6, 6, 6, 6, 6, 6}, {}, 60, 20},       {{2, 2, 4, 4, 6, 6}, {}, 60, 9},
      {{3, 3, 3, 3, 3, 1}, {3, 12}, 60, 3},   {{6, 6, 1, 2, 3, 4}, {8, 19}, 60, 0},
      {{6, 6, 1, 2, 3, 4}, {8, 19}, 1, 19},   {{6, 6, 6, 6, 6, 6}, {6, 19}, 1, 6},
      {{6, 6, 6, 6, 6, 6}, {1, 2, 3}, 60, 0}, {{1, 1, 1, 1, 1, 1}, {1}, 60, 1},
  };
  for (const auto& c : cases) {
    game->Restart();
    if (!c.open.empty()) OpenOnly(c.open);
    game->state.RollsLeft = c.rolls;
    game->main.Indik.Visible = true;  // left over from an earlier proposal
    ThrowAll(c.faces);
    EXPECT_EQ(game->state.BestCategory, c.best) << ::testing::PrintToString(c.faces);
    EXPECT_EQ(game->main.Indik.Visible, c.best != 0);
    if (c.best != 0) {
      EXPECT_EQ(game->main.Indik.Top, 1590 + 315 * (c.best - 1));
    }
    game->main.TimerEnd.SetEnabled(false);
  }
}

}  // namespace
}  // namespace pyxaro::testing
