#include "settings/ini_disk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

namespace pyxaro::ini {

namespace {

namespace fs = std::filesystem;

constexpr FileCalls kRealCalls{::write, ::fsync, ::rename, ::ftruncate,
                               std::chrono::milliseconds(3000)};
constexpr auto kLockRetry = std::chrono::milliseconds(10);
// Links followed from the settings file to the file it stands for; a longer
// chain is refused as the system refuses a loop.
constexpr int kMostLinks = 8;
// mkostemp's six characters after the file's own name.
constexpr std::string_view kTempSuffix = ".XXXXXX";

std::string TempPrefix(const fs::path& target) { return "." + target.filename().string(); }

// A file beside the target that disappears again unless it is kept. Created
// readable by its owner only: it holds the passwords until it is complete.
class TempFile {
 public:
  explicit TempFile(const fs::path& target) {
    name_ = (target.parent_path() / (TempPrefix(target) + std::string(kTempSuffix))).string();
    fd_ = ::mkostemp(name_.data(), O_CLOEXEC);
  }
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (fd_ != kNeverCreated && !kept_) ::unlink(name_.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  bool Created() const { return fd_ >= 0; }
  int Fd() const { return fd_; }
  const std::string& Name() const { return name_; }
  bool Close() {
    const int fd = std::exchange(fd_, kClosed);
    return ::close(fd) == 0;
  }
  void Keep() { kept_ = true; }

 private:
  static constexpr int kNeverCreated = -1;
  static constexpr int kClosed = -2;
  std::string name_;
  int fd_ = kNeverCreated;
  bool kept_ = false;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = Calls().write(fd, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return true;
}

void SyncFolder(const fs::path& file) {
  const std::string folder = file.has_parent_path() ? file.parent_path().string() : ".";
  const Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.Get() >= 0) Calls().fsync(fd.Get());
}

// The errors of a folder that takes no new names while its files may still
// be written.
bool FolderRefuses(int error) {
  return error == EACCES || error == EPERM || error == EBUSY || error == EXDEV;
}

enum class Outcome { kDone, kFailed, kFolderRefused };

// The mode the new file takes: the old file's, without the rights of group
// and others when it is to be the owner's alone.
mode_t ModeOf(const struct stat& old, bool ownerOnly) {
  return old.st_mode & (ownerOnly ? 07700 : 07777);
}

Outcome ReplaceByRename(const std::string& target, std::string_view bytes, const FileContent& old,
                        bool ownerOnly, ino_t& inode) {
  TempFile temp{fs::path(target)};
  if (!temp.Created()) return FolderRefuses(errno) ? Outcome::kFolderRefused : Outcome::kFailed;
  if (!WriteAll(temp.Fd(), bytes)) return Outcome::kFailed;
  if (old.state == FileState::kRead) {
    // Without the right to hand the file over it stays ours; contents and
    // mode are whole all the same.
    if (::fchown(temp.Fd(), old.info.st_uid, old.info.st_gid) != 0) {
    }
    if (::fchmod(temp.Fd(), ModeOf(old.info, ownerOnly)) != 0) return Outcome::kFailed;
  }
  struct stat written {};
  if (Calls().fsync(temp.Fd()) != 0 || ::fstat(temp.Fd(), &written) != 0 || !temp.Close()) {
    return Outcome::kFailed;
  }
  if (Calls().rename(temp.Name().c_str(), target.c_str()) != 0) {
    return FolderRefuses(errno) ? Outcome::kFolderRefused : Outcome::kFailed;
  }
  temp.Keep();
  SyncFolder(target);
  inode = written.st_ino;
  return Outcome::kDone;
}

// The bytes from..to of the new file are all that differ from the old one.
struct Difference {
  std::size_t from = 0;
  std::size_t to = 0;
};

Difference DifferenceOf(std::string_view old, std::string_view bytes) {
  const auto first = std::mismatch(old.begin(), old.end(), bytes.begin(), bytes.end());
  Difference difference{static_cast<std::size_t>(first.second - bytes.begin()), bytes.size()};
  // Only where nothing moves does the old tail stay as it is.
  if (old.size() == bytes.size()) {
    const auto last =
        std::mismatch(old.rbegin(), old.rend() - static_cast<std::ptrdiff_t>(difference.from),
                      bytes.rbegin(), bytes.rend());
    difference.to -= static_cast<std::size_t>(last.second - bytes.rbegin());
  }
  return difference;
}

// Writes only the bytes that change, into a file already grown to its new
// size, and cuts off what is left of the old one last. A crash can damage no
// more than the changed stretch, the file is never empty on the way, and a
// full disk is met before the first byte changes.
bool RewriteInPlace(const std::string& target, std::string_view bytes, const FileContent& old,
                    bool ownerOnly, ino_t& inode) {
  const Descriptor fd(
      ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW));
  struct stat info {};
  if (fd.Get() < 0 || ::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  if (ownerOnly && (info.st_mode & 077) != 0 && ::fchmod(fd.Get(), ModeOf(info, true)) != 0)
    return false;
  const bool unchanged =
      info.st_ino == old.info.st_ino && static_cast<std::size_t>(info.st_size) == old.bytes.size();
  const Difference change =
      unchanged ? DifferenceOf(old.bytes, bytes) : Difference{0, bytes.size()};
  const auto size = static_cast<off_t>(bytes.size());
  if (size > info.st_size && ::fallocate(fd.Get(), 0, 0, size) != 0 &&
      (errno != EOPNOTSUPP || Calls().ftruncate(fd.Get(), size) != 0)) {
    return false;
  }
  if (::lseek(fd.Get(), static_cast<off_t>(change.from), SEEK_SET) < 0 ||
      !WriteAll(fd.Get(), bytes.substr(change.from, change.to - change.from)) ||
      (size < info.st_size && Calls().ftruncate(fd.Get(), size) != 0) ||
      Calls().fsync(fd.Get()) != 0) {
    return false;
  }
  inode = info.st_ino;
  return true;
}

bool IsTempName(std::string_view name, std::string_view prefix) {
  if (name.size() != prefix.size() + kTempSuffix.size() || !name.starts_with(prefix)) return false;
  name.remove_prefix(prefix.size());
  return name.front() == '.' && std::all_of(name.begin() + 1, name.end(), [](char c) {
           return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
         });
}

bool InGroup(gid_t group) {
  if (::getegid() == group) return true;
  const int count = ::getgroups(0, nullptr);
  if (count <= 0) return false;
  std::vector<gid_t> groups(static_cast<std::size_t>(count));
  const int filled = ::getgroups(count, groups.data());
  return std::find(groups.begin(), groups.begin() + std::max(filled, 0), group) !=
         groups.begin() + std::max(filled, 0);
}

}  // namespace

std::string LockFileName(const std::string& file) {
  const fs::path path(file);
  return (path.parent_path() / (TempPrefix(path) + ".lock")).string();
}

FileCalls& Calls() {
  static FileCalls calls = kRealCalls;
  return calls;
}

void ResetCalls() { Calls() = kRealCalls; }

Descriptor::~Descriptor() {
  if (fd_ >= 0) ::close(fd_);
}

Descriptor::Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

FileContent ReadFile(const std::string& path) {
  FileContent content;
  // Non-blocking, so that a pipe in the file's place cannot hang the game.
  const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (fd.Get() < 0) {
    if (errno == ENOENT) content.state = FileState::kMissing;
    return content;
  }
  if (::fstat(fd.Get(), &content.info) != 0 || !S_ISREG(content.info.st_mode) ||
      static_cast<std::size_t>(content.info.st_size) > kLargestFile) {
    return content;
  }
  content.bytes.reserve(static_cast<std::size_t>(content.info.st_size));
  char buffer[16384];
  for (;;) {
    const ssize_t count = ::read(fd.Get(), buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return content;
    if (count == 0) break;
    content.bytes.append(buffer, static_cast<std::size_t>(count));
    if (content.bytes.size() > kLargestFile) return content;
  }
  content.state = FileState::kRead;
  return content;
}

std::optional<std::string> WriteTarget(const std::string& path) {
  if (path.empty()) return std::nullopt;
  const uid_t user = ::geteuid();
  fs::path current(path);
  for (int links = 0;; ++links) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0) {
      // A missing file may be made, but never at the end of a link.
      return links == 0 && errno == ENOENT ? std::optional(path) : std::nullopt;
    }
    if (!S_ISLNK(info.st_mode)) {
      if (links == 0) return path;
      return S_ISREG(info.st_mode) && info.st_uid == user ? std::optional(current.string())
                                                          : std::nullopt;
    }
    if (links == kMostLinks || info.st_uid != user) return std::nullopt;
    std::error_code error;
    const fs::path next = fs::read_symlink(current, error);
    if (error) return std::nullopt;
    current = current.parent_path() / next;
  }
}

std::optional<WriteLock> WriteLock::Take(const std::string& target) {
  return Take(target, Calls().lockWait);
}

std::optional<WriteLock> WriteLock::Take(const std::string& target,
                                         std::chrono::milliseconds wait) {
  // Writers who may not create the lock file still share it read-only; in a
  // folder that takes no new files at all, every writer rewrites the file in
  // place, so its own inode stays and serves as the lock.
  // A link in the lock file's place is never followed: it could make the
  // game create or open a file anywhere.
  const std::string lockName = LockFileName(target);
  constexpr int kLockFlags = O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK;
  Descriptor fd(::open(lockName.c_str(), O_RDWR | O_CREAT | kLockFlags, 0644));
  if (fd.Get() < 0 && errno != ELOOP)
    fd = Descriptor(::open(lockName.c_str(), O_RDONLY | kLockFlags));
  if (fd.Get() < 0 && errno != ELOOP) {
    fd = Descriptor(::open(target.c_str(), O_RDONLY | kLockFlags));
  }
  if (fd.Get() < 0) return std::nullopt;
  const auto giveUp = std::chrono::steady_clock::now() + std::min(wait, Calls().lockWait);
  while (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK && errno != EINTR) return std::nullopt;
    if (std::chrono::steady_clock::now() >= giveUp) return std::nullopt;
    std::this_thread::sleep_for(kLockRetry);
  }
  return WriteLock(std::move(fd));
}

bool PermitsWriting(const struct stat& info) {
  constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;
  const uid_t user = ::geteuid();
  if (user == 0) return (info.st_mode & kAnyWrite) != 0;
  if (info.st_uid == user) return (info.st_mode & S_IWUSR) != 0;
  if (InGroup(info.st_gid)) return (info.st_mode & S_IWGRP) != 0;
  return (info.st_mode & S_IWOTH) != 0;
}

bool ReplaceFile(const std::string& target, std::string_view bytes, const FileContent& old,
                 bool ownerOnly, ino_t& inode) {
  const Outcome outcome = ReplaceByRename(target, bytes, old, ownerOnly, inode);
  if (outcome == Outcome::kFolderRefused && old.state == FileState::kRead) {
    return RewriteInPlace(target, bytes, old, ownerOnly, inode);
  }
  return outcome == Outcome::kDone;
}

void RemoveTempFiles(const std::string& target) {
  const fs::path path(target);
  const std::string folder = path.has_parent_path() ? path.parent_path().string() : ".";
  const std::string prefix = TempPrefix(path);
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    if (IsTempName(entry->d_name, prefix)) ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}

}  // namespace pyxaro::ini
