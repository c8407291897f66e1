// Packs files into a resource package the game's reader opens:
//   package_builder output.pac file...
// Each file is stored under its own name, without its folder, in the order
// given.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "settings/package_reader.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s output.pac file...\n", argv[0]);
    return 2;
  }
  std::vector<pyxaro::PackedFile> files;
  for (int i = 2; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "cannot read %s\n", argv[i]);
      return 1;
    }
    files.push_back({std::filesystem::path(argv[i]).filename().string(),
                     {std::istreambuf_iterator<char>(in), {}}});
  }
  try {
    const std::string package = pyxaro::package::Encode(files);
    std::ofstream out(argv[1], std::ios::binary);
    if (!out.write(package.data(), static_cast<std::streamsize>(package.size()))) {
      std::fprintf(stderr, "cannot write %s\n", argv[1]);
      return 1;
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
