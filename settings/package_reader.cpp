#include "settings/package_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>

#include "core/text.h"
#include "settings/ini_file.h"

namespace pyxaro {

namespace fs = std::filesystem;

namespace package {

namespace {

constexpr std::string_view kMagic = "LBFP";
constexpr std::size_t kCountAt = 7;
constexpr std::size_t kDirectoryAt = 8;
constexpr std::size_t kEntryBytes = 5;
constexpr std::size_t kMostFiles = 255;
constexpr std::size_t kLongestName = 255;

std::int32_t ReadInt32(std::string_view bytes) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  return static_cast<std::int32_t>(value);
}

void AppendInt32(std::string& bytes, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((bits >> (8 * i)) & 0xFF);
}

std::string DecodeName(std::string_view bytes) {
  return IsValidUtf8(bytes) ? std::string(bytes) : Windows1252ToUtf8(bytes);
}

}  // namespace

std::optional<std::vector<PackageEntry>> ReadDirectory(std::string_view head,
                                                       std::uint64_t packageSize) {
  head =
      head.substr(0, static_cast<std::size_t>(std::min<std::uint64_t>(head.size(), packageSize)));
  if (head.size() <= kCountAt || head.substr(0, kMagic.size()) != kMagic) return std::nullopt;
  const std::size_t count = static_cast<unsigned char>(head[kCountAt]);
  if (count == 0 || head.size() < kDirectoryAt + kEntryBytes * count) return std::nullopt;

  std::vector<PackageEntry> entries(count);
  std::size_t at = kDirectoryAt;
  std::vector<std::size_t> nameLengths(count);
  for (std::size_t i = 0; i < count; ++i, at += kEntryBytes) {
    nameLengths[i] = static_cast<unsigned char>(head[at]);
    entries[i].Size = ReadInt32(head.substr(at + 1, 4));
  }
  for (std::size_t i = 0; i < count; ++i) {
    if (head.size() - at < nameLengths[i]) return std::nullopt;
    entries[i].Name = DecodeName(head.substr(at, nameLengths[i]));
    at += nameLengths[i];
  }
  // Sizes may lie: each entry's place follows from the ones before it, and
  // only data inside the data area counts as there.
  const auto dataStart = static_cast<std::int64_t>(at);
  const auto end = static_cast<std::int64_t>(packageSize);
  std::int64_t offset = dataStart;
  for (PackageEntry& entry : entries) {
    entry.Offset = offset;
    entry.DataFits = entry.Size >= 0 && offset >= dataStart && offset <= end - entry.Size;
    offset += entry.Size;
  }
  return entries;
}

std::string Encode(const std::vector<PackedFile>& files) {
  if (files.empty() || files.size() > kMostFiles)
    throw std::invalid_argument("a package holds 1 to 255 files");
  std::string bytes(std::string_view("LBFP\0\0\0", kDirectoryAt - 1));
  bytes += static_cast<char>(files.size());
  for (const PackedFile& file : files) {
    if (file.Name.size() > kLongestName) throw std::invalid_argument("name too long: " + file.Name);
    if (file.Data.size() > static_cast<std::size_t>(INT32_MAX))
      throw std::invalid_argument("file too large: " + file.Name);
    bytes += static_cast<char>(file.Name.size());
    AppendInt32(bytes, static_cast<std::int32_t>(file.Data.size()));
  }
  for (const PackedFile& file : files) bytes += file.Name;
  for (const PackedFile& file : files) bytes += file.Data;
  return bytes;
}

bool IsPlainFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  const std::u32string characters = ToCodePoints(name);
  return std::none_of(characters.begin(), characters.end(), [](char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == '/' || c == '\\' || c == ':';
  });
}

bool CopyInChunks(std::int64_t size, int chunk, const std::function<bool(std::span<char>)>& read,
                  const std::function<bool(std::span<const char>)>& write) {
  const auto piece = static_cast<std::size_t>(
      std::min<std::int64_t>(chunk > 0 ? chunk : kDefaultChunk, std::max<std::int64_t>(size, 0)));
  std::vector<char> buffer(piece);
  for (std::int64_t copied = 0; copied < size;) {
    const auto length = static_cast<std::size_t>(std::min<std::int64_t>(piece, size - copied));
    const std::span<char> bytes(buffer.data(), length);
    if (!read(bytes) || !write(bytes)) return false;
    copied += static_cast<std::int64_t>(length);
  }
  return true;
}

}  // namespace package

namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// A file of a new name of its own in the folder: no file already there is
// opened, removed or followed. What is unpacked is no secret.
File CreatePart(std::string& name) {
  const int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return {nullptr, &std::fclose};
  std::FILE* file = ::fchmod(fd, 0644) == 0 ? ::fdopen(fd, "wb") : nullptr;
  if (file == nullptr) {
    ::close(fd);
    ::unlink(name.c_str());
  }
  return {file, &std::fclose};
}

}  // namespace

const PackageEntry* PackageReader::Find(const std::string& name) const {
  if (!package::IsPlainFileName(name)) return nullptr;
  const std::string wanted = ini::FoldName(name);
  const auto match = std::find_if(directory_.rbegin(), directory_.rend(), [&](const auto& entry) {
    return ini::FoldName(entry.Name) == wanted;
  });
  return match == directory_.rend() || !match->DataFits ? nullptr : &*match;
}

bool PackageReader::ExtractFile(const std::string& name) {
  if (FileCount() == 0 && !Initialise()) return false;
  const PackageEntry* match = Find(name);
  if (match == nullptr) return false;

  std::ifstream in(package_, std::ios::binary);
  in.seekg(match->Offset);
  // The copy goes to a file of its own and takes the target's name only when
  // whole, so a failed copy leaves an existing file as it was.
  const fs::path target = fs::path(destination_ + name);
  std::string partName = destination_ + ".unpacking.XXXXXX";
  File out = CreatePart(partName);
  const fs::path part(partName);
  if (!out) return false;
  const bool copied =
      in && package::CopyInChunks(
                match->Size, chunk_,
                [&](std::span<char> bytes) {
                  return static_cast<bool>(
                      in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())));
                },
                [&](std::span<const char> bytes) {
                  return std::fwrite(bytes.data(), 1, bytes.size(), out.get()) == bytes.size();
                });
  const bool closed = std::fclose(out.release()) == 0;
  std::error_code error;
  if (copied && closed) fs::rename(part, target, error);
  if (!copied || !closed || error) {
    fs::remove(part, error);
    return false;
  }
  return true;
}

bool PackageReader::MatchesFile(const std::string& name, const std::string& path) const {
  const PackageEntry* entry = Find(name);
  struct stat info {};
  if (entry == nullptr || ::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
      info.st_size != entry->Size) {
    return false;
  }
  std::ifstream in(package_, std::ios::binary);
  std::ifstream file(path, std::ios::binary);
  in.seekg(entry->Offset);
  std::vector<char> theirs;
  return package::CopyInChunks(
      entry->Size, chunk_,
      [&](std::span<char> bytes) {
        return static_cast<bool>(in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())));
      },
      [&](std::span<const char> bytes) {
        theirs.resize(bytes.size());
        return file.read(theirs.data(), static_cast<std::streamsize>(bytes.size())) &&
               std::equal(bytes.begin(), bytes.end(), theirs.begin());
      });
}

bool PackageReader::Initialise() {
  directory_.clear();
  std::error_code error;
  if (!fs::is_regular_file(package_, error)) return false;
  const std::uintmax_t size = fs::file_size(package_, error);
  if (error) return false;
  std::string head(static_cast<std::size_t>(std::min<std::uintmax_t>(size, package::kLongestHead)),
                   '\0');
  std::ifstream in(package_, std::ios::binary);
  if (!in.read(head.data(), static_cast<std::streamsize>(head.size()))) return false;
  auto entries = package::ReadDirectory(head, size);
  if (!entries) return false;
  directory_ = std::move(*entries);
  return true;
}

void PackageReader::SetDestination(std::string folder) {
  while (!folder.empty() && folder.back() == ' ') folder.pop_back();
  const char separator = static_cast<char>(fs::path::preferred_separator);
  if (folder.empty() || (folder.back() != separator && folder.back() != '/')) folder += separator;
  destination_ = std::move(folder);
}

std::string PackageReader::FileName(int index) const {
  if (index < 0 || index >= FileCount()) return "1";
  return directory_[static_cast<std::size_t>(index)].Name;
}

}  // namespace pyxaro
