#include "scoring/scorecard_layout.h"

#include "scoring/categories.h"
#include "scoring/turn.h"

namespace pyxaro {

namespace {

// The hint's marker stands level with the first row and one row step lower
// for each row after it; the advice's arrow a little below its row's top.
constexpr int kMarkerTop = 1590;
constexpr int kRowStep = 315;
constexpr int kArrowDrop = 15;

void Place(Control& c, int top, int left, int width, int height) {
  c.Top = top;
  c.Left = left;
  c.Width = width;
  c.Height = height;
}

}  // namespace

int HintMarkerTop(int category) { return kMarkerTop + kRowStep * (category - 1); }

int AdviceArrowTop(int category) { return CategoryRow(category).rowTop + kArrowDrop; }

void Turn::PlaceScorecard() {
  // The hint sets the marker's top.
  view_.HintMarker.Left = 11880;
  view_.HintMarker.Height = 135;
  view_.HintMarker.Width = 135;
  Place(view_.RollsLeftLabel, 3030, 9040, 465, 255);
  Place(view_.RollsPerCategoryLabel, 2570, 8500, 465, 255);
  Place(view_.BonusLabel, 7830, 11400, 405, 225);
  Place(view_.TotalLabel, 8130, 11400, 405, 225);
  for (const Category& category : kCategories) {
    Control& button = view_.CategoryRows[category.number];
    button.Top = category.rowTop;
    button.Left = 9870;
    button.Width = 2055;
    Control& label = view_.CategoryScores[category.number];
    label.Top = category.scoreTop;
    label.Left = 11400;
    label.Width = 405;
  }
}

}  // namespace pyxaro
