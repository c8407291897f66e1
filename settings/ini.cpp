#include "settings/ini.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <new>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

#include "core/text.h"
#include "settings/ini_file.h"

namespace pyxaro {

IniError::IniError(int number, std::string source, std::string description, std::string detail)
    : std::runtime_error(description),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)),
      detail_(std::move(detail)) {}

namespace {

constexpr int kReadLimit = 1023;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// Far beyond any settings or language file; a larger file is not one of
// ours and is neither read nor rewritten.
constexpr std::size_t kLargestFile = 16 * 1024 * 1024;
constexpr std::size_t kCachedFiles = 8;
// File times advance in steps (a clock tick on most file systems, 2 s on
// FAT): a file changed within one step of our look at it may keep the same
// time, so a look counts only once it is this much later than the file time.
constexpr long long kFileTimeStepNs = 2'000'000'000;

long long Nanoseconds(const timespec& time) {
  return static_cast<long long>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

long long Now() {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  return Nanoseconds(now);
}

// What tells one version of a file from another without reading it.
struct Stamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  long long modified = 0;
  long long changed = 0;
  bool operator==(const Stamp&) const = default;
};

Stamp StampOf(const struct stat& info) {
  return {info.st_dev, info.st_ino, info.st_size, Nanoseconds(info.st_mtim),
          Nanoseconds(info.st_ctim)};
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

enum class FileState { kRead, kMissing, kUnusable };

struct FileContent {
  FileState state = FileState::kUnusable;
  std::string bytes;
  struct stat info {};
};

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

// --- The parsed files, kept while they stay unchanged on disk ---

struct CachedFile {
  Stamp stamp;
  std::string bytes;
  ini::Index index;
  long long checkedAt = 0;  // the bytes were the file's content at this time
  std::uint64_t lastUse = 0;
};

std::map<std::string, CachedFile>& Cache() {
  static std::map<std::string, CachedFile> cache;
  return cache;
}

std::uint64_t NextUse() {
  static std::uint64_t uses = 0;
  return ++uses;
}

CachedFile& Remember(const std::string& path, std::string bytes, const Stamp& stamp,
                     long long checkedAt) {
  auto& cache = Cache();
  ini::Index index(ini::Decode(bytes).text);
  auto [entry, added] = cache.insert_or_assign(
      path, CachedFile{stamp, std::move(bytes), std::move(index), checkedAt, NextUse()});
  if (added && cache.size() > kCachedFiles) {
    auto oldest = cache.begin();
    for (auto it = cache.begin(); it != cache.end(); ++it) {
      if (it->second.lastUse < oldest->second.lastUse) oldest = it;
    }
    cache.erase(oldest);
  }
  return entry->second;
}

// The parsed file at path, nullptr when it cannot be read.
const CachedFile* Load(const std::string& path) {
  auto& cache = Cache();
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    cache.erase(path);
    return nullptr;
  }
  const auto found = cache.find(path);
  if (found != cache.end() && found->second.stamp == StampOf(info) &&
      found->second.checkedAt > found->second.stamp.modified + kFileTimeStepNs) {
    found->second.lastUse = NextUse();
    return &found->second;
  }

  const long long checkedAt = Now();
  FileContent content = ReadFile(path);
  if (content.state != FileState::kRead) {
    cache.erase(path);
    return nullptr;
  }
  if (found != cache.end() && found->second.bytes == content.bytes) {
    found->second.stamp = StampOf(content.info);
    found->second.checkedAt = checkedAt;
    found->second.lastUse = NextUse();
    return &found->second;
  }
  return &Remember(path, std::move(content.bytes), StampOf(content.info), checkedAt);
}

// --- Writing ---

// A file beside the target that disappears again unless it is kept.
class TempFile {
 public:
  explicit TempFile(const std::filesystem::path& target) {
    name_ = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
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
    const ssize_t count = ::write(fd, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return true;
}

void SyncFolder(const std::filesystem::path& file) {
  const std::string folder = file.has_parent_path() ? file.parent_path().string() : ".";
  const Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.Get() >= 0) ::fsync(fd.Get());
}

// Puts bytes in the target's place so that the target is always either the
// old file or the whole new one. The inode of the new file is written to
// inode.
bool ReplaceFile(const std::string& target, std::string_view bytes, const FileContent& old,
                 ino_t& inode) {
  TempFile temp{std::filesystem::path(target)};
  if (!temp.Created()) return false;
  if (old.state == FileState::kRead) {
    if (::fchmod(temp.Fd(), old.info.st_mode & 07777) != 0) return false;
    if (::fchown(temp.Fd(), old.info.st_uid, old.info.st_gid) != 0) {
      // Without the right to hand the file over it stays ours; contents and
      // mode are whole all the same.
    }
  } else if (::fchmod(temp.Fd(), S_IRUSR | S_IWUSR) != 0) {
    return false;  // the file holds passwords: its owner's eyes only
  }
  struct stat written {};
  if (!WriteAll(temp.Fd(), bytes) || ::fsync(temp.Fd()) != 0 || ::fstat(temp.Fd(), &written) != 0 ||
      !temp.Close()) {
    return false;
  }
  if (::rename(temp.Name().c_str(), target.c_str()) != 0) return false;
  temp.Keep();
  SyncFolder(target);
  inode = written.st_ino;
  return true;
}

bool Store(const std::string& section, const std::string& key, const std::string& value,
           const std::string& path) {
  if (path.empty()) return false;
  std::string target = path;
  struct stat link {};
  if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    // Replace the file the link points to, so that the link stays.
    const std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr),
                                                           &std::free);
    if (!real) return false;
    target = real.get();
  }

  const FileContent old = ReadFile(target);
  if (old.state == FileState::kUnusable) return false;
  // A read-only file refuses the write, as it would refuse an editor.
  if (old.state == FileState::kRead && ::access(target.c_str(), W_OK) != 0) return false;

  const ini::DecodedText decoded = ini::Decode(old.bytes);
  std::optional<std::string> edited = ini::SetValue(decoded.text, section, key, value);
  if (!edited) return false;
  std::string bytes = decoded.hadBom ? std::string(kByteOrderMark) + *edited : std::move(*edited);
  if (old.state == FileState::kRead && bytes == old.bytes) return true;

  const long long writtenAt = Now();
  ino_t inode = 0;
  if (!ReplaceFile(target, bytes, old, inode)) return false;
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && info.st_ino == inode) {
    Remember(path, std::move(bytes), StampOf(info), writtenAt);
  } else {
    Cache().erase(path);
  }
  return true;
}

