// The fast Convert: bands of sketch rows handed out to worker threads, each drawing its rows with
// the vector row kernels over a ring of planar source rows.
#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

#include "engine/convert.h"
#include "engine/sketch_rows.h"

namespace vellumine {
namespace {

using detail::PlanarRing;
using detail::SketchRowPlan;

// Rows per band: large enough that the 2L rows a band splits before its first row are a small
// share (at most a quarter), small enough that the threads finish close together.
constexpr int kMinBandRows = 64;
constexpr int kBandRowsPerStep = 8;

// One worker's state: its ring of source rows and the next source row it would split.
struct Worker {
  PlanarRing ring;
  std::vector<std::uint8_t> scratch;
  int nextLoad = 0;

  explicit Worker(const SketchRowPlan& plan)
      : ring(plan.DrawsAnyRow() ? plan.SourceWidth() : 0, plan.Step()),
        scratch(plan.ScratchBytes()) {}

  void DrawBand(const SketchRowPlan& plan, const Raster24& source, Raster24& sketch, int begin,
                int end) {
    const int step = plan.Step();
    for (int y = begin; y < end; ++y) {
      std::uint8_t* row = sketch.Data() + std::size_t(y) * plan.RowBytes();
      plan.FillBackground(y, row);
      if (!plan.DrawsRow(y)) continue;
      // Rows still in the ring from this worker's previous band are not split again.
      for (int r = std::max(nextLoad, y - step); r <= y + step; ++r)
        ring.Load(plan.Kernels(), r, source.Data() + std::size_t(r) * source.Stride());
      nextLoad = std::max(nextLoad, y + step + 1);
      plan.DrawRow(ring, y, source.Data() + std::size_t(y) * source.Stride(), scratch.data(), row);
    }
  }
};

int ThreadCount(const ConvertOptions& options, int bands) {
  int threads = options.threads;
  if (threads <= 0) threads = int(std::max(1u, std::thread::hardware_concurrency()));
  return std::clamp(threads, 1, std::max(1, bands));
}

}  // namespace

SimdLevel BestSimdLevel() {
#if defined(__x86_64__) || defined(__i386__)
  static const SimdLevel best = [] {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
        __builtin_cpu_supports("avx512vl"))
      return SimdLevel::Avx512;
    if (__builtin_cpu_supports("avx2")) return SimdLevel::Avx2;
    return SimdLevel::Scalar;
  }();
  return best;
#else
  return SimdLevel::Scalar;
#endif
}

bool HasFastPath(const SketchSettings& settings) {
  return settings.mode == SketchMode::Automatic && settings.tool != DrawingTool::Brush &&
         settings.samplingScale == 1 && settings.lineStep >= 1 &&
         settings.lineStep <= kMaxFastLineStep;
}

Raster24 Convert(const Raster24& source, const SketchSettings& settings,
                 const SketchBackground& background, const ConvertOptions& options) {
  Raster24 sketch;
  Convert(source, settings, background, sketch, options);
  return sketch;
}

void Convert(const Raster24& source, const SketchSettings& settings,
             const SketchBackground& background, Raster24& sketch, const ConvertOptions& options) {
  const SimdLevel level = options.simd.value_or(BestSimdLevel());
  detail::RowKernelsFor(level);  // refuses a level this processor lacks, whatever the path
  if (!HasFastPath(settings)) {
    sketch = ConvertReference(source, settings, background);
    return;
  }
  if (&sketch == &source || background.texture == &sketch) {
    Raster24 result;
    Convert(source, settings, background, result, options);
    sketch = std::move(result);
    return;
  }

  const SketchRowPlan plan(settings, source.Width(), source.Height(), background, level);
  if (sketch.Width() != plan.SketchWidth() || sketch.Height() != plan.SketchHeight())
    sketch = Raster24::WithUndefinedPixels(plan.SketchWidth(), plan.SketchHeight());

  const int rows = plan.SketchHeight();
  const int bandRows = std::max(kMinBandRows, kBandRowsPerStep * plan.Step());
  const int bands = (rows + bandRows - 1) / bandRows;
  const int threads = ThreadCount(options, bands);
  // Rings are made here so that a failed allocation throws in the caller's thread.
  std::vector<Worker> workers;
  workers.reserve(std::size_t(threads));
  for (int i = 0; i < threads; ++i) workers.emplace_back(plan);

  std::atomic<int> nextBand{0};
  auto work = [&](Worker& worker) {
    for (int band = nextBand++; band < bands; band = nextBand++)
      worker.DrawBand(plan, source, sketch, band * bandRows, std::min(rows, (band + 1) * bandRows));
  };
  {
    std::vector<std::jthread> helpers;
    try {
      for (int i = 1; i < threads; ++i) helpers.emplace_back(work, std::ref(workers[i]));
    } catch (const std::system_error&) {
      // Fewer threads than asked: the bands are shared among those that started.
    }
    work(workers[0]);
  }
}

}  // namespace vellumine
