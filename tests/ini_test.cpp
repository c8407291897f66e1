#include "settings/ini.h"

#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "settings/ini_file.h"
#include "tests/game_fixture.h"

namespace pyxaro {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

std::string Repeat(const std::string& piece, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += piece;
  return text;
}

std::vector<std::string> FolderEntries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().string());
  return names;
}

// --- Reading hand-made files ---

TEST(IniRead, HandMadeFiles) {
  // Every file is asked for the key "Nyckel" of the section "Språk".
  const std::vector<std::pair<std::string, std::optional<std::string>>> cases = {
      {"[Språk]\nNyckel=v\n", "v"},
      {"[Språk]\r\nNyckel=v\r\nx=1\r\n", "v"},
      {"[Språk]\nNyckel=v", "v"},
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
      {"[Språk]\nNyckel=\n", ""},
      {"[Sprak]\nNyckel=v\n", std::nullopt},
      {"\xEF\xBB\xBF[Språk]\nNyckel=v\n", "v"},
      {"[Spr\xE5k]\r\nNyckel=\xC5sa \xC4\xD6\r\n", "Åsa ÄÖ"},
      {"[SPR\xC5K]\r\nNyckel=1\r\n", "1"},
  };
  for (const auto& [file, expected] : cases) {
    const ini::Index index(ini::Decode(file).text);
    const auto found = index.Find("Språk", "Nyckel");
    EXPECT_EQ(found ? std::optional<std::string>(*found) : std::nullopt, expected) << file;
  }
}

// --- Changing one value in a text ---

TEST(IniEdit, ChangesOnlyTheLineItWrites) {
  struct Case {
    std::string before;
    const char* section;
    const char* value;
    std::string after;
  };
  // Every case writes the key "k".
  const std::vector<Case> cases = {
      {"", "A", "v", "[A]\nk=v\n"},
      {"; top\n[a]\n; about k\n  K =  old\nz=1\n", "A", "new",
       "; top\n[a]\n; about k\n  K =  new\nz=1\n"},
      {"[A]\nx=1\n\n; B\n[B]\ny=2\n", "A", "v", "[A]\nx=1\nk=v\n\n; B\n[B]\ny=2\n"},
      {"[A]\n\n[B]\n", "A", "v", "[A]\nk=v\n\n[B]\n"},
      {"[A]\nx=1", "A", "2", "[A]\nx=1\nk=2\n"},
      {"[A]\nx=1", "B", "v", "[A]\nx=1\n\n[B]\nk=v\n"},
      {"[A]\r\nx=1\r\n", "A", "2", "[A]\r\nx=1\r\nk=2\r\n"},
      {"[A]\r\nx=1\r\n\r\n", "B", "v", "[A]\r\nx=1\r\n\r\n[B]\r\nk=v\r\n"},
      {"[A]\nk=1\n[A]\nk=2\n", "a", "3", "[A]\nk=3\n[A]\nk=2\n"},
      {"[A]\nk=1\n", "A", "", "[A]\nk=\n"},
      {"[A]\n", "A", " a", "[A]\nk=\" a\"\n"},
      {"[A]\n", "A", "a\r\nb\nc", "[A]\nk=a  b c\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ini::SetValue(c.before, c.section, "k", c.value), c.after) << c.before;
  }
}

TEST(IniEdit, RefusesNamesThatWouldNotReadBack) {
  const std::vector<std::pair<std::string, std::string>> names = {
      {"", "k"}, {" ", "k"}, {"A\nB", "k"}, {"A", ""}, {"A", "a=b"}, {"A", ";k"}, {"A", "[k"}};
  for (const auto& [section, key] : names) {
    EXPECT_EQ(ini::SetValue("[A]\nk=1\n", section, key, "v"), std::nullopt) << section << key;
  }
}

// --- The file store ---

class IniFileTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name = "Pyx4.ini") const { return folder.File(name); }
  TempFolder folder;
};

TEST_F(IniFileTest, ValuesReadBackUnchanged) {
  const std::vector<std::string> values = {"plain",
                                           "",
                                           " lead",
                                           "trail\t",
                                           "  ",
                                           "\"quoted\"",
                                           "'single'",
                                           "\"\"",
                                           "\"",
                                           "'mixed\"",
                                           "a=b=c",
                                           ";not a comment",
                                           "[not a section]",
                                           "Åsa Öberg ü 😀",
                                           "x\r\n[Evil]\r\ny=1\n"};
  for (const std::string& value : values) {
    // Once as a new key, once over an existing line; a line break must not
    // end the line, so it reads back as a blank.
    ASSERT_EQ(SetINI("Users", "user1", "first", Path()), -1);
    ASSERT_EQ(SetINI("Users", "new", value, Path()), -1);
    ASSERT_EQ(SetINI("Users", "user1", value, Path()), -1);
    std::string expected = value;
    std::replace_if(
        expected.begin(), expected.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    EXPECT_EQ(GetINI("Users", "new", Path()), expected) << value;
    EXPECT_EQ(GetINI("Users", "user1", Path()), expected) << value;
    EXPECT_EQ(GetINI("Evil", "y", Path()), "");
    fs::remove(Path());
  }
}

TEST_F(IniFileTest, WritesLegacyFilesBackAsUtf8AndKeepsTheMark) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"[A]\r\nn=\xC5sa\r\n; \xD6\r\n", "[A]\r\nn=Åsa\r\nk=v\r\n; Ö\r\n"},
      {"\xEF\xBB\xBF[A]\nn=x\n", "\xEF\xBB\xBF[A]\nn=x\nk=v\n"}};
  for (const auto& [before, after] : cases) {
    folder.Write("Pyx4.ini", before);
    ASSERT_EQ(SetINI("A", "k", "v", Path()), -1);
    EXPECT_EQ(folder.Read("Pyx4.ini"), after);
  }
}

