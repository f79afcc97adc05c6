#include <QApplication>
#include <QFile>
#include <QStringList>

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
    // "vellumine PHOTO" opens PHOTO in place of the sample picture (a file manager's "Open with").
    const QStringList arguments = QApplication::arguments();
    const std::string photo =
        arguments.size() > 1 ? QFile::encodeName(arguments[1]).toStdString() : std::string();
    const vellumine::MainWindowSetup setup{vellumine::DataFolder(folder),
                                           vellumine::SettingsFilePath(folder), &dialogs, photo};
    vellumine::TOldForm window(setup);
    window.show();
    return QApplication::exec();
  });
}
