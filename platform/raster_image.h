#pragma once

#include <QImage>

#include "engine/raster24.h"

namespace vellumine {

// A QImage that shares the raster's pixels (no copy); valid while the raster lives unchanged.
// A null image for an empty raster.
QImage ImageViewOf(const Raster24& raster);

// A deep copy of the raster as a QImage (RGB888); a null image for an empty raster.
QImage ImageFromRaster(const Raster24& raster);

// The image's pixels as a 24-bit raster (alpha dropped); an empty raster for a null image.
Raster24 RasterFromImage(const QImage& image);

}  // namespace vellumine
