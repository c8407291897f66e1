#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
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

TEST_F(ResourcesTest, TheShippedPackageUnpacksAtOpeningAndEitherQuitCleansUp) {
  // Quitting by the question box answered Yes, or by closing the window.
  for (const bool asked : {true, false}) {
    SCOPED_TRACE(asked);
    host = FakeHost{};
    Start();
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(host.busy, (std::vector<bool>{true, false}));
    EXPECT_EQ(Ini("Resources", "del"), "9");
    EXPECT_EQ(Listed(9), kWaves);
    std::vector<std::string> prepared;
    for (const std::string& name : kWaves) {
      EXPECT_TRUE(fs::is_regular_file(folder.File(name))) << name;
      prepared.push_back(folder.File(name));
    }
    EXPECT_EQ(host.prepared, prepared);

    if (asked) {
      host.answers = {true};
      game->QuitClicked();
    } else {
      game->CloseClicked();
    }
    EXPECT_TRUE(host.ended);
    for (const std::string& name : kWaves) EXPECT_FALSE(fs::exists(folder.File(name))) << name;
    EXPECT_EQ(Ini("Resources", "del"), "0");
    EXPECT_EQ(Listed(9), std::vector<std::string>(9, ""));
    EXPECT_TRUE(fs::exists(folder.File("Res.pac")));
  }
}

TEST_F(ResourcesTest, AMissingOrMalformedPackageIsReportedAndNothingIsListed) {
  const char* const cases[] = {nullptr, "", "LBFQ123\x01\x01\0\0\0\0a", "LBFP123\0"};
  for (const char* bytes : cases) {
    SCOPED_TRACE(bytes == nullptr ? "missing" : bytes);
    host = FakeHost{};
    fs::remove(folder.File("Res.pac"));
    if (bytes != nullptr) folder.Write("Res.pac", std::string(bytes, bytes[0] == 0 ? 0 : 8));
    game->OpenLanguagePicker();
    game->UnpackResources();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, "Specified package not found.");
    EXPECT_EQ(host.boxes[0].title, "");
    EXPECT_TRUE(host.boxes[0].exclamation);
    EXPECT_TRUE(host.busy.empty());
    EXPECT_EQ(Ini("Resources", "del"), "");
  }
}

TEST_F(ResourcesTest, TheWavesAreLoadedOnlyWhileTheSoundIsOn) {
  SetINI("Options", "PlaySound", "No", folder.File("Pyx4.ini"));
  Start();
  EXPECT_TRUE(host.prepared.empty());
  game->ToggleSound();
  EXPECT_EQ(host.prepared.size(), kWaves.size());
}

TEST_F(ResourcesTest, UnpackedWhileTheSplashStandsOnceAndAMissingPackageToldAtItsEnd) {
  for (const bool shipped : {true, false}) {
    SCOPED_TRACE(shipped);
    host = FakeHost{};
    if (!shipped) fs::remove(folder.File("Res.pac"));
    game->OpenLanguagePicker();
    game->PrepareGameWindow();
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(fs::exists(folder.File("dice.wav")), shipped);
    game->SplashTimeUp();
    EXPECT_EQ(host.boxes.size(), shipped ? 0u : 1u);
    EXPECT_EQ(host.busy, (shipped ? std::vector<bool>{true, false} : std::vector<bool>{}));
    EXPECT_EQ(game->run.Waves.size(), shipped ? kWaves.size() : 0u);
    // The next opening of the game window unpacks afresh.
    EXPECT_FALSE(game->run.UnpackedAhead);
    game->DeleteResources();
  }
}

