#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pyxaro {

// A message cut into pages of at most `cells` characters, broken between
// words: a page never ends inside a word nor shows a number alone, so
// "Your game goes on" pages as "Your game" and "goes on". Blanks between
// pages are dropped; a word longer than a page is cut where the page ends,
// the only way it fits. An empty message is one empty page.
std::vector<std::u32string> DisplayPages(std::string_view message, std::size_t cells);

}  // namespace pyxaro
