#pragma once

// The byte layout shared by the BMP and EMF writers: little-endian fields and the 40-byte
// BITMAPINFOHEADER of a 24-bit, bottom-up, uncompressed device-independent bitmap.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vellumine::dib {

inline constexpr std::size_t kFileHeaderSize = 14;
inline constexpr std::size_t kInfoHeaderSize = 40;
inline constexpr std::uint16_t kBitsPerPixel24 = 24;
inline constexpr std::uint32_t kCompressionRgb = 0;
// 96 dots per inch, the resolution Windows gives new bitmaps: 96 / 0.0254 m, rounded.
inline constexpr std::int32_t kPixelsPerMetre = 3780;

inline void PutU16(std::uint8_t* p, std::uint16_t v) {
  p[0] = std::uint8_t(v);
  p[1] = std::uint8_t(v >> 8);
}
inline void PutU32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = std::uint8_t(v >> (8 * i));
}
inline void PutI32(std::uint8_t* p, std::int32_t v) {
  PutU32(p, std::uint32_t(v));
}
inline std::uint16_t GetU16(const std::uint8_t* p) {
  return std::uint16_t(p[0] | p[1] << 8);
}
inline std::uint32_t GetU32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}
inline std::int32_t GetI32(const std::uint8_t* p) {
  return std::int32_t(GetU32(p));
}

// Bytes of one 24-bit row in the file: 3 bytes a pixel, padded to a multiple of 4.
inline std::uint64_t RowBytes24(int width) {
  return (std::uint64_t(width) * 3 + 3) & ~3ull;
}

// Writes the BITMAPINFOHEADER of a bottom-up 24-bit BI_RGB bitmap at `out` (40 bytes).
inline void PutInfoHeader24(std::uint8_t* out, int width, int height, std::uint32_t imageBytes) {
  std::memset(out, 0, kInfoHeaderSize);
  PutU32(out + 0, kInfoHeaderSize);
  PutI32(out + 4, width);
  PutI32(out + 8, height);
  PutU16(out + 12, 1);  // planes
  PutU16(out + 14, kBitsPerPixel24);
  PutU32(out + 16, kCompressionRgb);
  PutU32(out + 20, imageBytes);
  PutI32(out + 24, kPixelsPerMetre);
  PutI32(out + 28, kPixelsPerMetre);
}

// Copies a row of `width` BGR pixels to `out` and zeroes its padding up to RowBytes24(width).
inline void PackRow24(const std::uint8_t* bgr, int width, std::uint8_t* out) {
  const std::size_t bytes = std::size_t(width) * 3;
  std::memcpy(out, bgr, bytes);
  std::memset(out + bytes, 0, std::size_t(RowBytes24(width)) - bytes);
}

}  // namespace vellumine::dib
