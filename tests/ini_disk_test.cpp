// The store's calls to the file system: their order, the size limit, and the refusals a player
// without rights meets.

#include "settings/ini_disk.h"

#include <unistd.h>

#include <cerrno>

#include "settings/ini_file.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

namespace fs = std::filesystem;

// The calls the writes made, in order, and the widest group and other rights of a file they wrote.
std::string calls;
mode_t widest = 0;

std::string NameOf(int fd) {
  struct stat info {};
  ::fstat(fd, &info);
  if (S_ISDIR(info.st_mode)) return "folder";
  widest |= info.st_mode & 077;
  return "file";
}

// A folder that takes no new names.
int RefuseRename(const char*, const char*) { return errno = EACCES, -1; }

class IniDiskTest : public ::testing::Test {
 protected:
  IniDiskTest() {
    // Every write is first interrupted by a signal, as a write may be.
    ini::Calls().write = [](int fd, const void* data, std::size_t size) -> ssize_t {
      static bool interrupted = false;
      if ((interrupted = !interrupted)) return errno = EINTR, -1;
      calls += "write " + NameOf(fd) + ", ";
      return ::write(fd, data, size);
    };
    ini::Calls().fsync = [](int fd) { return calls += "fsync " + NameOf(fd) + ", ", ::fsync(fd); };
    ini::Calls().ftruncate = [](int fd, off_t to) {
      return calls += "truncate, ", ::ftruncate(fd, to);
    };
  }
  ~IniDiskTest() override { ini::ResetCalls(); }
  std::string Path() const { return folder.File("Pyx4.ini"); }
  struct stat Stat() const {
    struct stat info {};
    ::stat(Path().c_str(), &info);
    return info;
  }
  TempFolder folder;
};

// A folder that refuses the new file has the old one rewritten in place, shortened last.
TEST_F(IniDiskTest, TheNewFileIsOnDiskBeforeItCountsAndAPasswordMakesItTheOwnersAlone) {
  for (const bool refused : {false, true}) {
    ini::Calls().rename = refused ? RefuseRename : [](const char* from, const char* to) {
      return calls += "rename, ", ::rename(from, to);
    };
    for (const mode_t mode : {0644, 0664, 0640, 0604}) {
      for (const std::string pass : {"pw", ""}) {
        SCOPED_TRACE(::testing::Message() << refused << std::oct << mode << pass);
        folder.Write("Pyx4.ini", "[Users]\nuser1=Eve\npass1=a long old pass\n");
        ::chmod(Path().c_str(), mode);
        calls.clear(), widest = 0;
        ASSERT_EQ(SetINIBatch({{"Users", "user1", "Bo"}, {"Users", "pass1", pass}}, Path(),
                              Profiles::Passwords()),
                  -1);
        EXPECT_EQ(folder.Read("Pyx4.ini"), "[Users]\nuser1=Bo\npass1=" + pass + "\n");
        EXPECT_EQ(calls, refused ? "write file, fsync file, write file, truncate, fsync file, "
                                 : "write file, fsync file, rename, fsync folder, ");
        EXPECT_EQ(Stat().st_mode & 0777, pass.empty() ? mode : mode & 0700);
        EXPECT_TRUE(pass.empty() || widest == 0) << widest;
      }
    }
  }
}

// Writes are cut in the settings file when it is rewritten in place, else in the new file.
struct Cut {
  bool inPlace = false;
  ino_t inode = 0;       // the settings file's
  std::size_t left = 0;  // bytes the writes may still take
  off_t firstAt = -1;
} cut;

