#include "app/fit_picture_views.h"

#include <gtest/gtest.h>

#include <ostream>

namespace vellumine {

void PrintTo(const ViewBox& box, std::ostream* out) {
  *out << "(" << box.left << ", " << box.top << ") " << box.width << " x " << box.height;
}

namespace {

struct ViewsCase {
  const char* name;
  int w, h, areaWidth, areaHeight;
  ViewBox source;
  int sketchLeft;
};

class FitPictureViewsTest : public ::testing::TestWithParam<ViewsCase> {};

TEST_P(FitPictureViewsTest, BothViewsCentredInTheirHalves) {
  const ViewsCase& c = GetParam();
  const auto boxes = FitPictureViews(c.w, c.h, c.areaWidth, c.areaHeight);
  ASSERT_TRUE(boxes.has_value());
  EXPECT_EQ(boxes->source, c.source);
  EXPECT_EQ(boxes->sketch, (ViewBox{c.sketchLeft, c.source.top, c.source.width, c.source.height}));
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, FitPictureViewsTest,
    ::testing::Values(
        ViewsCase{"Landscape", 400, 300, 664, 261, {0, 6, 332, 249}, 332},
        // 261 / 1.3333334 = 195.74...
        ViewsCase{"Portrait", 300, 400, 664, 261, {68, 0, 195, 261}, 400},
        // r and q are the same single-precision number: fitted by width, 332 * r = 260.99...
        ViewsCase{"EqualRatiosFitByWidth", 664, 522, 664, 261, {0, 0, 332, 260}, 332},
        ViewsCase{"VeryWide", 1000, 1, 664, 261, {0, 130, 332, 0}, 332},
        ViewsCase{"VeryTall", 1, 1000, 664, 261, {166, 0, 0, 261}, 498},
        ViewsCase{"OddAreaWidthDropsTheLastColumn", 400, 300, 665, 261, {0, 6, 332, 249}, 332},
        ViewsCase{"Square", 100, 100, 664, 261, {35, 0, 261, 261}, 367},
        ViewsCase{"SamplePictureInTheStartWindow", 451, 300, 664, 281, {0, 30, 332, 220}, 332},
        ViewsCase{"LargePhotograph", 6000, 4000, 1280, 600, {0, 87, 640, 426}, 640}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(FitPictureViewsTest, NothingToFitWithoutPictureOrArea) {
  EXPECT_FALSE(FitPictureViews(0, 0, 664, 261).has_value());
  EXPECT_FALSE(FitPictureViews(400, 300, 1, 261).has_value());
  EXPECT_FALSE(FitPictureViews(400, 300, 664, 0).has_value());
  EXPECT_FALSE(FitPictureViews(400, 300, -10, 261).has_value());
}

struct BoxCase {
  const char* name;
  int w, h, areaWidth, areaHeight;
  ViewBox box;
};

class FitPictureBoxTest : public ::testing::TestWithParam<BoxCase> {};

TEST_P(FitPictureBoxTest, WholeAreaRuleOfTheViewer) {
  const BoxCase& c = GetParam();
  EXPECT_EQ(FitPictureBox(c.w, c.h, c.areaWidth, c.areaHeight), c.box);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, FitPictureBoxTest,
    ::testing::Values(BoxCase{"ExactlyItsOwnSize", 451, 300, 451, 300, {0, 0, 451, 300}},
                      // 10 / 0.2f = 49.9999992: a single-precision ratio loses the last column
                      BoxCase{"MinimumWidthWins", 50, 10, 120, 10, {35, 0, 49, 10}},
                      BoxCase{"Wider", 400, 300, 500, 300, {50, 0, 400, 300}},
                      BoxCase{"Taller", 400, 300, 400, 500, {0, 100, 400, 300}},
                      BoxCase{"Shrunk", 400, 300, 200, 100, {33, 0, 133, 100}}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace vellumine
