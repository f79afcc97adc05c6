#include "engine/texture_overlay.h"

#include <gtest/gtest.h>

#include "tests/engine/engine_test_util.h"

namespace vellumine {
namespace {

using testing::PixelAt;

struct OverlayCase {
  const char* name;
  TextureLayout layout;
  int textureWidth, textureHeight, targetWidth, targetHeight;
};

class Overlay : public ::testing::TestWithParam<OverlayCase> {};

TEST_P(Overlay, EveryTargetPixelTakesItsTexturePixel) {
  const OverlayCase& k = GetParam();
  const Raster24 texture = testing::RandomPicture(k.textureWidth, k.textureHeight, 21);
  Raster24 target(k.targetWidth, k.targetHeight);
  LayTexture(texture, k.layout, target);
  for (int y = 0; y < k.targetHeight; ++y)
    for (int x = 0; x < k.targetWidth; ++x) {
      const int tx =
          k.layout == TextureLayout::Tile ? x % k.textureWidth : x * k.textureWidth / k.targetWidth;
      const int ty = k.layout == TextureLayout::Tile ? y % k.textureHeight
                                                     : y * k.textureHeight / k.targetHeight;
      ASSERT_EQ(PixelAt(target, x, y), PixelAt(texture, tx, ty)) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Overlay,
    ::testing::Values(OverlayCase{"TileThreeByTwo", TextureLayout::Tile, 100, 100, 251, 151},
                      OverlayCase{"TileExactMultiple", TextureLayout::Tile, 10, 5, 30, 20},
                      OverlayCase{"TileLargerThanTarget", TextureLayout::Tile, 300, 200, 251, 151},
                      OverlayCase{"StretchUp", TextureLayout::Stretch, 100, 100, 251, 151},
                      OverlayCase{"StretchDown", TextureLayout::Stretch, 300, 7, 41, 5},
                      OverlayCase{"SinglePixel", TextureLayout::Stretch, 1, 1, 9, 4}),
    [](const ::testing::TestParamInfo<OverlayCase>& param) { return param.param.name; });

TEST(Overlay, EmptyTextureLeavesTheTargetUnchanged) {
  Raster24 target = testing::RandomPicture(9, 8, 1);
  const Raster24 before = target;
  TileTexture(Raster24(), target);
  StretchTexture(Raster24(0, 5), target);
  EXPECT_TRUE(target == before);
}

}  // namespace
}  // namespace vellumine
