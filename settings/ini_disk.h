#pragma once

// The disk side of the settings store: reading a file whole, the lock that
// keeps writers apart, and putting new bytes in a file's place so that a
// crash leaves the old file or the new one, never a mix.

#include <sys/stat.h>
#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace pyxaro::ini {

// The calls a write makes to the file system. Tests replace them to watch
// their order or to make one fail.
struct FileCalls {
  ssize_t (*write)(int fd, const void* data, std::size_t size);
  int (*fsync)(int fd);
  int (*rename)(const char* from, const char* to);
  int (*ftruncate)(int fd, off_t size);
  // How long a write waits for another writer before it gives up.
  std::chrono::milliseconds lockWait;
};
FileCalls& Calls();
// Puts the real calls back.
void ResetCalls();

// Far beyond any settings or language file; a larger file is not one of
// ours and is neither read nor written.
inline constexpr std::size_t kLargestFile = 16 * 1024 * 1024;

class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor();
  Descriptor(Descriptor&& other) noexcept;
  Descriptor& operator=(Descriptor&& other) noexcept;
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
FileContent ReadFile(const std::string& path);

// The file a write changes: the target of a link, so that the link stays.
// nullopt when path names nothing that can be written.
std::optional<std::string> WriteTarget(const std::string& path);

// Holds the lock of the settings file target (on a lock file beside it)
// while it lives. nullopt when another writer keeps it longer than
// Calls().lockWait.
class WriteLock {
 public:
  static std::optional<WriteLock> Take(const std::string& target);

 private:
  explicit WriteLock(Descriptor fd) : fd_(std::move(fd)) {}
  Descriptor fd_;
};

// Whether the file's permission bits let this process write it. Decided by
// the bits, not by asking the system, so that a read-only file stays
// read-only also for root.
bool PermitsWriting(const struct stat& info);

// Puts bytes in the target's place so that the target is always either the
// old file or the whole new one; where the folder refuses new files, the
// file is rewritten in place. The new file's inode is written to inode.
bool ReplaceFile(const std::string& target, std::string_view bytes, const FileContent& old,
                 ino_t& inode);

// Removes the temporary files beside target; the caller holds the lock.
void RemoveTempFiles(const std::string& target);

}  // namespace pyxaro::ini
