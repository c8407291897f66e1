// libFuzzer target for the resource package rules. Not part of the normal build:
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. \
//     tests/fuzz/package_fuzz.cpp settings/package_reader.cpp settings/ini_file.cpp \
//     core/text.cpp -o package_fuzz

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/text.h"
#include "settings/package_reader.h"

namespace {

using namespace pyxaro;

// Whatever the bytes, the directory stays inside them, its names are text,
// and a plain name can only mean a file of the folder it is joined to.
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckDirectory({reinterpret_cast<const char*>(data), size});
  FuzzedDataProvider input(data, size);
  CheckRoundTrip(input);
  return 0;
}
