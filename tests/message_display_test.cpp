#include <array>

#include "core/text.h"
#include "display/clock.h"
#include "display/font.h"
#include "tests/game_fixture.h"

namespace pyxaro::testing {
namespace {

TEST(Font, GlyphsLightTheDotsAsDrawnColumnByColumn) {
  const std::pair<char32_t, std::array<const char*, 7>> drawings[] = {
      {U'A', {"..#..", ".#.#.", "#...#", "#####", "#...#", "#...#", "#...#"}},
      {U'7', {"#####", "....#", "...#.", "..#..", "..#..", "..#..", "..#.."}},
      {U'Ö', {".#.#.", ".....", ".###.", "#...#", "#...#", "#...#", ".###."}},
      {U'¿', {"..#..", ".....", "..#..", "..#..", ".#...", "#...#", ".###."}}};
  for (const auto& [ch, rows] : drawings) {
    std::string columns;
    for (int c = 0; c < 5; ++c) {
      for (const char* row : rows) columns += row[c] == '#' ? '1' : '0';
    }
    EXPECT_EQ(GlyphDots(ch), columns) << ToUtf8(std::u32string(1, ch));
  }
}

TEST(Font, SmallLettersDrawAsCapitalsAndOtherCharactersBlank) {
  const std::u32string small = U"abcdefghijklmnopqrstuvwxyzåäöøæñ";
  const std::u32string capital = U"ABCDEFGHIJKLMNOPQRSTUVWXYZÅÄÖØÆÑ";
  for (std::size_t i = 0; i < small.size(); ++i)
    EXPECT_EQ(GlyphDots(small[i]), GlyphDots(capital[i]));
  const std::string blank(kGlyphDots, '0');
  for (char32_t ch : std::u32string(U" ,'()#%&éÉÿß\tΩ😀")) EXPECT_EQ(GlyphDots(ch), blank);
  // Nothing else lights a dot: 60 glyphs besides the space, 32 small letters.
  int lit = 0;
  for (char32_t ch = 0; ch < 0x3000; ++ch) lit += GlyphDots(ch) != blank ? 1 : 0;
  EXPECT_EQ(lit, 60 + 32);
}

// The dots a page lights, cell by cell from the left.
std::bitset<kDotCount> Dots(const std::string& page) {
  std::bitset<kDotCount> dots;
  const std::u32string chars = ToCodePoints(page);
  for (std::size_t cell = 0; cell < chars.size(); ++cell) {
    const std::string_view glyph = GlyphDots(chars[cell]);
    for (std::size_t d = 0; d < glyph.size(); ++d) dots[cell * kGlyphDots + d] = glyph[d] == '1';
  }
  return dots;
}

TEST_F(GameTest, MessagesShowEachPageOnceAndRestOnTheLast) {
  const std::vector<std::vector<std::string>> cases = {
      {"", ""},
      {"ABCDEFGHIJKLM", "ABCDEFGHIJKLM"},
      {"ABCDEFGHIJKLMN", "ABCDEFGHIJKLM", "N"},
      {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLM", "NOPQRST"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ!", "ABCDEFGHIJKLM", "NOPQRSTUVWXYZ", "!"},
      // Two bytes a character: a page still holds 13 characters.
      {"ÅÄÖåäöØÆÑøæñ¿¡", "ÅÄÖåäöØÆÑøæñ¿", "¡"},
      {"hej,då", "HEJ DÅ"}};  // the text, then its pages
  for (const auto& c : cases) {
    SCOPED_TRACE(c[0]);
    game->run.Message = c[0];
    game->Say();
    for (std::size_t p = 1; p < c.size(); ++p) {
      if (p > 1) game->NextPage();
      const bool more = p + 1 < c.size();
      EXPECT_EQ(game->main.LitDots, Dots(c[p])) << p;
      EXPECT_EQ(game->main.PageTimer.Enabled(), more) << p;
      EXPECT_EQ(game->run.PageStart, more ? 13 * static_cast<int>(p) - 12 : 1) << p;
    }
  }
  // The full stop lights rows 5 and 6 of columns 1 and 2 of the last cell,
  // whose dots start at 12 * 35; a column is 7 dots.
  game->run.Message = "            .";
  game->Say();
  EXPECT_EQ(game->main.LitDots, std::bitset<kDotCount>().set(432).set(433).set(439).set(440));
}

TEST_F(GameTest, NewMessageWhilePagingStartsOnItsFirstPage) {
  game->run.Message = "ABCDEFGHIJKLMNOPQRSTUVWXYZ!";
  game->Say();
  game->NextPage();
  const unsigned starts = game->main.PageTimer.Starts();
  game->run.Message = "abcdefghijklmnopq";
  game->Say();
  EXPECT_EQ(game->run.PageStart, 1);
  EXPECT_EQ(game->main.PageTimer.Starts(), starts + 1);  // a fresh 2 s for the first page
  EXPECT_EQ(game->main.LitDots, Dots("ABCDEFGHIJKLM"));
  game->run.Message = "Hi";
  game->Say();
  EXPECT_FALSE(game->main.PageTimer.Enabled());
  EXPECT_EQ(game->main.LitDots, Dots("HI"));
}

TEST_F(GameTest, ClockShowsTheHostsTime) {
  EXPECT_EQ(game->main.Clock.Caption, "TIME");
  host.now = {2026, 12, 6, 0, 7, 420, "December"};
  game->ClockTick();
  EXPECT_EQ(game->main.Clock.Caption, "0:07");
  EXPECT_EQ(game->main.Clock.ToolTip, "6 December 2026");
  EXPECT_EQ(ClockCaption({2026, 1, 1, 14, 30, 0, ""}), "14:30");
}

}  // namespace
}  // namespace pyxaro::testing
