#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "engine/raster24.h"

namespace vellumine {

// A malformed Windows bitmap; what() is the reason alone ("truncated file").
class BmpFormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Decodes a whole Windows bitmap file held in memory into 24-bit colour. Accepts the OS/2 core
// header and the 40/52/56/108/124-byte info headers; 1, 4, 8 bpp with a palette, 16/32 bpp
// BI_RGB or bit fields, 24 bpp; RLE8 and RLE4; bottom-up and top-down rows. Every field is
// checked; pixels an RLE stream skips take the palette's colour 0. Rows in messages count from
// the top of the picture. Throws BmpFormatError.
Raster24 DecodeBmp(const std::uint8_t* data, std::size_t size);

// Reads and decodes a bitmap file; every failure is a PictureFileError(Read, path, reason).
Raster24 ReadBmp(const std::string& path);

// Writes a 24-bit, bottom-up, uncompressed bitmap (40-byte info header, 96 dpi) through a
// temporary file renamed over `path`. An empty picture gives "the picture is empty".
void WriteBmp(const std::string& path, const Raster24& picture);

// Writes the same file as WriteBmp from rows handed over top to bottom, each placed at its
// bottom-up position, so that only a few rows are held at a time. Finish commits the file;
// destroying the writer before Finish leaves any existing target as it was.
class BmpRowWriter {
 public:
  BmpRowWriter(const std::string& path, int width, int height);
  ~BmpRowWriter();
  BmpRowWriter(BmpRowWriter&&) noexcept;
  BmpRowWriter& operator=(BmpRowWriter&&) noexcept;

  // The next row from the top: 3 * width bytes, blue, green, red.
  void WriteRow(const std::uint8_t* bgr);
  // Requires every row written (std::logic_error otherwise).
  void Finish();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace vellumine
