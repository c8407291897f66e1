#include "settings/ini.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <map>
#include <new>
#include <optional>
#include <set>
#include <string_view>
#include <system_error>
#include <utility>

#include "core/text.h"
#include "settings/ini_disk.h"
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
// Long enough for a writer that holds the lock only while it writes, short
// enough not to be felt.
constexpr auto kBriefLockWait = std::chrono::milliseconds(100);
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
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

// --- The parsed files, kept while they stay unchanged on disk ---

struct CachedFile {
  Stamp stamp;
  std::string bytes;
  ini::Index index;
  long long checkedAt = 0;  // the bytes were the file's content at this time
  std::uint64_t lastUse = 0;
  // Put in place by our own rename: another writer's file would bear
  // another inode, so the stamp alone tells whether it is still ours.
  bool replacedByUs = false;
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
                     long long checkedAt, bool replacedByUs = false) {
  auto& cache = Cache();
  ini::Index index(ini::Decode(bytes).text);
  auto [entry, added] = cache.insert_or_assign(
      path,
      CachedFile{stamp, std::move(bytes), std::move(index), checkedAt, NextUse(), replacedByUs});
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
      (found->second.replacedByUs ||
       found->second.checkedAt > found->second.stamp.modified + kFileTimeStepNs)) {
    found->second.lastUse = NextUse();
    return &found->second;
  }

  const long long checkedAt = Now();
  ini::FileContent content = ini::ReadFile(path);
  if (content.state != ini::FileState::kRead) {
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

// Callers hand over UTF-8; bytes that are not are taken as the old code
// page, as in the files, so that they never make the file itself invalid.
std::string AsUtf8(const std::string& text) {
  return IsValidUtf8(text) ? text : Windows1252ToUtf8(text);
}

std::vector<IniChange> AsUtf8(const std::vector<IniChange>& changes) {
  std::vector<IniChange> converted;
  converted.reserve(changes.size());
  for (const IniChange& change : changes)
    converted.push_back({AsUtf8(change.Section), AsUtf8(change.Key), AsUtf8(change.Value)});
  return converted;
}

bool IsWhole(const std::string& section, const WholeSections& whole) {
  const std::string name = ini::FoldName(section);
  return std::any_of(whole.begin(), whole.end(),
                     [&name](const std::string& kept) { return ini::FoldName(kept) == name; });
}

std::string ValueRead(const std::optional<std::string_view>& value, bool whole) {
  if (!value) return {};
  return whole ? std::string(*value) : CharLeft(*value, kReadLimit);
}

// What a write is told besides its changes.
struct WriteTerms {
  const std::optional<SecretKeys>& secrets;
  const WholeSections& whole;
  LockWait wait;
};

// Applies edit to the file at path as it is under the lock and stores the
// result in one replacement.
bool Store(const IniEdit& edit, const std::string& path, const WriteTerms& terms) {
  const std::optional<SecretKeys>& secrets = terms.secrets;
  const std::optional<std::string> target = ini::WriteTarget(path);
  if (!target) return false;
  // Something other than a file in its place is refused before the lock
  // leaves a file beside it.
  struct stat before {};
  if (::stat(target->c_str(), &before) == 0 && !S_ISREG(before.st_mode)) return false;
  const std::optional<ini::WriteLock> lock = terms.wait == LockWait::Brief
                                                 ? ini::WriteLock::Take(*target, kBriefLockWait)
                                                 : ini::WriteLock::Take(*target);
  if (!lock) return false;

  const ini::FileContent old = ini::ReadFile(*target);
  if (old.state == ini::FileState::kUnusable) return false;
  // A read-only file refuses the write, as it would refuse an editor.
  if (old.state == ini::FileState::kRead && !ini::PermitsWriting(old.info)) return false;

  // The file as read under the lock; its index is made only for an edit that
  // reads, and taken from the cache when the cache holds these very bytes.
  std::optional<ini::Index> ownIndex;
  const ini::Index* index = nullptr;
  const auto cached = Cache().find(path);
  const std::vector<IniChange> changes =
      edit([&](const std::string& section, const std::string& key) {
        if (index == nullptr && cached != Cache().end() && cached->second.bytes == old.bytes) {
          index = &cached->second.index;
        } else if (index == nullptr) {
          index = &ownIndex.emplace(ini::Decode(old.bytes).text);
        }
        return ValueRead(index->Find(AsUtf8(section), AsUtf8(key)), IsWhole(section, terms.whole));
      });
  if (changes.empty()) return true;

  const bool hadBom = std::string_view(old.bytes).starts_with(kByteOrderMark);
  std::string_view body = old.bytes;
  if (hadBom) body.remove_prefix(kByteOrderMark.size());
  const auto secretsOf = [&secrets](std::string_view text) {
    return secrets ? ini::SecretValues(text, *secrets) : std::multiset<std::string>();
  };
  const std::multiset<std::string> kept = secretsOf(body);
  std::optional<std::string> edited = ini::SetValues(body, AsUtf8(changes));
  if (!edited) return false;
  const std::multiset<std::string> held = secretsOf(*edited);
  // A secret typed here goes only into a file of the running user's own:
  // another user who owns the file could read it.
  if (old.state == ini::FileState::kRead && old.info.st_uid != ::geteuid() &&
      !std::includes(kept.begin(), kept.end(), held.begin(), held.end())) {
    return false;
  }
  const bool ownerOnly = !held.empty();
  std::string bytes = hadBom ? std::string(kByteOrderMark) + *edited : std::move(*edited);
  if (old.state == ini::FileState::kRead && bytes == old.bytes) return true;
  // Never write a file that reading would then refuse.
  if (bytes.size() > ini::kLargestFile) return false;

  const long long writtenAt = Now();
  ino_t inode = 0;
  if (!ini::ReplaceFile(*target, bytes, old, ownerOnly, inode)) return false;
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && info.st_ino == inode) {
    const bool replacedByUs = old.state != ini::FileState::kRead || inode != old.info.st_ino;
    Remember(path, std::move(bytes), StampOf(info), writtenAt, replacedByUs);
  } else {
    Cache().erase(path);
  }
  return true;
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

std::string Read(const std::string& section, const std::string& key, const std::string& file,
                 bool whole) {
  RequirePassablePath(file, kReadSource, kReadFailure);
  try {
    const CachedFile* cached = Load(file);
    if (cached == nullptr) return {};
    return ValueRead(cached->index.Find(AsUtf8(section), AsUtf8(key)), whole);
  } catch (const std::exception& error) {
    throw IniError(ErrorNumber(error), kReadSource, kReadFailure, error.what());
  }
}

}  // namespace

