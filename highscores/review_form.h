#pragma once

#include <string>
#include <vector>

#include "core/game_state.h"
#include "highscores/statistics_form.h"
#include "scoring/game_review.h"

namespace pyxaro {

// One costly choice as the review window lists it, and the game as that
// throw left it, for the window to show when the row is opened.
struct ReviewRow {
  std::string Text;
  GameState Position;
  bool operator==(const ReviewRow&) const = default;
};

// The review window as data.
struct ReviewForm {
  bool Visible = false;
  std::string Caption;
  std::string Summary;  // the loss, the choices, the loss a choice and the verdict
  std::vector<ReviewRow> Rows;
  std::string NoRows;  // shown when no choice lost points
  int Opened = -1;     // the row whose position shows, -1 for none
  std::string PositionTitle;
  std::vector<std::string> OpenRows;  // the open categories of the opened position, with points
  std::string CloseCaption;
  bool operator==(const ReviewForm&) const = default;
};

// The window's data for a game's review, in the language's words where the
// language file has them and in English where it does not.
ReviewForm PresentReview(const GameReview& review, const LanguageText& text);
// The rows a position shows when it is opened: each open category with the
// points the dice on the table would score there.
std::vector<std::string> OpenRowsOf(const GameState& position, const LanguageText& text);

}  // namespace pyxaro
