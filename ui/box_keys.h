#pragma once

class QPushButton;
class QWidget;

namespace pyxaro::ui {

// Gives a box made of a plain QWidget the keys of the desktop's dialogs:
// Enter presses the focused button, or else `enter`, which is drawn as the
// default; Escape presses `escape` when there is one. Qt gives these to QDialog alone.
void AnswerBoxKeys(QWidget* box, QPushButton* enter, QPushButton* escape = nullptr);

}  // namespace pyxaro::ui
