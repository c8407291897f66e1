#include "core/forms.h"

#include <algorithm>
#include <array>

#include "core/pictures.h"

namespace pyxaro {

namespace {

Control At(int left, int top, int width, int height) {
  Control c;
  c.Left = left;
  c.Top = top;
  c.Width = width;
  c.Height = height;
  return c;
}

Control Hidden(Control c) {
  c.Visible = false;
  return c;
}

Control Disabled(Control c) {
  c.Enabled = false;
  return c;
}

Control Label(Control c, Rgb colour, bool bold) {
  c.ForeColor = colour;
  c.Bold = bold;
  return c;
}

constexpr std::array<int, kDiceCount> kDieLeft{930, 2130, 3270, 4380, 5490, 6630};
constexpr std::array<int, kDiceCount> kDieWidth{1215, 1140, 1110, 1125, 1140, 1200};
constexpr int kTopTenTop = 4950;
constexpr int kTopTenStep = 240;

}  // namespace

TurnView::TurnView() {
  for (int k = 1; k <= kDiceCount; ++k) {
    DieImages[k] = Hidden(At(kDieLeft.at(k - 1), 3270, kDieWidth.at(k - 1), 1170));
  }
  // A ring keeps to its die's place, where two pictures overlap up to the
  // neighbour's edge, so that rings around neighbours never cross.
  for (int k = 1; k <= kDiceCount; ++k) {
    const Control& die = DieImages[k];
    const int left =
        k > 1 ? std::max(die.Left, DieImages[k - 1].Left + DieImages[k - 1].Width) : die.Left;
    const int right = k < kDiceCount ? std::min(die.Left + die.Width, DieImages[k + 1].Left)
                                     : die.Left + die.Width;
    AdviceDieMarks[k] = Hidden(At(left, die.Top, right - left, die.Height));
  }
  // In the gap between the counters and the scorecard, reaching into the
  // row's own margin: it touches neither the counters nor the row's dice.
  AdviceRowMark = Hidden(At(9735, 1590, 210, 285));
  AdviceArea = At(8025, 5850, 765, 285);
  ThrowArea = At(6510, 4740, 1815, 585);
  UndoArea = Disabled(At(7860, 5370, 1185, 435));
  RollsLeftLabel = Label(At(9040, 3030, 465, 255), colour::White, true);
  RollsPerCategoryLabel = Label(At(8500, 2570, 465, 255), colour::Gold, true);
  HintMarker = Hidden(Label(At(11880, 1590, 135, 135), colour::DarkRed, false));
  BonusLabel = Label(At(11400, 7830, 405, 225), colour::LightRed, true);
  TotalLabel = Label(At(11400, 8130, 405, 225), colour::White, true);
  // The rows' places come from the category table (Turn::PlaceScorecard).
  for (Control& row : CategoryRows) row = At(9870, 0, 2055, 315);
  for (Control& score : CategoryScores) score = Label(At(11400, 0, 405, 165), colour::Gold, true);
}

TopTenView::TopTenView() {
  // A lighter grey than the card's: small text on the list's dark panel
  // needs a contrast of 4.5:1, which 128 grey (3.96:1) falls short of.
  constexpr Rgb kListGrey{160, 160, 168};
  for (int r = 1; r <= kTopTenRows; ++r) {
    Rows[r] = Label(At(r == kTopTenRows ? 45 : 150, kTopTenTop + kTopTenStep * (r - 1), 4500, 240),
                    kListGrey, false);
  }
  ClearLabel = Label(At(150, 7380, 2400, 240), kListGrey, false);
  ClearLabel.Caption = "Clear highscore";
}

PlayerView::PlayerView() {
  PlayerLabel = Label(At(150, 4680, 4500, 240), colour::Grey, true);
  HomeLink = At(10080, 390, 1575, 915);
  HomeLink.ToolTip = " Pyxaro ONLINE ";
}

DisplayView::DisplayView() {
  Clock = Label(At(11010, 8700, 885, 225), colour::LightBlue, false);
  Clock.Caption = "TIME";
}

SoundView::SoundView() {
  Switch = At(8910, 7110, 480, 480);
  Switch.Picture = kSoundOnPicture;
}

WindowView::WindowView() {
  MoveButton = Hidden(At(8310, 7590, 315, 315));
  Logo = At(30, 150, 6315, 1425);
  BackgroundPicture = Hidden(At(0, 0, kWindowWidth, kWindowHeight));
  NewGameArea = At(8850, 5850, 765, 285);
  QuitArea = At(7620, 6960, 1125, 345);
  CloseSquare = At(11700, 60, 225, 225);
  MinimiseSquare = At(11370, 60, 255, 255);
  RulesSquare = At(11040, 60, 255, 255);
  LanguageArea = At(8025, 6630, 1590, 285);
  StatisticsArea = At(8025, 6240, 1590, 285);
}

LanguageForm::LanguageForm() { OkButton.Enabled = false; }

ProfilesForm::ProfilesForm() {
  Heading = Label(At(60, 240, 4215, 345), colour::Gold, true);
  ListArea = At(330, 900, 3645, 615);
  RemoveButton = Disabled(At(2790, 1590, 555, 285));
  RemoveButton.Caption = "-";
  AddButton = At(3420, 1590, 555, 285);
  AddButton.Caption = "+";
  NameLabel = Label(At(330, 1860, 1245, 225), colour::Gold, false);
  NameField = Label(At(330, 2070, 3645, 285), colour::White, true);
  PasswordLabel = Label(At(330, 2460, 1245, 225), colour::Gold, false);
  PasswordField = At(330, 2670, 3645, 285);
  CancelButton = At(330, 3180, 885, 315);
  OkButton = At(3090, 3180, 885, 315);
  DontShowWhenSending = Label(At(330, 3720, 3855, 255), colour::Gold, false);
}

}  // namespace pyxaro
