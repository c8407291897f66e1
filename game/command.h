#pragma once

namespace pyxaro {

// Everything a player or a timer can do, as the front end hands it to the
// game. The argument that goes with a command is named beside it.
enum class Command {
  // The language picker.
  PickLanguage,     // the row, from 0
  TickSkipPicker,   // 1 ticked, 0 not
  ConfirmLanguage,  // OK: on to the splash
  // The splash.
  PrepareGameWindow,  // the splash stands: unpack ahead
  SplashTimeUp,       // its two seconds are up: the game window opens
  // The game window.
  Throw,
  PickUp,  // the die, 1..6
  Undo,
  Enter,  // the category, 1..20
  ShowAdvice,
  ToggleAdvice,  // the advice after every throw, on or off
  NewGame,       // asks first
  Quit,          // asks first
  Close,         // ends the program at once
  ChangeLanguage,
  ToggleSound,
  MoveWindow,  // on to the next of its four places
  Minimise,
  PlaceWindow,     // the display changed
  OfferTopTenRow,  // the row, 1..10
  ClearTopTen,
  OpenHome,
  OpenProfiles,
  OpenStatistics,
  // The profiles window.
  PickProfile,  // the row, from 0
  AddProfile,
  RemoveProfile,
  TickDontShowProfiles,  // 1 ticked, 0 not
  ConfirmProfiles,
  CancelProfiles,
  ProfilesClosed,  // by the desktop
  // The statistics window.
  ResetStatistics,
  StatisticsClosed,
  // The review of the last finished game.
  OpenReview,
  OpenReviewRow,  // the row, from 0
  ReviewClosed,   // by the player or the desktop
  // The timers' ticks.
  PlayClockTick,
  GameEndTick,
  PageTick,
  ClockTick,
  ProfileTick,
  SendTick,
};

}  // namespace pyxaro
