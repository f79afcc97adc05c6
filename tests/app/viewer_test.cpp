#include <gtest/gtest.h>

#include <QComboBox>
#include <QTimer>

#include "app/fit_picture_views.h"
#include "app/frmView.h"
#include "formats/bmp.h"
#include "platform/picture_box.h"
#include "tests/app/main_window_test_util.h"

namespace vellumine {
namespace {

using widget_test::FixturePath;
using widget_test::MainWindowTest;

struct ViewerCase {
  const char* name;
  int width, height;  // the photograph
  QSize window;       // the viewer's window
  QRect picture;      // the picture box inside its picture area
};

class ViewerTest : public MainWindowTest, public ::testing::WithParamInterface<ViewerCase> {
 protected:
  // Double-clicks a view and runs `look` on the viewer it opens, then closes the viewer.
  template <typename Look>
  bool DoubleClickAndLook(const char* view, Look look) {
    bool opened = false;
    QTimer::singleShot(0, [&] {
      auto* viewer = window->findChild<TViewForm*>();
      if (viewer == nullptr) return;
      opened = true;
      EXPECT_TRUE(QTest::qWaitForWindowActive(viewer));
      look(*viewer);
      viewer->reject();
    });
    QTest::mouseDClick(Find<PictureBox>(view), Qt::LeftButton, {}, QPoint(3, 3));
    QApplication::processEvents();
    EXPECT_EQ(window->findChild<TViewForm*>(), nullptr) << "the viewer is freed when closed";
    return opened;
  }
};

TEST_P(ViewerTest, OpensAtTheTopLeftSizedToThePicture) {
  const ViewerCase& c = GetParam();
  Raster24 photo(c.width, c.height);
  WriteBmp(File("photo.bmp"), photo);
  Start();
  OpenThroughDialog(File("photo.bmp"));
  Find<QComboBox>("suiComboBox2")->setCurrentIndex(3);

  const bool opened = DoubleClickAndLook("Image1", [&](TViewForm& viewer) {
    EXPECT_EQ(viewer.windowTitle(), "Real  scale");
    EXPECT_TRUE(viewer.isModal());
    EXPECT_EQ(viewer.size(), c.window);
    EXPECT_EQ(viewer.pos(), QPoint(0, 0));
    EXPECT_EQ(viewer.minimumSize(), QSize(130, 32));
    EXPECT_EQ(viewer.CurrentStyle(), UiStyle::Protein) << "the main window's style";
    const auto* box = viewer.findChild<PictureBox*>("Image1");
    EXPECT_EQ(box->geometry(), c.picture);
    EXPECT_EQ(box->Picture().Width(), c.width);

    // Resized by the user: the picture is fitted into the whole area.
    viewer.resize(c.window.width() + 100, c.window.height());
    const QWidget* area = box->parentWidget();
    const auto fitted = FitPictureBox(c.width, c.height, area->width(), area->height());
    EXPECT_EQ(box->geometry(), QRect(fitted->left, fitted->top, fitted->width, fitted->height));
  });
  EXPECT_TRUE(opened);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, ViewerTest,
    ::testing::Values(ViewerCase{"RealScale", 451, 300, QSize(461, 330), QRect(0, 0, 451, 300)},
                      // 50 + 10 is below the minimum width of 130; the picture is fitted
                      // by height, 10 / 0.2f = 49.99... wide
                      ViewerCase{"MinimumWidthWins", 50, 10, QSize(130, 40), QRect(35, 0, 49, 10)}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(MainWindowTest, SketchViewerEndsTheStrokeEvenWhenEmpty) {
  AddSamplePicture();
  Start();
  window->PenDown = true;
  QTest::mouseDClick(Find<PictureBox>("Image2"), Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_FALSE(window->PenDown);
  EXPECT_EQ(window->findChild<TViewForm*>(), nullptr) << "nothing opens for an empty view";

  Click("Button3");
  window->PenDown = true;
  bool opened = false;
  QTimer::singleShot(0, [&] {
    auto* viewer = window->findChild<TViewForm*>();
    ASSERT_NE(viewer, nullptr);
    opened = true;
    EXPECT_TRUE(QTest::qWaitForWindowActive(viewer));
    EXPECT_EQ(viewer->size(), QSize(452 + 10, 301 + 30));
    EXPECT_EQ(viewer->CurrentStyle(), UiStyle::MacOS);
    viewer->reject();
  });
  QTest::mouseDClick(Find<PictureBox>("Image2"), Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_TRUE(opened);
  EXPECT_FALSE(window->PenDown);
}

}  // namespace
}  // namespace vellumine
