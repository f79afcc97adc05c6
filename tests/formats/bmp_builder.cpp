#include "tests/formats/bmp_builder.h"

#include <map>
#include <stdexcept>

namespace vellumine::formats_test {
namespace {

void PutU16(Bytes& out, std::size_t at, std::uint32_t v) {
  out[at] = std::uint8_t(v);
  out[at + 1] = std::uint8_t(v >> 8);
}

void PutU32(Bytes& out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = std::uint8_t(v >> (8 * i));
}

void PadRow(Bytes& out, std::size_t rowStart) {
  while ((out.size() - rowStart) % 4 != 0) out.push_back(0);
}

// The rows in file order.
Rows FileOrder(const Rows& rows, bool topDown) {
  return topDown ? rows : Rows(rows.rbegin(), rows.rend());
}

}  // namespace

std::array<std::uint8_t, 3> ColourOf(char letter) {
  static const std::map<char, std::array<std::uint8_t, 3>> kColours = {
      {'Y', {0x07, 0xC8, 0xF5}}, {'K', {0x00, 0x00, 0x00}}, {'W', {0xFF, 0xFF, 0xFF}},
      {'R', {0x11, 0x22, 0xEE}}, {'G', {0x33, 0xDD, 0x44}}, {'B', {0xCC, 0x55, 0x66}},
      {'r', {0, 0, 255}},        {'g', {0, 255, 0}},        {'b', {255, 0, 0}},
      {'c', {255, 255, 0}},      {'m', {255, 0, 255}},      {'y', {0, 255, 255}},
  };
  const auto found = kColours.find(letter);
  if (found == kColours.end()) throw std::invalid_argument(std::string("no colour ") + letter);
  return found->second;
}

Raster24 LetterPicture(const Rows& rows) {
  Raster24 picture(int(rows.at(0).size()), int(rows.size()));
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) {
      const auto c = ColourOf(rows[y][x]);
      std::copy(c.begin(), c.end(), picture.Row(y) + 3 * x);
    }
  return picture;
}

Rows Letters(const Raster24& picture) {
  static const std::string kAll = "YKWRGBrgbcmy";
  Rows rows;
  for (int y = 0; y < picture.Height(); ++y) {
    std::string row;
    for (int x = 0; x < picture.Width(); ++x) {
      const std::uint8_t* p = picture.Row(y) + 3 * x;
      char letter = '?';
      for (char c : kAll)
        if (ColourOf(c) == std::array<std::uint8_t, 3>{p[0], p[1], p[2]}) letter = c;
      row += letter;
    }
    rows.push_back(row);
  }
  return rows;
}

Bytes BuildBmp(const BmpSpec& s) {
  const bool core = s.headerSize == 12;
  Bytes out(14 + s.headerSize, 0);
  out[0] = 'B';
  out[1] = 'M';
  PutU32(out, 14, s.headerSizeField.value_or(s.headerSize));
  if (core) {
    PutU16(out, 18, std::uint32_t(s.width));
    PutU16(out, 20, std::uint32_t(s.height));
    PutU16(out, 22, s.planes);
    PutU16(out, 24, s.bitsPerPixel);
  } else {
    PutU32(out, 18, std::uint32_t(s.width));
    PutU32(out, 22, std::uint32_t(s.height));
    PutU16(out, 26, s.planes);
    PutU16(out, 28, s.bitsPerPixel);
    PutU32(out, 30, s.compression);
    PutU32(out, 34, std::uint32_t(s.pixels.size()));
    PutU32(out, 38, 2835);
    PutU32(out, 42, 2835);
    PutU32(out, 46, s.colorsUsed);
  }
  if (s.headerSize >= 52) {
    const std::size_t inHeader = s.headerSize == 52 ? 3 : 4;
    for (std::size_t i = 0; i < s.masks.size() && i < inHeader; ++i)
      PutU32(out, 14 + 40 + 4 * i, s.masks[i]);
  } else {
    for (std::uint32_t mask : s.masks) {
      out.resize(out.size() + 4);
      PutU32(out, out.size() - 4, mask);
    }
  }
  for (char letter : s.palette) {
    const auto c = ColourOf(letter);
    out.insert(out.end(), c.begin(), c.end());
    if (!core) out.push_back(0);
  }
  out.resize(out.size() + s.gapBeforePixels, 0xEE);
  PutU32(out, 10, s.pixelOffset.value_or(std::uint32_t(out.size())));
  out.insert(out.end(), s.pixels.begin(), s.pixels.end());
  PutU32(out, 2, std::uint32_t(out.size()));
  return out;
}

