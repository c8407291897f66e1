#include "settings/settings_store.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <utility>

namespace pyxaro {

namespace {

bool IsMissing(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) != 0 && errno == ENOENT;
}

// The settings the program comes with, for a player who deleted the file.
std::vector<IniChange> ShippedSettings() {
  return {{"Options", "PlaySound", "Yes"},     {"Language", "antal", "11"},
          {"Language", "l1n", "English"},      {"Language", "l1p", "english.lng"},
          {"Language", "l2n", "Svenska"},      {"Language", "l2p", "swedish.lng"},
          {"Language", "l3n", "Español"},      {"Language", "l3p", "spanish.lng"},
          {"Language", "l4n", "Dansk"},        {"Language", "l4p", "danish.lng"},
          {"Language", "l5n", "Deutsch"},      {"Language", "l5p", "german.lng"},
          {"Language", "l6n", "Français"},     {"Language", "l6p", "french.lng"},
          {"Language", "l7n", "Italiano"},     {"Language", "l7p", "italian.lng"},
          {"Language", "l8n", "Nederlands"},   {"Language", "l8p", "dutch.lng"},
          {"Language", "l9n", "Norsk bokmål"}, {"Language", "l9p", "norwegian.lng"},
          {"Language", "l10n", "Português"},   {"Language", "l10p", "portuguese.lng"},
          {"Language", "l11n", "Suomi"},       {"Language", "l11p", "finnish.lng"},
          {"Language", "selected", "1"}};
}

}  // namespace

SettingsStore::SettingsStore(Host& host, std::string appFolder, std::optional<SecretKeys> secrets)
    : host_(host),
      appFolder_(std::move(appFolder)),
      dataFolder_(appFolder_),
      secrets_(std::move(secrets)) {}

void SettingsStore::Open() {
  file_ = DataFile(kFileName);
  RemoveLeftoverTempFiles(file_);
  if (IsMissing(file_)) StoreGroup(ShippedSettings());
}

std::string SettingsStore::Setting(const std::string& section, const std::string& key) const {
  const auto held = heldChoices_.find({section, key});
  if (held != heldChoices_.end()) return held->second;
  return GetINI(section, key, file_);
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

bool SettingsStore::StoreGroup(const std::vector<IniChange>& changes) {
  return Kept(SetINIBatch(changes, file_, secrets_));
}

bool SettingsStore::UpdateGroup(const IniEdit& edit) {
  return Kept(UpdateINI(edit, file_, secrets_));
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
