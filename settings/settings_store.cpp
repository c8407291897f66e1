#include "settings/settings_store.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <utility>

#include "settings/ini_file.h"
#include "settings/shipped_settings.h"

namespace pyxaro {

namespace {

bool IsMissing(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) != 0 && errno == ENOENT;
}

// The settings the program comes with, for a player who deleted the file:
// the shipped file's keys that hold a value, since one without reads as a
// missing one.
std::vector<IniChange> ShippedSettings() {
  std::vector<IniChange> settings = ini::Entries(ini::Decode(kShippedSettings).text);
  std::erase_if(settings, [](const IniChange& setting) { return setting.Value.empty(); });
  return settings;
}

}  // namespace

SettingsStore::SettingsStore(Host& host, std::string appFolder, std::optional<SecretKeys> secrets,
                             WholeSections records)
    : host_(host),
      appFolder_(std::move(appFolder)),
      dataFolder_(appFolder_),
      secrets_(std::move(secrets)),
      records_(std::move(records)) {}

void SettingsStore::Open() {
  file_ = DataFile(kFileName);
  RemoveLeftoverTempFiles(file_);
  if (IsMissing(file_)) StoreGroup(ShippedSettings());
}

std::string SettingsStore::Setting(const std::string& section, const std::string& key) const {
  const auto held = heldChoices_.find({section, key});
  if (held != heldChoices_.end()) return held->second;
  return GetINI(section, key, file_, records_);
}

// The settings service answers 0 for a refused write.
bool SettingsStore::Kept(int answer) {
  lastWrite_ = answer == 0 ? WriteResult::Refused : WriteResult::Stored;
  return lastWrite_ == WriteResult::Stored;
}

bool SettingsStore::Store(const std::string& section, const std::string& key,
                          const std::string& value) {
  return Kept(SetINI(section, key, value, file_, secrets_));
}

bool SettingsStore::StoreGroup(const std::vector<IniChange>& changes, LockWait wait) {
  return Kept(SetINIBatch(changes, file_, secrets_, wait));
}

bool SettingsStore::UpdateGroup(const IniEdit& edit) {
  return Kept(UpdateINI(edit, file_, secrets_, records_));
}

bool SettingsStore::StoreChoice(const std::vector<IniChange>& changes) {
  const bool saved = StoreGroup(changes);
  for (const IniChange& change : changes) {
    if (saved) {
      heldChoices_.erase({change.Section, change.Key});
    } else {
      heldChoices_[{change.Section, change.Key}] = change.Value;
    }
  }
  return saved;
}

std::string SettingsStore::AppFile(const std::string& name) const {
  return (std::filesystem::path(appFolder_) / name).string();
}

std::string SettingsStore::DataFile(const std::string& name) const {
  return (std::filesystem::path(dataFolder_) / name).string();
}

}  // namespace pyxaro
