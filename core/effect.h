#pragma once

namespace pyxaro {

// The game's sound effects, by the wave file each plays.
enum class Effect {
  Dice,       // a throw
  Points,     // an entry
  Bonus,      // the upper bonus won
  Yahoo,      // six alike on the table
  Yatzy,      // a Yatzy entered
  Fanfare,    // a place in the top ten: the Yatzy sound, to its end
  Laser,      // the name prompt of the top ten
  Beep,       // the home page
  BeepToEnd,  // the home page, waited for
  Pop,        // undo
  Doink,      // an entry refused
};

}  // namespace pyxaro
