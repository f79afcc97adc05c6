// The AVX2 and AVX-512 row kernels. Each function carries its own target attribute, so the rest
// of the program stays portable and these run only after BestSimdLevel() allowed them.
#include "engine/sketch_row_kernel.h"

#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

#include <algorithm>

#define VELLUMINE_TARGET_AVX2 __attribute__((target("avx2")))
#define VELLUMINE_TARGET_AVX512 __attribute__((target("avx2,avx512f,avx512bw,avx512vl")))
#define VELLUMINE_INLINE inline __attribute__((always_inline))

namespace vellumine::detail {
namespace {

// floor(D * 21846 / 65536) == floor(D / 3) for every darkness sum D: with 21846 = (65536 + 2) / 3
// the quotient is D / 3 + 2D / 196608, and the excess stays below 1/3 for D < 32768.
constexpr int kDivideBy3Multiplier = 21846;
constexpr bool DivisionBy3IsExact() {
  for (int d = 0; d <= kHighestThreshold; ++d)
    if ((d * kDivideBy3Multiplier) >> 16 != d / 3) return false;
  return true;
}
static_assert(DivisionBy3IsExact());

constexpr int kOuterSampleCount = 8;

// ---------------------------------------------------------------------------------------------
// 128-bit shuffles shared by both levels: BGR <-> planes of 16 pixels.

// Splits 16 BGR pixels (48 bytes) into 16 blue, green and red bytes.
VELLUMINE_TARGET_AVX2 VELLUMINE_INLINE void Split16(const std::uint8_t* bgr, __m128i& blue,
                                                    __m128i& green, __m128i& red) {
  const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bgr));
  const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bgr + 16));
  const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bgr + 32));
  constexpr char z = -1;  // a shuffle index that yields 0
  blue = _mm_or_si128(
      _mm_or_si128(
          _mm_shuffle_epi8(a, _mm_setr_epi8(0, 3, 6, 9, 12, 15, z, z, z, z, z, z, z, z, z, z)),
          _mm_shuffle_epi8(b, _mm_setr_epi8(z, z, z, z, z, z, 2, 5, 8, 11, 14, z, z, z, z, z))),
      _mm_shuffle_epi8(c, _mm_setr_epi8(z, z, z, z, z, z, z, z, z, z, z, 1, 4, 7, 10, 13)));
  green = _mm_or_si128(
      _mm_or_si128(
          _mm_shuffle_epi8(a, _mm_setr_epi8(1, 4, 7, 10, 13, z, z, z, z, z, z, z, z, z, z, z)),
          _mm_shuffle_epi8(b, _mm_setr_epi8(z, z, z, z, z, 0, 3, 6, 9, 12, 15, z, z, z, z, z))),
      _mm_shuffle_epi8(c, _mm_setr_epi8(z, z, z, z, z, z, z, z, z, z, z, 2, 5, 8, 11, 14)));
  red = _mm_or_si128(
      _mm_or_si128(
          _mm_shuffle_epi8(a, _mm_setr_epi8(2, 5, 8, 11, 14, z, z, z, z, z, z, z, z, z, z, z)),
          _mm_shuffle_epi8(b, _mm_setr_epi8(z, z, z, z, z, 1, 4, 7, 10, 13, z, z, z, z, z, z))),
      _mm_shuffle_epi8(c, _mm_setr_epi8(z, z, z, z, z, z, z, z, z, z, 0, 3, 6, 9, 12, 15)));
}

// Repeats each of 16 bytes three times: 48 bytes, one value per BGR channel of 16 pixels.
VELLUMINE_TARGET_AVX2 VELLUMINE_INLINE void Triple16(__m128i v, __m128i& first, __m128i& second,
                                                     __m128i& third) {
  first = _mm_shuffle_epi8(v, _mm_setr_epi8(0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5));
  second = _mm_shuffle_epi8(v, _mm_setr_epi8(5, 5, 6, 6, 6, 7, 7, 7, 8, 8, 8, 9, 9, 9, 10, 10));
  third = _mm_shuffle_epi8(
      v, _mm_setr_epi8(10, 11, 11, 11, 12, 12, 12, 13, 13, 13, 14, 14, 14, 15, 15, 15));
}

