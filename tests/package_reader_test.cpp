#include "settings/package_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

namespace fs = std::filesystem;

// A package as bytes, written by hand so that it can lie: the directory
// gives each name with the size it claims, the data follows as given.
struct Claim {
  std::string name;
  std::int32_t size;
};
std::string Package(const std::vector<Claim>& claims, const std::string& data, int count = -1,
                    const std::string& header = "LBFP123") {
  std::string bytes = header;
  bytes += static_cast<char>(count < 0 ? static_cast<int>(claims.size()) : count);
  for (const Claim& claim : claims) {
    bytes += static_cast<char>(claim.name.size());
    for (int i = 0; i < 4; ++i)
      bytes += static_cast<char>((static_cast<std::uint32_t>(claim.size) >> (8 * i)) & 0xFF);
  }
  for (const Claim& claim : claims) bytes += claim.name;
  return bytes + data;
}

std::string Bytes(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 256);
  return bytes;
}

// A package in a scratch folder, unpacked into a folder inside it, so that
// anything written beside the destination shows.
class PackageTest : public ::testing::Test {
 protected:
  PackageTest() {
    fs::create_directory(Destination());
    reader.SetPackage(scratch.File("Res.pac"));
    reader.SetDestination(Destination().string());
  }
  fs::path Destination() const { return scratch.Path() / "game"; }
  std::string Unpacked(const std::string& name) const {
    return scratch.Read((fs::path("game") / name).string());
  }
  // Every file and folder under the scratch folder but the package.
  std::vector<std::string> Written() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(scratch.Path())) {
      const std::string name = fs::relative(entry.path(), scratch.Path()).string();
      if (name != "Res.pac" && name != "game") names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  TempFolder scratch;
  PackageReader reader;
};

TEST(PackageRules, ChunksAreTheSizeOrTheDefaultWithAShorterLastPiece) {
  const std::tuple<std::int64_t, int, std::vector<std::size_t>> cases[] = {
      {5000, 2048, {2048, 2048, 904}},
      {5000, 0, {2048, 2048, 904}},
      {5000, -7, {2048, 2048, 904}},
      {4096, 2048, {2048, 2048}},
      {100, 2048, {100}},
      {0, 2048, {}},
      {5, 2, {2, 2, 1}}};
  for (const auto& [size, chunk, expected] : cases) {
    std::vector<std::size_t> pieces;
    std::int64_t offered = 0;
    const bool copied = package::CopyInChunks(
        size, chunk, [&](std::span<char> bytes) { return (offered += bytes.size()) > 0; },
        [&](std::span<const char> bytes) {
          pieces.push_back(bytes.size());
          return true;
        });
    EXPECT_TRUE(copied);
    EXPECT_EQ(pieces, expected) << size << "/" << chunk;
  }
  // A read that fails stops the copy before anything more is written.
  int writes = 0;
  EXPECT_FALSE(package::CopyInChunks(
      5000, 2048, [](std::span<char>) { return false; },
      [&](std::span<const char>) { return ++writes > 0; }));
  EXPECT_EQ(writes, 0);
}

TEST(PackageRules, OnlyPlainNamesStayInTheirFolder) {
  for (const char* name : {"dice.wav", "Yahoo2.wav", "a b.wav", "...wav", "é.wav", ".hidden"})
    EXPECT_TRUE(package::IsPlainFileName(name)) << name;
  for (const std::string& name : std::vector<std::string>{
           "", ".", "..", "../dice.wav", "/tmp/x", "a/b", "a\\b", "C:x", std::string("a\0b", 3),
           "tab\there", "line\n", "del\x7F", "\xC2\x85next"})
    EXPECT_FALSE(package::IsPlainFileName(name)) << name;
}

TEST_F(PackageTest, FiveThousandBytesCopyWholeAtEveryChunkSize) {
  const std::string data = Bytes(5000);
  scratch.Write("Res.pac", package::Encode({{"big.bin", data}, {"empty.bin", ""}}));
  for (const std::int16_t chunk : {2048, 0, 1, 4999, 5000, 32767}) {
    reader.SetChunkSize(chunk);
    ASSERT_TRUE(reader.ExtractFile("big.bin")) << chunk;
    EXPECT_EQ(Unpacked("big.bin"), data) << chunk;
  }
  EXPECT_TRUE(reader.ExtractFile("empty.bin"));
  EXPECT_TRUE(fs::exists(Destination() / "empty.bin"));
  EXPECT_EQ(Unpacked("empty.bin"), "");
}

TEST_F(PackageTest, DirectoryNamesAndLetterCaseTwinsWhereTheLastWins) {
  scratch.Write("Res.pac",
                package::Encode({{"Tone.wav", "first"}, {"x", "x"}, {"tONE.WAV", "last"}}));
  reader.SetDestination(Destination().string() + "   ");
  EXPECT_EQ(reader.FileCount(), 0);
  ASSERT_TRUE(reader.Initialise());
  EXPECT_EQ(reader.FileCount(), 3);
  EXPECT_EQ(reader.FileName(0), "Tone.wav");
  EXPECT_EQ(reader.FileName(2), "tONE.WAV");
  EXPECT_EQ(reader.FileName(3), "1");
  EXPECT_EQ(reader.FileName(-1), "1");
  for (const char* name : {"Tone.wav", "tone.wav"}) {
    ASSERT_TRUE(reader.ExtractFile(name));
    EXPECT_EQ(Unpacked(name), "last");
  }
  EXPECT_FALSE(reader.ExtractFile("Tone"));
  EXPECT_EQ(Written(), (std::vector<std::string>{"game/Tone.wav", "game/tone.wav"}));
  EXPECT_TRUE(reader.Remove("tone.wav"));
  EXPECT_FALSE(reader.Remove("tone.wav"));
  EXPECT_FALSE(reader.Remove("../Res.pac"));
  EXPECT_TRUE(fs::exists(scratch.File("Res.pac")));
}

