#include "app/file_locations.h"

#include <gtest/gtest.h>

namespace vellumine {
namespace {

TEST(FileLocationsTest, SettingsBesideTheProgramOrInTheConfigurationFolder) {
  EXPECT_EQ(SettingsFilePath("/opt/v/", true, "/x", "/home/u"), "/opt/v/vellumine.INI");
  EXPECT_EQ(SettingsFilePath("/opt/v/", false, "/home/u/.cfg", "/home/u"),
            "/home/u/.cfg/vellumine/vellumine.INI");
  EXPECT_EQ(SettingsFilePath("/opt/v/", false, "", "/home/u"),
            "/home/u/.config/vellumine/vellumine.INI");
}

TEST(FileLocationsTest, DroppedFilesOpenedByTheirEnding) {
  for (const char* path : {"/p/cat.jpg", "/p/cat.JPEG", "/p/Scan.Bmp", "/p/x.png.jpg"})
    EXPECT_TRUE(IsDroppablePicture(path)) << path;
  for (const char* path : {"/p/cat.png", "/p/scans.jpg/notes.txt", "/p/jpg", "/p/.jpg.txt", ""})
    EXPECT_FALSE(IsDroppablePicture(path)) << path;
}

}  // namespace
}  // namespace vellumine
