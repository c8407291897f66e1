#include <climits>
#include <fstream>
#include <map>

#include "core/text.h"
#include "display/display_pages.h"
#include "display/font.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

// The characters the display draws: the letters first, each above its small letter, then the rest.
constexpr std::u32string_view kDrawn =
    U"ABCDEFGHIJKLMNOPQRSTUVWXYZÅÄÖØÆÑÁÀÂÃÉÈÊËÍÌÎÏÓÒÔÕÚÙÛÜÇß123456789!?*_-+<>=^{}.:/@¿¡";
constexpr std::u32string_view kSmall = U"abcdefghijklmnopqrstuvwxyzåäöøæñáàâãéèêëíìîïóòôõúùûüç";

// Every character drawn has a glyph no other has, a small letter draws as its capital and the
// digit 0 as the letter O, and every other character, however near a letter (ÿ Ý Ð ÷ ×) or far
// (😀), is a blank cell.
TEST(Font, EachCharacterDrawnHasAGlyphOfItsOwnSmallLettersTheirCapitalsOthersBlank) {
  const std::string blank(kGlyphDots, '0');
  std::set<std::string_view> glyphs;
  for (char32_t ch = 0; ch < 0x1F700; ++ch) {
    const std::string_view dots = GlyphDots(ch);
    const std::size_t small = kSmall.find(ch);
    if (ch == U'0' || small != kSmall.npos)
      EXPECT_EQ(dots, GlyphDots(ch == U'0' ? U'O' : kDrawn[small])) << static_cast<int>(ch);
    else if (kDrawn.find(ch) != kDrawn.npos)
      EXPECT_TRUE(dots != blank && glyphs.insert(dots).second) << static_cast<int>(ch);
    else
      EXPECT_EQ(dots, blank) << static_cast<int>(ch);
  }
}

// The dots a page lights, cell by cell from the left.
std::bitset<kDotCount> Dots(const std::string& page) {
  std::string glyphs;
  for (const char32_t ch : ToCodePoints(page)) glyphs += GlyphDots(ch);
  std::bitset<kDotCount> dots;
  for (std::size_t d = 0; d < glyphs.size(); ++d) dots[d] = glyphs[d] == '1';
  return dots;
}

// The display on its own, with the test language's texts.
class DisplayTest : public GameTest {
 protected:
  DisplayTest() { store.Open(); }

  SettingsStore store{host, folder.Path().string(), std::nullopt};
  Languages texts{host, store};
  MessageDisplay display{host, texts};
  const DisplayView& view = display.View();
};

