#include "formats/jpeg.h"

#include <gtest/gtest.h>

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <cstdlib>
#include <cstring>
#include <functional>
#include <stdexcept>

#include "formats/picture_error.h"
#include "tests/formats/test_files.h"

namespace vellumine {
namespace {

using formats_test::Bytes;
using formats_test::FixturePath;
using formats_test::ReadBytes;
using formats_test::TempDir;
using formats_test::WriteBytes;

// The straightforward decode: libjpeg's stdio source and its default output (RGB, or grey
// widened here), turned into blue, green, red.
Raster24 ReferenceDecode(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) throw std::runtime_error("cannot open " + path);
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&cinfo);
  jpeg_stdio_src(&cinfo, file);
  jpeg_read_header(&cinfo, TRUE);
  jpeg_start_decompress(&cinfo);
  Raster24 picture(int(cinfo.output_width), int(cinfo.output_height));
  std::vector<JSAMPLE> row(cinfo.output_width * cinfo.output_components);
  for (int y = 0; y < picture.Height(); ++y) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&cinfo, rows, 1);
    for (int x = 0; x < picture.Width(); ++x) {
      std::uint8_t* p = picture.Row(y) + 3 * x;
      if (cinfo.output_components == 1) {
        p[0] = p[1] = p[2] = row[x];
      } else {
        p[0] = row[3 * x + 2];
        p[1] = row[3 * x + 1];
        p[2] = row[3 * x];
      }
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  std::fclose(file);
  return picture;
}

struct Segment {
  std::uint8_t marker;
  std::size_t offset;  // of the 0xFF
};

// The marker segments of a JPEG file from SOI up to the first SOS.
std::vector<Segment> HeaderSegments(const Bytes& file) {
  std::vector<Segment> segments;
  std::size_t at = 2;
  while (at + 4 <= file.size() && file[at] == 0xFF) {
    segments.push_back({file[at + 1], at});
    if (file[at + 1] == 0xDA) break;
    at += 2 + std::size_t(file[at + 2] << 8 | file[at + 3]);
  }
  return segments;
}

bool IsStartOfFrame(std::uint8_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

std::uint8_t FrameMarker(const Bytes& file) {
  for (const Segment& s : HeaderSegments(file))
    if (IsStartOfFrame(s.marker)) return s.marker;
  return 0;
}

// The file with the size in its start-of-frame segment replaced.
Bytes WithFrameSize(Bytes file, int width, int height) {
  for (const Segment& s : HeaderSegments(file))
    if (IsStartOfFrame(s.marker)) {
      file[s.offset + 5] = std::uint8_t(height >> 8);
      file[s.offset + 6] = std::uint8_t(height);
      file[s.offset + 7] = std::uint8_t(width >> 8);
      file[s.offset + 8] = std::uint8_t(width);
      return file;
    }
  throw std::runtime_error("no start of frame");
}

std::string ReadReason(const std::string& path) {
  try {
    ReadJpeg(path);
  } catch (const PictureFileError& error) {
    EXPECT_EQ(error.AccessType(), PictureFileError::Access::Read);
    EXPECT_EQ(error.Path(), path);
    return error.Reason();
  }
  return "decoded";
}

// ---- Decoding

class JpegFixture : public ::testing::TestWithParam<const char*> {};

TEST_P(JpegFixture, DecodesAsLibjpegDoesByDefault) {
  const std::string path = FixturePath(GetParam());
  const Raster24 picture = ReadJpeg(path);
  EXPECT_TRUE(picture == ReferenceDecode(path));
}

TEST_P(JpegFixture, RowReaderGivesTheSameRows) {
  const std::string path = FixturePath(GetParam());
  const Raster24 whole = ReadJpeg(path);
  JpegRowReader reader(path);
  ASSERT_EQ(reader.Width(), whole.Width());
  ASSERT_EQ(reader.Height(), whole.Height());
  std::vector<std::uint8_t> row(whole.Stride());
  for (int y = 0; y < whole.Height(); ++y) {
    reader.ReadRow(row.data());
    ASSERT_EQ(std::memcmp(row.data(), whole.Row(y), row.size()), 0) << "row " << y;
  }
  EXPECT_EQ(reader.RowsRead(), whole.Height());
  EXPECT_THROW(reader.ReadRow(row.data()), std::logic_error);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, JpegFixture,
                         ::testing::Values("chelsea.jpg", "camera-gray.jpg"));

TEST(JpegRead, GreyscaleFileGivesGreyPixels) {
  const Raster24 picture = ReadJpeg(FixturePath("camera-gray.jpg"));
  ASSERT_EQ(picture.Width(), 512);
  ASSERT_EQ(picture.Height(), 512);
  bool varied = false;
  for (std::size_t i = 0; i < picture.ByteCount(); i += 3) {
    ASSERT_EQ(picture.Data()[i], picture.Data()[i + 1]);
    ASSERT_EQ(picture.Data()[i], picture.Data()[i + 2]);
    varied = varied || picture.Data()[i] != picture.Data()[0];
  }
  EXPECT_TRUE(varied);
}

TEST(JpegRead, DataEndingEarlyDecodesWhatIsThere) {
  TempDir dir;
  const Bytes whole = ReadBytes(FixturePath("chelsea.jpg"));
  const std::string path = dir.File("cut.jpg");
  WriteBytes(path, Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(whole.size() * 6 / 10)));
  const Raster24 full = ReadJpeg(FixturePath("chelsea.jpg"));
  Raster24 cut;
  ASSERT_NO_THROW(cut = ReadJpeg(path));
  ASSERT_EQ(cut.Width(), full.Width());
  ASSERT_EQ(cut.Height(), full.Height());
  for (int y = 0; y < 16; ++y)
    EXPECT_EQ(std::memcmp(cut.Row(y), full.Row(y), full.Stride()), 0) << "row " << y;
  EXPECT_NE(std::memcmp(cut.Row(full.Height() - 1), full.Row(full.Height() - 1), full.Stride()), 0);
}

