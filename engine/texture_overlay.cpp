#include "engine/texture_overlay.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vellumine {

void TileTexture(const Raster24& texture, Raster24& target) {
  if (texture.Empty() || target.Empty()) return;
  const int tw = texture.Width(), th = texture.Height();
  const int sw = target.Width(), sh = target.Height();
  for (int i = 0; i < sw / tw + 1; ++i) {
    const int x = i * tw;
    const int copyWidth = std::min(tw, sw - x);
    if (copyWidth <= 0) continue;
    for (int j = 0; j < sh / th + 1; ++j) {
      const int y = j * th;
      const int copyHeight = std::min(th, sh - y);
      for (int row = 0; row < copyHeight; ++row)
        std::memcpy(target.Row(y + row) + 3 * std::size_t(x), texture.Row(row),
                    3 * std::size_t(copyWidth));
    }
  }
}

void StretchTexture(const Raster24& texture, Raster24& target) {
  if (texture.Empty() || target.Empty()) return;
  const int tw = texture.Width(), th = texture.Height();
  const int sw = target.Width(), sh = target.Height();
  std::vector<int> sourceColumn(sw);
  for (int x = 0; x < sw; ++x) sourceColumn[x] = int(std::int64_t(x) * tw / sw);
  for (int y = 0; y < sh; ++y) {
    const std::uint8_t* from = texture.Row(int(std::int64_t(y) * th / sh));
    std::uint8_t* to = target.Row(y);
    for (int x = 0; x < sw; ++x) std::memcpy(to + 3 * x, from + 3 * sourceColumn[x], 3);
  }
}

void LayTexture(const Raster24& texture, TextureLayout layout, Raster24& target) {
  if (layout == TextureLayout::Tile)
    TileTexture(texture, target);
  else
    StretchTexture(texture, target);
}

}  // namespace vellumine
