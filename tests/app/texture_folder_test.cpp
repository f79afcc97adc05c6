#include "app/texture_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace vellumine {
namespace {

void Touch(const QString& path) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

TEST(ScanTextureFolder, ListsBitmapAndSwfNamesDepthFirstKeepingDuplicates) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QDir dir(folder.path());
  ASSERT_TRUE(dir.mkpath("b-sub/deeper"));
  ASSERT_TRUE(dir.mkpath(".hidden"));
  ASSERT_TRUE(dir.mkpath("c-folder.bmp"));
  Touch(dir.filePath("Paper.BMP"));
  Touch(dir.filePath("paper.swf"));
  Touch(dir.filePath(".bmp"));  // exactly four characters: an empty entry
  Touch(dir.filePath("notes.txt"));
  Touch(dir.filePath("Ünïcode.Bmp"));
  Touch(dir.filePath("b-sub/Grain.bmp"));
  Touch(dir.filePath("b-sub/deeper/stone.swf"));
  Touch(dir.filePath(".hidden/secret.bmp"));
  Touch(dir.filePath("c-folder.bmp/inner.bmp"));
  ASSERT_TRUE(QFile::link(dir.filePath("b-sub"), dir.filePath("d-link.bmp")));

  QStringList entries{"NULL", "Custom"};
  ScanTextureFolder(folder.path(), entries);
  EXPECT_EQ(entries, (QStringList{"NULL", "Custom", "", "stone", "grain", "inner", "d-link",
                                  "paper", "paper", "ünïcode"}));
}

TEST(ScanTextureFolder, MissingFolderAddsNothing) {
  QStringList entries{"NULL", "Custom"};
  ScanTextureFolder("/no/such/texture/folder", entries);
  EXPECT_EQ(entries, (QStringList{"NULL", "Custom"}));
}

TEST(TextureFileFor, FindsTheBitmapOfTheFolderIgnoringCase) {
  QTemporaryDir folder;
  const QDir dir(folder.path());
  Touch(dir.filePath("Paper.BMP"));
  Touch(dir.filePath("laid.bmp"));
  Touch(dir.filePath("stone.swf"));
  EXPECT_EQ(TextureFileFor(folder.path(), "paper"), dir.filePath("Paper.BMP"));
  EXPECT_EQ(TextureFileFor(folder.path(), "laid"), dir.filePath("laid.bmp"));
  EXPECT_EQ(TextureFileFor(folder.path(), "stone"), QString());
  EXPECT_EQ(TextureFileFor(folder.path() + "/missing", "laid"), QString());
}

}  // namespace
}  // namespace vellumine
