#include "ui/plain_text.h"

#include <gtest/gtest.h>

#include <QTextDocument>

#include "ui/widgets.h"

namespace pyxaro::testing {
namespace {

const std::string kMarkup[] = {"<h1>Bo</h1>", "<img src=\"x.png\">", "a<br>b", "&amp; <b>x"};

// A row too wide for its label ends in an ellipsis.
TEST(PlainTextTest, LabelsAndToolTipsShowMarkupLiterallyAndCutWhatIsTooWide) {
  QWidget window;
  ui::Label label(
      &window, [] {}, 12, Qt::AlignLeft);
  Control control;
  control.Width = 6000;
  control.Height = 300;
  for (const std::string& text : kMarkup) {
    control.Caption = text;
    control.ToolTip = " " + text + " ";
    label.Apply(control);
    EXPECT_EQ(label.textFormat(), Qt::PlainText);
    EXPECT_EQ(label.text().toStdString(), text);
    // A tool tip is read as rich text when it looks like it: what it shows is the text itself,
    // blanks and all.
    QTextDocument shown;
    shown.setHtml(label.toolTip());
    EXPECT_EQ(shown.toPlainText().toStdString(), " " + text + " ");
  }
  control.Width = 1200;
  control.Caption = "1. 1234 Åsa Öberg-Lindqvist (12:34)";
  control.Bold = true;
  label.Apply(control);
  EXPECT_TRUE(label.text().endsWith(QChar(0x2026))) << label.text().toStdString();
  EXPECT_LE(label.fontMetrics().horizontalAdvance(label.text()), label.width());
}

}  // namespace
}  // namespace pyxaro::testing
