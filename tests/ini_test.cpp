#include "settings/ini.h"

#include <sys/resource.h>

#include <csignal>

#include "settings/ini_file.h"
#include "tests/game_fixture.h"

namespace pyxaro {
namespace {

namespace fs = std::filesystem;

std::string Repeat(const std::string& piece, int count) {
  return count > 0 ? piece + Repeat(piece, count - 1) : "";
}

TEST(IniRead, HandMadeFiles) {
  // Every file is asked for the key "Nyckel" of the section "Språk".
  const std::vector<std::pair<std::string, std::optional<std::string>>> cases = {
      {"[Språk]\nNyckel=v\n", "v"},
      {"[Språk]\nNyckel=v", "v"},
      // The fuzz target's round trip folds and trims names as the code does, so a letter left
      // unfolded or a tab kept shows only here.
      {"[SPRÅK]\nnYCKEL=v\n", "v"},
      {" \t[ språk ]\t\n \tNyckel \t= \tv \t\n", "v"},
      {"[Språk]\nNyckel= \" a \" \n", " a "},
      {"[Språk]\nNyckel='b'\n", "b"},
      {"[Språk]\nNyckel=\"\"b\"\"\n", "\"b\""},
      {"[Språk]\nNyckel=\"b'\n", "\"b'"},
      {"[Språk]\nNyckel=a=b\n", "a=b"},
      {"[Språk]\n;Nyckel=1\n  ; Nyckel=2\nNyckel=3\n", "3"},
      {"[Språk]\nNyckel=1\nnyckel=2\n", "1"},
      {"[Språk]\nx=1\n[B]\n[språk]\nNyckel=2\n", std::nullopt},
      {"[Språk]\nNyckel\nx=1\n", std::nullopt},
      {"Nyckel=v\n[Språk]\n", std::nullopt},
      {"[Språk\nNyckel=v\n", std::nullopt},
      {"[Språk]\nNyckel=\n", ""},
      {"[Sprak]\nNyckel=v\n", std::nullopt},
      {"\xEF\xBB\xBF[Språk]\nNyckel=v\n", "v"},
      {"[Spr\xE5k]\r\nNyckel=\xC5sa \xC4\xD6\r\n", "Åsa ÄÖ"},
      // The encoding is decided line by line.
      {"[Språk]\nx=Å\nNyckel=\xC5sa\n", "Åsa"},
  };
  for (const auto& [file, expected] : cases) {
    const ini::Index index(ini::Decode(file).text);
    const auto found = index.Find("Språk", "Nyckel");
    EXPECT_EQ(found ? std::optional<std::string>(*found) : std::nullopt, expected) << file;
  }
}

// Folded and padded names, the last of several values, quoting and line breaks are the fuzz
// target's round trip (tests/fuzz/ini_fuzz.cpp); here is where each change goes.
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
      {"[A]\nx=1\n[A]\nx=2\n", {{"A", "x", "9"}, {"A", "n", "v"}}, "[A]\nx=9\nn=v\n[A]\nx=2\n"},
      {"[A]", {{"A", "x", "1"}}, "[A]\nx=1\n"},
      {"[A]\nx=1", {{"B", "y", "1"}, {"C", "z", "2"}}, "[A]\nx=1\n\n[B]\ny=1\n\n[C]\nz=2\n"},
      {"[A]\nx=\xC5\nn=\xD6\n", {{"A", "n", "Ö"}}, "[A]\nx=\xC5\nn=Ö\n"},
      {"[A]\n\xC5=1\n", {{"A", "Å", "2"}}, "[A]\nÅ=2\n"},
  };
  for (const auto& [before, changes, after] : cases) {
    EXPECT_EQ(ini::SetValues(before, changes), after) << before;
  }
}

class IniFileTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name = "Pyx4.ini") const { return folder.File(name); }
  std::vector<std::string> Entries() const { return testing::FileNames(folder.Path()); }
  testing::TempFolder folder;
};

// The edit table above keeps the bytes of the other lines; the mark is the disk's.
TEST_F(IniFileTest, KeepsTheByteOrderMark) {
  folder.Write("Pyx4.ini", "\xEF\xBB\xBF[A]\nn=x\n");
  ASSERT_EQ(SetINI("A", "k", "v", Path()), -1);
  EXPECT_EQ(folder.Read("Pyx4.ini"), "\xEF\xBB\xBF[A]\nn=x\nk=v\n");
}

TEST_F(IniFileTest, NothingIsCreatedWhereNoFileCanBe) {
  fs::create_directory(Path("folder.ini"));
  for (const std::string& path :
       {Path(), Path("missing/Pyx4.ini"), Path("folder.ini"), folder.File(""), std::string()}) {
    EXPECT_EQ(GetINI("Options", "PlaySound", path), "") << path;
    EXPECT_TRUE(path == Path() || SetINI("Options", "PlaySound", "No", path) == 0) << path;
  }
  EXPECT_EQ(Entries(), std::vector<std::string>{"folder.ini"});
}

TEST_F(IniFileTest, ARefusedGroupLeavesTheOldFileWhole) {
  const std::string old = "; players\r\n[Users]\r\nantal=1\r\nuser1=Åsa\r\n";
  folder.Write("Pyx4.ini", old);
  EXPECT_EQ(GetINI("Users", "user1", Path()), "Åsa");
  // A full disk: writes past the limit fail, also for root.
  const auto handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit before{}, limited{};
  getrlimit(RLIMIT_FSIZE, &before);
  limited = {1024, before.rlim_max};
  setrlimit(RLIMIT_FSIZE, &limited);
  const int stored =
      SetINIBatch({{"Users", "user1", "Bo"}, {"Users", "pass1", Repeat("x", 5000)}}, Path());
  setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, handler);

  EXPECT_EQ(stored, 0);
  EXPECT_EQ(folder.Read("Pyx4.ini"), old);
  // The writers' lock file stays once made; it holds nothing.
  EXPECT_EQ(Entries(), (std::vector<std::string>{".Pyx4.ini.lock", "Pyx4.ini"}));
  EXPECT_EQ(GetINI("Users", "user1", Path()) + GetINI("Users", "pass1", Path()), "Åsa");
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

TEST_F(IniFileTest, ReadsAtMost1023Characters) {
  for (const std::string character : {"x", "Å", "€", "😀"}) {
    ASSERT_EQ(SetINI("A", "long", Repeat(character, 1500), Path()), -1);
    EXPECT_EQ(GetINI("A", "long", Path()), Repeat(character, 1023)) << character;
    EXPECT_EQ(folder.Read("Pyx4.ini"), "[A]\nlong=" + Repeat(character, 1500) + "\n");
  }
}

}  // namespace
}  // namespace pyxaro
