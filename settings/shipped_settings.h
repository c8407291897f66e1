#pragma once

#include <string_view>

namespace pyxaro {

// The settings file the program comes with, data/Pyx4.ini, as the build
// found it: that file is the one source of the shipped settings.
extern const std::string_view kShippedSettings;

}  // namespace pyxaro
