#include "formats/bmp.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <set>
#include <stdexcept>

#include "formats/jpeg.h"
#include "formats/picture_error.h"
#include "tests/formats/bmp_builder.h"
#include "tests/formats/test_files.h"

namespace vellumine {
namespace {

using formats_test::BmpSpec;
using formats_test::BuildBmp;
using formats_test::Bytes;
using formats_test::kPalettePicture;
using formats_test::kVariantPalette;
using formats_test::LetterPicture;
using formats_test::Letters;
using formats_test::Rows;

// ---- Pictures that decode

using DecodeCase = formats_test::BmpVariant;

class BmpDecodes : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(BmpDecodes, ToTheExpectedPixels) {
  const DecodeCase& c = GetParam();
  const Raster24 decoded = DecodeBmp(c.file.data(), c.file.size());
  EXPECT_EQ(Letters(decoded), c.expected);
  EXPECT_TRUE(decoded == LetterPicture(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Variants, BmpDecodes, ::testing::ValuesIn(formats_test::BmpVariants()),
                         [](const auto& p) { return p.param.name; });

// Bit fields are scaled to 0..255 as round(v * 255 / max).
TEST(BmpBitFields, ScaleEachFieldToFullRangeRounded) {
  BmpSpec s;
  s.width = 4;
  s.height = 1;
  s.bitsPerPixel = 16;
  s.compression = 3;
  s.masks = {0xF800, 0x07E0, 0x001F};
  // red 1 of 31, green 32 of 63, blue 16 of 31; then 0 and the maxima; then 30, 1, 15.
  const std::uint16_t pixels[4] = {std::uint16_t(1 << 11 | 32 << 5 | 16), 0, 0xFFFF,
                                   std::uint16_t(30 << 11 | 1 << 5 | 15)};
  for (std::uint16_t p : pixels) {
    s.pixels.push_back(std::uint8_t(p));
    s.pixels.push_back(std::uint8_t(p >> 8));
  }
  const Bytes file = BuildBmp(s);
  const Raster24 r = DecodeBmp(file.data(), file.size());
  const std::uint8_t* p = r.Row(0);
  // 1*255/31 = 8.2, 32*255/63 = 129.5, 16*255/31 = 131.6
  EXPECT_EQ((std::array<int, 3>{p[2], p[1], p[0]}), (std::array<int, 3>{8, 130, 132}));
  EXPECT_EQ((std::array<int, 3>{p[5], p[4], p[3]}), (std::array<int, 3>{0, 0, 0}));
  EXPECT_EQ((std::array<int, 3>{p[8], p[7], p[6]}), (std::array<int, 3>{255, 255, 255}));
  // 30*255/31 = 246.8, 1*255/63 = 4.05, 15*255/31 = 123.4
  EXPECT_EQ((std::array<int, 3>{p[11], p[10], p[9]}), (std::array<int, 3>{247, 4, 123}));
}

// ---- Pictures that are refused

struct DamagedCase {
  std::string name;
  Bytes file;
  std::string reason;
};

void PrintTo(const DamagedCase& c, std::ostream* os) {
  *os << c.name;
}

BmpSpec Valid24() {
  BmpSpec s;
  s.bitsPerPixel = 24;
  s.pixels = formats_test::EncodeBgr(kPalettePicture, 3, false);
  return s;
}

BmpSpec Valid8() {
  BmpSpec s;
  s.bitsPerPixel = 8;
  s.palette = kVariantPalette;
  s.colorsUsed = 6;
  s.pixels = formats_test::EncodeIndexed(kPalettePicture, kVariantPalette, 8, false);
  return s;
}

BmpSpec Rle8(Bytes stream) {
  BmpSpec s = Valid8();
  s.compression = 1;
  s.pixels = std::move(stream);
  return s;
}

std::vector<DamagedCase> DamagedCases() {
  std::vector<DamagedCase> cases;
  const auto add = [&](std::string name, Bytes file, std::string reason) {
    cases.push_back({std::move(name), std::move(file), std::move(reason)});
  };
  const auto addSpec = [&](std::string name, const BmpSpec& spec, std::string reason) {
    add(std::move(name), BuildBmp(spec), std::move(reason));
  };
  const auto with = [](BmpSpec s, auto change) {
    change(s);
    return s;
  };
  const Bytes valid = BuildBmp(Valid24());

  add("EmptyFile", {}, "empty file");
  add("MagicOnly", {'B', 'M'}, "truncated file");
  add("NotBitmap", {'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
      "not a BMP file");
  add("CutInFileHeader", Bytes(valid.begin(), valid.begin() + 12), "truncated file");
  add("CutInInfoHeader", Bytes(valid.begin(), valid.begin() + 30), "truncated file");
  add("CutInPixels", Bytes(valid.begin(), valid.end() - 1), "truncated file");
  {
    BmpSpec s = Valid8();
    s.pixelOffset = 54 + 6 * 4 - 1;  // palette reaches into the pixel data
    addSpec("PaletteOverlapsPixels", s, "palette of 6 colours overlaps the pixel data");
  }
  {
    Bytes cut = BuildBmp(Valid8());
    cut.resize(54 + 3 * 4);  // the palette itself is cut
    add("CutInPalette", cut, "truncated file");
  }
  addSpec("PixelOffsetInsideHeaders", with(Valid24(), [](BmpSpec& s) { s.pixelOffset = 20; }),
          "pixel data offset 20 inside the headers");
  addSpec("PixelOffsetPastEnd", with(Valid24(), [](BmpSpec& s) { s.pixelOffset = 5000; }),
          "truncated file");
  addSpec("HeaderSizeUnknown", with(Valid24(), [](BmpSpec& s) { s.headerSizeField = 200; }),
          "unsupported header size 200");
  addSpec("HeaderSizeLongerThanFile",
          with(Valid24(), [](BmpSpec& s) { s.headerSizeField = 124, s.pixels.resize(20); }),
          "truncated file");
  addSpec("BitDepth7", with(Valid24(), [](BmpSpec& s) { s.bitsPerPixel = 7; }),
          "unsupported bit depth 7");
  addSpec("BitDepth16InCoreHeader",
          with(Valid24(), [](BmpSpec& s) { s.headerSize = 12, s.bitsPerPixel = 16; }),
          "unsupported bit depth 16");
  addSpec("CompressionJpeg", with(Valid24(), [](BmpSpec& s) { s.compression = 4; }),
          "unsupported compression 4");
  addSpec("Rle8At4Bits", with(Valid8(), [](BmpSpec& s) { s.compression = 1, s.bitsPerPixel = 4; }),
          "RLE8 compression needs 8 bits per pixel, not 4");
  addSpec("Rle4At8Bits", with(Valid8(), [](BmpSpec& s) { s.compression = 2; }),
          "RLE4 compression needs 4 bits per pixel, not 8");
  addSpec("BitFieldsAt24Bits",
          with(Valid24(),
               [](BmpSpec& s) {
                 s.compression = 3, s.masks = {0xFF0000, 0xFF00, 0xFF};
               }),
          "bit-field compression needs 16 or 32 bits per pixel, not 24");
  addSpec("TwoPlanes", with(Valid24(), [](BmpSpec& s) { s.planes = 2; }), "bad plane count 2");
  addSpec("ZeroWidth", with(Valid24(), [](BmpSpec& s) { s.width = 0; }), "empty picture");
  addSpec("ZeroHeight", with(Valid24(), [](BmpSpec& s) { s.height = 0; }), "empty picture");
  addSpec("NegativeWidth", with(Valid24(), [](BmpSpec& s) { s.width = -5; }), "negative width -5");
  addSpec("Huge", with(Valid24(), [](BmpSpec& s) { s.width = 70000, s.height = 70000; }),
          "picture too large: 70000 x 70000");
  addSpec("TooManyPixels", with(Valid24(), [](BmpSpec& s) { s.width = 20000, s.height = 20000; }),
          "picture too large: 20000 x 20000");
  addSpec("MostNegativeHeight", with(Valid24(), [](BmpSpec& s) { s.height = INT32_MIN; }),
          "picture too large: 5 x 2147483648");
  addSpec("PaletteIndexOutOfRange8", with(Valid8(), [](BmpSpec& s) { s.pixels[4 + 8] = 40; }),
          "bad palette index 40 in row 1");
  {
    BmpSpec s = Valid8();
    s.bitsPerPixel = 4;
    s.pixels = formats_test::EncodeIndexed(kPalettePicture, kVariantPalette, 4, false);
    s.pixels[1] = 0x09;  // bottom row, third pixel: index 0 is fine, index 9 is not
    addSpec("PaletteIndexOutOfRange4", s, "bad palette index 9 in row 2");
  }
  {
    BmpSpec s = Valid8();
    s.bitsPerPixel = 1;
    s.palette = "K";
    s.colorsUsed = 1;
    s.pixels = formats_test::EncodeIndexed({"KKKKK", "KKKKK", "KKKKK"}, "K", 1, false);
    s.pixels[8] = 0x08;  // top row, fifth pixel is index 1 of a one-colour palette
    addSpec("PaletteIndexOutOfRange1", s, "bad palette index 1 in row 0");
  }
  addSpec("TopDownRle", with(Rle8({0, 1}), [](BmpSpec& s) { s.height = -3; }),
          "top-down RLE bitmap");
  addSpec("RleRunOverflowsRow", Rle8({6, 1, 0, 1}), "RLE run past the end of row 2");
  addSpec("RleAbsoluteRunOverflowsRow", Rle8({3, 1, 0, 3, 1, 1, 1, 0, 0, 1}),
          "RLE run past the end of row 2");
  addSpec("RleRunPastLastRow", Rle8({0, 0, 0, 0, 0, 0, 1, 1, 0, 1}), "RLE data past the last row");
  addSpec("RleEndOfLinePastLastRow", Rle8({0, 0, 0, 0, 0, 0, 0, 0, 0, 1}),
          "RLE data past the last row");
  addSpec("RleDeltaAboveTop", Rle8({0, 2, 0, 3, 0, 1}), "RLE delta outside the picture in row 2");
  addSpec("RleDeltaPastRowEnd", Rle8({2, 1, 0, 2, 4, 0, 0, 1}),
          "RLE delta outside the picture in row 2");
  addSpec("RleBadIndex", Rle8({0, 0, 2, 7, 0, 1}), "bad palette index 7 in row 1");
  addSpec("RleAbsoluteBadIndex", Rle8({0, 3, 1, 6, 1, 0, 0, 1}), "bad palette index 6 in row 2");
  addSpec("RleEndsWithoutEndOfBitmap", Rle8({5, 1, 0, 0}), "truncated file");
  addSpec("RleAbsoluteRunCut", Rle8({0, 5, 1, 1, 1}), "truncated file");
  addSpec("RleDeltaCut", Rle8({0, 2, 1}), "truncated file");
  {
    BmpSpec s = Valid8();
    s.bitsPerPixel = 4;
    s.compression = 2;
    s.pixels = {3, 0x16, 0, 1};  // the run alternates 1, 6, 1: index 6 is beyond the palette
    addSpec("Rle4BadIndex", s, "bad palette index 6 in row 2");
  }
  const auto fields = [](std::vector<std::uint32_t> masks) {
    BmpSpec s;
    s.bitsPerPixel = 16;
    s.compression = 3;
    s.masks = std::move(masks);
    s.pixels.assign(3 * 12, 0);
    return s;
  };
  addSpec("MasksOverlap", fields({0xF800, 0x0FE0, 0x001F}), "overlapping colour masks");
  addSpec("MaskWithGap", fields({0xF801, 0x07E0, 0x001E}), "colour mask with a gap");
  addSpec("MaskEmpty", fields({0xF800, 0, 0x001F}), "empty colour mask");
  addSpec("MaskWiderThanPixel", fields({0x1F0000, 0x07E0, 0x001F}),
          "colour mask wider than 16 bits");
  {
    BmpSpec s = fields({0xF800, 0x07E0, 0x001F});
    Bytes file = BuildBmp(s);
    file.resize(54 + 8);  // the masks after the info header are cut
    add("MasksCut", file, "truncated file");
  }
  return cases;
}

class BmpRefuses : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(BmpRefuses, WithTheReason) {
  const DamagedCase& c = GetParam();
  try {
    DecodeBmp(c.file.data(), c.file.size());
    FAIL() << "decoded";
  } catch (const BmpFormatError& error) {
    EXPECT_EQ(std::string(error.what()), c.reason);
  }
}

INSTANTIATE_TEST_SUITE_P(Damaged, BmpRefuses, ::testing::ValuesIn(DamagedCases()),
                         [](const auto& p) { return p.param.name; });

TEST(BmpRead, WrapsFormatAndSystemErrorsWithThePath) {
  formats_test::TempDir dir;
  const std::string cut = dir.File("cut.bmp");
  Bytes file = BuildBmp(Valid24());
  file.pop_back();
  formats_test::WriteBytes(cut, file);
  const auto reasonOf = [](const std::string& path) -> std::string {
    try {
      ReadBmp(path);
    } catch (const PictureFileError& error) {
      EXPECT_EQ(error.Path(), path);
      EXPECT_EQ(error.AccessType(), PictureFileError::Access::Read);
      EXPECT_EQ(std::string(error.what()), "cannot read " + path + ": " + error.Reason());
      return error.Reason();
    }
    return "read";
  };
  EXPECT_EQ(reasonOf(cut), "truncated file");
  EXPECT_EQ(reasonOf(dir.File("missing.bmp")), "no such file or directory");
  EXPECT_EQ(reasonOf(dir.Path()), "is a directory");
}

// ---- Fixtures

// The RLE8 fixture is the greyscale JPEG fixture's picture with a palette of grey levels: the
// two decodes differ only by the JPEG's loss and the palette's quantisation.
TEST(BmpFixtures, Rle8PaletteFixtureIsTheGreyCameraPicture) {
  const Raster24 bmp = ReadBmp(formats_test::FixturePath("camera-palette.bmp"));
  const Raster24 jpeg = ReadJpeg(formats_test::FixturePath("camera-gray.jpg"));
  ASSERT_EQ(bmp.Width(), 512);
  ASSERT_EQ(bmp.Height(), 512);
  std::set<int> levels;
  long difference = 0;
  for (std::size_t i = 0; i < bmp.ByteCount(); i += 3) {
    const std::uint8_t* p = bmp.Data() + i;
    ASSERT_TRUE(p[0] == p[1] && p[1] == p[2]) << "colour pixel at byte " << i;
    levels.insert(p[0]);
    difference += std::abs(int(p[0]) - int(jpeg.Data()[i]));
  }
  EXPECT_GT(levels.size(), 32u);
  EXPECT_LT(double(difference) / (512.0 * 512.0), 6.0);
}

TEST(BmpFixtures, Uncompressed24BitFixtureRowsMatchTheFileBottomUp) {
  const std::string path = formats_test::FixturePath("coffee.bmp");
  const Bytes file = formats_test::ReadBytes(path);
  const Raster24 picture = ReadBmp(path);
  ASSERT_EQ(picture.Width(), 600);
  ASSERT_EQ(picture.Height(), 400);
  const std::size_t offset = formats_test::U32At(file, 10);
  const std::size_t rowBytes = 600 * 3;  // already a multiple of 4
  for (int row : {0, 1, 200, 399})
    EXPECT_EQ(
        std::memcmp(picture.Row(row), file.data() + offset + (399 - row) * rowBytes, rowBytes), 0)
        << "row " << row;
}

// ---- Writing

TEST(BmpWrite, WritesA24BitBottomUpFileThatReadsBackEqual) {
  formats_test::TempDir dir;
  const std::string path = dir.File("out.bmp");
  const Raster24 picture = formats_test::PatternPicture(7, 5);  // 21 bytes a row: 3 of padding
  WriteBmp(path, picture);
  const Bytes file = formats_test::ReadBytes(path);
  ASSERT_EQ(file.size(), 54u + 24 * 5);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(formats_test::U32At(file, 2), file.size());
  EXPECT_EQ(formats_test::U32At(file, 10), 54u);
  EXPECT_EQ(formats_test::U32At(file, 14), 40u);
  EXPECT_EQ(formats_test::U32At(file, 18), 7u);
  EXPECT_EQ(formats_test::U32At(file, 22), 5u);  // positive: bottom-up
  EXPECT_EQ(formats_test::U16At(file, 28), 24u);
  EXPECT_EQ(formats_test::U32At(file, 30), 0u);  // BI_RGB
  EXPECT_EQ(formats_test::U32At(file, 34), 24u * 5);
  EXPECT_EQ(formats_test::U32At(file, 38), 3780u);
  // The first row in the file is the bottom one, and padding is zero.
  EXPECT_EQ(std::memcmp(file.data() + 54, picture.Row(4), 21), 0);
  EXPECT_EQ(file[54 + 21], 0);
  EXPECT_EQ(file[54 + 23], 0);
  EXPECT_TRUE(ReadBmp(path) == picture);
}

class BmpRowWriterMatches : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(BmpRowWriterMatches, WriteBmpByteForByte) {
  const auto [width, height] = GetParam();
  formats_test::TempDir dir;
  const Raster24 picture = formats_test::PatternPicture(width, height, 7);
  WriteBmp(dir.File("whole.bmp"), picture);
  BmpRowWriter writer(dir.File("rows.bmp"), width, height);
  for (int y = 0; y < height; ++y) writer.WriteRow(picture.Row(y));
  writer.Finish();
  EXPECT_EQ(formats_test::ReadBytes(dir.File("rows.bmp")),
            formats_test::ReadBytes(dir.File("whole.bmp")));
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"rows.bmp", "whole.bmp"}));
}

// Small pictures fit one buffer of rows; 1000 x 800 needs several, the last one partial.
INSTANTIATE_TEST_SUITE_P(Sizes, BmpRowWriterMatches,
                         ::testing::Values(std::pair{1, 1}, std::pair{7, 5}, std::pair{1000, 800}));

TEST(BmpRowWriter, RefusesWrongRowCounts) {
  formats_test::TempDir dir;
  const Raster24 picture = formats_test::PatternPicture(4, 2);
  BmpRowWriter writer(dir.File("a.bmp"), 4, 2);
  writer.WriteRow(picture.Row(0));
  EXPECT_THROW(writer.Finish(), std::logic_error);
  writer.WriteRow(picture.Row(1));
  EXPECT_THROW(writer.WriteRow(picture.Row(1)), std::logic_error);
  writer.Finish();
  EXPECT_TRUE(ReadBmp(dir.File("a.bmp")) == picture);
}

TEST(BmpWrite, EmptyPictureIsRefused) {
  formats_test::TempDir dir;
  const std::string path = dir.File("empty.bmp");
  try {
    WriteBmp(path, Raster24());
    FAIL() << "written";
  } catch (const PictureFileError& error) {
    EXPECT_EQ(error.Reason(), "the picture is empty");
    EXPECT_EQ(error.AccessType(), PictureFileError::Access::Write);
  }
  EXPECT_THROW(BmpRowWriter(path, 0, 3), PictureFileError);
  EXPECT_TRUE(dir.Entries().empty());
}

}  // namespace
}  // namespace vellumine
