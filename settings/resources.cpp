#include <filesystem>
#include <string>
#include <vector>

#include "core/game.h"
#include "core/text.h"
#include "settings/ini.h"
#include "settings/ini_file.h"
#include "settings/package_reader.h"

namespace pyxaro {

namespace {

namespace fs = std::filesystem;

constexpr char kPackage[] = "Res.pac";
constexpr int kChunkBytes = 2048;

// A name the package may put into the data folder and the quit may take out
// of it: a plain file name, and neither the settings file nor the package,
// whose loss would cost the player the game's memory or its sounds.
bool IsResourceName(const std::string& name, const std::string& settingsFile) {
  const std::string folded = ini::FoldName(name);
  return package::IsPlainFileName(name) &&
         folded != ini::FoldName(fs::path(settingsFile).filename().string()) &&
         folded != ini::FoldName(kPackage);
}

bool IsWave(const std::string& name) {
  return ini::FoldName(fs::path(name).extension().string()) == ".wav";
}

// Deletes a file or a link of that name, never a folder and never what a
// link points to.
void DeleteFile(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::symlink_status(path, error);
  if (!error && fs::exists(status) && !fs::is_directory(status)) fs::remove(path, error);
}

}  // namespace

void Game::UnpackResources() {
  PackageReader reader;
  reader.SetChunkSize(kChunkBytes);
  reader.SetPackage(AppFile(kPackage));
  reader.SetDestination(DataFile(""));
  if (!reader.Initialise()) {
    host_.Tell(Text(text::kPackageNotFound), "", true);
    return;
  }
  host_.SetBusy(true);
  // Every file is listed for deletion, also one whose copy fails; a name
  // that could reach outside the folder is neither copied nor listed. The
  // list is stored in one write before the first copy, so even a game that
  // dies while unpacking leaves nothing behind that the next quit would miss.
  std::vector<std::string> names;
  for (int i = 0; i < reader.FileCount(); ++i) {
    const std::string name = reader.FileName(i);
    if (IsResourceName(name, run.SettingsFile)) names.push_back(name);
  }
  std::vector<IniChange> list{{"Resources", "del", std::to_string(names.size())}};
  for (std::size_t i = 0; i < names.size(); ++i) {
    list.push_back({"Resources", "del" + std::to_string(i + 1), names[i]});
  }
  StoreGroup(list);
  std::vector<std::string> waves;
  for (const std::string& name : names) {
    if (reader.ExtractFile(name) && IsWave(name)) waves.push_back(DataFile(name));
  }
  host_.PrepareWaves(waves);
  host_.SetBusy(false);
}

void Game::DeleteResources() {
  // The list ends at its first empty key, however large a hand-edited count.
  const int count = LeadingNumber(Setting("Resources", "del"));
  std::vector<IniChange> cleared;
  for (int i = 1; i <= count; ++i) {
    const std::string key = "del" + std::to_string(i);
    const std::string name = Setting("Resources", key);
    if (name.empty()) break;
    if (IsResourceName(name, run.SettingsFile)) DeleteFile(DataFile(name));
    cleared.push_back({"Resources", key, ""});
  }
  cleared.push_back({"Resources", "del", "0"});
  StoreGroup(cleared);
}

}  // namespace pyxaro