TEST_F(IniFileTest, NothingIsCreatedWhereNoFileCanBe) {
  fs::create_directory(Path("folder.ini"));
  for (const std::string& path :
       {Path(), Path("missing/Pyx4.ini"), Path("folder.ini"), folder.File("")}) {
    EXPECT_EQ(GetINI("Options", "PlaySound", path), "") << path;
    if (path != Path()) {
      EXPECT_EQ(SetINI("Options", "PlaySound", "No", path), 0) << path;
    }
  }
  EXPECT_EQ(SetINI("Options", "PlaySound", "No", ""), 0);
  EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{Path("folder.ini")});
}

TEST_F(IniFileTest, CreatedFileIsPrivateAndAnExistingOneKeepsItsMode) {
  ASSERT_EQ(SetINI("Users", "pass1", "secret", Path()), -1);
  EXPECT_EQ(folder.Read("Pyx4.ini"), "[Users]\npass1=secret\n");
  EXPECT_EQ(fs::status(Path()).permissions(), fs::perms::owner_read | fs::perms::owner_write);

  const auto shared = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(Path(), shared);
  ASSERT_EQ(SetINI("Users", "pass1", "other", Path()), -1);
  EXPECT_EQ(fs::status(Path()).permissions(), shared);
}

TEST_F(IniFileTest, WritingThroughALinkKeepsTheLink) {
  folder.Write("real.ini", "[A]\nk=1\n");
  fs::create_symlink(Path("real.ini"), Path());
  ASSERT_EQ(SetINI("A", "k", "2", Path()), -1);
  EXPECT_TRUE(fs::is_symlink(Path()));
  EXPECT_EQ(folder.Read("real.ini"), "[A]\nk=2\n");
}

// Stands for a full disk: writes past the limit fail, also for root.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limited = previous_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit previous_{};
  void (*previousHandler_)(int);
};

TEST_F(IniFileTest, RefusedWriteLeavesTheOldFileWhole) {
  const std::string old = "; players\r\n[Users]\r\nantal=1\r\nuser1=Åsa\r\n";
  folder.Write("Pyx4.ini", old);
  EXPECT_EQ(GetINI("Users", "user1", Path()), "Åsa");
  {
    const FileSizeLimit diskFull(1024);
    EXPECT_EQ(SetINI("Users", "pass1", Repeat("x", 5000), Path()), 0);
  }
  EXPECT_EQ(folder.Read("Pyx4.ini"), old);
  EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{Path()});
  EXPECT_EQ(GetINI("Users", "user1", Path()), "Åsa");
  EXPECT_EQ(GetINI("Users", "pass1", Path()), "");
}

TEST_F(IniFileTest, FileChangedBehindTheCacheIsSeen) {
  struct Change {
    bool settled;                        // untouched for an hour before it is read
    std::optional<std::string> content;  // nullopt: deleted
    std::string expected;
  };
  const std::vector<Change> changes = {
      {false, "[A]\nk=2\n", "2"}, {true, "[A]\nk=2\n", "2"}, {true, std::nullopt, ""}};
  for (const Change& c : changes) {
    folder.Write("Pyx4.ini", "[A]\nk=1\n");
    if (c.settled) {
      fs::last_write_time(Path(), fs::last_write_time(Path()) - std::chrono::hours(1));
    }
    ASSERT_EQ(GetINI("A", "k", Path()), "1");
    ASSERT_EQ(GetINI("A", "k", Path()), "1");
    if (c.content) {
      folder.Write("Pyx4.ini", *c.content);
    } else {
      fs::remove(Path());
    }
    EXPECT_EQ(GetINI("A", "k", Path()), c.expected) << c.settled;
  }
}

TEST_F(IniFileTest, ReadsAtMost1023Characters) {
  for (const std::string character : {"x", "Å", "€", "😀"}) {
    ASSERT_EQ(SetINI("A", "long", Repeat(character, 1500), Path()), -1);
    EXPECT_EQ(GetINI("A", "long", Path()), Repeat(character, 1023)) << character;
    EXPECT_EQ(folder.Read("Pyx4.ini"), "[A]\nlong=" + Repeat(character, 1500) + "\n");
  }
}

TEST_F(IniFileTest, APathTheFileSystemCannotTakeRaises) {
  const std::string path = Path() + std::string(1, '\0') + "x";
  try {
    GetINI("A", "k", path);
    ADD_FAILURE() << "no error";
  } catch (const IniError& error) {
    EXPECT_EQ(error.Source(), "GetINI");
    EXPECT_EQ(error.Description(), "Cannot read from INI File.");
    EXPECT_EQ(error.Number(), EINVAL);
    EXPECT_FALSE(error.Detail().empty());
  }
  EXPECT_THROW(SetINI("A", "k", "v", path), IniError);
  EXPECT_TRUE(FolderEntries(folder.Path()).empty());
}

}  // namespace
}  // namespace pyxaro
