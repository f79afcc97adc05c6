#include "formats/picture_files.h"

#include <string_view>

#include "formats/bmp.h"
#include "formats/emf.h"
#include "formats/jpeg.h"
#include "formats/picture_error.h"

namespace vellumine {
namespace {

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Whether `path` contains `lowerText` (lower-case) anywhere, ignoring ASCII letter case.
bool ContainsIgnoringCase(const std::string& path, std::string_view lowerText) {
  std::string lower = path;
  for (char& c : lower) c = LowerAscii(c);
  return lower.find(lowerText) != std::string::npos;
}

std::string_view SaveExtension(PictureFileType type) {
  switch (type) {
    case PictureFileType::Jpeg:
      return ".jpg";
    case PictureFileType::Bitmap:
      return ".bmp";
    case PictureFileType::Metafile:
      break;
  }
  return ".wmf";
}

}  // namespace

PictureFileType PictureFileTypeFromIndex(int index) {
  if (index == int(PictureFileType::Jpeg)) return PictureFileType::Jpeg;
  if (index == int(PictureFileType::Bitmap)) return PictureFileType::Bitmap;
  return PictureFileType::Metafile;
}

bool PassesJpegOpenTest(const std::string& path) {
  return ContainsIgnoringCase(path, ".jpg") || ContainsIgnoringCase(path, ".jpeg");
}

bool PassesBitmapOpenTest(const std::string& path) {
  return ContainsIgnoringCase(path, ".bmp");
}

std::string PathWithSaveExtension(const std::string& path, PictureFileType type) {
  const std::string_view extension = SaveExtension(type);
  if (ContainsIgnoringCase(path, extension)) return path;
  return path + std::string(extension);
}

std::optional<Raster24> ReadPicture(const std::string& path) {
  if (PassesJpegOpenTest(path)) return ReadJpeg(path);
  if (PassesBitmapOpenTest(path)) return ReadBmp(path);
  return std::nullopt;
}

Raster24 ReadPictureByName(const std::string& path) {
  std::optional<Raster24> picture = ReadPicture(path);
  if (!picture)
    throw PictureFileError(PictureFileError::Access::Read, path,
                           "not a JPEG or bitmap file name (.jpg, .jpeg or .bmp)");
  return std::move(*picture);
}

std::string WritePicture(const std::string& path, const Raster24& sketch, PictureFileType type,
                         int sourceWidth, int sourceHeight) {
  const std::string written = PathWithSaveExtension(path, type);
  switch (type) {
    case PictureFileType::Jpeg:
      WriteJpeg(written, sketch);
      break;
    case PictureFileType::Bitmap:
      WriteBmp(written, sketch);
      break;
    case PictureFileType::Metafile:
      WriteEmf(written, sketch, sourceWidth, sourceHeight);
      break;
  }
  return written;
}

}  // namespace vellumine
