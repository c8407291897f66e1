#pragma once

namespace pyxaro::lang {

// The keys of the texts in a language file, by what each text is for.
inline constexpr const char* kGreeting = "l0";         // the first new game of a run
inline constexpr const char* kScore = "l1";            // before ": " and the total
inline constexpr const char* kWorthNothing = "l2";     // an entry refused
inline constexpr const char* kNoMoreRolls = "l3";      // the last roll is spent
inline constexpr const char* kSixAlike = "l4";         // six dice alike
inline constexpr const char* kQuestionTitle = "l5";    // the title of every question
inline constexpr const char* kAskNewGame = "l6";       // start a new game?
inline constexpr const char* kNewGame = "l7";          // every later new game
inline constexpr const char* kNameTitle = "l8";        // the top-ten name box's title
inline constexpr const char* kNamePrompt = "l9";       // the top-ten name box's prompt
inline constexpr const char* kAskLanguage = "l10";     // back to the language picker?
inline constexpr const char* kAskQuit = "l11";         // quit?
inline constexpr const char* kRowTip = "l12";          // a top-ten row's tip, before the points
inline constexpr const char* kAskClearTopTen = "l13";  // clear the list? (less ':' a caption)
inline constexpr const char* kAskSend = "l14";         // send to the online list?
inline constexpr const char* kSending = "l15";         // sending has started
inline constexpr const char* kFinalScore = "l16";      // the final score box, before the total
inline constexpr const char* kNoBonus = "l17";         // the upper section filled short
inline constexpr const char* kProfiles = "l18";        // the profiles window and its label
inline constexpr const char* kSoundTip = "l19";        // the sound switch
inline constexpr const char* kRollsTip = "l20";        // the rolls counter
inline constexpr const char* kRollsPerCategoryTip = "l21";  // the rolls per category
inline constexpr const char* kChanceTip = "l22";            // the Chance row
inline constexpr const char* kNoUser = "l23";               // the player label without a profile
inline constexpr const char* kAddTip = "l24";               // the profiles window's add button
inline constexpr const char* kRemoveTip = "l25";            // the profiles window's remove button
inline constexpr const char* kMoveTip = "l26";              // the move handle

}  // namespace pyxaro::lang
