#pragma once

// The row machinery shared by the fast Convert and SketchRowStream. Internal to engine/.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/convert.h"
#include "engine/sketch_row_kernel.h"

namespace vellumine::detail {

// The last 2L + 1 source rows in planar form, row r in slot r % (2L + 1), so that each source
// row is split once however many sketch rows sample it.
class PlanarRing {
 public:
  PlanarRing(int sourceWidth, int step);

  // Splits source row `row` (`sourceWidth` BGR pixels) into its slot, replacing row - (2L + 1).
  void Load(const RowKernels& kernels, int row, const std::uint8_t* bgr);
  // The planes of source row `row`, which must be among the last 2L + 1 loaded.
  PlanarRow View(int row) const;
  int Slots() const { return slots_; }

 private:
  struct AlignedFree {
    void operator()(std::int16_t* p) const;
  };

  std::int16_t* Plane(int row, int plane) const;

  int width_;
  int slots_;
  std::size_t planeStride_;
  std::unique_ptr<std::int16_t[], AlignedFree> planes_;
};

// What every row of one sketch shares: its size, which rows the kernel draws, the background
// and the row kernels. The settings must have HasFastPath; a texture must outlive the plan.
class SketchRowPlan {
 public:
  SketchRowPlan(const SketchSettings& settings, int sourceWidth, int sourceHeight,
                const SketchBackground& background, SimdLevel level);

  int SketchWidth() const { return sourceWidth_ + 1; }
  int SketchHeight() const { return sourceHeight_ + 1; }
  std::size_t RowBytes() const { return std::size_t(SketchWidth()) * Raster24::kBytesPerPixel; }
  int Step() const { return kernel_.step; }
  int SourceWidth() const { return sourceWidth_; }
  // Bytes of scratch that DrawRow needs.
  std::size_t ScratchBytes() const { return std::size_t(sourceWidth_) + 1; }

  // The kernel draws rows FirstDrawnRow() .. LastDrawnRow() (2L .. H - L - 2); none for the
  // Eraser or when the picture is too small (the range is then empty).
  int FirstDrawnRow() const { return firstDrawnRow_; }
  int LastDrawnRow() const { return lastDrawnRow_; }
  bool DrawsRow(int y) const { return firstDrawnRow_ <= y && y <= lastDrawnRow_; }
  bool DrawsAnyRow() const { return firstDrawnRow_ <= lastDrawnRow_; }

  // Writes the background of sketch row y (white or the texture) into `row`.
  void FillBackground(int y, std::uint8_t* row) const;
  // Draws the kernel over the background of sketch row y; `ring` holds source rows y - L,
  // y, y + L and `sourceRow` is source row y in BGR.
  void DrawRow(const PlanarRing& ring, int y, const std::uint8_t* sourceRow, std::uint8_t* scratch,
               std::uint8_t* row) const;
  const RowKernels& Kernels() const { return kernels_; }

 private:
  int sourceWidth_;
  int sourceHeight_;
  EdgeKernel kernel_;
  const RowKernels& kernels_;
  int firstDrawnRow_ = 0;
  int lastDrawnRow_ = -1;
  const Raster24* texture_ = nullptr;
  TextureLayout layout_ = TextureLayout::Tile;
  std::vector<int> stretchOffsets_;  // byte offset in the texture row of each sketch column
};

}  // namespace vellumine::detail
