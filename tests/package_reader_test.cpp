#include "settings/package_reader.h"

#include <algorithm>
#include <cstdint>

#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

namespace fs = std::filesystem;

std::string Bytes(std::size_t size) {
  std::string bytes;
  while (bytes.size() < size) bytes += static_cast<char>(bytes.size() * 7 + bytes.size() / 256);
  return bytes;
}

// Hostile packages are the fuzz target's (tests/fuzz/package_fuzz.cpp); here are the rules and what
// only a file already in place or a package changed under the reader shows.

// A package in a scratch folder, unpacked into a folder inside it, so that anything written beside
// the destination shows.
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

TEST(PackageRules, OnlyPlainNamesStayInTheirFolder) {
  for (const char* name : {"dice.wav", "Yahoo2.wav", "a b.wav", "...wav", "é.wav", ".hidden"})
    EXPECT_TRUE(package::IsPlainFileName(name)) << name;
  // Names reaching out of the folder are the fuzz target's; these it lets through unseen, or writes
  // outside the scratch folder it watches.
  for (const std::string& name : std::vector<std::string>{
           "", ".", "..", "/tmp/x", "a/b", "a\\b", "C:x", std::string("a\0b", 3), "tab\there",
           "line\n", "del\x7F", "\xC2\x85next"})
    EXPECT_FALSE(package::IsPlainFileName(name)) << name;
}

TEST_F(PackageTest, TheReaderNamesItsEntriesAndWritesInsideItsFolder) {
  scratch.Write("Res.pac", package::Encode({{"Tone.wav", "first"}, {"x", "x"}}));
  reader.SetDestination(Destination().string() + "   ");
  EXPECT_EQ(reader.FileCount(), 0);
  ASSERT_TRUE(reader.Initialise());
  EXPECT_EQ(reader.FileName(-1) + "|" + reader.FileName(0) + "|" + reader.FileName(1) + "|" +
                reader.FileName(2),
            "1|Tone.wav|x|1");
  ASSERT_TRUE(reader.ExtractFile("tone.wav"));
  EXPECT_EQ(Written(), std::vector<std::string>{"game/tone.wav"});
}

TEST_F(PackageTest, AnExistingFileIsReplacedWholeOrKeptAsItWas) {
  const std::string old(9000, 'o');
  scratch.Write("game/short.wav", old);
  scratch.Write("game/lying.wav", old);
  // The last entry claims 100 bytes, of which the package holds 3.
  const std::string package = package::Encode({{"short.wav", "new"}, {"lying.wav", Bytes(100)}});
  scratch.Write("Res.pac", package.substr(0, package.size() - 97));
  EXPECT_TRUE(reader.ExtractFile("short.wav") && !reader.ExtractFile("lying.wav"));
  EXPECT_EQ(Unpacked("short.wav") + Unpacked("lying.wav"), "new" + old);
  // The package shrinks after its directory was read: the copy fails midway.
  scratch.Write("Res.pac", package::Encode({{"short.wav", Bytes(5000)}}));
  ASSERT_TRUE(reader.Initialise());
  scratch.Write("Res.pac", package::Encode({{"short.wav", Bytes(5000)}}).substr(0, 3000));
  EXPECT_FALSE(reader.ExtractFile("short.wav"));
  EXPECT_EQ(Unpacked("short.wav"), "new");
  EXPECT_EQ(Written(), (std::vector<std::string>{"game/lying.wav", "game/short.wav"}));
}

}  // namespace
}  // namespace pyxaro::testing
