#include "formats/emf.h"

#include <gtest/gtest.h>

#include <cstring>

#include "formats/picture_error.h"
#include "tests/formats/bmp_builder.h"
#include "tests/formats/test_files.h"

namespace vellumine {
namespace {

using formats_test::Bytes;
using formats_test::U16At;
using formats_test::U32At;

std::int32_t I32At(const Bytes& b, std::size_t offset) {
  return std::int32_t(U32At(b, offset));
}

struct Record {
  std::uint32_t type;
  std::size_t offset;
  std::size_t size;
};

// Walks the records of an enhanced metafile, checking that they tile the file exactly.
std::vector<Record> Records(const Bytes& file) {
  std::vector<Record> records;
  std::size_t at = 0;
  while (at < file.size()) {
    EXPECT_LE(at + 8, file.size());
    const Record r{U32At(file, at), at, U32At(file, at + 4)};
    EXPECT_EQ(r.size % 4, 0u) << "record " << records.size();
    EXPECT_GE(r.size, 8u);
    EXPECT_LE(at + r.size, file.size());
    if (r.size < 8 || at + r.size > file.size()) break;
    records.push_back(r);
    at += r.size;
  }
  return records;
}

// The bitmap of an EMR_STRETCHDIBITS record: a 24-bit BITMAPINFOHEADER and bottom-up rows.
Raster24 StretchBitmap(const Bytes& file, const Record& r) {
  const std::size_t info = r.offset + U32At(file, r.offset + 48);
  const std::size_t bits = r.offset + U32At(file, r.offset + 56);
  EXPECT_EQ(U32At(file, r.offset + 52), 40u);
  EXPECT_EQ(U32At(file, info), 40u);
  const int width = I32At(file, info + 4), height = I32At(file, info + 8);
  EXPECT_GT(height, 0);  // bottom-up
  EXPECT_EQ(U16At(file, info + 12), 1u);
  EXPECT_EQ(U16At(file, info + 14), 24u);
  EXPECT_EQ(U32At(file, info + 16), 0u);
  const std::size_t rowBytes = (std::size_t(width) * 3 + 3) / 4 * 4;
  EXPECT_EQ(U32At(file, r.offset + 60), rowBytes * std::size_t(height));
  EXPECT_LE(bits + rowBytes * std::size_t(height), r.offset + r.size);
  Raster24 picture(width, height);
  for (int y = 0; y < height; ++y)
    std::memcpy(picture.Row(height - 1 - y), file.data() + bits + std::size_t(y) * rowBytes,
                std::size_t(width) * 3);
  return picture;
}

struct EmfCase {
  int width, height;            // the sketch
  int frameWidth, frameHeight;  // the source picture
  int frameRight, frameBottom;  // hundredths of a millimetre at 96 dpi, worked out by hand
};

class EmfWrite : public ::testing::TestWithParam<EmfCase> {};

TEST_P(EmfWrite, DrawsTheSketchAtItsOwnSizeInTheSourceFrame) {
  const EmfCase c = GetParam();
  formats_test::TempDir dir;
  const std::string path = dir.File("sketch.wmf");
  const Raster24 sketch = formats_test::PatternPicture(c.width, c.height, 3);
  WriteEmf(path, sketch, c.frameWidth, c.frameHeight);
  const Bytes file = formats_test::ReadBytes(path);
  const std::vector<Record> records = Records(file);
  ASSERT_EQ(records.size(), 3u);

  // EMR_HEADER
  const Record& h = records[0];
  ASSERT_EQ(h.type, 1u);
  EXPECT_EQ(h.offset, 0u);
  EXPECT_GE(h.size, 88u);
  EXPECT_EQ(I32At(file, 8), 0);  // rclBounds, inclusive device pixels
  EXPECT_EQ(I32At(file, 12), 0);
  EXPECT_EQ(I32At(file, 16), c.width - 1);
  EXPECT_EQ(I32At(file, 20), c.height - 1);
  EXPECT_EQ(I32At(file, 24), 0);  // rclFrame
  EXPECT_EQ(I32At(file, 28), 0);
  EXPECT_EQ(I32At(file, 32), c.frameRight);
  EXPECT_EQ(I32At(file, 36), c.frameBottom);
  EXPECT_EQ(U32At(file, 40), 0x464D4520u);
  EXPECT_EQ(U32At(file, 44), 0x10000u);
  EXPECT_EQ(U32At(file, 48), file.size());
  EXPECT_EQ(U32At(file, 52), 3u);
  EXPECT_EQ(U16At(file, 56), 1u);
  EXPECT_EQ(U32At(file, 60), 0u);  // no description
  EXPECT_EQ(U32At(file, 68), 0u);  // no palette
  // A 96-dpi reference device: pixels / millimetres = 96 / 25.4.
  const int devicePixels = I32At(file, 72), deviceMillimetres = I32At(file, 80);
  EXPECT_EQ(devicePixels * 254, deviceMillimetres * 960);
  EXPECT_EQ(I32At(file, 76) * 254, I32At(file, 84) * 960);

  // EMR_STRETCHDIBITS
  const Record& s = records[1];
  ASSERT_EQ(s.type, 81u);
  const std::size_t o = s.offset;
  EXPECT_EQ(I32At(file, o + 8), 0);
  EXPECT_EQ(I32At(file, o + 16), c.width - 1);
  EXPECT_EQ(I32At(file, o + 20), c.height - 1);
  EXPECT_EQ(I32At(file, o + 24), 0);  // xDest, yDest
  EXPECT_EQ(I32At(file, o + 28), 0);
  EXPECT_EQ(I32At(file, o + 32), 0);  // xSrc, ySrc
  EXPECT_EQ(I32At(file, o + 36), 0);
  EXPECT_EQ(I32At(file, o + 40), c.width);  // cxSrc, cySrc
  EXPECT_EQ(I32At(file, o + 44), c.height);
  EXPECT_EQ(U32At(file, o + 64), 0u);           // DIB_RGB_COLORS
  EXPECT_EQ(U32At(file, o + 68), 0x00CC0020u);  // SRCCOPY
  EXPECT_EQ(I32At(file, o + 72), c.width);      // cxDest, cyDest: the sketch's own size
  EXPECT_EQ(I32At(file, o + 76), c.height);
  EXPECT_TRUE(StretchBitmap(file, s) == sketch);

  // EMR_EOF
  const Record& e = records[2];
  ASSERT_EQ(e.type, 14u);
  EXPECT_EQ(e.size, 20u);
  EXPECT_EQ(U32At(file, e.offset + 8), 0u);
  EXPECT_EQ(U32At(file, e.offset + 12), 16u);
  EXPECT_EQ(U32At(file, e.offset + 16), 20u);
}

// 400 px = 400 * 2540 / 96 = 10583.3; 300 px = 7937.5, rounded up; 3 px = 79.4; 2 px = 52.9.
INSTANTIATE_TEST_SUITE_P(Sizes, EmfWrite,
                         ::testing::Values(EmfCase{401, 301, 400, 300, 10583, 7938},
                                           EmfCase{5, 3, 3, 2, 79, 53},
                                           EmfCase{1, 1, 96, 96, 2540, 2540}));

TEST(EmfWrite, EmptySketchOrFrameIsRefused) {
  formats_test::TempDir dir;
  const std::string path = dir.File("e.wmf");
  for (const auto& [sketch, fw, fh] :
       {std::tuple{Raster24(), 10, 10}, std::tuple{Raster24(2, 2), 0, 10}}) {
    try {
      WriteEmf(path, sketch, fw, fh);
      ADD_FAILURE() << "written";
    } catch (const PictureFileError& error) {
      EXPECT_EQ(error.Reason(), "the picture is empty");
    }
  }
  EXPECT_TRUE(dir.Entries().empty());
}

}  // namespace
}  // namespace vellumine
