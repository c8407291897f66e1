#include "highscores/check_value.h"

#include <gtest/gtest.h>

#include "tests/game_fixture.h"

namespace pyxaro {
namespace {

TEST(CheckValueTest, VersionNumberAndSixteenBitVersionPart) {
  EXPECT_EQ(VersionNumber("5.04"), 504);
  EXPECT_EQ(VersionNumber("4.10"), 410);
  EXPECT_EQ(VersionNumber(""), 0);
  EXPECT_EQ(CheckValue(1, 0, 6, 504), "19899992515");
  EXPECT_EQ(CheckValue(1, 0, 0, 32767), "19899998-32758");
}

using GeKeyTest = testing::GameTest;

TEST_F(GeKeyTest, DrawsItsDigitAfterReseedingAndSetsTheCandidateKey) {
  Start();
  const struct {
    int face;  // the scripted draw: face f lies in [(f - 1) / 6, f / 6)
    int total;
    const char* key;
  } cases[] = {{2, 250, "37177384513"}, {6, 1000, "9-997378507"}, {1, 0, "19897386515"}};
  for (const auto& c : cases) {
    const int reseeds = dice.reseeds;
    dice.faces = {c.face};
    game->state.TotalScore = c.total;
    game->GeKey();
    EXPECT_EQ(game->run.Candidate.Key, c.key);
    EXPECT_EQ(dice.reseeds, reseeds + 1);
  }
}

}  // namespace
}  // namespace pyxaro
