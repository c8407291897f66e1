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

void Game::Say(const std::string& message) {
  // Every message starts on its first page, and a new one cuts off the
  // paging of the last with a fresh interval.
  main.PageTimer.SetEnabled(false);
  run.Said = message;
  run.PageStart = 1;
  ++run.MessagesSaid;
  ShowPage();
  if (CharCount(run.Said) > kCells) main.PageTimer.SetEnabled(true);
}

void Game::NextPage() {
  run.PageStart += kCells;
  ShowPage();
  // The page just drawn holds the last character: rest on it, no repeat.
  if (run.PageStart + kCells - 1 >= CharCount(run.Said)) {
    main.PageTimer.SetEnabled(false);
    run.PageStart = 1;
  }
}

void Game::ShowPage() {
  const std::u32string page = ToCodePoints(CharMid(run.Said, run.PageStart, kCells));
  std::string pattern;
  pattern.reserve(kDotCount);
  for (std::size_t cell = 0; cell < static_cast<std::size_t>(kCells); ++cell) {
    pattern += GlyphDots(cell < page.size() ? page[cell] : U' ');
  }
  // Built aside and assigned once: the front end repaints on every change of
  // the dots, so they must never pass through a half-drawn state.
  std::bitset<kDotCount> lit;
  for (std::size_t j = 0; j < lit.size(); ++j) lit[j] = pattern[j] == '1';
  main.LitDots = lit;
}

}  // namespace pyxaro
