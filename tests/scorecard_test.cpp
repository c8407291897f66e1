#include <algorithm>
#include <array>
#include <numeric>
#include <random>

#include "scoring/categories.h"
#include "scoring/entry.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

// The value of a throw in each category (1..20), read from the rules on the count of each face
// (count[0] holds the dice not thrown, which fit nothing): a second reading that shares no code
// with the game's.
std::array<int, 21> Expected(const std::array<int, 7>& count) {
  // The faces shown at least n times (exactly n when exact), the highest first, then zeros for
  // none.
  const auto faces = [&](int n, bool exact, int besides = 0) {
    std::vector<int> found;
    for (int f = 6; f >= 1; --f)
      if (f != besides && (exact ? count.at(f) == n : count.at(f) >= n)) found.push_back(f);
    found.resize(found.size() + 3);
    return found;
  };
  // Two different faces: the highest that fits the first part, then the highest other one that fits
  // the second.
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
}

// Games played by the rules alone: every die picked up and thrown, then the hinted category
// entered, or a random one tried when there is no hint. Every game ends within the pool, adds up to
// its scores and the bonus, and tells the bonus won or lost once, as the upper section decides it.
TEST(EntryRulesTest, GamesPlayedByTheRulesEndAndAddUp) {
  std::mt19937 random(17);
  std::uniform_int_distribution<int> face(1, kDiceFaces), anyCategory(1, kCategoryCount);
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
      const bool entered = outcome.Result == EntryResult::Entered;
      ASSERT_EQ(entered, state.IsOpen(k) && outcome.Points > 0);
      ASSERT_EQ(outcome.Points, state.IsOpen(k) ? CategoryValue(k, state.Dice.items) : 0);
      ASSERT_TRUE(entered || (hinted == 0 && outcome.After == state));
      bonusTold += (outcome.BonusWon ? 1 : 0) + (outcome.BonusLost ? 1 : 0);
      state = outcome.After;
    }
    EXPECT_FALSE(CanThrow(state));
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

// A game after a throw of these faces, with only these categories open (none: all twenty) and these
// rolls left.
GameState AfterThrowOf(const std::vector<int>& faces, const std::vector<int>& open, int rolls) {
  GameState state;
  for (int k = 1; k <= kDiceCount; ++k) state.Dice[k] = faces[static_cast<std::size_t>(k - 1)];
  for (bool& lying : state.Lying) lying = true;
  for (int& score : state.Score) score = open.empty() ? 0 : 1;
  for (const int k : open) state.Score[k] = 0;
  state.RollsLeft = rolls;
  return state;
}