Bytes EncodeIndexed(const Rows& rows, const std::string& palette, int bitsPerPixel, bool topDown) {
  Bytes out;
  for (const std::string& row : FileOrder(rows, topDown)) {
    const std::size_t start = out.size();
    int bits = 0;
    unsigned byte = 0;
    for (char letter : row) {
      const std::size_t index = palette.find(letter);
      if (index == std::string::npos) throw std::invalid_argument("letter not in the palette");
      byte = byte << bitsPerPixel | unsigned(index);
      bits += bitsPerPixel;
      if (bits == 8) out.push_back(std::uint8_t(byte)), bits = 0, byte = 0;
    }
    if (bits > 0) out.push_back(std::uint8_t(byte << (8 - bits)));
    PadRow(out, start);
  }
  return out;
}

Bytes EncodeBgr(const Rows& rows, int bytesPerPixel, bool topDown) {
  Bytes out;
  for (const std::string& row : FileOrder(rows, topDown)) {
    const std::size_t start = out.size();
    for (char letter : row) {
      const auto c = ColourOf(letter);
      out.insert(out.end(), c.begin(), c.end());
      if (bytesPerPixel == 4) out.push_back(0xA5);
    }
    PadRow(out, start);
  }
  return out;
}

Bytes EncodeFields(const Rows& rows, int bitsPerPixel, const std::vector<std::uint32_t>& masks,
                   bool topDown) {
  Bytes out;
  for (const std::string& row : FileOrder(rows, topDown)) {
    const std::size_t start = out.size();
    for (char letter : row) {
      const auto c = ColourOf(letter);
      std::uint32_t value = 0;
      const std::uint8_t channels[3] = {c[2], c[1], c[0]};  // red, green, blue
      for (int i = 0; i < 3; ++i) {
        if (channels[i] != 0 && channels[i] != 255) throw std::invalid_argument("not pure");
        if (channels[i] == 255) value |= masks[i];
      }
      for (int i = 0; i < bitsPerPixel / 8; ++i) out.push_back(std::uint8_t(value >> (8 * i)));
    }
    PadRow(out, start);
  }
  return out;
}

std::uint32_t U32At(const Bytes& bytes, std::size_t offset) {
  return std::uint32_t(bytes.at(offset)) | std::uint32_t(bytes.at(offset + 1)) << 8 |
         std::uint32_t(bytes.at(offset + 2)) << 16 | std::uint32_t(bytes.at(offset + 3)) << 24;
}

std::uint16_t U16At(const Bytes& bytes, std::size_t offset) {
  return std::uint16_t(bytes.at(offset) | bytes.at(offset + 1) << 8);
}

const Rows kTwoColourPicture = {"KWKWW", "WWKKK", "KKKKW"};
// Colours whose channels are 0 or 255 only, exact in any bit-field layout.
const Rows kPurePicture = {"rgbKW", "cmyWK", "WbgrK"};

