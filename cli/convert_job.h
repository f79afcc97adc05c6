#pragma once

#include <optional>
#include <string>

#include "engine/sketch_settings.h"
#include "engine/texture_overlay.h"
#include "formats/picture_files.h"

namespace vellumine {

// One photograph to sketch and save, as the Convert and Save commands would.
struct ConvertJob {
  std::string photo;
  std::string output;  // the save rule may append the type's extension
  SketchSettings settings;
  std::optional<std::string> texture;
  TextureLayout layout = TextureLayout::Tile;
  PictureFileType type = PictureFileType::Bitmap;
};

enum class PipelineChoice {
  Best,       // streaming where the job allows it, otherwise in memory
  InMemory,   // decode the whole photograph, convert, encode
  Streaming,  // rows flow from the decoder through the engine to the encoder; JPEG to JPEG or
              // bitmap with the line tools in Automatic mode only
};

// Whether the job can run through the streaming pipeline.
bool CanStream(const ConvertJob& job);

// Opens the photograph (and the texture) by the open rules, converts and saves by the save rules.
// Returns the path written. Every failure is a PictureFileError naming the file; nothing is left
// at the output path when it fails.
std::string RunConvertJob(const ConvertJob& job, PipelineChoice pipeline = PipelineChoice::Best);

}  // namespace vellumine
