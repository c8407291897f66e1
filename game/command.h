#pragma once

namespace pyxaro {

// A die, 1..6 as the dice lie on the table.
struct Die {
  int number = 0;
};
// A category, 1..20 in the order of the scorecard.
struct CategoryNumber {
  int number = 0;
};
// A row of a list, counted from 0 in every list.
struct Row {
  int index = 0;
};
// The lists whose rows the player picks.
enum class List { Languages, TopTen, Profiles, Review };
// The boxes the player ticks.
enum class TickBox { SkipPicker, DontShowProfiles };

// Everything a player or a timer can do without saying which die, category
// or row, as the front end hands it to the game.
enum class Command {
  // The language picker.
  ConfirmLanguage,  // OK: on to the splash
  // The splash.
  PrepareGameWindow,  // the splash stands: unpack ahead
  SplashTimeUp,       // its two seconds are up: the game window opens
  // The game window.
  Throw,
  Undo,
  ShowAdvice,
  ToggleAdvice,  // the advice after every throw, on or off
  NewGame,       // asks first, and offers today's game too
  DayGame,       // today's game, the same dice for every player; asks first
  Quit,          // asks first
  Close,         // ends the program at once
  ChangeLanguage,
  ToggleSound,
  MoveWindow,  // on to the next of its four places
  Minimise,
  PlaceWindow,  // the display changed
  ClearTopTen,
  OpenHome,
  OpenProfiles,
  OpenStatistics,
  // The profiles window.
  AddProfile,
  RemoveProfile,
  ConfirmProfiles,
  CancelProfiles,
  ProfilesClosed,  // by the desktop
  // The statistics window.
  ResetStatistics,
  StatisticsClosed,
  // The review of the last finished game.
  OpenReview,
  OpenRules,  // F1
  OpenAbout,
  RulesClosed,
  ReviewClosed,  // by the player or the desktop
  // The timers' ticks.
  PlayClockTick,
  GameEndTick,
  PageTick,
  ClockTick,
  ProfileTick,
  SendTick,
};

}  // namespace pyxaro
