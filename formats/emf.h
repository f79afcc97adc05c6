#pragma once

#include <string>

#include "engine/raster24.h"

namespace vellumine {

// The reference device the metafile declares: a 96-dpi screen of 1920 x 1440 pixels measuring
// 508 x 381 mm, so that one device pixel is 2540 / 96 hundredths of a millimetre.
inline constexpr int kEmfDeviceWidthPixels = 1920;
inline constexpr int kEmfDeviceHeightPixels = 1440;
inline constexpr int kEmfDeviceWidthMillimetres = 508;
inline constexpr int kEmfDeviceHeightMillimetres = 381;

// Writes an enhanced metafile (EMF) that draws `sketch` at its own size from the top-left
// corner (one EMR_STRETCHDIBITS of its 24-bit pixels) inside a frame of frameWidth x
// frameHeight pixels of the reference device, through a temporary file renamed over `path`.
// An empty sketch or frame gives PictureFileError(Write, path, "the picture is empty").
void WriteEmf(const std::string& path, const Raster24& sketch, int frameWidth, int frameHeight);

}  // namespace vellumine
