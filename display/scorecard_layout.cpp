#include <array>

#include "core/game.h"

namespace pyxaro {

namespace {

// Each score label's distance below the first one. The steps are uneven
// because they follow the button rows, which are not evenly spaced either.
constexpr std::array<int, 20> kScoreOffset{0,    315,  630,  940,  1260, 1570, 1890,
                                           2200, 2520, 2830, 3160, 3470, 3790, 4090,
                                           4410, 4720, 5040, 5360, 5670, 5980};

void Place(Control& c, int top, int left, int width, int height) {
  c.Top = top;
  c.Left = left;
  c.Width = width;
  c.Height = height;
}

}  // namespace

void Game::PlaceScorecard() {
  // The hint sets the marker's top.
  main.HintMarker.Left = 11880;
  main.HintMarker.Height = 135;
  main.HintMarker.Width = 135;
  Place(main.RollsLeftLabel, 3030, 9040, 465, 255);
  Place(main.RollsPerCategoryLabel, 2570, 8500, 465, 255);
  Place(main.BonusLabel, 7830, 11400, 405, 225);
  Place(main.TotalLabel, 8130, 11400, 405, 225);
  for (Control& button : main.CategoryRows) {
    button.Left = 9870;
    button.Width = 2055;
    button.Enabled = true;
  }
  main.CategoryScores[1].Top = 1550;
  for (int k = 1; k <= kCategoryCount; ++k) {
    Control& label = main.CategoryScores[k];
    label.Top = main.CategoryScores[1].Top + kScoreOffset.at(static_cast<std::size_t>(k - 1));
    label.Left = 11400;
    label.Width = 405;
  }
  // The total is not emptied: the new game writes its 0 there itself.
  for (Control& label : main.CategoryScores) label.Caption.clear();
}

}  // namespace pyxaro
