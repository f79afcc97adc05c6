#include "engine/sketch_region.h"

#include <cstdint>
#include <stdexcept>

#include "engine/sketch_kernel.h"

namespace vellumine {
namespace {

// The disc and validity tests of one pass. Squares are 64-bit so that very wide rectangles
// cannot overflow.
struct RegionShape {
  std::int64_t centreRow, centreColumn, radiusSquared;
  int sourceWidth, sourceHeight;

  bool Valid(int r, int c) const {
    return 0 < r && r < sourceHeight - 1 && 0 < c && c < sourceWidth - 1;
  }
  bool InsideDisc(int r, int c) const {
    const std::int64_t dr = r - centreRow, dc = c - centreColumn;
    return dr * dr + dc * dc < radiusSquared;
  }
};

std::uint8_t* SketchPixelAt(Raster24& sketch, int r, int c, int scale) {
  std::uint8_t* row = sketch.Row(r / scale);
  return c / scale < sketch.Width() ? row + 3 * (c / scale) : nullptr;
}

}  // namespace

void SketchRegion(const SketchSettings& settings, int left, int top, int right, int bottom,
                  const Raster24& source, Raster24& sketch) {
  const int scale = settings.samplingScale;
  const int step = settings.lineStep;
  if (scale < 1 || step < 1)
    throw std::invalid_argument("line step and sampling scale must be at least 1");

  const std::int64_t width = std::int64_t(right) - left;
  const RegionShape shape{(std::int64_t(top) + bottom) / 2, (std::int64_t(left) + right) / 2,
                          width * width / 4, source.Width(), source.Height()};
  const bool freehand = settings.mode == SketchMode::Freehand;
  // Loop bounds in 64 bits: bottom - 1 and right - 1 must not wrap.
  const std::int64_t rowEnd = std::int64_t(bottom) - 1, columnEnd = std::int64_t(right) - 1;

  if (settings.tool == DrawingTool::Eraser && freehand) {
    for (std::int64_t r = top; r < rowEnd; ++r)
      for (std::int64_t c = left; c < columnEnd; ++c)
        if (shape.Valid(int(r), int(c)) && shape.InsideDisc(int(r), int(c)))
          if (std::uint8_t* pixel = SketchPixelAt(sketch, int(r), int(c), scale))
            pixel[0] = pixel[1] = pixel[2] = 255;
    return;
  }

  if (settings.tool == DrawingTool::Brush) {
    std::int64_t sums[3] = {0, 0, 0};
    std::int64_t count = 0;
    for (std::int64_t r = std::int64_t(top) + scale; r < rowEnd; r += scale)
      for (std::int64_t c = std::int64_t(left) + scale; c < columnEnd; c += scale)
        if (shape.Valid(int(r), int(c)) && shape.InsideDisc(int(r), int(c))) {
          const std::uint8_t* pixel = source.Row(int(r)) + 3 * c;
          for (int k = 0; k < 3; ++k) sums[k] += pixel[k];
          ++count;
        }
    if (count == 0) return;
    std::uint8_t colour[3];
    for (int k = 0; k < 3; ++k) colour[k] = std::uint8_t(scale * sums[k] * scale / count);
    for (std::int64_t r = std::int64_t(top) + scale; r < rowEnd; r += scale)
      for (std::int64_t c = std::int64_t(left) + scale; c < columnEnd; c += scale)
        if (shape.Valid(int(r), int(c)) && shape.InsideDisc(int(r), int(c)))
          if (std::uint8_t* pixel = SketchPixelAt(sketch, int(r), int(c), scale))
            for (int k = 0; k < 3; ++k) pixel[k] = colour[k];
    return;
  }

  for (std::int64_t r = std::int64_t(top) + step; r < rowEnd; r += scale)
    for (std::int64_t c = std::int64_t(left) + step; c < columnEnd; c += scale)
      if (shape.Valid(int(r), int(c)) && (!freehand || shape.InsideDisc(int(r), int(c))))
        SketchPixel(settings, int(c), int(r), source, sketch);
}

}  // namespace vellumine
