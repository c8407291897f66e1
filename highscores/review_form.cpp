#include "highscores/review_form.h"

#include <cmath>
#include <map>

#include "core/text.h"
#include "scoring/advice_position.h"
#include "scoring/categories.h"
#include "scoring/dice_sets.h"

namespace pyxaro {

namespace {

// The window's texts where the language file has none.
std::string Word(const LanguageText& text, const std::string& key) {
  static const std::map<std::string, std::string> kEnglish{
      {"review_title", "Game review"},
      {"review_summary", "Expected loss %1 points over %2 choices: %3 a choice. Verdict: %4"},
      {"review_row", "Throw %1 (%2): you %3, the advisor %4; %5 points"},
      {"review_kept", "kept %1"},
      {"review_kept_none", "threw all six"},
      {"review_entered", "entered %1"},
      {"review_all_best", "Every choice was worth as much as the advisor's."},
      {"review_position", "The dice and the open rows"},
      {"verdict_expert", "expert"},
      {"verdict_strong", "strong"},
      {"verdict_fair", "fair"},
      {"verdict_learning", "learning"},
  };
  const auto english = kEnglish.find(key);
  // The decimal mark and Close are the statistics window's.
  if (english == kEnglish.end()) return StatisticsText(text, key);
  return text({key, english->second});
}

std::string Decimal(const LanguageText& text, double value) {
  const long long tenths = std::llround(value * 10);
  return std::to_string(tenths / 10) + Word(text, "stats_decimal") + std::to_string(tenths % 10);
}

std::string Faces(const FaceCounts& counts) {
  std::string faces;
  for (int face = 1; face <= kDiceFaces; ++face) {
    for (int n = 0; n < counts[static_cast<std::size_t>(face - 1)]; ++n) {
      faces += (faces.empty() ? "" : " ") + std::to_string(face);
    }
  }
  return faces;
}

std::string ChoiceText(const LanguageText& text, const Choice& choice) {
  if (choice.category > 0)
    return FillIn(Word(text, "review_entered"), {CategoryText(text, choice.category)});
  const std::string kept = Faces(choice.kept);
  return kept.empty() ? Word(text, "review_kept_none") : FillIn(Word(text, "review_kept"), {kept});
}

std::string VerdictWord(const LanguageText& text, Verdict verdict) {
  switch (verdict) {
    case Verdict::Expert:
      return Word(text, "verdict_expert");
    case Verdict::Strong:
      return Word(text, "verdict_strong");
    case Verdict::Fair:
      return Word(text, "verdict_fair");
    case Verdict::Learning:
      return Word(text, "verdict_learning");
  }
  return {};
}

FaceCounts DiceOf(const GameState& state) { return FaceCount(PositionOf(state).dice); }

}  // namespace

ReviewForm PresentReview(const GameReview& review, const LanguageText& text) {
  ReviewForm form;
  form.Caption = Word(text, "review_title");
  form.Summary =
      FillIn(Word(text, "review_summary"),
             {Decimal(text, review.totalLoss), std::to_string(review.choices),
              Decimal(text, review.MeanLoss()), VerdictWord(text, VerdictOf(review.MeanLoss()))});
  for (const ReviewedChoice& choice : review.costly) {
    form.Rows.push_back({FillIn(Word(text, "review_row"),
                                {std::to_string(choice.throwNumber), Faces(DiceOf(choice.position)),
                                 ChoiceText(text, choice.played), ChoiceText(text, choice.advised),
                                 "-" + Decimal(text, choice.cost)}),
                         choice.position});
  }
  form.NoRows = Word(text, "review_all_best");
  form.PositionTitle = Word(text, "review_position");
  form.CloseCaption = Word(text, "stats_close");
  return form;
}

std::vector<std::string> OpenRowsOf(const GameState& position, const LanguageText& text) {
  const DiceSets& sets = DiceSets::Get();
  const int set = sets.IndexOf(DiceOf(position));
  std::vector<std::string> rows;
  for (int k = 1; k <= kCategoryCount; ++k) {
    if (position.IsOpen(k)) {
      rows.push_back(CategoryText(text, k) + ": " + std::to_string(sets.Points(set, k)));
    }
  }
  return rows;
}

}  // namespace pyxaro
