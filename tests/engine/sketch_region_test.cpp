#include "engine/sketch_region.h"

#include <gtest/gtest.h>

#include "engine/convert.h"
#include "tests/engine/engine_test_util.h"

namespace vellumine {
namespace {

using testing::Bgr;
using testing::Grey;
using testing::PixelAt;
using testing::SetPixel;

const Bgr kWhite = Grey(255);

SketchSettings Settings(DrawingTool tool, SketchMode mode, int step, int threshold = 30) {
  return SketchSettings{threshold, step, 1, tool, mode};
}

// Black cells of size L x L on white: a black pixel has four white samples at distance L, so the
// Pencil blackens every black pixel the kernel visits and leaves the rest white.
Raster24 Checkerboard(int width, int height, int step) {
  Raster24 picture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if ((y / step + x / step) % 2 == 0) SetPixel(picture, x, y, Grey(0));
  return picture;
}

class ConvertMargins : public ::testing::TestWithParam<int> {};

TEST_P(ConvertMargins, KernelVisitsRows2LToHMinusLMinus2AndLikewiseColumns) {
  const int step = GetParam();
  const int width = 4 * step + 23, height = 3 * step + 17;
  const Raster24 picture = Checkerboard(width, height, step);
  const Raster24 sketch = ConvertReference(
      picture, Settings(DrawingTool::Pencil, SketchMode::Automatic, step), SketchBackground{});
  ASSERT_EQ(sketch.Width(), width + 1);
  ASSERT_EQ(sketch.Height(), height + 1);
  for (int y = 0; y <= height; ++y)
    for (int x = 0; x <= width; ++x) {
      const bool visited =
          2 * step <= y && y <= height - step - 2 && 2 * step <= x && x <= width - step - 2;
      const bool drawn = visited && PixelAt(picture, x, y) == Grey(0);
      ASSERT_EQ(PixelAt(sketch, x, y), drawn ? Grey(0) : kWhite) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(LineSteps, ConvertMargins, ::testing::Range(1, 16));

TEST(ConvertReference, SmallPicturesGetOneKernelCallOrNone) {
  // 5 x 5 with L = 1: only (2, 2) can change, and a dark dot there is drawn.
  Raster24 five = testing::Filled(5, 5, kWhite);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x) SetPixel(five, x, y, Grey(0));
  SetPixel(five, 2, 1, kWhite);
  SetPixel(five, 1, 2, kWhite);
  const SketchSettings pencil = Settings(DrawingTool::Pencil, SketchMode::Automatic, 1);
  Raster24 expected(6, 6);
  SetPixel(expected, 2, 2, Grey(0));
  EXPECT_TRUE(ConvertReference(five, pencil, {}) == expected);

  const Raster24 four = testing::RandomPicture(4, 4, 7);
  EXPECT_TRUE(ConvertReference(four, pencil, {}) == Raster24(5, 5));
  EXPECT_TRUE(ConvertReference(Raster24(), pencil, {}) == Raster24(1, 1));
}

TEST(ConvertReference, EraserInAutomaticModeDrawsNothing) {
  const Raster24 picture = testing::RandomPicture(40, 30, 3);
  const Raster24 texture = testing::RandomPicture(7, 5, 4);
  Raster24 expected(41, 31);
  TileTexture(texture, expected);
  EXPECT_TRUE(ConvertReference(picture, Settings(DrawingTool::Eraser, SketchMode::Automatic, 1),
                               {&texture, TextureLayout::Tile}) == expected);
}

TEST(ConvertReference, PencilDrawsOnTheTexture) {
  const Raster24 picture = Checkerboard(30, 20, 1);
  const Raster24 texture = testing::Filled(3, 3, Bgr{200, 180, 160});
  const Raster24 sketch =
      ConvertReference(picture, Settings(DrawingTool::Pencil, SketchMode::Automatic, 1),
                       {&texture, TextureLayout::Stretch});
  EXPECT_EQ(PixelAt(sketch, 2, 2), Grey(0));
  EXPECT_EQ(PixelAt(sketch, 3, 2), (Bgr{200, 180, 160}));
  EXPECT_EQ(PixelAt(sketch, 30, 20), (Bgr{200, 180, 160}));
}

// In Freehand mode a whole-picture pass works inside the disc centred on (H / 2, W / 2) with
// squared radius (W - 2L)^2 / 4.
bool InsideConvertDisc(int x, int y, int width, int height, int step) {
  const int left = step, right = width - step, top = step, bottom = height - step;
  const long long dr = y - (top + bottom) / 2, dc = x - (left + right) / 2;
  return dr * dr + dc * dc < (long long)(right - left) * (right - left) / 4;
}

TEST(ConvertReference, FreehandKernelDrawsOnlyInsideTheDisc) {
  const int width = 41, height = 60, step = 1;
  const Raster24 picture = Checkerboard(width, height, step);
  const Raster24 sketch = ConvertReference(
      picture, Settings(DrawingTool::Pencil, SketchMode::Freehand, step), SketchBackground{});
  int drawn = 0;
  for (int y = 0; y <= height; ++y)
    for (int x = 0; x <= width; ++x)
      if (PixelAt(sketch, x, y) != kWhite) {
        ++drawn;
        ASSERT_TRUE(InsideConvertDisc(x, y, width, height, step)) << x << "," << y;
      }
  EXPECT_GT(drawn, 500);
}

TEST(ConvertReference, FreehandBrushFillsTheDiscWithTheTruncatedMean) {
  const int width = 31, height = 25, step = 2;
  Raster24 picture = testing::RandomPicture(width, height, 11);
  long long sums[3] = {0, 0, 0}, count = 0;
  for (int y = 1; y < height - 1; ++y)
    for (int x = 1; x < width - 1; ++x) {
      const bool takesPart = y >= step + 1 && y < height - step - 1 && x >= step + 1 &&
                             x < width - step - 1 && InsideConvertDisc(x, y, width, height, step);
      if (!takesPart) continue;
      const Bgr p = PixelAt(picture, x, y);
      sums[0] += p.b, sums[1] += p.g, sums[2] += p.r, ++count;
    }
  ASSERT_GT(count, 0);
  const Bgr mean{std::uint8_t(sums[0] / count), std::uint8_t(sums[1] / count),
                 std::uint8_t(sums[2] / count)};
  const Raster24 sketch = ConvertReference(
      picture, Settings(DrawingTool::Brush, SketchMode::Freehand, step), SketchBackground{});
  for (int y = 0; y <= height; ++y)
    for (int x = 0; x <= width; ++x) {
      const bool takesPart = y >= step + 1 && y < height - step - 1 && x >= step + 1 &&
                             x < width - step - 1 && InsideConvertDisc(x, y, width, height, step);
      ASSERT_EQ(PixelAt(sketch, x, y), takesPart ? mean : kWhite) << x << "," << y;
    }
}

TEST(SketchRegion, FreehandEraserWhitensTheDiscFromTheCorner) {
  const Raster24 picture = testing::RandomPicture(20, 20, 5);
  Raster24 sketch = testing::Filled(21, 21, Grey(9));
  SketchRegion(Settings(DrawingTool::Eraser, SketchMode::Freehand, 3), 2, 2, 12, 12, picture,
               sketch);
  // Centre (7, 7), squared radius 25; rows and columns 2 .. 10.
  for (int y = 0; y <= 20; ++y)
    for (int x = 0; x <= 20; ++x) {
      const bool erased = y <= 10 && x <= 10 && (y - 7) * (y - 7) + (x - 7) * (x - 7) < 25;
      ASSERT_EQ(PixelAt(sketch, x, y), erased ? kWhite : Grey(9)) << x << "," << y;
    }
}

TEST(SketchRegion, BrushOutsideThePicturePaintsNothing) {
  const Raster24 picture = testing::RandomPicture(20, 20, 5);
  Raster24 sketch(21, 21);
  const SketchSettings brush = Settings(DrawingTool::Brush, SketchMode::Freehand, 1);
  SketchRegion(brush, -40, -40, -10, -10, picture, sketch);
  SketchRegion(brush, 25, 3, 45, 23, picture, sketch);
  EXPECT_TRUE(sketch == Raster24(21, 21));
}

TEST(SketchRegion, RowErrorNearTheTopEndsThePassKeepingWhatWasDrawn) {
  // A square at the top with L = 3: rows from top + L = 2 need row -1, so the pass ends at the
  // first valid pixel, before drawing anything; lower down the square draws normally.
  const Raster24 picture = Checkerboard(30, 30, 3);
  const SketchSettings pencil = Settings(DrawingTool::Pencil, SketchMode::Freehand, 3);
  Raster24 sketch(31, 31);
  EXPECT_THROW(SketchRegion(pencil, 5, -1, 25, 19, picture, sketch), RasterRowError);
  EXPECT_TRUE(sketch == Raster24(31, 31));

  // Near the bottom the error comes after earlier rows were drawn; they stay drawn.
  EXPECT_THROW(SketchRegion(pencil, 5, 14, 25, 34, picture, sketch), RasterRowError);
  EXPECT_NE(sketch, Raster24(31, 31));
}

TEST(SketchRegion, DiscRadiusComesFromTheWidthAlone) {
  // A wide, flat rectangle: the disc reaches rows the rectangle's height would not allow.
  const Raster24 picture = testing::Filled(40, 40, Grey(50));
  Raster24 sketch(41, 41);
  SketchRegion(Settings(DrawingTool::Brush, SketchMode::Freehand, 1), 0, 18, 40, 22, picture,
               sketch);
  // Rows 19 and 20 (from top + 1 while r < bottom - 1) are painted across most of the width.
  EXPECT_EQ(PixelAt(sketch, 3, 19), Grey(50));
  EXPECT_EQ(PixelAt(sketch, 36, 20), Grey(50));
  EXPECT_EQ(PixelAt(sketch, 3, 21), kWhite);
}

TEST(SketchRegion, StepOrScaleBelowOneIsRefused) {
  const Raster24 picture(5, 5);
  Raster24 sketch(6, 6);
  EXPECT_THROW(SketchRegion(Settings(DrawingTool::Pen, SketchMode::Automatic, 0), 0, 0, 5, 5,
                            picture, sketch),
               std::invalid_argument);
  SketchSettings zeroScale = Settings(DrawingTool::Pen, SketchMode::Automatic, 1);
  zeroScale.samplingScale = 0;
  EXPECT_THROW(ConvertReference(picture, zeroScale, {}), std::invalid_argument);
}

}  // namespace
}  // namespace vellumine
