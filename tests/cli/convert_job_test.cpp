#include "cli/convert_job.h"

#include <gtest/gtest.h>

#include "formats/picture_error.h"
#include "tests/cli/cli_test_util.h"

namespace vellumine {
namespace {

using testing::Fixture;
using testing::ReadWholeFile;
using testing::TemporaryFolder;

struct StreamCase {
  DrawingTool tool;
  int line;
  int precision;
  const char* texture;  // a fixture name, or null
  TextureLayout layout;
  PictureFileType type;
};

class StreamingPipeline : public ::testing::TestWithParam<StreamCase> {};

TEST_P(StreamingPipeline, WritesTheSameBytesAsTheWholePicturePath) {
  const StreamCase& k = GetParam();
  TemporaryFolder folder;
  ConvertJob job{Fixture("chelsea.jpg"),
                 folder / "streamed",
                 SettingsFromControls(k.precision, k.line, k.tool, SketchMode::Automatic),
                 k.texture ? std::optional<std::string>(Fixture(k.texture)) : std::nullopt,
                 k.layout,
                 k.type};
  ASSERT_TRUE(CanStream(job));
  const std::string streamed = RunConvertJob(job, PipelineChoice::Streaming);
  job.output = folder / "whole";
  const std::string whole = RunConvertJob(job, PipelineChoice::InMemory);
  EXPECT_EQ(streamed, folder / (k.type == PictureFileType::Jpeg ? "streamed.jpg" : "streamed.bmp"));
  const std::string bytes = ReadWholeFile(streamed);
  EXPECT_GT(bytes.size(), 1000u);
  EXPECT_TRUE(bytes == ReadWholeFile(whole));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StreamingPipeline,
    ::testing::Values(StreamCase{DrawingTool::Pencil, 1, 170, nullptr, TextureLayout::Tile,
                                 PictureFileType::Jpeg},
                      StreamCase{DrawingTool::Pencil, 1, 170, nullptr, TextureLayout::Tile,
                                 PictureFileType::Bitmap},
                      StreamCase{DrawingTool::Pen, 3, 200, "coffee.bmp", TextureLayout::Tile,
                                 PictureFileType::Bitmap},
                      StreamCase{DrawingTool::Pastel, 15, 0, "camera-palette.bmp",
                                 TextureLayout::Stretch, PictureFileType::Jpeg},
                      StreamCase{DrawingTool::Eraser, 2, 120, "camera-gray.jpg",
                                 TextureLayout::Tile, PictureFileType::Bitmap},
                      StreamCase{DrawingTool::Pencil, 7, 190, "camera-gray.jpg",
                                 TextureLayout::Stretch, PictureFileType::Bitmap}));

TEST(ConvertJob, OnlyLineToolsInAutomaticModeFromJpegToJpegOrBitmapStream) {
  ConvertJob job;
  job.photo = "a.JPEG";
  job.settings = SettingsFromControls(170, 1, DrawingTool::Pen, SketchMode::Automatic);
  EXPECT_TRUE(CanStream(job));
  job.type = PictureFileType::Metafile;
  EXPECT_FALSE(CanStream(job));
  job.type = PictureFileType::Jpeg;
  job.settings.tool = DrawingTool::Brush;
  EXPECT_FALSE(CanStream(job));
  job.settings.tool = DrawingTool::Pen;
  job.settings.mode = SketchMode::Freehand;
  EXPECT_FALSE(CanStream(job));
  job.settings.mode = SketchMode::Automatic;
  job.photo = "a.bmp";
  EXPECT_FALSE(CanStream(job));
}

struct FailureCase {
  const char* name;
  std::string photo, texture, output;
  std::string failingFile;  // which file the error must name
};

TEST(ConvertJob, FailuresNameTheFileAndLeaveNoOutput) {
  TemporaryFolder folder;
  testing::WriteWholeFile(folder / "text.jpg", "this is not a picture");
  const FailureCase cases[] = {
      {"MissingPhoto", folder / "missing.jpg", "", folder / "out.jpg", folder / "missing.jpg"},
      {"NotAPictureName", Fixture("chelsea.jpg") + ".png", "", folder / "out.bmp",
       Fixture("chelsea.jpg") + ".png"},
      {"NotAJpeg", folder / "text.jpg", "", folder / "out.bmp", folder / "text.jpg"},
      {"BadTexture", Fixture("chelsea.jpg"), folder / "text.jpg", folder / "out.jpg",
       folder / "text.jpg"},
      {"TextureName", Fixture("chelsea.jpg"), folder / "paper.tif", folder / "out.jpg",
       folder / "paper.tif"},
      {"OutputFolderMissing", Fixture("chelsea.jpg"), "", folder / "no/such/out.jpg",
       folder / "no/such/out.jpg"},
  };
  for (const FailureCase& k : cases)
    for (PipelineChoice pipeline : {PipelineChoice::Best, PipelineChoice::InMemory}) {
      ConvertJob job{k.photo,
                     k.output,
                     SettingsFromControls(170, 1, DrawingTool::Pencil, SketchMode::Automatic),
                     k.texture.empty() ? std::nullopt : std::optional<std::string>(k.texture),
                     TextureLayout::Tile,
                     PictureFileType::Jpeg};
      try {
        RunConvertJob(job, pipeline);
        ADD_FAILURE() << k.name << " succeeded";
      } catch (const PictureFileError& error) {
        EXPECT_EQ(error.Path(), k.failingFile) << k.name;
        EXPECT_FALSE(error.Reason().empty()) << k.name;
      }
      EXPECT_EQ(folder.EntryCount(), 1) << k.name << ": only text.jpg may remain";
    }
}

}  // namespace
}  // namespace vellumine
