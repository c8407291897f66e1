#pragma once

#include <string_view>

namespace pyxaro {

// The dot display's cells are 5 columns by 7 rows.
inline constexpr int kGlyphColumns = 5;
inline constexpr int kGlyphRows = 7;
inline constexpr int kGlyphDots = kGlyphColumns * kGlyphRows;

// The character as the display draws it: ASCII and Latin-1 small letters
// become capitals (å ä ö ø æ ñ too); everything else is returned unchanged.
char32_t DisplayUpper(char32_t ch);

// The glyph of one character: 35 '0'/'1', one group of seven per column from
// left to right, each group from the top row down; '1' is a lit dot. Small
// letters share their capital's glyph; a character without a glyph of its
// own is a blank cell.
std::string_view GlyphDots(char32_t ch);

}  // namespace pyxaro
