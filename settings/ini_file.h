#pragma once

// The text rules of a settings file, kept apart from the disk so that every
// rule can be tried on a string: how a file is decoded, how a line is read,
// how a value is looked up and how one value is changed in place.

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "settings/ini.h"

namespace pyxaro::ini {

// A file's bytes as text: UTF-8 without its byte-order mark. A line that is
// not valid UTF-8 was written on the old system in Windows-1252; the choice
// is made line by line, since a hand edit can put one such line into a
// UTF-8 file.
struct DecodedText {
  std::string text;
  bool hadBom = false;
};
DecodedText Decode(std::string_view bytes);

enum class LineKind { kOther, kSection, kKey };

// One line without its line ending. For a section the name is the text
// between the brackets; for a key the name is the text before the first "="
// and the value what follows it, both without surrounding blanks and tabs,
// the value also without one pair of enclosing matching quotes.
struct Line {
  LineKind kind = LineKind::kOther;
  std::string_view name;
  std::string_view value;
};
Line ReadLine(std::string_view content);

// Names match without regard to the case of ASCII and Latin-1 letters and
// to blanks and tabs around them.
std::string FoldName(std::string_view name);

// Every value of a text, by section and key. Only the first section of a name
// counts, and in it only the first line of a key.
class Index {
 public:
  explicit Index(std::string text);
  Index(Index&&) = default;
  Index& operator=(Index&&) = default;
  // nullopt when the section or the key is missing. The text lives as long
  // as the index.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

 private:
  // Names as they stand in the text, hashed and compared as FoldName folds
  // them, so that no name is copied.
  struct FoldedHash {
    std::size_t operator()(std::string_view name) const;
  };
  struct FoldedEqual {
    bool operator()(std::string_view a, std::string_view b) const;
  };
  using Keys = std::unordered_map<std::string_view, std::string_view, FoldedHash, FoldedEqual>;
  // A section's lines, and its keys once a look-up has asked for them: a
  // large section nobody reads is never indexed.
  struct Section {
    std::string_view body;
    mutable std::optional<Keys> keys;
  };

  // Held apart so that a moved index still points into it.
  std::unique_ptr<const std::string> text_;
  std::unordered_map<std::string_view, Section, FoldedHash, FoldedEqual> sections_;
};

// Names that can be written so that they read back as the same name.
bool IsWritableSection(std::string_view section);
bool IsWritableKey(std::string_view key);

// The value as it is written after "=", so that ReadLine gives it back:
// line breaks become blanks, and a value that reading would alter is put
// inside double quotes.
std::string QuoteValue(std::string_view value);

// The file's bytes (without a byte-order mark) with every change made, the
// later of two changes to one key winning. Every line no change touches keeps
// its bytes; a changed line is written as UTF-8. nullopt when a name cannot
// be written.
std::optional<std::string> SetValues(std::string_view bytes, const std::vector<IniChange>& changes);

// Every key of the text with its section and value, in the order of the
// text. A key before the first section belongs to none and is left out.
std::vector<IniChange> Entries(std::string_view text);

// The values of the secret keys the text holds, empty ones aside.
std::multiset<std::string> SecretValues(std::string_view text, const SecretKeys& secrets);

// SetValues with a single change.
std::optional<std::string> SetValue(std::string_view bytes, std::string_view section,
                                    std::string_view key, std::string_view value);

}  // namespace pyxaro::ini