std::vector<BmpVariant> BmpVariants() {
  std::vector<BmpVariant> cases;
  const auto add = [&](std::string name, const BmpSpec& spec, const Rows& expected) {
    cases.push_back({std::move(name), BuildBmp(spec), expected});
  };

  BmpSpec s;
  s = {};
  s.bitsPerPixel = 1;
  s.palette = "KW";
  s.colorsUsed = 2;
  s.pixels = EncodeIndexed(kTwoColourPicture, s.palette, 1, false);
  add("Bpp1Info", s, kTwoColourPicture);

  s = {};
  s.headerSize = 12;
  s.bitsPerPixel = 1;
  s.palette = "KW";
  s.pixels = EncodeIndexed(kTwoColourPicture, s.palette, 1, false);
  add("Bpp1Core", s, kTwoColourPicture);

  s = {};
  s.bitsPerPixel = 4;
  s.palette = kVariantPalette;
  s.colorsUsed = 6;
  s.pixels = EncodeIndexed(kPalettePicture, kVariantPalette, 4, false);
  add("Bpp4ColorsUsed", s, kPalettePicture);

  s = {};
  s.bitsPerPixel = 4;
  s.palette = kVariantPalette + std::string(10, 'K');  // colorsUsed 0: a full table of 16
  s.pixels = EncodeIndexed(kPalettePicture, kVariantPalette, 4, false);
  add("Bpp4FullPalette", s, kPalettePicture);

  s = {};
  s.bitsPerPixel = 8;
  s.palette = kVariantPalette;
  s.colorsUsed = 6;
  s.pixels = EncodeIndexed(kPalettePicture, kVariantPalette, 8, false);
  add("Bpp8", s, kPalettePicture);

  s = {};
  s.bitsPerPixel = 8;
  s.palette = kVariantPalette;
  s.colorsUsed = 6;
  s.height = -3;
  s.pixels = EncodeIndexed(kPalettePicture, kVariantPalette, 8, true);
  add("Bpp8TopDown", s, kPalettePicture);

  s = {};
  s.bitsPerPixel = 8;
  s.palette = kVariantPalette + std::string(250, 'K');  // colorsUsed above 256 is capped at 256
  s.colorsUsed = 1000;
  s.pixels = EncodeIndexed(kPalettePicture, kVariantPalette, 8, false);
  add("Bpp8ColorsUsedCapped", s, kPalettePicture);

  s = {};
  s.headerSize = 12;
  s.bitsPerPixel = 8;
  s.palette = kVariantPalette + std::string(250, 'W');
  s.pixels = EncodeIndexed(kPalettePicture, kVariantPalette, 8, false);
  add("Bpp8Core", s, kPalettePicture);

  s = {};
  s.bitsPerPixel = 24;
  s.pixels = EncodeBgr(kPalettePicture, 3, false);
  add("Bpp24", s, kPalettePicture);

  s = {};
  s.bitsPerPixel = 24;
  s.gapBeforePixels = 10;  // pixel data where bfOffBits says, not right after the header
  s.pixels = EncodeBgr(kPalettePicture, 3, false);
  add("Bpp24PixelOffsetAfterGap", s, kPalettePicture);

  s = {};
  s.headerSize = 12;
  s.bitsPerPixel = 24;
  s.pixels = EncodeBgr(kPalettePicture, 3, false);
  add("Bpp24Core", s, kPalettePicture);

  s = {};
  s.headerSize = 124;
  s.bitsPerPixel = 24;
  s.height = -3;
  s.pixels = EncodeBgr(kPalettePicture, 3, true);
  add("Bpp24V5TopDown", s, kPalettePicture);

  s = {};
  s.bitsPerPixel = 32;
  s.pixels = EncodeBgr(kPalettePicture, 4, false);  // fourth byte is junk, ignored
  add("Bpp32Rgb", s, kPalettePicture);

  s = {};
  s.bitsPerPixel = 16;
  s.pixels = EncodeFields(kPurePicture, 16, {0x7C00, 0x03E0, 0x001F}, false);
  add("Bpp16Rgb555", s, kPurePicture);

  s = {};
  s.bitsPerPixel = 16;
  s.compression = 3;
  s.masks = {0xF800, 0x07E0, 0x001F};
  s.pixels = EncodeFields(kPurePicture, 16, s.masks, false);
  add("Bpp16BitFields565", s, kPurePicture);

  s = {};
  s.headerSize = 108;
  s.bitsPerPixel = 16;
  s.compression = 3;
  s.masks = {0x001F, 0x03E0, 0x7C00};  // red in the low bits
  s.pixels = EncodeFields(kPurePicture, 16, s.masks, false);
  add("Bpp16BitFieldsInV4Header", s, kPurePicture);

  s = {};
  s.bitsPerPixel = 32;
  s.compression = 3;
  s.masks = {0x3FF00000, 0x000FFC00, 0x000003FF};  // 10-10-10
  s.pixels = EncodeFields(kPurePicture, 32, s.masks, false);
  add("Bpp32BitFields101010", s, kPurePicture);

  s = {};
  s.headerSize = 52;
  s.bitsPerPixel = 32;
  s.compression = 3;
  s.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
  s.height = -3;
  s.pixels = EncodeFields(kPurePicture, 32, s.masks, true);
  add("Bpp32BitFieldsInV2HeaderTopDown", s, kPurePicture);

  s = {};
  s.bitsPerPixel = 32;
  s.compression = 6;
  s.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
  s.pixels = EncodeFields(kPurePicture, 32, s.masks, false);
  add("Bpp32AlphaBitFields", s, kPurePicture);

  // RLE8, bottom row first: runs, an odd absolute run with its pad byte, a delta that skips
  // two pixels and moves up a row, and an early end of bitmap.
  s = {};
  s.bitsPerPixel = 8;
  s.compression = 1;
  s.palette = kVariantPalette;
  s.colorsUsed = 6;
  s.pixels = {3, 3, 2, 1, 0, 0,  // RRR KK, end of line
              0, 3, 2, 4, 5, 0,  // absolute W G B, padded
              0, 2, 1, 1,        // delta right 1, up 1: to x 4 of the top row
              1, 2, 0, 1};       // W, end of bitmap
  add("Rle8", s, {"YYYYW", "WGBYY", "RRRKK"});

  s = {};
  s.bitsPerPixel = 4;
  s.compression = 2;
  s.palette = kVariantPalette;
  s.colorsUsed = 6;
  s.pixels = {5, 0x34, 0,    0,               // R G R G R, end of line
              0, 5,    0x12, 0x51, 0x20, 0,   // absolute K W B K W, 3 bytes padded to 4
              0, 0,                           // end of line
              0, 2,    2,    0,               // delta right 2
              1, 0x50, 0,    0,    0,    1};  // B, end of line, end of bitmap
  add("Rle4", s, {"YYBYY", "KWBKW", "RGRGR"});
  return cases;
}

}  // namespace vellumine::formats_test
