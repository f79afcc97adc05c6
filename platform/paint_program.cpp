#include "platform/paint_program.h"

#include <QProcess>
#include <QStandardPaths>

namespace vellumine {

bool StartPaintProgram(const QString& file) {
  for (const QString& name : kPaintPrograms) {
    const QString program = QStandardPaths::findExecutable(name);
    // startDetached double-forks, so the editor is reparented and never becomes our zombie.
    if (!program.isEmpty() && QProcess::startDetached(program, {file})) return true;
  }
  return false;
}

}  // namespace vellumine
