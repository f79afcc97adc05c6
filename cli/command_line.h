#pragma once

#include <optional>
#include <span>
#include <stdexcept>
#include <string>

#include "engine/sketch_settings.h"
#include "engine/texture_overlay.h"
#include "formats/picture_files.h"

namespace vellumine {

// A bad option or value on the command line; the converter prints it with the usage and exits 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What one run of vellumine-convert is asked to do. The defaults are the main window's.
struct ConvertRequest {
  int precision = kDefaultPrecision;
  int line = kDefaultLineStep;
  DrawingTool tool = DrawingTool::Pencil;
  SketchMode mode = SketchMode::Automatic;
  std::optional<std::string> texture;
  TextureLayout layout = TextureLayout::Tile;
  std::optional<PictureFileType> type;  // unset: follows the output's extension
  std::string photo;
  std::string output;
  bool help = false;

  SketchSettings Settings() const { return SettingsFromControls(precision, line, tool, mode); }
};

// Parses the arguments after the program name; throws UsageError. With --help, `help` is set and
// nothing else is required.
ConvertRequest ParseCommandLine(std::span<const std::string> arguments);

// The type an output name asks for: ".jpg" or ".jpeg" at its end gives Jpeg, ".bmp" Bitmap,
// ".wmf" Metafile (ignoring case); anything else Bitmap.
PictureFileType OutputTypeFromName(const std::string& output);

extern const char* const kUsage;

}  // namespace vellumine
