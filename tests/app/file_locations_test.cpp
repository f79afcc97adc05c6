#include "app/file_locations.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

namespace vellumine {
namespace {

TEST(FileLocationsTest, SettingsBesideTheProgramOrInTheConfigurationFolder) {
  EXPECT_EQ(SettingsFilePath("/opt/v/", true, "/x", "/home/u"), "/opt/v/vellumine.INI");
  EXPECT_EQ(SettingsFilePath("/opt/v/", false, "/home/u/.cfg", "/home/u"),
            "/home/u/.cfg/vellumine/vellumine.INI");
  EXPECT_EQ(SettingsFilePath("/opt/v/", false, "", "/home/u"),
            "/home/u/.config/vellumine/vellumine.INI");
}

TEST(FileLocationsTest, SettingsFileNamedAfterTheProgram) {
  EXPECT_EQ(SettingsFileName("vellumine"), "vellumine.INI");
  EXPECT_EQ(SettingsFileName("sketcher.bin"), "sketcher.INI");
  EXPECT_EQ(SettingsFileName("my.sketch.app"), "my.sketch.INI");
  EXPECT_EQ(SettingsFileName(".hidden"), ".hidden.INI");
  EXPECT_EQ(SettingsFilePath("/opt/v/", true, "", "/home/u", "sketcher.INI"),
            "/opt/v/sketcher.INI");
}

TEST(FileLocationsTest, DataBesideTheProgramOrInTheInstalledDataFolder) {
  QTemporaryDir prefix;
  const std::string root = prefix.path().toStdString();
  std::filesystem::create_directories(root + "/bin");
  const std::string bin = root + "/bin/";
  // Neither beside the program nor installed: the program's folder (the sample is missing).
  EXPECT_EQ(DataFolder(bin, "../share/vellumine"), bin);
  std::filesystem::create_directories(root + "/share/vellumine/texture");
  EXPECT_EQ(DataFolder(bin, "../share/vellumine"), root + "/share/vellumine/");
  // A build tree: the sample picture lies beside the program.
  std::ofstream(bin + "4.jpg") << "";
  EXPECT_EQ(DataFolder(bin, "../share/vellumine"), bin);
}

TEST(FileLocationsTest, DroppedFilesOpenedByTheirEnding) {
  for (const char* path : {"/p/cat.jpg", "/p/cat.JPEG", "/p/Scan.Bmp", "/p/x.png.jpg"})
    EXPECT_TRUE(IsDroppablePicture(path)) << path;
  for (const char* path : {"/p/cat.png", "/p/scans.jpg/notes.txt", "/p/jpg", "/p/.jpg.txt", ""})
    EXPECT_FALSE(IsDroppablePicture(path)) << path;
}

}  // namespace
}  // namespace vellumine
