#include "app/fit_picture_views.h"

namespace vellumine {

std::optional<ViewBox> FitPictureBox(int w, int h, int areaWidth, int areaHeight) {
  if (w <= 0 || h < 0 || areaWidth <= 0 || areaHeight <= 0) return std::nullopt;
  // The ratios are single-precision numbers; the products and quotients with them are taken in
  // extended precision before truncation, so that 332 * r for r = 522 / 664 gives 260, not 261.
  const float r = static_cast<float>(static_cast<double>(h) / w);
  const float q = static_cast<float>(static_cast<double>(areaHeight) / areaWidth);
  ViewBox box;
  if (r > q) {
    box.height = areaHeight;
    box.width = static_cast<int>(static_cast<long double>(areaHeight) / r);
  } else {
    box.width = areaWidth;
    box.height = static_cast<int>(static_cast<long double>(areaWidth) * r);
  }
  box.left = (areaWidth - box.width) / 2;
  box.top = (areaHeight - box.height) / 2;
  return box;
}

std::optional<PictureViewBoxes> FitPictureViews(int w, int h, int areaWidth, int areaHeight) {
  const int half = areaWidth / 2;
  const std::optional<ViewBox> source = FitPictureBox(w, h, half, areaHeight);
  if (!source) return std::nullopt;
  ViewBox sketch = *source;
  sketch.left += half;
  return PictureViewBoxes{*source, sketch};
}

}  // namespace vellumine
