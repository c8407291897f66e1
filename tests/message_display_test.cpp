#include <array>
#include <bitset>
#include <climits>
#include <string_view>

#include "core/text.h"
#include "display/font.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

// The dot font written out from the game's rules: five columns of seven dots each, from the left
// and from the top row down; a lit dot is a 1 bit, the first dot the highest of 35.
constexpr std::u32string_view kChars =
    U"ABCDEFGHIJKLMNOPQRSTUVWXYZÅÄÖØÆÑ1234567890!?*_-+<>=^{}.:/@¿¡ ";
constexpr std::uint64_t kDots[] = {
    0x1F512141F, 0x7F93264B6, 0x3E83060A2, 0x7F830511C, 0x7F93264C1, 0x7F9122440, 0x3E832648E,
    0x7F102047F, 0x0083FE080, 0x0202040FE, 0x7F1051141, 0x7F0204081, 0x7F404107F, 0x7F202027F,
    0x3E83060BE, 0x7F9122430, 0x3E83161BE, 0x7F9132531, 0x3293264A6, 0x4081FE040, 0x7E02040FE,
    0x7C040417C, 0x7F041017F, 0x632820A63, 0x60203C860, 0x438B268E1, 0x0FE953A0F, 0x0FA852A0F,
    0x0EA24688E, 0x3E8B268BE, 0x1F51FE4C1, 0x5F909115F, 0x0043FC080, 0x2187164B1, 0x2283264B6,
    0x78102047F, 0x7A9326486, 0x0E32A6486, 0x40813E860, 0x3693264B6, 0x30932A638, 0x3E83060BE,
    0x0001F4000, 0x208136820, 0x2229FCA22, 0x081020408, 0x001020400, 0x0810F8408, 0x08288A080,
    0x414450400, 0x224489122, 0x1041FD010, 0x30F1F1F1F, 0x3EF9E1800, 0x00060C000, 0x0066CC000,
    0x030C30C30, 0x3E8376ABC, 0x020B64082, 0x00017C000, 0x000000000};
static_assert(std::size(kDots) == kChars.size());

std::string ExpectedDots(char32_t ch) {
  const std::size_t i = kChars.find(ch);
  return std::bitset<kGlyphDots>(i == kChars.npos ? 0 : kDots[i]).to_string();
}

TEST(Font, EveryCharacterDrawsItsGlyphSmallLettersTheirCapitalsOthersBlank) {
  for (const char32_t ch : kChars)
    EXPECT_EQ(GlyphDots(ch), ExpectedDots(ch)) << ToUtf8(std::u32string(1, ch));
  const std::u32string small = U"abcdefghijklmnopqrstuvwxyzåäöøæñ";
  const std::u32string capital = U"ABCDEFGHIJKLMNOPQRSTUVWXYZÅÄÖØÆÑ";
  for (std::size_t i = 0; i < small.size(); ++i)
    EXPECT_EQ(GlyphDots(small[i]), ExpectedDots(capital[i])) << ToUtf8(small.substr(i, 1));
  const std::string blank(kGlyphDots, '0');
  for (char32_t ch : std::u32string(U" ,'()#%&ÿÝÐ÷×\tΩŒ😀")) EXPECT_EQ(GlyphDots(ch), blank);
  // Nothing else lights a dot: 60 glyphs besides the space, 22 accented letters of the languages
  // shipped, 32 + 21 small letters.
  int lit = 0;
  for (char32_t ch = 0; ch < 0x3000; ++ch) lit += GlyphDots(ch) != blank ? 1 : 0;
  EXPECT_EQ(lit, 60 + 22 + 32 + 21);
}

// Each accented letter differs from every other character, and its small letter draws like it.
TEST(Font, AccentedLettersHaveGlyphsOfTheirOwn) {
  const std::u32string capital = U"ÁÀÂÃÉÈÊËÍÌÎÏÓÒÔÕÚÙÛÜÇß";
  const std::u32string small = U"áàâãéèêëíìîïóòôõúùûüçß";
  for (std::size_t i = 0; i < capital.size(); ++i) {
    SCOPED_TRACE(ToUtf8(capital.substr(i, 1)));
    EXPECT_EQ(GlyphDots(small[i]), GlyphDots(capital[i]));
    for (char32_t other = 1; other < 0x3000; ++other) {
      if (DisplayUpper(other) == capital[i]) continue;
      EXPECT_NE(GlyphDots(other), GlyphDots(capital[i])) << static_cast<int>(other);
    }
  }
}

// The dots a page lights, cell by cell from the left; the page is written in capitals.
std::bitset<kDotCount> Dots(const std::string& page) {
  std::bitset<kDotCount> dots;
  const std::u32string chars = ToCodePoints(page);
  for (std::size_t cell = 0; cell < chars.size(); ++cell) {
    const std::string glyph = ExpectedDots(chars[cell]);
    for (std::size_t d = 0; d < glyph.size(); ++d) dots[cell * kGlyphDots + d] = glyph[d] == '1';
  }
  return dots;
}

