#pragma once

// Texts from names and language files are shown as they are written: markup
// in them is never obeyed, and a long one never pushes a box off the screen.

#include <QString>
#include <string>

class QDialog;

namespace pyxaro::ui {

// A tool tip that shows text literally, its blanks included.
QString PlainToolTip(const std::string& text);

// The text of a box: long words broken where they must be, and a text too
// long for the screen cut short with "…".
QString BoxText(const std::string& text);

// Makes every label of a box show its text as plain text, wrapped.
void ShowPlain(QDialog& box);

}  // namespace pyxaro::ui
