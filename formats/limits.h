#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vellumine {

// The largest picture any decoder accepts: each side at most kMaxPictureSide pixels and at most
// kMaxPicturePixels pixels in all (750 MB as a 24-bit raster).
inline constexpr std::int64_t kMaxPictureSide = 65535;
inline constexpr std::int64_t kMaxPicturePixels = 250'000'000;

// Why a picture of width x height pixels cannot be accepted, or nothing when it can: a side of
// zero or less gives "empty picture", a size over the limits "picture too large: W x H".
// Decoders ask it with the header's size before allocating anything of the picture's size.
std::optional<std::string> PictureSizeProblem(std::int64_t width, std::int64_t height);

// The same for a picture to be written. The sketch of a photograph is one pixel wider and taller
// than the photograph, so a picture may exceed the decoders' limits by one pixel each way.
std::optional<std::string> WrittenPictureSizeProblem(std::int64_t width, std::int64_t height);

}  // namespace vellumine
