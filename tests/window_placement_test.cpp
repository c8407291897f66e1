#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

const std::string kTooSmall =
    "Screen resolution must be at least 800 x 600 for the game to work properly.";

class WindowPlacementTest : public GameTest {
 protected:
  // Opens the game on a work area of this size.
  void StartOn(WorkArea area) {
    host.area = area;
    Start();
  }
  std::size_t TooSmallBoxes() const {
    std::size_t count = 0;
    for (const Box& box : host.boxes) {
      if (box.kind == Box::Message && box.text == kTooSmall) ++count;
    }
    return count;
  }
};

TEST_F(WindowPlacementTest, PlacementFollowsTheWorkArea) {
  const WindowPlace stays = host.place;
  struct Case {
    WorkArea area;
    std::vector<WindowPlace> moves;
    bool moveButton;
    std::size_t messages;
  };
  // The window is 12000 x 9000 twips.
  for (const Case& c : {
           Case{{12000, 8580}, {{0, 0}}, false, 0},
           Case{{15360, 10800}, {{1680, 600}}, true, 0},
           Case{{9600, 6780}, {}, true, 1},
           Case{{15360, 8400}, {}, true, 0},
           Case{{11985, 9000}, {}, true, 0},
           Case{{12000, 8595}, {}, true, 0},
           Case{{12015, 8565}, {}, true, 0},
           Case{{11985, 8565}, {}, true, 1},
       }) {
    SCOPED_TRACE(std::to_string(c.area.Width) + " x " + std::to_string(c.area.Height));
    host.place = stays;
    host.moves.clear();
    host.boxes.clear();
    host.minimised = true;
    StartOn(c.area);
    EXPECT_FALSE(host.minimised);
    EXPECT_EQ(host.moves, c.moves);
    EXPECT_EQ(game->main.MoveButton.Visible, c.moveButton);
    EXPECT_EQ(game->main.MoveButton.Picture, c.moveButton ? 69 : 0);
    EXPECT_EQ(TooSmallBoxes(), c.messages);
    // The game goes on after the message all the same.
    EXPECT_TRUE(game->main.Visible && game->main.ThrowArea.Enabled);
  }
}

TEST_F(WindowPlacementTest, TheMoveButtonStepsThroughFourPlacesAndStartsAgain) {
  StartOn({15360, 10800});
  host.place = {1680, 600};
  // Left edge keeping the top, bottom centre, right, centre; the margin is 270.
  const std::vector<WindowPlace> cycle{{270, 600}, {1680, 1530}, {3090, 600}, {1680, 600}};
  for (std::size_t i = 0; i < cycle.size(); ++i) {
    game->MoveButtonClicked();
    EXPECT_EQ(host.place, cycle[i]) << i;
  }
  host.place = {900, 450};
  game->MoveButtonClicked();
  EXPECT_EQ(host.place, (WindowPlace{270, 450}));
}

TEST_F(WindowPlacementTest, ADisplayChangeRestoresTheWindowAndGoesOnWithTheCycle) {
  StartOn({15360, 10800});
  game->MoveButtonClicked();
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
