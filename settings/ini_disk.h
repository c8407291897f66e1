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

// The file a write changes: path itself, or the file a link there stands for,
// so that the link stays. A link is followed only when it and every link
// after it belong to the running user and it ends at a regular file of that
// user's; nothing is ever created at the end of a link. nullopt when path
// names nothing that may be written.
std::optional<std::string> WriteTarget(const std::string& path);

// The lock file beside a settings file: ".<name>.lock".
std::string LockFileName(const std::string& file);

// Holds the lock of the settings file target (on a lock file beside it)
// while it lives. nullopt when another writer keeps it longer than
// Calls().lockWait, or than wait where that is shorter.
class WriteLock {
 public:
  static std::optional<WriteLock> Take(const std::string& target);
  static std::optional<WriteLock> Take(const std::string& target, std::chrono::milliseconds wait);

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
// file is rewritten in place, from its first changed byte. The new file
// keeps the old one's mode, less the rights of group and others when
// ownerOnly; a new file is its owner's alone. The new file's inode is
// written to inode.
bool ReplaceFile(const std::string& target, std::string_view bytes, const FileContent& old,
                 bool ownerOnly, ino_t& inode);

// Removes the temporary files beside target; the caller holds the lock.
void RemoveTempFiles(const std::string& target);

}  // namespace pyxaro::ini
