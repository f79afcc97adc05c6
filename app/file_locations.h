#pragma once

#include <string>

namespace vellumine {

// The folder of the running program, with a trailing "/": "4.jpg" and "texture/" lie there.
std::string ProgramFolder();

// Where the program reads its data ("4.jpg", "texture/"), with a trailing "/": the program's
// folder when the sample picture lies there (a build tree), else the installed data folder
// `programFolder` + `dataFromProgram` (share/vellumine beside bin/) when that exists.
std::string DataFolder(const std::string& programFolder, const std::string& dataFromProgram);
// DataFolder for this installation's layout.
std::string DataFolder(const std::string& programFolder);

// The settings file's name: the program file's name with its extension, if any, replaced by
// ".INI" ("vellumine" gives "vellumine.INI").
std::string SettingsFileName(const std::string& programFileName);

// Where the settings file lies: in the program's folder when that folder can be written, else in
// `configHome` + "/vellumine/" ($XDG_CONFIG_HOME, or `home` + "/.config" when that is empty).
std::string SettingsFilePath(const std::string& programFolder, bool programFolderWritable,
                             const std::string& configHome, const std::string& home,
                             const std::string& fileName = "vellumine.INI");

// SettingsFilePath for this process and its environment; creates the configuration folder when
// the settings go there.
std::string SettingsFilePath(const std::string& programFolder);

// Whether a dropped file is a photograph the window opens: its name ends in ".jpg", ".jpeg" or
// ".bmp", in any letter case.
bool IsDroppablePicture(const std::string& path);

}  // namespace vellumine
