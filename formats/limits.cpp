#include "formats/limits.h"

namespace vellumine {

std::optional<std::string> PictureSizeProblem(std::int64_t width, std::int64_t height) {
  if (width <= 0 || height <= 0) return "empty picture";
  // Both sides are checked first, so that the product below cannot overflow.
  if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels)
    return "picture too large: " + std::to_string(width) + " x " + std::to_string(height);
  return std::nullopt;
}

std::optional<std::string> WrittenPictureSizeProblem(std::int64_t width, std::int64_t height) {
  if (width <= 0 || height <= 0) return "empty picture";
  if (width > kMaxPictureSide + 1 || height > kMaxPictureSide + 1 ||
      (width - 1) * (height - 1) > kMaxPicturePixels)
    return "picture too large: " + std::to_string(width) + " x " + std::to_string(height);
  return std::nullopt;
}

}  // namespace vellumine
