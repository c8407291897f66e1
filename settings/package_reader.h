#pragma once

// The resource package: one file holding the game's media files, copied out
// into the program's data folder while the game runs.
//
// Layout, integers little-endian:
//   "LBFP" and 3 bytes not looked at; the file count N (1 byte, 1..255);
//   N times the name length (1 byte) and the data size (4 bytes, signed);
//   the N names back to back, without terminators; the N files' data back
//   to back.
//
// The layout rules are plain functions over bytes; the reader does the
// file work in ExtractFile and Initialise only.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pyxaro {

struct PackageEntry {
  std::string Name;  // UTF-8; names that are not, were written in Windows-1252
  std::int32_t Size = 0;
  std::int64_t Offset = 0;  // of the first data byte, counted from 0
  // Whether the data lies wholly in the package's data area: a negative size
  // or one running past the end cannot be copied.
  bool DataFits = false;
};

struct PackedFile {
  std::string Name;
  std::string Data;
};

namespace package {

// The most bytes a directory with its names can take: 255 entries with 255
// byte names.
inline constexpr std::size_t kLongestHead = 8 + 255 * 5 + 255 * 255;
inline constexpr int kDefaultChunk = 2048;

// The directory of a package of packageSize bytes, read from its first
// min(packageSize, kLongestHead) bytes. Nothing when the header is not
// "LBFP", the count is 0, or the directory and names run past the end.
std::optional<std::vector<PackageEntry>> ReadDirectory(std::string_view head,
                                                       std::uint64_t packageSize);

// The package holding these files in this order. Throws std::invalid_argument
// for none or more than 255 files, a name longer than 255 bytes or data of
// 2 GiB or more.
std::string Encode(const std::vector<PackedFile>& files);

// A name that can only mean a file inside the folder it is joined to: not
// empty, not "." or "..", without a separator, a drive colon or a control
// character.
bool IsPlainFileName(std::string_view name);

// Copies size bytes in pieces of chunk bytes, the last piece shorter; a chunk
// of 0 or less means kDefaultChunk. Stops at the first failing read or write.
bool CopyInChunks(std::int64_t size, int chunk, const std::function<bool(std::span<char>)>& read,
                  const std::function<bool(std::span<const char>)>& write);

}  // namespace package

// Copies files out of a package into a destination folder.
class PackageReader {
 public:
  // Copies the file of that name (the last entry matching it without regard
  // to letter case) into the destination folder, replacing a file there
  // whole or not at all. Reads the directory first if it has not been read.
  bool ExtractFile(const std::string& name);
  // Reads the package's directory; false for a missing or malformed package.
  bool Initialise();
  void SetPackage(std::string path) { package_ = std::move(path); }
  // Trailing blanks are dropped and a separator is added when missing.
  void SetDestination(std::string folder);
  // Bytes copied at a time; 0 or less means the default.
  void SetChunkSize(std::int16_t bytes) { chunk_ = bytes; }
  // Whether the file at path is a plain file (not a link) holding exactly
  // the bytes ExtractFile would give it for that name.
  bool MatchesFile(const std::string& name, const std::string& path) const;
  int FileCount() const { return static_cast<int>(directory_.size()); }
  // The name of entry index, or "1" for an index out of range.
  std::string FileName(int index) const;

 private:
  // The entry ExtractFile copies for that name; nullptr when there is none
  // or its data does not fit.
  const PackageEntry* Find(const std::string& name) const;

  std::string package_;
  std::string destination_;
  std::int16_t chunk_ = 0;
  std::vector<PackageEntry> directory_;
};

}  // namespace pyxaro
