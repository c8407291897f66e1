#include "core/version.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

class StartupTest : public GameTest {
 protected:
  // A game not yet started, with two languages and these options.
  void Settings(const std::string& options) {
    folder.Write("Pyx4.ini", "[Options]\n" + options +
                                 "[Language]\nantal=2\nl1n=Test\nl1p=test.lng\n"
                                 "l2n=Other\nl2p=other.lng\nselected=1\n");
    MakeGame();
    game->Start();
  }
};

TEST_F(StartupTest, PickerShowsUnlessSkippedElseTheSplashOpensAGameReadyToThrow) {
  for (const auto& [options, picker] : {std::pair{"ShowLangu=no\n", true},
                                        {"ShowLangu=Yes\n", true},
                                        {"", true},
                                        {"ShowLangu=No\n", false}}) {
    SCOPED_TRACE(options);
    Settings(options);
    EXPECT_EQ(std::tuple(game->Texts().Picker().Visible, game->Splash().View().Visible,
                         game->Splash().View().CloseTimer.Enabled(), game->Window().View().Loaded),
              std::tuple(picker, !picker, !picker, false));
  }
  EXPECT_EQ(game->Splash().View().VersionLabel.Caption, kAppVersion);
  game->Do(Command::SplashTimeUp);
  const TurnView& turn = game->Turn().View();
  EXPECT_EQ(game->Turn().State(), GameState{});
  EXPECT_EQ(std::vector({game->Splash().View().Visible, game->Splash().View().CloseTimer.Enabled(),
                         game->Window().View().Loaded, game->Window().View().Visible,
                         turn.ThrowArea.Enabled, turn.UndoArea.Enabled, turn.DieImages[1].Visible,
                         turn.PlayClock.Enabled()}),
            std::vector({false, false, true, true, true, false, false, false}));
}

TEST_F(StartupTest, SoundSwitchAndBackgroundFollowTheOptions) {
  host.pictures = {folder.File("felt.jpg"), folder.File("felt.gif"), folder.File("felt.JPG")};
  // The PlaySound line, if any, the picture named, then the sound switch's picture and the
  // background's visibility and width in twips (12000 when loaded, 500 after a failure, else the
  // design's).
  const std::tuple<const char*, const char*, int, bool, int> cases[] = {
      {"PlaySound=No\n", "felt.jpg", 68, true, 12000},
      {"PlaySound=no\n", "felt.gif", 67, true, 12000},
      {"PlaySound=Yes\n", "felt.JPG", 67, false, 12000},
      {"", "missing.jpg", 67, false, 500},
      {"", "", 67, false, 12000},
  };
  for (const auto& [sound, name, soundPicture, shown, width] : cases) {
    SCOPED_TRACE(name);
    Settings(std::string("ShowLangu=No\n") + sound + "picture=" + name + "\n");
    game->Do(Command::SplashTimeUp);
    const Control& picture = game->Window().View().BackgroundPicture;
    EXPECT_EQ(std::tuple(game->Sound().View().Switch.Picture, picture.Visible, picture.Width,
                         game->Window().View().BackgroundFile),
              std::tuple(soundPicture, shown, width, shown ? folder.File(name) : ""));
    // Without a locale in the language file, the system's.
    EXPECT_TRUE(host.boxes.empty() && game->Window().View().Loaded &&
                (!shown || picture.Height == 19000) && host.locale.empty());
  }
}

}  // namespace
}  // namespace pyxaro::testing
