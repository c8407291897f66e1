#include "settings/package_reader.h"

#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

namespace fs = std::filesystem;

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
  // What the destination holds; nothing is ever written beside it.
  std::vector<std::string> Written() const {
    EXPECT_EQ(FileNames(scratch.Path()), (std::vector<std::string>{"Res.pac", "game"}));
    return FileNames(Destination());
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

// A name finds its entry without regard to case, and the destination may end in blanks.
TEST_F(PackageTest, AnExistingFileIsReplacedWholeOrKeptAsItWas) {
  const std::string old(9000, 'o');
  scratch.Write("game/short.wav", old);
  scratch.Write("game/lying.wav", old);
  reader.SetDestination(Destination().string() + "   ");
  // The last entry claims 100 bytes, of which the package holds 3.
  const std::string package =
      package::Encode({{"Short.wav", "new"}, {"lying.wav", std::string(100, 'b')}});
  scratch.Write("Res.pac", package.substr(0, package.size() - 97));
  EXPECT_TRUE(reader.ExtractFile("short.wav") && !reader.ExtractFile("lying.wav"));
  EXPECT_EQ(reader.FileName(0) + "|" + reader.FileName(1), "Short.wav|lying.wav");
  EXPECT_EQ(Unpacked("short.wav") + Unpacked("lying.wav"), "new" + old);
  // The package shrinks after its directory was read: the copy fails midway.
  const std::string longer = package::Encode({{"short.wav", std::string(5000, 'b')}});
  scratch.Write("Res.pac", longer);
  ASSERT_TRUE(reader.Initialise());
  scratch.Write("Res.pac", longer.substr(0, 3000));
  EXPECT_FALSE(reader.ExtractFile("short.wav"));
  EXPECT_EQ(Unpacked("short.wav"), "new");
  EXPECT_EQ(Written(), (std::vector<std::string>{"lying.wav", "short.wav"}));
}

}  // namespace
}  // namespace pyxaro::testing
