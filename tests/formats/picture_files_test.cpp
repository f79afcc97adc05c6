#include "formats/picture_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "formats/bmp.h"
#include "formats/jpeg.h"
#include "formats/limits.h"
#include "formats/picture_error.h"
#include "tests/formats/bmp_builder.h"
#include "tests/formats/test_files.h"

namespace vellumine {
namespace {

using formats_test::FixturePath;
using formats_test::TempDir;

struct OpenCase {
  const char* path;
  bool jpeg;
  bool bitmap;
};

class OpenTests : public ::testing::TestWithParam<OpenCase> {};

TEST_P(OpenTests, SearchTheWholePathIgnoringCase) {
  EXPECT_EQ(PassesJpegOpenTest(GetParam().path), GetParam().jpeg);
  EXPECT_EQ(PassesBitmapOpenTest(GetParam().path), GetParam().bitmap);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, OpenTests,
    ::testing::Values(OpenCase{"photo.jpg", true, false}, OpenCase{"photo.JPEG", true, false},
                      OpenCase{"photo.Jpeg", true, false}, OpenCase{".Jpeg", true, false},
                      OpenCase{"x.jPg.txt", true, false}, OpenCase{"scans.jpg/a.bmp", true, true},
                      OpenCase{"/home/a.BMP", false, true}, OpenCase{"a.bmpx", false, true},
                      OpenCase{"photo.jpe", false, false}, OpenCase{"photojpg", false, false},
                      OpenCase{"image.png", false, false}, OpenCase{"", false, false}));

struct SaveCase {
  const char* path;
  PictureFileType type;
  const char* written;
};

class SaveExtension : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveExtension, IsAppendedWhenThePathLacksIt) {
  EXPECT_EQ(PathWithSaveExtension(GetParam().path, GetParam().type), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SaveExtension,
    ::testing::Values(SaveCase{"a", PictureFileType::Jpeg, "a.jpg"},
                      SaveCase{"a.jpeg", PictureFileType::Jpeg, "a.jpeg.jpg"},
                      SaveCase{"a.JPG", PictureFileType::Jpeg, "a.JPG"},
                      SaveCase{"a.Jpg", PictureFileType::Jpeg, "a.Jpg"},
                      SaveCase{"a.jpg", PictureFileType::Bitmap, "a.jpg.bmp"},
                      SaveCase{"x.bmp/scan", PictureFileType::Bitmap, "x.bmp/scan"},
                      SaveCase{"a.Bmp", PictureFileType::Bitmap, "a.Bmp"},
                      SaveCase{"b", PictureFileType::Metafile, "b.wmf"},
                      SaveCase{"b.emf", PictureFileType::Metafile, "b.emf.wmf"},
                      SaveCase{"b.WMF", PictureFileType::Metafile, "b.WMF"}));

TEST(PictureFileType, FromTheFilterIndex) {
  EXPECT_EQ(PictureFileTypeFromIndex(1), PictureFileType::Jpeg);
  EXPECT_EQ(PictureFileTypeFromIndex(2), PictureFileType::Bitmap);
  for (int other : {0, 3, 4, -1})
    EXPECT_EQ(PictureFileTypeFromIndex(other), PictureFileType::Metafile);
}

TEST(ReadPicture, ChoosesTheReaderByThePath) {
  TempDir dir;
  const Raster24 jpeg = ReadJpeg(FixturePath("chelsea.jpg"));
  const Raster24 bmp = ReadBmp(FixturePath("coffee.bmp"));
  std::filesystem::copy_file(FixturePath("chelsea.jpg"), dir.File("photo.Jpeg"));
  std::filesystem::copy_file(FixturePath("coffee.bmp"), dir.File("scan.Bmp"));
  std::filesystem::copy_file(FixturePath("coffee.bmp"), dir.File("scan.png"));

  const auto photo = ReadPicture(dir.File("photo.Jpeg"));
  ASSERT_TRUE(photo.has_value());
  EXPECT_TRUE(*photo == jpeg);
  const auto scan = ReadPicture(dir.File("scan.Bmp"));
  ASSERT_TRUE(scan.has_value());
  EXPECT_TRUE(*scan == bmp);
  EXPECT_FALSE(ReadPicture(dir.File("scan.png")).has_value());
  EXPECT_FALSE(ReadPicture(dir.File("missing.png")).has_value());
}

TEST(ReadPicture, BitmapInAFolderNamedLikeAJpegFailsAsJpeg) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("scans.jpg"));
  const std::string path = dir.File("scans.jpg/a.bmp");
  std::filesystem::copy_file(FixturePath("coffee.bmp"), path);
  try {
    ReadPicture(path);
    FAIL() << "read";
  } catch (const PictureFileError& error) {
    EXPECT_EQ(error.Reason(), "not a JPEG file");
    EXPECT_EQ(error.Path(), path);
  }
}

