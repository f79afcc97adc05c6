#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QSlider>
#include <QStatusBar>
#include <QTabWidget>
#include <QUrl>
#include <filesystem>
#include <fstream>

#include "app/fit_picture_views.h"
#include "engine/convert.h"
#include "formats/bmp.h"
#include "formats/picture_files.h"
#include "platform/picture_box.h"
#include "tests/app/main_window_test_util.h"

namespace vellumine {
namespace {

using widget_test::FixturePath;
using widget_test::MainWindowTest;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

QRect ViewRect(const ViewBox& box) {
  return QRect(box.left, box.top, box.width, box.height);
}

TEST_F(MainWindowTest, StartsWithTheSamplePictureAndTheDefaults) {
  AddSamplePicture();
  TOldForm& form = Start();

  EXPECT_EQ(form.windowTitle(),
            "Vellumine Pro 4.0 --To figure a sketch for your friend or sweetheart!!");
  EXPECT_EQ(form.size(), QSize(664, 461));
  EXPECT_EQ(form.minimumSize(), QSize(130, 23));
  EXPECT_EQ(Find<QWidget>("Panel2")->height(), 180);
  EXPECT_EQ(Find<QWidget>("Panel4")->width(), 88);
  EXPECT_EQ(Find<QWidget>("Panel5")->width(), 375);
  EXPECT_EQ(Find<QWidget>("Panel1")->width(), 664);

  struct Button {
    const char* name;
    const char* text;
    const char* hint;
  };
  for (const Button& b : {Button{"Button2", "&Open", ""}, Button{"Button3", " &Convert", ""},
                          Button{"Button4", "&Clear", ""}, Button{"Button5", "&Save", ""},
                          Button{"BitBtn2", "&Send to", "Send the sketch to a friend"},
                          Button{"Button6", "&Edit&&Print", "Edit and print with PAINT"}}) {
    const QPushButton* button = Find<QPushButton>(b.name);
    EXPECT_EQ(button->text(), b.text);
    EXPECT_EQ(button->toolTip(), b.hint) << b.name;
    EXPECT_TRUE(button->isEnabled()) << b.name;
  }

  struct Choice {
    const char* name;
    const char* text;
    bool checked;
    bool enabled;
  };
  for (const Choice& c :
       {Choice{"CheckBox1", "Show ", false, true},
        Choice{"suiCheckBox1", "Record  Animate", false, true},
        Choice{"RadioButton1", "Pen", false, true}, Choice{"RadioButton4", "Pencil", true, true},
        Choice{"RadioButton5", "Pastel", false, true},
        Choice{"RadioButton3", "Brush", false, false},
        Choice{"RadioButton2", "Eraser", false, false},
        Choice{"suiRadioButton1", "Tile", true, true},
        Choice{"suiRadioButton2", "Stretch", false, true}}) {
    const QAbstractButton* button = Find<QAbstractButton>(c.name);
    EXPECT_EQ(button->text(), c.text);
    EXPECT_EQ(button->isChecked(), c.checked) << c.name;
    EXPECT_EQ(button->isEnabled(), c.enabled) << c.name;
  }

  struct TrackBar {
    const char* name;
    int minimum, maximum, position;
    const char* readOut;
    const char* edit;
    bool readOnly;
  };
  for (const TrackBar& t : {TrackBar{"TrackBar1", 0, 200, 170, "170", "Edit1", true},
                            TrackBar{"TrackBar3", 1, 15, 1, "1", "Edit2", true},
                            TrackBar{"TrackBar2", 1, 62, 32, "32", "Edit3", false}}) {
    const QSlider* slider = Find<QSlider>(t.name);
    EXPECT_EQ(slider->minimum(), t.minimum) << t.name;
    EXPECT_EQ(slider->maximum(), t.maximum) << t.name;
    EXPECT_EQ(slider->value(), t.position) << t.name;
    EXPECT_EQ(Find<QLineEdit>(t.edit)->text(), t.readOut);
    EXPECT_EQ(Find<QLineEdit>(t.edit)->isReadOnly(), t.readOnly) << t.edit;
  }
  EXPECT_EQ(Find<QSlider>("TrackBar2")->tickInterval(), 5);
  EXPECT_EQ(form.BrushSize, 32);

  for (const auto& [name, text] :
       std::initializer_list<std::pair<const char*, const char*>>{{"Label7", "Batch Convert Bar :"},
                                                                  {"Label8", "UI Style :"},
                                                                  {"Label6", "Brush:"},
                                                                  {"Label1", "Precision:  "},
                                                                  {"Label2", "Line:  "}})
    EXPECT_EQ(Find<QLabel>(name)->text(), text);

  const auto items = [](const QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i) list << box->itemText(i);
    return list;
  };
  EXPECT_EQ(items(Find<QComboBox>("suiComboBox2")),
            (QStringList{"MacOS", "WinXP", "DeepBlue", "Protein", "BlueGlass"}));
  EXPECT_EQ(items(Find<QComboBox>("suiComboBox1")), (QStringList{"NULL", "Custom"}));
  EXPECT_EQ(Find<QComboBox>("suiComboBox1")->currentIndex(), 0);

