#pragma once

namespace pyxaro::ui {

// Where the start-up's milliseconds go. With PYXARO_STARTUP_TIMES set in the
// environment, each mark prints the time since the start of main and the
// time since the mark before to the console; without it, nothing happens.

// Starts the clock; the first thing main does.
void StartStartupClock();
// Marks the end of a step of the start-up.
void MarkStartup(const char* step);
// Marks when each window is first put on the screen and first painted. Needs
// the application object.
void MarkWindowsAppearing();

}  // namespace pyxaro::ui
