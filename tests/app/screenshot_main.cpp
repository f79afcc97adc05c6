// Draws the main window with the sample photograph converted, for the user's guide:
//   vellumine_screenshot PROGRAM_FOLDER STYLE_INDEX OUT.png
// Run it under a display (Xvfb); it uses a settings file of its own in a temporary folder.
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "app/frmOld.h"
#include "platform/application.h"

int main(int argc, char** argv) {
  vellumine::Application application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vellumine"));
  QApplication::setStyle(QStringLiteral("Fusion"));
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s PROGRAM_FOLDER STYLE_INDEX OUT.png\n", argv[0]);
    return 2;
  }
  QTemporaryDir settings;
  vellumine::TOldForm window(vellumine::MainWindowSetup{
      std::string(argv[1]) + "/", settings.filePath("vellumine.INI").toStdString(), nullptr, {}});
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  window.findChild<QComboBox*>(QStringLiteral("suiComboBox2"))->setCurrentIndex(std::atoi(argv[2]));
  window.findChild<QPushButton*>(QStringLiteral("Button3"))->click();
  QTest::qWait(300);
  return window.grab().save(QString::fromLocal8Bit(argv[3])) ? 0 : 1;
}
