#include "core/game.h"
#include "scoring/categories.h"

namespace pyxaro {

namespace {

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
  for (const Category& category : kCategories) {
    Control& button = main.CategoryRows[category.number];
    button.Left = 9870;
    button.Width = 2055;
    Control& label = main.CategoryScores[category.number];
    label.Top = category.scoreTop;
    label.Left = 11400;
    label.Width = 405;
  }
}

}  // namespace pyxaro
