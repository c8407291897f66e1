#include <QApplication>
#include <QFont>

#include "core/chance.h"
#include "core/game.h"
#include "ui/front.h"
#include "ui/qt_host.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Pyxaro"));
  // The game's texts are set in Verdana; where it is missing, a sans face of
  // the same build stands in.
  QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));

  pyxaro::ui::QtHost host;
  pyxaro::MixingRandom chance;
  pyxaro::Game game(host, chance, QCoreApplication::applicationDirPath().toStdString());
  pyxaro::ui::Front front(game, [&host] { return host.Ending(); });
  host.SetBeforeBox([&front] { front.Sync(); });
  host.SetGameWindow([&front] { return front.GameWindow(); });

  front.Start();
  return QApplication::exec();
}
