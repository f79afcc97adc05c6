#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QThread>
#include <string>

namespace vellumine::widget_test {

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

// What the fake program recorded, waiting up to ten seconds for it to run.
inline std::string WaitForRecord(const QString& path) {
  QDeadlineTimer deadline(10000);
  while (!QFile::exists(path) && !deadline.hasExpired()) QThread::msleep(20);
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return "<nothing recorded>";
  return file.readAll().toStdString();
}

}  // namespace vellumine::widget_test
