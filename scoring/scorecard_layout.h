#pragma once

namespace pyxaro {

// Where the hint's marker stands beside category k, in twips from the window's top.
int HintMarkerTop(int category);
// Where the advice's arrow stands beside category k.
int AdviceArrowTop(int category);

}  // namespace pyxaro
