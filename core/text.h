#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace pyxaro {

// Text is UTF-8 throughout. Wherever the game counts characters it counts
// code points, so no character is ever cut in half.

std::u32string ToCodePoints(std::string_view utf8);
std::string ToUtf8(std::u32string_view codePoints);
bool IsValidUtf8(std::string_view bytes);
std::string Windows1252ToUtf8(std::string_view bytes);

int CharCount(std::string_view utf8);
// At most count characters, starting at the 1-based character position start.
std::string CharMid(std::string_view utf8, int start, int count);
std::string CharLeft(std::string_view utf8, int count);
// The text without its last character; the empty text stays empty.
std::string DropLastChar(std::string_view utf8);

// A whole number as the game reads counts from the settings file: leading
// blanks skipped, digits up to the first other character, 0 for no number.
int LeadingNumber(std::string_view text);

// Characters that would steer the text rather than be part of it: control
// characters, the bidirectional marks, overrides and isolates, which could
// make a name read as someone else's, and the line and paragraph separators.
bool SteersText(char32_t c);
// The text as a name from a file or a player is shown: without the
// characters that steer it.
std::string ShownText(std::string_view utf8);

// The pattern with %1, %2, ... replaced by the values in turn.
std::string FillIn(std::string pattern, std::initializer_list<std::string> values);

}  // namespace pyxaro
