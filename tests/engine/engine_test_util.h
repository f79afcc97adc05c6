#pragma once

#include <cstdint>
#include <random>

#include "engine/raster24.h"

namespace vellumine::testing {

struct Bgr {
  std::uint8_t b, g, r;
  friend bool operator==(const Bgr&, const Bgr&) = default;
};

inline void SetPixel(Raster24& raster, int x, int y, Bgr colour) {
  std::uint8_t* p = raster.Row(y) + 3 * x;
  p[0] = colour.b;
  p[1] = colour.g;
  p[2] = colour.r;
}

inline Bgr PixelAt(const Raster24& raster, int x, int y) {
  const std::uint8_t* p = raster.Row(y) + 3 * x;
  return {p[0], p[1], p[2]};
}

inline Bgr Grey(std::uint8_t v) {
  return {v, v, v};
}

inline Raster24 Filled(int width, int height, Bgr colour) {
  Raster24 raster(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) SetPixel(raster, x, y, colour);
  return raster;
}

inline Raster24 RandomPicture(int width, int height, std::uint32_t seed) {
  std::mt19937 random(seed);
  Raster24 raster(width, height);
  for (std::size_t i = 0; i < raster.ByteCount(); ++i) raster.Data()[i] = std::uint8_t(random());
  return raster;
}

}  // namespace vellumine::testing
