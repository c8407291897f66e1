// The store's calls to the file system: their order, the size limit, and the refusals a player
// without rights meets.

#include "settings/ini_disk.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "settings/ini_file.h"
#include "tests/game_fixture.h"

namespace pyxaro {
namespace {

namespace fs = std::filesystem;

std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

// What kind of file a descriptor is open on.
std::string NameOf(int fd) {
  struct stat info {};
  ::fstat(fd, &info);
  return S_ISDIR(info.st_mode) ? "folder" : "file";
}

// A folder that takes no new names.
int RefuseRename(const char*, const char*) {
  errno = EACCES;
  return -1;
}

class IniDiskTest : public ::testing::Test {
 protected:
  IniDiskTest() {
    Log().clear();
    // Every write is first interrupted by a signal, as a write may be.
    ini::Calls().write = [](int fd, const void* data, std::size_t size) -> ssize_t {
      static bool interrupted = false;
      if ((interrupted = !interrupted)) return errno = EINTR, -1;
      Log().push_back("write " + NameOf(fd));
      return ::write(fd, data, size);
    };
    ini::Calls().fsync = [](int fd) {
      Log().push_back("fsync " + NameOf(fd));
      return ::fsync(fd);
    };
    ini::Calls().ftruncate = [](int fd, off_t size) {
      Log().push_back("truncate");
      return ::ftruncate(fd, size);
    };
  }
  ~IniDiskTest() override { ini::ResetCalls(); }
  std::string Path() const { return folder.File("Pyx4.ini"); }
  ino_t Inode() const {
    struct stat info {};
    ::stat(Path().c_str(), &info);
    return info.st_ino;
  }
  testing::TempFolder folder;
};

// A folder that refuses the new file has the file rewritten in place.
TEST_F(IniDiskTest, TheNewFileIsOnDiskBeforeItTakesTheOldOnesPlaceOrTheOldIsRewritten) {
  for (const bool refused : {false, true}) {
    folder.Write("Pyx4.ini", "[A]\nx=a long old value\n");
    const ino_t before = Inode();
    Log().clear();
    ini::Calls().rename = refused ? RefuseRename : [](const char* from, const char* to) {
      Log().push_back("rename");
      return ::rename(from, to);
    };
    ASSERT_EQ(SetINIBatch({{"A", "x", "2"}, {"A", "y", "3"}}, Path()), -1);
    EXPECT_EQ(folder.Read("Pyx4.ini"), "[A]\nx=2\ny=3\n");
    EXPECT_EQ(Inode() == before, refused);
    const std::vector<std::string> inPlace{"write file", "fsync file", "write file", "truncate",
                                           "fsync file"};
    const std::vector<std::string> replaced{"write file", "fsync file", "rename", "fsync folder"};
    EXPECT_EQ(Log(), refused ? inPlace : replaced);
  }
}

// The file a cut write hits, the bytes it may still take, and where the first write to it began.
struct Cut {
  ino_t inode = 0;
  std::size_t left = 0;
  off_t firstAt = -1;
};
Cut& TheCut() {
  static Cut cut;
  return cut;
}

TEST_F(IniDiskTest, AnInPlaceRewriteCutAnywhereDamagesOnlyTheChangedStretch) {
  const std::string old = "[A]\nx=1\ny=middle\nz=end\n";
  ini::Calls().rename = RefuseRename;
  ini::Calls().write = [](int fd, const void* data, std::size_t size) -> ssize_t {
    struct stat info {};
    ::fstat(fd, &info);
    Cut& cut = TheCut();
    if (info.st_ino != cut.inode) return ::write(fd, data, size);
    if (cut.firstAt < 0) cut.firstAt = ::lseek(fd, 0, SEEK_CUR);
    if (cut.left == 0) {
      errno = EIO;
      return -1;
    }
    const ssize_t written = ::write(fd, data, std::min(size, cut.left));
    cut.left -= static_cast<std::size_t>(written);
    return written;
  };
  // A longer, a shorter and an equally long value, and a new key.
  for (const auto& [key, value] :
       {std::pair{"y", "a much longer middle"}, {"y", "m"}, {"y", "MIDDLE"}, {"w", "new"}}) {
    const std::string made = *ini::SetValue(old, "A", key, value);
    const auto first = static_cast<std::size_t>(
        std::mismatch(old.begin(), old.end(), made.begin(), made.end()).first - old.begin());
    const std::string grown =
        old + std::string(made.size() - std::min(made.size(), old.size()), '\0');
    for (std::size_t left = 0;; ++left) {
      SCOPED_TRACE(std::string(key) + "=" + value + ", cut after " + std::to_string(left));
      folder.Write("Pyx4.ini", old);
      TheCut() = {Inode(), left, -1};
      const bool stored = SetINI("A", key, value, Path()) == -1;
      EXPECT_EQ(TheCut().firstAt, static_cast<off_t>(first));
      if (stored) {
        EXPECT_EQ(folder.Read("Pyx4.ini"), made);
        break;
      }
      ASSERT_LE(first + left, made.size());
      EXPECT_EQ(folder.Read("Pyx4.ini"), made.substr(0, first + left) + grown.substr(first + left));
    }
  }
}

TEST_F(IniDiskTest, NeverWritesAFileLargerThanItWouldRead) {
  const std::string big = "[A]\nx=" + std::string(ini::kLargestFile - 16, 'v') + "\n";
  folder.Write("Pyx4.ini", big);
  EXPECT_EQ(SetINI("A", "y", "0123456789", Path()), 0);
  EXPECT_EQ(folder.Read("Pyx4.ini"), big);
  EXPECT_EQ(SetINI("A", "y", "1", Path()), -1);
  EXPECT_EQ(GetINI("A", "y", Path()), "1");
}

// The rights of group and others that any file written so far allowed.
mode_t& WidestMode() {
  static mode_t mode = 0;
  return mode;
}

void SeeMode(int fd) {
  struct stat info {};
  ::fstat(fd, &info);
  WidestMode() |= info.st_mode & 077;
}

TEST_F(IniDiskTest, AFileWithAPasswordAndEveryTemporaryFileOfItAreTheOwnersAlone) {
  ini::Calls().write = [](int fd, const void* data, std::size_t size) {
    SeeMode(fd);
    return ::write(fd, data, size);
  };
  for (const bool inPlace : {false, true}) {
    ini::Calls().rename = inPlace ? RefuseRename : [](const char* from, const char* to) {
      SeeMode(ini::Descriptor(::open(from, O_RDONLY)).Get());
      return ::rename(from, to);
    };
    for (const mode_t mode : {0644, 0664, 0640, 0604}) {
      for (const bool password : {true, false}) {
        SCOPED_TRACE(::testing::Message() << inPlace << std::oct << mode << password);
        folder.Write("Pyx4.ini", "[Users]\nuser1=Eve\n");
        ::chmod(Path().c_str(), mode);
        WidestMode() = 0;
        ASSERT_EQ(SetINI("Users", "pass1", password ? "secret" : "", Path()), -1);
        struct stat info {};
        ::stat(Path().c_str(), &info);
        EXPECT_EQ(info.st_mode & 0777, password ? mode & 0700 : mode);
        EXPECT_TRUE(!password || WidestMode() == 0) << WidestMode();
      }
    }
  }
}

TEST_F(IniDiskTest, AWriterThatCannotHaveTheLockGivesUpAndLeftoversWaitForIt) {
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

// "" when the write permission follows the bits of the caller's class for every mode and owner,
// else the first mode it gets wrong.
std::string WriteRuleBreaks() {
  const uid_t me = ::geteuid(), other = me == 0 ? testing::kNobody : 0;
  const gid_t mine = ::getegid(), theirs = mine == 0 ? testing::kNobody : 0;
  for (mode_t mode = 0; mode < 01000; ++mode) {
    for (const auto& [owner, group] : {std::pair{me, mine}, {other, mine}, {other, theirs}}) {
      struct stat info {};
      info.st_mode = S_IFREG | mode;
      info.st_uid = owner;
      info.st_gid = group;
      const mode_t bit = me == 0 ? 0222 : owner == me ? S_IWUSR : group == mine ? S_IWGRP : S_IWOTH;
      if (ini::PermitsWriting(info) != ((mode & bit) != 0))
        return std::to_string(owner) + ":" + std::to_string(group) + " " + std::to_string(mode);
    }
  }
  return {};
}

// What a player without rights meets; "" when every case holds, else the first case that fails.
std::string RefusalsWithoutRights(const std::string& folder, bool othersFile) {
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
  if (othersFile && SetINI("A", "x", "5", folder + "/other.ini") != 0)
    return "another user's file was replaced";
  return WriteRuleBreaks();
}

TEST(IniRightsTest, RootMayWriteWhereAnyWriteBitIsSet) { EXPECT_EQ(WriteRuleBreaks(), ""); }

// As root the same cases run in a child that has become nobody; root's own file is the one nobody
// must not replace.
TEST(IniRightsTest, APlayerWithoutRightsIsRefusedAndLosesNothing) {
  testing::TempFolder folder;
  const std::string path = folder.Path().string();
  if (::geteuid() != 0) {
    EXPECT_EQ(RefusalsWithoutRights(path, false), "");
    return;
  }
  std::ofstream(folder.File("other.ini")) << "[A]\nx=1\n";
  ::chmod(folder.File("other.ini").c_str(), 0644);
  ASSERT_EQ(::chown(path.c_str(), testing::kNobody, testing::kNobody), 0);
  const auto result = testing::AsNobody([&] { return RefusalsWithoutRights(path, true); });
  if (!result) GTEST_SKIP() << "could not become nobody";
  EXPECT_EQ(*result, "");
  EXPECT_EQ(GetINI("A", "x", folder.File("other.ini")), "1");
}

// One way the settings file can lead to a file elsewhere. A lock name that is a link to nothing is
// the package fuzz target's.
struct LinkCase {
  const char* what;
  bool linkOurs;    // the link belongs to the user the game runs as
  bool targetOurs;  // so does the file it ends at
  bool targetThere;
  bool lockLink;  // the settings file is plain and its lock name is the link
  bool written;
};
constexpr LinkCase kLinkCases[] = {
    {"our link to our own file", true, true, true, false, true},
    {"our link to another user's file", true, false, true, false, false},
    {"another user's link to our file", false, true, true, false, false},
    {"our link to nothing", true, true, false, false, false},
    {"a lock link to another user's file", true, false, true, true, false},
};

// "" when a write through the case's link, in `at`, did what the rule says, else what went wrong.
// The game's folder and a folder elsewhere are ours, but for what the case gives `other`; the file
// elsewhere may be written by anyone, so that only the rule on links can refuse it.
std::string CheckLinkCase(const fs::path& at, const LinkCase& c, uid_t other) {
  const uid_t me = ::geteuid();
  fs::create_directories(at / "game");
  fs::create_directories(at / "elsewhere");
  const fs::path target = at / "elsewhere" / "t.ini";
  if (c.targetThere) {
    std::ofstream(target) << "[A]\nx=1\n";
    ::chmod(target.c_str(), 0666);
    if (::chown(target.c_str(), c.targetOurs ? me : other, c.targetOurs ? me : other) != 0)
      return "no owner";
  }
  const fs::path link = at / "game" / (c.lockLink ? ".Pyx4.ini.lock" : "Pyx4.ini");
  if (c.lockLink) std::ofstream(at / "game" / "Pyx4.ini") << "[A]\nx=1\n";
  fs::create_symlink(target, link);
  if (::lchown(link.c_str(), c.linkOurs ? me : other, c.linkOurs ? me : other) != 0)
    return "no owner";
  std::vector<std::string> expected = testing::FileNames(at / "elsewhere");
  const int result = SetINI("A", "x", "2", (at / "game" / "Pyx4.ini").string());
  if (result != (c.written ? -1 : 0)) return std::string(c.what) + ": wrong answer";
  if (c.written) expected = {".t.ini.lock", "t.ini"};
  if (testing::FileNames(at / "elsewhere") != expected)
    return std::string(c.what) + ": a file was made";
  if (c.targetThere && GetINI("A", "x", target.string()) != (c.written ? "2" : "1"))
    return std::string(c.what) + ": the file elsewhere is wrong";
  if (!fs::is_symlink(link)) return std::string(c.what) + ": the link was replaced";
  return {};
}

TEST(IniLinksTest, ALinkIsFollowedOnlyToTheRunningUsersOwnFile) {
  testing::TempFolder folder;
  // Without root no file of another user can be made: the cases of our own.
  const uid_t other = ::geteuid() == 0 ? testing::kNobody : ::geteuid();
  for (std::size_t i = 0; i < std::size(kLinkCases); ++i) {
    const LinkCase& c = kLinkCases[i];
    if (other != ::geteuid() || (c.linkOurs && c.targetOurs)) {
      EXPECT_EQ(CheckLinkCase(folder.Path() / std::to_string(i), c, other), "");
    }
  }
}

}  // namespace
}  // namespace pyxaro
