#include <QApplication>
#include <QCommandLineParser>
#include <QFont>
#include <QStandardPaths>
#include <QTextStream>
#include <optional>

#include "core/chance.h"
#include "core/dice.h"
#include "game/game.h"
#include "ui/front.h"
#include "ui/qt_host.h"
#include "ui/startup_times.h"

namespace {

constexpr int kUsageError = 2;

// Reads the command line before any window or display is touched, so that
// --help and --version work on a console without a desktop. Returns the
// status to end with, or nothing when the game is to start.
std::optional<int> ReadCommandLine(int argc, char** argv) {
  // The console application names the program in the usage text; it is gone
  // again before the game's own application starts.
  const QCoreApplication console(argc, argv);
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Pyxaro, a dice game for one player: six dice, twenty categories and 60 rolls."));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Show this help and exit."));
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                   QStringLiteral("Show the version and exit."));
  parser.addOptions({help, version});
  QTextStream out(stdout);
  QTextStream err(stderr);
  if (!parser.parse(QCoreApplication::arguments())) {
    err << parser.errorText() << "\n\n" << parser.helpText();
    return kUsageError;
  }
  if (!parser.positionalArguments().isEmpty()) {
    err << "Unexpected argument '" << parser.positionalArguments().constFirst() << "'.\n\n"
        << parser.helpText();
    return kUsageError;
  }
  if (parser.isSet(help)) {
    out << parser.helpText();
    return 0;
  }
  if (parser.isSet(version)) {
    out << "Pyxaro " << PYXARO_VERSION << "\n";
    return 0;
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  pyxaro::ui::StartStartupClock();
  if (const std::optional<int> status = ReadCommandLine(argc, argv)) return *status;
  pyxaro::ui::MarkStartup("command line read");

  QApplication app(argc, argv);
  // The lower-case name makes the player's data folder ~/.local/share/pyxaro.
  QApplication::setApplicationName(QStringLiteral("pyxaro"));
  QApplication::setApplicationDisplayName(QStringLiteral("Pyxaro"));
  QGuiApplication::setDesktopFileName(QStringLiteral(PYXARO_APP_ID));
  // The game's texts are set in Verdana; where it is missing, a sans face of
  // the same build stands in.
  QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
  pyxaro::ui::MarkStartup("application made");
  pyxaro::ui::MarkWindowsAppearing();

  pyxaro::ui::QtHost host;
  pyxaro::MixingRandom chance;
  pyxaro::SeededDice dice;
  pyxaro::Game game(host, chance, dice, QCoreApplication::applicationDirPath().toStdString());
  game.SettleDataFolder(
      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString());
  pyxaro::ui::MarkStartup("data folder settled");
  pyxaro::ui::Front front(game, [&host] { return host.Ending(); });
  host.SetBeforeBox([&front] { front.Sync(); });
  host.SetGameWindow([&front] { return front.GameWindow(); });

  front.Start();
  pyxaro::ui::MarkStartup("first window made and shown");
  return QApplication::exec();
}
