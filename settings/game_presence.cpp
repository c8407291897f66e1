#include "settings/game_presence.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <thread>

#include "settings/ini_disk.h"

namespace pyxaro {

namespace {

constexpr auto kRetry = std::chrono::milliseconds(10);

// Open file description locks belong to one opening of the file, not to the
// process, so the store opening and closing the same lock file for its
// writes never drops them, and a whole-file write lock by flock never meets
// them.
bool Claim(int fd, short type) {
  struct flock claim {};
  claim.l_type = type;
  claim.l_whence = SEEK_SET;
  claim.l_start = 0;
  claim.l_len = 1;
  return ::fcntl(fd, F_OFD_SETLK, &claim) == 0;
}

// Whether another opening holds a claim that a write claim would meet.
bool OthersClaim(int fd) {
  struct flock probe {};
  probe.l_type = F_WRLCK;
  probe.l_whence = SEEK_SET;
  probe.l_start = 0;
  probe.l_len = 1;
  return ::fcntl(fd, F_OFD_GETLK, &probe) != 0 || probe.l_type != F_UNLCK;
}

// The lock file each settings file was announced on, open for the run.
std::map<std::string, ini::Descriptor>& Announced() {
  static std::map<std::string, ini::Descriptor> announced;
  return announced;
}

ini::Descriptor OpenLockFile(const std::string& settingsFile) {
  const std::string name = ini::LockFileName(settingsFile);
  constexpr int kFlags = O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK;
  ini::Descriptor fd(::open(name.c_str(), O_RDWR | O_CREAT | kFlags, 0644));
  if (fd.Get() < 0) fd = ini::Descriptor(::open(name.c_str(), O_RDONLY | kFlags));
  return fd;
}

}  // namespace

void AnnounceGame(const std::string& settingsFile) {
  auto found = Announced().find(settingsFile);
  if (found == Announced().end()) {
    ini::Descriptor fd = OpenLockFile(settingsFile);
    if (fd.Get() < 0) return;
    found = Announced().emplace(settingsFile, std::move(fd)).first;
  }
  const auto giveUp = std::chrono::steady_clock::now() + ini::Calls().lockWait;
  while (!Claim(found->second.Get(), F_RDLCK) && std::chrono::steady_clock::now() < giveUp) {
    std::this_thread::sleep_for(kRetry);
  }
}

bool IsLastGameHere(const std::string& settingsFile) {
  const auto found = Announced().find(settingsFile);
  if (found == Announced().end()) {
    // Never announced: only what the lock file says counts, and where
    // there is none, no game could announce itself either.
    const ini::Descriptor fd = OpenLockFile(settingsFile);
    return fd.Get() < 0 || !OthersClaim(fd.Get());
  }
  // A claim that shuts newcomers out, where the lock file may be written;
  // else only a look.
  const int fd = found->second.Get();
  if (Claim(fd, F_WRLCK)) return true;
  return (::fcntl(fd, F_GETFL) & O_ACCMODE) == O_RDONLY && !OthersClaim(fd);
}

}  // namespace pyxaro
