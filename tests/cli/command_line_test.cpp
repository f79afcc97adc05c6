#include "cli/command_line.h"

#include <gtest/gtest.h>

namespace vellumine {
namespace {

ConvertRequest Parse(std::vector<std::string> arguments) {
  return ParseCommandLine(arguments);
}

TEST(CommandLine, DefaultsAreTheWindowsOwn) {
  const ConvertRequest request = Parse({"in.jpg", "out.jpg"});
  EXPECT_EQ(request.photo, "in.jpg");
  EXPECT_EQ(request.output, "out.jpg");
  const SketchSettings settings = request.Settings();
  EXPECT_EQ(settings.differenceThreshold, 30);
  EXPECT_EQ(settings.lineStep, 1);
  EXPECT_EQ(settings.samplingScale, 1);
  EXPECT_EQ(settings.tool, DrawingTool::Pencil);
  EXPECT_EQ(settings.mode, SketchMode::Automatic);
  EXPECT_FALSE(request.texture);
  EXPECT_EQ(request.layout, TextureLayout::Tile);
  EXPECT_FALSE(request.type);
}

TEST(CommandLine, EveryOptionInBothSpellings) {
  const ConvertRequest request =
      Parse({"--precision", "200", "--line=15", "--tool", "pastel", "--mode=freehand", "--texture",
             "paper.bmp", "--stretch", "--type=metafile", "a b.bmp", "out"});
  EXPECT_EQ(request.Settings().differenceThreshold, 0);
  EXPECT_EQ(request.line, 15);
  EXPECT_EQ(request.tool, DrawingTool::Pastel);
  EXPECT_EQ(request.mode, SketchMode::Freehand);
  EXPECT_EQ(request.texture, "paper.bmp");
  EXPECT_EQ(request.layout, TextureLayout::Stretch);
  EXPECT_EQ(request.type, PictureFileType::Metafile);
  EXPECT_EQ(request.photo, "a b.bmp");
  EXPECT_EQ(Parse({"--", "-dash.jpg", "out"}).photo, "-dash.jpg");
  EXPECT_TRUE(Parse({"x", "--help"}).help);
}

class BadCommandLine : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(BadCommandLine, IsAUsageError) {
  EXPECT_THROW(Parse(GetParam()), UsageError);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadCommandLine,
    ::testing::Values(std::vector<std::string>{}, std::vector<std::string>{"only.jpg"},
                      std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg"},
                      std::vector<std::string>{"--precision", "201", "a.jpg", "b.jpg"},
                      std::vector<std::string>{"--precision", "-1", "a.jpg", "b.jpg"},
                      std::vector<std::string>{"--precision", "12x", "a.jpg", "b.jpg"},
                      std::vector<std::string>{"--line", "0", "a.jpg", "b.jpg"},
                      std::vector<std::string>{"--line", "16", "a.jpg", "b.jpg"},
                      std::vector<std::string>{"--line=", "a.jpg", "b.jpg"},
                      std::vector<std::string>{"--tool", "crayon", "a.jpg", "b.jpg"},
                      std::vector<std::string>{"--mode", "Automatic", "a.jpg", "b.jpg"},
                      std::vector<std::string>{"--type", "png", "a.jpg", "b.jpg"},
                      std::vector<std::string>{"--stretch=yes", "a.jpg", "b.jpg"},
                      std::vector<std::string>{"--texture", "", "a.jpg", "b.jpg"},
                      std::vector<std::string>{"--colour", "a.jpg", "b.jpg"},
                      std::vector<std::string>{"a.jpg", "b.jpg", "--line"},
                      std::vector<std::string>{"", "b.jpg"}));

TEST(CommandLine, OutputTypeFollowsTheExtension) {
  const std::pair<const char*, PictureFileType> cases[] = {
      {"s.jpg", PictureFileType::Jpeg},       {"s.JPEG", PictureFileType::Jpeg},
      {"s.Jpg", PictureFileType::Jpeg},       {"s.bmp", PictureFileType::Bitmap},
      {"s.WMF", PictureFileType::Metafile},   {"s.png", PictureFileType::Bitmap},
      {"s", PictureFileType::Bitmap},         {"x.jpg/s", PictureFileType::Bitmap},
      {"s.jpg.emf", PictureFileType::Bitmap},
  };
  for (const auto& [name, type] : cases) EXPECT_EQ(OutputTypeFromName(name), type) << name;
}

}  // namespace
}  // namespace vellumine
