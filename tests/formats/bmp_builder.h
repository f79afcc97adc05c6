#pragma once

// Small Windows bitmap files built byte by byte for the decoder's tests, with pictures written
// as rows of colour letters.

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/raster24.h"
#include "tests/formats/test_files.h"

namespace vellumine::formats_test {

// A picture as rows of letters, top to bottom. Each letter is one colour (see ColourOf):
// 'Y' 'K' 'W' 'R' 'G' 'B' are arbitrary colours, 'r' 'g' 'b' 'c' 'm' 'y' have channels of 0 or
// 255 only, so they are exact in every bit-field layout.
using Rows = std::vector<std::string>;

// Blue, green, red of a letter; throws std::invalid_argument for an unknown letter.
std::array<std::uint8_t, 3> ColourOf(char letter);
Raster24 LetterPicture(const Rows& rows);
// The letters of a picture, '?' for a colour without a letter.
Rows Letters(const Raster24& picture);

struct BmpSpec {
  std::uint32_t headerSize = 40;                 // the layout written: 12, 40, 52, ..., 124
  std::optional<std::uint32_t> headerSizeField;  // what the header claims, when it lies
  std::int32_t width = 5;
  std::int32_t height = 3;  // negative: top-down
  std::uint16_t planes = 1;
  std::uint16_t bitsPerPixel = 24;
  std::uint32_t compression = 0;
  std::uint32_t colorsUsed = 0;
  std::string palette;               // letters, one entry each
  std::vector<std::uint32_t> masks;  // red, green, blue (, alpha)
  std::size_t gapBeforePixels = 0;
  std::optional<std::uint32_t> pixelOffset;  // bfOffBits, when it lies
  Bytes pixels;
};

// The file: headers, masks (inside headers of 52 bytes and more, else after the header),
// palette (3-byte entries after a core header, else 4), gap, pixels.
Bytes BuildBmp(const BmpSpec& spec);

// Pixel data of uncompressed rows, each padded to 4 bytes, bottom row first unless topDown.
Bytes EncodeIndexed(const Rows& rows, const std::string& palette, int bitsPerPixel, bool topDown);
// 3 bytes a pixel, or 4 with a junk fourth byte.
Bytes EncodeBgr(const Rows& rows, int bytesPerPixel, bool topDown);
// 16 or 32-bit pixels of pure letters: each channel at 255 sets its whole mask.
Bytes EncodeFields(const Rows& rows, int bitsPerPixel, const std::vector<std::uint32_t>& masks,
                   bool topDown);

std::uint32_t U32At(const Bytes& bytes, std::size_t offset);
std::uint16_t U16At(const Bytes& bytes, std::size_t offset);

// The palette, in order, of the indexed variants: index 0 is 'Y'.
inline const std::string kVariantPalette = "YKWRGB";
inline const Rows kPalettePicture = {"YKWRG", "GBYKW", "RRBBW"};

struct BmpVariant {
  std::string name;
  Bytes file;
  Rows expected;
};

inline void PrintTo(const BmpVariant& v, std::ostream* os) {
  *os << v.name;
}

// One small valid file of each layout the decoder accepts, with the picture it holds.
std::vector<BmpVariant> BmpVariants();

}  // namespace vellumine::formats_test
