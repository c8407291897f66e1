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

// The background's width is 12000 twips when loaded, 500 after a failure. Which file each effect
// plays the scenarios of the turn, the list and the home link hear; here anything but "Yes" is
// mute.
TEST_F(StartupTest, PickerUnlessSkippedThenTheSplashOpensAGameThatFollowsTheOptions) {
  host.pictures = {folder.File("felt.jpg"), folder.File("felt.gif"), folder.File("felt.JPG")};
  const std::tuple<const char*, bool, const char*, int, bool, int> cases[] = {
      {"ShowLangu=No\nPlaySound=No\n", false, "felt.jpg", 68, true, 12000},
      {"ShowLangu=no\nPlaySound=no\n", true, "felt.gif", 67, true, 12000},
      {"ShowLangu=Yes\nPlaySound=Yes\n", true, "felt.JPG", 67, false, 12000},
      {"", true, "missing.jpg", 67, false, 500},
      {"ShowLangu=No\nPlaySound=yes\n", false, "", 67, false, 12000},
  };
  for (const auto& [options, picker, name, soundPicture, shown, width] : cases) {
    SCOPED_TRACE(options);
    Settings(std::string(options) + "picture=" + name + "\n");
    EXPECT_EQ(std::tuple(game->Texts().Picker().Visible, game->Splash().View().Visible,
                         game->Splash().View().CloseTimer.Enabled(), game->Window().View().Loaded),
              std::tuple(picker, !picker, !picker, false));
    EXPECT_TRUE(picker || (game->Splash().View().VersionLabel.Caption == kAppVersion &&
                           !game->Splash().View().Tagline.empty()));
    if (picker) game->Do(Command::ConfirmLanguage);
    game->Do(Command::SplashTimeUp);
    const TurnView& turn = Board();
    EXPECT_EQ(game->Turn().State(), GameState{});
    EXPECT_EQ(
        std::vector({game->Splash().View().Visible, game->Splash().View().CloseTimer.Enabled(),
                     game->Window().View().Loaded, game->Window().View().Visible,
                     turn.ThrowArea.Enabled, turn.UndoArea.Enabled, turn.DieImages[1].Visible,
                     turn.PlayClock.Enabled()}),
        std::vector({false, false, true, true, true, false, false, false}));
    const Control& picture = game->Window().View().BackgroundPicture;
    EXPECT_EQ(std::tuple(game->Sound().View().Switch.Picture, picture.Visible, picture.Width,
                         game->Window().View().BackgroundFile),
              std::tuple(soundPicture, shown, width, shown ? folder.File(name) : ""));
    host.played.clear();
    Table({6, 6, 6, 6, 6, 6});
    game->Enter(CategoryNumber{kCategoryCount});
    EXPECT_EQ(host.played.empty(), std::string(options).find("PlaySound=Yes") == std::string::npos);
    // Without a locale in the language file, the system's.
    EXPECT_TRUE(host.boxes.empty() && (!shown || picture.Height == 19000) && host.locale.empty());
  }
}

using WindowPlacementTest = GameTest;

TEST_F(WindowPlacementTest, PlacementFollowsTheWorkArea) {
  // Of a 12000 x 9000 window: the moves, the move button, and how often the screen is too small
  // (the box's text is the language test's).
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
