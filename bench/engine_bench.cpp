// Speed of the whole-picture Convert on a 24-megapixel photo-like picture: the fast path into a
// reused sketch (as the window converts again and again) and into a fresh one, by tool, line
// step, thread count and SIMD level; the row stream; and the reference loops.
//
// Arguments of each benchmark: tool (0 Pen, 1 Pencil, 2 Pastel, 4 Eraser), line step L,
// threads (0: all cores), SIMD level (0 Scalar, 1 AVX2, 2 AVX-512).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "engine/convert.h"
#include "engine/sketch_row_stream.h"

namespace vellumine {
namespace {

constexpr int kWidth = 6000, kHeight = 4000;
constexpr int kPrecision = kDefaultPrecision;  // T = 30

// A seeded picture with the traits of a photograph: smooth gradients, sensor-like noise, hard
// edges (discs and bars) and clipped highlights.
Raster24 MakePhotoLike(int width, int height) {
  Raster24 picture = Raster24::WithUndefinedPixels(width, height);
  std::uint32_t state = 0x2545F491u;
  auto next = [&state] {  // xorshift32: fast and reproducible
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  };
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = picture.Row(y);
    for (int x = 0; x < width; ++x) {
      const int gx = 160 * x / width, gy = 80 * y / height;
      int base[3] = {30 + gx, 50 + gy + gx / 2, 90 + gy};
      const int cx = x % 1500 - 750, cy = y % 1300 - 650;
      if (cx * cx + cy * cy < 400 * 400) base[0] = 200, base[1] = 120 - gy, base[2] = 40;
      if ((x / 97) % 11 == 3) base[0] = base[1] = base[2] = 20 + gy;
      if (y > 3 * height / 4 && x > 3 * width / 4) base[0] = base[1] = base[2] = 255;
      const std::uint32_t noise = next();
      for (int k = 0; k < 3; ++k) {
        const int v = base[k] + int((noise >> (8 * k)) & 15) - 8;
        row[3 * x + k] = std::uint8_t(std::clamp(v, 0, 255));
      }
    }
  }
  return picture;
}

const Raster24& Picture() {
  static const Raster24 picture = MakePhotoLike(kWidth, kHeight);
  return picture;
}

SketchSettings SettingsOf(const benchmark::State& state) {
  return SettingsFromControls(kPrecision, int(state.range(1)), DrawingTool(state.range(0)),
                              SketchMode::Automatic);
}

ConvertOptions OptionsOf(const benchmark::State& state) {
  return {int(state.range(2)), SimdLevel(state.range(3))};
}

void CountPixels(benchmark::State& state) {
  const double megapixels = double(kWidth) * kHeight / 1e6;
  state.counters["MP/s"] =
      benchmark::Counter(megapixels, benchmark::Counter::kIsIterationInvariantRate);
}

bool SkipUnsupported(benchmark::State& state) {
  if (SimdLevel(state.range(3)) <= BestSimdLevel()) return false;
  state.SkipWithError("this processor lacks the SIMD level");
  return true;
}

// The window's case: the sketch raster of the previous conversion is drawn over again.
void BM_ConvertReusedSketch(benchmark::State& state) {
  if (SkipUnsupported(state)) return;
  const Raster24& source = Picture();
  Raster24 sketch;
  Convert(source, SettingsOf(state), {}, sketch, OptionsOf(state));  // sizes the sketch
  for (auto _ : state) {
    Convert(source, SettingsOf(state), {}, sketch, OptionsOf(state));
    benchmark::DoNotOptimize(sketch.Data());
    benchmark::ClobberMemory();
  }
  CountPixels(state);
}

// A fresh sketch raster every time: includes the page faults of 72 MB of new memory.
void BM_ConvertFreshSketch(benchmark::State& state) {
  if (SkipUnsupported(state)) return;
  const Raster24& source = Picture();
  for (auto _ : state) {
    Raster24 sketch = Convert(source, SettingsOf(state), {}, OptionsOf(state));
    benchmark::DoNotOptimize(sketch.Data());
  }
  CountPixels(state);
}

// The streaming converter's engine part: rows pushed and taken one at a time, one thread.
void BM_SketchRowStream(benchmark::State& state) {
  if (SkipUnsupported(state)) return;
  const Raster24& source = Picture();
  for (auto _ : state) {
    SketchRowStream stream(SettingsOf(state), kWidth, kHeight, {}, SimdLevel(state.range(3)));
    std::uint64_t checksum = 0;
    auto drain = [&] {
      while (const std::uint8_t* row = stream.NextSketchRow()) checksum += row[0];
    };
    drain();
    for (int y = 0; y < kHeight; ++y) {
      stream.PushSourceRow(source.Row(y));
      drain();
    }
    stream.Finish();
    benchmark::DoNotOptimize(checksum);
  }
  CountPixels(state);
}

void BM_ConvertReference(benchmark::State& state) {
  const Raster24& source = Picture();
  for (auto _ : state) {
    Raster24 sketch = ConvertReference(source, SettingsOf(state), {});
    benchmark::DoNotOptimize(sketch.Data());
  }
  CountPixels(state);
}

constexpr int kPen = int(DrawingTool::Pen), kPencil = int(DrawingTool::Pencil),
              kPastel = int(DrawingTool::Pastel), kEraser = int(DrawingTool::Eraser);
constexpr int kAllCores = 0;
constexpr int kScalar = int(SimdLevel::Scalar), kAvx2 = int(SimdLevel::Avx2),
              kAvx512 = int(SimdLevel::Avx512);

void FastCases(benchmark::internal::Benchmark* b) {
  b->ArgNames({"tool", "L", "threads", "simd"});
  for (int tool : {kPen, kPencil, kPastel})
    for (int step : {1, 3})
      for (int threads : {1, kAllCores})
        for (int level : {kScalar, kAvx2, kAvx512}) b->Args({tool, step, threads, level});
  b->Args({kEraser, 3, kAllCores, kAvx512});
  b->Args({kPencil, 15, kAllCores, kAvx512});
  b->Args({kPencil, 15, kAllCores, kAvx2});
}

void StreamCases(benchmark::internal::Benchmark* b) {
  b->ArgNames({"tool", "L", "threads", "simd"});
  for (int tool : {kPen, kPencil, kPastel})
    for (int step : {1, 3}) b->Args({tool, step, 1, kAvx512});
  b->Args({kPencil, 3, 1, kAvx2});
  b->Args({kPencil, 3, 1, kScalar});
}

void ReferenceCases(benchmark::internal::Benchmark* b) {
  b->ArgNames({"tool", "L"});
  for (int tool : {kPen, kPencil, kPastel})
    for (int step : {1, 3}) b->Args({tool, step});
}

BENCHMARK(BM_ConvertReusedSketch)->Apply(FastCases)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertFreshSketch)->Apply(FastCases)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SketchRowStream)->Apply(StreamCases)->UseRealTime()->Unit(benchmark::kMillisecond);
// One pass of the reference takes seconds.
BENCHMARK(BM_ConvertReference)
    ->Apply(ReferenceCases)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vellumine
