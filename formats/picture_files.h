#pragma once

#include <optional>
#include <string>

#include "engine/raster24.h"

namespace vellumine {

// The file types of the save dialog, by the 1-based index of its filter.
enum class PictureFileType { Jpeg = 1, Bitmap = 2, Metafile = 3 };

// 1 is Jpeg, 2 Bitmap, any other value Metafile.
PictureFileType PictureFileTypeFromIndex(int index);

// The extension tests search the whole path, folders included, for a text anywhere in it,
// ignoring the case of ASCII letters.
// True when the path contains ".jpg" or ".jpeg".
bool PassesJpegOpenTest(const std::string& path);
// True when the path contains ".bmp" (asked only when the JPEG test failed).
bool PassesBitmapOpenTest(const std::string& path);

// The path with ".jpg", ".bmp" or ".wmf" appended unless it already contains that text:
// "a.jpeg" as Jpeg gives "a.jpeg.jpg", "a.JPG" stays as it is, "x.bmp/scan" as Bitmap too.
std::string PathWithSaveExtension(const std::string& path, PictureFileType type);

// Reads the picture as JPEG when the path passes the JPEG test, else as a bitmap when it passes
// the bitmap test, else reads nothing (std::nullopt). Errors are PictureFileError.
std::optional<Raster24> ReadPicture(const std::string& path);
// ReadPicture for callers where a name that passes neither test is an error: it raises
// PictureFileError "not a JPEG or bitmap file name".
Raster24 ReadPictureByName(const std::string& path);

// Writes the sketch as `type` to the path with its save extension and returns that path. A
// metafile's frame is the source picture's size, sourceWidth x sourceHeight pixels.
std::string WritePicture(const std::string& path, const Raster24& sketch, PictureFileType type,
                         int sourceWidth, int sourceHeight);

}  // namespace vellumine