VELLUMINE_TARGET_AVX2 VELLUMINE_INLINE __m128i Load128(const void* p) {
  return _mm_loadu_si128(static_cast<const __m128i*>(p));
}
VELLUMINE_TARGET_AVX2 VELLUMINE_INLINE void Store128(void* p, __m128i v) {
  _mm_storeu_si128(static_cast<__m128i*>(p), v);
}

// One 48-byte piece of the sketch row under the tool: Pen blackens, Pencil darkens by a
// saturating subtraction, Pastel takes the source's colour.
template <DrawingTool kTool>
VELLUMINE_TARGET_AVX2 VELLUMINE_INLINE __m128i
ApplyPiece(__m128i sketch, __m128i value, [[maybe_unused]] const std::uint8_t* colour) {
  if constexpr (kTool == DrawingTool::Pen)
    return _mm_andnot_si128(value, sketch);
  else if constexpr (kTool == DrawingTool::Pencil)
    return _mm_subs_epu8(sketch, value);
  else
    return _mm_blendv_epi8(sketch, Load128(colour), value);
}

template <DrawingTool kTool>
VELLUMINE_TARGET_AVX2 VELLUMINE_INLINE void ApplyValues(const std::uint8_t* values,
                                                        const std::uint8_t* centreBgr, int from,
                                                        int to, std::uint8_t* sketchRow) {
  constexpr int kPixels = 16;
  int c = from;
  for (; c + kPixels - 1 <= to; c += kPixels) {
    __m128i v0, v1, v2;
    Triple16(Load128(values + c), v0, v1, v2);
    std::uint8_t* out = sketchRow + 3 * c;
    const std::uint8_t* colour = centreBgr + 3 * c;
    Store128(out, ApplyPiece<kTool>(Load128(out), v0, colour));
    Store128(out + 16, ApplyPiece<kTool>(Load128(out + 16), v1, colour + 16));
    Store128(out + 32, ApplyPiece<kTool>(Load128(out + 32), v2, colour + 32));
  }
  ApplyValuesScalar(kTool, values, centreBgr, c, to, sketchRow);
}

VELLUMINE_TARGET_AVX2 VELLUMINE_INLINE void ApplyValuesByTool(DrawingTool tool,
                                                              const std::uint8_t* values,
                                                              const std::uint8_t* centreBgr,
                                                              int from, int to,
                                                              std::uint8_t* sketchRow) {
  switch (tool) {
    case DrawingTool::Pen:
      return ApplyValues<DrawingTool::Pen>(values, centreBgr, from, to, sketchRow);
    case DrawingTool::Pencil:
      return ApplyValues<DrawingTool::Pencil>(values, centreBgr, from, to, sketchRow);
    case DrawingTool::Pastel:
      return ApplyValues<DrawingTool::Pastel>(values, centreBgr, from, to, sketchRow);
    case DrawingTool::Brush:
    case DrawingTool::Eraser:
      return;
  }
}

// ---------------------------------------------------------------------------------------------
// AVX2: 16 int16 lanes.

VELLUMINE_TARGET_AVX2 void DeinterleaveAvx2(const std::uint8_t* bgr, int width,
                                            const PlanarRowBuffer& planes) {
  constexpr int kPixels = 16;
  int x = 0;
  for (; x + kPixels <= width; x += kPixels) {
    __m128i blue8, green8, red8;
    Split16(bgr + 3 * x, blue8, green8, red8);
    const __m256i blue = _mm256_cvtepu8_epi16(blue8);
    const __m256i green = _mm256_cvtepu8_epi16(green8);
    const __m256i red = _mm256_cvtepu8_epi16(red8);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(planes.blue + x), blue);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(planes.green + x), green);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(planes.red + x), red);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(planes.sum + x),
                        _mm256_add_epi16(_mm256_add_epi16(blue, green), red));
  }
  DeinterleaveScalar(bgr, x, width, planes);
}

VELLUMINE_TARGET_AVX2 VELLUMINE_INLINE __m256i Load256(const std::int16_t* p) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

struct CentreAvx2 {
  __m256i blue, green, red, sum;
};

