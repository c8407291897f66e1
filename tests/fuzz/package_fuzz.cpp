// libFuzzer target for the resource package: its rules, and a game that unpacks a package and quits
// in a folder laid with the game's own files and links that lead outside.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <sstream>

#include "core/text.h"
#include "game/game.h"
#include "settings/ini_disk.h"
#include "settings/package_reader.h"
#include "tests/fake_host.h"
#include "tests/helpers/folder_contents.h"

namespace {

using namespace pyxaro;
using pyxaro::testing::Snapshot;

// Whatever the bytes, the directory stays inside them, its names are text, and a plain name can
// only mean a file of the folder it is joined to.
void CheckDirectory(std::string_view bytes) {
  const auto entries = package::ReadDirectory(bytes, bytes.size());
  if (!entries) return;
  if (entries->empty() || entries->size() > 255) std::abort();
  for (const PackageEntry& entry : *entries) {
    if (!IsValidUtf8(entry.Name)) std::abort();
    if (entry.DataFits && (entry.Size < 0 || entry.Offset < 8 ||
                           entry.Offset + entry.Size > static_cast<std::int64_t>(bytes.size())))
      std::abort();
    if (!package::IsPlainFileName(entry.Name)) continue;
    const std::filesystem::path path = std::filesystem::path("folder") / entry.Name;
    if (path.parent_path() != "folder" || path.filename() != entry.Name) std::abort();
  }
}

// A package the builder makes reads back as it was made.
void CheckRoundTrip(FuzzedDataProvider& input) {
  std::vector<PackedFile> files(input.ConsumeIntegralInRange<std::size_t>(1, 8));
  for (PackedFile& file : files) {
    file.Name = input.ConsumeRandomLengthString(255);
    if (!IsValidUtf8(file.Name)) file.Name = "x";
    file.Data = input.ConsumeRandomLengthString(300);
  }
  const std::string bytes = package::Encode(files);
  const auto entries = package::ReadDirectory(bytes, bytes.size());
  if (!entries || entries->size() != files.size()) std::abort();
  for (std::size_t i = 0; i < files.size(); ++i) {
    const PackageEntry& entry = (*entries)[i];
    if (entry.Name != files[i].Name || !entry.DataFits ||
        bytes.substr(static_cast<std::size_t>(entry.Offset),
                     static_cast<std::size_t>(entry.Size)) != files[i].Data)
      std::abort();
  }
}

namespace fs = std::filesystem;

// Names a hostile package or list would try: the game's own files, links leading outside, a file
// of the player's, and escapes.
const std::vector<std::string> kNames = [] {
  std::istringstream words(
      "pyxaro english.lng ENGLISH.LNG Pyx4.ini .Pyx4.ini.lock .pyx4.ini.x1Y2z3 Res.pac back.jpg "
      "notes.txt link.wav out out/inside.wav ../x.wav dice.wav DICE.wav sub.wav "
      ".unpacking.a1b2c3 Spanish.lng res.PAC .Pyx4.ini.lock.x");
  return std::vector<std::string>(std::istream_iterator<std::string>(words), {});
}();

// The game's own files in any case, the missing second language file among them, and its
// settings' lock and temporary files.
bool IsOwn(std::string name) {
  static const std::vector<std::string> kOwn{"pyxaro",   "english.lng", "spanish.lng",
                                             "pyx4.ini", "res.pac",     "back.jpg"};
  for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return name.starts_with(".pyx4.ini.") || std::find(kOwn.begin(), kOwn.end(), name) != kOwn.end();
}

std::string Name(FuzzedDataProvider& input) {
  if (input.ConsumeBool()) return input.ConsumeRandomLengthString(24);
  return kNames[input.ConsumeIntegralInRange<std::size_t>(0, kNames.size() - 1)];
}

// The game's own files, one of the player's and links to a folder outside; the package and the
// list of unpacked files come from the input.
void Lay(const fs::path& root, FuzzedDataProvider& input) {
  for (const char* folder : {"game", "outside"}) fs::remove_all(root / folder);
  for (const char* folder : {"game/sub.wav", "outside"}) fs::create_directories(root / folder);
  std::ofstream(root / "outside" / "linked.wav") << "outside";
  for (const char* name : {"pyxaro", "english.lng", "back.jpg"})
    std::ofstream(root / "game" / name) << name;
  // Longer than any data a package of this input can hold.
  std::ofstream(root / "game" / "notes.txt") << std::string(500, 'n');
  fs::create_symlink(root / "outside" / "linked.wav", root / "game" / "link.wav");
  fs::create_directory_symlink(root / "outside", root / "game" / "out");
  if (input.ConsumeBool())
    fs::create_symlink(root / "outside" / "made", root / "game" / ".Pyx4.ini.lock");
  std::string settings =
      "[Options]\nShowLangu=No\npicture=back.jpg\n"
      "[Language]\nantal=2\nl1n=English\nl1p=english.lng\nl2n=Español\nl2p=spanish.lng\n"
      "selected=1\n[Resources]\n";
  const int listed = input.ConsumeIntegralInRange<int>(0, 4);
  settings += "del=" + std::to_string(listed) + "\n";
  for (int i = 1; i <= listed; ++i)
    settings += "del" + std::to_string(i) + "=" + Name(input) + "\n";
  std::ofstream(root / "game" / "Pyx4.ini") << settings;

  std::ofstream out(root / "game" / "Res.pac", std::ios::binary);
  if (input.ConsumeBool()) {
    out << input.ConsumeRandomLengthString(400);
    return;
  }
  std::vector<PackedFile> files(input.ConsumeIntegralInRange<std::size_t>(1, 6));
  for (PackedFile& file : files) file = {Name(input), input.ConsumeRandomLengthString(40)};
  out << package::Encode(files);
}

// A game that unpacks and quits touches nothing outside its folder nor the game's or the player's
// files, and leaves the folder as it found it but for its settings. The writes skip fsync.
void CheckUnpackAndQuit(FuzzedDataProvider& input) {
  static const testing::TempFolder run;
  const fs::path& root = run.Path();
  ini::Calls().fsync = [](int) { return 0; };
  Lay(root, input);
  const auto outside = Snapshot(root / "outside");
  const auto game = [&root] {
    auto files = Snapshot(root / "game");
    for (const char* name : {"Pyx4.ini", ".Pyx4.ini.lock"}) files.erase(name);
    return files;
  };
  const auto before = game();

  // A desktop that answers no question and dice that are never thrown.
  testing::FakeHost host;
  testing::ScriptedChance chance;
  testing::ScriptedDice dice;
  Game player(host, chance, dice, (root / "game").string());
  // The picker is skipped: the splash stands, and unpacks while it stands.
  player.Start();
  player.Do(Command::PrepareGameWindow);
  for (const auto& [name, content] : game()) {
    const auto old = before.find(name);
    if (old != before.end() ? old->second != content : IsOwn(name)) std::abort();
  }
  player.Do(Command::Close);
  if (game() != before || Snapshot(root / "outside") != outside) std::abort();
  // Nor beside the folder, where a name climbing out of it would land.
  if (Snapshot(root).size() != 2) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckDirectory({reinterpret_cast<const char*>(data), size});
  FuzzedDataProvider input(data, size);
  CheckRoundTrip(input);
  // The round trip may have taken every byte: the game gets them afresh.
  FuzzedDataProvider folder(data, size);
  CheckUnpackAndQuit(folder);
  return 0;
}
