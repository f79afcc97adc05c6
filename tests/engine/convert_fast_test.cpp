// The fast Convert and the row stream against ConvertReference, bit for bit.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/convert.h"
#include "engine/sketch_row_stream.h"

namespace vellumine {
namespace {

constexpr DrawingTool kFastTools[] = {DrawingTool::Pen, DrawingTool::Pencil, DrawingTool::Pastel,
                                      DrawingTool::Eraser};
constexpr SimdLevel kAllLevels[] = {SimdLevel::Scalar, SimdLevel::Avx2, SimdLevel::Avx512};
// T for the precisions 200, 170 and 0 of the controls.
constexpr int kControlThresholds[] = {0, 30, 200};

// Uniform noise: every strength and count. Faint: a gradient with noise of a few levels, so that
// strengths lie around the usual thresholds. Photo: smooth gradients, mild noise, hard-edged
// shapes and clipped black and white areas. Dots: single black pixels on white and white ones
// on black, whose samples all differ by 765 (D = 6120, the largest darkness sum).
enum class PictureKind { Noise, Faint, Photo, Dots };

std::uint8_t Clip(int v) {
  return std::uint8_t(std::clamp(v, 0, 255));
}

Raster24 MakePicture(int width, int height, PictureKind kind, unsigned seed) {
  std::mt19937 random(seed);
  Raster24 picture = Raster24::WithUndefinedPixels(width, height);
  std::uniform_int_distribution<int> byte(0, 255), faint(0, 12), mild(-6, 6);
  const int shapeColour[3] = {byte(random), byte(random), byte(random)};
  const int cx = width / 3, cy = height / 2, radius = std::max(2, std::min(width, height) / 3);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = picture.Row(y);
    for (int x = 0; x < width; ++x) {
      for (int k = 0; k < 3; ++k) {
        int v = 0;
        switch (kind) {
          case PictureKind::Noise:
            v = byte(random);
            break;
          case PictureKind::Faint:
            v = 100 + (x + 2 * y) % 40 + faint(random);
            break;
          case PictureKind::Dots: {
            const bool dot = (x * 7 + y * 13) % 17 == 0;
            v = (y < height / 2) != dot ? 255 : 0;
            break;
          }
          case PictureKind::Photo: {
            v = 40 + 150 * x / std::max(1, width) + 60 * y / std::max(1, height) + 20 * k +
                mild(random);
            const int dx = x - cx, dy = y - cy;
            if (dx * dx + dy * dy < radius * radius) v = shapeColour[k] + mild(random);
            if (x > 2 * width / 3 && y < height / 3) v = 255;  // blown-out highlight
            if (x > 2 * width / 3 && y > 2 * height / 3) v = (x / 3 + y / 5) % 2 ? 0 : 255;
            break;
          }
        }
        row[3 * x + k] = Clip(v);
      }
    }
  }
  return picture;
}

std::vector<SimdLevel> SupportedLevels() {
  std::vector<SimdLevel> levels;
  for (SimdLevel level : kAllLevels)
    if (level <= BestSimdLevel()) levels.push_back(level);
  return levels;
}

std::string Describe(const SketchSettings& s, const SketchBackground& background) {
  std::ostringstream text;
  text << "tool " << int(s.tool) << " mode " << int(s.mode) << " L " << s.lineStep << " T "
       << s.differenceThreshold << " scale " << s.samplingScale;
  if (background.HasTexture())
    text << " texture " << background.texture->Width() << "x" << background.texture->Height()
         << (background.layout == TextureLayout::Tile ? " tiled" : " stretched");
  return text.str();
}

// Compares Convert at every supported level with the given thread counts against the reference.
void ExpectFastEqualsReference(const Raster24& source, const SketchSettings& settings,
                               const SketchBackground& background,
                               std::initializer_list<int> threadCounts) {
  const Raster24 reference = ConvertReference(source, settings, background);
  for (SimdLevel level : SupportedLevels())
    for (int threads : threadCounts) {
      const Raster24 fast = Convert(source, settings, background, {threads, level});
      ASSERT_TRUE(fast == reference)
          << Describe(settings, background) << " level " << int(level) << " threads " << threads
          << " picture " << source.Width() << "x" << source.Height();
    }
}

struct PictureCase {
  int width, height;
  PictureKind kind;
};

std::ostream& operator<<(std::ostream& out, const PictureCase& c) {
  return out << c.width << "x" << c.height << " kind " << int(c.kind);
}

class FastConvertPictures : public testing::TestWithParam<PictureCase> {};

// Every fast tool, every line step and the controls' thresholds. The widths put the kernel's
// column count around the vector widths 16 and 32 for the various L; the taller pictures span
// several bands of rows, so the thread counts split them differently.
TEST_P(FastConvertPictures, MatchesReferenceForEveryToolStepAndThreshold) {
  const PictureCase& c = GetParam();
  const Raster24 source =
      MakePicture(c.width, c.height, c.kind, unsigned(c.width * 1000 + c.height));
  for (DrawingTool tool : kFastTools)
    for (int step = kMinLineStep; step <= kMaxLineStep; ++step)
      for (int threshold : kControlThresholds) {
        const SketchSettings settings{threshold, step, 1, tool, SketchMode::Automatic};
        ExpectFastEqualsReference(source, settings, {}, {1, 2, 3});
      }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, FastConvertPictures,
    testing::Values(PictureCase{1, 1, PictureKind::Noise}, PictureCase{3, 3, PictureKind::Noise},
                    PictureCase{4, 4, PictureKind::Noise}, PictureCase{5, 5, PictureKind::Noise},
                    PictureCase{7, 13, PictureKind::Noise}, PictureCase{0, 6, PictureKind::Noise},
                    PictureCase{6, 0, PictureKind::Noise}, PictureCase{19, 9, PictureKind::Faint},
                    PictureCase{20, 9, PictureKind::Noise}, PictureCase{21, 9, PictureKind::Faint},
                    PictureCase{36, 8, PictureKind::Noise}, PictureCase{37, 29, PictureKind::Faint},
                    PictureCase{38, 8, PictureKind::Photo}, PictureCase{51, 10, PictureKind::Faint},
                    PictureCase{67, 9, PictureKind::Noise}, PictureCase{68, 9, PictureKind::Faint},
                    PictureCase{69, 9, PictureKind::Photo},
                    PictureCase{129, 67, PictureKind::Photo},
                    PictureCase{61, 131, PictureKind::Faint},
                    PictureCase{97, 200, PictureKind::Noise},
                    PictureCase{333, 211, PictureKind::Photo}),
    [](const testing::TestParamInfo<PictureCase>& param) {
      return std::to_string(param.param.width) + "x" + std::to_string(param.param.height) + "_" +
             std::to_string(int(param.param.kind));
    });

// Thresholds outside the controls' range, around the limits of the strength (765) and the
// darkness sum (6120), and textures smaller and larger than the sketch, tiled and stretched.
struct BackgroundCase {
  int threshold;
  int textureWidth, textureHeight;  // 0: white
  TextureLayout layout;
};

std::ostream& operator<<(std::ostream& out, const BackgroundCase& c) {
  return out << "T " << c.threshold << " texture " << c.textureWidth << "x" << c.textureHeight
             << " layout " << int(c.layout);
}

class FastConvertThresholdsAndTextures : public testing::TestWithParam<BackgroundCase> {};

TEST_P(FastConvertThresholdsAndTextures, MatchesReference) {
  const BackgroundCase& c = GetParam();
  Raster24 texture;
  if (c.textureWidth > 0)
    texture = MakePicture(c.textureWidth, c.textureHeight, PictureKind::Noise, 7);
  const SketchBackground background{&texture, c.layout};
  const PictureCase pictures[] = {
      {70, 41, PictureKind::Noise}, {53, 70, PictureKind::Photo}, {40, 37, PictureKind::Dots}};
  for (const PictureCase& p : pictures) {
    const Raster24 source = MakePicture(p.width, p.height, p.kind, 11);
    for (DrawingTool tool : kFastTools)
      for (int step : {1, 2, 3, 7}) {
        const SketchSettings settings{c.threshold, step, 1, tool, SketchMode::Automatic};
        ExpectFastEqualsReference(source, settings, background, {1, 2});
      }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, FastConvertThresholdsAndTextures,
                         testing::Values(BackgroundCase{INT_MIN, 0, 0, TextureLayout::Tile},
                                         BackgroundCase{-100000, 0, 0, TextureLayout::Tile},
                                         BackgroundCase{-767, 0, 0, TextureLayout::Tile},
                                         BackgroundCase{-766, 0, 0, TextureLayout::Tile},
                                         BackgroundCase{-765, 0, 0, TextureLayout::Tile},
                                         BackgroundCase{-300, 0, 0, TextureLayout::Tile},
                                         BackgroundCase{-1, 0, 0, TextureLayout::Tile},
                                         BackgroundCase{1, 0, 0, TextureLayout::Tile},
                                         BackgroundCase{764, 0, 0, TextureLayout::Tile},
                                         BackgroundCase{765, 0, 0, TextureLayout::Tile},
                                         BackgroundCase{2000, 0, 0, TextureLayout::Tile},
                                         BackgroundCase{6119, 0, 0, TextureLayout::Tile},
                                         BackgroundCase{6120, 0, 0, TextureLayout::Tile},
                                         BackgroundCase{6121, 0, 0, TextureLayout::Tile},
                                         BackgroundCase{INT_MAX, 0, 0, TextureLayout::Tile},
                                         BackgroundCase{30, 5, 3, TextureLayout::Tile},
                                         BackgroundCase{30, 17, 90, TextureLayout::Tile},
                                         BackgroundCase{0, 200, 150, TextureLayout::Tile},
                                         BackgroundCase{30, 5, 3, TextureLayout::Stretch},
                                         BackgroundCase{30, 23, 91, TextureLayout::Stretch},
                                         BackgroundCase{-20, 200, 150, TextureLayout::Stretch}));

// Guards the tests above against pictures that exercise too little: on the generated pictures
// each tool's test goes both ways, and the Pencil's darkening reaches saturation (but on the
// faint one).
TEST(FastConvertPictures, TestPicturesDrawAndLeavePixels) {
  constexpr int kSize = 60;
  // Share of the sketch pixels whose blue byte satisfies `test`.
  auto share = [](const Raster24& picture, const SketchSettings& settings, auto test) {
    const Raster24 sketch = ConvertReference(picture, settings, {});
    int hits = 0;
    for (std::size_t i = 0; i < sketch.ByteCount(); i += 3) hits += test(sketch.Data()[i]);
    return double(hits) / (sketch.Width() * sketch.Height());
  };
  auto black = [](std::uint8_t v) { return v == 0; };
  auto darkened = [](std::uint8_t v) { return v < 255; };
  for (PictureKind kind : {PictureKind::Noise, PictureKind::Faint, PictureKind::Photo}) {
    const Raster24 picture = MakePicture(kSize, kSize, kind, 3);
    const double pen = share(picture, {30, 1, 1, DrawingTool::Pen, SketchMode::Automatic}, black);
    EXPECT_GT(pen, 0.02) << int(kind);
    EXPECT_LT(pen, 0.9) << int(kind);
    const double pencil =
        share(picture, {200, 1, 1, DrawingTool::Pencil, SketchMode::Automatic}, darkened);
    EXPECT_GT(pencil, 0.02) << int(kind);
    EXPECT_LT(pencil, 0.9) << int(kind);
    if (kind != PictureKind::Faint) {
      EXPECT_GT(share(picture, {30, 1, 1, DrawingTool::Pencil, SketchMode::Automatic}, black), 0)
          << int(kind);
    }
  }
}

TEST(FastConvert, OtherSettingsFallBackToTheReference) {
  const Raster24 source = MakePicture(45, 38, PictureKind::Photo, 5);
  const SketchSettings others[] = {
      {30, 3, 1, DrawingTool::Brush, SketchMode::Automatic},
      {30, 3, 1, DrawingTool::Brush, SketchMode::Freehand},
      {30, 3, 1, DrawingTool::Pen, SketchMode::Freehand},
      {30, 3, 1, DrawingTool::Eraser, SketchMode::Freehand},
      {30, 2, 2, DrawingTool::Pencil, SketchMode::Automatic},
      {30, kMaxFastLineStep + 1, 1, DrawingTool::Pen, SketchMode::Automatic},
  };
  for (const SketchSettings& settings : others) {
    EXPECT_FALSE(HasFastPath(settings)) << Describe(settings, {});
    EXPECT_TRUE(Convert(source, settings, {}) == ConvertReference(source, settings, {}))
        << Describe(settings, {});
  }
  EXPECT_TRUE(HasFastPath({30, 3, 1, DrawingTool::Eraser, SketchMode::Automatic}));
  EXPECT_FALSE(HasFastPath({30, 0, 1, DrawingTool::Pen, SketchMode::Automatic}));
  EXPECT_THROW(Convert(source, {30, 0, 1, DrawingTool::Pen, SketchMode::Automatic}, {}),
               std::invalid_argument);
}

TEST(FastConvert, ReusesARightSizedSketchAndReplacesAWrongSizedOne) {
  const Raster24 source = MakePicture(150, 140, PictureKind::Photo, 9);
  const SketchSettings settings{30, 1, 1, DrawingTool::Pencil, SketchMode::Automatic};
  const Raster24 reference = ConvertReference(source, settings, {});

  Raster24 sketch = Raster24::WithUndefinedPixels(151, 141);
  std::memset(sketch.Data(), 0x5A, sketch.ByteCount());  // stale pixels must all be overwritten
  const std::uint8_t* before = sketch.Data();
  Convert(source, settings, {}, sketch);
  EXPECT_EQ(sketch.Data(), before);
  EXPECT_TRUE(sketch == reference);

  Raster24 wrong(151, 140);
  Convert(source, settings, {}, wrong);
  EXPECT_TRUE(wrong == reference);

  // The source itself as the sketch: computed aside, then moved in.
  Raster24 inPlace = source;
  Convert(inPlace, settings, {}, inPlace);
  EXPECT_TRUE(inPlace == reference);
}

TEST(FastConvert, UnsupportedSimdLevelIsRefused) {
  if (BestSimdLevel() == SimdLevel::Avx512) GTEST_SKIP() << "this processor has every level";
  const Raster24 source = MakePicture(20, 20, PictureKind::Noise, 1);
  EXPECT_THROW(Convert(source, {}, {}, {1, SimdLevel::Avx512}), std::invalid_argument);
  EXPECT_THROW(SketchRowStream({}, 20, 20, {}, SimdLevel::Avx512), std::invalid_argument);
}

// ---------------------------------------------------------------------------------------------
// SketchRowStream

struct StreamCase {
  int width, height;
  SketchSettings settings;
  int textureWidth = 0, textureHeight = 0;
  TextureLayout layout = TextureLayout::Tile;
};

std::ostream& operator<<(std::ostream& out, const StreamCase& c) {
  return out << c.width << "x" << c.height << " " << Describe(c.settings, {}) << " texture "
             << c.textureWidth << "x" << c.textureHeight;
}

class SketchRowStreamCases : public testing::TestWithParam<StreamCase> {};

// Pushes the rows one by one, takes each sketch row as soon as it is ready, and checks both the
// rows and the moment they come out: row y of the kernel's range right after source row y + L,
// the rows outside it at once, everything after the last source row.
TEST_P(SketchRowStreamCases, RowsEqualTheReferenceAndComeOutAsSoonAsFinal) {
  const StreamCase& c = GetParam();
  const Raster24 source = MakePicture(c.width, c.height, PictureKind::Photo, 21);
  Raster24 texture;
  if (c.textureWidth > 0)
    texture = MakePicture(c.textureWidth, c.textureHeight, PictureKind::Noise, 4);
  const SketchBackground background{&texture, c.layout};
  const Raster24 reference = ConvertReference(source, c.settings, background);
  const int step = c.settings.lineStep, height = c.height;
  const bool drawn =
      c.settings.tool != DrawingTool::Eraser && c.width >= 3 * step + 2 && height >= 3 * step + 2;

  for (SimdLevel level : SupportedLevels()) {
    SketchRowStream stream(c.settings, c.width, height, background, level);
    ASSERT_EQ(stream.SketchWidth(), c.width + 1);
    ASSERT_EQ(stream.SketchHeight(), height + 1);
    int taken = 0;
    auto drain = [&] {
      while (const std::uint8_t* row = stream.NextSketchRow()) {
        ASSERT_LT(taken, reference.Height());
        EXPECT_EQ(std::memcmp(row, reference.Row(taken), reference.Stride()), 0)
            << "sketch row " << taken << " level " << int(level);
        ++taken;
      }
    };
    drain();
    EXPECT_EQ(taken, drawn ? 2 * step : height + 1);
    for (int y = 0; y < height; ++y) {
      stream.PushSourceRow(source.Row(y));
      drain();
      const int pushed = y + 1;
      const int expected =
          !drawn || pushed >= height - 1 ? height + 1 : std::max(2 * step, pushed - step);
      EXPECT_EQ(taken, expected) << "after source row " << y;
    }
    stream.Finish();
    EXPECT_EQ(taken, height + 1);
    EXPECT_EQ(stream.NextSketchRow(), nullptr);
    EXPECT_THROW(stream.PushSourceRow(source.Row(0)), std::logic_error);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SketchRowStreamCases,
    testing::Values(
        StreamCase{97, 75, {30, 1, 1, DrawingTool::Pen, SketchMode::Automatic}},
        StreamCase{97, 75, {0, 3, 1, DrawingTool::Pencil, SketchMode::Automatic}},
        StreamCase{97, 75, {30, 2, 1, DrawingTool::Pastel, SketchMode::Automatic}},
        StreamCase{97, 75, {-3, 15, 1, DrawingTool::Pastel, SketchMode::Automatic}},
        StreamCase{97, 75, {30, 3, 1, DrawingTool::Eraser, SketchMode::Automatic}, 9, 7},
        StreamCase{40, 33, {30, 1, 1, DrawingTool::Pencil, SketchMode::Automatic}, 9, 7},
        StreamCase{40,
                   33,
                   {30, 4, 1, DrawingTool::Pen, SketchMode::Automatic},
                   60,
                   50,
                   TextureLayout::Stretch},
        StreamCase{40, 3, {30, 1, 1, DrawingTool::Pen, SketchMode::Automatic}},
        StreamCase{0, 4, {30, 1, 1, DrawingTool::Pen, SketchMode::Automatic}},
        StreamCase{5, 0, {30, 1, 1, DrawingTool::Pencil, SketchMode::Automatic}}));

TEST(SketchRowStream, RefusesSettingsWithoutAFastPathAndMisuse) {
  EXPECT_THROW(SketchRowStream({30, 3, 1, DrawingTool::Brush, SketchMode::Automatic}, 10, 10),
               std::invalid_argument);
  EXPECT_THROW(SketchRowStream({30, 3, 1, DrawingTool::Pen, SketchMode::Freehand}, 10, 10),
               std::invalid_argument);
  EXPECT_THROW(SketchRowStream({30, 3, 2, DrawingTool::Pen, SketchMode::Automatic}, 10, 10),
               std::invalid_argument);
  EXPECT_THROW(SketchRowStream({}, -1, 10), std::invalid_argument);

  // With L = 2 the stream keeps 5 source rows. Sketch row 4, the first drawn, samples source
  // rows 2 .. 6; pushing row 7 would overwrite row 2 while row 4 has not been taken.
  const Raster24 source = MakePicture(30, 30, PictureKind::Noise, 2);
  SketchRowStream stream({30, 2, 1, DrawingTool::Pen, SketchMode::Automatic}, 30, 30);
  for (int y = 0; y < 7; ++y) stream.PushSourceRow(source.Row(y));
  EXPECT_THROW(stream.PushSourceRow(source.Row(7)), std::logic_error);
  const Raster24 reference =
      ConvertReference(source, {30, 2, 1, DrawingTool::Pen, SketchMode::Automatic}, {});
  for (int y = 0; y < 5; ++y) {
    const std::uint8_t* row = stream.NextSketchRow();
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(std::memcmp(row, reference.Row(y), reference.Stride()), 0) << y;
  }
  EXPECT_EQ(stream.NextSketchRow(), nullptr);
  EXPECT_NO_THROW(stream.PushSourceRow(source.Row(7)));
  EXPECT_THROW(stream.Finish(), std::logic_error);  // rows 8 .. 29 are missing
}

}  // namespace
}  // namespace vellumine
