#include <algorithm>
#include <string>

#include "core/game.h"
#include "core/text.h"
#include "display/font.h"

namespace pyxaro {

namespace {

constexpr int kCells = 13;
static_assert(kCells * kGlyphDots == kDotCount);

}  // namespace

void Game::Say() {
  // Every message starts on its first page, and a new one cuts off the
  // paging of the last with a fresh interval.
  main.Timer1.SetEnabled(false);
  run.SayPos = 1;
  run.SayLen = CharCount(run.SayText);
  run.ScrollText = CharMid(run.SayText, run.SayPos, kCells);
  Bin2Scroll();
  if (run.SayLen > kCells) main.Timer1.SetEnabled(true);
}

void Game::Timer1Tick() {
  run.SayLen = CharCount(run.SayText);
  run.SayPos += kCells;
  run.ScrollText = CharMid(run.SayText, run.SayPos, kCells);
  Bin2Scroll();
  // The page just drawn holds the last character: rest on it, no repeat.
  if (run.SayPos + kCells - 1 >= run.SayLen) {
    main.Timer1.SetEnabled(false);
    run.SayPos = 1;
  }
}

void Game::Bin2Scroll() {
  const std::u32string page = ToCodePoints(run.ScrollText);
  std::string pattern;
  pattern.reserve(kDotCount);
  for (std::size_t cell = 0; cell < static_cast<std::size_t>(kCells); ++cell) {
    pattern += Abc101(cell < page.size() ? page[cell] : U' ');
  }
  Abc2Bin(pattern);
}

void Game::Abc2Bin(const std::string& pattern) {
  // Built aside and assigned once: the front end repaints on every change of
  // Digit, so the dots must never pass through a half-drawn state.
  std::bitset<kDotCount> lit;
  const std::size_t dots = std::min(pattern.size(), lit.size());
  for (std::size_t j = 0; j < dots; ++j) lit[j] = pattern[j] == '1';
  main.Digit = lit;
}

}  // namespace pyxaro
