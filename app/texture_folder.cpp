#include "app/texture_folder.h"

#include <QDir>
#include <QFileInfo>

namespace vellumine {

void ScanTextureFolder(const QString& folder, QStringList& entries) {
  const QFileInfoList found = QDir(folder).entryInfoList(
      QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
      QDir::Name | QDir::IgnoreCase);
  for (const QFileInfo& entry : found) {
    const QString name = entry.fileName().toLower();
    if (entry.isDir() && !entry.isSymLink() && !name.startsWith(u'.')) {
      ScanTextureFolder(entry.filePath(), entries);
      continue;
    }
    if (name.endsWith(QLatin1String(".bmp")) || name.endsWith(QLatin1String(".swf")))
      entries.append(name.left(name.size() - 4));
  }
}

QString TextureFileFor(const QString& folder, const QString& entry) {
  const QString wanted = entry + QLatin1String(".bmp");
  const QDir dir(folder);
  if (QFileInfo(dir.filePath(wanted)).isFile()) return dir.filePath(wanted);
  const QStringList files = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
  for (const QString& file : files)
    if (file.toLower() == wanted.toLower()) return dir.filePath(file);
  return {};
}

}  // namespace vellumine