TEST_F(IniDiskTest, AWriteCutAnywhereKeepsTheOldFileOrDamagesOnlyTheChangedStretch) {
  const std::string old = "[A]\nx=1\ny=middle\nz=end\n";
  ini::Calls().write = [](int fd, const void* data, std::size_t size) -> ssize_t {
    struct stat info {};
    ::fstat(fd, &info);
    if ((info.st_ino == cut.inode) != cut.inPlace) return ::write(fd, data, size);
    if (cut.firstAt < 0) cut.firstAt = ::lseek(fd, 0, SEEK_CUR);
    if (cut.left == 0) return errno = EIO, -1;
    const ssize_t written = ::write(fd, data, std::min(size, cut.left));
    cut.left -= static_cast<std::size_t>(written);
    return written;
  };
  for (const bool inPlace : {false, true}) {
    ini::Calls().rename = inPlace ? RefuseRename : ::rename;
    // A longer, a shorter and an equally long value, and a new key.
    for (const auto& [key, value] :
         {std::pair{"y", "a much longer middle"}, {"y", "m"}, {"y", "MIDDLE"}, {"w", "new"}}) {
      const std::string made = *ini::SetValue(old, "A", key, value);
      const auto first = static_cast<std::size_t>(
          std::mismatch(old.begin(), old.end(), made.begin(), made.end()).first - old.begin());
      const std::string grown =
          old + std::string(made.size() - std::min(made.size(), old.size()), '\0');
      for (std::size_t left = 0;; ++left) {
        SCOPED_TRACE(::testing::Message() << inPlace << key << "=" << value << " cut at " << left);
        folder.Write("Pyx4.ini", old);
        cut = {inPlace, Stat().st_ino, left, -1};
        const bool stored = SetINI("A", key, value, Path()) == -1;
        EXPECT_EQ(cut.firstAt, static_cast<off_t>(inPlace ? first : 0));
        if (stored) {
          EXPECT_EQ(folder.Read("Pyx4.ini"), made);
          break;
        }
        ASSERT_LT(left, made.size());
        EXPECT_EQ(folder.Read("Pyx4.ini"),
                  inPlace ? made.substr(0, first + left) + grown.substr(first + left) : old);
        // Nor does the game read the value that never reached the disk, or leave the new file.
        EXPECT_TRUE(inPlace || (GetINI("A", "w", Path()).empty() &&
                                FileNames(folder.Path()) ==
                                    std::vector<std::string>{".Pyx4.ini.lock", "Pyx4.ini"}));
      }
    }
  }
}

TEST_F(IniDiskTest, AFileLargerThanItWouldReadOrALockHeldElsewhereRefusesAWriteAndLeftoversWait) {
  const std::string big = "[A]\nx=" + std::string(ini::kLargestFile - 16, 'v') + "\n";
  folder.Write("Pyx4.ini", big);
  EXPECT_EQ(SetINI("A", "y", "0123456789", Path()), 0);
  EXPECT_EQ(folder.Read("Pyx4.ini"), big);
  EXPECT_EQ(SetINI("A", "y", "1", Path()), -1);
  folder.Write("Pyx4.ini", "[A]\nx=1\n");
  folder.Write(".Pyx4.ini.a1B2c3", "a write cut short");
  folder.Write(".Pyx4.ini.note", "not ours");
  ini::Calls().lockWait = std::chrono::milliseconds(50);
  {
    const auto held = ini::WriteLock::Take(Path());
    ASSERT_TRUE(held.has_value());
    EXPECT_EQ(SetINI("A", "x", "2", Path()), 0);
    RemoveLeftoverTempFiles(Path());
    EXPECT_EQ(folder.Read(".Pyx4.ini.a1B2c3"), "a write cut short");
  }
  EXPECT_EQ(SetINI("A", "x", "2", Path()), -1);
  RemoveLeftoverTempFiles(Path());
  EXPECT_FALSE(std::filesystem::exists(folder.File(".Pyx4.ini.a1B2c3")));
  EXPECT_EQ(folder.Read(".Pyx4.ini.note"), "not ours");
}

// "" when writing follows the caller's class's bit for every mode and owner, else the first miss.
std::string WriteRuleBreaks() {
  const uid_t me = ::geteuid(), other = me == 0 ? kNobody : 0;
  const gid_t mine = ::getegid(), theirs = mine == 0 ? kNobody : 0;
  for (mode_t mode = 0; mode < 01000; ++mode) {
    for (const auto& [owner, group] : {std::pair{me, mine}, {other, mine}, {other, theirs}}) {
      struct stat info {};
      info.st_mode = S_IFREG | mode, info.st_uid = owner, info.st_gid = group;
      const mode_t bit = me == 0 ? 0222 : owner == me ? S_IWUSR : group == mine ? S_IWGRP : S_IWOTH;
      if (ini::PermitsWriting(info) != ((mode & bit) != 0))
        return std::to_string(owner) + ":" + std::to_string(group) + " " + std::to_string(mode);
    }
  }
  return {};
}

// What a player without rights meets: "", else the first case that fails. Another user's file is
// a read-only one to the player, as the rule above decides.
std::string RefusalsWithoutRights(const std::string& folder) {
  const std::string file = folder + "/Pyx4.ini";
  std::ofstream(file) << "[A]\nx=1\n";
  ::chmod(file.c_str(), 0444);
  if (SetINI("A", "x", "2", file) != 0) return "a read-only file was written";
  ::chmod(file.c_str(), 0644);
  ::chmod(folder.c_str(), 0555);
  if (SetINI("A", "x", "3", file) != -1 || GetINI("A", "x", file) != "3")
    return "a writable file in a closed folder was refused";
  if (SetINI("A", "x", "4", folder + "/missing.ini") != 0)
    return "a file was made in a closed folder";
  ::chmod(folder.c_str(), 0755);
  return WriteRuleBreaks();
}

