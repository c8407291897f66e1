#pragma once

namespace pyxaro {

// The pictures the game shows by number: the dice 11..66 (one set per place
// on the table), then the sound switch and the move handle.
inline constexpr int kSoundOnPicture = 67;
inline constexpr int kSoundOffPicture = 68;
inline constexpr int kMoveHandlePicture = 69;

// Die k showing face 1..6.
constexpr int DiePicture(int die, int face) { return 10 * die + face; }

}  // namespace pyxaro