// Callers hand over UTF-8; bytes that are not are taken as the old code
// page, as in the files, so that they never make the file itself invalid.
std::string AsUtf8(const std::string& text) {
  return IsValidUtf8(text) ? text : Windows1252ToUtf8(text);
}

int ErrorNumber(const std::exception& error) {
  if (const auto* system = dynamic_cast<const std::system_error*>(&error)) {
    return system->code().value();
  }
  if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) return ENOMEM;
  return EIO;
}

// A name with a NUL in it cannot be handed to the file system at all (it
// would name another file).
void RequirePassablePath(const std::string& path, const char* source, const char* description) {
  if (path.find('\0') != std::string::npos) {
    throw IniError(EINVAL, source, description, std::generic_category().message(EINVAL));
  }
}

constexpr const char* kReadSource = "GetINI";
constexpr const char* kReadFailure = "Cannot read from INI File.";
constexpr const char* kWriteSource = "SetINI";
constexpr const char* kWriteFailure = "Cannot write to INI file.";

}  // namespace

std::string GetINI(const std::string& section, const std::string& key, const std::string& file) {
  RequirePassablePath(file, kReadSource, kReadFailure);
  try {
    const CachedFile* cached = Load(file);
    if (cached == nullptr) return {};
    const auto value = cached->index.Find(AsUtf8(section), AsUtf8(key));
    return value ? CharLeft(*value, kReadLimit) : std::string();
  } catch (const std::exception& error) {
    throw IniError(ErrorNumber(error), kReadSource, kReadFailure, error.what());
  }
}

int SetINI(const std::string& section, const std::string& key, const std::string& value,
           const std::string& file) {
  RequirePassablePath(file, kWriteSource, kWriteFailure);
  try {
    return Store(AsUtf8(section), AsUtf8(key), AsUtf8(value), file) ? -1 : 0;
  } catch (const std::exception& error) {
    throw IniError(ErrorNumber(error), kWriteSource, kWriteFailure, error.what());
  }
}

}  // namespace pyxaro
