#include "settings/folders.h"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

#include "settings/ini_disk.h"
#include "settings/settings_store.h"

namespace pyxaro {

namespace {

namespace fs = std::filesystem;

bool InGroup(gid_t group) {
  if (getegid() == group) return true;
  const int count = getgroups(0, nullptr);
  if (count <= 0) return false;
  std::vector<gid_t> groups(static_cast<std::size_t>(count));
  const int got = getgroups(count, groups.data());
  return got > 0 && std::find(groups.begin(), groups.begin() + got, group) != groups.begin() + got;
}

// Makes the folder, for its owner only, and the folders above it as needed.
// A folder that is there already is used as it is.
std::error_code MakePrivateFolder(const fs::path& folder) {
  std::error_code error;
  if (fs::is_directory(folder, error)) return {};
  fs::create_directories(folder.parent_path(), error);
  if (error) return error;
  if (mkdir(folder.c_str(), S_IRWXU) != 0 && errno != EEXIST) {
    return {errno, std::generic_category()};
  }
  if (!fs::is_directory(folder, error)) return std::make_error_code(std::errc::not_a_directory);
  return {};
}

// Copies the shipped settings file in when the folder has none of its own,
// or only the empty one a failed start left; the player's file, once there,
// is never replaced. The copy is whole or absent, and only its owner may
// read it: it will hold the profiles' passwords.
std::error_code SeedSettings(const fs::path& shipped, const fs::path& own) {
  struct stat info {};
  if (::lstat(own.c_str(), &info) == 0 && (!S_ISREG(info.st_mode) || info.st_size > 0)) return {};
  const ini::FileContent content = ini::ReadFile(shipped.string());
  if (content.state != ini::FileState::kRead) return {};
  // Another game starting at the same moment writes the same bytes.
  ini::FileContent none;
  none.state = ini::FileState::kMissing;
  ino_t inode = 0;
  errno = 0;
  if (!ini::ReplaceFile(own.string(), content.bytes, none, true, inode)) {
    return {errno != 0 ? errno : EIO, std::generic_category()};
  }
  return {};
}

}  // namespace

bool MayWriteIn(const std::string& folder) {
  struct stat info {};
  struct statvfs mount {};
  if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  if (statvfs(folder.c_str(), &mount) == 0 && (mount.f_flag & ST_RDONLY) != 0) return false;
  const mode_t bit = info.st_uid == geteuid() ? S_IWUSR : InGroup(info.st_gid) ? S_IWGRP : S_IWOTH;
  return (info.st_mode & bit) != 0;
}

void SettingsStore::SettleDataFolder(const std::string& personalFolder) {
  // A program folder the player may write in is a portable copy: it keeps
  // everything, as it always has.
  if (MayWriteIn(appFolder_)) return;

  const fs::path own(personalFolder);
  std::error_code error = MakePrivateFolder(own);
  if (!error) error = SeedSettings(ShippedFile(), own / kFileName);
  if (!error) {
    dataFolder_ = personalFolder;
    return;
  }
  // The shipped settings still let the game be played; the store refuses
  // every write to the read-only program folder.
  dataFolder_ = appFolder_;
  host_.Tell("Pyxaro cannot use its data folder\n" + personalFolder + "\n(" + error.message() +
                 ").\n\nYou can play, but settings and top-ten scores will not be saved.",
             "", true);
}

}  // namespace pyxaro
