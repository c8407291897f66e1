#include <numeric>

#include "core/version.h"
#include "scoring/categories.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

// The value of a throw in each category, a second reading of the rules that shares no code with the
// game's (count[0] holds the dice not thrown).
std::array<int, 21> Expected(const std::array<int, 7>& count) {
  // The faces shown n times or more (exactly n when exact), highest first, then zeros for none.
  const auto faces = [&](int n, bool exact, int besides = 0) {
    std::vector<int> found;
    for (int f = 6; f >= 1; --f)
      if (f != besides && (exact ? count.at(f) == n : count.at(f) >= n)) found.push_back(f);
    found.resize(found.size() + 3);
    return found;
  };
  // Two different faces: the highest fitting the first part, then the highest other one the second.
  const auto both = [&](int n, int m, bool exact) {
    const int first = faces(n, exact)[0], second = faces(m, exact, first)[0];
    return first > 0 && second > 0 ? n * first + m * second : 0;
  };
  const auto shown = [&](int low, int high) {
    return std::all_of(count.begin() + low, count.begin() + high + 1, [](int c) { return c > 0; });
  };
  std::array<int, 21> value{};
  for (int f = 1; f <= 6; ++f) value[19] += value.at(f) = f * count.at(f);
  const auto pairs = faces(2, false);
  value[7] = 2 * pairs[0];
  value[8] = pairs[1] > 0 ? 2 * (pairs[0] + pairs[1]) : 0;
  value[9] = pairs[2] > 0 ? 2 * (pairs[0] + pairs[1] + pairs[2]) : 0;
  for (int n = 3; n <= 5; ++n) value.at(n + 7) = n * faces(n, false)[0];
  value[13] = shown(1, 5) ? 15 : 0;
  value[14] = shown(2, 6) ? 20 : 0;
  value[15] = shown(1, 6) ? 21 : 0;
  value[16] = both(3, 2, false);
  value[17] = both(3, 3, true);
  value[18] = both(4, 2, true);
  value[20] = faces(6, true)[0] > 0 ? 100 : 0;
  return value;
}

// Every throw of six dice, each die also not thrown yet (0).
TEST(CategoryValueTest, EveryThrowIsWorthWhatTheRulesSay) {
  std::array<int, 21> best{};
  for (int n = 0; n < 7 * 7 * 7 * 7 * 7 * 7; ++n) {
    std::array<int, 6> dice{};
    std::array<int, 7> count{};
    for (int k = 0, rest = n; k < 6; ++k, rest /= 7) ++count.at(dice.at(k) = rest % 7);
    const std::array<int, 21> expected = Expected(count);
    for (int c = 1; c <= 20; ++c) {
      const int value = CategoryValue(c, dice);
      ASSERT_EQ(value, expected.at(c)) << c << " " << ::testing::PrintToString(dice);
      best.at(c) = std::max(best.at(c), value);
    }
  }
  for (int c = 1; c <= 20; ++c) EXPECT_EQ(best.at(c), CategoryMax(c)) << c;
  for (const int outside : {0, 21})
    EXPECT_EQ(CategoryValue(outside, {6, 6, 6, 6, 6, 6}) + CategoryMax(outside), 0);
  // The dice a row shows are a throw its category takes.
  for (const Category& category : kCategories) {
    std::array<int, 6> dice{};
    std::size_t k = 0;
    for (const char face : category.picture)
      if (face != ' ') dice.at(k++) = face - '0';
    EXPECT_GT(CategoryValue(category.number, dice), 0) << category.picture;
  }
}