// The display on its own, with the test language's texts.
class DisplayTest : public GameTest {
 protected:
  DisplayTest() { store.Open(); }

  SettingsStore store{host, folder.Path().string()};
  Languages texts{host, store};
  MessageDisplay display{host, texts};
  const DisplayView& view = display.View();
};

TEST_F(DisplayTest, MessagesShowEachPageOnceAndRestOnTheLast) {
  // The text, then its pages; a page holds 13 characters, of two bytes too.
  const std::vector<std::vector<std::string>> cases = {
      {"", ""},
      {"ABCDEFGHIJKLM", "ABCDEFGHIJKLM"},
      {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLM", "NOPQRST"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ABCDEFGHIJKLM", "NOPQRSTUVWXYZ"},  // two full pages
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ!", "ABCDEFGHIJKLM", "NOPQRSTUVWXYZ", "!"},
      {"ÅÄÖåäöØÆÑøæñ¿¡", "ÅÄÖÅÄÖØÆÑØÆÑ¿", "¡"},
      {"hej,då", "HEJ DÅ"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c[0]);
    display.Say(c[0]);
    for (std::size_t p = 1; p < c.size(); ++p) {
      if (p > 1) display.NextPage();
      EXPECT_EQ(view.LitDots, Dots(c[p])) << p;
      EXPECT_EQ(view.PageTimer.Enabled(), p + 1 < c.size()) << p;
    }
  }
  // The full stop lights rows 5 and 6 of columns 1 and 2 of the last cell, whose dots start at 12 *
  // 35; a column is 7 dots.
  display.Say("            .");
  EXPECT_EQ(view.LitDots, std::bitset<kDotCount>().set(432).set(433).set(439).set(440));
}

TEST_F(DisplayTest, NewMessageWhilePagingStartsOnItsFirstPage) {
  display.Say("ABCDEFGHIJKLMNOPQRSTUVWXYZ!");
  display.NextPage();
  const unsigned starts = view.PageTimer.Starts();
  display.Say("abcdefghijklmnopq");
  EXPECT_EQ(view.PageTimer.Starts(), starts + 1);  // a fresh 2 s for the first page
  EXPECT_EQ(view.LitDots, Dots("ABCDEFGHIJKLM"));
  display.NextPage();
  EXPECT_EQ(view.LitDots, Dots("NOPQ"));
  display.Say("Hi");
  EXPECT_FALSE(view.PageTimer.Enabled());
  EXPECT_EQ(view.LitDots, Dots("HI"));
}

// The caption and tool tip a clock tick shows from the host's time: the hour without, the minute
// with a leading zero; the month's English name when the system gives none.
TEST_F(DisplayTest, ClockShowsTheHostsTimeFromItsFirstTick) {
  EXPECT_EQ(view.Clock.Caption, "TIME");
  const std::tuple<int, int, int, const char*, const char*> times[] = {
      {1, 0, 0, "", "0:00|5 January 2026"},
      {9, 7, 10, "", "7:10|5 September 2026"},
      {12, 23, 59, "diciembre", "23:59|5 diciembre 2026"}};
  for (const auto& [month, hour, minute, name, shown] : times) {
    host.now = {2026, month, 5, hour, minute, 0, name};
    display.ClockTick();
    EXPECT_EQ(view.Clock.Caption + "|" + view.Clock.ToolTip, shown);
  }
}

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
    EXPECT_EQ(std::tuple(ToCodePoints(bytes), IsValidUtf8(bytes), CharCount(bytes),
                         valid && ToUtf8(codePoints) != bytes),
              std::tuple(codePoints, valid, static_cast<int>(codePoints.size()), false))
        << bytes;
  }
  EXPECT_EQ(Windows1252ToUtf8("\x80\x81\x9F\xA0\xE5z"), "\u20AC\u0081\u0178\u00A0\u00E5z");
}

TEST(Text, CountsCutsAndNumbersByCharacters) {
  const std::string text = "ÅÄÖabc";
  EXPECT_EQ(CharMid(text, 3, 2) + "|" + CharMid(text, 0, 2) + "|" + CharMid(text, 6, 5) + "|" +
                CharMid(text, 7, 5) + "|" + CharMid(text, 2, 0) + "|" + CharLeft(text, 4) + "|" +
                DropLastChar("Rensa:ö") + "|" + DropLastChar(""),
            "Öa|ÅÄ|c|||ÅÄÖa|Rensa:|");
  std::string numbers;
  for (const char* number : {"42", " \t-17x", "+8", "", "x1", "3.9", "99999999999", "-99999999999"})
    numbers += std::to_string(LeadingNumber(number)) + " ";
  EXPECT_EQ(numbers,
            "42 -17 8 0 0 3 " + std::to_string(INT_MAX) + " " + std::to_string(INT_MIN) + " ");
}

}  // namespace
}  // namespace pyxaro::testing
