#include <filesystem>
#include <string>
#include <vector>

#include "core/game.h"
#include "core/text.h"
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
    host_.Tell("Specified package not found.", "", true);
    return;
  }
  host_.SetBusy(true);
  // Every file is listed for deletion, also one whose copy failed; a name
  // that could reach outside the folder is neither copied nor listed. The
  // keys of the whole loop belong together.
  int listed = 0;
  std::vector<std::string> waves;
  for (int i = 0; i < reader.FileCount(); ++i) {
    const std::string name = reader.FileName(i);
    if (!IsResourceName(name, run.SettingsFile)) continue;
    if (reader.ExtractFile(name) && IsWave(name)) waves.push_back(DataFile(name));
    ++listed;
    Store("Resources", "del", std::to_string(listed));
    Store("Resources", "del" + std::to_string(listed), name);
  }
  host_.PrepareWaves(waves);
  host_.SetBusy(false);
}

void Game::DeleteResources() {
  // The list ends at its first empty key, however large a hand-edited count.
  // The cleared keys and the count of 0 belong together.
  const int count = LeadingNumber(Setting("Resources", "del"));
  for (int i = 1; i <= count; ++i) {
    const std::string key = "del" + std::to_string(i);
    const std::string name = Setting("Resources", key);
    if (name.empty()) break;
    if (IsResourceName(name, run.SettingsFile)) DeleteFile(DataFile(name));
    Store("Resources", key, "");
  }
  Store("Resources", "del", "0");
}

}  // namespace pyxaro
