#pragma once

#include <string>

namespace pyxaro {

// Whether this user may write in the folder, judged by its permission bits
// (as the owner, a member of its group or anyone else) and by its file
// system being mounted for writing. Root gets no pass: a folder installed
// read-only stays read-only even for a game started as root.
bool MayWriteIn(const std::string& folder);

}  // namespace pyxaro