TEST_F(PackageTest, AnExistingFileIsReplacedWholeOrKeptAsItWas) {
  const std::string old(9000, 'o');
  scratch.Write("game/short.wav", old);
  scratch.Write("game/lying.wav", old);
  scratch.Write("Res.pac", Package({{"short.wav", 3}, {"lying.wav", 100}}, "new"));
  EXPECT_TRUE(reader.ExtractFile("short.wav"));
  EXPECT_EQ(Unpacked("short.wav"), "new");
  EXPECT_FALSE(reader.ExtractFile("lying.wav"));
  EXPECT_EQ(Unpacked("lying.wav"), old);
  // The package shrinks after its directory was read: the copy fails midway.
  scratch.Write("Res.pac", package::Encode({{"short.wav", Bytes(5000)}}));
  ASSERT_TRUE(reader.Initialise());
  scratch.Write("Res.pac", package::Encode({{"short.wav", Bytes(5000)}}).substr(0, 3000));
  EXPECT_FALSE(reader.ExtractFile("short.wav"));
  EXPECT_EQ(Unpacked("short.wav"), "new");
  EXPECT_EQ(Written(), (std::vector<std::string>{"game/lying.wav", "game/short.wav"}));
}

TEST_F(PackageTest, MalformedPackagesAreRefusedAsMissing) {
  const std::string good = Package({{"a.wav", 2}}, "ab");
  const std::pair<const char*, std::string> cases[] = {
      {"empty file", ""},
      {"header only", "LBFP123"},
      {"lower-case mark", "lbfp" + good.substr(4)},
      {"one letter off", "LBFQ" + good.substr(4)},
      {"count 0", Package({}, "")},
      {"count 1, no directory", Package({}, "", 1)},
      {"names cut short", good.substr(0, 15)},
      {"count 255, short file", Package({{"a.wav", 2}}, std::string(200, 'x'), 255)},
      {"255 long names claimed, 300 bytes given",
       Package(std::vector<Claim>(255, {std::string(255, 'n'), INT32_MAX}), "").substr(0, 300)},
  };
  for (const auto& [what, bytes] : cases) {
    scratch.Write("Res.pac", bytes);
    EXPECT_FALSE(reader.Initialise()) << what;
    EXPECT_EQ(reader.FileCount(), 0) << what;
    EXPECT_FALSE(reader.ExtractFile("a.wav")) << what;
  }
  fs::remove(scratch.File("Res.pac"));
  EXPECT_FALSE(reader.Initialise());
  fs::create_directory(scratch.File("Res.pac"));
  EXPECT_FALSE(reader.Initialise());
  EXPECT_TRUE(Written().empty());
}

TEST_F(PackageTest, HostileEntriesWriteNothingAndTheHonestOnesStillCopy) {
  // Each entry claims a name and a size; the data area holds "0123456789ab".
  const std::vector<Claim> claims{{"../escape.wav", 2},
                                  {"/tmp/pyxaro-absolute.wav", 2},
                                  {"sub\\dir.wav", 2},
                                  {std::string("nul\0.wav", 8), 2},
                                  {"..", 2},
                                  {"ok.wav", 2},
                                  {"negative.wav", -20},
                                  {"after.wav", 2},
                                  {"past-end.wav", 100}};
  scratch.Write("Res.pac", Package(claims, "0123456789ab"));
  ASSERT_TRUE(reader.Initialise());
  // The honest entry's data is the sixth pair of bytes; the entry after a
  // negative size would lie inside the directory.
  const std::pair<std::string, bool> outcomes[] = {{"../escape.wav", false},
                                                   {"/tmp/pyxaro-absolute.wav", false},
                                                   {"sub\\dir.wav", false},
                                                   {std::string("nul\0.wav", 8), false},
                                                   {"..", false},
                                                   {"ok.wav", true},
                                                   {"negative.wav", false},
                                                   {"after.wav", false},
                                                   {"past-end.wav", false}};
  for (const auto& [name, copied] : outcomes) EXPECT_EQ(reader.ExtractFile(name), copied) << name;
  EXPECT_EQ(Unpacked("ok.wav"), "ab");
  EXPECT_EQ(Written(), (std::vector<std::string>{"game/ok.wav"}));
  EXPECT_FALSE(fs::exists("/tmp/pyxaro-absolute.wav"));
}

TEST_F(PackageTest, TheShippedPackageHoldsEveryWaveFileByteForByte) {
  reader.SetPackage(PYXARO_SHIPPED_PACKAGE);
  ASSERT_TRUE(reader.Initialise());
  const std::vector<std::string> waves{"dice.wav",   "points.wav", "Bonus.wav",
                                       "Yahoo2.wav", "Yatzy.wav",  "Laser.wav",
                                       "beep.wav",   "pop.wav",    "doink.wav"};
  ASSERT_EQ(reader.FileCount(), static_cast<int>(waves.size()));
  for (int i = 0; i < reader.FileCount(); ++i) {
    const std::string& name = waves[static_cast<std::size_t>(i)];
    EXPECT_EQ(reader.FileName(i), name);
    ASSERT_TRUE(reader.ExtractFile(name)) << name;
    std::ifstream made(fs::path(PYXARO_WAVE_DIR) / name, std::ios::binary);
    EXPECT_EQ(Unpacked(name), std::string(std::istreambuf_iterator<char>(made), {})) << name;
  }
}

}  // namespace
}  // namespace pyxaro::testing