TEST(WritePicture, WritesEachTypeUnderItsExtension) {
  TempDir dir;
  const Raster24 sketch = formats_test::PatternPicture(41, 31);

  const std::string jpeg = WritePicture(dir.File("s"), sketch, PictureFileType::Jpeg, 40, 30);
  EXPECT_EQ(jpeg, dir.File("s.jpg"));
  EXPECT_EQ(ReadJpeg(jpeg).Width(), 41);

  const std::string bmp = WritePicture(dir.File("s.jpg"), sketch, PictureFileType::Bitmap, 40, 30);
  EXPECT_EQ(bmp, dir.File("s.jpg.bmp"));
  EXPECT_TRUE(ReadBmp(bmp) == sketch);

  const std::string wmf = WritePicture(dir.File("s"), sketch, PictureFileType::Metafile, 40, 30);
  EXPECT_EQ(wmf, dir.File("s.wmf"));
  const formats_test::Bytes file = formats_test::ReadBytes(wmf);
  EXPECT_EQ(formats_test::U32At(file, 0), 1u);            // EMR_HEADER
  EXPECT_EQ(formats_test::U32At(file, 40), 0x464D4520u);  // " EMF"
  EXPECT_EQ(formats_test::U32At(file, 32), 1058u);        // the source's 40 px: 40 * 2540 / 96
  EXPECT_EQ(formats_test::U32At(file, 16), 40u);          // the sketch's 41 px, inclusive

  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"s.jpg", "s.jpg.bmp", "s.wmf"}));
}

struct SizeCase {
  std::int64_t width, height;
  const char* problem;  // empty when the size is accepted
};

class SizeLimits : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SizeLimits, RefuseEmptyAndOversizedPictures) {
  const auto problem = PictureSizeProblem(GetParam().width, GetParam().height);
  EXPECT_EQ(problem.value_or(""), GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, SizeLimits,
    ::testing::Values(SizeCase{1, 1, ""}, SizeCase{65535, 1, ""}, SizeCase{1, 65535, ""},
                      SizeCase{15811, 15811, ""},  // 249,987,721 pixels
                      SizeCase{65536, 1, "picture too large: 65536 x 1"},
                      SizeCase{25000, 10001, "picture too large: 25000 x 10001"},
                      SizeCase{70000, 70000, "picture too large: 70000 x 70000"},
                      SizeCase{0, 5, "empty picture"}, SizeCase{5, -1, "empty picture"}),
    [](const ::testing::TestParamInfo<SizeCase>& param) {
      const auto side = [](std::int64_t v) {
        return v < 0 ? "minus" + std::to_string(-v) : std::to_string(v);
      };
      return side(param.param.width) + "x" + side(param.param.height);
    });

TEST(SizeLimits, WrittenPicturesMayBeOnePixelLargerEachWay) {
  // The sketch of the largest photograph a decoder accepts must still be writable.
  EXPECT_FALSE(WrittenPictureSizeProblem(65536, 5));
  EXPECT_FALSE(WrittenPictureSizeProblem(15812, 15812));  // the sketch of 15811 x 15811
  EXPECT_EQ(WrittenPictureSizeProblem(65537, 5), "picture too large: 65537 x 5");
  EXPECT_EQ(WrittenPictureSizeProblem(15813, 15812), "picture too large: 15813 x 15812");
  EXPECT_EQ(WrittenPictureSizeProblem(0, 5), "empty picture");
}

}  // namespace
}  // namespace vellumine
