#pragma once

#include <optional>

#include "engine/raster24.h"
#include "engine/sketch_settings.h"
#include "engine/texture_overlay.h"

namespace vellumine {

// What the sketch is drawn on: white, or a texture laid under the lines. A null or empty
// texture means white.
struct SketchBackground {
  const Raster24* texture = nullptr;
  TextureLayout layout = TextureLayout::Tile;

  bool HasTexture() const { return texture != nullptr && !texture->Empty(); }
};

// The sketch of a whole picture of W x H pixels: a (W / s + 1) x (H / s + 1) raster holding the
// background, with the region pass run over left = top = L, right = W - L, bottom = H - L.
// This is the straightforward version, kept as the reference for the fast one.
Raster24 ConvertReference(const Raster24& source, const SketchSettings& settings,
                          const SketchBackground& background);

// The instruction sets the fast Convert has a row kernel for, slowest first.
enum class SimdLevel { Scalar, Avx2, Avx512 };

// The fastest level this processor and system support (AVX-512 needs F, BW and VL).
SimdLevel BestSimdLevel();

// How the fast Convert runs. Neither option changes the result, only the speed.
struct ConvertOptions {
  int threads = 0;                // worker threads; 0 or less: one per core
  std::optional<SimdLevel> simd;  // unset: BestSimdLevel(); a level the processor lacks is
                                  // refused with std::invalid_argument
};

// True when the fast Convert has its own code for these settings: Automatic mode, a tool other
// than the Brush, sampling scale 1 and a line step from 1 to kMaxFastLineStep (each thread keeps
// 2L + 1 source rows). Other settings make Convert fall back to ConvertReference.
inline constexpr int kMaxFastLineStep = 64;
bool HasFastPath(const SketchSettings& settings);

// The same sketch as ConvertReference, bit for bit, computed in bands of rows over several
// threads with a vectorised row kernel (falls back to ConvertReference when !HasFastPath).
Raster24 Convert(const Raster24& source, const SketchSettings& settings,
                 const SketchBackground& background, const ConvertOptions& options = {});

// As above, drawing into `sketch`: its pixel block is reused when it already has the sketch's
// size (no allocation, every pixel overwritten), otherwise replaced by a fresh one. `sketch` may
// be the source or the texture itself; the result is then computed aside and moved in.
void Convert(const Raster24& source, const SketchSettings& settings,
             const SketchBackground& background, Raster24& sketch,
             const ConvertOptions& options = {});

}  // namespace vellumine
