#include "settings/folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "settings/ini_disk.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

namespace fs = std::filesystem;

// Takes the owner's write bit from a folder for one scope, so that the temporary folders can be
// removed afterwards.
struct ReadOnly {
  explicit ReadOnly(const fs::path& at) : folder(at) {
    fs::permissions(folder, fs::perms::owner_write, fs::perm_options::remove);
  }
  ~ReadOnly() { fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add); }
  fs::path folder;
};

constexpr fs::perms kOwnersFile = fs::perms::owner_read | fs::perms::owner_write;
fs::perms Rights(const std::string& path) {
  return fs::status(path).permissions() & fs::perms::all;
}

TEST(MayWriteInTest, TheBitsOfThePlayersClassDecideEvenForRoot) {
  TempFolder folder;
  folder.Write("file", "");
  EXPECT_FALSE(MayWriteIn(folder.File("file")));
  EXPECT_FALSE(MayWriteIn(folder.File("missing")));
  // The folder's owner and group: the player's, or (only root can give them away) nobody's; then
  // every combination of the write bits.
  const uid_t me = ::geteuid(), nobody = 65534;
  for (const auto& [owner, group] :
       {std::pair{me, ::getegid()}, {nobody, ::getegid()}, {nobody, nobody}}) {
    if (owner != me && me != 0) continue;
    ASSERT_EQ(::chown(folder.Path().c_str(), owner, group), 0);
    const mode_t bit = owner == me ? S_IWUSR : group == ::getegid() ? S_IWGRP : S_IWOTH;
    for (const mode_t mode : {0555, 0755, 0575, 0557, 0775, 0757, 0577, 0777}) {
      ::chmod(folder.Path().c_str(), mode);
      EXPECT_EQ(MayWriteIn(folder.Path().string()), (mode & bit) != 0)
          << owner << ":" << group << " " << std::oct << mode;
    }
    ::chmod(folder.Path().c_str(), 0700);
  }
  ASSERT_EQ(::chown(folder.Path().c_str(), me, ::getegid()), 0);
}

// The program folder is the fixture's folder, with its shipped settings and language; the player's
// home is a second temporary folder.
class FoldersTest : public GameTest {
 protected:
  fs::path Personal() const { return home.Path() / ".local" / "share" / "pyxaro"; }
  std::string Personal(const std::string& name) const { return (Personal() / name).string(); }
  std::string Shipped() const { return folder.Read("Pyx4.ini"); }

  TempFolder home;
};

TEST_F(FoldersTest, AReadOnlyProgramFolderWritesOnlyInThePlayersOwnFolder) {
  const std::string shipped = Shipped();
  const std::string own =
      "[Options]\nPlaySound=No\nShowLangu=No\n"
      "[Language]\nantal=1\nl1n=Test\nl1p=test.lng\nselected=1\n";
  // The player's folder before the start: absent, there but empty, or holding the player's own
  // settings.
  const std::tuple<const char*, bool, const char*> cases[] = {
      {"first start", false, nullptr},
      {"folder left empty", true, nullptr},
      {"later start", true, own.c_str()},
  };
  for (const auto& [name, exists, before] : cases) {
    SCOPED_TRACE(name);
    fs::remove_all(home.Path() / ".local");
    if (exists) fs::create_directories(Personal());
    if (before) std::ofstream(Personal("Pyx4.ini")) << before;
    game = std::make_unique<Game>(host, dice, folder.Path().string());
    const ReadOnly readOnly(folder.Path());

    game->SettleDataFolder(Personal().string());
    Start();
    EXPECT_EQ(game->Settings().File(), Personal("Pyx4.ini"));
    EXPECT_EQ(GetINI("Options", "PlaySound", game->Settings().File()) == "No", before != nullptr);
    EXPECT_EQ(game->Texts().LangText("l3"), TestText(3));
    EXPECT_TRUE(exists || Rights(Personal().string()) == fs::perms::owner_all);
    EXPECT_TRUE(before || Rights(Personal("Pyx4.ini")) == kOwnersFile);
    game->Do(Command::ToggleSound);
    EXPECT_EQ(GetINI("Options", "PlaySound", Personal("Pyx4.ini")) == "No", before == nullptr);
    if (game->Sound().SwitchedOff()) game->Do(Command::ToggleSound);
    Throw({1, 2, 3, 4, 5, 6});
    EXPECT_EQ(host.played.back().path, Personal("dice.wav"));
    EXPECT_EQ(Shipped(), shipped);
    EXPECT_TRUE(host.boxes.empty());
  }
}

