#include "platform/paint_program.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

namespace vellumine {
namespace {

// Puts a fake program on a PATH of its own; it writes each argument on a line of `record`.
class FakePath {
 public:
  FakePath() : saved_(qgetenv("PATH")) { qputenv("PATH", folder_.path().toLocal8Bit()); }
  ~FakePath() { qputenv("PATH", saved_); }

  void AddRecorder(const QString& name, const QString& record) {
    const QString path = QDir(folder_.path()).filePath(name);
    QFile script(path);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QString("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '%1.part'\n"
                         "/bin/mv '%1.part' '%1'\n")
                     .arg(record)
                     .toLocal8Bit());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }

 private:
  QTemporaryDir folder_;
  QByteArray saved_;
};

std::string WaitForRecord(const QString& path) {
  QDeadlineTimer deadline(10000);
  while (!QFile::exists(path) && !deadline.hasExpired()) QThread::msleep(20);
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return "<nothing recorded>";
  return file.readAll().toStdString();
}

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
