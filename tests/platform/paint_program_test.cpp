#include "platform/paint_program.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "tests/platform/fake_path.h"

namespace vellumine {
namespace {

using widget_test::FakePath;
using widget_test::WaitForRecord;

TEST(PaintProgram, FirstEditorFoundGetsThePathWhole) {
  QTemporaryDir out;
  FakePath path;
  const QString pintaRecord = out.filePath("pinta.txt"), gimpRecord = out.filePath("gimp.txt");
  path.AddRecorder("gimp", gimpRecord);
  path.AddRecorder("pinta", pintaRecord);
  const QString sketch = out.filePath("my sketches/cat sketch.bmp");
  ASSERT_TRUE(StartPaintProgram(sketch));
  EXPECT_EQ(WaitForRecord(pintaRecord), (sketch + "\n").toStdString());
  EXPECT_FALSE(QFile::exists(gimpRecord));
}

TEST(PaintProgram, FallsBackToTheDesktopsOpener) {
  QTemporaryDir out;
  FakePath path;
  path.AddRecorder("xdg-open", out.filePath("opener.txt"));
  ASSERT_TRUE(StartPaintProgram("/tmp/a.jpg"));
  EXPECT_EQ(WaitForRecord(out.filePath("opener.txt")), "/tmp/a.jpg\n");
}

TEST(PaintProgram, NoEditorAtAllIsReported) {
  FakePath path;
  EXPECT_FALSE(StartPaintProgram("/tmp/a.jpg"));
}

}  // namespace
}  // namespace vellumine
