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
  const TurnView& turn = Board();
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
  // design's). Which file each effect plays, and whether the game waits for it, the scenarios of
  // the turn, the list and the home link hear; here a choice other than "Yes" keeps them silent.
  const std::tuple<const char*, const char*, int, bool, int> cases[] = {
      {"PlaySound=No\n", "felt.jpg", 68, true, 12000},
      {"PlaySound=no\n", "felt.gif", 67, true, 12000},
      {"PlaySound=Yes\n", "felt.JPG", 67, false, 12000},
      {"", "missing.jpg", 67, false, 500},
      {"PlaySound=yes\n", "", 67, false, 12000},
  };
  for (const auto& [sound, name, soundPicture, shown, width] : cases) {
    SCOPED_TRACE(name);
    Settings(std::string("ShowLangu=No\n") + sound + "picture=" + name + "\n");
    game->Do(Command::SplashTimeUp);
    const Control& picture = game->Window().View().BackgroundPicture;
    EXPECT_EQ(std::tuple(game->Sound().View().Switch.Picture, picture.Visible, picture.Width,
                         game->Window().View().BackgroundFile),
              std::tuple(soundPicture, shown, width, shown ? folder.File(name) : ""));
    host.played.clear();
    Table({6, 6, 6, 6, 6, 6});
    game->Enter(CategoryNumber{kCategoryCount});
    EXPECT_EQ(host.played.empty(), sound != std::string("PlaySound=Yes\n"));
    // Without a locale in the language file, the system's.
    EXPECT_TRUE(host.boxes.empty() && game->Window().View().Loaded &&
                (!shown || picture.Height == 19000) && host.locale.empty());
  }
}

using WindowPlacementTest = GameTest;

// The only boxes these tests open say that the screen is too small: which text they show is the
// language test's.
TEST_F(WindowPlacementTest, PlacementFollowsTheWorkArea) {
  // The work area; where the window is moved, whether the move button shows, how often the screen
  // is said to be too small. The window is 12000 x 9000.
  const std::tuple<WorkArea, std::vector<WindowPlace>, bool, std::size_t> cases[] = {
      {{12000, 8580}, {{0, 0}}, false, 0}, {{15360, 10800}, {{1680, 600}}, true, 0},
      {{9600, 6780}, {}, true, 1},         {{15360, 8400}, {}, true, 0},
      {{15360, 8580}, {}, true, 0},        {{12000, 10800}, {}, true, 0},
      {{11985, 9000}, {}, true, 0},        {{12000, 8595}, {}, true, 0},
      {{12015, 8565}, {}, true, 0},        {{11985, 8565}, {}, true, 1}};
  for (const auto& [area, moves, moveButton, messages] : cases) {
    host = FakeHost{};
    host.minimised = true;
    host.area = area;
    Start();
    // The game goes on after the message all the same.
    const WindowView& m = game->Window().View();
    EXPECT_EQ(std::tuple(host.minimised, host.moves, m.MoveButton.Visible, m.MoveButton.Picture,
                         host.boxes.size(), m.Visible && Board().ThrowArea.Enabled),
              std::tuple(false, moves, moveButton, moveButton ? 69 : 0, messages, true))
        << area.Width << " x " << area.Height;
  }
}

TEST_F(WindowPlacementTest, TheMoveButtonStepsThroughFourPlacesAndGoesOnAfterADisplayChange) {
  Start();
  for (int click = 0; click < 4; ++click) game->Do(Command::MoveWindow);
  host.place = {900, 450};  // dragged by the player
  game->Do(Command::MoveWindow);
  game->Do(Command::Minimise);
  EXPECT_TRUE(host.minimised);
  host.area = {19200, 11520};
  game->Do(Command::PlaceWindow);
  EXPECT_FALSE(host.minimised);
  game->Do(Command::MoveWindow);
  // Centred at the start; the left edge keeping the top, the bottom centre, the right, the centre
  // (the margin is 270); the left edge from where it was dragged; centred on the new display, then
  // its bottom centre.
  std::vector<int> moved;
  for (const WindowPlace& place : host.moves) moved.insert(moved.end(), {place.Left, place.Top});
  EXPECT_EQ(moved, (std::vector<int>{1680, 600, 270, 600, 1680, 1530, 3090, 600, 1680, 600, 270,
                                     450, 3600, 840, 3600, 2250}));
  // A screen too small for the game says so each time the display changes.
  host.area = {9600, 6780};
  game->Do(Command::PlaceWindow);
  game->Do(Command::PlaceWindow);
  EXPECT_EQ(host.boxes.size(), 2u);
}

}  // namespace
}  // namespace pyxaro::testing