TEST_F(FoldersTest, AFullDiskLeavesNoSettingsFileAndTheNextStartSeedsIt) {
  const ReadOnly readOnly(folder.Path());
  ini::Calls().write = [](int, const void*, std::size_t) -> ssize_t {
    errno = ENOSPC;
    return -1;
  };
  game->SettleDataFolder(Personal().string());
  ini::ResetCalls();
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_TRUE(host.boxes[0].text.find("No space left") != std::string::npos) << host.boxes[0].text;
  EXPECT_EQ(FileNames(Personal()), std::vector<std::string>{});
  // A start that left an empty file behind, as the game once did.
  for (const bool emptyLeft : {false, true}) {
    if (emptyLeft) {
      fs::remove(Personal("Pyx4.ini"));
      std::ofstream(Personal("Pyx4.ini")).flush();
      fs::permissions(Personal("Pyx4.ini"), fs::perms::group_read | fs::perms::others_read,
                      fs::perm_options::add);
    }
    host = FakeHost{};
    game = std::make_unique<Game>(host, dice, folder.Path().string());
    game->SettleDataFolder(Personal().string());
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(ReadAll(Personal("Pyx4.ini")), Shipped());
    EXPECT_EQ(Rights(Personal("Pyx4.ini")), kOwnersFile);
  }
}

TEST_F(FoldersTest, AFolderThatCannotBeMadeIsSaidAndTheGamePlaysOnTheShippedSettings) {
  home.Write(".local", "a file where the folder should be");
  const ReadOnly readOnly(folder.Path());
  game->SettleDataFolder(Personal().string());
  ASSERT_EQ(host.boxes.size(), 1u);
  const Box& box = host.boxes[0];
  EXPECT_TRUE(box.kind == Box::Message && box.exclamation &&
              box.text.find(Personal().string()) != std::string::npos &&
              box.text.find("will not be saved") != std::string::npos)
      << box.text;

  Start();
  EXPECT_EQ(game->Settings().File(), folder.File("Pyx4.ini"));
  EXPECT_TRUE(game->Window().View().Loaded && game->Window().View().Visible);
  Throw({1, 2, 3, 4, 5, 6});
  EXPECT_EQ(game->Turn().State().RollsLeft, 59);
}

// A game installed over an older one: the player's list stays the player's, and the languages it
// lacks are offered after its rows.
TEST_F(FoldersTest, ThePickerOffersTheShippedLanguagesThePlayersListLacks) {
  folder.Write("Pyx4.ini",
               "[Language]\nantal=4\nl1n=Test\nl1p=test.lng\nl2n=Other\nl2p=other.lng\n"
               "l3n=Third\nl3p=third.lng\nl4n=Mine\nl4p=x.lng\nselected=1\n");
  folder.Write("third.lng", "[Language]\nl0=third 0\n");
  const std::string shipped = Shipped();
  const std::string own =
      "[Language]\nantal=3\nl1n=Test\nl1p=test.lng\nl2n=Andra\nl2p=other.lng\n"
      "l3n=Mine\nl3p=mine.lng\nselected=2\n";
  fs::create_directories(Personal());
  std::ofstream(Personal("Pyx4.ini")) << own;
  const ReadOnly readOnly(folder.Path());
  game->SettleDataFolder(Personal().string());
  game->Start();
  EXPECT_EQ(game->Texts().Picker().LanguageList.Items,
            (std::vector<std::string>{"Test", "Andra", "Mine", "Third"}));

  game->Do(Command::PickLanguage, 3);
  game->Do(Command::ConfirmLanguage);
  game->Do(Command::SplashTimeUp);
  EXPECT_EQ(game->Display().Said(), "third 0");
  // The player's own rows stay; the chosen one joins after them.
  EXPECT_TRUE(
      ReadAll(Personal("Pyx4.ini"))
          .starts_with("[Language]\nantal=4\nl1n=Test\nl1p=test.lng\nl2n=Andra\nl2p=other.lng\n"
                       "l3n=Mine\nl3p=mine.lng\nselected=4\nl4n=Third\nl4p=third.lng\n"));
  EXPECT_EQ(Shipped(), shipped);
}

}  // namespace
}  // namespace pyxaro::testing
