#include "engine/raster24.h"

#include <gtest/gtest.h>

namespace vellumine {
namespace {

bool AllWhite(const Raster24& r) {
  for (std::size_t i = 0; i < r.ByteCount(); ++i)
    if (r.Data()[i] != 255) return false;
  return true;
}

TEST(Raster24, NewRasterIsWhiteAndResizeKeepsOldPixelsAtTopLeft) {
  Raster24 r;
  EXPECT_TRUE(r.Empty());
  r.Resize(3, 2);
  EXPECT_EQ(r.Width(), 3);
  EXPECT_EQ(r.Height(), 2);
  EXPECT_TRUE(AllWhite(r));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) r.Row(y)[3 * x] = std::uint8_t(10 * y + x);

  r.Resize(4, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) {
      const std::uint8_t* p = r.Row(y) + 3 * x;
      const bool old = y < 2 && x < 3;
      EXPECT_EQ(p[0], old ? 10 * y + x : 255) << x << "," << y;
      EXPECT_EQ(p[1], 255);
    }

  r.Resize(2, 1);
  EXPECT_EQ(r.Row(0)[3], 1);
  EXPECT_EQ(r.ByteCount(), 6u);
}

TEST(Raster24, RowOutsideTheRasterIsAnError) {
  Raster24 r(4, 3);
  EXPECT_THROW(r.Row(-1), RasterRowError);
  EXPECT_THROW(r.Row(3), RasterRowError);
  EXPECT_NO_THROW(r.Row(2));
  const Raster24& c = r;
  EXPECT_THROW(c.Row(3), RasterRowError);
  EXPECT_THROW(Raster24().Row(0), RasterRowError);
}

TEST(Raster24, CopiesAreIndependent) {
  Raster24 a(2, 2);
  Raster24 b = a;
  b.Row(1)[0] = 7;
  EXPECT_EQ(a.Row(1)[0], 255);
  a = b;
  b.Row(1)[0] = 9;
  EXPECT_EQ(a.Row(1)[0], 7);
  EXPECT_FALSE(a == b);
}

TEST(Raster24, LargeRastersUseTheMappedPathAndStayCorrect) {
  // Larger than the huge-page threshold: allocation, copy, resize and release all work.
  Raster24 big(1500, 1200);
  EXPECT_TRUE(AllWhite(big));
  big.Row(1199)[3 * 1499 + 2] = 1;
  Raster24 copy = big;
  EXPECT_EQ(copy.Row(1199)[3 * 1499 + 2], 1);
  copy.Resize(10, 10);
  EXPECT_TRUE(AllWhite(copy));
}

TEST(Raster24, NegativeSizeIsRefused) {
  EXPECT_THROW(Raster24(-1, 3), std::invalid_argument);
  Raster24 r;
  EXPECT_THROW(r.Resize(3, -2), std::invalid_argument);
}

}  // namespace
}  // namespace vellumine
