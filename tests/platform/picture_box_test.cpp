#include "platform/picture_box.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

namespace vellumine {
namespace {

void SetPixel(Raster24& raster, int x, int y, std::uint8_t b, std::uint8_t g, std::uint8_t r) {
  std::uint8_t* p = raster.Row(y) + 3 * x;
  p[0] = b;
  p[1] = g;
  p[2] = r;
}

QColor At(QWidget& widget, int x, int y) {
  return widget.grab().toImage().pixelColor(x, y);
}

// A 2 x 1 picture: red on the left, blue on the right.
Raster24 RedBlue() {
  Raster24 picture(2, 1);
  SetPixel(picture, 0, 0, 0, 0, 255);
  SetPixel(picture, 1, 0, 255, 0, 0);
  return picture;
}

TEST(PictureBoxTest, StretchesThePictureToFillTheBoxExactly) {
  PictureBox box;
  box.resize(100, 40);
  box.SetPicture(RedBlue());
  EXPECT_EQ(At(box, 1, 1), QColor(Qt::red));
  EXPECT_EQ(At(box, 1, 38), QColor(Qt::red));
  EXPECT_EQ(At(box, 98, 1), QColor(Qt::blue));
  EXPECT_EQ(At(box, 98, 38), QColor(Qt::blue));

  box.resize(10, 200);  // other proportions: still filled, corner to corner
  EXPECT_EQ(At(box, 0, 199), QColor(Qt::red));
  EXPECT_EQ(At(box, 9, 0), QColor(Qt::blue));
}

// A green widget for a picture box to lie on.
void MakeGreen(QWidget& parent, int size) {
  QPalette palette;
  palette.setColor(QPalette::Window, Qt::green);
  parent.setPalette(palette);
  parent.setAutoFillBackground(true);
  parent.resize(size, size);
}

TEST(PictureBoxTest, CentredPictureKeepsItsSize) {
  QWidget parent;
  MakeGreen(parent, 10);
  PictureBox box(&parent);
  box.setGeometry(0, 0, 10, 10);
  box.SetPlacement(PictureBox::Placement::Centre);
  box.SetPicture(RedBlue());
  EXPECT_EQ(At(parent, 4, 4), QColor(Qt::red));
  EXPECT_EQ(At(parent, 5, 4), QColor(Qt::blue));
  EXPECT_EQ(At(parent, 0, 0), QColor(Qt::green));
  EXPECT_EQ(At(parent, 6, 4), QColor(Qt::green));
  EXPECT_EQ(At(parent, 4, 5), QColor(Qt::green));
}

TEST(PictureBoxTest, SeeThroughColourShowsWhatLiesBelow) {
  QWidget parent;
  MakeGreen(parent, 30);
  PictureBox box(&parent);
  box.setGeometry(0, 0, 30, 30);
  Raster24 ring(3, 3);  // white with a black centre
  SetPixel(ring, 1, 1, 0, 0, 0);
  box.SetPicture(ring);
  box.SetTransparentColor(PictureBox::Bgr{255, 255, 255});
  EXPECT_EQ(At(parent, 2, 2), QColor(Qt::green));
  EXPECT_EQ(At(parent, 15, 15), QColor(Qt::black));

  box.SetTransparentColor(std::nullopt);
  EXPECT_EQ(At(parent, 2, 2), QColor(Qt::white));
}

TEST(PictureBoxTest, EmptyBoxDrawsNothingAndDoubleClickIsSignalled) {
  PictureBox box;
  box.resize(20, 20);
  box.SetPicture(RedBlue());
  box.ClearPicture();
  EXPECT_TRUE(box.Picture().Empty());
  QSignalSpy doubleClicks(&box, &PictureBox::doubleClicked);
  QTest::mouseDClick(&box, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(doubleClicks.count(), 1);
}

}  // namespace
}  // namespace vellumine
