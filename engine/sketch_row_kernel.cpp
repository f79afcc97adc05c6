#include "engine/sketch_row_kernel.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "engine/sketch_kernel.h"

namespace vellumine::detail {
namespace {

constexpr std::uint8_t kDrawn = 255;
constexpr int kMaxDarkening = 255;
constexpr int kScalarChunk = 256;

// The eight outer samples of the kernel, as (row, column offset in steps); row 0 is above.
constexpr int kOuterSampleCount = 8;
constexpr int kOuterSamples[kOuterSampleCount][2] = {{0, -1}, {0, 0},  {0, 1}, {1, -1},
                                                     {1, 1},  {2, -1}, {2, 0}, {2, 1}};

// Adds one outer sample q to the darkness sums and counts of `size` centre pixels p. Kept out of
// line: inlined into the loop over the samples it is no longer vectorised.
[[gnu::noinline]] void AddSample(const PlanarRow& p, const PlanarRow& q, int size, int threshold,
                                 std::int16_t* __restrict darkness,
                                 std::int16_t* __restrict count) {
  // Local copies of the plane pointers, so that the loop's stores cannot change them.
  const std::int16_t* __restrict pb = p.blue, * __restrict pg = p.green, * __restrict pr = p.red, * __restrict ps = p.sum;
  const std::int16_t* __restrict qb = q.blue, * __restrict qg = q.green, * __restrict qr = q.red, * __restrict qs = q.sum;
  for (int i = 0; i < size; ++i) {
    const int strength =
        std::abs(pb[i] - qb[i]) + std::abs(pg[i] - qg[i]) + std::abs(pr[i] - qr[i]);
    // B + G + R of the difference is the difference of the sums.
    const bool dark = ps[i] <= qs[i];
    darkness[i] = std::int16_t(darkness[i] + (dark ? strength : 0));
    count[i] = std::int16_t(count[i] + ((dark ? strength : -strength) > threshold));
  }
}

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
  // Sample by sample over a chunk of columns: plain loops that compilers vectorise.
  std::int16_t darkness[kScalarChunk], count[kScalarChunk];
  for (int start = from; start <= to; start += kScalarChunk) {
    const int size = std::min(kScalarChunk, to - start + 1);
    std::fill_n(darkness, size, std::int16_t(0));
    std::fill_n(count, size, std::int16_t(0));
    const std::int16_t* pb = centre.blue + start;
    const std::int16_t* pg = centre.green + start;
    const std::int16_t* pr = centre.red + start;
    const std::int16_t* ps = centre.sum + start;
    for (int sample = 0; sample < kOuterSampleCount; ++sample) {
      const PlanarRow& row = *rows[kOuterSamples[sample][0]];
      const int q = start + kOuterSamples[sample][1] * kernel.step;
      AddSample({pb, pg, pr, ps}, {row.blue + q, row.green + q, row.red + q, row.sum + q}, size,
                threshold, darkness, count);
    }
    std::uint8_t* out = values + start;
    if (kernel.tool == DrawingTool::Pencil) {
      for (int i = 0; i < size; ++i)
        out[i] =
            darkness[i] > threshold ? std::uint8_t(std::min(darkness[i] / 3, kMaxDarkening)) : 0;
    } else {
      for (int i = 0; i < size; ++i)
        out[i] = kernel.lowerCount <= count[i] && count[i] <= kernel.upperCount ? kDrawn : 0;
    }
  }
}

void ApplyValuesScalar(DrawingTool tool, const std::uint8_t* values, const std::uint8_t* centreBgr,
                       int from, int to, std::uint8_t* sketchRow) {
  std::uint8_t* pixel = sketchRow + 3 * from;
  switch (tool) {
    case DrawingTool::Pen:
      for (int c = from; c <= to; ++c, pixel += 3)
        if (values[c] != 0) pixel[0] = pixel[1] = pixel[2] = 0;
      return;
    case DrawingTool::Pencil:
      for (int c = from; c <= to; ++c, pixel += 3)
        for (int k = 0; k < 3; ++k)
          pixel[k] = pixel[k] > values[c] ? std::uint8_t(pixel[k] - values[c]) : 0;
      return;
    case DrawingTool::Pastel:
      for (int c = from; c <= to; ++c, pixel += 3)
        if (values[c] != 0) std::memcpy(pixel, centreBgr + 3 * c, 3);
      return;
    case DrawingTool::Brush:
    case DrawingTool::Eraser:
      return;
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
