#pragma once

#include <array>
#include <string_view>

#include "settings/language_keys.h"

namespace pyxaro {

// A text of the language file with the English the game shows when a
// language file lacks it. "%1" stands for what the game fills in.
struct TextKey {
  std::string_view key;
  std::string_view english;
};

namespace text {

// Boxes.
inline constexpr TextKey kNotSavedScore{"not_saved_score",
                                        "The score could not be saved in the settings file %1."};
inline constexpr TextKey kNotSavedList{
    "not_saved_list", "The cleared list could not be saved in the settings file %1."};
inline constexpr TextKey kNotSavedChoice{"not_saved_choice",
                                         "The choice could not be saved in the settings file %1."};
inline constexpr TextKey kNotSavedStatistics{
    "not_saved_statistics", "The cleared statistics could not be saved in the settings file %1."};
inline constexpr TextKey kNotSavedProfile{
    "not_saved_profile", "The profile could not be saved in the settings file %1."};
// The dot display at the start, of the game the last run left unfinished.
inline constexpr TextKey kGameContinued{"game_continued", "Your game goes on"};
inline constexpr TextKey kGameNotContinued{"game_not_continued",
                                           "The saved game could not be read: a new game"};
// The dot display, after a move the settings file did not take.
inline constexpr TextKey kMoveNotSaved{"move_not_saved", "This move could not be saved"};
// The dot display at the start of the day's game; %1 is the day as "12-08".
inline constexpr TextKey kDayGameStarted{"day_game_started", "TODAY %1"};
// The dot display at the end of a second game of one day.
inline constexpr TextKey kDayGameAgain{"day_game_again",
                                       "TODAY %1 again: only a day's first game counts for it"};
// The review of a game of the day; %1 is the advisor's total.
inline constexpr TextKey kAdvisorOnDay{"advisor_on_day", "The advisor made %1 on the day's dice"};
inline constexpr TextKey kNoOnlineAddress{"no_online_address", "No online address is configured."};
inline constexpr TextKey kScreenTooSmall{
    "screen_too_small",
    "Screen resolution must be at least 800 x 600 for the game to work properly."};
inline constexpr TextKey kPackageNotFound{"package_not_found", "Specified package not found."};

// The rules window (F1) and the About box.
inline constexpr TextKey kRulesTitle{"rules_title", "Pyxaro rules"};
inline constexpr TextKey kRulesPlay{
    "rules_play",
    "Throw six dice, then click the dice you want to throw again and throw once more; Undo lays "
    "them back. Enter the dice in a category of the scorecard by clicking its row."};
inline constexpr TextKey kRulesPool{
    "rules_pool",
    "You have 60 rolls for the whole game, not three a turn: spend many on one category and fewer "
    "are left for the others. The game ends when the rolls or the open categories run out."};
inline constexpr TextKey kRulesNoScratch{
    "rules_no_scratch",
    "A category takes only more than 0 points: there is no scratching, and an entry worth nothing "
    "is refused."};
inline constexpr TextKey kRulesBonus{
    "rules_bonus",
    "The upper section (ones to sixes) pays a bonus of 100 once its sum reaches 84, four of every "
    "face."};
inline constexpr TextKey kRulesHint{
    "rules_hint",
    "After every throw the red marker points at the open category worth most for these dice now. "
    "The advice (H) rings the dice to keep, as the advisor plans the rest of the game."};
inline constexpr TextKey kRulesDay{
    "rules_day", "Today's game (D) throws the same dice for every player on the same date."};
inline constexpr TextKey kRulesKeys{
    "rules_keys",
    "Keys: Space throw, 1-6 pick up a die, Ctrl+Z undo, Up, Down and Enter choose a row, H advice, "
    "A advice after every throw, D today's game, Ctrl+N new game, R review, S statistics, P "
    "profiles, M sound, L language, Ctrl+Q quit, F1 these rules."};
inline constexpr TextKey kRulesCategories{"rules_categories",
                                          "The categories, each with an example:"};
inline constexpr TextKey kAboutButton{"button_about", "&About"};
inline constexpr TextKey kStatsClose{"stats_close", "Close"};
inline constexpr TextKey kAboutTitle{"about_title", "About Pyxaro"};
// %1 is the version.
inline constexpr TextKey kAboutText{
    "about_text",
    "Pyxaro %1, the six-dice game. Copyright 2026 The Pyxaro developers; free software under "
    "the MIT licence. Made with Qt 6, under the GNU Lesser General Public License version 3."};

// Questions, in English when no language file names them.
inline constexpr TextKey kQuestionTitle{lang::kQuestionTitle, "Pyxaro"};
inline constexpr TextKey kAskNewGame{lang::kAskNewGame, "Start a new game?"};
inline constexpr TextKey kAskLanguage{
    lang::kAskLanguage, "Go back to the language list? The game in progress will be lost."};
inline constexpr TextKey kAskDayGame{"ask_day_game",
                                     "Start today's game, on the same dice as every player today?"};
inline constexpr TextKey kNewGameButton{"button_new_game", "&New game"};
inline constexpr TextKey kDayGameButton{"button_day_game", "&Today's game"};
inline constexpr TextKey kAskSendDay{"ask_send_day",
                                     "Send today's game to the online list of the day?"};
inline constexpr TextKey kAskQuit{lang::kAskQuit, "Quit Pyxaro?"};
inline constexpr TextKey kAskClearTopTen{lang::kAskClearTopTen, "Clear highscore?"};
inline constexpr TextKey kAskSend{lang::kAskSend, "Send this score to the online highscore list?"};

// The language picker and the profiles window.
inline constexpr TextKey kSelectLanguage{"select_language", "Select language"};
inline constexpr TextKey kDontShowAtStartup{"dont_show_at_startup", "Don't show this at startup"};
inline constexpr TextKey kUsersTitle{"users_title", "Pyxaro users"};
inline constexpr TextKey kUsersWindow{"users_window", "Pyxaro Users"};
inline constexpr TextKey kUsername{"username", "Username:"};
inline constexpr TextKey kPassword{"password", "Password:"};
inline constexpr TextKey kOk{"button_ok", "&OK"};
inline constexpr TextKey kCancel{"button_cancel", "&Cancel"};
inline constexpr TextKey kDontShowWhenSending{"dont_show_when_sending",
                                              "&Don't show this when sending highscore"};
inline constexpr TextKey kProfilesTitle{lang::kProfiles, "User profiles"};
inline constexpr TextKey kNoUser{lang::kNoUser, "No user"};
inline constexpr TextKey kAddTip{lang::kAddTip, "Add"};
inline constexpr TextKey kRemoveTip{lang::kRemoveTip, "Remove"};

// The top-ten list's name box and final score, and the online list's word
// that sending has begun. They have no English: without a language file the
// game shows them empty.
inline constexpr TextKey kNamePrompt{lang::kNamePrompt, ""};
inline constexpr TextKey kNameTitle{lang::kNameTitle, ""};
inline constexpr TextKey kFinalScore{lang::kFinalScore, ""};
// After the final score's play time.
inline constexpr TextKey kPlayTimeLabel{"final_play_time", "(play time)"};
inline constexpr TextKey kRowTip{lang::kRowTip, ""};
inline constexpr TextKey kSending{lang::kSending, ""};

// What the dot display says of the turn, and the score line; without a
// language file the display stays dark for them.
inline constexpr TextKey kGreeting{lang::kGreeting, ""};
inline constexpr TextKey kNewGameStarted{lang::kNewGame, ""};
inline constexpr TextKey kWorthNothing{lang::kWorthNothing, ""};
inline constexpr TextKey kSixAlike{lang::kSixAlike, ""};
inline constexpr TextKey kNoMoreRolls{lang::kNoMoreRolls, ""};
inline constexpr TextKey kScore{lang::kScore, ""};

// What a screen reader says of the game window; the dice's faces and the
// categories are numbered keys ("face1", "category1"), the categories' English
// is their spoken name in the category table.
inline constexpr TextKey kDie{"die", "Die %1"};
inline constexpr std::array<std::string_view, 6> kFaces{"one",  "two",  "three",
                                                        "four", "five", "six"};
inline constexpr TextKey kOpen{"category_open", "open"};
// A scorecard row's tool tip: its name and what it holds or these dice would
// make of it.
inline constexpr TextKey kRowWouldScore{"row_would_score", "%1: these dice would score %2"};
inline constexpr TextKey kRowNoFit{"row_no_fit", "%1: these dice score nothing here"};
inline constexpr TextKey kRowEntered{"row_entered", "%1: %2 entered"};
inline constexpr TextKey kHintMarkerTip{
    "hint_marker_tip", "The row worth most with these dice now; the advice plans further ahead"};
inline constexpr TextKey kProposed{"category_proposed", "Proposed for the dice on the table"};
inline constexpr TextKey kThrow{"control_throw", "Throw"};
inline constexpr TextKey kUndo{"control_undo", "Undo"};
inline constexpr TextKey kNewGame{"control_new_game", "New game"};
inline constexpr TextKey kQuit{"control_quit", "Quit"};
inline constexpr TextKey kClose{"control_close", "Close"};
inline constexpr TextKey kMinimise{"control_minimise", "Minimise"};
inline constexpr TextKey kLanguage{"control_language", "Language"};
inline constexpr TextKey kHome{"control_home", "Pyxaro online"};
inline constexpr TextKey kStatistics{"stats_title", "Statistics"};
inline constexpr TextKey kBonus{"counter_bonus", "Bonus"};
inline constexpr TextKey kTotal{"counter_total", "Total"};
inline constexpr TextKey kTime{"counter_time", "Time"};
inline constexpr TextKey kSoundOn{"sound_is_on", "Sound is on"};
inline constexpr TextKey kSoundOff{"sound_is_off", "Sound is off"};
inline constexpr TextKey kKeySpace{"key_space", "Space"};
inline constexpr TextKey kKeyCtrl{"key_ctrl", "Ctrl"};
inline constexpr TextKey kDayGameKey{"key_day_game", "D: today's game"};
// Tool tips that name their control, spoken with an English of their own when
// a language file lacks them.
inline constexpr TextKey kSoundSwitch{lang::kSoundTip, "Sound on/off"};
inline constexpr TextKey kRollsLeft{lang::kRollsTip, "Rolls left"};
inline constexpr TextKey kRollsPerCategory{lang::kRollsPerCategoryTip, "Rolls per open category"};
inline constexpr TextKey kMove{lang::kMoveTip, "Move the window"};
// The tool tips of the sound switch and the move handle, which read apart
// from their spoken names; the handle's has no English.
inline constexpr TextKey kSoundSwitchTip{lang::kSoundTip, "Sound On/Off"};
inline constexpr TextKey kMoveTip{lang::kMoveTip, ""};
// The board's own tool tips.
inline constexpr TextKey kRollsLeftTip{lang::kRollsTip, "Rolls"};
inline constexpr TextKey kRollsPerCategoryTip{lang::kRollsPerCategoryTip, "Rolls / Category"};
inline constexpr TextKey kChanceTip{lang::kChanceTip, "Chance"};
inline constexpr TextKey kHintTip{lang::kAdviceAsk, "Hint"};

// The words painted into the game window's picture, and the clock's caption
// before its first tick. The rolls per category stand one word a line.
inline constexpr TextKey kCaptionRoll{"caption_roll", "ROLL"};
inline constexpr TextKey kCaptionUndo{"caption_undo", "UNDO"};
inline constexpr TextKey kCaptionNew{"caption_new", "NEW"};
inline constexpr TextKey kCaptionHint{"caption_hint", "HINT"};
inline constexpr TextKey kCaptionStatistics{"caption_stats", "STATS"};
inline constexpr TextKey kCaptionLanguage{"caption_lang", "LANG"};
inline constexpr TextKey kCaptionQuit{"caption_quit", "QUIT"};
inline constexpr TextKey kCaptionRollsLeft{"caption_rolls", "ROLLS"};
inline constexpr TextKey kCaptionPerCategory{"caption_per_category", "PER CAT."};
inline constexpr TextKey kCaptionBonus{"caption_bonus", "BONUS"};
inline constexpr TextKey kCaptionTotal{"caption_total", "TOTAL"};
inline constexpr TextKey kCaptionTopTen{"caption_top_ten", "TOP 10"};
inline constexpr TextKey kCaptionOnline{"caption_online", "ONLINE"};
inline constexpr TextKey kCaptionHighscores{"caption_highscores", "HIGHSCORES"};
inline constexpr TextKey kCaptionTime{"caption_time", "TIME"};
inline constexpr TextKey kTagline{"slogan_game", "THE SIX-DICE GAME"};
inline constexpr TextKey kTableSlogan{
    "slogan_table", "SIXTY ROLLS  \u2022  TWENTY CATEGORIES  \u2022  BONUS AT 84"};

}  // namespace text
}  // namespace pyxaro
