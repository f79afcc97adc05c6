#include "engine/sketch_rows.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace vellumine::detail {
namespace {

constexpr std::size_t kPlaneAlignment = 64;
constexpr int kPlanesPerRow = 4;  // blue, green, red, sum
constexpr std::size_t kPlaneRounding = kPlaneAlignment / sizeof(std::int16_t);
constexpr std::uint8_t kWhite = 255;

}  // namespace

void PlanarRing::AlignedFree::operator()(std::int16_t* p) const {
  ::operator delete[](p, std::align_val_t(kPlaneAlignment));
}

PlanarRing::PlanarRing(int sourceWidth, int step)
    : width_(sourceWidth),
      slots_(2 * step + 1),
      planeStride_((std::size_t(sourceWidth) + kPlaneRounding - 1) / kPlaneRounding *
                   kPlaneRounding) {
  const std::size_t count = planeStride_ * kPlanesPerRow * std::size_t(slots_);
  planes_.reset(static_cast<std::int16_t*>(
      ::operator new[](count * sizeof(std::int16_t), std::align_val_t(kPlaneAlignment))));
}

std::int16_t* PlanarRing::Plane(int row, int plane) const {
  const std::size_t slot = std::size_t(row % slots_);
  return planes_.get() + (slot * kPlanesPerRow + std::size_t(plane)) * planeStride_;
}

void PlanarRing::Load(const RowKernels& kernels, int row, const std::uint8_t* bgr) {
  kernels.deinterleave(bgr, width_, {Plane(row, 0), Plane(row, 1), Plane(row, 2), Plane(row, 3)});
}

PlanarRow PlanarRing::View(int row) const {
  return {Plane(row, 0), Plane(row, 1), Plane(row, 2), Plane(row, 3)};
}

SketchRowPlan::SketchRowPlan(const SketchSettings& settings, int sourceWidth, int sourceHeight,
                             const SketchBackground& background, SimdLevel level)
    : sourceWidth_(sourceWidth),
      sourceHeight_(sourceHeight),
      kernel_(MakeEdgeKernel(settings, sourceWidth)),
      kernels_(RowKernelsFor(level)) {
  const int step = kernel_.step;
  const bool fits = kernel_.firstColumn <= kernel_.lastColumn && 3 * step + 2 <= sourceHeight;
  if (settings.tool != DrawingTool::Eraser && fits) {
    firstDrawnRow_ = 2 * step;
    lastDrawnRow_ = sourceHeight - step - 2;
  }
  if (background.HasTexture()) {
    texture_ = background.texture;
    layout_ = background.layout;
    if (layout_ == TextureLayout::Stretch) {
      const int sketchWidth = SketchWidth();
      stretchOffsets_.resize(std::size_t(sketchWidth));
      for (int x = 0; x < sketchWidth; ++x)
        stretchOffsets_[std::size_t(x)] =
            Raster24::kBytesPerPixel * int(std::int64_t(x) * texture_->Width() / sketchWidth);
    }
  }
}

void SketchRowPlan::FillBackground(int y, std::uint8_t* row) const {
  if (texture_ == nullptr) {
    std::memset(row, kWhite, RowBytes());
    return;
  }
  if (layout_ == TextureLayout::Tile) {
    // Pixel (x, y) is texture pixel (x % tw, y % th).
    const std::uint8_t* from = texture_->Row(y % texture_->Height());
    const std::size_t textureBytes = texture_->Stride();
    for (std::size_t done = 0; done < RowBytes();) {
      const std::size_t piece = std::min(textureBytes, RowBytes() - done);
      std::memcpy(row + done, from, piece);
      done += piece;
    }
    return;
  }
  const std::uint8_t* from =
      texture_->Row(int(std::int64_t(y) * texture_->Height() / SketchHeight()));
  for (std::size_t x = 0; x < stretchOffsets_.size(); ++x)
    std::memcpy(row + Raster24::kBytesPerPixel * x, from + stretchOffsets_[x],
                Raster24::kBytesPerPixel);
}

void SketchRowPlan::DrawRow(const PlanarRing& ring, int y, const std::uint8_t* sourceRow,
                            std::uint8_t* scratch, std::uint8_t* row) const {
  const int step = kernel_.step;
  kernels_.drawRow(kernel_, ring.View(y - step), ring.View(y), ring.View(y + step), sourceRow,
                   scratch, row);
}

}  // namespace vellumine::detail