// As root, who may make files in a closed folder, the cases run in a child that has become nobody.
TEST(IniRightsTest, APlayerWithoutRightsIsRefusedAndLosesNothingAndRootObeysAnyWriteBit) {
  TempFolder folder;
  const std::string path = folder.Path().string();
  const auto check = [&] { return RefusalsWithoutRights(path); };
  if (::geteuid() == 0) {
    EXPECT_EQ(WriteRuleBreaks(), "");
    ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
  }
  const auto result = ::geteuid() == 0 ? AsNobody(check) : check();
  if (!result) GTEST_SKIP() << "could not become nobody";
  EXPECT_EQ(*result, "");
}

// Root in another user's folder: a write that would put a new password into that user's file is
// refused, whether the file is replaced or rewritten in place; one that keeps its passwords is not.
TEST_F(IniDiskTest, APasswordGoesOnlyIntoTheRunningUsersOwnFile) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can write another user's file";
  const std::string before = "[Users]\nuser1=Eve\npass1=hers\nuser2=Bo\npass2=his\n";
  // The changes, and whether they go through.
  const std::pair<std::vector<IniChange>, bool> cases[] = {
      {{{"Users", "user3", "Root"}, {"Users", "pass3", "secret"}}, false},
      {{{"Users", "pass1", "changed"}}, false},
      {{{"Users", "user1", "Eva"}}, true},
      {{{"Users", "user1", "Bo"}, {"Users", "pass1", "his"}, {"Users", "pass2", ""}}, true},
      {{{"Highscore", "p1", "300"}}, true}};
  for (const bool inPlace : {false, true}) {
    ini::Calls().rename = inPlace ? RefuseRename : ::rename;
    for (const auto& [changes, written] : cases) {
      SCOPED_TRACE(::testing::Message() << inPlace << " " << changes.back().Key);
      folder.Write("Pyx4.ini", before);
      ASSERT_EQ(::chown(Path().c_str(), kNobody, kNobody), 0);
      EXPECT_EQ(SetINIBatch(changes, Path(), Profiles::Passwords()), written ? -1 : 0);
      EXPECT_EQ(folder.Read("Pyx4.ini") == before, !written);
    }
  }
}

// Links in the settings file's or its lock's place (a lock link to nothing is the package fuzz
// target's). The file elsewhere is writable by anyone, so that only the rule on links refuses it;
// without root no file of another user can be made, and only our own run.
TEST(IniLinksTest, ALinkIsFollowedOnlyToTheRunningUsersOwnFile) {
  const std::tuple<const char*, bool, bool, bool, bool, bool> cases[] = {
      // what, link ours, target ours, target there, lock link, written
      {"our link to our own file", true, true, true, false, true},
      {"our link to another user's file", true, false, true, false, false},
      {"another user's link to our file", false, true, true, false, false},
      {"our link to nothing", true, true, false, false, false},
      {"a lock link to another user's file", true, false, true, true, false},
  };
  TempFolder folder;
  const uid_t me = ::geteuid(), other = me == 0 ? kNobody : me;
  for (const auto& [what, linkOurs, targetOurs, there, lockLink, written] : cases) {
    if (other == me && !(linkOurs && targetOurs)) continue;
    SCOPED_TRACE(what);
    const fs::path at = folder.Path() / what, target = at / "elsewhere" / "t.ini";
    for (const char* name : {"game", "elsewhere"}) fs::create_directories(at / name);
    if (there) {
      std::ofstream(target) << "[A]\nx=1\n";
      ::chmod(target.c_str(), 0666);
      ASSERT_EQ(::chown(target.c_str(), targetOurs ? me : other, targetOurs ? me : other), 0);
    }
    const fs::path link = at / "game" / (lockLink ? ".Pyx4.ini.lock" : "Pyx4.ini");
    if (lockLink) std::ofstream(at / "game" / "Pyx4.ini") << "[A]\nx=1\n";
    fs::create_symlink(target, link);
    ASSERT_EQ(::lchown(link.c_str(), linkOurs ? me : other, linkOurs ? me : other), 0);
    const auto before = FileNames(at / "elsewhere");
    EXPECT_EQ(SetINI("A", "x", "2", (at / "game" / "Pyx4.ini").string()), written ? -1 : 0);
    EXPECT_EQ(FileNames(at / "elsewhere"),
              (written ? std::vector<std::string>{".t.ini.lock", "t.ini"} : before));
    EXPECT_TRUE(!there || GetINI("A", "x", target.string()) == (written ? "2" : "1"));
    EXPECT_TRUE(fs::is_symlink(link));
  }
}

}  // namespace
}  // namespace pyxaro::testing
