// The resource package over hostile packages: lying counts and sizes, names
// that reach out of the folder, packages cut short. Built with libFuzzer in
// the sanitizer configuration, and run over a fixed series of inputs by every
// test run (replay.cpp).

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "core/text.h"
#include "settings/ini_file.h"
#include "settings/package_reader.h"

namespace {

using namespace pyxaro;
namespace fs = std::filesystem;

const std::vector<std::string> kNames = {"dice.wav",
                                         "DICE.WAV",
                                         "a b.wav",
                                         "é.wav",
                                         ".hidden",
                                         "",
                                         ".",
                                         "..",
                                         "../x.wav",
                                         "../out/victim.wav",
                                         "/tmp/x",
                                         "a/b",
                                         "a\\b",
                                         "C:x",
                                         "tab\tx",
                                         "\xC2\x85",
                                         std::string("nul\0x", 5)};

// A package whose claims may be false; where the input runs out they are
// true. Its shape is decided first, while the input lasts.
std::string Package(FuzzedDataProvider& input, std::vector<std::string>& names) {
  const int count = input.ConsumeIntegralInRange(1, 6);
  const int claimed = input.ConsumeBool() ? input.ConsumeIntegralInRange(0, count + 1) : count;
  const std::string header = input.ConsumeBool() ? input.ConsumeBytesAsString(7) : "LBFP123";
  // Cut short by a byte or two, to meet the edge of the data area exactly,
  // or anywhere.
  const int cut = input.ConsumeIntegralInRange(0, 3);
  const auto anywhere = input.ConsumeIntegral<std::size_t>();
  std::vector<std::int32_t> sizes;
  std::string data;
  for (int i = 0; i < count; ++i) {
    std::string name =
        input.ConsumeBool()
            ? input.ConsumeRandomLengthString(40)
            : kNames[input.ConsumeIntegralInRange<std::size_t>(0, kNames.size() - 1)];
    names.push_back(name.substr(0, 255));
    const std::string bytes = input.ConsumeRandomLengthString(300);
    sizes.push_back(input.ConsumeBool() ? input.ConsumeIntegral<std::int32_t>()
                                        : static_cast<std::int32_t>(bytes.size()));
    data += bytes;
  }
  std::string package = header + static_cast<char>(claimed);
  for (std::size_t i = 0; i < names.size(); ++i) {
    package += static_cast<char>(names[i].size());
    for (int b = 0; b < 4; ++b)
      package += static_cast<char>((static_cast<std::uint32_t>(sizes[i]) >> (8 * b)) & 0xFF);
  }
  for (const std::string& name : names) package += name;
  package += data;
  const std::size_t shorter =
      cut == 3 ? anywhere % (package.size() + 1) : static_cast<std::size_t>(cut);
  package.resize(package.size() - std::min(shorter, package.size()));
  return package;
}

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Every file under the folder, by its path relative to it, with its bytes.
std::map<std::string, std::string> Files(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    files[fs::relative(entry.path(), folder).string()] =
        entry.is_regular_file() ? Read(entry.path()) : "(folder)";
  return files;
}

// A scratch folder for the process: the package, the destination "game" and
// a folder "out" beside it that nothing may touch.
const fs::path& Scratch() {
  static const fs::path scratch = [] {
    std::string pattern = (fs::temp_directory_path() / "pyxaro-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    fs::create_directories(fs::path(pattern) / "game");
    fs::create_directories(fs::path(pattern) / "out");
    std::ofstream(fs::path(pattern) / "out" / "victim.wav") << "keep";
    return fs::path(pattern);
  }();
  return scratch;
}

// Empties the destination for the next input.
void ClearGame(const std::map<std::string, std::string>& files) {
  for (const auto& [name, bytes] : files) {
    if (name.starts_with("game/")) fs::remove(Scratch() / name);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  std::vector<std::string> names;
  const std::string bytes = Package(input, names);

  // Whatever the bytes, the directory lies inside them and its names are text.
  const auto entries = package::ReadDirectory(bytes, bytes.size());
  if (entries && (entries->empty() || !bytes.starts_with("LBFP"))) std::abort();
  for (const PackageEntry& entry : entries ? *entries : std::vector<PackageEntry>{}) {
    if (!IsValidUtf8(entry.Name)) std::abort();
    if (entry.DataFits && (entry.Size < 0 || entry.Offset < 8 ||
                           entry.Offset + entry.Size > static_cast<std::int64_t>(bytes.size())))
      std::abort();
  }

  // Unpacked, a name means a file of the folder, holding exactly the data of
  // the last entry of that name; nothing else is written, nothing outside
  // the folder is touched, and the package stays as it was.
  const fs::path scratch = Scratch();
  std::ofstream(scratch / "Res.pac", std::ios::binary) << bytes;
  PackageReader reader;
  reader.SetPackage((scratch / "Res.pac").string());
  reader.SetDestination((scratch / "game").string());
  reader.SetChunkSize(input.ConsumeIntegral<std::int16_t>());
  std::map<std::string, std::string> expected = {
      {"Res.pac", bytes}, {"game", "(folder)"}, {"out", "(folder)"}, {"out/victim.wav", "keep"}};
  for (std::string name : names) {
    if (!IsValidUtf8(name)) name = Windows1252ToUtf8(name);
    if (reader.ExtractFile(name)) {
      if (!entries || !package::IsPlainFileName(name)) std::abort();
      const auto last = std::find_if(entries->rbegin(), entries->rend(), [&](const auto& entry) {
        return ini::FoldName(entry.Name) == ini::FoldName(name);
      });
      if (last == entries->rend() || !last->DataFits) std::abort();
      expected["game/" + name] = bytes.substr(static_cast<std::size_t>(last->Offset),
                                              static_cast<std::size_t>(last->Size));
    }
    if (input.ConsumeBool() && reader.Remove(name)) expected.erase("game/" + name);
  }
  const std::map<std::string, std::string> written = Files(scratch);
  if (written != expected) std::abort();
  ClearGame(written);

  return 0;
}
