// libFuzzer target for the settings text rules; the sanitizer build runs it
// as a test (tests/fuzz/CMakeLists.txt).

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/text.h"
#include "settings/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pyxaro;
  FuzzedDataProvider input(data, size);
  const auto text = [&](std::size_t most) {
    const std::string bytes = input.ConsumeRandomLengthString(most);
    return IsValidUtf8(bytes) ? bytes : Windows1252ToUtf8(bytes);
  };
  const std::string section = text(16), key = text(16), value = text(64);
  const ini::DecodedText file = ini::Decode(input.ConsumeRemainingBytesAsString());
  (void)ini::Index(file.text).Find(section, key);

  const auto edited = ini::SetValue(file.text, section, key, value);
  if (!edited) {
    if (ini::IsWritableSection(section) && ini::IsWritableKey(key)) std::abort();
    return 0;
  }
  // The value reads back as written (line breaks turned to blanks), the text
  // stays valid, and writing the same value again changes nothing.
  std::string expected = value;
  std::replace(expected.begin(), expected.end(), '\r', ' ');
  std::replace(expected.begin(), expected.end(), '\n', ' ');
  const ini::Index after(*edited);
  const auto found = after.Find(section, key);
  if (!found || *found != expected || !IsValidUtf8(*edited)) std::abort();
  if (ini::SetValue(*edited, section, key, value) != *edited) std::abort();
  return 0;
}
