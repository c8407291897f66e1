#include <gtest/gtest.h>

#include <filesystem>

#include "tests/game_fixture.h"
#include "tests/qt/window_helpers.h"
#include "ui/front.h"

namespace pyxaro::testing {
namespace {

// The shipped package as the player meets it: the wave files lie in the
// program folder while the game window is open and are gone once it closes.
// The fake desktop plays nothing, so no sound device is needed.
TEST_F(GameTest, TheShippedPackageUnpacksWhenTheWindowOpensAndGoesWhenItCloses) {
  ui::Front front{*game, [this] { return host.ended; }};
  front.Start();
  ASSERT_TRUE(WaitFor([&] { return front.Main() != nullptr; }));
  EXPECT_TRUE(host.boxes.empty());
  int unpacked = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
    unpacked += entry.path().extension() == ".wav" ? 1 : 0;
  EXPECT_EQ(unpacked, 9);
  EXPECT_EQ(Ini("Resources", "del"), "9");

  front.Main()->close();
  ASSERT_TRUE(host.ended);
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
    EXPECT_NE(entry.path().extension(), ".wav") << entry.path();
  EXPECT_EQ(Ini("Resources", "del"), "0");
}

}  // namespace
}  // namespace pyxaro::testing
