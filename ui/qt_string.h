#pragma once

#include <QString>
#include <string>

namespace pyxaro::ui {

// The game keeps its text as UTF-8; Qt wants it as a QString.
inline QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace pyxaro::ui
