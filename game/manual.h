#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/host.h"
#include "scoring/turn.h"
#include "settings/languages.h"

namespace pyxaro {

// One category as the rules show it: its name, and six dice it takes with
// what they score there.
struct CategoryExample {
  std::string Name;
  std::array<int, 6> Dice{};
  int Points = 0;
  bool operator==(const CategoryExample&) const = default;
};

// The rules window's data, in the player's language.
struct RulesForm {
  bool Visible = false;
  std::string Caption;
  std::vector<std::string> Paragraphs;  // how a game goes, before the categories
  std::string CategoriesTitle;
  std::vector<CategoryExample> Categories;  // in the scorecard's order
  std::string AboutCaption, CloseCaption;
  bool operator==(const RulesForm&) const = default;
};

// The rules of the game (F1) and the About box.
class Manual {
 public:
  // The rows are named as `turn` names them.
  Manual(Host& host, const Languages& texts, const pyxaro::Turn& turn);

  // Shows the rules in the player's language.
  void Open();
  // The program's version, its licence and what it is made with.
  void About();
  // The player closed the rules.
  void Closed();

  const RulesForm& Window() const { return window_; }

 private:
  Host& host_;
  const Languages& texts_;
  const pyxaro::Turn& turn_;
  RulesForm window_;
};

}  // namespace pyxaro
