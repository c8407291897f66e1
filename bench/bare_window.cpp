// The floor for the game's first window: an empty Qt window of the same size
// as the splash, launched the same way. Built with the benchmarks, not shipped.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setFixedSize(400, 250);
  window.show();
  return QApplication::exec();
}