// Adds one outer sample to the darkness sum (Pencil) or the count n (Pen, Pastel). With T >= 0
// `count` gathers the samples that count; with T < 0 it gathers those that do not.
template <bool kPencil, bool kNonNegative>
VELLUMINE_TARGET_AVX2 VELLUMINE_INLINE void SampleAvx2(const CentreAvx2& p, const PlanarRow& row,
                                                       int column, __m256i threshold,
                                                       __m256i& darkness, __m256i& count) {
  const __m256i strength = _mm256_add_epi16(
      _mm256_add_epi16(_mm256_abs_epi16(_mm256_sub_epi16(p.blue, Load256(row.blue + column))),
                       _mm256_abs_epi16(_mm256_sub_epi16(p.green, Load256(row.green + column)))),
      _mm256_abs_epi16(_mm256_sub_epi16(p.red, Load256(row.red + column))));
  // All ones where B + G + R of the difference is positive: the sample is not darker.
  const __m256i lighter = _mm256_cmpgt_epi16(p.sum, Load256(row.sum + column));
  const __m256i darkStrength = _mm256_andnot_si256(lighter, strength);
  if constexpr (kPencil) {
    darkness = _mm256_add_epi16(darkness, darkStrength);
  } else if constexpr (kNonNegative) {
    // score > T >= 0 needs a dark sample (score = A) with A > T.
    count = _mm256_sub_epi16(count, _mm256_cmpgt_epi16(darkStrength, threshold));
  } else {
    // With T < 0 a dark sample always counts, a lighter one when -A > T, i.e. A < -T;
    // `threshold` holds -T here.
    const __m256i weak = _mm256_cmpgt_epi16(threshold, strength);
    count = _mm256_sub_epi16(count, _mm256_andnot_si256(weak, lighter));
  }
}

template <bool kPencil, bool kNonNegative>
VELLUMINE_TARGET_AVX2 void EdgeValuesAvx2(const EdgeKernel& kernel, const PlanarRow& above,
                                          const PlanarRow& centre, const PlanarRow& below,
                                          std::uint8_t* values) {
  constexpr int kLanes = 16;
  const int first = kernel.firstColumn, last = kernel.lastColumn, step = kernel.step;
  if (last - first + 1 < kLanes) {
    EdgeValuesScalar(kernel, above, centre, below, first, last, values);
    return;
  }
  const __m256i threshold = _mm256_set1_epi16(
      kNonNegative || kPencil ? kernel.threshold : std::int16_t(-kernel.threshold));
  const __m256i pencilThreshold = _mm256_set1_epi16(kernel.threshold);
  const __m256i divideBy3 = _mm256_set1_epi16(kDivideBy3Multiplier);
  const __m256i belowWindow = _mm256_set1_epi16(std::int16_t(kernel.lowerCount - 1));
  const __m256i aboveWindow = _mm256_set1_epi16(std::int16_t(kernel.upperCount + 1));
  const __m256i outerSamples = _mm256_set1_epi16(kOuterSampleCount);
  // The last vector is moved back to end at the last column; overlapping columns are simply
  // computed twice.
  for (int c = first;; c += kLanes) {
    c = std::min(c, last - kLanes + 1);
    const CentreAvx2 p{Load256(centre.blue + c), Load256(centre.green + c), Load256(centre.red + c),
                       Load256(centre.sum + c)};
    __m256i darkness = _mm256_setzero_si256(), count = _mm256_setzero_si256();
    SampleAvx2<kPencil, kNonNegative>(p, above, c - step, threshold, darkness, count);
    SampleAvx2<kPencil, kNonNegative>(p, above, c, threshold, darkness, count);
    SampleAvx2<kPencil, kNonNegative>(p, above, c + step, threshold, darkness, count);
    SampleAvx2<kPencil, kNonNegative>(p, centre, c - step, threshold, darkness, count);
    SampleAvx2<kPencil, kNonNegative>(p, centre, c + step, threshold, darkness, count);
    SampleAvx2<kPencil, kNonNegative>(p, below, c - step, threshold, darkness, count);
    SampleAvx2<kPencil, kNonNegative>(p, below, c, threshold, darkness, count);
    SampleAvx2<kPencil, kNonNegative>(p, below, c + step, threshold, darkness, count);
    __m256i result;
    if constexpr (kPencil) {
      const __m256i drawn = _mm256_cmpgt_epi16(darkness, pencilThreshold);
      result = _mm256_and_si256(drawn, _mm256_mulhi_epu16(darkness, divideBy3));
    } else {
      if constexpr (!kNonNegative) count = _mm256_sub_epi16(outerSamples, count);
      result = _mm256_and_si256(_mm256_cmpgt_epi16(count, belowWindow),
                                _mm256_cmpgt_epi16(aboveWindow, count));
    }
    // Pencil: unsigned saturation gives min(D / 3, 255); others: all ones stay all ones.
    const __m128i low = _mm256_castsi256_si128(result), high = _mm256_extracti128_si256(result, 1);
    Store128(values + c, kPencil ? _mm_packus_epi16(low, high) : _mm_packs_epi16(low, high));
    if (c == last - kLanes + 1) break;
  }
}

