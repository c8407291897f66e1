#pragma once

// What a folder holds, for the tests and fuzz targets that check that nothing in it changed.
// Without gtest, so that a fuzz target can use it.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace pyxaro::testing {

// A whole file's bytes, "" when it cannot be read.
inline std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Every entry of a folder, links unfollowed: a file's bytes, where a link points, or "folder".
inline std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename();
    entries[name] = entry.is_symlink()     ? "-> " + std::filesystem::read_symlink(entry).string()
                    : entry.is_directory() ? "folder"
                                           : ReadAll(entry.path());
  }
  return entries;
}

}  // namespace pyxaro::testing
