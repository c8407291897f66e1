// The store's calls to the file system: their order, the size limit, and the
// refusals a player without rights meets.

#include "settings/ini_disk.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/game_fixture.h"

namespace pyxaro {
namespace {

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

class IniDiskTest : public ::testing::Test {
 protected:
  IniDiskTest() {
    Log().clear();
    ini::Calls().write = [](int fd, const void* data, std::size_t size) {
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
  testing::TempFolder folder;
};

TEST_F(IniDiskTest, TheNewFileIsOnDiskBeforeItTakesTheOldOnesPlace) {
  folder.Write("Pyx4.ini", "[A]\nx=1\n");
  ini::Calls().rename = [](const char* from, const char* to) {
    Log().push_back("rename");
    return ::rename(from, to);
  };
  ASSERT_EQ(SetINIBatch({{"A", "x", "2"}, {"A", "y", "3"}}, Path()), -1);
  EXPECT_EQ(Log(),
            (std::vector<std::string>{"write file", "fsync file", "rename", "fsync folder"}));
}

TEST_F(IniDiskTest, AFolderThatRefusesTheNewFileHasTheFileRewrittenInPlace) {
  folder.Write("Pyx4.ini", "[A]\nx=a long old value\n");
  struct stat before {
  }, after{};
  ::stat(Path().c_str(), &before);
  ini::Calls().rename = [](const char*, const char*) {
    errno = EACCES;
    return -1;
  };
  ASSERT_EQ(SetINI("A", "x", "2", Path()), -1);
  EXPECT_EQ(folder.Read("Pyx4.ini"), "[A]\nx=2\n");
  ::stat(Path().c_str(), &after);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(Log(), (std::vector<std::string>{"write file", "fsync file", "write file", "truncate",
                                             "fsync file"}));
}

TEST_F(IniDiskTest, NeverWritesAFileLargerThanItWouldRead) {
  const std::string big = "[A]\nx=" + std::string(ini::kLargestFile - 16, 'v') + "\n";
  folder.Write("Pyx4.ini", big);
  EXPECT_EQ(SetINI("A", "y", "0123456789", Path()), 0);
  EXPECT_EQ(folder.Read("Pyx4.ini"), big);
  EXPECT_EQ(SetINI("A", "y", "1", Path()), -1);
  EXPECT_EQ(GetINI("A", "y", Path()), "1");
}

mode_t& ModeAtFirstWrite() {
  static mode_t mode = 0;
  return mode;
}

TEST_F(IniDiskTest, TheTemporaryFileIsTheOwnersAloneUntilItIsComplete) {
  folder.Write("Pyx4.ini", "[Users]\npass1=old\n");
  ::chmod(Path().c_str(), 0644);
  ModeAtFirstWrite() = 0;
  ini::Calls().write = [](int fd, const void* data, std::size_t size) {
    struct stat info {};
    ::fstat(fd, &info);
    if (ModeAtFirstWrite() == 0) ModeAtFirstWrite() = info.st_mode & 0777;
    return ::write(fd, data, size);
  };
  ASSERT_EQ(SetINI("Users", "pass1", "secret", Path()), -1);
  EXPECT_EQ(ModeAtFirstWrite(), 0600U);
  EXPECT_EQ(std::filesystem::status(Path()).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                std::filesystem::perms::group_read | std::filesystem::perms::others_read);
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

// What a player without rights meets; "" when every case holds, else the
// first case that fails.
std::string RefusalsWithoutRights(const std::string& folder, bool othersFile) {
  const std::string file = folder + "/Pyx4.ini";
  std::ofstream(file) << "[A]\nx=1\n";
  ::chmod(file.c_str(), 0444);
  if (SetINI("A", "x", "2", file) != 0) return "a read-only file was written";
  ::chmod(file.c_str(), 0644);
  ::chmod(folder.c_str(), 0555);
  struct stat before {
  }, after{};
  ::stat(file.c_str(), &before);
  if (SetINI("A", "x", "3", file) != -1 || GetINI("A", "x", file) != "3")
    return "a writable file in a closed folder was refused";
  ::stat(file.c_str(), &after);
  if (after.st_ino != before.st_ino) return "a closed folder took a new file";
  if (SetINI("A", "x", "4", folder + "/missing.ini") != 0)
    return "a file was made in a closed folder";
  ::chmod(folder.c_str(), 0755);
  if (othersFile) {
    const std::string other = folder + "/other.ini";
    if (SetINI("A", "x", "5", other) != 0) return "another user's file was replaced";
  }
  return {};
}

TEST(IniRightsTest, APlayerWithoutRightsIsRefusedAndLosesNothing) {
  testing::TempFolder folder;
  const std::string path = folder.Path().string();
  if (::geteuid() != 0) {
    EXPECT_EQ(RefusalsWithoutRights(path, false), "");
    return;
  }
  // As root the same cases run in a child that has become nobody; root's
  // own file is the one nobody must not replace.
  constexpr uid_t kNobody = 65534;
  std::ofstream(folder.File("other.ini")) << "[A]\nx=1\n";
  ::chmod(folder.File("other.ini").c_str(), 0644);
  ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
  int pipe[2];
  ASSERT_EQ(::pipe(pipe), 0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(pipe[0]);
    std::string result = "could not become nobody";
    if (::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0)
      result = RefusalsWithoutRights(path, true);
    const ssize_t ignored = ::write(pipe[1], result.data(), result.size());
    ::_exit(ignored < 0 ? 1 : 0);
  }
  ::close(pipe[1]);
  std::string result;
  char buffer[256];
  for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) > 0;) result.append(buffer, n);
  ::close(pipe[0]);
  ::waitpid(pid, nullptr, 0);
  if (result == "could not become nobody") GTEST_SKIP() << result;
  EXPECT_EQ(result, "");
  EXPECT_EQ(GetINI("A", "x", folder.File("other.ini")), "1");
}

TEST(IniRightsTest, RootMayWriteWhereAnyWriteBitIsSetOthersByTheBitsOfTheirClass) {
  const uid_t me = ::geteuid(), nobody = 65534;
  for (mode_t mode = 0; mode < 01000; ++mode) {
    for (const auto& [owner, group] :
         {std::pair{me, ::getegid()}, {nobody, ::getegid()}, {nobody, nobody}}) {
      struct stat info {};
      info.st_mode = S_IFREG | mode;
      info.st_uid = owner;
      info.st_gid = group;
      const mode_t bit = me == 0                ? 0222
                         : owner == me          ? S_IWUSR
                         : group == ::getegid() ? S_IWGRP
                                                : S_IWOTH;
      EXPECT_EQ(ini::PermitsWriting(info), (mode & bit) != 0)
          << owner << ":" << group << " " << std::oct << mode;
    }
  }
}

}  // namespace
}  // namespace pyxaro
