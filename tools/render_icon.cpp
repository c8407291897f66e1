// Paints the game's icon, one of its own dice, as PNG files of the sizes the
// desktop's icon theme asks for: render_icon FOLDER writes FOLDER/16.png,
// FOLDER/32.png and so on.

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include "ui/paint_dice.h"

namespace {

constexpr int kSizes[] = {16, 32, 48, 64, 128, 256};
// The solid die's shadow and side are drawn to the scale of the table's dice,
// so larger icons are painted at that scale and enlarged.
constexpr qreal kDesignSide = 80;
// Below this the solid die's edges blur into each other: the flat die of the
// scorecard, made to be read at 13 pixels, stands in.
constexpr int kSmallestSolid = 32;
constexpr int kFace = 5;

QImage Icon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  namespace paint = pyxaro::ui::paint;
  if (size < kSmallestSolid) {
    paint::SmallDie(p, QRectF(0.5, 0.5, size - 1, size - 1), kFace, paint::RedDie());
  } else {
    p.scale(size / kDesignSide, size / kDesignSide);
    const paint::DieView view{-10, 0.95, {4.0, 5.5}, false};
    paint::SolidDie(p, QRectF(0, 0, kDesignSide, kDesignSide), view, kFace, paint::RedDie());
  }
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    QTextStream(stderr) << "usage: render_icon FOLDER\n";
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(QStringLiteral("."))) return 1;
  for (const int size : kSizes) {
    const QString file = folder.filePath(QString::number(size) + QStringLiteral(".png"));
    if (!Icon(size).save(file)) {
      QTextStream(stderr) << "render_icon: cannot write " << file << "\n";
      return 1;
    }
  }
  return 0;
}
