#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace pyxaro {

// The value of key in section of the settings file, "" when the file, the
// section or the key is missing. At most 1023 characters.
std::string GetINI(const std::string& section, const std::string& key, const std::string& file);

// The sections whose values are read at any length. The game's own records
// (a game's moves) outgrow the limit that every other key keeps for the
// programs and older files that rely on it.
using WholeSections = std::vector<std::string>;

// The value as GetINI gives it, at any length in the sections whole names.
std::string GetINI(const std::string& section, const std::string& key, const std::string& file,
                   const WholeSections& whole);

// The keys whose values are secrets: in Section, those whose names begin
// with KeyStart, matched as names are. A settings file that holds a secret
// is for its owner's eyes only, and no new secret goes into a file another
// user owns. A write that names none keeps no value secret.
struct SecretKeys {
  std::string Section;
  std::string KeyStart;
};

// Stores value under key in section, creating the file, the section and the
// key as needed. -1 when stored, 0 when refused (the file stays as it was).
int SetINI(const std::string& section, const std::string& key, const std::string& value,
           const std::string& file, const std::optional<SecretKeys>& secrets = std::nullopt);

struct IniChange {
  std::string Section;
  std::string Key;
  std::string Value;
};

// How long a write waits while another program holds the file's lock.
enum class LockWait {
  // Long enough for any writer of ours to finish.
  Patient,
  // A moment: for the writes that come with every move, which must not hold
  // the window.
  Brief,
};

// Stores every change in one replacement of the file, under the lock, after
// reading the file again: -1 when all are stored, 0 when refused (the file
// stays as it was).
int SetINIBatch(const std::vector<IniChange>& changes, const std::string& file,
                const std::optional<SecretKeys>& secrets = std::nullopt,
                LockWait wait = LockWait::Patient);

// The value of a key in the file as it is at that moment, as GetINI gives it
// (or whole, in the sections the write names).
using IniReader = std::function<std::string(const std::string& section, const std::string& key)>;
// The changes to make, worked out from the file as it is.
using IniEdit = std::function<std::vector<IniChange>(const IniReader& current)>;

// Reads the file under the lock, asks edit for its changes and stores them in
// one replacement before another writer can come between: -1 when stored
// (also when edit asks for nothing), 0 when refused.
int UpdateINI(const IniEdit& edit, const std::string& file,
              const std::optional<SecretKeys>& secrets = std::nullopt,
              const WholeSections& whole = {});

// Removes the temporary files that writes of file cut short by a crash left
// beside it. Nothing happens while another process holds the lock.
void RemoveLeftoverTempFiles(const std::string& file);

// Raised when the file service itself cannot be reached at all.
class IniError : public std::runtime_error {
 public:
  IniError(int number, std::string source, std::string description, std::string detail);
  int Number() const { return number_; }
  const std::string& Source() const { return source_; }
  const std::string& Description() const { return description_; }
  const std::string& Detail() const { return detail_; }

 private:
  int number_;
  std::string source_;
  std::string description_;
  std::string detail_;
};

}  // namespace pyxaro
