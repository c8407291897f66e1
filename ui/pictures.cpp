#include "ui/pictures.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <utility>

#include "core/pictures.h"
#include "ui/paint_dice.h"
#include "ui/paint_window.h"

namespace pyxaro::ui {

namespace {

// No screen has a ratio beyond 4; a larger request would only allocate a
// huge pixmap, and a broken one (zero, negative, not a number) means 1.
qreal SaneRatio(qreal ratio) {
  if (!std::isfinite(ratio) || ratio <= 0) return 1.0;
  return std::min(ratio, 4.0);
}

// No words: a bitmap.
struct Wordless {
  bool operator==(const Wordless&) const = default;
};

// A picture by its number and ratio; one in other words than asked for is
// painted again in place of the old. Each kind of words keeps a store of
// its own, so the background and the splash are number 0 each.
template <typename Words = Wordless>
QPixmap Remembered(int key, qreal requestedRatio, QSize logical,
                   const std::function<void(QPainter&)>& paint, const Words& words = {}) {
  static std::map<std::pair<int, qreal>, std::pair<Words, QPixmap>> cache;
  const qreal ratio = SaneRatio(requestedRatio);
  const auto found = cache.find({key, ratio});
  if (found != cache.end() && found->second.first == words) return found->second.second;

  QPixmap pixmap(QSize(qRound(logical.width() * ratio), qRound(logical.height() * ratio)));
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  {
    QPainter p(&pixmap);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                     QPainter::SmoothPixmapTransform);
    paint(p);
  }
  cache.insert_or_assign(std::pair{key, ratio}, std::pair{words, pixmap});
  return pixmap;
}

}  // namespace

QPixmap Bitmap(int number, qreal devicePixelRatio) {
  const int set = number / 10;
  const int face = number % 10;
  if (set >= 1 && set <= 6 && face >= 1 && face <= 6) {
    const QSize size = paint::TableDieSize(set);
    return Remembered(number, devicePixelRatio, size, [&](QPainter& p) {
      paint::SolidDie(p, QRectF(QPointF(0, 0), size), paint::TableDieView(set), face,
                      paint::WhiteDie());
    });
  }
  switch (number) {
    case 67:
    case 68:
      return Remembered(number, devicePixelRatio, QSize(24, 20),
                        [&](QPainter& p) { paint::SoundIcon(p, number == 67); });
    case 69:
      return Remembered(number, devicePixelRatio, QSize(17, 13), paint::MoveHandle);
    default:
      return {};
  }
}

QPixmap MainBackground(qreal devicePixelRatio, const PaintedTexts& words) {
  return Remembered(
      0, devicePixelRatio, QSize(800, 600), [&](QPainter& p) { paint::MainWindowArt(p, words); },
      words);
}

void PaintGameWindowPictures(qreal devicePixelRatio, const PaintedTexts& words) {
  MainBackground(devicePixelRatio, words);
  for (const int number : {kSoundOnPicture, kSoundOffPicture, kMoveHandlePicture}) {
    Bitmap(number, devicePixelRatio);
  }
}

QPixmap SplashPicture(qreal devicePixelRatio, const std::string& tagline) {
  return Remembered(
      0, devicePixelRatio, QSize(400, 250),
      [&](QPainter& p) { paint::SplashArt(p, QString::fromStdString(tagline)); }, tagline);
}

}  // namespace pyxaro::ui
