// The main of the widget tests: GoogleTest inside the program's own application object, on
// Qt's offscreen platform, so that no display is needed and nothing appears on one.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "platform/application.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ::testing::InitGoogleTest(&argc, argv);
  vellumine::Application application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vellumine"));
  QApplication::setStyle(QStringLiteral("Fusion"));
  return RUN_ALL_TESTS();
}
