#include "engine/sketch_kernel.h"

#include <gtest/gtest.h>

#include <array>

#include "tests/engine/engine_test_util.h"

namespace vellumine {
namespace {

using testing::Bgr;
using testing::Grey;
using testing::PixelAt;
using testing::SetPixel;

// A (2L + 1) square picture whose centre pixel (L, L) is the kernel's centre; the eight samples
// lie on its corners and edge midpoints. `samples` lists them row by row, centre included.
Raster24 KernelPicture(int step, const std::array<Bgr, 9>& samples) {
  Raster24 picture = testing::Filled(2 * step + 1, 2 * step + 1, Grey(128));
  for (int i = 0; i < 9; ++i) SetPixel(picture, (i % 3) * step, (i / 3) * step, samples[i]);
  return picture;
}

Bgr RunKernel(DrawingTool tool, int step, int threshold, const Raster24& picture,
              Bgr before = Grey(255)) {
  Raster24 sketch = testing::Filled(picture.Width() + 1, picture.Height() + 1, before);
  SketchSettings settings{threshold, step, 1, tool, SketchMode::Automatic};
  SketchPixel(settings, step, step, picture, sketch);
  return PixelAt(sketch, step, step);
}

TEST(PenWindow, MatchesTheLineSteps) {
  EXPECT_EQ(PenWindowFor(1).lower, 2);
  EXPECT_EQ(PenWindowFor(1).upper, 6);
  EXPECT_EQ(PenWindowFor(2).lower, 1);
  EXPECT_EQ(PenWindowFor(2).upper, 4);
  EXPECT_EQ(PenWindowFor(3).upper, 4);
  for (int step = 4; step <= 15; ++step) {
    EXPECT_EQ(PenWindowFor(step).lower, 1) << step;
    EXPECT_EQ(PenWindowFor(step).upper, 3) << step;
  }
}

struct KernelCase {
  const char* name;
  int step;
  int threshold;
  std::array<Bgr, 9> samples;
  Bgr before;  // the sketch pixel before the call
  Bgr pen, pencil, pastel;
};

class KernelEffect : public ::testing::TestWithParam<KernelCase> {};

TEST_P(KernelEffect, EachLineToolDrawsAsItsRuleSays) {
  const KernelCase& k = GetParam();
  const Raster24 picture = KernelPicture(k.step, k.samples);
  EXPECT_EQ(RunKernel(DrawingTool::Pen, k.step, k.threshold, picture, k.before), k.pen);
  EXPECT_EQ(RunKernel(DrawingTool::Pencil, k.step, k.threshold, picture, k.before), k.pencil);
  EXPECT_EQ(RunKernel(DrawingTool::Pastel, k.step, k.threshold, picture, k.before), k.pastel);
  EXPECT_EQ(RunKernel(DrawingTool::Brush, k.step, k.threshold, picture, k.before), k.before);
  EXPECT_EQ(RunKernel(DrawingTool::Eraser, k.step, k.threshold, picture, k.before), k.before);
}

const Bgr W = Grey(255), C = Grey(100), U = Grey(160), K = Grey(0);
const Bgr kBlack = Grey(0);

INSTANTIATE_TEST_SUITE_P(
    Cases, KernelEffect,
    ::testing::Values(
        // Three brighter samples above: n = 3, D = 540.
        KernelCase{"BrighterRowAbove", 1, 30, {U, U, U, C, C, C, C, C, C}, W, kBlack, Grey(75), C},
        // The bright side of the same edge: every sample darker, nothing drawn.
        KernelCase{"DarkerRowBelow", 1, 30, {U, U, U, U, U, U, C, C, C}, W, W, W, W},
        KernelCase{"FlatArea", 2, 0, {C, C, C, C, C, C, C, C, C}, W, W, W, W},
        // Eight brighter neighbours: n = 8 lies outside [2, 6]; Pencil darkens by 8 * 465 / 3.
        KernelCase{"DarkDot", 1, 30, {W, W, W, W, C, W, W, W, W}, W, W, K, W},
        // One brighter neighbour: n = 1, outside [2, 6] for L = 1, inside [1, 3] for L = 4.
        KernelCase{"OneBrighterL1", 1, 30, {C, C, C, C, C, U, C, C, C}, W, W, Grey(195), W},
        KernelCase{"OneBrighterL4", 4, 30, {C, C, C, C, C, U, C, C, C}, W, kBlack, Grey(195), C},
        // A one-pixel dark line between bright areas: n = 6.
        KernelCase{"DarkLine", 1, 30, {W, W, W, C, C, C, W, W, W}, W, kBlack, K, C},
        // Same channel sum, other colour (S = 0, A = 40): counts as brighter and adds to D.
        KernelCase{"EqualSumOtherColour",
                   1,
                   30,
                   {Bgr{120, 80, 100}, Bgr{120, 80, 100}, C, C, C, C, C, C, C},
                   W,
                   kBlack,
                   Grey(255 - 80 / 3),
                   C},
        // Pencil threshold: D exactly T draws nothing, D = T + 1 darkens by (T + 1) / 3.
        KernelCase{"PencilAtThreshold", 1, 30, {Grey(110), C, C, C, C, C, C, C, C}, W, W, W, W},
        KernelCase{
            "PencilAboveThreshold", 1, 29, {Grey(110), C, C, C, C, C, C, C, C}, W, W, Grey(245), W},
        // Pencil never goes below 0 on a dark sketch pixel; other channels darken normally.
        KernelCase{"PencilClampsAtZero",
                   1,
                   30,
                   {U, U, U, C, C, C, C, C, C},
                   Bgr{100, 200, 250},
                   kBlack,
                   Bgr{0, 20, 70},
                   C},
        // T = 0: every brighter sample that differs at all counts (n = 2, in the window).
        KernelCase{"ZeroThreshold",
                   1,
                   0,
                   {Grey(101), Grey(101), C, C, C, C, C, C, C},
                   W,
                   kBlack,
                   Grey(253),
                   C},
        // A negative T also counts the centre and darker samples whose strength is below -T.
        KernelCase{"NegativeThreshold", 1, -10, {Grey(99), C, C, C, C, C, C, C, C}, W, W, W, W}),
    [](const ::testing::TestParamInfo<KernelCase>& param) { return param.param.name; });

TEST(SketchPixel, PencilOnATextureDarkensItsPixel) {
  // One sample of strength 300: D = 300, t = 100; two of them darken past 0.
  const Raster24 picture = KernelPicture(1, {Grey(200), Grey(200), C, C, C, C, C, C, C});
  const Raster24 one = KernelPicture(1, {Grey(200), C, C, C, C, C, C, C, C});
  EXPECT_EQ(RunKernel(DrawingTool::Pencil, 1, 30, one, Bgr{200, 180, 160}), (Bgr{100, 80, 60}));
  EXPECT_EQ(RunKernel(DrawingTool::Pencil, 1, 30, picture, Bgr{200, 180, 160}), (Bgr{0, 0, 0}));
}

TEST(SketchPixel, SampleRowOutsideTheSourceIsARowError) {
  const Raster24 picture = testing::Filled(9, 9, C);
  Raster24 sketch(10, 10);
  SketchSettings settings{30, 3, 1, DrawingTool::Pen, SketchMode::Freehand};
  EXPECT_THROW(SketchPixel(settings, 4, 2, picture, sketch), RasterRowError);
  EXPECT_THROW(SketchPixel(settings, 4, 6, picture, sketch), RasterRowError);
  EXPECT_NO_THROW(SketchPixel(settings, 4, 3, picture, sketch));
}

TEST(SketchPixel, SamplesLeavingTheSidesAreSkipped) {
  Raster24 picture = testing::Filled(9, 9, W);
  SetPixel(picture, 1, 4, C);
  SetPixel(picture, 7, 4, C);
  Raster24 sketch(10, 10);
  SketchSettings settings{30, 3, 1, DrawingTool::Pencil, SketchMode::Freehand};
  SketchPixel(settings, 1, 4, picture, sketch);
  SketchPixel(settings, 7, 4, picture, sketch);
  EXPECT_TRUE(sketch == Raster24(10, 10));
}

}  // namespace
}  // namespace vellumine
