#include <string>
#include <tuple>
#include <vector>

#include "settings/ini.h"
#include "settings/ini_disk.h"
#include "settings/ini_file.h"
#include "tests/game_fixture.h"

namespace pyxaro {
namespace {

TEST(IniBatchEdit, MakesEveryChangeInOnePass) {
  // The text before, the changes, the text after.
  const std::tuple<std::string, std::vector<IniChange>, std::string> cases[] = {
      {"", {{"A", "x", "1"}, {"B", "y", "2"}, {"a", "z", "3"}}, "[A]\nx=1\nz=3\n\n[B]\ny=2\n"},
      {"[A]\r\nx=old\r\n; c\r\n[B]\r\ny=old\r\n",
       {{"B", "y", "new"}, {"A", "X", "new"}, {"A", "w", "added"}},
       "[A]\r\nx=new\r\nw=added\r\n; c\r\n[B]\r\ny=new\r\n"},
      {"[A]\nx=1\n", {{"A", "x", "2"}, {"A", "x", "3"}}, "[A]\nx=3\n"},
      {"[A]\nx=1\n[A]\nx=2\n", {{"A", "x", "9"}, {"A", "n", "v"}}, "[A]\nx=9\nn=v\n[A]\nx=2\n"},
      {"[A]", {{"A", "x", "1"}}, "[A]\nx=1\n"},
      {"[A]\nx=1", {{"B", "y", "1"}, {"C", "z", "2"}}, "[A]\nx=1\n\n[B]\ny=1\n\n[C]\nz=2\n"},
      {"[A]\nx=\xC5\nn=\xD6\n", {{"A", "n", "Ö"}}, "[A]\nx=\xC5\nn=Ö\n"},
      {"[A]\n\xC5=1\n", {{"A", "Å", "2"}}, "[A]\nÅ=2\n"},
  };
  for (const auto& [before, changes, after] : cases) {
    EXPECT_EQ(ini::SetValues(before, changes), after) << before;
  }
  EXPECT_EQ(ini::SetValues("[A]\n", {{"A", "x", "1"}, {"A", "a=b", "2"}}), std::nullopt);
}

TEST(IniRead, DecidesTheEncodingLineByLine) {
  const ini::Index index(ini::Decode("[A]\nutf=Åsa\nold=\xC5sa\n").text);
  EXPECT_EQ(index.Find("A", "utf"), "Åsa");
  EXPECT_EQ(index.Find("A", "old"), "Åsa");
}

class IniBatchFileTest : public ::testing::Test {
 protected:
  ~IniBatchFileTest() override { ini::ResetCalls(); }
  std::string Path() const { return folder.File("Pyx4.ini"); }
  testing::TempFolder folder;
};

std::vector<std::string>& Renames() {
  static std::vector<std::string> renames;
  return renames;
}

TEST_F(IniBatchFileTest, AGroupIsOneReplacementOfTheFile) {
  folder.Write("Pyx4.ini", "[Highscore]\np1=5\n");
  Renames().clear();
  ini::Calls().rename = [](const char* from, const char* to) {
    Renames().emplace_back(to);
    return ::rename(from, to);
  };
  std::vector<IniChange> rows;
  for (int r = 1; r <= 10; ++r) rows.push_back({"Highscore", "p" + std::to_string(r), "7"});
  EXPECT_EQ(SetINIBatch(rows, Path()), -1);
  EXPECT_EQ(Renames(), std::vector<std::string>{Path()});
  for (int r = 1; r <= 10; ++r)
    EXPECT_EQ(GetINI("Highscore", "p" + std::to_string(r), Path()), "7");
}

TEST_F(IniBatchFileTest, ARefusedGroupStoresNoneOfItsKeys) {
  const std::string old = "[A]\nx=1\n";
  folder.Write("Pyx4.ini", old);
  ini::Calls().rename = [](const char*, const char*) {
    errno = EIO;
    return -1;
  };
  EXPECT_EQ(SetINIBatch({{"A", "x", "2"}, {"A", "y", "3"}}, Path()), 0);
  EXPECT_EQ(folder.Read("Pyx4.ini"), old);
}

using StoreGroupTest = testing::GameTest;

TEST_F(StoreGroupTest, ReportsWhetherTheGroupWasStored) {
  game->run.SettingsFile = folder.File("Pyx4.ini");
  EXPECT_TRUE(game->StoreGroup({{"Options", "PlaySound", "No"}, {"Options", "ShowLangu", "No"}}));
  EXPECT_EQ(game->run.LastWrite, WriteResult::Stored);
  EXPECT_EQ(Ini("Options", "PlaySound") + Ini("Options", "ShowLangu"), "NoNo");
  game->run.SettingsFile = folder.File("missing/Pyx4.ini");
  EXPECT_FALSE(game->StoreGroup({{"Options", "PlaySound", "Yes"}}));
  EXPECT_EQ(game->run.LastWrite, WriteResult::Refused);
}

}  // namespace
}  // namespace pyxaro