  const auto tabs = [](const QTabWidget* pages) {
    QStringList list;
    for (int i = 0; i < pages->count(); ++i) list << pages->tabText(i);
    return list;
  };
  EXPECT_EQ(tabs(Find<QTabWidget>("PageControl1")), (QStringList{"Automatic ", "Freehand"}));
  EXPECT_EQ(Find<QTabWidget>("PageControl1")->currentIndex(), 0);
  EXPECT_EQ(tabs(Find<QTabWidget>("suiPageControl1")), (QStringList{"&Sketch", "&Texture"}));
  EXPECT_EQ(form.StatusText(), "Auto Convert.");

  EXPECT_EQ(Find<PictureBox>("Image1")->toolTip(), "Double-clicks to zoom");
  EXPECT_EQ(Find<PictureBox>("Image2")->toolTip(), "Double-clicks to zoom");
  EXPECT_EQ(Find<PictureBox>("Image2")->cursor().shape(), Qt::CrossCursor);
  EXPECT_FALSE(Find<PictureBox>("Image3")->isVisible());
  EXPECT_EQ(Find<PictureBox>("Image3")->size(), QSize(64, 64));

  // The sample picture on the left, fitted; the sketch view empty; no file name yet.
  EXPECT_EQ(form.SourcePicture().Width(), 451);
  EXPECT_EQ(form.SourcePicture().Height(), 300);
  EXPECT_TRUE(form.SketchPicture().Empty());
  EXPECT_TRUE(form.RememberedFileName().isEmpty());
  EXPECT_FALSE(form.PenDown);
  const QWidget* area = Find<QWidget>("Panel1");
  const auto fitted = FitPictureViews(451, 300, area->width(), area->height());
  ASSERT_TRUE(fitted.has_value());
  EXPECT_EQ(Find<PictureBox>("Image1")->geometry(), ViewRect(fitted->source));
  EXPECT_EQ(Find<PictureBox>("Image2")->geometry(), ViewRect(fitted->sketch));
  EXPECT_TRUE(boxes.errors.empty());
}

TEST_F(MainWindowTest, TextureListFilledFromTheTextureFolderAtFirstShow) {
  std::filesystem::create_directories(File("texture/more"));
  WriteAll(File("texture/Paper.BMP"), "");
  WriteAll(File("texture/more/grain.swf"), "");
  Start();
  const QComboBox* list = Find<QComboBox>("suiComboBox1");
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
  EXPECT_EQ(items, (QStringList{"NULL", "Custom", "grain", "paper"}));
  EXPECT_EQ(list->currentIndex(), 0);
}

// The settings file across a start and a close.
struct SettingsCase {
  const char* name;
  std::optional<std::string> value;  // "UIStyle" in section "Form"; nullopt: no file
  int chooserIndex;                  // -1: no entry chosen
  UiStyle style;
};

class SettingsTest : public MainWindowTest, public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(SettingsTest, StyleReadAtStartAndWrittenAtClose) {
  const SettingsCase& c = GetParam();
  if (c.value) WriteAll(SettingsPath(), "[Form]\nUIStyle=" + *c.value + "\n");
  TOldForm& form = Start();
  EXPECT_EQ(Find<QComboBox>("suiComboBox2")->currentIndex(), c.chooserIndex);
  EXPECT_EQ(form.CurrentStyle(), c.style);
  EXPECT_EQ(form.styleSheet(), StyleSheetOf(c.style));
  form.close();
  EXPECT_EQ(ReadAll(SettingsPath()), "[Form]\nUIStyle=" + std::to_string(c.chooserIndex) + "\n");
}

INSTANTIATE_TEST_SUITE_P(Values, SettingsTest,
                         ::testing::Values(SettingsCase{"NoFile", std::nullopt, 0, UiStyle::MacOS},
                                           SettingsCase{"Protein", "3", 3, UiStyle::Protein},
                                           SettingsCase{"UnknownIndex", "7", -1, UiStyle::MacOS},
                                           SettingsCase{"NoneChosen", "-1", -1, UiStyle::MacOS},
                                           SettingsCase{"NotANumber", "abc", 0, UiStyle::MacOS},
                                           SettingsCase{"Hexadecimal", "0x2", 2,
                                                        UiStyle::DeepBlue}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(MainWindowTest, ChosenStyleIsAppliedKeptAcrossRunsAndOtherLinesStay) {
  const std::string before = "; mine\n[Window]\nLeft=10\n\n[Form]\nUIStyle=1\nOther=5\n";
  WriteAll(SettingsPath(), before);
  Start();
  EXPECT_EQ(window->CurrentStyle(), UiStyle::WinXP);
  Find<QComboBox>("suiComboBox2")->setCurrentIndex(4);
  EXPECT_EQ(window->CurrentStyle(), UiStyle::BlueGlass);
  EXPECT_EQ(window->styleSheet(), StyleSheetOf(UiStyle::BlueGlass));
  window->close();
  EXPECT_EQ(ReadAll(SettingsPath()), "; mine\n[Window]\nLeft=10\n\n[Form]\nUIStyle=4\nOther=5\n");

  Start();
  EXPECT_EQ(window->CurrentStyle(), UiStyle::BlueGlass);
  EXPECT_EQ(Find<QComboBox>("suiComboBox2")->currentIndex(), 4);
}

TEST_F(MainWindowTest, SettingsWriteFailureIsShownAndClosingGoesOn) {
  const std::string unwritable = File("missing/vellumine.INI");
  Start(unwritable);
  window->close();
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(boxes.errors.back(), QString::fromStdString("Unable to write to " + unwritable));
}

TEST_F(MainWindowTest, ModeTabsSwitchToolsStatusAndForgetTheFileName) {
  AddSamplePicture();
  Start();
  auto* modes = Find<QTabWidget>("PageControl1");
  for (const char* tool : {"RadioButton3", "RadioButton2"}) {  // Brush, Eraser
    Click("Button3");
    SaveThroughDialog(File("sketch"), 2);
    ASSERT_FALSE(window->RememberedFileName().isEmpty());

    modes->setCurrentIndex(1);
    EXPECT_TRUE(window->RememberedFileName().isEmpty());
    EXPECT_EQ(window->StatusText(), "Use your mouse to draw on the sketch area.");
    EXPECT_TRUE(Find<QRadioButton>("RadioButton3")->isEnabled());
    EXPECT_TRUE(Find<QRadioButton>("RadioButton2")->isEnabled());
    QTest::mouseClick(Find<QRadioButton>(tool), Qt::LeftButton);
    ASSERT_TRUE(Find<QRadioButton>(tool)->isChecked());

    SaveThroughDialog(File("sketch"), 2);
    modes->setCurrentIndex(0);
    EXPECT_TRUE(window->RememberedFileName().isEmpty());
    EXPECT_EQ(window->StatusText(), "Auto Convert.");
    EXPECT_FALSE(Find<QRadioButton>("RadioButton3")->isEnabled());
    EXPECT_FALSE(Find<QRadioButton>("RadioButton2")->isEnabled());
    EXPECT_TRUE(Find<QRadioButton>("RadioButton5")->isChecked()) << tool << " gives way to Pastel";
  }
  // A tool other than Brush or Eraser stays chosen.
  QTest::mouseClick(Find<QRadioButton>("RadioButton1"), Qt::LeftButton);
  modes->setCurrentIndex(1);
  modes->setCurrentIndex(0);
  EXPECT_TRUE(Find<QRadioButton>("RadioButton1")->isChecked());
}

TEST_F(MainWindowTest, OpenSaveClearConvertAndTheRememberedFileName) {
  AddSamplePicture();
  TOldForm& form = Start();

  // Open: the open dialog starts at "All"; the photograph replaces the sample.
  OpenThroughDialog(FixturePath("coffee.bmp"));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].kind, PictureDialog::Kind::Open);
  EXPECT_EQ(dialogs.shown[0].filterIndex, 1);
  EXPECT_EQ(form.SourcePicture().Width(), 600);
  EXPECT_TRUE(form.SketchPicture().Empty());

  // Convert draws a sketch one pixel larger each way.
  Click("Button3");
  EXPECT_EQ(form.SketchPicture().Width(), 601);
  EXPECT_EQ(form.SketchPicture().Height(), 401);

  // Save: the dialog starts at "Bitmaps" with no name; the extension is appended and the
  // path written is remembered and proposed next time.
  SaveThroughDialog(File("cat-sketch"), 2);
  EXPECT_EQ(dialogs.shown[1].kind, PictureDialog::Kind::Save);
  EXPECT_EQ(dialogs.shown[1].filterIndex, 2);
  EXPECT_TRUE(dialogs.shown[1].fileName.isEmpty());
  EXPECT_TRUE(std::filesystem::exists(File("cat-sketch.bmp")));
  EXPECT_EQ(form.RememberedFileName(), QPath("cat-sketch.bmp"));

  dialogs.answers.push_back(std::nullopt);  // a cancelled save changes nothing
  Click("Button5");
  EXPECT_EQ(dialogs.shown[2].fileName, QPath("cat-sketch.bmp"));
  EXPECT_EQ(form.RememberedFileName(), QPath("cat-sketch.bmp"));

  struct Saved {
    const char* chosen;
    int filter;
    const char* written;
  };
  for (const Saved& s : {Saved{"a.jpeg", 1, "a.jpeg.jpg"}, Saved{"b.JPG", 1, "b.JPG"},
                         Saved{"c", 3, "c.wmf"}, Saved{"d.jpg", 2, "d.jpg.bmp"}}) {
    SaveThroughDialog(File(s.chosen), s.filter);
    EXPECT_TRUE(std::filesystem::exists(File(s.written))) << s.written;
    EXPECT_EQ(form.RememberedFileName(), QPath(s.written));
  }
  EXPECT_EQ(ReadPicture(File("b.JPG"))->Width(), 601);
  EXPECT_EQ(ReadAll(File("c.wmf")).substr(0, 4), std::string("\x01\0\0\0", 4));  // EMF header

  // A save that fails leaves the chosen name, without an extension, and says why.
  SaveThroughDialog(File("missing/e"), 2);
  EXPECT_EQ(form.RememberedFileName(), QPath("missing/e"));
  ASSERT_EQ(boxes.errors.size(), 1u);
  EXPECT_TRUE(boxes.errors[0].startsWith("cannot write " + QPath("missing/e.bmp")))
      << boxes.errors[0].toStdString();

  // Convert forgets the name.
  Click("Button3");
  EXPECT_TRUE(form.RememberedFileName().isEmpty());

  // Clear empties the sketch only.
  SaveThroughDialog(File("f"), 2);
  Click("Button4");
  EXPECT_TRUE(form.SketchPicture().Empty());
  EXPECT_EQ(form.SourcePicture().Width(), 600);
  EXPECT_EQ(form.RememberedFileName(), QPath("f.bmp"));

  // Saving an empty sketch writes nothing, says so and remembers nothing new.
  SaveThroughDialog(File("g"), 2);
  EXPECT_FALSE(std::filesystem::exists(File("g.bmp")));
  EXPECT_EQ(boxes.messages, std::vector<QString>{"There is no sketch to save."});
  EXPECT_EQ(form.RememberedFileName(), QPath("f.bmp"));

  // A cancelled open changes nothing; a name that is neither JPEG nor bitmap loads nothing but
  // still empties the sketch view.
  Click("Button3");
  dialogs.answers.push_back(std::nullopt);
  Click("Button2");
  EXPECT_EQ(form.SketchPicture().Width(), 601);
  WriteAll(File("notes.txt"), "text");
  OpenThroughDialog(File("notes.txt"));
  EXPECT_TRUE(form.SketchPicture().Empty());
  EXPECT_EQ(form.SourcePicture().Width(), 600);
  EXPECT_EQ(boxes.errors.size(), 1u);
  EXPECT_TRUE(dialogs.answers.empty());
}

struct SketchCase {
  const char* name;
  const char* photo;
  int precision;
  int line;
  const char* toolButton;
  DrawingTool tool;
};

class SavedSketchTest : public MainWindowTest, public ::testing::WithParamInterface<SketchCase> {};

TEST_P(SavedSketchTest, SavedBitmapIsTheReferenceSketch) {
  const SketchCase& c = GetParam();
  Start();
  OpenThroughDialog(FixturePath(c.photo));
  Find<QSlider>("TrackBar1")->setValue(c.precision);
  Find<QSlider>("TrackBar3")->setValue(c.line);
  QTest::mouseClick(Find<QRadioButton>(c.toolButton), Qt::LeftButton);
  Click("Button3");
  SaveThroughDialog(File("sketch"), 2);

  const std::optional<Raster24> photo = ReadPicture(FixturePath(c.photo));
  ASSERT_TRUE(photo.has_value());
  const Raster24 expected = ConvertReference(
      *photo, SettingsFromControls(c.precision, c.line, c.tool, SketchMode::Automatic), {});
  const Raster24 saved = ReadBmp(File("sketch.bmp"));
  EXPECT_EQ(saved.Width(), photo->Width() + 1);
  EXPECT_EQ(saved.Height(), photo->Height() + 1);
  EXPECT_TRUE(saved == expected);
}

INSTANTIATE_TEST_SUITE_P(
    Photos, SavedSketchTest,
    ::testing::Values(
        SketchCase{"ChelseaDefaults", "chelsea.jpg", 170, 1, "RadioButton4", DrawingTool::Pencil},
        SketchCase{"CoffeeDefaults", "coffee.bmp", 170, 1, "RadioButton4", DrawingTool::Pencil},
        SketchCase{"ChelseaPastel", "chelsea.jpg", 190, 2, "RadioButton5", DrawingTool::Pastel},
        SketchCase{"CoffeePen", "coffee.bmp", 120, 3, "RadioButton1", DrawingTool::Pen}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(MainWindowTest, WithoutPhotographConvertFailsAndDrawsNothing) {
  Start();  // no 4.jpg beside the program
  ASSERT_EQ(boxes.errors.size(), 1u);
  EXPECT_TRUE(boxes.errors[0].startsWith("cannot read " + QPath("4.jpg")));
  EXPECT_TRUE(window->SourcePicture().Empty());

  Click("Button3");
  ASSERT_EQ(boxes.errors.size(), 2u);
  EXPECT_EQ(boxes.errors[1], "There is no photograph to convert: open one first.");
  EXPECT_TRUE(window->SketchPicture().Empty());
  EXPECT_TRUE(window->sketchRaster.Empty());

  // The program goes on.
  OpenThroughDialog(FixturePath("coffee.bmp"));
  Click("Button3");
  EXPECT_EQ(window->SketchPicture().Width(), 601);
  EXPECT_EQ(boxes.errors.size(), 2u);
}

TEST_F(MainWindowTest, DamagedFileShowsItsErrorAndTheProgramGoesOn) {
  AddSamplePicture();
  Start();
  WriteAll(File("damaged.jpg"), "\xFF\xD8\xFF\xE0 not really a JPEG");
  WriteAll(File("damaged.bmp"), "BM\x10\0\0\0 truncated");
  WriteAll(File("scans.jpg"), "");  // a folder-like name: read as JPEG, and empty
  for (const char* name : {"damaged.jpg", "damaged.bmp", "scans.jpg", "absent.bmp"}) {
    Click("Button3");
    boxes.errors.clear();
    OpenThroughDialog(File(name));
    ASSERT_EQ(boxes.errors.size(), 1u) << name;
    EXPECT_TRUE(boxes.errors[0].startsWith("cannot read " + QPath(name)))
        << boxes.errors[0].toStdString();
    // The sketch view was emptied before the read; the photograph is still the sample.
    EXPECT_TRUE(window->SketchPicture().Empty()) << name;
    EXPECT_EQ(window->SourcePicture().Width(), 451) << name;
  }
  OpenThroughDialog(FixturePath("coffee.bmp"));
  EXPECT_EQ(window->SourcePicture().Width(), 600);
}

TEST_F(MainWindowTest, ViewsFollowEveryResizeAndEveryOpen) {
  AddSamplePicture();
  Start();
  Raster24 portrait(30, 70);
  WriteBmp(File("portrait.bmp"), portrait);
  const auto check = [this](const char* what) {
    const QWidget* area = Find<QWidget>("Panel1");
    const Raster24& source = window->SourcePicture();
    const auto fitted =
        FitPictureViews(source.Width(), source.Height(), area->width(), area->height());
    ASSERT_TRUE(fitted.has_value()) << what;
    EXPECT_EQ(Find<PictureBox>("Image1")->geometry(), ViewRect(fitted->source)) << what;
    EXPECT_EQ(Find<PictureBox>("Image2")->geometry(), ViewRect(fitted->sketch)) << what;
  };
  for (const QSize size : {QSize(900, 700), QSize(500, 300), QSize(1201, 461), QSize(300, 600)}) {
    window->resize(size);
    EXPECT_EQ(Find<QWidget>("Panel1")->size(), QSize(size.width(), size.height() - 180));
    check("resize");
  }
  window->resize(900, 500);
  OpenThroughDialog(File("portrait.bmp"));
  check("open");
  EXPECT_EQ(Find<PictureBox>("Image1")->height(), Find<QWidget>("Panel1")->height());
}

TEST_F(MainWindowTest, DroppedPictureIsOpened) {
  AddSamplePicture();
  Start();
  const auto drop = [this](const std::string& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window.get(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window.get(), &dropped);
    return true;
  };
  WriteAll(File("notes.png"), "png");
  EXPECT_FALSE(drop(File("notes.png")));
  EXPECT_TRUE(drop(FixturePath("coffee.bmp")));
  EXPECT_EQ(window->SourcePicture().Width(), 600);
  WriteAll(File("broken.JPG"), "broken");
  EXPECT_TRUE(drop(File("broken.JPG")));
  EXPECT_EQ(boxes.errors.size(), 1u);
  EXPECT_EQ(window->SourcePicture().Width(), 600);
}

TEST_F(MainWindowTest, AcceleratorsOfTheCaptions) {
  AddSamplePicture();
  Start();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  dialogs.answers.push_back(std::nullopt);
  QTest::keyClick(window.get(), Qt::Key_O, Qt::AltModifier);
  // A button answers its accelerator with an animated click.
  EXPECT_TRUE(QTest::qWaitFor([this] { return dialogs.shown.size() == 1; }, 2000))
      << "Alt+O runs Open";
  QTest::keyClick(window.get(), Qt::Key_T, Qt::AltModifier);
  EXPECT_EQ(Find<QTabWidget>("suiPageControl1")->currentIndex(), 1) << "Alt+T shows Texture";
  QTest::keyClick(window.get(), Qt::Key_E, Qt::AltModifier);  // "&Edit&&Print": present, idle
  EXPECT_TRUE(boxes.errors.empty());
}

}  // namespace
}  // namespace vellumine
