// The "&Texture" tab, textures in Convert and Clear, "&Edit&&Print" and the start-up photograph.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QRadioButton>
#include <filesystem>

#include "engine/convert.h"
#include "formats/bmp.h"
#include "formats/picture_files.h"
#include "platform/picture_box.h"
#include "tests/app/main_window_test_util.h"
#include "tests/platform/fake_path.h"

namespace vellumine {
namespace {

using widget_test::FakePath;
using widget_test::FixturePath;
using widget_test::WaitForRecord;

// A small texture with every pixel different, so tiling and stretching show in every pixel.
Raster24 MakeTexture(int width, int height) {
  Raster24 texture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = texture.Row(y) + 3 * x;
      p[0] = std::uint8_t(40 + 20 * x), p[1] = std::uint8_t(200 - 15 * y), p[2] = 180;
    }
  return texture;
}

class TextureTabTest : public widget_test::MainWindowTest {
 protected:
  void SetUp() override {
    AddSamplePicture();
    std::filesystem::create_directories(File("texture"));
    WriteBmp(File("texture/Paper.BMP"), paper);
    WriteBmp(File("texture/grain.bmp"), MakeTexture(2, 3));
    WriteBmp(File("texture/ghost.swf"), paper);  // no ghost.bmp: the entry cannot load
    Start();
    photo = *ReadPicture(File("4.jpg"));
  }

  // The user picks `entry` from the list (as a click in the drop-down does).
  void Choose(const QString& entry) {
    QComboBox* list = Find<QComboBox>("suiComboBox1");
    const int index = list->findText(entry);
    list->setCurrentIndex(index);
    emit list->activated(index);
  }
  const Raster24& Preview() { return Find<PictureBox>("Image4")->Picture(); }
  const Raster24& Sketch() { return window->SketchPicture(); }
  Raster24 Reference(const Raster24* texture, TextureLayout layout) {
    return ConvertReference(
        photo, SettingsFromControls(170, 1, DrawingTool::Pencil, SketchMode::Automatic),
        SketchBackground{texture, layout});
  }

