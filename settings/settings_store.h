#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/host.h"
#include "settings/ini.h"

namespace pyxaro {

enum class WriteResult { Stored, Refused };

// The section of the player's choices. The subsystems share it, each keeping
// keys of its own there and reading no other's.
inline constexpr char kOptionsSection[] = "Options";

// The settings file and the folders the game lives in. Every other
// subsystem reads and writes its settings here and asks here for the path
// of a file; none builds a path of its own.
class SettingsStore {
 public:
  // `secrets` names the keys whose values no other user may read, `records`
  // the sections whose values are read at any length.
  SettingsStore(Host& host, std::string appFolder, std::optional<SecretKeys> secrets,
                WholeSections records = {});

  // Where the files the game writes go: the program folder when the player
  // may write there, else personalFolder, made for the player alone and
  // given the shipped settings on the first start. When it cannot be made,
  // the player is told that nothing will be saved.
  void SettleDataFolder(const std::string& personalFolder);
  // Fixes the settings file in the data folder, clears what crashed writes
  // left beside it, and gives a player who deleted it the shipped settings.
  void Open();

  // A setting as the file holds it, or as the player chose it this run when
  // the file refused the choice.
  std::string Setting(const std::string& section, const std::string& key) const;
  // Stores one setting; true when stored.
  bool Store(const std::string& section, const std::string& key, const std::string& value);
  // Stores a group of settings that belong together in one write; true when stored.
  bool StoreGroup(const std::vector<IniChange>& changes, LockWait wait = LockWait::Patient);
  // Works a group out from the settings as they are at the moment of writing,
  // with no other writer between, and stores it; true when stored.
  bool UpdateGroup(const IniEdit& edit);
  // Stores a choice of the player's; when the file refuses it, the choice
  // holds for this run all the same. True when stored.
  bool StoreChoice(const std::vector<IniChange>& changes);

  // How the last write went.
  WriteResult LastWrite() const { return lastWrite_; }
  // The settings file, as the player is told of it.
  const std::string& File() const { return file_; }
  // A file the game only reads: the language files, pictures, the package.
  std::string AppFile(const std::string& name) const;
  // The settings the program comes with, in the program folder: in a
  // portable copy, the player's own file.
  std::string ShippedFile() const { return AppFile(kFileName); }
  // A file the game writes: the settings file and the unpacked sounds. It
  // lies in the folder SettleDataFolder chose, the program folder until then.
  std::string DataFile(const std::string& name) const;

 private:
  static constexpr char kFileName[] = "Pyx4.ini";

  bool Kept(int answer);

  Host& host_;
  std::string appFolder_;
  std::string dataFolder_;
  std::string file_;
  std::optional<SecretKeys> secrets_;
  WholeSections records_;
  WriteResult lastWrite_ = WriteResult::Stored;
  // The player's choices the settings file refused, by section and key:
  // they hold until the program ends.
  std::map<std::pair<std::string, std::string>, std::string> heldChoices_;
};

}  // namespace pyxaro
