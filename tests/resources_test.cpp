#include <filesystem>

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
    EXPECT_EQ(host.prepared.size(), shipped ? kWaves.size() : 0u);
    // The next opening of the game window unpacks afresh.
    EXPECT_FALSE(game->run.Unpacked);
    game->DeleteResources();
  }
}

TEST_F(ResourcesTest, AHostilePackageUnpacksOnlyPlainNamesAndListsThemEvenWhenACopyFails) {
  TempFolder outside;
  const std::string escape = "../" + outside.Path().filename().string() + "/owned.wav";
  const std::string settings = folder.Read("Pyx4.ini");
  std::string bytes = package::Encode({{escape, "x"},
                                       {"ok.wav", "ok"},
                                       {"PYX4.INI", "[Options]\n"},
                                       {"res.PAC", "gone"},
                                       {"short.wav", "12345"}});
  bytes.resize(bytes.size() - 2);  // short.wav runs past the end
  folder.Write("Res.pac", bytes);
  game->OpenLanguagePicker();
  game->UnpackResources();
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_EQ(folder.Read("ok.wav"), "ok");
  EXPECT_FALSE(fs::exists(folder.File("short.wav")));
  EXPECT_TRUE(fs::is_empty(outside.Path()));
  EXPECT_EQ(folder.Read("Res.pac"), bytes);
  EXPECT_EQ(Ini("Resources", "del"), "2");
  EXPECT_EQ(Listed(3), (std::vector<std::string>{"ok.wav", "short.wav", ""}));
  EXPECT_EQ(host.prepared, std::vector<std::string>{folder.File("ok.wav")});
  EXPECT_EQ(folder.Read("Pyx4.ini").substr(0, settings.size()), settings);
}

TEST_F(ResourcesTest, CleanUpDeletesOnlyPlainNamesInsideTheFolder) {
  TempFolder outside;
  outside.Write("victim.wav", "keep");
  outside.Write("linked.wav", "keep");
  fs::create_symlink(outside.Path() / "linked.wav", folder.Path() / "link.wav");
  fs::create_directory(folder.Path() / "sub.wav");
  folder.Write("a.wav", "a");
  folder.Write("late.wav", "late");
  const std::string escape = "../" + outside.Path().filename().string() + "/victim.wav";
  folder.Write("Pyx4.ini", folder.Read("Pyx4.ini") +
                               "[Resources]\ndel=2147483647\ndel1=a.wav\ndel2=" + escape +
                               "\ndel3=link.wav\ndel4=sub.wav\ndel5=Pyx4.ini\n" +
                               "del6=missing.wav\ndel8=late.wav\n");
  game->OpenLanguagePicker();
  game->DeleteResources();
  EXPECT_FALSE(fs::exists(folder.File("a.wav")));
  EXPECT_FALSE(fs::is_symlink(folder.Path() / "link.wav"));
  EXPECT_EQ(outside.Read("linked.wav") + outside.Read("victim.wav"), "keepkeep");
  EXPECT_TRUE(fs::is_directory(folder.Path() / "sub.wav"));
  // The list ends at its first empty key, del7: del8 is not the list's.
  EXPECT_TRUE(fs::exists(folder.File("late.wav")));
  EXPECT_EQ(Ini("Resources", "del"), "0");
  EXPECT_EQ(Listed(8), (std::vector<std::string>{"", "", "", "", "", "", "", "late.wav"}));
  EXPECT_EQ(Ini("Options", "ShowLangu"), "No");

  // A count that is not a number deletes nothing.
  game->Store("Resources", "del", "many");
  game->Store("Resources", "del1", "late.wav");
  game->DeleteResources();
  EXPECT_TRUE(fs::exists(folder.File("late.wav")));
  EXPECT_EQ(Ini("Resources", "del"), "0");
}

}  // namespace
}  // namespace pyxaro::testing