// The hinted category entered, or a random one tried when there is no hint. The hint is the open
// category worth most, the higher row on a tie, Chance only on the last roll.
TEST(EntryRulesTest, GamesPlayedByTheRulesEndAndAddUp) {
  std::mt19937 random(17);
  std::uniform_int_distribution<int> face(1, kDiceFaces), anyCategory(1, kCategoryCount);
  for (int game = 0; game < 3000; ++game) {
    GameState state;
    int bonusTold = 0;
    while (!IsOver(state)) {
      for (int die = 1; die <= kDiceCount; ++die) {
        if (state.OnTable(die)) state = *pyxaro::Played(state, Move::PickUp(die));
      }
      ASSERT_TRUE(CanThrow(state));
      OneBased<int, kDiceCount> faces;
      for (int& f : faces) f = face(random);
      state = *pyxaro::Played(state, ThrowOf(state, faces));
      const int hinted = HintedCategory(state);
      const auto worth = [&state](int k) {
        const bool open = k >= 1 && state.IsOpen(k) && (k != kChance || state.RollsLeft == 0);
        return open ? CategoryValue(k, state.Dice.items) : 0;
      };
      for (int k = 1; k <= kCategoryCount; ++k)
        ASSERT_TRUE(worth(k) < worth(hinted) || (worth(k) == worth(hinted) && k >= hinted)) << k;
      ASSERT_EQ(IsOver(state), state.RollsLeft == 0 && hinted == 0);
      const int k = hinted != 0 ? hinted : anyCategory(random);
      const EntryOutcome outcome = Enter(state, k);
      const bool entered = outcome.Result == EntryResult::Entered;
      ASSERT_EQ(entered, state.IsOpen(k) && outcome.Points > 0);
      ASSERT_EQ(outcome.Points, state.IsOpen(k) ? CategoryValue(k, state.Dice.items) : 0);
      const std::optional<GameState> after = pyxaro::Played(state, Move::Entry(k, outcome.Points));
      ASSERT_EQ(after.has_value(), entered);
      ASSERT_TRUE(entered || hinted == 0);
      const GameState next = after.value_or(state);
      // The throw goes in once, and never outside the card.
      for (int j = 0; j <= kCategoryCount + 1; ++j) {
        const bool takes = !entered && j >= 1 && j <= kCategoryCount && state.IsOpen(j);
        ASSERT_EQ(Enter(next, j).Result != EntryResult::NotTaken, takes) << j;
      }
      ASSERT_EQ(HintedCategory(next), 0);
      bonusTold += (outcome.BonusWon ? 1 : 0) + (outcome.BonusLost ? 1 : 0);
      state = next;
    }
    EXPECT_TRUE(!CanThrow(state) && (state.OpenCount() == 0 || state.RollsLeft == 0));
    const bool won = state.UpperSum() >= kBonusThreshold;
    const int sum = std::accumulate(state.Score.begin(), state.Score.end(), 0);
    EXPECT_EQ(state.Total(), sum + (won ? kUpperBonus : 0));
    EXPECT_EQ(bonusTold, won || state.UpperFull() ? 1 : 0);
    const FinishedGame f = Finished(state, 2026, 12, 6);
    EXPECT_EQ(std::tuple(f.Total, f.Scores, f.BonusWon, f.RollsUsed + state.RollsLeft, f.Year,
                         f.Month, f.Day),
              std::tuple(state.Total(), state.Score, won, kRollPool, 2026, 12, 6));
  }
}

TEST(EntryRulesTest, WhatThePlayerMayDo) {
  // The dice on the table ('1') or picked up, the rolls left, whether a throw was made, entered,
  // and every category filled ('1'); then whether the player may throw, pick up die 1, and undo.
  const std::tuple<const char*, int, const char*, const char*> cases[] = {
      {"000000", 60, "000", "100"},  // a fresh game
      {"111111", 59, "100", "010"}, {"101111", 59, "100", "111"}, {"011111", 59, "110", "100"},
      {"111111", 0, "100", "000"},  {"011111", 0, "100", "001"},  {"011111", 9, "111", "000"}};
  for (const auto& [lying, rolls, facts, may] : cases) {
    GameState state;
    for (int k = 1; k <= kDiceCount; ++k) state.Lying[k] = lying[k - 1] == '1';
    for (int& face : state.Dice) face = facts[0] == '1' ? 1 : 0;
    state.RollsLeft = rolls;
    state.ThrowEntered = facts[1] == '1';
    for (int& score : state.Score) score = facts[2] == '1' ? 1 : 0;
    const auto yes = [](bool b) { return b ? '1' : '0'; };
    EXPECT_EQ(std::string({yes(CanThrow(state)), yes(CanPickUp(state, 1)), yes(CanUndo(state))}),
              may)
        << lying << " " << rolls << " " << facts;
    for (const int die : {0, 7}) EXPECT_FALSE(CanPickUp(state, die));
  }
}

class ScorecardTest : public GameTest {
 protected:
  void SetUp() override { Start(); }
};

