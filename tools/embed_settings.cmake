# Writes TARGET, a source that defines kShippedSettings (settings/shipped_settings.h)
# as the bytes of SOURCE, the shipped settings file.
file(READ "${SOURCE}" bytes HEX)
string(REGEX REPLACE "(..)" "\\\\x\\1" escaped "${bytes}")
file(WRITE "${TARGET}" "// Made by the build from ${SOURCE}.
#include \"settings/shipped_settings.h\"

namespace pyxaro {

namespace {

constexpr char kBytes[] = \"${escaped}\";

}  // namespace

const std::string_view kShippedSettings(kBytes, sizeof kBytes - 1);

}  // namespace pyxaro
")
