#include "settings/ini_disk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

namespace pyxaro::ini {

namespace {

namespace fs = std::filesystem;

constexpr FileCalls kRealCalls{::write, ::fsync, ::rename, ::ftruncate,
                               std::chrono::milliseconds(3000)};
constexpr auto kLockRetry = std::chrono::milliseconds(10);
// mkostemp's six characters after the file's own name.
constexpr std::string_view kTempSuffix = ".XXXXXX";

std::string TempPrefix(const fs::path& target) { return "." + target.filename().string(); }

std::string LockFileName(const fs::path& target) {
  return (target.parent_path() / (TempPrefix(target) + ".lock")).string();
}

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

Outcome ReplaceByRename(const std::string& target, std::string_view bytes, const FileContent& old,
                        ino_t& inode) {
  TempFile temp{fs::path(target)};
  if (!temp.Created()) return FolderRefuses(errno) ? Outcome::kFolderRefused : Outcome::kFailed;
  if (!WriteAll(temp.Fd(), bytes)) return Outcome::kFailed;
  if (old.state == FileState::kRead) {
    // Without the right to hand the file over it stays ours; contents and
    // mode are whole all the same.
    if (::fchown(temp.Fd(), old.info.st_uid, old.info.st_gid) != 0) {
    }
    if (::fchmod(temp.Fd(), old.info.st_mode & 07777) != 0) return Outcome::kFailed;
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

// Overwrites from the start, then cuts off what is left of the old file:
// the file is never empty on the way, and a full disk mostly finds the old
// file's blocks to write into.
bool RewriteInPlace(const std::string& target, std::string_view bytes, ino_t& inode) {
  const Descriptor fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  struct stat info {};
  if (fd.Get() < 0 || ::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  if (!WriteAll(fd.Get(), bytes) ||
      Calls().ftruncate(fd.Get(), static_cast<off_t>(bytes.size())) != 0 ||
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
  struct stat link {};
  if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
  const std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr),
                                                         &std::free);
  if (!real) return std::nullopt;
  return std::string(real.get());
}

std::optional<WriteLock> WriteLock::Take(const std::string& target) {
  // Writers who may not create the lock file still share it read-only; in a
  // folder that takes no new files at all, every writer rewrites the file in
  // place, so its own inode stays and serves as the lock.
  const std::string lockName = LockFileName(fs::path(target));
  Descriptor fd(::open(lockName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0644));
  if (fd.Get() < 0) fd = Descriptor(::open(lockName.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
  if (fd.Get() < 0) {
    fd = Descriptor(::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  }
  if (fd.Get() < 0) return std::nullopt;
  const auto giveUp = std::chrono::steady_clock::now() + Calls().lockWait;
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
                 ino_t& inode) {
  const Outcome outcome = ReplaceByRename(target, bytes, old, inode);
  if (outcome == Outcome::kFolderRefused && old.state == FileState::kRead) {
    return RewriteInPlace(target, bytes, inode);
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
