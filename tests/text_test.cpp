#include "core/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <tuple>

namespace pyxaro {
namespace {

TEST(Text, EncodesAndDecodesOneToFourBytesAndReplacesEveryMalformedByte) {
  // The bytes, the code points they hold, and whether they are valid UTF-8.
  const std::tuple<std::string, std::u32string, bool> cases[] = {
      {"a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", U"a\u00E9\u20AC\U0001F600", true},
      {"\xEF\xBF\xBD", U"\uFFFD", true},                         // a literal replacement
      {"\xC0\xAF", U"\uFFFD\uFFFD", false},                      // overlong
      {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD", false},            // the first surrogate
      {"\xED\xBF\xBF", U"\uFFFD\uFFFD\uFFFD", false},            // the last surrogate
      {"\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD", false},  // above U+10FFFF
      {"\xE2\x82", U"\uFFFD\uFFFD", false},                      // cut short
      {"\xE2(\xAC", U"\uFFFD(\uFFFD", false},                    // a broken sequence
  };
  for (const auto& [bytes, codePoints, valid] : cases) {
    SCOPED_TRACE(bytes);
    EXPECT_EQ(ToCodePoints(bytes), codePoints);
    EXPECT_EQ(IsValidUtf8(bytes), valid);
    EXPECT_EQ(CharCount(bytes), static_cast<int>(codePoints.size()));
    if (valid) {
      EXPECT_EQ(ToUtf8(codePoints), bytes);
    }
  }
  EXPECT_EQ(Windows1252ToUtf8("\x80\x81\x9F\xA0\xE5z"), "\u20AC\u0081\u0178\u00A0\u00E5z");
}

TEST(Text, CountsCutsAndNumbersByCharacters) {
  EXPECT_EQ(CharMid("ÅÄÖabc", 3, 2), "Öa");
  EXPECT_EQ(CharMid("ÅÄÖabc", 0, 2), "ÅÄ");
  EXPECT_EQ(CharMid("ÅÄÖabc", 6, 5), "c");
  EXPECT_EQ(CharMid("ÅÄÖabc", 7, 5), "");
  EXPECT_EQ(CharMid("ÅÄÖabc", 2, 0), "");
  EXPECT_EQ(CharLeft("ÅÄÖabc", 4), "ÅÄÖa");
  EXPECT_EQ(DropLastChar("Rensa:ö"), "Rensa:");
  EXPECT_EQ(DropLastChar(""), "");
  const std::pair<const char*, int> numbers[] = {{"42", 42},
                                                 {" \t-17x", -17},
                                                 {"+8", 8},
                                                 {"", 0},
                                                 {"x1", 0},
                                                 {"3.9", 3},
                                                 {"99999999999", INT_MAX},
                                                 {"-99999999999", INT_MIN}};
  for (const auto& [text, number] : numbers) EXPECT_EQ(LeadingNumber(text), number) << text;
}

}  // namespace
}  // namespace pyxaro
