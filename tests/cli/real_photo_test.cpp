// The fast Convert against the reference loops on real photographs, through the file readers.
#include <gtest/gtest.h>

#include "engine/convert.h"
#include "formats/picture_files.h"
#include "tests/cli/cli_test_util.h"

namespace vellumine {
namespace {

class RealPhotos : public ::testing::TestWithParam<const char*> {};

TEST_P(RealPhotos, FastConvertEqualsTheReference) {
  const Raster24 photo = *ReadPicture(testing::Fixture(GetParam()));
  const Raster24 texture = *ReadPicture(testing::Fixture("camera-palette.bmp"));
  for (DrawingTool tool :
       {DrawingTool::Pen, DrawingTool::Pencil, DrawingTool::Pastel, DrawingTool::Eraser})
    for (int line : {1, 2, 5, 15})
      for (int precision : {0, 170, 200})
        for (bool textured : {false, true}) {
          const SketchSettings settings =
              SettingsFromControls(precision, line, tool, SketchMode::Automatic);
          const SketchBackground background{
              textured ? &texture : nullptr,
              line % 2 ? TextureLayout::Tile : TextureLayout::Stretch};
          ASSERT_TRUE(Convert(photo, settings, background) ==
                      ConvertReference(photo, settings, background))
              << int(tool) << " line " << line << " precision " << precision << " textured "
              << textured;
        }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, RealPhotos,
                         ::testing::Values("chelsea.jpg", "coffee.bmp", "camera-gray.jpg"));

}  // namespace
}  // namespace vellumine
