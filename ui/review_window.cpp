#include "ui/review_window.h"

#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <utility>

#include "ui/dialog_style.h"
#include "ui/paint_dice.h"
#include "ui/qt_string.h"

namespace pyxaro::ui {

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 460;

// The opened position's dice, painted as the table shows them; a die picked
// up before the choice is not on the table and is painted faint.
class PositionDice : public QWidget {
 public:
  PositionDice(QWidget* parent, const ReviewForm& form) : QWidget(parent), form_(form) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    if (form_.Opened < 0) return;
    const GameState& position = form_.Rows.at(static_cast<std::size_t>(form_.Opened)).Position;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min<qreal>(height(), width() / (kDiceCount + 1.0));
    for (int die = 1; die <= kDiceCount; ++die) {
      paint::SmallDie(p, QRectF((die - 1) * side * 1.15, 0, side, side), position.Dice[die],
                      paint::WhiteDie());
    }
  }

 private:
  const ReviewForm& form_;
};

QLabel* PlainLabel(QWidget* parent, const QRect& place) {
  auto* label = new QLabel(parent);
  label->setGeometry(place);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

}  // namespace

ReviewWindow::ReviewWindow(QWidget* owner, std::function<void(int)> open,
                           std::function<void()> closed)
    : ClosingWindow(owner, std::move(closed)) {
  setObjectName(QStringLiteral("review"));
  setAttribute(Qt::WA_StyledBackground);
  setStyleSheet(QString::fromLatin1(kDialogStyle));
  setFixedSize(kWidth, kHeight);
  summary_ = PlainLabel(this, QRect(16, 12, kWidth - 32, 44));
  rows_ = new QListWidget(this);
  rows_->setGeometry(16, 62, kWidth - 32, 220);
  // A long row wraps rather than scroll sideways.
  rows_->setWordWrap(true);
  rows_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  dice_ = new PositionDice(this, form_);
  dice_->setGeometry(16, 292, 300, 40);
  position_ = PlainLabel(this, QRect(16, 338, kWidth - 32, 80));
  close_ = new QPushButton(this);
  close_->setGeometry(kWidth - 116, kHeight - 38, 100, 28);
  connect(close_, &QPushButton::clicked, this, &QWidget::close);
  // Enter or a double click opens a row, as does moving onto it.
  connect(rows_, &QListWidget::currentRowChanged, this, [open](int row) {
    if (row >= 0) open(row);
  });
  connect(rows_, &QListWidget::itemActivated, this,
          [this, open](QListWidgetItem* item) { open(rows_->row(item)); });
  rows_->setFocus();
}

void ReviewWindow::Sync(const ReviewForm& form) {
  if (form == form_) return;
  // A flawless game has no rows, so its one line comes with the first form.
  const bool newRows = form.Rows != form_.Rows || form.NoRows != form_.NoRows;
  form_ = form;
  setWindowTitle(Q(form.Caption));
  summary_->setText(Q(form.Summary));
  if (newRows) {
    const QSignalBlocker quiet(rows_);
    rows_->clear();
    for (const ReviewRow& row : form.Rows) rows_->addItem(Q(row.Text));
    if (form.Rows.empty()) rows_->addItem(Q(form.NoRows));
  }
  QStringList open;
  for (const std::string& row : form.OpenRows) open << Q(row);
  position_->setText(form.Opened < 0 ? QString()
                                     : Q(form.PositionTitle) + QStringLiteral(": ") +
                                           open.join(QStringLiteral(", ")));
  position_->setAccessibleName(position_->text());
  close_->setText(Q(form.CloseCaption));
  dice_->update();
}

}  // namespace pyxaro::ui
