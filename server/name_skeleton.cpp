#include "server/name_skeleton.h"

#include <QHash>
#include <QStringView>
#include <algorithm>
#include <array>
#include <utility>

namespace pyxaro {

namespace {

// The code points no one sees, from first to last of each range: Unicode's
// default-ignorable ones, and the Hangul and Braille blanks a browser shows
// as empty space.
constexpr auto kInvisible = std::to_array<std::pair<char32_t, char32_t>>({
    {0x00AD, 0x00AD},    // soft hyphen
    {0x034F, 0x034F},    // combining grapheme joiner
    {0x061C, 0x061C},    // Arabic letter mark
    {0x115F, 0x1160},    // Hangul fillers
    {0x17B4, 0x17B5},    // Khmer inherent vowels
    {0x180B, 0x180F},    // Mongolian variation selectors and vowel separator
    {0x200B, 0x200F},    // zero-width space, joiners and direction marks
    {0x202A, 0x202E},    // direction embeddings and overrides
    {0x2060, 0x206F},    // word joiner, invisible operators, direction isolates
    {0x2800, 0x2800},    // Braille blank
    {0x3164, 0x3164},    // Hangul filler
    {0xFE00, 0xFE0F},    // variation selectors
    {0xFEFF, 0xFEFF},    // zero-width no-break space
    {0xFFA0, 0xFFA0},    // halfwidth Hangul filler
    {0xFFF0, 0xFFF8},    // unassigned specials
    {0x1BCA0, 0x1BCA3},  // shorthand format controls
    {0x1D173, 0x1D17A},  // musical format controls
    {0xE0000, 0xE0FFF},  // tags and the variation selectors beyond
    {0x0000, 0x001F},    // controls the reader refuses before this
    {0x007F, 0x009F},    // delete and the controls after it
    {0x2028, 0x2029},    // line and paragraph separators
});

// Only single letters that look the same as a Latin one in the fonts the
// lists are read in. Digits stay digits and no pair of letters stands for
// one ("rn" for "m"): those are told apart at a glance in most fonts, and
// folding them would refuse honest names such as "Arne" beside "Ame".
// Capitals are taken before the case is folded, since a Greek capital B
// folds to a beta that looks like no Latin letter, and the small letters
// again after it, for the capitals that fold to one of them.
// clang-format off
constexpr auto kLookAlikes = std::to_array<std::pair<char16_t, char16_t>>({
    // Cyrillic small letters
    {u'а', u'a'}, {u'е', u'e'}, {u'о', u'o'}, {u'р', u'p'}, {u'с', u'c'}, {u'у', u'y'},
    {u'х', u'x'}, {u'і', u'i'}, {u'ј', u'j'}, {u'ѕ', u's'}, {u'ԁ', u'd'}, {u'ԛ', u'q'},
    {u'ԝ', u'w'}, {u'һ', u'h'}, {u'ӏ', u'l'}, {u'ү', u'y'}, {u'ѵ', u'v'},
    // Cyrillic capitals
    {u'А', u'A'}, {u'В', u'B'}, {u'Е', u'E'}, {u'К', u'K'}, {u'М', u'M'}, {u'Н', u'H'},
    {u'О', u'O'}, {u'Р', u'P'}, {u'С', u'C'}, {u'Т', u'T'}, {u'Х', u'X'}, {u'У', u'Y'},
    {u'І', u'I'}, {u'Ј', u'J'}, {u'Ѕ', u'S'}, {u'Ԛ', u'Q'}, {u'Ԝ', u'W'}, {u'Ү', u'Y'},
    // Greek capitals
    {u'Α', u'A'}, {u'Β', u'B'}, {u'Ε', u'E'}, {u'Ζ', u'Z'}, {u'Η', u'H'}, {u'Ι', u'I'},
    {u'Κ', u'K'}, {u'Μ', u'M'}, {u'Ν', u'N'}, {u'Ο', u'O'}, {u'Ρ', u'P'}, {u'Τ', u'T'},
    {u'Υ', u'Y'}, {u'Χ', u'X'},
    // Greek small letters
    {u'ο', u'o'}, {u'ν', u'v'}, {u'ρ', u'p'}, {u'α', u'a'},
    // Latin letters of other alphabets' shapes
    {u'ɑ', u'a'}, {u'ɡ', u'g'},
});
// clang-format on

bool IsInvisible(char32_t c) {
  return std::any_of(kInvisible.begin(), kInvisible.end(),
                     [c](const auto& range) { return c >= range.first && c <= range.second; });
}

QString Latinised(QString text) {
  static const QHash<char16_t, char16_t> latin = [] {
    QHash<char16_t, char16_t> table;
    for (const auto& [from, to] : kLookAlikes) table.insert(from, to);
    return table;
  }();
  for (QChar& c : text) c = QChar(latin.value(c.unicode(), c.unicode()));
  return text;
}

}  // namespace

QString NameSkeleton(const QString& name) {
  // Compatibility form first, decomposed: fullwidth and mathematical letters
  // become the plain ones, a Cyrillic letter's accent stands apart from the
  // letter that passes for a Latin one, and the invisible characters are
  // found among the parts.
  QString seen;
  for (const uint c : name.normalized(QString::NormalizationForm_KD).toUcs4()) {
    if (!IsInvisible(c)) seen += QStringView(QChar::fromUcs4(c));
  }
  // The composed form the name's key compares, so that a letter and its
  // accent written apart match them written as one.
  return Latinised(
      Latinised(seen).simplified().normalized(QString::NormalizationForm_C).toCaseFolded());
}

}  // namespace pyxaro
