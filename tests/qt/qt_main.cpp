#include <gtest/gtest.h>

#include <QApplication>

// Front-end tests share one application object, as the game does, and run on the offscreen platform
// unless told otherwise, so they need no display.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
