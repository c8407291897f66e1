#include "ui/sound_output.h"
#include "ui/wave_player.h"

// Found by name when the program loads the sound module.
extern "C" pyxaro::ui::SoundOutput* PyxaroMakeSoundOutput() { return new pyxaro::ui::WavePlayer; }
