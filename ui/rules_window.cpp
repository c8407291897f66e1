#include "ui/rules_window.h"

#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTextBrowser>
#include <utility>

#include "ui/dialog_style.h"
#include "ui/paint_dice.h"
#include "ui/qt_string.h"

namespace pyxaro::ui {

namespace {

constexpr int kWidth = 700;
constexpr int kHeight = 560;
constexpr int kDieSide = 20;
constexpr int kDieStep = 24;

// The example's six dice, as the review paints a position's.
QIcon DiceIcon(const std::array<int, 6>& dice) {
  QPixmap picture(kDieStep * 6, kDieSide + 4);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  for (std::size_t die = 0; die < dice.size(); ++die) {
    paint::SmallDie(p, QRectF(static_cast<qreal>(die) * kDieStep, 2, kDieSide, kDieSide), dice[die],
                    paint::WhiteDie());
  }
  return QIcon(picture);
}

}  // namespace

RulesWindow::RulesWindow(QWidget* owner, std::function<void()> about, std::function<void()> closed)
    : ClosingWindow(owner, std::move(closed)) {
  setObjectName(QStringLiteral("rules"));
  setAttribute(Qt::WA_StyledBackground);
  setStyleSheet(QString::fromLatin1(kDialogStyle));
  setFixedSize(kWidth, kHeight);
  paragraphs_ = new QTextBrowser(this);
  paragraphs_->setGeometry(16, 14, kWidth - 32, 220);
  categoriesTitle_ = new QLabel(this);
  categoriesTitle_->setTextFormat(Qt::PlainText);
  categoriesTitle_->setGeometry(16, 242, kWidth - 32, 22);
  categories_ = new QListWidget(this);
  categories_->setGeometry(16, 266, kWidth - 32, 240);
  categories_->setIconSize(QSize(kDieStep * 6, kDieSide + 4));
  about_ = new QPushButton(this);
  about_->setGeometry(16, kHeight - 42, 120, 28);
  connect(about_, &QPushButton::clicked, this, std::move(about));
  close_ = new QPushButton(this);
  close_->setGeometry(kWidth - 136, kHeight - 42, 120, 28);
  connect(close_, &QPushButton::clicked, this, &QWidget::close);
  paragraphs_->setFocus();
}

void RulesWindow::Sync(const RulesForm& form) {
  if (form == form_) return;
  form_ = form;
  setWindowTitle(Q(form.Caption));
  QString text;
  for (const std::string& paragraph : form.Paragraphs) {
    text += QStringLiteral("<p>") + Q(paragraph).toHtmlEscaped() + QStringLiteral("</p>");
  }
  paragraphs_->setHtml(text);
  categoriesTitle_->setText(Q(form.CategoriesTitle));
  categories_->clear();
  for (const CategoryExample& example : form.Categories) {
    // The faces are in the text too, for a screen reader, which hears no picture.
    QString faces;
    for (const int face : example.Dice) faces += QString::number(face);
    auto* item = new QListWidgetItem(
        DiceIcon(example.Dice), QStringLiteral("%1: %2").arg(Q(example.Name)).arg(example.Points),
        categories_);
    item->setData(Qt::AccessibleTextRole,
                  QStringLiteral("%1, %2: %3").arg(Q(example.Name), faces).arg(example.Points));
  }
  about_->setText(Q(form.AboutCaption));
  close_->setText(Q(form.CloseCaption));
}

}  // namespace pyxaro::ui
