#pragma once

#include <QApplication>

namespace pyxaro::bench {

// The game's own application object, on the offscreen platform unless told
// otherwise; made by the first benchmark that needs one.
inline void StartApplication() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "pyxaro_bench";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
}

}  // namespace pyxaro::bench
