// libFuzzer target for the settings text rules. Not part of the normal build:
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. \
//     tests/fuzz/ini_fuzz.cpp settings/ini_file.cpp core/text.cpp -o ini_fuzz

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/text.h"
#include "settings/ini_file.h"

namespace {

std::string AsUtf8(const std::string& bytes) {
  return pyxaro::IsValidUtf8(bytes) ? bytes : pyxaro::Windows1252ToUtf8(bytes);
}

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pyxaro::ini;
  FuzzedDataProvider input(data, size);
  const std::string section = AsUtf8(input.ConsumeRandomLengthString(16));
  const std::string key = AsUtf8(input.ConsumeRandomLengthString(16));
  const std::string value = AsUtf8(input.ConsumeRandomLengthString(64));
  const DecodedText file = Decode(input.ConsumeRemainingBytesAsString());

  const Index before(file.text);
  (void)before.Find(section, key);

  const auto edited = SetValue(file.text, section, key, value);
  if (!edited) {
    Require(!IsWritableSection(section) || !IsWritableKey(key));
    return 0;
  }
  // The value reads back as written (line breaks turned to blanks) ...
  std::string expected = value;
  for (char& c : expected) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  const Index after(*edited);
  const auto found = after.Find(section, key);
  Require(found.has_value() && *found == expected);
  // ... the text stays valid, and writing the same value again changes nothing.
  Require(pyxaro::IsValidUtf8(*edited));
  Require(SetValue(*edited, section, key, value) == *edited);
  return 0;
}
