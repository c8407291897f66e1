#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <cstdlib>

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
  std::vector<std::string> Listed(int n) const {
    std::vector<std::string> names;
    for (int i = 1; i <= n; ++i) names.push_back(Ini("Resources", "del" + std::to_string(i)));
    return names;
  }
};

TEST_F(ResourcesTest, TheShippedPackageUnpacksOnceWhileTheSplashStandsAndEitherQuitCleansUp) {
  // Quitting by the question answered Yes, or by closing the window; in the second run the sound is
  // off, and the waves load only once the player turns it on.
  std::vector<std::string> paths;
  for (const std::string& name : kWaves) paths.push_back(folder.File(name));
  for (const bool asked : {true, false}) {
    SCOPED_TRACE(asked);
    host = FakeHost{};
    Store({{"Options", "PlaySound", asked ? "Yes" : "No"}});
    game->Start();
    game->Do(Command::PrepareGameWindow);
    EXPECT_TRUE(fs::exists(folder.File("dice.wav")));
    game->Do(Command::SplashTimeUp);
    EXPECT_EQ(
        std::tuple(host.boxes.size(), host.busy, Ini("Resources", "del"), Listed(9), host.prepared),
        std::tuple(0U, std::vector{true, false}, "9", kWaves,
                   asked ? paths : std::vector<std::string>{}));
    if (!asked) game->Do(Command::ToggleSound);
    EXPECT_EQ(host.prepared, paths);
    if (asked) host.answers = {true};
    game->Do(asked ? Command::Quit : Command::Close);
    EXPECT_EQ(
        std::tuple(host.ended, FileNames(folder.Path()), Ini("Resources", "del"), Listed(9)),
        std::tuple(true,
                   std::vector<std::string>{".Pyx4.ini.lock", "Pyx4.ini", "Res.pac", "test.lng"},
                   "0", std::vector<std::string>(9, "")));
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

// A list is read no further than its cap: a file named after that is not taken on, and stays.
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
  // As abruptly as a game may end.
  ::kill(other, SIGKILL);
  ::waitpid(other, nullptr, 0);
  ::close(ready[0]), ::close(ready[1]);
  game->Do(Command::Close);
  for (const std::string& name : kWaves) EXPECT_FALSE(fs::exists(folder.File(name))) << name;
}

TEST(PackageRules, OnlyPlainNamesStayInTheirFolder) {
  for (const char* name : {"dice.wav", "Yahoo2.wav", "a b.wav", "...wav", "é.wav", ".hidden"})
    EXPECT_TRUE(package::IsPlainFileName(name)) << name;
  // Names reaching out of the folder are the fuzz target's; these it lets through unseen, or writes
  // outside the scratch folder it watches.
  for (const std::string& name : std::vector<std::string>{
           "", ".", "..", "/tmp/x", "a/b", "a\\b", "C:x", std::string("a\0b", 3), "tab\there",
           "line\n", "del\x7F", "\xC2\x85next"})
    EXPECT_FALSE(package::IsPlainFileName(name)) << name;
}

// The reader on its own, for what only a file already in place or a package changed under it
// shows, unpacked into a folder of a scratch folder so that anything written beside it shows. A
// name finds its entry without regard to case, and the destination may end in blanks.
TEST(PackageTest, AnExistingFileIsReplacedWholeOrKeptAsItWas) {
  TempFolder scratch;
  const fs::path destination = scratch.Path() / "game";
  fs::create_directory(destination);
  const auto unpacked = [&destination](const char* name) { return ReadAll(destination / name); };
  const std::string old(9000, 'o');
  scratch.Write("game/short.wav", old);
  scratch.Write("game/lying.wav", old);
  PackageReader reader;
  reader.SetPackage(scratch.File("Res.pac"));
  reader.SetDestination(destination.string() + "   ");
  // The last entry claims 100 bytes, of which the package holds 3.
  const std::string package =
      package::Encode({{"Short.wav", "new"}, {"lying.wav", std::string(100, 'b')}});
  scratch.Write("Res.pac", package.substr(0, package.size() - 97));
  EXPECT_TRUE(reader.ExtractFile("short.wav") && !reader.ExtractFile("lying.wav") &&
              !reader.ExtractFile("absent.wav"));
  EXPECT_EQ(reader.FileName(0) + "|" + reader.FileName(1), "Short.wav|lying.wav");
  EXPECT_EQ(unpacked("short.wav") + unpacked("lying.wav"), "new" + old);
  // The package shrinks after its directory was read: the copy fails midway.
  const std::string longer = package::Encode({{"short.wav", std::string(5000, 'b')}});
  scratch.Write("Res.pac", longer);
  ASSERT_TRUE(reader.Initialise());
  scratch.Write("Res.pac", longer.substr(0, 3000));
  EXPECT_FALSE(reader.ExtractFile("short.wav"));
  EXPECT_EQ(std::tuple(unpacked("short.wav"), FileNames(destination), FileNames(scratch.Path())),
            std::tuple("new", std::vector<std::string>{"lying.wav", "short.wav"},
                       std::vector<std::string>{"Res.pac", "game"}));
}

std::uint32_t Field(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i)
    value = (value << 8) | static_cast<unsigned char>(bytes.at(at + static_cast<std::size_t>(i)));
  return value;
}

// The wave files the build made: the format the game ships, short, never clipping, and silent at
// both ends so that nothing clicks.
TEST(Waves, EveryEffectIsShortQuietAndFadedAtBothEnds) {
  const double belowOneDb = 32768 * std::pow(10, -1 / 20.0);
  EXPECT_FALSE(std::filesystem::is_empty(PYXARO_WAVE_DIR));
  for (const auto& file : std::filesystem::directory_iterator(PYXARO_WAVE_DIR)) {
    SCOPED_TRACE(file.path().string());
    const std::string bytes = ReadAll(file.path());
    ASSERT_GE(bytes.size(), 46u);
    // PCM, mono, 44.1 kHz, 16 bit, and the data runs to the end.
    const std::uint32_t dataBytes = Field(bytes, 40, 4);
    ASSERT_EQ(std::tuple(bytes.substr(0, 4) + bytes.substr(8, 8) + bytes.substr(36, 4),
                         Field(bytes, 20, 2), Field(bytes, 22, 2), Field(bytes, 24, 4),
                         Field(bytes, 34, 2), bytes.size()),
              std::tuple("RIFFWAVEfmt data", 1u, 1u, 44100u, 16u, 44u + dataBytes));
    EXPECT_LT(dataBytes / 2 / 44100.0, 1.2);
    const auto sample = [&bytes](std::size_t at) {
      return std::abs(static_cast<std::int16_t>(Field(bytes, at, 2)));
    };
    int peak = 0;
    for (std::size_t at = 44; at < bytes.size(); at += 2) peak = std::max(peak, sample(at));
    EXPECT_TRUE(peak < belowOneDb && peak > belowOneDb / 8) << peak;  // heard, not a whisper
    // The first and the last quarter millisecond rise from and fall to silence.
    int ends = 0;
    for (std::size_t k = 0; k < 10; ++k)
      ends = std::max({ends, sample(44 + 2 * k), sample(bytes.size() - 2 - 2 * k)});
    EXPECT_LT(ends, peak / 20);
  }
}

}  // namespace
}  // namespace pyxaro::testing