TEST_F(ResourcesTest, APackageWritesAndTheQuitDeletesNothingOfTheGamesOwnNorAnyoneElses) {
  TempFolder outside;
  outside.Write("linked.wav", "keep");
  const std::string escape = "../" + outside.Path().filename().string() + "/owned.wav";
  fs::create_symlink(outside.Path() / "linked.wav", folder.Path() / "link.wav");
  fs::create_directory(folder.Path() / "sub.wav");
  for (const char* name : {"pyxaro", "back.jpg", "notes.txt", "left.wav", "same.wav"})
    folder.Write(name, name);
  // The list names the game's own files, as a hostile hand would, and a
  // file a game unpacked before a crash; it ends at its first empty key.
  folder.Write("Pyx4.ini", folder.Read("Pyx4.ini") +
                               "[Resources]\ndel=2147483647\ndel1=pyxaro\ndel2=test.lng\n"
                               "del3=left.wav\ndel5=late.wav\n");
  SetINI("Options", "picture", "back.jpg", folder.File("Pyx4.ini"));
  // Files already there with the package's bytes: one a game listed, one not.
  std::vector<PackedFile> entries{
      {"ok.wav", "ok"}, {escape, "x"}, {"left.wav", "left.wav"}, {"same.wav", "same.wav"}};
  for (const char* name :
       {"pyxaro", "test.lng", "TEST.LNG", "Pyx4.ini", ".Pyx4.ini.lock", ".pyx4.ini.a1B2c3",
        "res.PAC", "back.jpg", "notes.txt", "link.wav", "sub.wav", "short.wav"}) {
    entries.push_back({name, "evil"});
  }
  std::string bytes = package::Encode(entries);
  bytes.resize(bytes.size() - 2);  // short.wav runs past the end
  folder.Write("Res.pac", bytes);
  const auto Mine = [&] {
    auto entries = Snapshot(folder.Path());
    entries.erase("Pyx4.ini");
    entries.erase(".Pyx4.ini.lock");
    return entries;
  };
  const auto before = Mine();

  game->OpenLanguagePicker();
  game->UnpackResources();
  EXPECT_TRUE(host.boxes.empty());
  auto unpacked = before;
  unpacked["ok.wav"] = "ok";
  EXPECT_EQ(Mine(), unpacked);
  EXPECT_EQ(Snapshot(outside.Path()), (std::map<std::string, std::string>{{"linked.wav", "keep"}}));
  EXPECT_EQ(Ini("Resources", "del"), "3");
  EXPECT_EQ(Listed(4), (std::vector<std::string>{"ok.wav", "left.wav", "short.wav", ""}));
  EXPECT_EQ(game->run.Waves,
            (std::vector<std::string>{folder.File("ok.wav"), folder.File("left.wav")}));

  game->CloseClicked();
  auto left = before;
  left.erase("left.wav");
  EXPECT_EQ(Mine(), left);
  EXPECT_EQ(Ini("Resources", "del"), "0");
  EXPECT_EQ(Listed(5), (std::vector<std::string>{"", "", "", "", "late.wav"}));

  // Without a package that vouches for them, no file is taken for the game's.
  for (const char* package : {"", "LBFP123\0"}) {
    folder.Write("Res.pac", package);
    game->Store("Resources", "del", "1");
    game->Store("Resources", "del1", "ok.wav");
    folder.Write("ok.wav", "ok");
    game->CloseClicked();
    EXPECT_EQ(folder.Read("ok.wav"), "ok");
  }
}

// Quitting one of two games in one folder leaves the sounds to the other;
// the last to go deletes them.
TEST_F(ResourcesTest, TheLastOfTwoGamesInOneFolderDeletesTheSounds) {
  int ready[2];
  int stop[2];
  ASSERT_EQ(::pipe(ready), 0);
  ASSERT_EQ(::pipe(stop), 0);
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
  game->CloseClicked();
  for (const std::string& name : kWaves) EXPECT_TRUE(fs::exists(folder.File(name))) << name;
  EXPECT_EQ(Ini("Resources", "del"), "9");

  ::close(stop[1]);
  int status = 0;
  ::waitpid(other, &status, 0);
  EXPECT_EQ(status, 0);
  game->CloseClicked();
  for (const std::string& name : kWaves) EXPECT_FALSE(fs::exists(folder.File(name))) << name;
  ::close(ready[0]);
}

// A settings file that refuses every write cannot list the sounds; the quit
// removes them all the same.
TEST_F(ResourcesTest, SettingsThatRefuseWritesLeaveNoSoundsBehind) {
  const std::string settings = folder.Read("Pyx4.ini");
  const std::string file = folder.File("Pyx4.ini");
  folder.Write(".Pyx4.ini.lock", "");
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"read-only", [&] { fs::permissions(file, fs::perms::owner_read); }},
      {"unreadable", [&] { fs::permissions(file, fs::perms::none); }},
      {"a pipe", [&] { fs::remove(file), ::mkfifo(file.c_str(), 0644); }},
      {"a link to a folder",
       [&] { fs::remove(file), fs::create_directory_symlink(folder.Path(), file); }}};
  for (const auto& [what, refuse] : cases) {
    SCOPED_TRACE(what);
    folder.Write("Pyx4.ini", settings);
    refuse();
    const auto before = FileNames(folder.Path());
    game->OpenLanguagePicker();
    game->UnpackResources();
    EXPECT_TRUE(fs::exists(folder.File("dice.wav")));
    game->CloseClicked();
    EXPECT_EQ(FileNames(folder.Path()), before);
    fs::remove(file);
  }
}

}  // namespace
}  // namespace pyxaro::testing
