#pragma once

#include "engine/raster24.h"

namespace vellumine {

enum class TextureLayout { Tile, Stretch };

// Tiles `texture` over `target`: for i < sw / tw + 1 and, within it, j < sh / th + 1, a copy
// with its top left corner at (i * tw, j * th), cut off at the target's edges. The copies
// replace the pixels they cover. An empty texture leaves the target unchanged.
void TileTexture(const Raster24& texture, Raster24& target);

// Scales `texture` to exactly the target's size: target pixel (x, y) takes texture pixel
// (x * tw / sw, y * th / sh), integer division, without blending. An empty texture leaves
// the target unchanged.
void StretchTexture(const Raster24& texture, Raster24& target);

void LayTexture(const Raster24& texture, TextureLayout layout, Raster24& target);

}  // namespace vellumine
