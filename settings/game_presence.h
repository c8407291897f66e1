#pragma once

// Games that share a data folder know of each other through the lock file
// beside its settings file: each running game holds a shared claim on it
// for as long as it runs, apart from the exclusive lock of a write.

#include <string>

namespace pyxaro {

// Says, until this program ends, that a game runs in the folder of the
// settings file. A game that is just clearing up that folder is waited for.
void AnnounceGame(const std::string& settingsFile);

// Whether no other running game has announced itself in the folder of the
// settings file. When none has, a game that announces itself there from now
// on waits until this program ends, so what this game clears up is not in
// use.
bool IsLastGameHere(const std::string& settingsFile);

}  // namespace pyxaro
