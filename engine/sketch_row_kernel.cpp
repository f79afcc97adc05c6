#include "engine/sketch_row_kernel.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "engine/sketch_kernel.h"

namespace vellumine::detail {
namespace {

constexpr std::uint8_t kDrawn = 255;
constexpr int kMaxDarkening = 255;

// The eight outer samples of the kernel, as (row, column offset in steps); row 0 is above.
constexpr int kOuterSamples[8][2] = {{0, -1}, {0, 0},  {0, 1}, {1, -1},
                                     {1, 1},  {2, -1}, {2, 0}, {2, 1}};

void DeinterleaveRowScalar(const std::uint8_t* bgr, int width, const PlanarRowBuffer& planes) {
  DeinterleaveScalar(bgr, 0, width, planes);
}

void DrawRowScalar(const EdgeKernel& kernel, const PlanarRow& above, const PlanarRow& centre,
                   const PlanarRow& below, const std::uint8_t* centreBgr, std::uint8_t* scratch,
                   std::uint8_t* sketchRow) {
  if (kernel.lastColumn < kernel.firstColumn) return;
  EdgeValuesScalar(kernel, above, centre, below, kernel.firstColumn, kernel.lastColumn, scratch);
  ApplyValuesScalar(kernel.tool, scratch, centreBgr, kernel.firstColumn, kernel.lastColumn,
                    sketchRow);
}

constexpr RowKernels kScalarKernels{DeinterleaveRowScalar, DrawRowScalar};

}  // namespace

EdgeKernel MakeEdgeKernel(const SketchSettings& settings, int sourceWidth) {
  EdgeKernel kernel;
  const int step = settings.lineStep;
  kernel.step = step;
  kernel.firstColumn = 2 * step;
  kernel.lastColumn = sourceWidth - step - 2;
  const int threshold = settings.differenceThreshold;
  kernel.threshold = std::int16_t(std::clamp(threshold, kLowestThreshold, kHighestThreshold));
  // The centre sample scores 0, which exceeds T only when T < 0.
  const int centreCount = threshold < 0 ? 1 : 0;
  const PenWindow window = PenWindowFor(step);
  kernel.lowerCount = std::int16_t(window.lower - centreCount);
  kernel.upperCount = std::int16_t(window.upper - centreCount);
  kernel.tool = settings.tool;
  return kernel;
}

void DeinterleaveScalar(const std::uint8_t* bgr, int from, int to, const PlanarRowBuffer& planes) {
  for (int x = from; x < to; ++x) {
    const std::uint8_t* pixel = bgr + 3 * x;
    planes.blue[x] = pixel[0];
    planes.green[x] = pixel[1];
    planes.red[x] = pixel[2];
    planes.sum[x] = std::int16_t(pixel[0] + pixel[1] + pixel[2]);
  }
}

void EdgeValuesScalar(const EdgeKernel& kernel, const PlanarRow& above, const PlanarRow& centre,
                      const PlanarRow& below, int from, int to, std::uint8_t* values) {
  const PlanarRow* rows[3] = {&above, &centre, &below};
  const int threshold = kernel.threshold;
  for (int c = from; c <= to; ++c) {
    int count = 0;
    int darkness = 0;
    for (const auto& [rowIndex, offset] : kOuterSamples) {
      const PlanarRow& row = *rows[rowIndex];
      const int q = c + offset * kernel.step;
      const int strength = std::abs(centre.blue[c] - row.blue[q]) +
                           std::abs(centre.green[c] - row.green[q]) +
                           std::abs(centre.red[c] - row.red[q]);
      // B + G + R of the difference is the difference of the sums.
      const bool dark = centre.sum[c] <= row.sum[q];
      if (dark) darkness += strength;
      if ((dark ? strength : -strength) > threshold) ++count;
    }
    if (kernel.tool == DrawingTool::Pencil)
      values[c] = darkness > threshold ? std::uint8_t(std::min(darkness / 3, kMaxDarkening)) : 0;
    else
      values[c] = kernel.lowerCount <= count && count <= kernel.upperCount ? kDrawn : 0;
  }
}

void ApplyValuesScalar(DrawingTool tool, const std::uint8_t* values, const std::uint8_t* centreBgr,
                       int from, int to, std::uint8_t* sketchRow) {
  for (int c = from; c <= to; ++c) {
    std::uint8_t* pixel = sketchRow + 3 * c;
    const std::uint8_t value = values[c];
    switch (tool) {
      case DrawingTool::Pen:
        if (value != 0) pixel[0] = pixel[1] = pixel[2] = 0;
        break;
      case DrawingTool::Pencil:
        for (int k = 0; k < 3; ++k) pixel[k] = pixel[k] > value ? pixel[k] - value : 0;
        break;
      case DrawingTool::Pastel:
        if (value != 0)
          for (int k = 0; k < 3; ++k) pixel[k] = centreBgr[3 * c + k];
        break;
      case DrawingTool::Brush:
      case DrawingTool::Eraser:
        break;
    }
  }
}

const RowKernels& RowKernelsFor(SimdLevel level) {
  if (level > BestSimdLevel())
    throw std::invalid_argument("this processor lacks the requested vector instructions");
  const RowKernels* kernels = &kScalarKernels;
  if (level == SimdLevel::Avx2) kernels = Avx2RowKernels();
  if (level == SimdLevel::Avx512) kernels = Avx512RowKernels();
  if (kernels == nullptr) throw std::invalid_argument("no vector kernels on this architecture");
  return *kernels;
}

}  // namespace vellumine::detail
