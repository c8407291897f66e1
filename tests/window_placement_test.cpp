#include <algorithm>

#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

class WindowPlacementTest : public GameTest {
 protected:
  std::size_t TooSmallBoxes() const {
    return std::count_if(host.boxes.begin(), host.boxes.end(), [](const Box& box) {
      return box.kind == Box::Message &&
             box.text ==
                 "Screen resolution must be at least 800 x 600 for the game to work properly.";
    });
  }
};

TEST_F(WindowPlacementTest, PlacementFollowsTheWorkArea) {
  const WindowPlace stays = host.place;
  // The work area; where the window is moved, whether the move button shows,
  // how often the screen is said to be too small. The window is 12000 x 9000.
  const std::tuple<WorkArea, std::vector<WindowPlace>, bool, std::size_t> cases[] = {
      {{12000, 8580}, {{0, 0}}, false, 0}, {{15360, 10800}, {{1680, 600}}, true, 0},
      {{9600, 6780}, {}, true, 1},         {{15360, 8400}, {}, true, 0},
      {{11985, 9000}, {}, true, 0},        {{12000, 8595}, {}, true, 0},
      {{12015, 8565}, {}, true, 0},        {{11985, 8565}, {}, true, 1}};
  for (const auto& [area, moves, moveButton, messages] : cases) {
    SCOPED_TRACE(std::to_string(area.Width) + " x " + std::to_string(area.Height));
    host.place = stays;
    host.moves.clear();
    host.boxes.clear();
    host.minimised = true;
    host.area = area;
    Start();
    EXPECT_FALSE(host.minimised);
    EXPECT_EQ(host.moves, moves);
    EXPECT_EQ(game->main.MoveButton.Visible, moveButton);
    EXPECT_EQ(game->main.MoveButton.Picture, moveButton ? 69 : 0);
    EXPECT_EQ(TooSmallBoxes(), messages);
    // The game goes on after the message all the same.
    EXPECT_TRUE(game->main.Visible && game->main.ThrowArea.Enabled);
  }
}

TEST_F(WindowPlacementTest, TheMoveButtonStepsThroughFourPlacesAndGoesOnAfterADisplayChange) {
  Start();
  // Left edge keeping the top, bottom centre, right, centre; the margin is 270.
  for (const WindowPlace place : {WindowPlace{270, 600}, {1680, 1530}, {3090, 600}, {1680, 600}}) {
    game->MoveButtonClicked();
    EXPECT_EQ(host.place, place);
  }
  host.place = {900, 450};
  game->MoveButtonClicked();
  EXPECT_EQ(host.place, (WindowPlace{270, 450}));
  game->MinimiseClicked();
  EXPECT_TRUE(host.minimised);

  host.area = {19200, 11520};
  host.boxes.clear();
  game->PlaceWindow();
  EXPECT_FALSE(host.minimised);
  EXPECT_EQ(host.place, (WindowPlace{3600, 840}));
  game->MoveButtonClicked();
  EXPECT_EQ(host.place, (WindowPlace{3600, 11520 - 9000 - 270}));
  // A screen too small for the game says so each time the display changes.
  host.area = {9600, 6780};
  game->PlaceWindow();
  game->PlaceWindow();
  EXPECT_EQ(TooSmallBoxes(), 2u);
}

}  // namespace
}  // namespace pyxaro::testing
