#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

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
                         host.boxes.size(), m.Visible && game->Turn().View().ThrowArea.Enabled),
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
