#include <sys/wait.h>
#include <unistd.h>

#include <map>

#include "settings/game_presence.h"
#include "settings/package_reader.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kWaves{"dice.wav",   "points.wav", "Bonus.wav",
                                      "Yahoo2.wav", "Yatzy.wav",  "Laser.wav",
                                      "beep.wav",   "pop.wav",    "doink.wav"};

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
  // Quitting by the question box answered Yes, or by closing the window.
  for (const bool asked : {true, false}) {
    SCOPED_TRACE(asked);
    host = FakeHost{};
    game->Start();
    game->Do(Command::PrepareGameWindow);
    EXPECT_TRUE(fs::exists(folder.File("dice.wav")));
    game->Do(Command::SplashTimeUp);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(host.busy, (std::vector<bool>{true, false}));
    EXPECT_EQ(Ini("Resources", "del"), "9");
    EXPECT_EQ(Listed(9), kWaves);
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

TEST_F(ResourcesTest, TheWavesAreLoadedOnlyWhileTheSoundIsOn) {
  SetINI("Options", "PlaySound", "No", folder.File("Pyx4.ini"));
  Start();
  EXPECT_TRUE(host.prepared.empty());
  game->Do(Command::ToggleSound);
  EXPECT_EQ(host.prepared.size(), kWaves.size());
}

TEST_F(ResourcesTest, AMissingOrMalformedPackageIsToldWhenTheSplashEndsAndNothingIsListed) {
  // Missing, empty, of another kind, and of no files.
  const char* const cases[] = {nullptr, "", "LBFQ123\x01\x01\0\0\0\0a", "LBFP123\0"};
  for (const char* bytes : cases) {
    SCOPED_TRACE(bytes == nullptr ? "missing" : bytes);
    host = FakeHost{};
    fs::remove(folder.File("Res.pac"));
    if (bytes != nullptr) folder.Write("Res.pac", std::string(bytes, bytes[0] == 0 ? 0 : 8));
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
  SettingsStore store(host, folder.Path().string());
  store.Open();
  const Languages texts(host, store);
  pyxaro::Sounds sounds(host, store, texts);
  sounds.Unpack();
  EXPECT_EQ(Listed(4), (std::vector<std::string>{"ok.wav", "left.wav", "", "late.wav"}));
  sounds.LoadChoice();  // sound on: the waves there to play are loaded
  EXPECT_EQ(host.prepared,
            (std::vector<std::string>{folder.File("ok.wav"), folder.File("left.wav")}));
  sounds.DeleteResources();
  EXPECT_EQ(FileNames(folder.Path()),
            (std::vector<std::string>{".Pyx4.ini.lock", "Pyx4.ini", "Res.pac", "late.wav",
                                      "same.wav", "test.lng"}));
}

// Quitting one of two games in one folder leaves the sounds to the other; the last deletes them.
TEST_F(ResourcesTest, TheLastOfTwoGamesInOneFolderDeletesTheSounds) {
  int ready[2], stop[2];
  ASSERT_TRUE(::pipe(ready) == 0 && ::pipe(stop) == 0);
  const pid_t other = ::fork();
  if (other == 0) {
    AnnounceGame(folder.File("Pyx4.ini"));
    char byte = 0;
    const bool told = ::write(ready[1], &byte, 1) == 1;
    ::close(stop[1]);
    const bool stopped = ::read(stop[0], &byte, 1) == 0;
    ::_exit(told && stopped ? 0 : 1);
  }
  ::close(ready[1]);
  ::close(stop[0]);
  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1);
  Start();
  game->Do(Command::Close);
  for (const std::string& name : kWaves) EXPECT_TRUE(fs::exists(folder.File(name))) << name;
  EXPECT_EQ(Ini("Resources", "del"), "9");

  ::close(stop[1]);
  int status = -1;
  EXPECT_TRUE(::waitpid(other, &status, 0) == other && status == 0);
  game->Do(Command::Close);
  for (const std::string& name : kWaves) EXPECT_FALSE(fs::exists(folder.File(name))) << name;
  ::close(ready[0]);
}

}  // namespace
}  // namespace pyxaro::testing
