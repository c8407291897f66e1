#include <gtest/gtest.h>

#include <QCoreApplication>

// The SQL drivers and the sockets want an application object, as the server
// has one.
int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