struct BadJpegCase {
  std::string name;
  std::function<std::string(const TempDir&)> make;  // returns the path to read
  std::string reason;
};

void PrintTo(const BadJpegCase& c, std::ostream* os) {
  *os << c.name;
}

std::string Put(const TempDir& dir, const Bytes& bytes) {
  const std::string path = dir.File("bad.jpg");
  WriteBytes(path, bytes);
  return path;
}

const Bytes& Chelsea() {
  static const Bytes bytes = ReadBytes(FixturePath("chelsea.jpg"));
  return bytes;
}

std::vector<BadJpegCase> BadJpegCases() {
  return {
      {"MissingFile", [](const TempDir& d) { return d.File("missing.jpg"); },
       "no such file or directory"},
      {"Directory", [](const TempDir& d) { return d.Path(); }, "is a directory"},
      {"EmptyFile", [](const TempDir& d) { return Put(d, {}); }, "empty file"},
      {"BitmapBytes", [](const TempDir& d) { return Put(d, ReadBytes(FixturePath("coffee.bmp"))); },
       "not a JPEG file"},
      {"CutInHeader",
       [](const TempDir& d) { return Put(d, Bytes(Chelsea().begin(), Chelsea().begin() + 100)); },
       "truncated file"},
      {"LargestSides",
       [](const TempDir& d) { return Put(d, WithFrameSize(Chelsea(), 65535, 65535)); },
       "picture too large: 65535 x 65535"},
      {"TooManyPixels",
       [](const TempDir& d) { return Put(d, WithFrameSize(Chelsea(), 20000, 20000)); },
       "picture too large: 20000 x 20000"},
      {"ZeroHeight", [](const TempDir& d) { return Put(d, WithFrameSize(Chelsea(), 451, 0)); },
       "empty picture"},
  };
}

class JpegRefuses : public ::testing::TestWithParam<BadJpegCase> {};

TEST_P(JpegRefuses, WithTheReason) {
  TempDir dir;
  const std::string path = GetParam().make(dir);
  EXPECT_EQ(ReadReason(path), GetParam().reason);
  try {
    JpegRowReader reader(path);
    FAIL() << "opened";
  } catch (const PictureFileError& error) {
    EXPECT_EQ(error.Reason(), GetParam().reason);
  }
}

