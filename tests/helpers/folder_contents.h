#pragma once

// Folders of a test's own, and what a folder holds, for the tests and fuzz targets that check that
// nothing in it changed. Without gtest, so that a fuzz target can use it.

#include <stdlib.h>

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

// A fresh program folder, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "pyxaro-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
      throw std::filesystem::filesystem_error("mkdtemp", {});
    path_ = pattern;
  }
  ~TempFolder() { std::filesystem::remove_all(path_, ignored_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  void Write(const std::string& name, const std::string& content) const {
    std::ofstream(path_ / name, std::ios::binary) << content;
  }
  std::string Read(const std::string& name) const { return ReadAll(path_ / name); }

 private:
  std::filesystem::path path_;
  std::error_code ignored_;
};

}  // namespace pyxaro::testing
