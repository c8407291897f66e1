#include "ui/statistics_window.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <utility>

#include "ui/paint_parts.h"
#include "ui/paint_statistics.h"
#include "ui/paint_tools.h"
#include "ui/plain_text.h"
#include "ui/qt_string.h"

namespace pyxaro::ui {

namespace {

// Inside the frame of an 800 x 600 screen, with room for the title bar.
constexpr int kWidth = 776;
constexpr int kHeight = 540;
constexpr int kFigureTop = 66;
constexpr int kFigureStep = 31;
// Where a panel's plate lies in its widget, clear of the plate's shadow.
constexpr int kShadow = 4;

using PaintFunction = std::function<void(QPainter&, const QRectF&)>;

// A part of the window that paints itself; what it shows is its accessible
// name, which the window keeps up to date.
class Painted : public QWidget {
 public:
  Painted(QWidget* parent, const QRect& place, PaintFunction paint)
      : QWidget(parent), paint_(std::move(paint)) {
    setGeometry(place);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    paint_(p, QRectF(rect()));
  }

 private:
  PaintFunction paint_;
};

// A push button in the gold of the game's own buttons.
class GoldButton : public QPushButton {
 public:
  GoldButton(QWidget* parent, const QRect& place) : QPushButton(parent) { setGeometry(place); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF face = QRectF(rect()).adjusted(3, 3, -3, -4);
    const bool down = isDown();
    paint::ButtonFace(p, face, 6, down ? QColor(214, 168, 70) : QColor(255, 226, 130),
                      down ? QColor(150, 108, 30) : QColor(190, 140, 48), QColor(70, 46, 8));
    paint::Caption(p, face, Qt::AlignCenter, text(), paint::ArtFont(13), QColor(46, 26, 0));
    if (hasFocus()) {
      p.setPen(QPen(QColor(255, 255, 255, 200), 1.5, Qt::DotLine));
      p.setBrush(Qt::NoBrush);
      p.drawRoundedRect(face.adjusted(3, 3, -3, -3), 4, 4);
    }
  }
};

// A chart's plate: its widget, clear of the plate's shadow.
QRectF PlateOf(const QWidget* chart) {
  return QRectF(chart->geometry()).adjusted(kShadow, kShadow, -kShadow, -kShadow);
}

// The room a chart draws in, in its own widget's terms.
QRectF ChartRoom(const QRectF& widget) {
  return paint::PanelRoom(widget.adjusted(kShadow, kShadow, -kShadow, -kShadow));
}

}  // namespace

StatisticsWindow::StatisticsWindow(QWidget* owner, std::function<void()> reset,
                                   std::function<void()> review, std::function<void()> closed)
    : ClosingWindow(owner, std::move(closed)) {
  setObjectName(QStringLiteral("statistics"));
  setFixedSize(kWidth, kHeight);
  for (int i = 0; i < kFigureRows; ++i) {
    figures_.at(static_cast<std::size_t>(i)) = new Painted(
        this, QRect(22, kFigureTop + i * kFigureStep, 216, 28),
        [this, i](QPainter& p, const QRectF& r) {
          const auto at = static_cast<std::size_t>(i);
          if (at >= form_.Figures.size()) return;
          paint::FigureRow(p, r, Q(form_.Figures[at].Label), Q(form_.Figures[at].Value));
        });
  }
  totals_ = new Painted(this, QRect(250, 52, 284, 232), [this](QPainter& p, const QRectF& r) {
    paint::TotalsChart(p, ChartRoom(r), form_);
  });
  recent_ = new Painted(this, QRect(250, 292, 284, 232), [this](QPainter& p, const QRectF& r) {
    paint::RecentChart(p, ChartRoom(r), form_);
  });
  categories_ = new Painted(this, QRect(544, 52, 220, 472), [this](QPainter& p, const QRectF& r) {
    paint::CategoryChart(p, ChartRoom(r), form_);
  });
  // Each bar is read out on its own, from a clear part laid over its row,
  // and names its category on hover: the pictures beside the bars are small.
  const QRectF inside = ChartRoom(QRectF(categories_->rect()));
  const qreal row = inside.height() / kCategoryCount;
  for (int k = 1; k <= kCategoryCount; ++k) {
    auto* bar = new QWidget(categories_);
    bar->setGeometry(
        QRectF(inside.left(), inside.top() + row * (k - 1), inside.width(), row).toAlignedRect());
    bars_.at(static_cast<std::size_t>(k - 1)) = bar;
  }

  note_ = new QLabel(this);
  note_->setGeometry(20, 392, 222, 46);
  note_->setWordWrap(true);
  note_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  note_->setTextFormat(Qt::PlainText);
  note_->setFont(paint::ArtFont(12, false, 0, true));
  note_->setStyleSheet(QStringLiteral("color: %1;").arg(paint::kIce.name()));
  review_ = new GoldButton(this, QRect(14, 442, 230, 38));
  reset_ = new GoldButton(this, QRect(14, 488, 112, 38));
  close_ = new GoldButton(this, QRect(132, 488, 112, 38));
  connect(reset_, &QPushButton::clicked, this, [reset = std::move(reset)] { reset(); });
  connect(review_, &QPushButton::clicked, this, [review = std::move(review)] { review(); });
  connect(close_, &QPushButton::clicked, this, &QWidget::close);
  close_->setFocus();
}

void StatisticsWindow::Sync(const StatisticsForm& form) {
  // Synced after every routine of the game: only new figures repaint.
  if (form == form_) return;
  form_ = form;
  setWindowTitle(Q(form.Caption));
  for (int i = 0; i < kFigureRows; ++i) {
    const auto at = static_cast<std::size_t>(i);
    figures_.at(at)->setAccessibleName(
        at < form.Figures.size() ? Q(form.Figures[at].Label + ": " + form.Figures[at].Value)
                                 : QString());
  }
  totals_->setAccessibleName(Q(form.TotalsName));
  recent_->setAccessibleName(Q(form.RecentName));
  categories_->setAccessibleName(Q(form.CategoriesName));
  for (int k = 1; k <= kCategoryCount; ++k) {
    QWidget* bar = bars_.at(static_cast<std::size_t>(k - 1));
    bar->setAccessibleName(Q(form.Categories[k].Text));
    bar->setToolTip(PlainToolTip(form.Categories[k].Text));
    // Read as the chart's own description, not the tool tip's markup.
    bar->setAccessibleDescription(Q(form.CategoriesName));
  }
  note_->setText(Q(form.Note));
  reset_->setText(Q(form.ResetCaption));
  review_->setText(Q(form.ReviewCaption));
  close_->setText(Q(form.CloseCaption));
  update();
}

void StatisticsWindow::paintEvent(QPaintEvent*) {
  // What stays the same from one opening to the next (the sky, the plates,
  // the titles, the pictograms) is painted once a run and drawn from there.
  static QPixmap backdrop;
  static QStringList painted;
  const QStringList titles{Q(form_.Caption), Q(form_.TotalsTitle), Q(form_.RecentTitle),
                           Q(form_.CategoriesTitle), QString::number(devicePixelRatioF())};
  if (titles != painted) {
    backdrop = QPixmap(size() * devicePixelRatioF());
    backdrop.setDevicePixelRatio(devicePixelRatioF());
    QPainter p(&backdrop);
    p.setRenderHint(QPainter::Antialiasing);
    PaintBackdrop(p);
    painted = titles;
  }
  QPainter(this).drawPixmap(0, 0, backdrop);
}

void StatisticsWindow::PaintBackdrop(QPainter& p) const {
  paint::Night(p, QRectF(rect()), QPointF(width() * 0.4, 0));
  paint::Caption(p, QRectF(22, 8, 400, 38), Qt::AlignLeft | Qt::AlignVCenter, Q(form_.Caption),
                 paint::ArtFont(24, true, 0.5, true), paint::kGold);
  paint::Plate(p, QRectF(14, 56, 230, kFigureRows * kFigureStep + 16), 8, QColor(24, 32, 60),
               QColor(14, 20, 40), paint::kPanelEdge);
  for (const auto& [chart, title] : {std::pair{totals_, &form_.TotalsTitle},
                                     {recent_, &form_.RecentTitle},
                                     {categories_, &form_.CategoriesTitle}}) {
    paint::TitledPanel(p, PlateOf(chart), Q(*title));
  }
  paint::CategoryLabels(p, paint::PanelRoom(PlateOf(categories_)));
}

}  // namespace pyxaro::ui
