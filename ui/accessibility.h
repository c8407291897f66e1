#pragma once

#include <QString>

#include "game/game.h"
#include "ui/widgets.h"

namespace pyxaro::ui {

// Gives the game's own controls their roles for screen readers: a control
// with an action is a button that can be pressed, the others are static
// text. Installed once per run, before the first window shows.
void InstallAccessibility();

// What screen readers say of the game window's controls, in the player's
// language: the control's tool tip where it has one, else the words the
// game window's data gives.
QString DieName(const Game& game, int k);
Spoken CategorySpeech(const Game& game, int k);
// A counter: what it counts, then its value.
QString CounterName(const Control& counter, const QString& fallback);
// The control's language text (its tool tip) or the fallback.
QString ControlName(const Control& control, const QString& fallback);

}  // namespace pyxaro::ui