INSTANTIATE_TEST_SUITE_P(Damaged, JpegRefuses, ::testing::ValuesIn(BadJpegCases()),
                         [](const auto& p) { return p.param.name; });

TEST(JpegRead, MessageNamesThePath) {
  TempDir dir;
  const std::string path = dir.File("none.jpg");
  try {
    ReadJpeg(path);
    FAIL();
  } catch (const PictureFileError& error) {
    EXPECT_STREQ(error.what(), ("cannot read " + path + ": no such file or directory").c_str());
  }
}

// Writes a 16 x 16 four-component JPEG of one colour, stored as CMYK or YCCK.
void WriteInkJpeg(const std::string& path, J_COLOR_SPACE stored, const std::uint8_t ink[4]) {
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, file);
  cinfo.image_width = 16;
  cinfo.image_height = 16;
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&cinfo);
  jpeg_set_colorspace(&cinfo, stored);
  jpeg_set_quality(&cinfo, 100, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(16 * 4);
  for (int x = 0; x < 16; ++x) std::memcpy(&row[4 * x], ink, 4);
  for (int y = 0; y < 16; ++y) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::fclose(file);
}

class JpegInks : public ::testing::TestWithParam<J_COLOR_SPACE> {};

// Inverted inks as Adobe stores them: red = C * K / 255, green = M * K / 255, blue = Y * K / 255.
TEST_P(JpegInks, AreConvertedToColour) {
  TempDir dir;
  const std::string path = dir.File("ink.jpg");
  const std::uint8_t ink[4] = {200, 100, 255, 128};
  WriteInkJpeg(path, GetParam(), ink);
  const Raster24 picture = ReadJpeg(path);
  ASSERT_EQ(picture.Width(), 16);
  const std::uint8_t* p = picture.Row(8) + 3 * 8;
  EXPECT_NEAR(p[2], 100, 3);  // 200 * 128 / 255 = 100.4
  EXPECT_NEAR(p[1], 50, 3);   // 100 * 128 / 255 = 50.2
  EXPECT_NEAR(p[0], 128, 3);  // 255 * 128 / 255
  JpegRowReader reader(path);
  std::vector<std::uint8_t> row(16 * 3);
  reader.ReadRow(row.data());
  EXPECT_EQ(std::memcmp(row.data(), picture.Row(0), row.size()), 0);
}

INSTANTIATE_TEST_SUITE_P(ColourSpaces, JpegInks, ::testing::Values(JCS_CMYK, JCS_YCCK));

// ---- Encoding

// Four flat quadrants: red, green, blue, grey.
Raster24 Quadrants(int width, int height) {
  Raster24 picture(width, height);
  const std::uint8_t colours[4][3] = {{30, 40, 220}, {40, 200, 50}, {210, 60, 20}, {128, 128, 128}};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      std::memcpy(picture.Row(y) + 3 * x, colours[(y >= height / 2) * 2 + (x >= width / 2)], 3);
  return picture;
}

TEST(JpegWrite, ReadsBackCloseToThePicture) {
  TempDir dir;
  const Raster24 quadrants = Quadrants(64, 48);
  WriteJpeg(dir.File("q.jpg"), quadrants);
  const Raster24 back = ReadJpeg(dir.File("q.jpg"));
  ASSERT_EQ(back.Width(), 64);
  ASSERT_EQ(back.Height(), 48);
  for (const auto& [x, y] :
       {std::pair{8, 8}, std::pair{56, 8}, std::pair{8, 40}, std::pair{56, 40}})
    for (int c = 0; c < 3; ++c)
      EXPECT_NEAR(back.Row(y)[3 * x + c], quadrants.Row(y)[3 * x + c], 12)
          << x << "," << y << " channel " << c;

  const Raster24 pattern = formats_test::PatternPicture(120, 80);
  WriteJpeg(dir.File("p.jpg"), pattern);
  const Raster24 patternBack = ReadJpeg(dir.File("p.jpg"));
  long error = 0;
  for (std::size_t i = 0; i < pattern.ByteCount(); ++i)
    error += std::abs(int(pattern.Data()[i]) - int(patternBack.Data()[i]));
  EXPECT_LT(double(error) / double(pattern.ByteCount()), 12.0);
}