template <bool kPencil>
VELLUMINE_TARGET_AVX2 void DrawRowAvx2(const EdgeKernel& kernel, const PlanarRow& above,
                                       const PlanarRow& centre, const PlanarRow& below,
                                       const std::uint8_t* centreBgr, std::uint8_t* scratch,
                                       std::uint8_t* sketchRow) {
  if (kernel.lastColumn < kernel.firstColumn) return;
  if (kernel.threshold >= 0)
    EdgeValuesAvx2<kPencil, true>(kernel, above, centre, below, scratch);
  else
    EdgeValuesAvx2<kPencil, false>(kernel, above, centre, below, scratch);
  ApplyValuesByTool(kernel.tool, scratch, centreBgr, kernel.firstColumn, kernel.lastColumn,
                    sketchRow);
}

VELLUMINE_TARGET_AVX2 void DrawRowDispatchAvx2(const EdgeKernel& kernel, const PlanarRow& above,
                                               const PlanarRow& centre, const PlanarRow& below,
                                               const std::uint8_t* centreBgr, std::uint8_t* scratch,
                                               std::uint8_t* sketchRow) {
  if (kernel.tool == DrawingTool::Pencil)
    DrawRowAvx2<true>(kernel, above, centre, below, centreBgr, scratch, sketchRow);
  else
    DrawRowAvx2<false>(kernel, above, centre, below, centreBgr, scratch, sketchRow);
}

// ---------------------------------------------------------------------------------------------
// AVX-512: 32 int16 lanes, comparisons into mask registers.

VELLUMINE_TARGET_AVX512 VELLUMINE_INLINE __m512i Load512(const std::int16_t* p) {
  return _mm512_loadu_si512(p);
}

struct CentreAvx512 {
  __m512i blue, green, red, sum;
};

// As SampleAvx2, with masks: `count` gathers the samples that count, for any T.
template <bool kPencil, bool kNonNegative>
VELLUMINE_TARGET_AVX512 VELLUMINE_INLINE void SampleAvx512(const CentreAvx512& p,
                                                           const PlanarRow& row, int column,
                                                           __m512i threshold, __m512i& darkness,
                                                           __m512i& count) {
  const __m512i strength = _mm512_add_epi16(
      _mm512_add_epi16(_mm512_abs_epi16(_mm512_sub_epi16(p.blue, Load512(row.blue + column))),
                       _mm512_abs_epi16(_mm512_sub_epi16(p.green, Load512(row.green + column)))),
      _mm512_abs_epi16(_mm512_sub_epi16(p.red, Load512(row.red + column))));
  // Set where B + G + R of the difference is at most 0: the sample is darker (score = A).
  const __mmask32 dark = _mm512_cmple_epi16_mask(p.sum, Load512(row.sum + column));
  if constexpr (kPencil) {
    darkness = _mm512_mask_add_epi16(darkness, dark, darkness, strength);
  } else {
    __mmask32 counted;
    if constexpr (kNonNegative)
      counted = _mm512_mask_cmpgt_epi16_mask(dark, strength, threshold);
    else  // T < 0: dark samples count, lighter ones when A < -T (`threshold` holds -T)
      counted = dark | _mm512_cmplt_epi16_mask(strength, threshold);
    count = _mm512_mask_sub_epi16(count, counted, count, _mm512_set1_epi16(-1));
  }
}

