// The settings text rules over hostile files and groups of changes. Built with libFuzzer in the
// sanitizer configuration, and run over a fixed series of inputs by every test run (replay.cpp).

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "core/text.h"
#include "settings/ini_file.h"

namespace {

using namespace pyxaro;

// Names that fold together, differ by blanks around them, or cannot be written.
const std::vector<std::string> kSections = {"A", "a", " a\t", "Språk", "SPRÅK", "b",
                                            "",  " ", "x=y",  "C]",    "D\nE"};
const std::vector<std::string> kKeys = {"k", "K",   " k ", "Nyckel", "nYCKEL", "v",
                                        "",  "a=b", ";c",  "[d",     "e\rf"};
const std::vector<std::string> kValues = {"",    "1",  " lead", "trail\t",       "\"q\"",     "'s'",
                                          "a=b", ";c", "[d]",   "x\r\n[A]\nk=2", "Åsa \u00E5"};

std::string Text(FuzzedDataProvider& input, const std::vector<std::string>& names) {
  if (input.ConsumeIntegralInRange(0, 7) == 0) {
    const std::string bytes = input.ConsumeRandomLengthString(16);
    return IsValidUtf8(bytes) ? bytes : Windows1252ToUtf8(bytes);
  }
  return names[input.ConsumeIntegralInRange<std::size_t>(0, names.size() - 1)];
}

// A file of sections, keys, comments and stray bytes, in either line ending.
std::string File(FuzzedDataProvider& input) {
  std::string file = input.ConsumeBool() ? "\xEF\xBB\xBF" : "";
  const char* const end = input.ConsumeBool() ? "\r\n" : "\n";
  for (int lines = input.ConsumeIntegralInRange(0, 12); lines > 0; --lines) {
    const int kind = input.ConsumeIntegralInRange(0, 4);
    file += kind == 0   ? "[" + Text(input, kSections) + "]"
            : kind == 1 ? ";" + Text(input, kKeys) + "=1"
            : kind == 2 ? input.ConsumeRandomLengthString(24)
                        : Text(input, kKeys) + "=" + Text(input, kValues);
    file += end;
  }
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  std::vector<IniChange> group(input.ConsumeIntegralInRange(1, 4));
  for (IniChange& change : group)
    change = {Text(input, kSections), Text(input, kKeys), Text(input, kValues)};
  const std::string bytes = File(input);
  const ini::DecodedText before = ini::Decode(bytes);
  const ini::Index old(before.text);

  // A group is stored whole or not at all: one name that cannot be written refuses every change.
  const std::string body = bytes.substr(before.hadBom ? 3 : 0);
  const auto edited = ini::SetValues(body, group);
  const bool writable = std::all_of(group.begin(), group.end(), [](const IniChange& change) {
    return ini::IsWritableSection(change.Section) && ini::IsWritableKey(change.Key);
  });
  if (edited.has_value() != writable) std::abort();
  if (!edited) return 0;

  // Read back, a changed key holds its last value (line breaks turned to blanks), any other its
  // old.
  const ini::Index now(ini::Decode(*edited).text);
  std::vector<std::pair<std::string, std::string>> names;
  for (const std::string& section : kSections)
    for (const std::string& key : kKeys) names.emplace_back(section, key);
  for (const IniChange& change : group) names.emplace_back(change.Section, change.Key);
  for (const auto& [section, key] : names) {
    std::optional<std::string> expected(old.Find(section, key));
    for (const IniChange& change : group) {
      if (ini::FoldName(change.Section) != ini::FoldName(section) ||
          ini::FoldName(change.Key) != ini::FoldName(key))
        continue;
      expected = change.Value;
      std::replace_if(
          expected->begin(), expected->end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    }
    if (now.Find(section, key) != expected) std::abort();
  }
  // The same group again changes nothing.
  if (ini::SetValues(*edited, group) != *edited) std::abort();
  return 0;
}
