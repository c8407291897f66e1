#pragma once

#include <string_view>

namespace pyxaro {

// The program's version, as the build sets it: the splash, the logo's tool
// tip, the check value and the online list all read it here.
inline constexpr std::string_view kAppVersion = PYXARO_VERSION;

}  // namespace pyxaro
