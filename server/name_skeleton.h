#pragma once

#include <QString>

namespace pyxaro {

// What a name looks like on the lists, whatever characters spell it: its
// compatibility form, without the characters no one sees, with the Cyrillic
// and Greek letters that pass for Latin ones written as those, case folded
// and its spaces collapsed as the name's key has them. Empty for a name
// nothing of which can be seen.
QString NameSkeleton(const QString& name);

}  // namespace pyxaro
