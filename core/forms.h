#pragma once

#include <bitset>
#include <string>
#include <utility>
#include <vector>

#include "core/game_state.h"
#include "core/one_based.h"

namespace pyxaro {

struct Rgb {
  int Red = 0;
  int Green = 0;
  int Blue = 0;
  bool operator==(const Rgb&) const = default;
};

namespace colour {
inline constexpr Rgb Gold{255, 230, 0};
inline constexpr Rgb White{255, 255, 255};
inline constexpr Rgb LightRed{255, 128, 128};
inline constexpr Rgb LightBlue{192, 192, 255};
inline constexpr Rgb Grey{128, 128, 128};
inline constexpr Rgb DarkRed{192, 0, 0};
inline constexpr Rgb DotLit{192, 192, 255};
}  // namespace colour

// What the front end shows for one control. Positions and sizes are twips
// (15 to a pixel); Picture is a bitmap number, 0 for none.
struct Control {
  std::string Caption;
  std::string ToolTip;
  bool Enabled = true;
  bool Visible = true;
  Rgb ForeColor = colour::White;
  bool Bold = false;
  int Picture = 0;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

// A window timer as data. Switching it on after it was off starts a fresh
// interval, which the front end sees as a new value of Starts.
class Timer {
 public:
  explicit Timer(int interval, bool enabled = false) : interval_(interval) { SetEnabled(enabled); }
  void SetEnabled(bool on) {
    if (on && !enabled_) ++starts_;
    enabled_ = on;
  }
  bool Enabled() const { return enabled_; }
  int Interval() const { return interval_; }
  unsigned Starts() const { return starts_; }

 private:
  int interval_;
  bool enabled_ = false;
  unsigned starts_ = 0;
};

inline constexpr int kDotCount = 455;
inline constexpr int kTopTenRows = 10;

// What a screen reader says of the game window, in the player's language:
// the names of the controls whose tool tip names none, and the words the
// names of the dice, the sound switch and the keys are made of. The rows'
// names are the turn's (Turn::CategoryTitle).
struct SpokenTexts {
  std::string Die;  // "%1" is the die's number
  OneBased<std::string, kDiceFaces> Faces;
  std::string Proposed, SoundOn, SoundOff, KeySpace, KeyCtrl;
  std::string Throw, Undo, NewGame, Quit, Close, Minimise, Language, Home, Bonus, Total, Time,
      Statistics;
  std::string SoundSwitch, RollsLeft, RollsPerCategory, Move;
  std::string DayGame;  // the key that starts today's game, named beside New game's
  std::string Rules;
};

// The words painted into the game window's picture, in the player's language.
struct PaintedTexts {
  std::string Roll, Undo, NewGame, Hint, Statistics, Language, Quit;
  std::string RollsLeft, PerCategory, Bonus, Total, TopTen, Online, Highscores;
  std::string Tagline, TableSlogan;
  bool operator==(const PaintedTexts&) const = default;
};

// The game window is 800 x 600 pixels.
inline constexpr int kWindowWidth = 12000;
inline constexpr int kWindowHeight = 9000;

// The turn's part of the game window: the dice, the throw and undo areas,
// the scorecard with its counters, the hint and the advice, and the clocks
// of play and of the game's end.
struct TurnView {
  TurnView();

  OneBased<Control, kDiceCount> DieImages;
  Control ThrowArea, UndoArea, RollsLeftLabel, RollsPerCategoryLabel, HintMarker, BonusLabel,
      TotalLabel;
  // The advice on show: a ring around each die to pick up, an arrow beside
  // the row it names, and the button that asks for it.
  OneBased<Control, kDiceCount> AdviceDieMarks;
  Control AdviceRowMark, AdviceArea;
  OneBased<Control, kCategoryCount> CategoryRows;    // one clickable row per category
  OneBased<Control, kCategoryCount> CategoryScores;  // the points entered in each row
  Timer PlayClock{1000};
  Timer GameEndTimer{1500};
};

// The top-ten list on the game window.
struct TopTenView {
  TopTenView();

  OneBased<Control, kTopTenRows> Rows;
  Control ClearLabel;
};

// The player's name above the list, the online badge, and the two steps of
// sending a row to the online list.
struct PlayerView {
  PlayerView();

  Control PlayerLabel, HomeLink;
  Timer ProfileTimer{1500};
  Timer SendTimer{1000};
};

// The dot-matrix message display and the clock beneath the scorecard.
struct DisplayView {
  DisplayView();

  std::bitset<kDotCount> LitDots;
  std::string Said;           // the message on the display, as the last Say gave it
  unsigned MessagesSaid = 0;  // counts every Say, so a repeated message is told again
  Control Clock;
  bool ClockTold = false;  // the clock has shown the time since the window opened
  Timer PageTimer{2000};
  Timer ClockTimer{1500, true};
};

// The switch that turns the sound on and off.
struct SoundView {
  SoundView();

  Control Switch;
};

// The game window itself: whether it stands, its background, the logo and
// the buttons that lead elsewhere.
struct WindowView {
  WindowView();

  bool Loaded = false;
  bool Visible = false;
  Control Logo, BackgroundPicture, MoveButton;
  Control NewGameArea, QuitArea, CloseSquare, MinimiseSquare, LanguageArea, StatisticsArea;
  Control RulesSquare;         // "?", beside the minimise square
  std::string BackgroundFile;  // the picture file shown in BackgroundPicture, "" = empty
};

struct ListBox {
  std::vector<std::string> Items;
  int ListIndex = -1;  // the selected row, -1 = none
};

struct LanguageForm {
  LanguageForm();

  bool Visible = false;
  std::string Caption = "Pyxaro";
  Control Heading;
  ListBox LanguageList;
  Control SkipAtStart;
  bool SkipAtStartTicked = false;
  Control OkButton;
};

// The window where the player keeps the profiles a score is sent under.
struct ProfilesForm {
  ProfilesForm();

  bool Visible = false;
  std::string Caption;
  static constexpr int Width = 4320;  // the inner area within the frame
  static constexpr int Height = 4230;
  Control Heading;
  ListBox ProfileList;
  Control ListArea;  // where ProfileList stands
  Control RemoveButton, AddButton;
  Control NameLabel, NameField, PasswordLabel, PasswordField;
  Control CancelButton, OkButton;
  Control DontShowWhenSending;
  bool DontShowWhenSendingTicked = false;
};

struct SplashForm {
  bool Visible = false;
  std::string Caption = "Pyxaro";
  std::string Tagline;  // painted under the name
  Control VersionLabel;
  Timer CloseTimer{2000};
};

}  // namespace pyxaro
