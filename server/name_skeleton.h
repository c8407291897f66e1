#pragma once

#include <QString>
#include <span>
#include <utility>

namespace pyxaro {

// What a name looks like on the lists, whatever characters spell it: its
// compatibility form, without the characters no one sees, with the Cyrillic
// and Greek letters that pass for Latin ones written as those, case folded
// and its spaces collapsed as the name's key has them. Empty for a name
// nothing of which can be seen.
QString NameSkeleton(const QString& name);

// The letters taken for Latin ones, each with the Latin letter it passes for.
std::span<const std::pair<char16_t, char16_t>> LookAlikeLetters();

// The characters no one sees, first and last of each range: the Unicode
// default-ignorable ones (joiners, direction marks, variation selectors,
// tags and the like), the blanks that are letters by their category and the
// controls.
std::span<const std::pair<char32_t, char32_t>> InvisibleRanges();

}  // namespace pyxaro
