#pragma once

#include <QString>
#include <QStringList>

namespace vellumine {

// The programs tried, in order, to edit and print a saved sketch; the last opens the file in
// whatever the desktop associates with it.
inline const QStringList kPaintPrograms = {"kolourpaint", "pinta", "gimp", "xdg-open"};

// Starts the first of kPaintPrograms found on PATH with `file` as its only argument, detached:
// the program never waits for it and leaves no zombie behind. False when none could be started.
bool StartPaintProgram(const QString& file);

}  // namespace vellumine
