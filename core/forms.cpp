#include "core/forms.h"

#include <array>

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

constexpr std::array<int, 6> kDieLeft{930, 2130, 3270, 4380, 5490, 6630};
constexpr std::array<int, 6> kDieWidth{1215, 1140, 1110, 1125, 1140, 1200};
constexpr std::array<int, 20> kButtonTop{1500, 1800, 2130, 2430, 2760, 3060, 3360,
                                         3690, 4020, 4320, 4650, 4950, 5280, 5580,
                                         5910, 6210, 6540, 6840, 7170, 7470};
constexpr int kToppTop = 4950;
constexpr int kToppStep = 240;

}  // namespace

MainForm::MainForm() {
  for (int k = 1; k <= 6; ++k) {
    Image[k] = Hidden(At(kDieLeft.at(k - 1), 3270, kDieWidth.at(k - 1), 1170));
  }
  Roll = At(6510, 4740, 1815, 585);
  Undo = Disabled(At(7860, 5370, 1185, 435));
  Rolls = Label(At(9040, 3030, 465, 255), colour::White, true);
  Mrolls = Label(At(8500, 2570, 465, 255), colour::Gold, true);
  Indik = Hidden(Label(At(11880, 1590, 135, 135), colour::DarkRed, false));
  Bonus = Label(At(11400, 7830, 405, 225), colour::LightRed, true);
  scr_Tot = Label(At(11400, 8130, 405, 225), colour::White, true);
  for (int k = 1; k <= 20; ++k) {
    btn[k] = At(9870, kButtonTop.at(k - 1), 2055, 315);
    scr[k] = Label(At(11400, kButtonTop.at(k - 1) + 50, 405, 165), colour::Gold, true);
  }
  for (int r = 1; r <= 10; ++r) {
    Topp[r] = Label(At(r == 10 ? 45 : 150, kToppTop + kToppStep * (r - 1), 4500, 240), colour::Grey,
                    false);
  }
  ClearTopp = Label(At(150, 7380, 2400, 240), colour::Grey, false);
  ClearTopp.Caption = "Clear highscore";
  lb_User = Label(At(150, 4680, 4500, 240), colour::Grey, true);
  SoundPic = At(8910, 7110, 480, 480);
  SoundPic.Picture = 67;
  MovePic = Hidden(At(8310, 7590, 315, 315));
  Logo = At(30, 150, 6315, 1425);
  BackgrPic = Hidden(At(0, 0, Width, Height));
  NyttSpel = At(8850, 5850, 765, 285);
  butt_End = At(7620, 6960, 1125, 345);
  Avsluta = At(11700, 60, 225, 225);
  Minimera = At(11370, 60, 255, 255);
  Langu = At(8820, 6630, 675, 285);
  Homepage = At(10080, 390, 1575, 915);
  Homepage.ToolTip = " Pyxaro ONLINE ";
  ShowTime = Label(At(11010, 8700, 885, 225), colour::LightBlue, false);
  ShowTime.Caption = "TIME";
}

LanguageForm::LanguageForm() {
  Label1.Caption = "Select language";
  Check1.Caption = "Don't show this at startup";
  Command1.Caption = "OK";
  Command1.Enabled = false;
}

SplashForm::SplashForm() { lbl_Version.Caption = "5.00"; }

}  // namespace pyxaro
