#pragma once

namespace pyxaro::ui {

// The game's dialogs (the language picker, the profiles, the review and the
// rules windows, and every question and message box) wear the
// game window's colours: a dark panel in a thin yellow frame, yellow text
// and yellow buttons. A password shows as stars.
inline constexpr const char* kDialogStyle =
    "QWidget#picker, QWidget#profiles, QWidget#review, QWidget#rules, QWidget#box {"
    " background: #404040; }"
    "QFrame#frame { border: 1px solid #ffe600; }"
    "QLabel, QCheckBox { color: #ffe600; }"
    "QListWidget::item:selected { background: #ffe600; color: black; }"
    "QPushButton { background: #ffe600; color: black; }"
    "QPushButton:disabled { background: #807340; color: #404040; }"
    "QWidget#picker QFrame#frame { border-radius: 6px; }"
    "QWidget#picker QListWidget { background: #202020; color: white; border: 1px solid #808080;"
    " font-size: 14px; }"
    "QWidget#picker QListWidget::item { padding: 4px 6px; }"
    "QWidget#picker QPushButton { border-radius: 4px; padding: 4px 18px; }"
    "QWidget#profiles QListWidget { background: white; color: black; }"
    "QWidget#profiles QLineEdit { background: white; color: black;"
    " lineedit-password-character: 42; }"
    "QWidget#profiles QPushButton, QWidget#box QPushButton { border: 1px solid #807340;"
    " padding: 4px 14px; }"
    "QWidget#box QLineEdit { background: white; color: black; lineedit-password-character: 42; }"
    "QWidget#review QListWidget { background: #202020; color: white; font-size: 13px; }"
    "QWidget#review QListWidget::item { padding: 3px 4px; }"
    "QWidget#rules QTextBrowser, QWidget#rules QListWidget { background: #202020; color: white;"
    " font-size: 13px; }";

}  // namespace pyxaro::ui
