#include <gtest/gtest.h>

#include <QApplication>

// Front-end tests share one application object, as the game does.
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