// Each message cuts off the paging of a long one before it with a fresh interval for its first
// page.
TEST_F(DisplayTest, MessagesShowEachPageOnceAndRestOnTheLast) {
  // The text, then its pages; a page holds 13 characters, of two bytes too, broken between words.
  const std::vector<std::vector<std::string>> cases = {
      {"", ""},
      {"ABCDEFGHIJKLM", "ABCDEFGHIJKLM"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ABCDEFGHIJKLM", "NOPQRSTUVWXYZ"},  // a word of two pages
      // A sign that ends a word is not left alone.
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ!", "ABCDEFGHIJKLM", "NOPQRSTUVWXY", "Z!"},
      {"ÅÄÖåäöØÆÑøæñ¿¡", "ÅÄÖÅÄÖØÆÑØÆÑ", "¿¡"},
      {"Punktzahl: 123", "PUNKTZAHL:", "123"},  // the word before a number is too long to go along
      {"SCORE IS 123", "SCORE IS 123"},
      {"YOUR SCORE IS 123", "YOUR SCORE", "IS 123"},
      {"Your game goes on", "YOUR GAME", "GOES ON"},
      {"hej,då", "HEJ DÅ"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c[0]);
    display.Say("ABCDEFGHIJKLMNOPQRSTUVWXYZ!");
    display.NextPage();
    const unsigned starts = view.PageTimer.Starts();
    display.Say(c[0]);
    EXPECT_EQ(view.PageTimer.Starts(), starts + (c.size() > 2 ? 1 : 0));
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

// Every text the game can say, in every shipped language, and the advice it can make of any dice:
// each page fits the display, no page ends inside a word that a page could hold whole, none shows a
// number alone, and the pages hold the text's every word in order.
TEST(DisplayPagesTest, NoPageOfAnyTextInAnyLanguageEndsInsideAWordOrShowsANumberAlone) {
  constexpr std::size_t npos = std::u32string::npos;
  // Every choice of dice to keep, in the order the advice names them.
  std::vector<std::string> faces{""};
  for (std::size_t f = 0; f < faces.size(); ++f)
    for (char face = faces[f].empty() ? '1' : faces[f].back(); face <= '6' && faces[f].size() < 5;
         ++face)
      faces.push_back(faces[f] + face);
  int texts = 0;
  for (const auto& file : std::filesystem::directory_iterator(ShippedData())) {
    if (file.path().extension() != ".lng") continue;
    std::map<std::string, std::string> values;
    for (const std::string& key : KeysOf(file.path())) {
      std::string& value = values[key] = GetINI("Language", key, file.path().string());
      for (const auto& [mark, number] : {std::pair{"%1", "535"}, {"%2", "12"}, {"%3", "0.42"}})
        for (auto at = value.find(mark); at != std::string::npos; at = value.find(mark))
          value.replace(at, 2, number);
    }
    std::vector<std::string> said;
    for (const auto& [key, value] : values) {
      said.push_back(value);
      said.push_back(values["advice_enter"] + " " + value);
    }
    for (const std::string& kept : faces) said.push_back(values["advice_keep"] + " " + kept);
    for (const std::string& text : said) {
      ++texts;
      const std::vector<std::u32string> pages = DisplayPages(text, 13);
      std::u32string words = ToCodePoints(text);
      while (!words.empty() && words.back() == U' ') words.pop_back();
      std::size_t at = 0;
      for (std::size_t p = 0; p < pages.size(); ++p) {
        const std::u32string& page = pages[p];
        SCOPED_TRACE(file.path().filename().string() + ": " + text + " page " + std::to_string(p));
        ASSERT_LE(page.size(), 13U);
        ASSERT_EQ(words.substr(at, page.size()), page);
        const std::size_t blank = at == 0 ? npos : words.rfind(U' ', at - 1);
        const std::size_t wordStart = blank == npos ? 0 : blank + 1;
        at += page.size();
        // A number stands alone only where the word before it is too long to share its page.
        if (p > 0 && page.find_first_not_of(U"0123456789.,-+%!?:") == npos) {
          const std::size_t last = pages[p - 1].rfind(U' ');
          const std::size_t wordBefore = pages[p - 1].size() - (last == npos ? 0 : last + 1);
          EXPECT_GT(wordBefore + 1 + page.size(), 13U) << "a number alone";
        }
        if (at < words.size() && words[at] == U' ') {
          while (words[at] == U' ') ++at;
        } else if (at < words.size()) {
          // Inside a word: only one longer than a page.
          const std::size_t end = std::min(words.find(U' ', at), words.size());
          EXPECT_GT(end - wordStart, 13U) << "inside a word";
        }
      }
      EXPECT_EQ(at, words.size());
    }
  }
  EXPECT_GT(texts, 11 * 400);
}

// The caption and tool tip a clock tick shows from the host's time: the hour without, the minute
// with a leading zero; the month's English name when the system gives none.
TEST_F(DisplayTest, ClockShowsTheHostsTimeFromItsFirstTick) {
  EXPECT_EQ(view.Clock.Caption, "TIME");
  const std::tuple<int, int, int, const char*, const char*> times[] = {
      {1, 7, 5, "", "7:05|5 January 2026"}, {12, 23, 10, "diciembre", "23:10|5 diciembre 2026"}};
  for (const auto& [month, hour, minute, name, shown] : times) {
    host.now = {2026, month, 5, hour, minute, 0, name};
    display.ClockTick();
    EXPECT_EQ(view.Clock.Caption + "|" + view.Clock.ToolTip, shown);
  }
}

TEST(Text, DecodesEveryMalformedByteAsOneReplacementAndCountsCutsAndNumbersByCharacters) {
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
  // A number ends with its text, whatever digits follow it in memory.
  EXPECT_EQ(LeadingNumber(std::string_view("1234").substr(0, 2)), 12);
}

}  // namespace
}  // namespace pyxaro::testing
