#include "display/display_pages.h"

#include <algorithm>

#include "core/text.h"

namespace pyxaro {

namespace {

// A word and the blanks before it.
struct Token {
  std::u32string gap, word;
};

constexpr std::u32string_view kSigns = U".,;:-+%!?\u00BF\u00A1()\"'";
constexpr std::u32string_view kDigitsAndSigns = U"0123456789.,;:-+%!?\u00BF\u00A1()\"'";

// Signs alone ("?", ":", "%"), or with digits ("12.", "-84"): said alone, they
// name nothing.
bool NamesNothing(std::u32string_view text) {
  return text.find_first_not_of(kDigitsAndSigns) == std::u32string::npos;
}

bool IsSigns(std::u32string_view text) {
  return text.find_first_not_of(kSigns) == std::u32string::npos;
}

std::vector<Token> Tokens(const std::u32string& text, std::size_t cells) {
  std::vector<Token> tokens(1);
  for (const char32_t c : text) {
    if (c == U' ' && !tokens.back().word.empty()) tokens.emplace_back();
    (c == U' ' ? tokens.back().gap : tokens.back().word) += c;
  }
  // Blanks after the last word show nothing.
  if (tokens.back().word.empty()) tokens.pop_back();
  // Signs set apart ("Mot de passe :", "535 %") stay with the word before,
  // where the two fit a page.
  std::vector<Token> joined;
  for (Token& token : tokens) {
    if (!joined.empty() && IsSigns(token.word) &&
        joined.back().word.size() + token.gap.size() + token.word.size() <= cells) {
      joined.back().word += token.gap + token.word;
    } else {
      joined.push_back(std::move(token));
    }
  }
  return joined;
}

}  // namespace

std::vector<std::u32string> DisplayPages(std::string_view message, std::size_t cells) {
  std::vector<std::u32string> pages(1);
  for (const auto& [gap, word] : Tokens(ToCodePoints(message), cells)) {
    // The blanks at a page's break are not shown; those inside a page are.
    const std::u32string lead = pages.back().empty() && pages.size() > 1 ? U"" : gap;
    if (pages.back().size() + lead.size() + word.size() <= cells) {
      pages.back() += lead + word;
      continue;
    }
    // A word no page holds whole fills pages of its own.
    std::u32string rest = word;
    if (!pages.back().empty()) pages.emplace_back();
    while (rest.size() > cells) {
      // The cut leaves a letter with the signs that end the word.
      const std::size_t cut = IsSigns(rest.substr(cells)) ? cells - 1 : cells;
      pages.back() = rest.substr(0, cut);
      pages.emplace_back();
      rest.erase(0, cut);
    }
    pages.back() = rest;
  }
  // A number alone takes the word before it along, when the page before
  // keeps a word and the two fit.
  for (std::size_t p = 1; p < pages.size(); ++p) {
    std::u32string& before = pages[p - 1];
    const std::size_t blank = before.find_last_of(U' ');
    const std::size_t kept = before.find_last_not_of(U' ', blank);
    if (!NamesNothing(pages[p]) || blank == std::u32string::npos || kept == std::u32string::npos) {
      continue;
    }
    const std::u32string word = before.substr(blank + 1);
    if (word.size() + 1 + pages[p].size() > cells) continue;
    pages[p] = word + U" " + pages[p];
    before.erase(kept + 1);
  }
  return pages;
}

}  // namespace pyxaro
