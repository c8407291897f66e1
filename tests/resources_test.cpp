#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "settings/game_presence.h"
#include "settings/package_reader.h"
#include "settings/sound.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kWaves(kWaveFiles.begin(), kWaveFiles.end());

class ResourcesTest : public GameTest {
 protected:
  // The "Resources" keys del1..delN, in order.
  std::vector<std::string> Listed(int n) const {
    std::vector<std::string> names;
    for (int i = 1; i <= n; ++i) names.push_back(Ini("Resources", "del" + std::to_string(i)));
    return names;
  }
};

TEST_F(ResourcesTest, TheShippedPackageUnpacksOnceWhileTheSplashStandsAndEitherQuitCleansUp) {
  // Quitting by the question box answered Yes, or by closing the window; in the second run the
  // sound is off, and the waves are loaded only once the player turns it on.
  for (const bool asked : {true, false}) {
    SCOPED_TRACE(asked);
    host = FakeHost{};
    SetINI("Options", "PlaySound", asked ? "Yes" : "No", folder.File("Pyx4.ini"));
    game->Start();
    game->Do(Command::PrepareGameWindow);
    EXPECT_TRUE(fs::exists(folder.File("dice.wav")));
    game->Do(Command::SplashTimeUp);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(host.busy, (std::vector<bool>{true, false}));
    EXPECT_EQ(Ini("Resources", "del"), "9");
    EXPECT_EQ(Listed(9), kWaves);
    EXPECT_EQ(host.prepared.size(), asked ? kWaves.size() : 0);
    if (!asked) game->Do(Command::ToggleSound);
    std::vector<std::string> prepared;
    for (const std::string& name : kWaves) prepared.push_back(folder.File(name));
    EXPECT_EQ(host.prepared, prepared);

    if (asked) host.answers = {true};
    asked ? game->Do(Command::Quit) : game->Do(Command::Close);
    EXPECT_TRUE(host.ended);
    EXPECT_EQ(FileNames(folder.Path()),
              (std::vector<std::string>{".Pyx4.ini.lock", "Pyx4.ini", "Res.pac", "test.lng"}));
    EXPECT_EQ(Ini("Resources", "del"), "0");
    EXPECT_EQ(Listed(9), std::vector<std::string>(9, ""));
  }
}

TEST_F(ResourcesTest, AMissingOrMalformedPackageIsToldWhenTheSplashEndsAndNothingIsListed) {
  // Missing ("-"), empty, of another kind, and of no files.
  using namespace std::string_view_literals;
  for (const auto bytes : {"-"sv, ""sv, "LBFQ123\x01\x01\0\0\0\0a"sv, "LBFP123\0"sv}) {
    SCOPED_TRACE(bytes);
    host = FakeHost{};
    fs::remove(folder.File("Res.pac"));
    if (bytes != "-") folder.Write("Res.pac", std::string(bytes));
    game->Start();
    game->Do(Command::PrepareGameWindow);
    EXPECT_TRUE(host.boxes.empty());
    game->Do(Command::SplashTimeUp);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text + "|" + host.boxes[0].title, "Specified package not found.|");
    EXPECT_TRUE(host.boxes[0].exclamation && host.busy.empty() && Ini("Resources", "del").empty());
  }
}

// Hostile packages and lists are the fuzz target's (tests/fuzz/package_fuzz.cpp): here a file a
// crashed game left is taken on, and the list ends at its first empty key.
TEST_F(ResourcesTest, WhatACrashedGameLeftIsTakenOnAndWhatOthersLeftIsKept) {
  folder.Write("Pyx4.ini", folder.Read("Pyx4.ini") +
                               "[Resources]\ndel=2147483647\ndel1=left.wav\ndel4=late.wav\n");
  for (const char* name : {"left.wav", "same.wav", "late.wav"}) folder.Write(name, name);
  folder.Write("Res.pac", package::Encode({{"ok.wav", "ok"},
                                           {"left.wav", "left.wav"},
                                           {"same.wav", "same.wav"},
                                           {"late.wav", "late.wav"}}));
  game->Start();
  game->Do(Command::PrepareGameWindow);
  EXPECT_EQ(Listed(4), (std::vector<std::string>{"ok.wav", "left.wav", "", "late.wav"}));
  game->Do(Command::SplashTimeUp);  // sound on: the waves there to play are loaded
  EXPECT_EQ(host.prepared,
            (std::vector<std::string>{folder.File("ok.wav"), folder.File("left.wav")}));
  game->Do(Command::Close);
  EXPECT_EQ(FileNames(folder.Path()),
            (std::vector<std::string>{".Pyx4.ini.lock", "Pyx4.ini", "Res.pac", "late.wav",
                                      "same.wav", "test.lng"}));
}

// A list longer than any the game writes is read no further than its cap: a file named after that
// is not taken on, and stays.
TEST_F(ResourcesTest, AListBeyondItsCapIsNotReadThere) {
  std::string list = "[Resources]\ndel=1000\n";
  for (int i = 1; i < 1000; ++i) list += "del" + std::to_string(i) + "=x.wav\n";
  folder.Write("Pyx4.ini", folder.Read("Pyx4.ini") + list + "del1000=late.wav\n");
  folder.Write("late.wav", "late.wav");
  folder.Write("Res.pac", package::Encode({{"late.wav", "late.wav"}}));
  game->Start();
  game->Do(Command::PrepareGameWindow);
  game->Do(Command::Close);
  EXPECT_EQ(folder.Read("late.wav"), "late.wav");
}

// Quitting one of two games in one folder leaves the sounds to the other; the last deletes them.
TEST_F(ResourcesTest, TheLastOfTwoGamesInOneFolderDeletesTheSounds) {
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t other = ::fork();
  if (other == 0) {
    AnnounceGame(folder.File("Pyx4.ini"));
    if (::write(ready[1], "", 1) == 1) ::pause();
    ::_exit(1);
  }
  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1);
  Start();
  game->Do(Command::Close);
  for (const std::string& name : kWaves) EXPECT_TRUE(fs::exists(folder.File(name))) << name;
  EXPECT_EQ(Ini("Resources", "del"), "9");
  // The other game ends, as abruptly as a game may.
  ::kill(other, SIGKILL);
  ::waitpid(other, nullptr, 0);
  ::close(ready[0]), ::close(ready[1]);
  game->Do(Command::Close);
  for (const std::string& name : kWaves) EXPECT_FALSE(fs::exists(folder.File(name))) << name;
}

}  // namespace
}  // namespace pyxaro::testing