std::string GetINI(const std::string& section, const std::string& key, const std::string& file) {
  return Read(section, key, file, false);
}

std::string GetINI(const std::string& section, const std::string& key, const std::string& file,
                   const WholeSections& whole) {
  return Read(section, key, file, IsWhole(section, whole));
}

int SetINI(const std::string& section, const std::string& key, const std::string& value,
           const std::string& file, const std::optional<SecretKeys>& secrets) {
  return SetINIBatch({{section, key, value}}, file, secrets);
}

namespace {

int Write(const IniEdit& edit, const std::string& file, const WriteTerms& terms) {
  RequirePassablePath(file, kWriteSource, kWriteFailure);
  try {
    return Store(edit, file, terms) ? -1 : 0;
  } catch (const std::exception& error) {
    throw IniError(ErrorNumber(error), kWriteSource, kWriteFailure, error.what());
  }
}

}  // namespace

int SetINIBatch(const std::vector<IniChange>& changes, const std::string& file,
                const std::optional<SecretKeys>& secrets, LockWait wait) {
  return Write([&](const IniReader&) { return changes; }, file, {secrets, {}, wait});
}

int UpdateINI(const IniEdit& edit, const std::string& file,
              const std::optional<SecretKeys>& secrets, const WholeSections& whole) {
  return Write(edit, file, {secrets, whole, LockWait::Patient});
}

void RemoveLeftoverTempFiles(const std::string& file) {
  if (file.find('\0') != std::string::npos) return;
  const std::optional<std::string> target = ini::WriteTarget(file);
  if (!target) return;
  // Every write makes its temporary file under the lock: one found while
  // the lock is ours belongs to no living writer.
  if (const std::optional<ini::WriteLock> lock = ini::WriteLock::Take(*target)) {
    ini::RemoveTempFiles(*target);
  }
}

}  // namespace pyxaro
