#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/raster24.h"

namespace vellumine {

// Decodes a JPEG file at full size with libjpeg's default settings into 24-bit colour: a
// greyscale file gives grey pixels (blue = green = red); CMYK and YCCK files are converted to
// colour as Adobe writes them (inverted values: red = C * K / 255). Data that ends early
// decodes as libjpeg fills it in. Every failure is a PictureFileError(Read, path, reason).
Raster24 ReadJpeg(const std::string& path);

// Decodes a JPEG file row by row, top to bottom, holding only libjpeg's own buffers, so that
// a picture of any size streams in memory proportional to its width. The pixels are those
// ReadJpeg gives. Errors are PictureFileError(Read, path, reason).
class JpegRowReader {
 public:
  // Opens the file and reads its header; the size limits are checked here.
  explicit JpegRowReader(const std::string& path);
  ~JpegRowReader();
  JpegRowReader(JpegRowReader&&) noexcept;
  JpegRowReader& operator=(JpegRowReader&&) noexcept;

  int Width() const;
  int Height() const;
  // Rows read so far.
  int RowsRead() const;
  // Decodes the next row into 3 * Width bytes of blue, green, red.
  void ReadRow(std::uint8_t* bgr);
  // Decodes the next `count` rows (std::logic_error past the last row).
  void ReadRows(std::uint8_t* const* rows, int count);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// Writes a baseline JPEG of quality 20 (libjpeg's tables for quality 20, forced baseline),
// colour (YCbCr), not progressive, otherwise libjpeg's defaults, through a temporary file
// renamed over `path`. An empty picture gives "the picture is empty".
void WriteJpeg(const std::string& path, const Raster24& picture);

// Writes the same file as WriteJpeg from rows handed over top to bottom. Finish commits the
// file; destroying the writer before Finish leaves any existing target as it was.
class JpegRowWriter {
 public:
  JpegRowWriter(const std::string& path, int width, int height);
  ~JpegRowWriter();
  JpegRowWriter(JpegRowWriter&&) noexcept;
  JpegRowWriter& operator=(JpegRowWriter&&) noexcept;

  // The next row from the top: 3 * width bytes, blue, green, red.
  void WriteRow(const std::uint8_t* bgr);
  // The next `count` rows at once.
  void WriteRows(const std::uint8_t* const* rows, int count);
  // Requires every row written (std::logic_error otherwise).
  void Finish();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace vellumine
