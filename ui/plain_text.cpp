#include "ui/plain_text.h"

#include <QDialog>
#include <QLabel>

namespace pyxaro::ui {

namespace {

// A box of this many lines of this many characters still fits an 800 x 600
// screen with its buttons.
constexpr int kLongestWord = 48;
constexpr int kMostLines = 24;
constexpr int kMostCharacters = kLongestWord * kMostLines;

}  // namespace

QString PlainToolTip(const std::string& text) {
  if (text.empty()) return {};
  return QStringLiteral("<p style='white-space:pre'>") +
         QString::fromStdString(text).toHtmlEscaped() + QStringLiteral("</p>");
}

QString BoxText(const std::string& text) {
  const QString whole = QString::fromStdString(text);
  QString shown;
  int word = 0;
  int lines = 1;
  for (const QChar c : whole) {
    if (shown.size() >= kMostCharacters || lines > kMostLines) {
      shown += QChar(0x2026);
      break;
    }
    if (c == QLatin1Char('\n')) ++lines;
    word = c.isSpace() ? 0 : word + 1;
    // A zero-width space lets the box wrap a path or a name without blanks.
    if (word > kLongestWord) {
      shown += QChar(0x200B);
      word = 1;
    }
    shown += c;
  }
  return shown;
}

void ShowPlain(QDialog& box) {
  for (QLabel* label : box.findChildren<QLabel*>()) {
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
  }
}

}  // namespace pyxaro::ui
