#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/text.h"
#include "settings/game_presence.h"
#include "settings/ini.h"
#include "settings/ini_file.h"
#include "settings/numbered_key.h"
#include "settings/package_reader.h"
#include "settings/sounds.h"

namespace pyxaro {

namespace {

namespace fs = std::filesystem;

constexpr char kPackage[] = "Res.pac";
constexpr char kProgram[] = "pyxaro";
constexpr int kChunkBytes = 2048;
// The files a game unpacked, listed in the settings for the game that
// deletes them: how many under "del", each name under "del<n>".
constexpr char kSection[] = "Resources";
constexpr char kListed[] = "del";
// The list of unpacked files never holds more than the package's few; a
// longer one is another's doing and is read no further, so that it cannot
// hold up the start.
constexpr int kMostListedResources = 999;

// The files the game itself lives on, by folded name: the program, the
// settings file with its lock and temporary files, the package, every
// language file the settings name and the background picture. A package
// never writes them and a quit never deletes them.
class OwnFiles {
 public:
  OwnFiles(const SettingsStore& store, const std::vector<std::string>& languageFiles,
           const std::string& picture) {
    const std::string settings = fs::path(store.File()).filename().string();
    settingsPrefix_ = ini::FoldName("." + settings + ".");
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    for (const std::string& name : {settings, std::string(kPackage), std::string(kProgram),
                                    program.filename().string(), picture}) {
      names_.push_back(ini::FoldName(name));
    }
    for (const std::string& name : languageFiles) names_.push_back(ini::FoldName(name));
  }

  // A name the package may put into the data folder and the quit may take
  // out of it: a plain file name that is none of the game's own.
  bool AllowsResource(const std::string& name) const {
    const std::string folded = ini::FoldName(name);
    return package::IsPlainFileName(name) && !folded.starts_with(settingsPrefix_) &&
           std::find(names_.begin(), names_.end(), folded) == names_.end();
  }

 private:
  std::vector<std::string> names_;
  std::string settingsPrefix_;
};

bool IsWave(const std::string& name) {
  return ini::FoldName(fs::path(name).extension().string()) == ".wav";
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// The names the settings list as unpacked. The list ends at its first empty
// key, however large a hand-edited count.
std::vector<std::string> ListedResources(const SettingsStore& store) {
  const int count = std::min(LeadingNumber(store.Setting(kSection, kListed)), kMostListedResources);
  std::vector<std::string> names;
  for (int i = 1; i <= count; ++i) {
    std::string name = store.Setting(kSection, NumberedKey(kListed, i));
    if (name.empty()) break;
    names.push_back(std::move(name));
  }
  return names;
}

bool Exists(const std::string& path) {
  std::error_code error;
  return fs::exists(fs::symlink_status(path, error));
}

}  // namespace

void Sounds::Unpack() {
  if (!UnpackPackage()) host_.Tell(texts_.Text(text::kPackageNotFound), "", true);
}

bool Sounds::UnpackPackage() {
  waves_.clear();
  PackageReader reader;
  reader.SetChunkSize(kChunkBytes);
  reader.SetPackage(store_.AppFile(kPackage));
  reader.SetDestination(store_.DataFile(""));
  if (!reader.Initialise()) return false;
  host_.SetBusy(true);
  AnnounceGame(store_.File());
  // A file is unpacked only where no file of its name is. One that is there
  // is taken on only when a game listed it and it still holds what the
  // package would write; any other stays as it is and is not listed. The
  // list is stored in one write before the first copy, so even a game that
  // dies while unpacking leaves nothing the next game would not take on.
  const OwnFiles own(store_, texts_.Files(), picture_());
  const std::vector<std::string> listed = ListedResources(store_);
  std::vector<std::string> names;
  std::vector<bool> present;
  for (int i = 0; i < reader.FileCount(); ++i) {
    const std::string name = reader.FileName(i);
    if (!own.AllowsResource(name)) continue;
    const bool there = Exists(store_.DataFile(name));
    if (there && (!Contains(listed, name) || !reader.MatchesFile(name, store_.DataFile(name))))
      continue;
    names.push_back(name);
    present.push_back(there);
  }
  std::vector<IniChange> list{{kSection, kListed, std::to_string(names.size())}};
  for (std::size_t i = 0; i < names.size(); ++i) {
    list.push_back({kSection, NumberedKey(kListed, static_cast<int>(i) + 1), names[i]});
  }
  store_.StoreGroup(list);
  unpacked_.insert(unpacked_.end(), names.begin(), names.end());
  for (std::size_t i = 0; i < names.size(); ++i) {
    if ((present[i] || reader.ExtractFile(names[i])) && IsWave(names[i]))
      waves_.push_back(store_.DataFile(names[i]));
  }
  host_.SetBusy(false);
  return true;
}

void Sounds::DeleteResources() {
  // Another game in the folder still plays the sounds: they and their list
  // stay for the last one to go.
  if (!IsLastGameHere(store_.File())) return;
  // What this run unpacked and what the list names are deleted, but only
  // while each still holds what the package writes under its name: a file
  // the game did not write is never lost, whatever the list says.
  const std::vector<std::string> listed = ListedResources(store_);
  std::vector<std::string> names = unpacked_;
  names.insert(names.end(), listed.begin(), listed.end());
  PackageReader reader;
  reader.SetPackage(store_.AppFile(kPackage));
  reader.SetDestination(store_.DataFile(""));
  if (reader.Initialise()) {
    const OwnFiles own(store_, texts_.Files(), picture_());
    for (const std::string& name : names) {
      if (own.AllowsResource(name) && reader.MatchesFile(name, store_.DataFile(name))) {
        ::unlink(store_.DataFile(name).c_str());
      }
    }
  }
  unpacked_.clear();
  std::vector<IniChange> cleared;
  for (std::size_t i = 1; i <= listed.size(); ++i) {
    cleared.push_back({kSection, NumberedKey(kListed, static_cast<int>(i)), ""});
  }
  cleared.push_back({kSection, kListed, "0"});
  store_.StoreGroup(cleared);
}

}  // namespace pyxaro