TEST(EntryRulesTest, TheHintProposesTheOpenCategoryWorthMostAndTheGameEndsWhenNoneIsLeft) {
  // The faces, the open categories, the rolls left, the category proposed and whether the game is
  // over before an entry.
  const std::tuple<std::vector<int>, std::vector<int>, int, int, bool> cases[] = {
      {{6, 6, 6, 6, 6, 6}, {}, 59, 20, false},         {{2, 2, 4, 4, 6, 6}, {}, 59, 9, false},
      {{3, 3, 3, 3, 3, 1}, {3, 12}, 59, 3, false},     {{6, 6, 1, 2, 3, 4}, {8, 19}, 1, 0, false},
      {{6, 6, 1, 2, 3, 4}, {8, 19}, 0, 19, false},  // the last roll may go into Chance
      {{6, 6, 6, 6, 6, 6}, {6, 19}, 0, 6, false},   // a tie goes to the higher row
      {{6, 6, 6, 6, 6, 6}, {1, 2, 3}, 59, 0, false},   {{1, 1, 1, 1, 1, 1}, {1}, 59, 1, false},
      {{1, 2, 3, 4, 5, 6}, {8, 15, 20}, 0, 15, false}, {{1, 2, 3, 4, 5, 6}, {20}, 0, 0, true},
      {{2, 3, 4, 5, 6, 6}, {14}, 59, 14, false}};
  for (const auto& [faces, open, rolls, best, over] : cases) {
    SCOPED_TRACE(::testing::PrintToString(faces) + " open " + ::testing::PrintToString(open));
    const GameState state = AfterThrowOf(faces, open, rolls);
    GameState entered = state;
    entered.ThrowEntered = true;
    EXPECT_EQ(std::tuple(BestCategory(state), HintedCategory(state), IsOver(state),
                         HintedCategory(entered), IsOver(entered)),
              std::tuple(best, best, over, 0, rolls == 0));
  }
  GameState full = AfterThrowOf({1, 1, 1, 1, 1, 1}, {}, 30);
  // Numbers outside the card, and a throw entered already, are not taken.
  for (const int k : {0, 21}) EXPECT_EQ(Enter(full, k).Result, EntryResult::NotTaken) << k;
  EXPECT_EQ(Enter(Enter(full, 1).After, 2).Result, EntryResult::NotTaken);
  for (int& score : full.Score) score = 1;
  EXPECT_TRUE(IsOver(full));
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

// What an entry does to the game is the rules' test above; here is what the player sees, hears and
// is told, and that the throw goes in once.
TEST_F(ScorecardTest, EntriesAreShownToldAndHeardAndClearTheTable) {
  const TurnView& m = game->Turn().View();
  Table({6, 6, 1, 2, 3, 4});
  EXPECT_TRUE(m.HintMarker.Visible);
  EXPECT_EQ(m.HintMarker.Top, 1590 + 315 * (6 - 1));  // a tie goes to the higher row
  host.played.clear();
  game->Do(Command::Enter, 8);  // one pair only
  EXPECT_TRUE(m.CategoryRows[8].Enabled && m.CategoryScores[8].Caption.empty());
  EXPECT_EQ(Said(), TestText(2));
  EXPECT_EQ(host.played, (std::vector<Played>{{folder.File("doink.wav"), false}}));
  // The faces, a die picked up before the entry (it still counts), the category; its caption,
  // colour, what is said (the total) and heard.
  using Sound = std::vector<std::string>;
  const Sound yatzy{"points.wav", "Yatzy.wav"};
  const std::tuple<std::vector<int>, int, int, std::string, Rgb, std::string, Sound> entries[] = {
      {{6, 6, 6, 6, 6, 1}, 1, 6, "30", colour::Gold, TestText(1) + ": 30", {"points.wav"}},
      {{6, 6, 6, 6, 6, 6}, 0, 11, "24", colour::White, TestText(1) + ": 54", {"points.wav"}},
      {{2, 2, 2, 2, 2, 2}, 0, 20, "100", colour::White, "yatzy! + 100", yatzy}};
  for (const auto& [faces, pickedUp, k, caption, colour, said, sounds] : entries) {
    Table(faces);
    game->Do(Command::PickUp, pickedUp);
    host.played.clear();
    game->Do(Command::Enter, k);
    EXPECT_EQ(std::tuple(m.CategoryScores[k].Caption, m.CategoryScores[k].ForeColor,
                         m.CategoryRows[k].Enabled, Said(), Sounds()),
              std::tuple(caption, colour, false, said, sounds));
  }
  // Lower entries leave the open bonus as the sixes made it.
  EXPECT_EQ(m.TotalLabel.Caption + " " + m.BonusLabel.Caption, "154 -54");
  EXPECT_EQ(m.BonusLabel.ForeColor, colour::LightRed);
  // The table is cleared, and neither a row nor undo takes the throw again.
  for (const Control& die : m.DieImages) EXPECT_FALSE(die.Visible);
  EXPECT_TRUE(m.ThrowArea.Enabled && !m.HintMarker.Visible);
  game->Do(Command::Enter, 19);
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
      // Open again in the next game, after a settled one.
      {{64, 53, 42}, "-37", colour::LightRed, "47", TestText(1) + ": 47"},
      {{11, 21, 31, 41, 51, 61}, "0", colour::Gold, "21", "No bonus"},  // without the l17 text
  };
  for (const auto& [entries, bonus, colour, total, said] : cases) {
    if (said == "No bonus") folder.Write("test.lng", "[Language]\n");
    host.answers.push_back(true);
    game->Do(Command::NewGame);
    host.played.clear();
    for (const int entry : entries) {
      std::vector<int> faces(6, entry / 10 % 6 + 1);
      std::fill_n(faces.begin(), entry % 10, entry / 10);
      Table(faces);
      game->Do(Command::Enter, entry / 10);
    }
    const auto sounds = Sounds();
    const TurnView& m = game->Turn().View();
    EXPECT_EQ(std::tuple(m.BonusLabel.Caption, m.BonusLabel.ForeColor, m.TotalLabel.Caption, Said(),
                         std::count(sounds.begin(), sounds.end(), "Bonus.wav")),
              std::tuple(bonus, colour, total, said, bonus == "100" ? 1 : 0));
  }
}

}  // namespace
}  // namespace pyxaro::testing
