#pragma once

#include <array>
#include <vector>

#include "scoring/advisor.h"
#include "scoring/move_record.h"

namespace pyxaro {

// What a player did with one throw: kept some faces and threw the other
// dice again, or entered the dice in a category.
struct Choice {
  int category = 0;  // the category entered, 0 for a throw again
  FaceCounts kept{};
  bool operator==(const Choice&) const = default;
};

// One choice of a game, set against the advisor's.
struct ReviewedChoice {
  int throwNumber = 0;  // the game's throws counted from 1
  GameState position;   // the game as the throw left it
  Choice played;
  Choice advised;
  float cost = 0;  // the points the played choice is expected to lose
};

// How a game's choices compare with the advisor's.
struct GameReview {
  std::vector<ReviewedChoice> costly;  // the choices that lost points, in game order
  double totalLoss = 0;
  int choices = 0;
  double MeanLoss() const { return choices == 0 ? 0 : totalLoss / choices; }
};

// What the advisor expects a choice in this position to be worth.
float ChoiceValue(Advisor& advisor, const AdvisorPosition& position, const Choice& choice);
// The choice the advisor makes.
Choice AdvisedChoice(Advisor& advisor, const AdvisorPosition& position);

// Reviews every choice of a game the record replays by the rules; an empty
// review for one it does not.
GameReview ReviewGame(const MoveRecord& record, Advisor& advisor);

// Reviews games against one advisor and keeps the last review, so that a
// finished game is reviewed once between its end and its coach.
class Reviewer {
 public:
  explicit Reviewer(Advisor& advisor) : advisor_(advisor) {}
  const GameReview& Review(const MoveRecord& moves);

 private:
  Advisor& advisor_;
  MoveRecord reviewed_;
  GameReview review_;
};

// A word for how well the game was played, from its mean loss per choice.
enum class Verdict { Expert, Strong, Fair, Learning };
Verdict VerdictOf(double meanLoss);

}  // namespace pyxaro