template <bool kPencil, bool kNonNegative>
VELLUMINE_TARGET_AVX512 void EdgeValuesAvx512(const EdgeKernel& kernel, const PlanarRow& above,
                                              const PlanarRow& centre, const PlanarRow& below,
                                              std::uint8_t* values) {
  constexpr int kLanes = 32;
  const int first = kernel.firstColumn, last = kernel.lastColumn, step = kernel.step;
  if (last - first + 1 < kLanes) {
    EdgeValuesScalar(kernel, above, centre, below, first, last, values);
    return;
  }
  const __m512i threshold = _mm512_set1_epi16(
      kNonNegative || kPencil ? kernel.threshold : std::int16_t(-kernel.threshold));
  const __m512i divideBy3 = _mm512_set1_epi16(kDivideBy3Multiplier);
  const __m512i lower = _mm512_set1_epi16(kernel.lowerCount);
  const __m512i upper = _mm512_set1_epi16(kernel.upperCount);
  for (int c = first;; c += kLanes) {
    c = std::min(c, last - kLanes + 1);
    const CentreAvx512 p{Load512(centre.blue + c), Load512(centre.green + c),
                         Load512(centre.red + c), Load512(centre.sum + c)};
    __m512i darkness = _mm512_setzero_si512(), count = _mm512_setzero_si512();
    SampleAvx512<kPencil, kNonNegative>(p, above, c - step, threshold, darkness, count);
    SampleAvx512<kPencil, kNonNegative>(p, above, c, threshold, darkness, count);
    SampleAvx512<kPencil, kNonNegative>(p, above, c + step, threshold, darkness, count);
    SampleAvx512<kPencil, kNonNegative>(p, centre, c - step, threshold, darkness, count);
    SampleAvx512<kPencil, kNonNegative>(p, centre, c + step, threshold, darkness, count);
    SampleAvx512<kPencil, kNonNegative>(p, below, c - step, threshold, darkness, count);
    SampleAvx512<kPencil, kNonNegative>(p, below, c, threshold, darkness, count);
    SampleAvx512<kPencil, kNonNegative>(p, below, c + step, threshold, darkness, count);
    __m256i result;
    if constexpr (kPencil) {
      const __mmask32 drawn = _mm512_cmpgt_epi16_mask(darkness, threshold);
      // Unsigned saturation to bytes gives min(D / 3, 255); undrawn pixels become 0.
      result = _mm512_maskz_cvtusepi16_epi8(drawn, _mm512_mulhi_epu16(darkness, divideBy3));
    } else {
      const __mmask32 inWindow =
          _mm512_cmpge_epi16_mask(count, lower) & _mm512_cmple_epi16_mask(count, upper);
      result = _mm256_movm_epi8(inWindow);
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(values + c), result);
    if (c == last - kLanes + 1) break;
  }
}

template <bool kPencil>
VELLUMINE_TARGET_AVX512 void DrawRowAvx512(const EdgeKernel& kernel, const PlanarRow& above,
                                           const PlanarRow& centre, const PlanarRow& below,
                                           const std::uint8_t* centreBgr, std::uint8_t* scratch,
                                           std::uint8_t* sketchRow) {
  if (kernel.lastColumn < kernel.firstColumn) return;
  if (kernel.threshold >= 0)
    EdgeValuesAvx512<kPencil, true>(kernel, above, centre, below, scratch);
  else
    EdgeValuesAvx512<kPencil, false>(kernel, above, centre, below, scratch);
  ApplyValuesByTool(kernel.tool, scratch, centreBgr, kernel.firstColumn, kernel.lastColumn,
                    sketchRow);
}

VELLUMINE_TARGET_AVX512 void DrawRowDispatchAvx512(const EdgeKernel& kernel, const PlanarRow& above,
                                                   const PlanarRow& centre, const PlanarRow& below,
                                                   const std::uint8_t* centreBgr,
                                                   std::uint8_t* scratch, std::uint8_t* sketchRow) {
  if (kernel.tool == DrawingTool::Pencil)
    DrawRowAvx512<true>(kernel, above, centre, below, centreBgr, scratch, sketchRow);
  else
    DrawRowAvx512<false>(kernel, above, centre, below, centreBgr, scratch, sketchRow);
}

constexpr RowKernels kAvx2Kernels{DeinterleaveAvx2, DrawRowDispatchAvx2};
// Splitting rows is a small share of the work; the AVX2 version serves both levels.
constexpr RowKernels kAvx512Kernels{DeinterleaveAvx2, DrawRowDispatchAvx512};

}  // namespace

const RowKernels* Avx2RowKernels() {
  return &kAvx2Kernels;
}
const RowKernels* Avx512RowKernels() {
  return &kAvx512Kernels;
}

}  // namespace vellumine::detail

#else  // not x86

namespace vellumine::detail {
const RowKernels* Avx2RowKernels() {
  return nullptr;
}
const RowKernels* Avx512RowKernels() {
  return nullptr;
}
}  // namespace vellumine::detail

#endif
