#include <gtest/gtest.h>

#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

class StartupTest : public GameTest {
 protected:
  void Settings(const std::string& options) {
    folder.Write("Pyx4.ini", "[Options]\n" + options +
                                 "[Language]\nantal=2\nl1n=Test\nl1p=test.lng\n"
                                 "l2n=Other\nl2p=other.lng\nselected=1\n");
  }
};

TEST_F(StartupTest, PickerShowsUnlessTheSkipIsExactlyNo) {
  struct Case {
    const char* options;
    bool pickerShown;
  };
  for (const Case& c : {Case{"ShowLangu=No\n", false}, Case{"ShowLangu=no\n", true},
                        Case{"ShowLangu=Yes\n", true}, Case{"", true}}) {
    SCOPED_TRACE(c.options);
    Settings(c.options);
    game = std::make_unique<Game>(host, dice, folder.Path().string());
    game->LanguageLoad();
    EXPECT_EQ(game->run.AppVersion, "5.04");
    EXPECT_EQ(game->run.IniFile, folder.File("Pyx4.ini"));
    EXPECT_EQ(game->language.List1.Items, (std::vector<std::string>{"Test", "Other"}));
    EXPECT_EQ(game->language.Visible, c.pickerShown);
    EXPECT_EQ(game->splash.Visible, !c.pickerShown);
    EXPECT_EQ(game->splash.sTimer2.Enabled(), !c.pickerShown);
    EXPECT_FALSE(game->main.Loaded);
  }
}

TEST_F(StartupTest, SplashShowsTheVersionThenOpensTheGameWindowOnce) {
  game->LanguageLoad();
  EXPECT_EQ(game->splash.lbl_Version.Caption, "5.04");
  EXPECT_EQ(game->splash.sTimer2.Interval(), 2000);
  game->sTimer2Tick();
  EXPECT_FALSE(game->splash.Visible);
  EXPECT_FALSE(game->splash.sTimer2.Enabled());
  EXPECT_TRUE(game->main.Loaded);
  EXPECT_TRUE(game->main.Visible);
}

TEST_F(StartupTest, GameWindowLoadsReadyForTheFirstThrow) {
  Start();
  const GameState& s = game->state;
  EXPECT_EQ(s.RollsLeft, 60);
  EXPECT_EQ(s.CategoriesLeft, 20);
  EXPECT_EQ(s.UpperToBonus, -84);
  EXPECT_EQ(s.TotalScore, 0);
  for (int k = 1; k <= 6; ++k) {
    EXPECT_EQ(s.Dice[k], 0);
    EXPECT_EQ(s.OnTable[k], 0);
    EXPECT_FALSE(game->main.Image[k].Visible);
  }
  EXPECT_EQ(game->main.Logo.ToolTip, " Pyxaro  v. 5.04 ");
  EXPECT_EQ(game->run.MoveState, "0");
  EXPECT_EQ(game->run.LangFile, folder.File("test.lng"));
  EXPECT_EQ(game->run.SayText, TestText(0));
  EXPECT_TRUE(game->main.Roll.Enabled);
  EXPECT_FALSE(game->main.Undo.Enabled);
  EXPECT_TRUE(game->main.Timer3.Enabled());
  EXPECT_FALSE(game->main.TimerPlay.Enabled());
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(StartupTest, SoundIconShowsOffOnlyForExactlyNo) {
  struct Case {
    const char* options;
    int picture;
  };
  for (const Case& c : {Case{"PlaySound=No\n", 68}, Case{"PlaySound=no\n", 67},
                        Case{"PlaySound=\n", 67}, Case{"PlaySound=Yes\n", 67}, Case{"", 67}}) {
    SCOPED_TRACE(c.options);
    Settings(std::string("ShowLangu=No\n") + c.options);
    game = std::make_unique<Game>(host, dice, folder.Path().string());
    Start();
    EXPECT_EQ(game->main.SoundPic.Picture, c.picture);
  }
}

TEST_F(StartupTest, BackgroundPictureNeedsAnExactEndingAndAReadablePicture) {
  folder.Write("felt.jpg", "");
  host.pictures = {folder.File("felt.jpg"), folder.File("felt.gif"), folder.File("felt.JPG")};
  struct Case {
    const char* name;
    bool shown;
    int width;  // twips; 12000 when loaded, 500 after a failure, else the design's
  };
  for (const Case& c : {Case{"felt.jpg", true, 12000}, Case{"felt.gif", true, 12000},
                        Case{"felt.JPG", false, 12000}, Case{"felt.png", false, 12000},
                        Case{"missing.jpg", false, 500}, Case{"", false, 12000}}) {
    SCOPED_TRACE(c.name);
    Settings(std::string("ShowLangu=No\npicture=") + c.name + "\n");
    game = std::make_unique<Game>(host, dice, folder.Path().string());
    Start();
    const Control& picture = game->main.BackgrPic;
    EXPECT_EQ(picture.Visible, c.shown);
    EXPECT_EQ(picture.Width, c.width);
    EXPECT_EQ(game->main.BackgrFile, c.shown ? folder.File(c.name) : "");
    if (c.shown) {
      EXPECT_EQ(picture.Height, 19000);
    }
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_TRUE(game->main.Loaded);
  }
}

TEST_F(StartupTest, ReturningFromThePickerLoadsAFreshWindowWithTheLaterGreeting) {
  Settings("ShowLangu=No\n");
  folder.Write("other.lng", "[Language]\nl0=other 0\nl7=other 7\n");
  game = std::make_unique<Game>(host, dice, folder.Path().string());
  Start();
  Throw({1, 2, 3, 4, 5, 6});
  host.answers = {true};
  game->Langu();
  EXPECT_FALSE(game->main.Loaded);
  EXPECT_TRUE(game->language.Visible);
  game->List1Click(1);
  game->ConfirmLanguage();
  game->sTimer2Tick();
  EXPECT_TRUE(game->main.Loaded);
  EXPECT_EQ(game->run.SayText, "other 7");
  EXPECT_EQ(game->run.LangFile, folder.File("other.lng"));
  EXPECT_EQ(game->state.RollsLeft, 60);
  EXPECT_FALSE(game->main.Image[1].Visible);
}

}  // namespace
}  // namespace pyxaro::testing