TEST_F(ScorecardTest, EntriesAreShownToldAndHeardAndClearTheTable) {
  const TurnView& m = Board();
  Table({6, 6, 1, 2, 3, 4});
  EXPECT_TRUE(m.HintMarker.Visible);
  EXPECT_EQ(m.HintMarker.Top, 1590 + 315 * (6 - 1));  // a tie goes to the higher row
  // The faces, a die picked up before the entry (it still counts), the category; its caption (none
  // while the row stays open), colour, what is said (the total) and heard, and the rolls per open
  // category, which stand as the throw left them (58 of 60 rolls left for 20 rows, then 57, ...).
  using Sound = std::vector<std::string>;
  namespace c = colour;
  using Entry =
      std::tuple<std::vector<int>, int, int, std::string, Rgb, std::string, Sound, std::string>;
  const Entry entries[] = {
      {{6, 6, 1, 2, 3, 4}, 0, 8, "", c::Gold, TestText(2), {"doink.wav"}, "2.9"},  // one pair
      {{6, 6, 6, 6, 6, 1}, 1, 6, "30", c::Gold, TestText(1) + ": 30", {"points.wav"}, "2.85"},
      {{6, 6, 6, 6, 6, 6}, 0, 11, "24", c::White, TestText(1) + ": 54", {"points.wav"}, "2.95"},
      {{2, 2, 2, 2, 2, 2},
       0,
       20,
       "100",
       c::White,
       "yatzy! + 100",
       {"points.wav", "Yatzy.wav"},
       "3.06"}};
  for (const auto& [faces, pickedUp, k, caption, colour, said, sounds, perCategory] : entries) {
    Table(faces);
    game->PickUp(Die{pickedUp});
    host.played.clear();
    game->Enter(CategoryNumber{k});
    EXPECT_EQ(
        std::tuple(m.CategoryScores[k].Caption, m.CategoryScores[k].ForeColor,
                   m.CategoryRows[k].Enabled, Said(), Sounds(), m.RollsPerCategoryLabel.Caption),
        std::tuple(caption, colour, caption.empty(), said, sounds, perCategory));
  }
  // Lower entries leave the open bonus as the sixes made it.
  EXPECT_EQ(m.TotalLabel.Caption + " " + m.BonusLabel.Caption, "154 -54");
  EXPECT_EQ(m.BonusLabel.ForeColor, colour::LightRed);
  // The table is cleared, and neither a row nor undo takes the throw again.
  for (const Control& die : m.DieImages) EXPECT_FALSE(die.Visible);
  EXPECT_TRUE(m.ThrowArea.Enabled && !m.HintMarker.Visible);
  game->Enter(CategoryNumber{19});
  game->Do(Command::Undo);
  EXPECT_EQ(std::tuple(host.played.size(), Said(), m.CategoryRows[19].Enabled),
            std::tuple(2U, "yatzy! + 100", true));
}

TEST_F(ScorecardTest, UpperBonus) {
  // The upper entries (10 x category + how many dice show its face), then the bonus label, its
  // colour, the total and the message.
  const std::tuple<std::vector<int>, std::string, Rgb, std::string, std::string> cases[] = {
      {{14, 24, 34, 44, 54, 64}, "100", colour::Gold, "184", "bonus! + 100"},  // exactly 84
      {{13, 24, 34, 44, 54, 64}, "0", colour::Gold, "83", TestText(17)},
      {{11, 21, 31, 41, 51, 61}, "0", colour::Gold, "21", "No bonus"},  // without the l17 text
  };
  for (const auto& [entries, bonus, colour, total, said] : cases) {
    if (said == "No bonus") folder.Write("test.lng", "[Language]\n");
    NewGame();
    host.played.clear();
    for (const int entry : entries) {
      std::vector<int> faces(6, entry / 10 % 6 + 1);
      std::fill_n(faces.begin(), entry % 10, entry / 10);
      Table(faces);
      game->Enter(CategoryNumber{entry / 10});
    }
    const TurnView& m = Board();
    EXPECT_EQ(std::tuple(m.BonusLabel.Caption, m.BonusLabel.ForeColor, m.TotalLabel.Caption, Said(),
                         std::ranges::count(Sounds(), "Bonus.wav")),
              std::tuple(bonus, colour, total, said, bonus == "100" ? 1 : 0));
  }
}

}  // namespace
}  // namespace pyxaro::testing

namespace pyxaro::testing {
namespace {

TEST_F(GameTest, TheRulesShowEveryCategoryWithDiceThatScoreThereAndAboutTellsTheVersion) {
  Start();
  game->Do(Command::OpenRules);
  const RulesForm& rules = game->Manual().Window();
  ASSERT_TRUE(rules.Visible);
  ASSERT_EQ(rules.Categories.size(), static_cast<std::size_t>(kCategoryCount));
  for (int k = 1; k <= kCategoryCount; ++k) {
    const CategoryExample& example = rules.Categories[static_cast<std::size_t>(k - 1)];
    EXPECT_EQ(example.Name, game->Turn().CategoryTitle(k));
    EXPECT_GT(CategoryValue(k, example.Dice), 0) << k;
    EXPECT_EQ(example.Points, CategoryValue(k, example.Dice));
  }
  EXPECT_EQ(rules.Paragraphs.size(), 7U);
  game->Do(Command::OpenAbout);
  EXPECT_NE(host.boxes.back().text.find(std::string(kAppVersion)), std::string::npos);
  game->Do(Command::RulesClosed);
  EXPECT_FALSE(rules.Visible);
}

}  // namespace
}  // namespace pyxaro::testing
