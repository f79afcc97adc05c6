#pragma once

#include <optional>

namespace vellumine {

// A box in pixels, relative to its picture area.
struct ViewBox {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const ViewBox&, const ViewBox&) = default;
};

// The box of a w x h picture fitted into an area of areaWidth x areaHeight, centred, with the
// picture's proportions: r = h / w and q = areaHeight / areaWidth, each rounded to single
// precision; if r > q the box is areaHeight high and areaHeight / r wide, otherwise areaWidth
// wide and areaWidth * r high, both truncated. nullopt when w <= 0, h < 0 or the area is empty.
std::optional<ViewBox> FitPictureBox(int w, int h, int areaWidth, int areaHeight);

// The boxes of the source and sketch views for a w x h photograph in a picture area of
// areaWidth x areaHeight: the source fitted into the left half (areaWidth / 2 wide), the sketch
// at the same place in the right half. nullopt while the photograph is empty or the area is
// narrower than 2 pixels or has no height.
struct PictureViewBoxes {
  ViewBox source;
  ViewBox sketch;
};
std::optional<PictureViewBoxes> FitPictureViews(int w, int h, int areaWidth, int areaHeight);

}  // namespace vellumine
