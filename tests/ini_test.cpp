#include "settings/ini.h"

#include "settings/ini_file.h"
#include "tests/game_fixture.h"

namespace pyxaro {
namespace {

namespace fs = std::filesystem;

TEST(IniRead, HandMadeFiles) {
  // Every file is asked for the key "Nyckel" of the section "Språk".
  const std::vector<std::pair<std::string, std::optional<std::string>>> cases = {
      {"[Språk]\nNyckel=v\n", "v"},
      {"[Språk]\nNyckel=v", "v"},
      // The fuzz target decides quoting, blanks, "=" and empty values and which of two names
      // counts; it folds names as the code does, so an unfolded letter or a kept tab shows here.
      {"[SPRÅK]\nnYCKEL=v\n", "v"},
      {" \t[ språk ]\t\n \tNyckel \t= \tv \t\n", "v"},
      {"[Språk]\nNyckel='b'\n", "b"},
      {"[Språk]\nNyckel=\"b'\n", "\"b'"},
      {"[Språk]\n;Nyckel=1\n  ; Nyckel=2\nNyckel=3\n", "3"},
      {"[Språk]\nNyckel\nx=1\n", std::nullopt},
      {"Nyckel=v\n[Språk]\n", std::nullopt},
      {"[Språk\nNyckel=v\n", std::nullopt},
      {"[Sprak]\nNyckel=v\n", std::nullopt},
      {"\xEF\xBB\xBF[Språk]\nNyckel=v\n", "v"},
      {"[Spr\xE5k]\r\nNyckel=\xC5sa \xC4\xD6\r\n", "Åsa ÄÖ"},
      // The encoding is decided line by line.
      {"[Språk]\nx=Å\nNyckel=\xC5sa\n", "Åsa"},
  };
  for (const auto& [file, expected] : cases) {
    EXPECT_EQ(ini::Index(ini::Decode(file).text).Find("Språk", "Nyckel"), expected) << file;
  }
}

// Which value a change reaches is the fuzz target's round trip; here is where each change goes.
TEST(IniEdit, ChangesOnlyTheLinesItWritesInOnePass) {
  // The text before, the changes, the text after.
  const std::tuple<std::string, std::vector<IniChange>, std::string> cases[] = {
      {"", {{"A", "x", "1"}, {"B", "y", "2"}, {"a", "z", "3"}}, "[A]\nx=1\nz=3\n\n[B]\ny=2\n"},
      {";\n[a]\n;\n  K =  old\nz=1\n", {{"A", "k", "new"}}, ";\n[a]\n;\n  K =  new\nz=1\n"},
      {"[A]\nx=1\n\n; B\n[B]\ny=2\n", {{"A", "k", "v"}}, "[A]\nx=1\nk=v\n\n; B\n[B]\ny=2\n"},
      {"[A]\r\nx=o\r\n;\r\n[B]\r\ny=o\r\n",
       {{"B", "y", "n"}, {"A", "X", "n"}, {"A", "w", "a"}},
       "[A]\r\nx=n\r\nw=a\r\n;\r\n[B]\r\ny=n\r\n"},
      {"[A]\r\nx=1\r\n\r\n", {{"B", "k", "v"}}, "[A]\r\nx=1\r\n\r\n[B]\r\nk=v\r\n"},
      {"[A]", {{"A", "x", "1"}}, "[A]\nx=1\n"},
      {"[A]\nx=1", {{"B", "y", "1"}, {"C", "z", "2"}}, "[A]\nx=1\n\n[B]\ny=1\n\n[C]\nz=2\n"},
      {"[A]\nx=\xC5\nn=\xD6\n", {{"A", "n", "Ö"}}, "[A]\nx=\xC5\nn=Ö\n"},
      {"[A]\n\xC5=1\n", {{"A", "Å", "2"}}, "[A]\nÅ=2\n"},
  };
  for (const auto& [before, changes, after] : cases)
    EXPECT_EQ(ini::SetValues(before, changes), after) << before;
}

class IniFileTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name = "Pyx4.ini") const { return folder.File(name); }
  testing::TempFolder folder;
};

TEST_F(IniFileTest, NothingIsCreatedWhereNoFileCanBe) {
  fs::create_directory(Path("folder.ini"));
  for (const std::string& path :
       {Path(), Path("missing/Pyx4.ini"), Path("folder.ini"), folder.File(""), std::string()}) {
    EXPECT_EQ(GetINI("Options", "PlaySound", path), "") << path;
    EXPECT_TRUE(path == Path() || SetINI("Options", "PlaySound", "No", path) == 0) << path;
  }
  EXPECT_EQ(testing::FileNames(folder.Path()), std::vector<std::string>{"folder.ini"});
}

TEST_F(IniFileTest, FileChangedBehindTheCacheIsSeen) {
  // Changed at once, changed after an hour untouched, deleted.
  for (const int change : {0, 1, 2}) {
    folder.Write("Pyx4.ini", "[A]\nk=1\n");
    if (change > 0)
      fs::last_write_time(Path(), fs::last_write_time(Path()) - std::chrono::hours(1));
    ASSERT_EQ(GetINI("A", "k", Path()) + GetINI("A", "k", Path()), "11");
    change < 2 ? folder.Write("Pyx4.ini", "[A]\nk=2\n") : (void)fs::remove(Path());
    EXPECT_EQ(GetINI("A", "k", Path()), change < 2 ? "2" : "") << change;
  }
}

// The edit table keeps the bytes of the other lines; the byte-order mark is the disk's.
TEST_F(IniFileTest, ReadsAtMost1023CharactersAndKeepsTheByteOrderMark) {
  folder.Write("Pyx4.ini", "\xEF\xBB\xBF[A]\nn=x\n");
  for (const std::string character : {"x", "Å", "€", "😀"}) {
    std::string text;
    for (int n = 0; n < 1500; ++n) text += character;
    ASSERT_EQ(SetINI("A", "long", text, Path()), -1);
    EXPECT_EQ(GetINI("A", "long", Path()), text.substr(0, 1023 * character.size())) << character;
    EXPECT_EQ(folder.Read("Pyx4.ini"), "\xEF\xBB\xBF[A]\nn=x\nlong=" + text + "\n");
  }
}

}  // namespace
}  // namespace pyxaro
