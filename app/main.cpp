#include <QApplication>

#include "app/file_locations.h"
#include "app/frmOld.h"
#include "platform/application.h"
#include "platform/picture_dialog.h"

int main(int argc, char** argv) {
  vellumine::Application application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vellumine"));
  // Fusion under the style sheets draws the same on every desktop.
  QApplication::setStyle(QStringLiteral("Fusion"));
  return vellumine::Application::RunGuarded([] {
    const std::string folder = vellumine::ProgramFolder();
    vellumine::FileDialogRunner dialogs;
    const vellumine::MainWindowSetup setup{folder, vellumine::SettingsFilePath(folder), &dialogs};
    vellumine::TOldForm window(setup);
    window.show();
    return QApplication::exec();
  });
}