TEST(JpegWrite, UsesQuality20BaselineTablesInColourAndIsNotProgressive) {
  TempDir dir;
  const std::string path = dir.File("q20.jpg");
  WriteJpeg(path, ReadJpeg(FixturePath("chelsea.jpg")));

  // The tables libjpeg itself builds for quality 20 with baseline forced.
  jpeg_compress_struct expected;
  jpeg_error_mgr expectedErrors;
  expected.err = jpeg_std_error(&expectedErrors);
  jpeg_create_compress(&expected);
  expected.in_color_space = JCS_RGB;
  expected.input_components = 3;
  jpeg_set_defaults(&expected);
  jpeg_set_quality(&expected, 20, TRUE);

  FILE* file = std::fopen(path.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  jpeg_decompress_struct written;
  jpeg_error_mgr writtenErrors;
  written.err = jpeg_std_error(&writtenErrors);
  jpeg_create_decompress(&written);
  jpeg_stdio_src(&written, file);
  jpeg_read_header(&written, TRUE);
  EXPECT_EQ(written.num_components, 3);
  EXPECT_EQ(written.jpeg_color_space, JCS_YCbCr);
  EXPECT_FALSE(written.progressive_mode);
  for (int t = 0; t < 2; ++t) {
    ASSERT_NE(written.quant_tbl_ptrs[t], nullptr);
    for (int i = 0; i < DCTSIZE2; ++i) {
      ASSERT_EQ(written.quant_tbl_ptrs[t]->quantval[i], expected.quant_tbl_ptrs[t]->quantval[i])
          << "table " << t << " entry " << i;
      ASSERT_LE(written.quant_tbl_ptrs[t]->quantval[i], 255);
    }
  }
  jpeg_destroy_decompress(&written);
  jpeg_destroy_compress(&expected);
  std::fclose(file);
  EXPECT_EQ(FrameMarker(ReadBytes(path)), 0xC0);  // SOF0: baseline
}

TEST(JpegRowWriter, WritesTheSameBytesAsWriteJpeg) {
  TempDir dir;
  const Raster24 picture = ReadJpeg(FixturePath("chelsea.jpg"));
  WriteJpeg(dir.File("whole.jpg"), picture);
  JpegRowWriter writer(dir.File("rows.jpg"), picture.Width(), picture.Height());
  for (int y = 0; y < picture.Height(); ++y) writer.WriteRow(picture.Row(y));
  writer.Finish();
  EXPECT_EQ(ReadBytes(dir.File("rows.jpg")), ReadBytes(dir.File("whole.jpg")));
}

TEST(JpegRowWriter, RefusesWrongRowCountsAndLeavesNothingWhenAbandoned) {
  TempDir dir;
  const Raster24 picture = formats_test::PatternPicture(10, 2);
  {
    JpegRowWriter writer(dir.File("a.jpg"), 10, 2);
    writer.WriteRow(picture.Row(0));
    EXPECT_THROW(writer.Finish(), std::logic_error);
    writer.WriteRow(picture.Row(1));
    EXPECT_THROW(writer.WriteRow(picture.Row(1)), std::logic_error);
  }
  EXPECT_TRUE(dir.Entries().empty());
}

TEST(JpegWrite, EmptyPictureIsRefused) {
  TempDir dir;
  try {
    WriteJpeg(dir.File("e.jpg"), Raster24(0, 4));
    FAIL();
  } catch (const PictureFileError& error) {
    EXPECT_EQ(error.Reason(), "the picture is empty");
    EXPECT_EQ(error.AccessType(), PictureFileError::Access::Write);
  }
  EXPECT_THROW(JpegRowWriter(dir.File("e.jpg"), 4, 0), PictureFileError);
  EXPECT_TRUE(dir.Entries().empty());
}

}  // namespace
}  // namespace vellumine
