// Two games writing one settings file at once; a game killed in its game end is the store's test.

#include <cstdlib>

#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

using IniProcessesTest = GameTest;

TEST_F(IniProcessesTest, TwoGamesEndingTogetherKeepBothEntries) {
  // One game ends with the odd totals up to 59, the other with the even up to 60; the shell
  // answers 0 only when both stored every game.
  const std::string game = std::string("'") + STORE_CHILD + "' '" + folder.File("Pyx4.ini") + "' ";
  ASSERT_EQ(std::system((game + "1 & odd=$!; " + game + "2 && wait $odd").c_str()), 0);
  // Row r holds total 61 - r with its name and check value: a torn row or a lost entry shows.
  for (int r = 1; r <= 10; ++r) {
    const std::string n = std::to_string(r), total = std::to_string(61 - r);
    EXPECT_EQ(Ini("Highscore", "p" + n) + "|" + Ini("Highscore", "n" + n) + "|" +
                  Ini("Highscore", "k" + n),
              total + "|P" + total + " (0:00)|" + CheckValueOf(61 - r));
  }
  EXPECT_EQ(Ini("Statistics", "games") + " " + Ini("Statistics", "totalsum"), "60 1830");
}

}  // namespace
}  // namespace pyxaro::testing
