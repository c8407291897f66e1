#include "game/manual.h"

#include "core/version.h"
#include "scoring/categories.h"

namespace pyxaro {

namespace {

// Six dice for each category, in the scorecard's order, that show what its
// rule asks for: each scores there.
constexpr std::array<std::array<int, 6>, kCategoryCount> kExamples{{
    {1, 1, 3, 4, 1, 6},  // ones
    {2, 2, 2, 5, 6, 1},  // twos
    {3, 3, 1, 2, 5, 6},  // threes
    {4, 4, 4, 4, 2, 6},  // fours
    {5, 5, 1, 2, 3, 6},  // fives
    {6, 6, 6, 1, 2, 3},  // sixes
    {5, 5, 1, 2, 3, 6},  // one pair
    {3, 3, 5, 5, 1, 6},  // two pairs
    {2, 2, 4, 4, 6, 6},  // three pairs
    {4, 4, 4, 1, 2, 6},  // three of a kind
    {5, 5, 5, 5, 1, 2},  // four of a kind
    {6, 6, 6, 6, 6, 2},  // five of a kind
    {1, 2, 3, 4, 5, 5},  // small straight
    {2, 3, 4, 5, 6, 6},  // large straight
    {1, 2, 3, 4, 5, 6},  // full straight
    {3, 3, 3, 5, 5, 1},  // hut
    {2, 2, 2, 5, 5, 5},  // house
    {4, 4, 4, 4, 6, 6},  // tower
    {3, 4, 5, 6, 6, 2},  // chance
    {6, 6, 6, 6, 6, 6},  // yatzy
}};

}  // namespace

Manual::Manual(Host& host, const Languages& texts, const pyxaro::Turn& turn)
    : host_(host), texts_(texts), turn_(turn) {}

void Manual::Open() {
  RulesForm form;
  form.Caption = texts_.Text(text::kRulesTitle);
  for (const TextKey& paragraph :
       {text::kRulesPlay, text::kRulesPool, text::kRulesNoScratch, text::kRulesBonus,
        text::kRulesHint, text::kRulesDay, text::kRulesKeys}) {
    form.Paragraphs.push_back(texts_.Text(paragraph));
  }
  form.CategoriesTitle = texts_.Text(text::kRulesCategories);
  for (int k = 1; k <= kCategoryCount; ++k) {
    const std::array<int, 6>& dice = kExamples[static_cast<std::size_t>(k - 1)];
    form.Categories.push_back({turn_.CategoryTitle(k), dice, CategoryValue(k, dice)});
  }
  form.AboutCaption = texts_.Text(text::kAboutButton);
  form.CloseCaption = texts_.Text(text::kStatsClose);
  form.Visible = true;
  window_ = std::move(form);
}

void Manual::About() {
  host_.Tell(texts_.Text(text::kAboutText, std::string(kAppVersion)),
             texts_.Text(text::kAboutTitle), false);
}

void Manual::Closed() { window_.Visible = false; }

}  // namespace pyxaro
