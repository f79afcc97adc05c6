#pragma once

#include <QString>
#include <QStringList>

namespace vellumine {

// Appends to `entries` the texture names found in `folder` and, depth first, in its plain
// sub-folders (real directories whose names do not start with "."): every other entry whose
// lower-cased name ends in ".bmp" or ".swf" gives that name without its last four characters.
// Entries are visited in name order; duplicates are kept; a missing folder appends nothing.
void ScanTextureFolder(const QString& folder, QStringList& entries);

// The file of the texture folder that a list entry loads: the file directly in `folder` whose
// name, ignoring case, is the entry followed by ".bmp" (an exact match first). Empty when none.
QString TextureFileFor(const QString& folder, const QString& entry);

}  // namespace vellumine
