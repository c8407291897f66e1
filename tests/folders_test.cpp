#include "settings/folders.h"

#include <unistd.h>

#include <cerrno>

#include "settings/ini_disk.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

namespace fs = std::filesystem;

// The owner's write bit taken for one scope, so that the temporary folders can be removed after.
struct ReadOnly {
  explicit ReadOnly(const fs::path& at) : folder(at) {
    fs::permissions(folder, fs::perms::owner_write, fs::perm_options::remove);
  }
  ~ReadOnly() { fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add); }
  fs::path folder;
};

constexpr fs::perms kOwnersFile = fs::perms::owner_read | fs::perms::owner_write;
ssize_t NoSpace(int, const void*, std::size_t) { return errno = ENOSPC, -1; }

TEST(MayWriteInTest, TheBitsOfThePlayersClassDecideEvenForRoot) {
  TempFolder folder;
  folder.Write("file", "");
  EXPECT_FALSE(MayWriteIn(folder.File("file")) || MayWriteIn(folder.File("missing")));
  // The folder's owner and group: the player's, or (only root can give them away) nobody's; then
  // every combination of the write bits.
  const uid_t me = ::geteuid();
  for (const auto& [owner, group] :
       {std::pair{me, ::getegid()}, {kNobody, ::getegid()}, {kNobody, kNobody}}) {
    if (owner != me && me != 0) continue;
    ASSERT_EQ(::chown(folder.Path().c_str(), owner, group), 0);
    const mode_t bit = owner == me ? S_IWUSR : group == ::getegid() ? S_IWGRP : S_IWOTH;
    for (const mode_t mode : {0555, 0755, 0575, 0557, 0775, 0757, 0577, 0777}) {
      ::chmod(folder.Path().c_str(), mode);
      EXPECT_EQ(MayWriteIn(folder.Path().string()), (mode & bit) != 0)
          << owner << ":" << group << " " << std::oct << mode;
    }
  }
}

// The program folder is the fixture's; the player's home is a second temporary folder.
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
  // The player's folder before the start: absent, there but empty, holding the empty file a start
  // on a full disk once left (readable by all), or holding the player's own settings.
  const std::tuple<const char*, bool, const char*> cases[] = {
      {"first start", false, nullptr},
      {"folder left empty", true, nullptr},
      {"empty file left", true, ""},
      {"later start", true, own.c_str()},
  };
  for (const auto& [name, exists, before] : cases) {
    SCOPED_TRACE(name);
    const bool players = before != nullptr && *before != '\0';
    fs::remove_all(home.Path() / ".local");
    if (exists) fs::create_directories(Personal());
    if (before) std::ofstream(Personal("Pyx4.ini")) << before;
    MakeGame();
    const ReadOnly readOnly(folder.Path());

    game->SettleDataFolder(Personal().string());
    EXPECT_EQ(ReadAll(Personal("Pyx4.ini")) == shipped, !players);
    Start();
    EXPECT_EQ(game->Settings().File(), Personal("Pyx4.ini"));
    EXPECT_EQ(game->Texts().Text({"l3", ""}), TestText(3));
    EXPECT_TRUE(exists || fs::status(Personal()).permissions() == fs::perms::owner_all);
    EXPECT_TRUE(players || fs::status(Personal("Pyx4.ini")).permissions() == kOwnersFile);
    game->Do(Command::ToggleSound);
    EXPECT_EQ(GetINI("Options", "PlaySound", Personal("Pyx4.ini")) == "No", !players);
    if (game->Sound().SwitchedOff()) game->Do(Command::ToggleSound);
    Throw({1, 2, 3, 4, 5, 6});
    EXPECT_EQ(host.played.back().path, Personal("dice.wav"));
    EXPECT_EQ(Shipped(), shipped);
    EXPECT_TRUE(host.boxes.empty());
  }
}

// A file where the player's folder should be, or a full disk: the game says why and plays on the
// shipped settings, and leaves no settings file a later start would take for the player's.
TEST_F(FoldersTest, AFolderThatCannotBeSettledIsSaidAndTheGamePlaysOnTheShippedSettings) {
  const ReadOnly readOnly(folder.Path());
  for (const bool full : {false, true}) {
    SCOPED_TRACE(full);
    fs::remove(home.Path() / ".local");
    host = FakeHost{};
    MakeGame();
    full ? void(ini::Calls().write = NoSpace) : home.Write(".local", "a file, not a folder");
    game->SettleDataFolder(Personal().string());
    ini::ResetCalls();
    ASSERT_EQ(host.boxes.size(), 1u);
    const Box& box = host.boxes[0];
    for (const std::string& piece : {Personal().string(), std::string("will not be saved"),
                                     std::string(full ? "No space left" : "")})
      EXPECT_TRUE(box.text.find(piece) != std::string::npos) << box.text;
    EXPECT_TRUE(box.kind == Box::Message && box.exclamation);
    Start();
    EXPECT_EQ(game->Settings().File(), folder.File("Pyx4.ini"));
  }
  EXPECT_EQ(FileNames(Personal()), std::vector<std::string>{});
}

// A game installed over an older one: the languages the player's list lacks follow its rows.
TEST_F(FoldersTest, ThePickerOffersTheShippedLanguagesThePlayersListLacks) {
  folder.Write("Pyx4.ini",
               "[Language]\nantal=4\nl1n=Test\nl1p=test.lng\nl2n=Other\nl2p=other.lng\n"
               "l3n=Third\nl3p=third.lng\nl4n=Mine\nl4p=x.lng\nselected=1\n");
  folder.Write("third.lng", "[Language]\nl0=third 0\n");
  const std::string shipped = Shipped();
  fs::create_directories(Personal());
  std::ofstream(Personal("Pyx4.ini")) << "[Language]\nantal=3\nl1n=Test\nl1p=test.lng\nl2n=Andra\n"
                                         "l2p=other.lng\nl3n=Mine\nl3p=mine.lng\nselected=2\n";
  const ReadOnly readOnly(folder.Path());
  game->SettleDataFolder(Personal().string());
  game->Start();
  EXPECT_EQ(game->Texts().Picker().LanguageList.Items,
            (std::vector<std::string>{"Test", "Andra", "Mine", "Third"}));

  game->Pick(List::Languages, Row{3});
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
