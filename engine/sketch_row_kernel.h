#pragma once

// The row kernels behind the fast Convert and SketchRowStream: one source row at a time is split
// into planes, then each sketch row is drawn from three planar source rows. Internal to engine/.

#include <cstdint>

#include "engine/convert.h"
#include "engine/sketch_settings.h"

namespace vellumine::detail {

// One source row in planar form: blue, green, red and B + G + R, one int16 per pixel.
struct PlanarRow {
  const std::int16_t* blue;
  const std::int16_t* green;
  const std::int16_t* red;
  const std::int16_t* sum;
};

// Writable planes of one source row, each of at least `width` int16.
struct PlanarRowBuffer {
  std::int16_t* blue;
  std::int16_t* green;
  std::int16_t* red;
  std::int16_t* sum;
};

// The constants of the edge kernel for one picture. The kernel runs at columns
// firstColumn .. lastColumn (2L .. W - L - 2) of a source row and draws the sketch pixels there.
struct EdgeKernel {
  int step = 1;         // L
  int firstColumn = 0;  // 2L
  int lastColumn = -1;  // W - L - 2, inclusive
  // T clamped into [kLowestThreshold, kHighestThreshold]; every comparison keeps its outcome.
  std::int16_t threshold = 0;
  // The pen window for n counted over the eight outer samples only: the centre sample counts
  // exactly when T < 0, so it is folded into the bounds.
  std::int16_t lowerCount = 0;
  std::int16_t upperCount = 0;
  DrawingTool tool = DrawingTool::Pen;
};

// A sample's score lies in [-765, 765] and the darkness sum D in [0, 6120]. Every T below -765
// makes `score > T` and `D > T` always true, every T from 6120 up makes both always false, so T
// clamped into this range decides every comparison as T itself does, and fits in int16.
inline constexpr int kLowestThreshold = -766;
inline constexpr int kHighestThreshold = 6120;

// The kernel constants for `settings` (Automatic mode, scale 1, a step from 1 to
// kMaxFastLineStep) over source rows `sourceWidth` pixels wide.
EdgeKernel MakeEdgeKernel(const SketchSettings& settings, int sourceWidth);

// The per-row operations of one instruction set.
struct RowKernels {
  // Splits `width` BGR pixels into the planes of `planes`.
  void (*deinterleave)(const std::uint8_t* bgr, int width, const PlanarRowBuffer& planes);
  // Draws the kernel columns of one sketch row over the background already in `sketchRow`.
  // `above`, `centre`, `below` are source rows r - L, r, r + L; `centreBgr` is source row r
  // (the Pastel's colours); `scratch` holds at least lastColumn + 1 bytes.
  void (*drawRow)(const EdgeKernel& kernel, const PlanarRow& above, const PlanarRow& centre,
                  const PlanarRow& below, const std::uint8_t* centreBgr, std::uint8_t* scratch,
                  std::uint8_t* sketchRow);
};

// The kernels of `level`; throws std::invalid_argument when this processor lacks it.
const RowKernels& RowKernelsFor(SimdLevel level);

// The portable pieces, also used by the vector kernels for the columns their vectors miss.
// Planes of pixels from .. to - 1 (BGR offsets as in the whole row).
void DeinterleaveScalar(const std::uint8_t* bgr, int from, int to, const PlanarRowBuffer& planes);
// Per-pixel result of columns from .. to (inclusive) into values[c]: the Pencil's darkening
// min(D / 3, 255) or 0; for the other tools 255 where n lies in the pen window, else 0.
void EdgeValuesScalar(const EdgeKernel& kernel, const PlanarRow& above, const PlanarRow& centre,
                      const PlanarRow& below, int from, int to, std::uint8_t* values);
// Applies values[c] of columns from .. to (inclusive) to the sketch row.
void ApplyValuesScalar(DrawingTool tool, const std::uint8_t* values, const std::uint8_t* centreBgr,
                       int from, int to, std::uint8_t* sketchRow);

// Vector kernels, defined only on x86 (null elsewhere).
const RowKernels* Avx2RowKernels();
const RowKernels* Avx512RowKernels();

}  // namespace vellumine::detail