  const Raster24 paper = MakeTexture(7, 5);
  Raster24 photo;
};

TEST_F(TextureTabTest, ChosenTextureIsPreviewedAndLaidUnderTheSketch) {
  Choose("paper");
  EXPECT_EQ(Preview(), paper);
  EXPECT_EQ(Find<PictureBox>("Image4")->GetPlacement(), PictureBox::Placement::Centre);

  Click("Button3");
  EXPECT_EQ(Sketch(), Reference(&paper, TextureLayout::Tile));

  QTest::mouseClick(Find<QRadioButton>("suiRadioButton2"), Qt::LeftButton);
  EXPECT_EQ(Find<PictureBox>("Image4")->GetPlacement(), PictureBox::Placement::Stretch);
  Click("Button3");
  EXPECT_EQ(Sketch(), Reference(&paper, TextureLayout::Stretch));

  // Clear gives the bare sheet, one pixel wider and taller than the photograph.
  Click("Button4");
  Raster24 sheet(photo.Width() + 1, photo.Height() + 1);
  StretchTexture(paper, sheet);
  EXPECT_EQ(Sketch(), sheet);

  Choose("NULL");
  EXPECT_TRUE(Preview().Empty());
  Click("Button4");
  EXPECT_TRUE(Sketch().Empty());
  Click("Button3");
  EXPECT_EQ(Sketch(), Reference(nullptr, TextureLayout::Tile));
  EXPECT_TRUE(boxes.errors.empty());
}

TEST_F(TextureTabTest, CustomPictureAndCancellingIt) {
  dialogs.answers.push_back(
      PictureDialogAnswer{QString::fromStdString(FixturePath("coffee.bmp")), 4});
  Choose("Custom");
  const Raster24 coffee = *ReadPicture(FixturePath("coffee.bmp"));
  EXPECT_EQ(Preview(), coffee);
  Click("Button3");
  EXPECT_EQ(Sketch(), Reference(&coffee, TextureLayout::Tile));

  // Cancelling goes back to "NULL" and keeps the preview; Convert then lays nothing.
  Choose("grain");
  dialogs.answers.push_back(std::nullopt);
  Choose("Custom");
  EXPECT_EQ(Find<QComboBox>("suiComboBox1")->currentText(), "NULL");
  EXPECT_EQ(Preview(), MakeTexture(2, 3));
  Click("Button3");
  EXPECT_EQ(Sketch(), Reference(nullptr, TextureLayout::Tile));
  // The open dialog proposed the custom picture chosen before.
  EXPECT_EQ(dialogs.shown.back().fileName.toStdString(), FixturePath("coffee.bmp"));
  EXPECT_TRUE(boxes.errors.empty());
}

TEST_F(TextureTabTest, ChoosingCustomAgainOpensTheDialogAgain) {
  dialogs.answers.push_back(
      PictureDialogAnswer{QString::fromStdString(FixturePath("coffee.bmp")), 4});
  Choose("Custom");
  dialogs.answers.push_back(
      PictureDialogAnswer{QString::fromStdString(FixturePath("camera-gray.jpg")), 1});
  Choose("Custom");
  EXPECT_EQ(Preview(), *ReadPicture(FixturePath("camera-gray.jpg")));
  EXPECT_EQ(dialogs.shown.size(), 2u);
}

TEST_F(TextureTabTest, TextureThatCannotBeLoadedShowsItsErrorAndKeepsThePreview) {
  Choose("paper");
  Choose("ghost");
  ASSERT_EQ(boxes.errors.size(), 1u);
  EXPECT_TRUE(boxes.errors[0].contains("ghost.bmp")) << boxes.errors[0].toStdString();
  EXPECT_EQ(Find<QComboBox>("suiComboBox1")->currentText(), "ghost");
  EXPECT_EQ(Preview(), paper);
  // A later Convert lays what the preview holds.
  Click("Button3");
  EXPECT_EQ(Sketch(), Reference(&paper, TextureLayout::Tile));
}

class EditAndPrintTest : public widget_test::MainWindowTest {
 protected:
  void SetUp() override {
    AddSamplePicture();
    Start();
    Click("Button3");
  }
  QTemporaryDir records;
};

TEST_F(EditAndPrintTest, AsksToSaveFirstThenStartsTheEditorOnTheSavedFile) {
  FakePath path;
  const QString record = records.filePath("kolourpaint.txt");
  path.AddRecorder("kolourpaint", record);
  std::filesystem::create_directories(File("my sketches"));
  const std::string saved = File("my sketches/cat sketch");
  dialogs.answers.push_back(PictureDialogAnswer{QString::fromStdString(saved), 2});
  Click("Button6");
  ASSERT_EQ(boxes.messages.size(), 1u);
  EXPECT_EQ(boxes.messages[0], "Please save the sketch ,Then edit it.");
  EXPECT_EQ(WaitForRecord(record), saved + ".bmp\n");
  EXPECT_TRUE(std::filesystem::exists(saved + ".bmp"));

  // Saved already: no question, the same file again.
  QFile::remove(record);
  Click("Button6");
  EXPECT_EQ(boxes.messages.size(), 1u);
  EXPECT_EQ(WaitForRecord(record), saved + ".bmp\n");
}

TEST_F(EditAndPrintTest, CancellingTheSaveEndsSilently) {
  FakePath path;
  const QString record = records.filePath("gimp.txt");
  path.AddRecorder("gimp", record);
  dialogs.answers.push_back(std::nullopt);
  Click("Button6");
  EXPECT_EQ(boxes.messages, std::vector<QString>{"Please save the sketch ,Then edit it."});
  QTest::qWait(200);
  EXPECT_FALSE(QFile::exists(record));
}

TEST_F(EditAndPrintTest, EmptySketchIsNotSavedAndNothingIsEdited) {
  FakePath path;
  const QString record = records.filePath("pinta.txt");
  path.AddRecorder("pinta", record);
  Click("Button4");  // Clear: the sketch view is empty
  dialogs.answers.push_back(PictureDialogAnswer{QString::fromStdString(File("g")), 2});
  Click("Button6");
  EXPECT_EQ(boxes.messages, (std::vector<QString>{"Please save the sketch ,Then edit it.",
                                                  "There is no sketch to save."}));
  EXPECT_TRUE(window->RememberedFileName().isEmpty());
  QTest::qWait(200);
  EXPECT_FALSE(QFile::exists(record));
}

TEST_F(EditAndPrintTest, NoEditorAtAllSaysErrorCode) {
  FakePath path;
  dialogs.answers.push_back(PictureDialogAnswer{QString::fromStdString(File("s.jpg")), 1});
  Click("Button6");
  EXPECT_EQ(boxes.messages,
            (std::vector<QString>{"Please save the sketch ,Then edit it.", "ErrorCode"}));
}

class StartPhotographTest : public widget_test::MainWindowTest {};

TEST_F(StartPhotographTest, PhotographGivenAtStartReplacesTheSample) {
  AddSamplePicture();
  TOldForm& form = Start({}, FixturePath("coffee.bmp"));
  EXPECT_EQ(form.SourcePicture(), *ReadPicture(FixturePath("coffee.bmp")));
  EXPECT_TRUE(boxes.errors.empty());
}

TEST_F(StartPhotographTest, UnreadablePhotographGivenAtStartShowsItsError) {
  TOldForm& form = Start({}, File("missing.jpg"));
  ASSERT_EQ(boxes.errors.size(), 1u);
  EXPECT_TRUE(boxes.errors[0].contains("missing.jpg"));
  EXPECT_TRUE(form.SourcePicture().Empty());
  EXPECT_TRUE(form.isVisible());
}

}  // namespace
}  // namespace vellumine
