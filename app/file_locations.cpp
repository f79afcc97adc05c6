#include "app/file_locations.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>
#include <filesystem>
#include <string_view>

namespace vellumine {

std::string ProgramFolder() {
  return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString() + "/";
}

std::string DataFolder(const std::string& programFolder, const std::string& dataFromProgram) {
  namespace fs = std::filesystem;
  std::error_code ignored;
  if (fs::exists(programFolder + "4.jpg", ignored)) return programFolder;
  const fs::path installed = fs::path(programFolder) / dataFromProgram;
  if (fs::is_directory(installed, ignored)) return installed.lexically_normal().string() + "/";
  return programFolder;
}

std::string DataFolder(const std::string& programFolder) {
  return DataFolder(programFolder, VELLUMINE_DATA_FROM_PROGRAM);
}

std::string SettingsFileName(const std::string& programFileName) {
  const std::size_t dot = programFileName.rfind('.');
  // A leading dot starts a hidden name, not an extension.
  const bool hasExtension = dot != std::string::npos && dot > 0;
  return (hasExtension ? programFileName.substr(0, dot) : programFileName) + ".INI";
}

std::string SettingsFilePath(const std::string& programFolder, bool programFolderWritable,
                             const std::string& configHome, const std::string& home,
                             const std::string& fileName) {
  if (programFolderWritable) return programFolder + fileName;
  const std::string config = configHome.empty() ? home + "/.config" : configHome;
  return config + "/vellumine/" + fileName;
}

std::string SettingsFilePath(const std::string& programFolder) {
  const auto environment = [](const char* name) {
    const char* value = std::getenv(name);
    return std::string(value != nullptr ? value : "");
  };
  const bool writable = access(programFolder.c_str(), W_OK) == 0;
  const std::string programName =
      QFile::encodeName(QFileInfo(QCoreApplication::applicationFilePath()).fileName())
          .toStdString();
  const std::string path =
      SettingsFilePath(programFolder, writable, environment("XDG_CONFIG_HOME"), environment("HOME"),
                       SettingsFileName(programName.empty() ? "vellumine" : programName));
  if (!writable) {
    std::error_code ignored;  // a folder that cannot be made shows when the file is written
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
  }
  return path;
}

bool IsDroppablePicture(const std::string& path) {
  std::string lower = path;
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  const auto endsWith = [&lower](std::string_view end) {
    return lower.size() > end.size() &&
           lower.compare(lower.size() - end.size(), end.size(), end) == 0;
  };
  return endsWith(".jpg") || endsWith(".jpeg") || endsWith(".bmp");
}

}  // namespace vellumine
