#pragma once

#include "engine/raster24.h"
#include "engine/sketch_settings.h"
#include "engine/texture_overlay.h"

namespace vellumine {

// What the sketch is drawn on: white, or a texture laid under the lines. A null or empty
// texture means white.
struct SketchBackground {
  const Raster24* texture = nullptr;
  TextureLayout layout = TextureLayout::Tile;

  bool HasTexture() const { return texture != nullptr && !texture->Empty(); }
};

// The sketch of a whole picture of W x H pixels: a (W / s + 1) x (H / s + 1) raster holding the
// background, with the region pass run over left = top = L, right = W - L, bottom = H - L.
// This is the straightforward version, kept as the reference for the fast one.
Raster24 ConvertReference(const Raster24& source, const SketchSettings& settings,
                          const SketchBackground& background);

}  // namespace vellumine
